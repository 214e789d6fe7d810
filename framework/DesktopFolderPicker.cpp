#include "framework/DesktopFolderPicker.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <vector>

#include "framework/TApplication.h"
#include "framework/TCustomForm.h"
#include "platform/winsys/MessageApi.h"

extern char** environ;

namespace {

// A file descriptor, closed on every way out.
class TFd {
 public:
  explicit TFd(int fd = -1) : FFd(fd) {}
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  ~TFd() { Close(); }
  int Get() const { return FFd; }
  void Reset(int fd) {
    Close();
    FFd = fd;
  }
  int Release() {
    const int fd = FFd;
    FFd = -1;
    return fd;
  }
  void Close() {
    if (FFd >= 0) close(FFd);
    FFd = -1;
  }

 private:
  int FFd;
};

// The running picker. A thread of its own reads the output to its end and reaps the child, then
// wakes the message loop; ending the object early ends the child and waits for that thread.
class TPickerProcess {
 public:
  // Raises nothing: a picker that cannot start is Started() false.
  TPickerProcess(const std::string& program, const std::vector<std::string>& arguments);
  TPickerProcess(const TPickerProcess&) = delete;
  TPickerProcess& operator=(const TPickerProcess&) = delete;
  ~TPickerProcess();

  bool Started() const { return FPid > 0; }
  bool Finished() const { return FFinished.load(); }
  // Until the child has ended and its output is read.
  void Wait() {
    if (FCollector.joinable()) FCollector.join();
  }
  // After Finished(): the wait status and everything the child wrote.
  int Status() const { return FStatus; }
  const std::string& Output() const { return FOutput; }

 private:
  void Collect();

  pid_t FPid = -1;
  TFd FOutputFd;
  std::thread FCollector;
  std::atomic<bool> FFinished{false};
  int FStatus = 0;
  std::string FOutput;
};

TPickerProcess::TPickerProcess(const std::string& program,
                               const std::vector<std::string>& arguments) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  TFd readEnd(fds[0]), writeEnd(fds[1]);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, writeEnd.Get(), STDOUT_FILENO);
  // Its warnings are not ours to show.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const int spawned = posix_spawn(&FPid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    FPid = -1;
    return;
  }
  writeEnd.Close();
  FOutputFd.Reset(readEnd.Release());
  try {
    FCollector = std::thread([this] { Collect(); });
  } catch (...) {
    // No destructor runs for an object whose constructor throws: end and reap the child here.
    kill(FPid, SIGKILL);
    while (waitpid(FPid, nullptr, 0) < 0 && errno == EINTR) {
    }
    throw;
  }
}

void TPickerProcess::Collect() {
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(FOutputFd.Get(), buffer, sizeof buffer);
    if (n > 0) {
      FOutput.append(buffer, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  while (waitpid(FPid, &FStatus, 0) < 0 && errno == EINTR) {
  }
  FFinished = true;
  winsys::PostMessage(nullptr, winsys::WM_NULL, 0, 0);
}

TPickerProcess::~TPickerProcess() {
  if (!Started()) return;
  if (!Finished()) kill(FPid, SIGKILL);
  Wait();
}

// The program's forms take no input while the picker is up, and get it back however it ends.
class TFormsDisabled {
 public:
  TFormsDisabled() {
    if (Application) FForms = Application->DisableOtherForms(nullptr);
  }
  TFormsDisabled(const TFormsDisabled&) = delete;
  TFormsDisabled& operator=(const TFormsDisabled&) = delete;
  ~TFormsDisabled() {
    if (Application) Application->EnableForms(FForms);
  }

 private:
  std::vector<TCustomForm*> FForms;
};

}  // namespace

std::optional<std::string> DesktopPickerProgram() {
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (!(display && *display) && !(wayland && *wayland)) return std::nullopt;
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (folder.empty()) continue;
    const std::string program = folder + "/zenity";
    if (access(program.c_str(), X_OK) == 0) return program;
  }
  return std::nullopt;
}

TPickerOutcome RunDesktopPicker(const std::string& program, const std::string& caption,
                                const std::string& root, std::string& directory) {
  TFormsDisabled disabled;
  // The trailing separator makes the picker open the folder rather than select it in its parent.
  TPickerProcess picker(program, {"--file-selection", "--directory", "--title=" + caption,
                                  "--filename=" + root + "/"});
  if (!picker.Started()) return TPickerOutcome::Failed;
  while (Application && !picker.Finished()) {
    Application->HandleMessage();
    if (Application->Terminated()) return TPickerOutcome::Cancelled;
  }
  picker.Wait();
  if (!WIFEXITED(picker.Status())) return TPickerOutcome::Failed;
  const int code = WEXITSTATUS(picker.Status());
  if (code == 1) return TPickerOutcome::Cancelled;
  const std::string line = picker.Output().substr(0, picker.Output().find('\n'));
  if (code != 0 || line.empty()) return TPickerOutcome::Failed;
  directory = line;
  return TPickerOutcome::Picked;
}
