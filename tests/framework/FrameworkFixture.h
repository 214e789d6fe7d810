#pragma once

#include <gtest/gtest.h>

#include "framework/TApplication.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/winsys/ManualClock.h"
#include "platform/winsys/WindowSystem.h"

// A window system on a headless screen with a manual clock, and the application object.
class FrameworkTest : public ::testing::Test {
 protected:
  // Handles every message that is due now.
  void Pump() { application.ProcessMessages(); }

  // The composed desktop's colour at a screen point, as 0xRRGGBB.
  uint32_t ScreenPixel(int x, int y) {
    const winsys::PixelBuffer& desktop = screen.Compose();
    const uint8_t* p = desktop.Pixel(x, y);
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  }

  display::HeadlessDisplay screen;
  winsys::ManualClock clock;
  winsys::WindowSystem system{screen, clock};
  TApplication application;
};
