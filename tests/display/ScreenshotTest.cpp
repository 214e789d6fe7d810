#include <png.h>

#include <cmath>
#include <filesystem>

#include "platform/kernel/Exception.h"
#include "tests/display/DisplayFixture.h"

namespace display::testing {
namespace {

// A soft black edge around a w x h form, premultiplied: what a drop shadow window shows (its
// middle, under the form, left clear).
PixelBuffer ShadowPicture(int w, int h, int edge) {
  PixelBuffer picture(w + 2 * edge, h + 2 * edge);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      int dx = std::max({edge - x, x - (w + edge - 1), 0});
      int dy = std::max({edge - y, y - (h + edge - 1), 0});
      double d = std::sqrt(double(dx * dx + dy * dy)) / edge;
      picture.Pixel(x, y)[3] = static_cast<uint8_t>(d >= 1 ? 0 : 160 * (1 - d) * (1 - d));
    }
  }
  return picture;
}

void Push(HWND hwnd, const PixelBuffer& picture, BYTE constantAlpha) {
  BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
  SIZE size{picture.width, picture.height};
  POINT origin;
  ASSERT_TRUE(UpdateLayeredWindow(hwnd, nullptr, nullptr, &size, const_cast<PixelBuffer*>(&picture),
                                  &origin, 0, &blend, ULW_ALPHA));
}

TEST_F(DisplayTest, WritesTheComposedDesktopAsPng) {
  // The main window with its shadow directly below it, and a dialog with its own shadow over it.
  HWND form = Make(RECT{100, 80, 720, 496});
  PaintSurface(form, [](int x, int y) {
    if (y < 241)
      return Bgr{static_cast<uint8_t>(255 - y / 3), static_cast<uint8_t>(120 + y / 4), 30};
    return Bgr{255, 255, static_cast<uint8_t>(255 - x / 8)};
  });
  HWND formShadow = Make(RECT{84, 64, 84, 64}, WS_EX_LAYERED | WS_EX_NOACTIVATE);
  Push(formShadow, ShadowPicture(620, 416, 16), 255);
  SetWindowPos(formShadow, form, 0, 0, 0, 0, 83);

  HWND dialog = Make(RECT{560, 380, 973, 541}, WS_EX_TOPMOST);
  PaintSurface(dialog, [](int x, int y) {
    return y < 35 ? Bgr{202, 139, 66}
                  : Bgr{255, 255, static_cast<uint8_t>(x % 64 < 32 ? 255 : 235)};
  });
  HWND dialogShadow = Make(RECT{544, 364, 544, 364}, WS_EX_LAYERED | WS_EX_NOACTIVATE);
  Push(dialogShadow, ShadowPicture(413, 161, 16), 200);
  SetWindowPos(dialogShadow, dialog, 0, 0, 0, 0, 83);

  const std::string path = "composed_desktop.png";
  std::filesystem::remove(path);
  screen.WritePng(path);

  // What was written is what was composed.
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
  image.format = PNG_FORMAT_BGRA;
  PixelBuffer read(static_cast<int>(image.width), static_cast<int>(image.height));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, read.bytes.data(), read.Stride(), nullptr));
  const PixelBuffer& desktop = screen.Compose();
  EXPECT_EQ(read.width, 1280);
  EXPECT_EQ(read.height, 800);
  EXPECT_TRUE(read.bytes == desktop.bytes);
  // The shadow darkens the desktop just outside the form, most at the form's edge.
  EXPECT_LT(At(desktop, 99, 300)[0], At(desktop, 90, 300)[0]);
  EXPECT_LT(At(desktop, 90, 300)[0], 0xD3);
  EXPECT_EQ(At(desktop, 80, 300)[0], 0xD3);
}

TEST_F(DisplayTest, UnwritablePathRaises) {
  EXPECT_THROW(screen.WritePng("/nonexistent-folder/shot.png"), kernel::Exception);
}

}  // namespace
}  // namespace display::testing
