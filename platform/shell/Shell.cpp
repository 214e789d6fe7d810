#include "platform/shell/Shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <cerrno>
#include <vector>

extern char** environ;

namespace shell {
namespace {

constexpr winsys::LRESULT kSuccess = 42;
constexpr winsys::LRESULT SE_ERR_FNF = 2;
constexpr winsys::LRESULT SE_ERR_NOASSOC = 31;
constexpr int kWaitMs = 5000;
constexpr int kStepMs = 10;

// xdg-open's exit status 3 means that no program was found for the file.
winsys::LRESULT FromExitStatus(int status) {
  if (!WIFEXITED(status)) return SE_ERR_FNF;
  switch (WEXITSTATUS(status)) {
    case 0:
      return kSuccess;
    case 3:
      return SE_ERR_NOASSOC;
    default:
      return SE_ERR_FNF;
  }
}

}  // namespace

winsys::LRESULT ShellExecute(winsys::HWND, const std::string& verb, const std::string& file,
                             const std::string&, const std::string&, int) {
  if (!verb.empty() && verb != "open") return SE_ERR_NOASSOC;
  if (file.empty()) return SE_ERR_FNF;
  std::vector<char*> argv = {const_cast<char*>("xdg-open"), const_cast<char*>(file.c_str()),
                             nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv.data(), environ) != 0) {
    return SE_ERR_FNF;
  }
  for (int waited = 0; waited < kWaitMs; waited += kStepMs) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return FromExitStatus(status);
    if (done < 0 && errno != EINTR) return SE_ERR_FNF;
    const timespec step{0, kStepMs * 1000000L};
    nanosleep(&step, nullptr);
  }
  // Still running: the program it started has the file.
  return kSuccess;
}

}  // namespace shell
