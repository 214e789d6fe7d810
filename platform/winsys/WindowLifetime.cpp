#include "platform/kernel/LastError.h"
#include "platform/winsys/Internal.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys {

namespace detail {

Window* Lookup(HWND hwnd) {
  Window* w = WindowSystem::Current().Find(hwnd);
  if (w == nullptr) kernel::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

}  // namespace detail

HWND CreateWindowEx(const WindowParams& params) {
  WindowSystem& system = WindowSystem::Current();
  if (!params.proc || (params.owner != nullptr && detail::Lookup(params.owner) == nullptr)) {
    kernel::SetLastError(params.proc ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto window = std::make_unique<Window>();
  window->hwnd = system.NewHandle();
  window->style = params.style & ~WS_VISIBLE;
  window->exStyle = params.exStyle;
  if (params.owner != nullptr && system.Find(params.owner)->Topmost()) {
    window->exStyle |= WS_EX_TOPMOST;  // a topmost owner keeps what it owns above the rest
  }
  window->classStyle = params.classStyle;
  window->owner = params.owner;
  window->text = params.text;
  window->rect = RECT{params.x, params.y, params.x + std::max(params.width, 0),
                      params.y + std::max(params.height, 0)};
  window->restoreRect = window->rect;
  window->surface.Resize(window->rect.Width(), window->rect.Height());
  window->proc = std::make_shared<const WNDPROC>(params.proc);
  window->userData = params.userData;
  HWND hwnd = system.Add(std::move(window)).hwnd;
  system.Notify(hwnd, Change::Created);

  CREATESTRUCT cs{params.createParams,
                  params.owner,
                  params.height,
                  params.width,
                  params.y,
                  params.x,
                  static_cast<LONG>(params.style),
                  params.exStyle};
  if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  Window* w = system.Find(hwnd);
  if (w == nullptr) return nullptr;
  SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->rect.Width(), w->rect.Height()));
  if ((w = system.Find(hwnd)) == nullptr) return nullptr;
  SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left, w->rect.top));
  if ((params.style & WS_VISIBLE) != 0) ShowWindow(hwnd, SW_SHOW);
  return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  WindowSystem& system = WindowSystem::Current();
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr || w->destroying) return false;
  w->destroying = true;
  if (w->Visible()) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (HWND other : std::vector<HWND>(system.Stack().TopDown())) {
    Window* owned = system.Find(other);
    if (owned != nullptr && owned->owner == hwnd) DestroyWindow(other);
  }
  if (system.Active() == hwnd) detail::Activate(nullptr, WA_INACTIVE);
  if (system.Focus() == hwnd) SetFocus(nullptr);
  system.Timers().KillAll(hwnd);
  system.Input().Forget(hwnd);
  SendMessage(hwnd, WM_DESTROY, 0, 0);
  SendMessage(hwnd, WM_NCDESTROY, 0, 0);
  system.Remove(hwnd);
  system.Notify(hwnd, Change::Destroyed);
  return true;
}

BOOL IsWindow(HWND hwnd) {
  return WindowSystem::Current().Find(hwnd) != nullptr;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return 0;
  switch (index) {
    case GWL_STYLE:
      return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG_PTR>(w->exStyle);
    case GWLP_USERDATA:
      return w->userData;
    default:
      kernel::SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return 0;
  LONG_PTR old = GetWindowLongPtr(hwnd, index);
  auto bits = static_cast<DWORD>(value);
  switch (index) {
    // Visibility and the enabled state have calls of their own, which send their messages.
    case GWL_STYLE:
      w->style = (bits & ~(WS_VISIBLE | WS_DISABLED)) | (w->style & (WS_VISIBLE | WS_DISABLED));
      break;
    case GWL_EXSTYLE: {
      const bool wasLayered = w->Layered();
      w->exStyle = bits;
      // A window that stops being layered shows its surface again, and a new layered one shows
      // nothing until it is given a picture.
      if (w->Layered() != wasLayered) {
        w->layeredPicture = PixelBuffer();
        WindowSystem::Current().Notify(hwnd, Change::Layered);
      }
      break;
    }
    case GWLP_USERDATA:
      w->userData = value;
      break;
    default:
      return 0;
  }
  return old;
}

WNDPROC GetWindowProc(HWND hwnd) {
  Window* w = detail::Lookup(hwnd);
  return w == nullptr ? WNDPROC() : *w->proc;
}

WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr || !proc) {
    if (w != nullptr) kernel::SetLastError(ERROR_INVALID_PARAMETER);
    return WNDPROC();
  }
  WNDPROC old = *w->proc;
  w->proc = std::make_shared<const WNDPROC>(std::move(proc));
  return old;
}

LRESULT CallWindowProc(const WNDPROC& proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return nullptr;
  if (relation != GW_OWNER) {
    kernel::SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return w->owner;
}

BOOL SetWindowText(HWND hwnd, const std::string& text) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return false;
  w->text = text;
  WindowSystem::Current().Notify(hwnd, Change::Text);
  return true;
}

std::string GetWindowText(HWND hwnd) {
  Window* w = detail::Lookup(hwnd);
  return w == nullptr ? std::string() : w->text;
}

}  // namespace winsys
