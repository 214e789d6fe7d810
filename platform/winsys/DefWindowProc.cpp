#include "platform/winsys/Internal.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys {
namespace {

LRESULT HitTest(HWND hwnd, LPARAM lParam) {
  const Window* w = WindowSystem::Current().Find(hwnd);
  POINT pt{GET_X_LPARAM(lParam) - w->rect.left, GET_Y_LPARAM(lParam) - w->rect.top};
  bool inside = w->region != nullptr ? w->region->Contains(pt)
                                     : RECT{0, 0, w->rect.Width(), w->rect.Height()}.Contains(pt);
  return inside ? HTCLIENT : HTNOWHERE;
}

void PositionChanged(HWND hwnd, const WINDOWPOS& wp) {
  if ((wp.flags & SWP_NOCLIENTMOVE) == 0) {
    RECT r;
    GetWindowRect(hwnd, &r);
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(r.left, r.top));
  }
  if ((wp.flags & SWP_NOCLIENTSIZE) == 0 && IsWindow(hwnd)) {
    RECT r;
    GetClientRect(hwnd, &r);
    WPARAM kind = IsIconic(hwnd) ? SIZE_MINIMIZED : IsZoomed(hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    // A minimised window has no client area to speak of.
    LPARAM extent = kind == SIZE_MINIMIZED ? 0 : MAKELPARAM(r.right, r.bottom);
    SendMessage(hwnd, WM_SIZE, kind, extent);
  }
}

void SystemCommand(HWND hwnd, WPARAM command) {
  switch (command & 0xFFF0) {
    case SC_MOVE:
      detail::RunMoveLoop(hwnd);
      break;
    case SC_MINIMIZE:
      ShowWindow(hwnd, SW_MINIMIZE);
      break;
    case SC_MAXIMIZE:
      ShowWindow(hwnd, SW_MAXIMIZE);
      break;
    case SC_RESTORE:
      ShowWindow(hwnd, SW_RESTORE);
      break;
    case SC_CLOSE:
      SendMessage(hwnd, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(hwnd)) return 0;
  switch (msg) {
    case WM_NCHITTEST:
      return HitTest(hwnd, lParam);
    case WM_WINDOWPOSCHANGED:
      PositionChanged(hwnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) SetFocus(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(hwnd, &ps) != nullptr) EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND:
      SystemCommand(hwnd, wParam);
      return 0;
    case WM_NCLBUTTONDOWN:
      if (static_cast<LRESULT>(wParam) == HTCAPTION) {
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | static_cast<WPARAM>(HTCAPTION), lParam);
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & (LPARAM{1} << 29)) != 0) {
        SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace winsys
