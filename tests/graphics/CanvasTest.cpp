#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "framework/TBitmap.h"
#include "framework/TPNGObject.h"
#include "framework/TPicture.h"

namespace {

std::array<uint8_t, 4> At(const winsys::PixelBuffer& buffer, int x, int y) {
  const uint8_t* p = buffer.Pixel(x, y);
  return {p[0], p[1], p[2], p[3]};
}

void Fill(TBitmap& bitmap, std::array<uint8_t, 4> bgra) {
  for (size_t i = 0; i < bitmap.Buffer().bytes.size(); ++i) bitmap.Buffer().bytes[i] = bgra[i % 4];
}

TEST(CanvasDraw, PngBlendsStraightAlphaOverTheCanvasAndKeepsItsAlpha) {
  const std::array<uint8_t, 4> background = {50, 100, 200, 77};
  const std::vector<uint8_t> alphas = {0, 1, 64, 128, 200, 254, 255};
  TPNGObject png;
  png.CreateBlank(COLOR_RGBALPHA, 8, int(alphas.size()), 1);
  for (size_t x = 0; x < alphas.size(); ++x) {
    uint8_t* p = png.Scanline(0) + 4 * x;
    p[0] = 250, p[1] = 20, p[2] = 10, p[3] = alphas[x];
  }
  TBitmap bitmap(int(alphas.size()) + 2, 3, pf32bit);
  Fill(bitmap, background);
  bitmap.Canvas().Draw(1, 1, png);
  for (size_t x = 0; x < alphas.size(); ++x) {
    const double a = alphas[x] / 255.0;
    const std::array<uint8_t, 4> expected = {uint8_t(std::lround(250 * a + 50 * (1 - a))),
                                             uint8_t(std::lround(20 * a + 100 * (1 - a))),
                                             uint8_t(std::lround(10 * a + 200 * (1 - a))), 77};
    EXPECT_EQ(At(bitmap.Buffer(), int(x) + 1, 1), expected) << "alpha " << int(alphas[x]);
  }
  EXPECT_EQ(At(bitmap.Buffer(), 0, 1), background);
  EXPECT_EQ(At(bitmap.Buffer(), 1, 0), background);
}

TEST(CanvasDraw, StretchDrawScalesByNearestPixel) {
  TBitmap source(2, 2);
  source.Canvas().SetPixel(0, 0, clRed);
  source.Canvas().SetPixel(1, 0, clLime);
  source.Canvas().SetPixel(0, 1, clBlue);
  source.Canvas().SetPixel(1, 1, clWhite);
  TBitmap dest(5, 4);
  dest.Canvas().StretchDraw(Rect(0, 0, 4, 4), source);
  const std::vector<TColor> row1 = {clRed, clRed, clLime, clLime, clBlack};
  const std::vector<TColor> row3 = {clBlue, clBlue, clWhite, clWhite, clBlack};
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(dest.Canvas().Pixel(x, 1), row1[size_t(x)]) << x;
    EXPECT_EQ(dest.Canvas().Pixel(x, 3), row3[size_t(x)]) << x;
  }
}

TEST(CanvasDraw, TransparentBitmapSkipsItsBottomLeftColour) {
  TBitmap icon(2, 2);
  icon.Canvas().Brush().SetColor(clFuchsia);
  icon.Canvas().FillRect(Rect(0, 0, 2, 2));
  icon.Canvas().SetPixel(1, 0, clNavy);
  icon.SetTransparent(true);
  EXPECT_EQ(icon.TransparentColor(), clFuchsia);
  TBitmap dest(2, 2);
  dest.Canvas().Brush().SetColor(clWhite);
  dest.Canvas().FillRect(Rect(0, 0, 2, 2));
  dest.Canvas().Draw(0, 0, icon);
  EXPECT_EQ(dest.Canvas().Pixel(0, 0), clWhite);
  EXPECT_EQ(dest.Canvas().Pixel(1, 0), clNavy);

  icon.SetTransparentColor(clNavy);
  EXPECT_EQ(icon.TransparentMode(), tmFixed);
  dest.Canvas().Draw(0, 0, icon);
  EXPECT_EQ(dest.Canvas().Pixel(0, 0), clFuchsia);
}

// A control paints into its parent's buffer at its own offset, clipped to its bounds.
TEST(CanvasTarget, OriginAndClipPlaceEveryOperation) {
  winsys::PixelBuffer parent(40, 30);
  TCanvas canvas;
  canvas.Attach(&parent, {10, 5}, Rect(0, 0, 20, 10));
  EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 20, 10));
  // Every operation leaves a colour, so that anything it touches shows.
  canvas.Brush().SetColor(clRed);
  canvas.FillRect(Rect(-5, -5, 100, 100));
  canvas.Font().SetHeight(15);
  canvas.Font().SetColor(clLime);
  canvas.TextOut(-3, -3, "请选择保存路径");
  canvas.Brush().SetStyle(bsClear);
  canvas.Pen().SetColor(clLime);
  canvas.Rectangle(Rect(-1, -1, 21, 11));
  TPNGObject png;
  png.CreateBlank(COLOR_RGB, 8, 50, 50);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) png.Scanline(y)[4 * x] = uint8_t(1 + x % 2 * 254);
  canvas.Draw(-2, -2, png);
  int inside = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool inBounds = x >= 10 && x < 30 && y >= 5 && y < 15;
      const uint8_t* p = parent.Pixel(x, y);
      const bool touched = p[0] != 0 || p[1] != 0 || p[2] != 0;
      EXPECT_EQ(touched, inBounds) << x << "," << y;
      inside += touched;
    }
  EXPECT_EQ(inside, 200);
  EXPECT_EQ(canvas.Pixel(20, 0), clNone);
}

TEST(CanvasCopy, CopyRectAndBitBltMoveWholePixelsBetweenCanvases) {
  winsys::PixelBuffer parent(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      uint8_t* p = parent.Pixel(x, y);
      p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = 9, p[3] = uint8_t(10 * x + y);
    }
  TCanvas control;
  control.Attach(&parent, {3, 4}, Rect(0, 0, 4, 4));
  // The background a control finds beneath it.
  TBitmap background(4, 4, pf32bit);
  background.Canvas().CopyRect(Rect(0, 0, 4, 4), control, Rect(0, 0, 4, 4));
  EXPECT_EQ(At(background.Buffer(), 0, 0), (std::array<uint8_t, 4>{3, 4, 9, 34}));
  EXPECT_EQ(At(background.Buffer(), 3, 2), (std::array<uint8_t, 4>{6, 6, 9, 66}));

  // What lies outside the source's clip is not read.
  TBitmap shifted(4, 4, pf32bit);
  BitBlt(shifted.Canvas(), 0, 0, 4, 4, control, 2, 0);
  EXPECT_EQ(At(shifted.Buffer(), 1, 0), (std::array<uint8_t, 4>{6, 4, 9, 64}));
  EXPECT_EQ(At(shifted.Buffer(), 2, 0), (std::array<uint8_t, 4>{0, 0, 0, 0}));

  BitBlt(control, 1, 1, 2, 1, background.Canvas(), 0, 0);
  EXPECT_EQ(At(parent, 4, 5), (std::array<uint8_t, 4>{3, 4, 9, 34}));
  EXPECT_EQ(At(parent, 5, 5), (std::array<uint8_t, 4>{4, 4, 9, 44}));
}

TEST(CanvasRectangle, DashedOutlineWithClearBrushLeavesTheInside) {
  TBitmap bitmap(60, 30);
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().FillRect(Rect(0, 0, 60, 30));
  bitmap.Canvas().Pen().SetStyle(psDash);
  bitmap.Canvas().Pen().SetColor(clBlack);
  bitmap.Canvas().Brush().SetStyle(bsClear);
  bitmap.Canvas().Rectangle(Rect(0, 0, 60, 30));
  std::string top;
  for (int x = 0; x < 60; ++x) top += bitmap.Canvas().Pixel(x, 0) == clBlack ? '#' : '.';
  EXPECT_EQ(top, std::string(18, '#') + std::string(6, '.') + std::string(18, '#') +
                     std::string(6, '.') + std::string(12, '#'));
  // The dash continues down the right side: 6 more on, then 6 off.
  EXPECT_EQ(bitmap.Canvas().Pixel(59, 6), clBlack);
  EXPECT_EQ(bitmap.Canvas().Pixel(59, 7), clWhite);
  EXPECT_EQ(bitmap.Canvas().Pixel(59, 13), clBlack);
  for (int y = 1; y < 29; ++y)
    for (int x = 1; x < 59; ++x) ASSERT_EQ(bitmap.Canvas().Pixel(x, y), clWhite);

  bitmap.Canvas().Pen().SetStyle(psSolid);
  bitmap.Canvas().Pen().SetColor(clRed);
  bitmap.Canvas().Brush().SetStyle(bsSolid);
  bitmap.Canvas().Brush().SetColor(clBtnFace);
  bitmap.Canvas().Rectangle(Rect(10, 10, 13, 14));
  EXPECT_EQ(bitmap.Canvas().Pixel(11, 12), ColorToRGB(clBtnFace));
  EXPECT_EQ(bitmap.Canvas().Pixel(11, 13), clRed);
  EXPECT_EQ(bitmap.Canvas().Pixel(13, 12), clWhite);
}

TEST(CanvasBrush, PatternTilesFromTheCanvasOrigin) {
  TBitmap pattern(2, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) pattern.Canvas().SetPixel(x, y, RGB(x, y, 1));
  winsys::PixelBuffer parent(20, 20);
  TCanvas canvas;
  canvas.Attach(&parent, {3, 2});
  canvas.Brush().SetBitmap(&pattern);
  canvas.FillRect(Rect(1, 1, 9, 9));
  for (int y = 1; y < 9; ++y)
    for (int x = 1; x < 9; ++x)
      ASSERT_EQ(canvas.Pixel(x, y), RGB(x % 2, y % 3, 1)) << x << "," << y;
  EXPECT_EQ(canvas.Pixel(0, 0), clBlack);
}

TEST(Colors, SystemColorsResolveToTheDesktopScheme) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
  EXPECT_EQ(ColorToRGB(clGrayText), RGB(109, 109, 109));
  EXPECT_EQ(ColorToRGB(TColor(0x80000000u | 15)), RGB(240, 240, 240));
  EXPECT_EQ(ColorToRGB(clNavy), clNavy);
  EXPECT_EQ(RGB(72, 124, 181), 0xB57C48);
}

TEST(Bitmap, SetSizeKeepsTheOverlapAndPictureFollowsItsGraphic) {
  TBitmap bitmap(3, 3);
  bitmap.Canvas().SetPixel(1, 1, clRed);
  bitmap.SetWidth(5);
  bitmap.SetHeight(2);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clRed);
  EXPECT_EQ(bitmap.Canvas().Pixel(4, 1), clBlack);

  TPicture picture;
  int changes = 0;
  picture.SetOnChange([&](TObject*) { ++changes; });
  picture.SetGraphic(&bitmap);
  EXPECT_EQ(picture.Width(), 5);
  picture.Bitmap().SetSize(7, 1);
  EXPECT_EQ(picture.Width(), 7);
  EXPECT_EQ(bitmap.Width(), 5) << "the picture holds a copy";
  EXPECT_EQ(changes, 2);
  picture.SetGraphic(nullptr);
  EXPECT_TRUE(picture.Empty());
}

TEST(Bitmap, TravelsAsPngWithOrWithoutAlpha) {
  TBitmap bitmap(2, 1, pf32bit);
  bitmap.SetAlphaFormat(afDefined);
  uint8_t* p = bitmap.ScanLine(0);
  p[0] = 1, p[1] = 2, p[2] = 3, p[3] = 4;
  TBitmap copy;
  copy.LoadFromBytes(bitmap.SaveToBytes());
  EXPECT_EQ(copy.PixelFormat(), pf32bit);
  EXPECT_EQ(At(copy.Buffer(), 0, 0), (std::array<uint8_t, 4>{1, 2, 3, 4}));

  bitmap.SetPixelFormat(pf24bit);
  copy.LoadFromBytes(bitmap.SaveToBytes());
  EXPECT_EQ(copy.PixelFormat(), pf24bit);
  EXPECT_EQ(copy.DrawMode(), TDrawMode::Opaque);
  EXPECT_EQ(At(copy.Buffer(), 0, 0), (std::array<uint8_t, 4>{1, 2, 3, 255}));
}

}  // namespace
