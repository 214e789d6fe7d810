#include <algorithm>

#include "platform/winsys/Internal.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys {
namespace {

RECT Union(const RECT& a, const RECT& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT ClipToClient(const Window& w, const RECT& r) {
  return RECT{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, w.rect.Width()),
              std::min(r.bottom, w.rect.Height())};
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return false;
  RECT area =
      ClipToClient(*w, rect != nullptr ? *rect : RECT{0, 0, w->rect.Width(), w->rect.Height()});
  if (area.Empty()) return true;
  w->invalid = Union(w->invalid, area);
  w->eraseDue = w->eraseDue || erase;
  return true;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect) {
  const Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return false;
  if (rect != nullptr) *rect = w->invalid;
  return !w->invalid.Empty();
}

BOOL UpdateWindow(HWND hwnd) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return false;
  if (w->Shown() && !w->invalid.Empty()) SendMessage(hwnd, WM_PAINT, 0, 0);
  return true;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr || ps == nullptr) return nullptr;
  HDC hdc = &w->surface;
  *ps = PAINTSTRUCT{hdc, false, w->invalid};
  w->invalid = RECT{};
  if (w->eraseDue) {
    w->eraseDue = false;
    ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) == 0;
    // The eraser may have resized or destroyed the window, taking the surface with it.
    w = WindowSystem::Current().Find(hwnd);
    if (w == nullptr) return nullptr;
    ps->hdc = hdc = &w->surface;
  }
  return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr || ps == nullptr) return false;
  w->painted = Union(w->painted, ClipToClient(*w, ps->rcPaint));
  WindowSystem::Current().Notify(hwnd, Change::Surface);
  return true;
}

HDC GetDC(HWND hwnd) {
  Window* w = detail::Lookup(hwnd);
  return w == nullptr ? nullptr : &w->surface;
}

int ReleaseDC(HWND hwnd, HDC hdc) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr || hdc != &w->surface) return 0;
  // Drawing through GetDC may have touched any pixel.
  w->painted = RECT{0, 0, w->rect.Width(), w->rect.Height()};
  WindowSystem::Current().Notify(hwnd, Change::Surface);
  return 1;
}

}  // namespace winsys
