#include "platform/winsys/Internal.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys {
namespace {

bool IsSpecialInsertAfter(HWND after) {
  return after == HWND_TOP || after == HWND_BOTTOM || after == HWND_TOPMOST ||
         after == HWND_NOTOPMOST;
}

// Applies the z-order part of a placement; answers whether the order changed.
bool Restack(WindowSystem& system, Window& w, HWND after) {
  if (after == w.hwnd) return false;
  if (after == HWND_TOPMOST) {
    w.exStyle |= WS_EX_TOPMOST;
  } else if (after == HWND_NOTOPMOST) {
    w.exStyle &= ~WS_EX_TOPMOST;
  } else if (!IsSpecialInsertAfter(after)) {
    const Window* below = system.Find(after);
    if (below == nullptr) return false;
    // Directly below the given window means in its band, topmost or not.
    w.exStyle = below->Topmost() ? (w.exStyle | WS_EX_TOPMOST) : (w.exStyle & ~WS_EX_TOPMOST);
  }
  return system.Stack().Place(w.hwnd, after);
}

// The owner takes over from a window that goes away, as a dialog hands back to its window.
void HandOffActivation(WindowSystem& system, const Window& w) {
  const Window* owner = system.Find(w.owner);
  detail::Activate(owner != nullptr && owner->Shown() && owner->Enabled() ? owner->hwnd : nullptr,
                   WA_ACTIVE);
}

}  // namespace

namespace detail {

BOOL PlaceWindow(HWND hwnd, WINDOWPOS wp, bool stateChanged) {
  WindowSystem& system = WindowSystem::Current();
  if (Lookup(hwnd) == nullptr) return false;
  wp.hwnd = hwnd;
  // A window that is about to be hidden or minimised stops being the active one first, so that
  // whatever it does on deactivation is undone by the hiding and not the other way round.
  const Window* before = system.Find(hwnd);
  if (system.Active() == hwnd &&
      (((wp.flags & SWP_HIDEWINDOW) != 0 && before->Visible()) || before->minimized)) {
    HandOffActivation(system, *before);
  }
  if (Lookup(hwnd) == nullptr) return false;
  SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
  Window* w = Lookup(hwnd);
  if (w == nullptr) return false;

  const RECT old = w->rect;
  const bool wasVisible = w->Visible();
  if ((wp.flags & SWP_NOMOVE) == 0) {
    w->rect = RECT{wp.x, wp.y, wp.x + old.Width(), wp.y + old.Height()};
  }
  if ((wp.flags & SWP_NOSIZE) == 0) {
    w->rect.right = w->rect.left + std::max(wp.cx, 0);
    w->rect.bottom = w->rect.top + std::max(wp.cy, 0);
  }
  const bool moved = w->rect.left != old.left || w->rect.top != old.top;
  const bool sized = w->rect.Width() != old.Width() || w->rect.Height() != old.Height();
  if (sized) w->surface.Resize(w->rect.Width(), w->rect.Height());
  const bool restacked = (wp.flags & SWP_NOZORDER) == 0 && Restack(system, *w, wp.hwndInsertAfter);
  if ((wp.flags & SWP_SHOWWINDOW) != 0) {
    w->style |= WS_VISIBLE;
  } else if ((wp.flags & SWP_HIDEWINDOW) != 0) {
    w->style &= ~WS_VISIBLE;
  }
  const bool shownNow = w->Visible() && !wasVisible;
  if (sized || shownNow) InvalidateRect(hwnd, nullptr, true);
  if (moved || sized) system.Notify(hwnd, Change::Placement);
  if (restacked) system.Notify(hwnd, Change::ZOrder);
  // Minimising and restoring change what a screen shows without touching WS_VISIBLE.
  if (w->Visible() != wasVisible || stateChanged) system.Notify(hwnd, Change::Visibility);

  if ((wp.flags & SWP_NOACTIVATE) == 0 && w->Shown() && w->Enabled() &&
      (w->exStyle & WS_EX_NOACTIVATE) == 0) {
    Activate(hwnd, WA_ACTIVE);
  }
  if (!stateChanged) {
    if (!moved) wp.flags |= SWP_NOCLIENTMOVE;
    if (!sized) wp.flags |= SWP_NOCLIENTSIZE;
  }
  if (Lookup(hwnd) == nullptr) return false;
  SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));

  return true;
}

}  // namespace detail

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return detail::PlaceWindow(hwnd, WINDOWPOS{hwnd, insertAfter, x, y, cx, cy, flags}, false);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace winsys
