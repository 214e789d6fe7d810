#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "framework/TApplication.h"
#include "framework/TCustomForm.h"
#include "framework/TTimer.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/winsys/ManualClock.h"
#include "platform/winsys/WindowSystem.h"

// A window system on a headless screen with a manual clock, and the application object.
class FrameworkTest : public ::testing::Test {
 protected:
  // Ends every modal loop after `ms` milliseconds of the test's clock, failing the test: a
  // modal window that its input did not close must not hang the run.
  void GuardModalLoops(unsigned ms = 60000) {
    guard_ = std::make_unique<TTimer>(nullptr);
    guard_->SetInterval(ms);
    guard_->SetOnTimer([](TObject*) {
      ADD_FAILURE() << "a modal window was still open";
      for (TCustomForm* form : Application->Forms()) {
        if (form->Modal()) form->SetModalResult(mrCancel);
      }
    });
  }

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
  std::unique_ptr<TTimer> guard_;
};
