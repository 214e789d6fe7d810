#pragma once

#include <memory>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// What every part of the X11 display shares: the connection, the screen and its two visuals
// (the default one for ordinary windows, a 32-bit ARGB one for layered windows), the atoms, and
// questions about the desktop that are answered by the server each time they are asked.
namespace display::x11 {

struct Atoms {
  Atom wmProtocols, wmDeleteWindow, wmState, netWmName, utf8String, netWmState,
      netWmStateSkipTaskbar, netWmStateSkipPager, netWmStateAbove, netWmWindowType,
      netWmWindowTypeNormal, netWmWindowTypeDialog, motifWmHints, netSupportingWmCheck, netWmPid,
      compositorSelection;
};

struct Connection {
  ::Display* dpy = nullptr;
  int screen = 0;
  ::Window root = 0;
  Visual* visual = nullptr;  // default: 24-bit TrueColor kept in 32-bit pixels
  XVisualInfo argb{};        // 32-bit TrueColor with alpha
  Atoms atoms{};
  int fixesEventBase = 0;

  // Null when the server cannot be reached or lacks what the windows need (an ARGB visual,
  // XFixes, the pixel layout of our pictures).
  static std::unique_ptr<Connection> Open();
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection();

  // A compositing manager owns the selection _NET_WM_CM_S<screen>; without one, alpha is lost.
  bool CompositorRunning() const;
  // A window manager names its check window on the root, and on the check window itself.
  bool WindowManagerRunning() const;
};

}  // namespace display::x11
