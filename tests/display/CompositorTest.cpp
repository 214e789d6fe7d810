#include "tests/display/DisplayFixture.h"

namespace display::testing {
namespace {

struct BlendCase {
  const char* name;
  std::array<uint8_t, 4> source;  // blue, green, red, alpha; premultiplied
  BYTE constantAlpha;
  BYTE alphaFormat;
  Bgr expected;  // over the window below, which is (200, 200, 200)
};

class LayeredBlend : public DisplayTest, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(LayeredBlend, IsPremultipliedOverWithConstantAlpha) {
  const BlendCase& c = GetParam();
  HWND below = Make(RECT{0, 0, 40, 40});
  PaintSurface(below, [](int, int) { return Bgr{200, 200, 200}; });
  HWND layered = Make(RECT{10, 10, 30, 30}, WS_EX_LAYERED);
  PixelBuffer picture(20, 20);
  for (size_t i = 0; i < picture.bytes.size(); i += 4) {
    std::copy(c.source.begin(), c.source.end(), picture.bytes.begin() + static_cast<long>(i));
  }
  BLENDFUNCTION blend{AC_SRC_OVER, 0, c.constantAlpha, c.alphaFormat};
  SIZE size{20, 20};
  POINT origin;
  ASSERT_TRUE(UpdateLayeredWindow(layered, nullptr, nullptr, &size, &picture, &origin, 0, &blend,
                                  ULW_ALPHA));

  const PixelBuffer& desktop = screen.Compose();
  EXPECT_EQ(At(desktop, 15, 15), c.expected);
  EXPECT_EQ(At(desktop, 5, 5), (Bgr{200, 200, 200}));
  EXPECT_EQ(At(desktop, 45, 45), (Bgr{0xD3, 0xD3, 0xD3}));  // the desktop's light grey
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, LayeredBlend,
    ::testing::Values(
        // Black shadow pixels: 200 * (255 - a) / 255, rounded.
        BlendCase{"ShadowAlpha93", {0, 0, 0, 93}, 255, AC_SRC_ALPHA, {127, 127, 127}},
        BlendCase{"ShadowAlpha200", {0, 0, 0, 200}, 255, AC_SRC_ALPHA, {43, 43, 43}},
        BlendCase{"Clear", {0, 0, 0, 0}, 255, AC_SRC_ALPHA, {200, 200, 200}},
        // Red at alpha 128, premultiplied: 100 + 200 * 127 / 255.
        BlendCase{"HalfRed", {0, 0, 100, 128}, 255, AC_SRC_ALPHA, {100, 100, 200}},
        // Constant alpha scales colour and alpha: 255 * 128 / 255 + 200 * 127 / 255.
        BlendCase{"ConstantHalf", {0, 0, 255, 255}, 128, AC_SRC_ALPHA, {100, 100, 228}},
        // Without per-pixel alpha the picture counts as opaque.
        BlendCase{"NoSourceAlpha", {10, 20, 30, 0}, 255, 0, {10, 20, 30}},
        BlendCase{"NoSourceAlphaHalf", {0, 0, 255, 0}, 128, 0, {100, 100, 228}}),
    [](const ::testing::TestParamInfo<BlendCase>& param) { return param.param.name; });

TEST_F(DisplayTest, ShadowOverTheDesktopMatchesACompositingScreen) {
  screen.SetBackground(0xE0, 0xE0, 0xE0);
  HWND shadow = Make(RECT{0, 0, 2, 1}, WS_EX_LAYERED);
  PixelBuffer picture(2, 1);
  picture.Pixel(0, 0)[3] = 93;
  picture.Pixel(1, 0)[3] = 200;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  SIZE size{2, 1};
  POINT origin;
  UpdateLayeredWindow(shadow, nullptr, nullptr, &size, &picture, &origin, 0, &blend, ULW_ALPHA);
  const PixelBuffer& desktop = screen.Compose();
  EXPECT_EQ(At(desktop, 0, 0), (Bgr{142, 142, 142}));
  EXPECT_EQ(At(desktop, 1, 0), (Bgr{48, 48, 48}));
}

TEST_F(DisplayTest, OrdinaryWindowsAreOpaqueInZOrderAndClippedByTheirRegion) {
  HWND back = Make(RECT{0, 0, 50, 50});
  PaintSurface(back, [](int, int) { return Bgr{255, 0, 0}; });
  HWND front = Make(RECT{25, 25, 75, 75});
  PaintSurface(front, [](int x, int) { return Bgr{0, static_cast<uint8_t>(x), 0}; });
  SetWindowRgn(front, CreateRectRgn(10, 10, 50, 50), false);
  HWND hidden = Make(RECT{0, 0, 100, 100});
  ShowWindow(hidden, SW_HIDE);

  const PixelBuffer& desktop = screen.Compose();
  EXPECT_EQ(At(desktop, 30, 30), (Bgr{255, 0, 0}));  // outside the front window's region
  EXPECT_EQ(At(desktop, 40, 40), (Bgr{0, 15, 0}));
  EXPECT_EQ(At(desktop, 80, 80), (Bgr{0xD3, 0xD3, 0xD3}));
  EXPECT_EQ(desktop.Pixel(40, 40)[3], 255);

  SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(At(screen.Compose(), 40, 40), (Bgr{255, 0, 0}));
}

TEST_F(DisplayTest, DisplayHearsWhatChanges) {
  HWND a = Make(RECT{0, 0, 10, 10});
  HWND b = Make(RECT{0, 0, 10, 10}, WS_EX_LAYERED);
  screen.TakeNotices();
  using Notices = std::vector<HeadlessDisplay::Notice>;

  SetWindowPos(a, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(screen.TakeNotices(), (Notices{{a, Change::Placement}}));
  SetWindowPos(b, a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  EXPECT_EQ(screen.TakeNotices(), (Notices{{b, Change::ZOrder}, {b, Change::Visibility}}));
  PixelBuffer picture(10, 10);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  SIZE size{10, 10};
  POINT origin;
  UpdateLayeredWindow(b, nullptr, nullptr, &size, &picture, &origin, 0, &blend, ULW_ALPHA);
  EXPECT_EQ(screen.TakeNotices(), (Notices{{b, Change::Layered}}));
  SetCursor(Cursor::Hand);
  EXPECT_EQ(screen.CurrentCursor(), Cursor::Hand);
  DestroyWindow(a);
  // A window is hidden before it goes.
  EXPECT_EQ(screen.TakeNotices(), (Notices{{a, Change::Visibility}, {a, Change::Destroyed}}));
}

}  // namespace
}  // namespace display::testing
