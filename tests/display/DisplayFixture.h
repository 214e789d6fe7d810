#pragma once

#include <gtest/gtest.h>

#include <array>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/winsys/ManualClock.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace display::testing {

using namespace winsys;

using Bgr = std::array<uint8_t, 3>;

class DisplayTest : public ::testing::Test {
 protected:
  HWND Make(RECT r, DWORD exStyle = 0) {
    WindowParams params;
    params.style = WS_POPUP | WS_VISIBLE;
    params.exStyle = exStyle;
    params.x = r.left;
    params.y = r.top;
    params.width = r.Width();
    params.height = r.Height();
    params.proc = DefWindowProc;
    return CreateWindowEx(params);
  }

  // Paints an ordinary window's surface, pixel by pixel from its client coordinates.
  template <typename Paint>
  void PaintSurface(HWND hwnd, Paint paint) {
    HDC dc = GetDC(hwnd);
    for (int y = 0; y < dc->height; ++y) {
      for (int x = 0; x < dc->width; ++x) {
        Bgr c = paint(x, y);
        uint8_t* p = dc->Pixel(x, y);
        p[0] = c[0];
        p[1] = c[1];
        p[2] = c[2];
        p[3] = 255;
      }
    }
    ReleaseDC(hwnd, dc);
  }

  Bgr At(const PixelBuffer& desktop, int x, int y) const {
    const uint8_t* p = desktop.Pixel(x, y);
    return Bgr{p[0], p[1], p[2]};
  }

  HeadlessDisplay screen;
  ManualClock clock;
  WindowSystem system{screen, clock};
};

}  // namespace display::testing
