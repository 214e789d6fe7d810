#include "platform/winsys/Internal.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys {
namespace {

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE;
constexpr UINT kQuiet = SWP_NOZORDER | SWP_NOACTIVATE;

// Leaves the active window to the owner (see PlaceWindow), as a minimised window is not the one
// the user works in.
BOOL Minimize(Window& w) {
  HWND hwnd = w.hwnd;
  if (w.minimized) return true;
  w.minimized = true;
  UINT flags = kKeepPlace | kQuiet | SWP_SHOWWINDOW | SWP_FRAMECHANGED;
  return detail::PlaceWindow(hwnd, WINDOWPOS{hwnd, nullptr, 0, 0, 0, 0, flags}, true);
}

BOOL Maximize(Window& w) {
  HWND hwnd = w.hwnd;
  if (!w.maximized) w.restoreRect = w.rect;
  w.minimized = false;
  w.maximized = true;
  SIZE screen = WindowSystem::Current().Screen().ScreenSize();
  UINT flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED;
  return detail::PlaceWindow(hwnd, WINDOWPOS{hwnd, HWND_TOP, 0, 0, screen.cx, screen.cy, flags},
                             true);
}

BOOL Restore(Window& w, UINT extraFlags) {
  HWND hwnd = w.hwnd;
  if (w.minimized) {
    // Back to the state before the minimise: normal or maximised, at the rectangle it kept.
    w.minimized = false;
    UINT flags = kKeepPlace | SWP_SHOWWINDOW | SWP_FRAMECHANGED | extraFlags;
    return detail::PlaceWindow(hwnd, WINDOWPOS{hwnd, HWND_TOP, 0, 0, 0, 0, flags}, true);
  }
  if (w.maximized) {
    w.maximized = false;
    RECT r = w.restoreRect;
    UINT flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED | extraFlags;
    return detail::PlaceWindow(
        hwnd, WINDOWPOS{hwnd, HWND_TOP, r.left, r.top, r.Width(), r.Height(), flags}, true);
  }
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, kKeepPlace | SWP_SHOWWINDOW | extraFlags);
}

}  // namespace

BOOL ShowWindow(HWND hwnd, int command) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return false;
  const BOOL wasVisible = w->Visible();
  switch (command) {
    case SW_HIDE:
      if (wasVisible) SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kKeepPlace | kQuiet | SWP_HIDEWINDOW);
      break;
    case SW_SHOW:
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, kKeepPlace | SWP_SHOWWINDOW);
      break;
    case SW_SHOWNA:
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kKeepPlace | kQuiet | SWP_SHOWWINDOW);
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
      Restore(*w, 0);
      break;
    case SW_SHOWNOACTIVATE:
      Restore(*w, SWP_NOACTIVATE);
      break;
    case SW_MINIMIZE:
      Minimize(*w);
      break;
    case SW_MAXIMIZE:
      Maximize(*w);
      break;
    default:
      break;
  }
  return wasVisible;
}

}  // namespace winsys
