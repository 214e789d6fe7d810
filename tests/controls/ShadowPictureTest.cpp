#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/controls/ShadowFixture.h"

namespace {

using winsys::POINT;

// The falloff of the default shadow (two blur passes, black) along the middle of each side of
// the picture, from the outer edge inwards.
struct Side {
  std::string name;
  std::vector<int> alphas;
  std::function<POINT(int i, int W, int H)> at;  // the i-th pixel from the edge
};

const std::vector<int> kLeftRight = {0, 0, 0, 0, 0, 0, 0, 1, 1, 4, 7, 17, 28, 60, 77, 116};

const std::vector<Side> kSides = {
    // Row 16 lies under the form's top row and still belongs to the band.
    {"top",
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 63, 95, 143, 167},
     [](int i, int W, int) {
       return POINT{W / 2, i};
     }},
    {"left", kLeftRight,
     [](int i, int, int H) {
       return POINT{i, H / 2};
     }},
    {"right", kLeftRight,
     [](int i, int W, int H) {
       return POINT{W - 1 - i, H / 2};
     }},
    // The blur runs in place from the top, so the shadow reaches further below the form.
    {"bottom",
     {0, 0, 0, 1, 1, 2, 3, 5, 7, 11, 14, 22, 29, 44, 58, 86},
     [](int i, int W, int H) {
       return POINT{W / 2, H - 1 - i};
     }},
};

class ShadowPictureTest : public ShadowTest {
 protected:
  // Alphas (or, with red, the red bytes) along one side of the current picture.
  std::vector<int> Along(const Side& side, int byte = 3) const {
    const winsys::PixelBuffer& picture = shadow->ShadowBitmap().Buffer();
    std::vector<int> values;
    for (size_t i = 0; i < side.alphas.size(); ++i) {
      const POINT p = side.at(int(i), picture.width, picture.height);
      values.push_back(picture.Pixel(p.x, p.y)[byte]);
    }
    return values;
  }
  std::vector<int> ColourBytes(const Side& side) const {
    std::vector<int> values;
    for (int byte = 0; byte < 3; ++byte) {
      for (int v : Along(side, byte)) values.push_back(v);
    }
    return values;
  }
};

TEST_F(ShadowPictureTest, EveryFormSizeGetsTheSameFalloffOnEachSide) {
  struct Size {
    int w, h;
  };
  // The main window, the failure dialog, a larger and a smaller form, and forms just too
  // narrow or too low for the bands, whose sides come from the corners alone.
  const std::vector<Size> sizes = {{620, 416}, {413, 161}, {800, 600}, {31, 30}, {32, 31}};
  ShowWithShadow();
  for (const Size& size : sizes) {
    form->SetBounds(100, 80, size.w, size.h);
    Pump();
    const TBitmap& picture = shadow->ShadowBitmap();
    ASSERT_EQ(picture.Width(), size.w + 32) << size.w << " x " << size.h;
    ASSERT_EQ(picture.Height(), size.h + 32) << size.w << " x " << size.h;
    for (const Side& side : kSides) {
      EXPECT_EQ(Along(side), side.alphas) << side.name << " of " << size.w << " x " << size.h;
      EXPECT_EQ(ColourBytes(side), std::vector<int>(3 * side.alphas.size(), 0))
          << side.name << " of " << size.w << " x " << size.h;
    }
  }
}

TEST_F(ShadowPictureTest, NoBlurLeavesNoShadowOutsideTheForm) {
  shadow->SetBlurPasses(0);
  ShowWithShadow();
  const winsys::PixelBuffer& picture = shadow->ShadowBitmap().Buffer();
  ASSERT_EQ(picture.width, 652);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const bool outside = x < 16 || y < 16 || x >= picture.width - 16 || y >= picture.height - 16;
      if (!outside) continue;
      ASSERT_EQ(Alpha(x, y), 0) << x << "," << y;
    }
  }
  EXPECT_EQ(Alpha(326, 16), 255) << "the band's last row lies under the form";
}

TEST_F(ShadowPictureTest, ShadowColourIsPremultipliedIntoTheBand) {
  shadow->SetShadowColor(clRed);
  ShowWithShadow();
  const Side& top = kSides[0];
  const std::vector<int> alphas = Along(top);
  EXPECT_EQ(alphas, top.alphas);
  EXPECT_EQ(Along(top, 2), alphas) << "red at full strength premultiplies to the alpha";
  EXPECT_EQ(Along(top, 0), std::vector<int>(alphas.size(), 0));
  EXPECT_EQ(Along(top, 1), std::vector<int>(alphas.size(), 0));
}

TEST_F(ShadowPictureTest, ColourAndBlurSetAfterTheFirstBuildChangeNothing) {
  ShowWithShadow();
  shadow->SetShadowColor(clRed);
  shadow->SetBlurPasses(0);
  form->SetBounds(100, 80, 500, 300);
  Pump();
  ASSERT_EQ(shadow->ShadowBitmap().Width(), 532);
  for (const Side& side : kSides) {
    EXPECT_EQ(Along(side), side.alphas) << side.name;
    EXPECT_EQ(ColourBytes(side), std::vector<int>(3 * side.alphas.size(), 0)) << side.name;
  }
}

TEST_F(ShadowPictureTest, TheMiddleShowsTheFormOnceItsSizeSettled) {
  ShowWithShadow();
  EXPECT_EQ(Alpha(326, 224), 0) << "nothing under the form before the capture";
  Advance(199);
  EXPECT_EQ(Alpha(326, 224), 0);
  Advance(1);
  const uint8_t* middle = shadow->ShadowBitmap().Buffer().Pixel(326, 224);
  EXPECT_EQ(std::vector<int>(middle, middle + 4), (std::vector<int>{255, 255, 255, 255}));

  // Only a new size takes a new copy.
  form->SetColor(clNavy);
  Pump();
  shadow->StartCaptureTimer();
  Advance(200);
  EXPECT_EQ(shadow->ShadowBitmap().Buffer().Pixel(326, 224)[0], 255);
  form->SetBounds(100, 80, 600, 400);
  Pump();
  Advance(200);
  EXPECT_EQ(shadow->ShadowBitmap().Buffer().Pixel(316, 216)[0], 0x80) << "navy, now";
}

// An L-shaped form: its lower part runs the full width, the upper right quarter is cut away.
TEST_F(ShadowPictureTest, AShapedFormCastsItsShadowAlongItsOutline) {
  form->SetBounds(100, 80, 200, 100);
  winsys::HRGN shape = winsys::CreateRectRgn(0, 0, 100, 100);
  winsys::HRGN lower = winsys::CreateRectRgn(100, 50, 200, 100);
  winsys::CombineRgn(shape, shape, lower, winsys::RGN_OR);
  winsys::DeleteObject(lower);
  winsys::SetWindowRgn(form->Handle(), shape, false);
  ShowWithShadow();

  ASSERT_TRUE(shadow->Shaped());
  ASSERT_EQ(shadow->ShadowBitmap().Width(), 232);
  ASSERT_EQ(shadow->ShadowBitmap().Height(), 132);
  EXPECT_EQ(Alpha(16 + 50, 16 + 50), 0) << "nothing under the form";
  EXPECT_EQ(Alpha(16 + 150, 16 + 75), 0);
  EXPECT_GT(Alpha(16 + 150, 16 + 49), 0) << "above the lower part, inside the cut";
  EXPECT_GT(Alpha(16 + 100, 16 + 25), 0) << "right of the upper part, inside the cut";
  EXPECT_EQ(Alpha(16 + 170, 16 + 10), 0) << "deep in the cut, away from the form";
  EXPECT_GT(Alpha(16 + 150, 131 - 8), 0) << "below the form";
  const uint8_t* clear = shadow->ShadowBitmap().Buffer().Pixel(16 + 50, 16 + 50);
  EXPECT_EQ(std::vector<int>(clear, clear + 4), (std::vector<int>{0, 0, 0, 0}));

  Advance(200);
  EXPECT_EQ(Alpha(16 + 50, 16 + 50), 0) << "the capture leaves a shaped form's middle clear";
}

}  // namespace
