// Starts a program on $DISPLAY and reports, on standard output:
//   first frame: MS ms          once the window named TITLE shows its first picture
//   exit: CODE, peak resident memory: MIB MiB     when the program ends
// The time runs from just before the program is started; the first picture is the moment the
// pixel at (DX, DY) of the window differs from the desktop, which must be of one colour. The
// program ends with the probe.
//   startup_probe TITLE DX DY PROGRAM [ARGS...]
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

unsigned long PixelAt(Display* dpy, int x, int y) {
  XImage* image = XGetImage(dpy, DefaultRootWindow(dpy), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  const unsigned long pixel = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return pixel;
}

// The window's _NET_WM_NAME (UTF-8) is `title`.
bool Titled(Display* dpy, Window w, const char* title) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom name = XInternAtom(dpy, "_NET_WM_NAME", False);
  if (XGetWindowProperty(dpy, w, name, 0, 256, False, AnyPropertyType, &type, &format, &count,
                         &after, &data) != Success ||
      data == nullptr) {
    return false;
  }
  const bool match = format == 8 && std::string(reinterpret_cast<char*>(data), count) == title;
  XFree(data);
  return match;
}

pid_t Start(char** argv) {
  const pid_t pid = fork();
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    execv(argv[0], argv);
    std::perror(argv[0]);
    _exit(127);
  }
  return pid;
}

// Waits for the window to map, then for its first picture; answers false if the program ended.
bool WaitFirstFrame(Display* dpy, const char* title, int dx, int dy, pid_t pid,
                    unsigned long desktop) {
  for (;;) {
    while (XPending(dpy) == 0) {
      if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
      usleep(200);
    }
    XEvent e;
    XNextEvent(dpy, &e);
    if (e.type != MapNotify || e.xmap.override_redirect || !Titled(dpy, e.xmap.window, title)) {
      continue;
    }
    XWindowAttributes a;
    XGetWindowAttributes(dpy, e.xmap.window, &a);
    // The window has no background of its own: until its picture arrives the screen shows the
    // desktop there.
    while (PixelAt(dpy, a.x + dx, a.y + dy) == desktop) usleep(100);
    return true;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: startup_probe TITLE DX DY PROGRAM [ARGS...]\n");
    return 2;
  }
  Display* dpy = XOpenDisplay(nullptr);
  if (dpy == nullptr) {
    std::fprintf(stderr, "startup_probe: cannot open the display\n");
    return 2;
  }
  XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
  const unsigned long desktop = PixelAt(dpy, 0, 0);
  const auto started = Clock::now();
  const pid_t pid = Start(argv + 4);
  if (WaitFirstFrame(dpy, argv[1], std::atoi(argv[2]), std::atoi(argv[3]), pid, desktop)) {
    const std::chrono::duration<double, std::milli> ms = Clock::now() - started;
    std::printf("first frame: %.1f ms\n", ms.count());
    std::fflush(stdout);
  }
  XCloseDisplay(dpy);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  std::printf("exit: %d, peak resident memory: %.1f MiB\n",
              WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
              static_cast<double>(usage.ru_maxrss) / 1024.0);
  return 0;
}
