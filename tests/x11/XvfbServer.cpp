#include "tests/x11/XvfbServer.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>

namespace x11test {
namespace {

pid_t Spawn(const std::string& name) {
  const pid_t pid = fork();
  if (pid == 0) {
    execlp("Xvfb", "Xvfb", name.c_str(), "-screen", "0", "1280x800x24", "-noreset", "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

// Up to five seconds for the server to answer; false when it ended (the display was taken).
bool Answers(const std::string& name, pid_t pid) {
  for (int i = 0; i < 100; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
    if (::Display* dpy = XOpenDisplay(name.c_str())) {
      XCloseDisplay(dpy);
      return waitpid(pid, nullptr, WNOHANG) == 0;
    }
    usleep(50000);
  }
  return false;
}

}  // namespace

XvfbServer::XvfbServer() {
  for (int n = 90; n <= 160 && pid_ < 0; ++n) {
    const std::string name = ":" + std::to_string(n);
    if (access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) == 0) continue;
    const pid_t pid = Spawn(name);
    if (Answers(name, pid)) {
      pid_ = pid;
      setenv("DISPLAY", name.c_str(), 1);
    } else {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  }
}

XvfbServer::~XvfbServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
}

}  // namespace x11test
