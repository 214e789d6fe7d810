#include "platform/display/headless/Compositor.h"

#include <algorithm>
#include <cstring>

namespace display {
namespace {

using winsys::RECT;
using winsys::WindowImage;

RECT Intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

void CopyOpaque(const WindowImage& image, const RECT& area, winsys::PixelBuffer& desktop) {
  for (int y = area.top; y < area.bottom; ++y) {
    const uint8_t* src = image.pixels->Pixel(area.left - image.rect.left, y - image.rect.top);
    uint8_t* dst = desktop.Pixel(area.left, y);
    for (int x = area.left; x < area.right; ++x, src += 4, dst += 4) {
      std::memcpy(dst, src, 3);
      dst[3] = 255;
    }
  }
}

void BlendLayered(const WindowImage& image, const RECT& area, winsys::PixelBuffer& desktop) {
  const uint32_t ca = image.blend.SourceConstantAlpha;
  for (int y = area.top; y < area.bottom; ++y) {
    const uint8_t* src = image.pixels->Pixel(area.left - image.rect.left, y - image.rect.top);
    uint8_t* dst = desktop.Pixel(area.left, y);
    for (int x = area.left; x < area.right; ++x, src += 4, dst += 4) {
      const uint32_t sa = image.perPixelAlpha ? src[3] : 255;
      const uint32_t a = ca == 255 ? sa : Compositor::Div255(sa * ca);
      if (a == 0 && image.perPixelAlpha && src[0] == 0 && src[1] == 0 && src[2] == 0) continue;
      for (int c = 0; c < 3; ++c) {
        const uint32_t s = ca == 255 ? src[c] : Compositor::Div255(src[c] * ca);
        // Colour bytes larger than their alpha are not premultiplied; the sum is kept in range.
        dst[c] = static_cast<uint8_t>(
            std::min<uint32_t>(255, s + Compositor::Div255(dst[c] * (255 - a))));
      }
    }
  }
}

void Paint(const WindowImage& image, const RECT& area, winsys::PixelBuffer& desktop) {
  if (area.Empty()) return;
  if (image.layered) {
    BlendLayered(image, area, desktop);
  } else {
    CopyOpaque(image, area, desktop);
  }
}

}  // namespace

void Compositor::Compose(const std::vector<WindowImage>& scene, const uint8_t background[3],
                         winsys::PixelBuffer& desktop) {
  for (int y = 0; y < desktop.height; ++y) {
    uint8_t* row = desktop.Row(y);
    for (int x = 0; x < desktop.width; ++x, row += 4) {
      std::memcpy(row, background, 3);
      row[3] = 255;
    }
  }
  const RECT screen{0, 0, desktop.width, desktop.height};
  for (const WindowImage& image : scene) {
    // Only pixels that both the window and its picture have are shown.
    RECT shown =
        Intersect(Intersect(image.rect, screen),
                  RECT{image.rect.left, image.rect.top, image.rect.left + image.pixels->width,
                       image.rect.top + image.pixels->height});
    if (image.region == nullptr) {
      Paint(image, shown, desktop);
      continue;
    }
    for (const RECT& part : image.region->Rects()) {
      RECT onScreen{part.left + image.rect.left, part.top + image.rect.top,
                    part.right + image.rect.left, part.bottom + image.rect.top};
      Paint(image, Intersect(onScreen, shown), desktop);
    }
  }
}

}  // namespace display
