#pragma once

#include <vector>

#include "platform/winsys/Display.h"
#include "platform/winsys/PixelBuffer.h"

namespace display {

// Paints a scene of windows, bottom first, over a plain background: ordinary windows opaque,
// layered ones by premultiplied OVER with their constant alpha, each clipped by its region.
class Compositor {
 public:
  // `background` is blue, green, red.
  static void Compose(const std::vector<winsys::WindowImage>& scene, const uint8_t background[3],
                      winsys::PixelBuffer& desktop);
  // x / 255 rounded to the nearest, for x up to 255 * 255.
  static constexpr uint32_t Div255(uint32_t x) { return (x + 128 + ((x + 128) >> 8)) >> 8; }
};

}  // namespace display
