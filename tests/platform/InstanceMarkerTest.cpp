#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/kernel/InstanceMarker.h"
#include "platform/kernel/LastError.h"

namespace {

// A child process that creates the marker, tells the parent through a pipe whether the marker
// already existed, then waits to be killed.
pid_t SpawnHolder(const std::string& name, bool* existed) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    kernel::InstanceMarker marker(name);
    const char answer = marker.AlreadyExisted() ? 'E' : 'N';
    [[maybe_unused]] ssize_t n = write(fds[1], &answer, 1);
    pause();
    _exit(0);
  }
  close(fds[1]);
  char answer = 0;
  [[maybe_unused]] ssize_t n = read(fds[0], &answer, 1);
  close(fds[0]);
  *existed = answer == 'E';
  return pid;
}

void Kill(pid_t pid) {
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

TEST(InstanceMarkerTest, ASecondHolderIsToldAndTheMarkerDiesWithAKilledHolder) {
  const std::string name = "Brindlecast_KV.test." + std::to_string(getpid());
  bool existed = true;
  const pid_t first = SpawnHolder(name, &existed);
  ASSERT_GT(first, 0);
  EXPECT_FALSE(existed);

  const pid_t second = SpawnHolder(name, &existed);
  EXPECT_TRUE(existed) << "a second process sees the first one's marker";
  Kill(second);
  {
    kernel::InstanceMarker here(name);
    EXPECT_TRUE(here.AlreadyExisted());
    EXPECT_EQ(kernel::GetLastError(), kernel::ERROR_ALREADY_EXISTS);
  }

  Kill(first);
  kernel::InstanceMarker after(name);
  EXPECT_FALSE(after.AlreadyExisted()) << "SIGKILL left no stale marker behind";
  EXPECT_TRUE(after.Held());
}

TEST(InstanceMarkerTest, MarkersOfOtherNamesDoNotInterfere) {
  const std::string base = "Brindlecast_KV.other." + std::to_string(getpid());
  kernel::InstanceMarker a(base + ".a");
  kernel::InstanceMarker b(base + ".b");
  EXPECT_FALSE(a.AlreadyExisted());
  EXPECT_FALSE(b.AlreadyExisted());
}

}  // namespace
