#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/f_PNGImageButton.h"
#include "framework/TCustomForm.h"
#include "tests/framework/FrameworkFixture.h"

// A picture of one colour (0xRRGGBB) and one alpha.
inline std::unique_ptr<TPNGObject> SolidPng(int width, int height, uint32_t rgb,
                                            uint8_t alpha = 255) {
  auto png = std::make_unique<TPNGObject>();
  png->CreateBlank(COLOR_RGBALPHA, 8, width, height);
  for (int y = 0; y < height; ++y) {
    uint8_t* p = png->Scanline(y);
    for (int x = 0; x < width; ++x, p += 4) {
      p[0] = uint8_t(rgb);
      p[1] = uint8_t(rgb >> 8);
      p[2] = uint8_t(rgb >> 16);
      p[3] = alpha;
    }
  }
  return png;
}

// A white 200 x 100 form at the screen's top-left corner, shown, for buttons to sit on.
class ButtonTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = application.CreateForm<TForm>();
    form->SetBounds(0, 0, 200, 100);
    form->SetColor(clWhite);
    form->Show();
    Pump();
  }

  template <class T = TPNGImageButton>
  T* MakeButton(int x, int y) {
    T* button = TComponent::Create<T>(form);
    button->SetLeft(x);
    button->SetTop(y);
    button->SetParent(form);
    return button;
  }

  // Logs the button's own events by name.
  void Watch(TPNGImageButton* button, const std::string& name = "") {
    const std::string prefix = name.empty() ? "" : name + " ";
    button->SetOnClick([this, prefix](TObject*) { events.push_back(prefix + "click"); });
    button->SetOnDblClick([this, prefix](TObject*) { events.push_back(prefix + "dblclick"); });
    button->SetOnMouseEnter([this, prefix](TObject*) { events.push_back(prefix + "enter"); });
    button->SetOnMouseLeave([this, prefix](TObject*) { events.push_back(prefix + "leave"); });
    button->SetOnMouseDown([this, prefix](TObject*, TMouseButton, TShiftState, int, int) {
      events.push_back(prefix + "down");
    });
    button->SetOnMouseUp([this, prefix](TObject*, TMouseButton, TShiftState, int, int) {
      events.push_back(prefix + "up");
    });
  }

  // The smallest rectangle of the screen area that holds every pixel of colour rgb; empty when
  // there is none.
  TRect Extent(const TRect& area, uint32_t rgb) {
    const winsys::PixelBuffer& desktop = screen.Compose();
    TRect found{area.Right, area.Bottom, area.Left, area.Top};
    for (int y = area.Top; y < area.Bottom; ++y) {
      for (int x = area.Left; x < area.Right; ++x) {
        const uint8_t* p = desktop.Pixel(x, y);
        if ((uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]) != rgb) continue;
        found = {std::min(found.Left, x), std::min(found.Top, y), std::max(found.Right, x + 1),
                 std::max(found.Bottom, y + 1)};
      }
    }
    return found.IsEmpty() ? TRect{} : found;
  }

  TForm* form = nullptr;
  std::vector<std::string> events;
};
