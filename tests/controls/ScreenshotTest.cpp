// Draws the main window's chrome on a light desktop and keeps the picture in the working folder
// (chrome_screenshot.png), for a person to look at.
#include <gtest/gtest.h>

#include <memory>

#include "controls/f_PNGImageButton.h"
#include "tests/controls/ButtonFixture.h"
#include "tests/controls/ShadowFixture.h"

namespace {

// A button face: a rounded rectangle of one colour, its corners fading out.
std::unique_ptr<TPNGObject> RoundedFace(int width, int height, uint32_t rgb) {
  auto png = SolidPng(width, height, rgb);
  const int radius = 6;
  for (int y = 0; y < height; ++y) {
    const TAlphaRow alpha = png->AlphaScanline(y);
    for (int x = 0; x < width; ++x) {
      const int dx = std::max({radius - x, x - (width - 1 - radius), 0});
      const int dy = std::max({radius - y, y - (height - 1 - radius), 0});
      const int d2 = dx * dx + dy * dy;
      if (d2 > radius * radius) alpha[x] = 0;
    }
  }
  return png;
}

class ScreenshotTest : public ShadowTest {};

TEST_F(ScreenshotTest, TheMainWindowWithItsShadowAndButtons) {
  screen.SetBackground(0xF2, 0xF2, 0xF2);
  form->SetColor(RGB(0xFA, 0xFB, 0xFD));

  auto* close = TComponent::Create<TPNGImageButtonEx>(form);
  const auto closeFace = RoundedFace(30, 27, 0xE04343);
  close->SetPngImg(closeFace.get());
  close->SetLeft(620 - 30);
  close->SetParent(form);

  auto* download = TComponent::Create<TPNGImageButtonEx>(form);
  const auto downloadFace = RoundedFace(200, 48, 0x2F7BEA);
  download->SetPngImg(downloadFace.get());
  download->SetBounds(210, 300, 200, 48);
  download->SetCaption("Download now");
  download->Font().SetColor(clWhite);
  download->Font().SetHeight(18);
  download->SetParent(form);

  ShowWithShadow();
  Advance(200);
  screen.WritePng("chrome_screenshot.png");

  // The shadow darkens the desktop beside and below the form, most near the form.
  const uint32_t desktop = 0xF2F2F2;
  EXPECT_EQ(ScreenPixel(100 - 16, 80 + 200), desktop) << "the shadow fades out at its edge";
  EXPECT_LT(ScreenPixel(100 - 2, 80 + 200) & 0xFF, 0xF2u);
  EXPECT_LT(ScreenPixel(100 + 300, 80 + 416 + 2) & 0xFF,
            ScreenPixel(100 + 300, 80 + 416 + 8) & 0xFF);
  EXPECT_EQ(ScreenPixel(100 + 620 - 15, 80 + 13), 0xE04343u) << "the close button";
  EXPECT_EQ(ScreenPixel(100 + 620 - 1, 80), 0xFAFBFDu) << "its rounded corner shows the form";
  EXPECT_EQ(ScreenPixel(100 + 215, 80 + 324), 0x2F7BEAu) << "the download button";
}

}  // namespace
