#include <algorithm>
#include <cstring>

#include "platform/kernel/LastError.h"
#include "platform/winsys/Internal.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace winsys {

BOOL UpdateLayeredWindow(HWND hwnd, HDC /*dst*/, const POINT* dstPoint, const SIZE* size, HDC src,
                         const POINT* srcPoint, COLORREF /*key*/, const BLENDFUNCTION* blend,
                         DWORD flags) {
  Window* w = detail::Lookup(hwnd);
  if (w == nullptr) return false;
  const POINT from = srcPoint != nullptr ? *srcPoint : POINT{};
  const SIZE extent = size != nullptr ? *size : SIZE{w->rect.Width(), w->rect.Height()};
  const bool fits = src != nullptr && from.x >= 0 && from.y >= 0 && extent.cx >= 0 &&
                    extent.cy >= 0 && from.x + extent.cx <= src->width &&
                    from.y + extent.cy <= src->height;
  if (!w->Layered() || !fits || (flags & ULW_COLORKEY) != 0 ||
      (flags & (ULW_ALPHA | ULW_OPAQUE)) == 0 || ((flags & ULW_ALPHA) != 0 && blend == nullptr)) {
    kernel::SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const RECT r = w->rect;
  const bool move = dstPoint != nullptr && (dstPoint->x != r.left || dstPoint->y != r.top);
  const bool resize = extent.cx != r.Width() || extent.cy != r.Height();
  if (move || resize) {
    UINT placeFlags =
        SWP_NOZORDER | SWP_NOACTIVATE | (move ? 0 : SWP_NOMOVE) | (resize ? 0 : SWP_NOSIZE);
    POINT to = move ? *dstPoint : POINT{r.left, r.top};
    if (!SetWindowPos(hwnd, nullptr, to.x, to.y, extent.cx, extent.cy, placeFlags)) return false;
    if ((w = detail::Lookup(hwnd)) == nullptr) return false;
  }
  w->layeredPicture.Resize(extent.cx, extent.cy);
  for (int y = 0; y < extent.cy; ++y) {
    std::memcpy(w->layeredPicture.Row(y), src->Pixel(from.x, from.y + y),
                static_cast<size_t>(extent.cx) * 4);
  }
  w->blend = (flags & ULW_ALPHA) != 0 ? *blend : BLENDFUNCTION{};
  w->layeredFlags = flags;
  WindowSystem::Current().Notify(hwnd, Change::Layered);
  return true;
}

}  // namespace winsys
