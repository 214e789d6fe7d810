#include "platform/winsys/Internal.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys {

namespace detail {

void Activate(HWND hwnd, WORD how) {
  WindowSystem& system = WindowSystem::Current();
  HWND old = system.Active();
  if (old == hwnd) return;
  system.SetActive(hwnd);
  if (system.Find(old) != nullptr) {
    SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0),
                reinterpret_cast<LPARAM>(hwnd));
  }
  if (hwnd == nullptr) {
    SetFocus(nullptr);
  } else if (system.Find(hwnd) != nullptr && system.Active() == hwnd) {
    SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0),
                reinterpret_cast<LPARAM>(old));
  }
}

}  // namespace detail

HWND SetActiveWindow(HWND hwnd) {
  HWND old = WindowSystem::Current().Active();
  if (hwnd != nullptr && detail::Lookup(hwnd) == nullptr) return nullptr;
  detail::Activate(hwnd, WA_ACTIVE);
  return old;
}

HWND GetActiveWindow() {
  return WindowSystem::Current().Active();
}

HWND SetFocus(HWND hwnd) {
  WindowSystem& system = WindowSystem::Current();
  HWND old = system.Focus();
  if (hwnd != nullptr && detail::Lookup(hwnd) == nullptr) return nullptr;
  if (old == hwnd) return old;
  system.SetFocusWindow(hwnd);
  if (system.Find(old) != nullptr)
    SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd != nullptr && system.Find(hwnd) != nullptr && system.Focus() == hwnd) {
    SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  }
  return old;
}

HWND GetFocus() {
  return WindowSystem::Current().Focus();
}

HWND SetCapture(HWND hwnd) {
  InputRouter& input = WindowSystem::Current().Input();
  HWND old = input.Capture();
  if (detail::Lookup(hwnd) != nullptr) input.SetCapture(hwnd);
  return old;
}

BOOL ReleaseCapture() {
  WindowSystem::Current().Input().SetCapture(nullptr);
  return true;
}

HWND GetCapture() {
  return WindowSystem::Current().Input().Capture();
}

}  // namespace winsys
