#include "platform/winsys/Internal.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys {

BOOL IsWindowVisible(HWND hwnd) {
  const Window* w = WindowSystem::Current().Find(hwnd);
  return w != nullptr && w->Visible();
}

BOOL IsIconic(HWND hwnd) {
  const Window* w = WindowSystem::Current().Find(hwnd);
  return w != nullptr && w->minimized;
}

BOOL IsZoomed(HWND hwnd) {
  const Window* w = WindowSystem::Current().Find(hwnd);
  return w != nullptr && w->maximized && !w->minimized;
}

BOOL IsWindowEnabled(HWND hwnd) {
  const Window* w = WindowSystem::Current().Find(hwnd);
  return w != nullptr && w->Enabled();
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  WindowSystem& system = WindowSystem::Current();
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return false;
  const BOOL wasDisabled = !w->Enabled();
  if (wasDisabled == !enable) return wasDisabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    // A disabled window holds on to nothing the user would then be stuck with.
    if (system.Input().Capture() == hwnd) system.Input().SetCapture(nullptr);
    if (system.Focus() == hwnd) SetFocus(nullptr);
  }
  SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
  return wasDisabled;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  const Window* w = detail::Lookup(hwnd);
  if (w == nullptr || rect == nullptr) return false;
  *rect = w->rect;
  return true;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  const Window* w = detail::Lookup(hwnd);
  if (w == nullptr || rect == nullptr) return false;
  *rect = RECT{0, 0, w->rect.Width(), w->rect.Height()};
  return true;
}

BOOL ClientToScreen(HWND hwnd, POINT* pt) {
  const Window* w = detail::Lookup(hwnd);
  if (w == nullptr || pt == nullptr) return false;
  *pt = POINT{pt->x + w->rect.left, pt->y + w->rect.top};
  return true;
}

BOOL ScreenToClient(HWND hwnd, POINT* pt) {
  const Window* w = detail::Lookup(hwnd);
  if (w == nullptr || pt == nullptr) return false;
  *pt = POINT{pt->x - w->rect.left, pt->y - w->rect.top};
  return true;
}

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return ERROR;
  w->region.reset(rgn);
  WindowSystem::Current().Notify(hwnd, Change::Shape);
  if (redraw) InvalidateRect(hwnd, nullptr, true);
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
  const Window* w = detail::Lookup(hwnd);
  if (w == nullptr || rgn == nullptr || w->region == nullptr) return ERROR;
  *rgn = *w->region;
  return rgn->Type();
}

BOOL GetCursorPos(POINT* pt) {
  if (pt == nullptr) return false;
  *pt = WindowSystem::Current().Input().Cursor();
  return true;
}

int16_t GetKeyState(int vk) {
  bool down = vk >= 0 && WindowSystem::Current().Input().KeyDown(static_cast<UINT>(vk));
  return down ? static_cast<int16_t>(0x8000) : 0;
}

void SetCursor(Cursor cursor) {
  WindowSystem::Current().Screen().CursorChanged(cursor);
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return WindowSystem::Current().Screen().ScreenSize().cx;
    case SM_CYSCREEN:
      return WindowSystem::Current().Screen().ScreenSize().cy;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return InputRouter::kDoubleClickSize;
    default:
      return 0;
  }
}

}  // namespace winsys
