// Draws the pictures of the sample form into forms/sample/. Run by hand after changing them:
//   make_sample_pictures tests/framework/forms/sample
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "framework/TPNGObject.h"

namespace {

struct TRgba {
  int r, g, b, a;
};

void Write(const std::string& path, int width, int height,
           const std::function<TRgba(int x, int y)>& pixel) {
  TPNGObject png;
  png.CreateBlank(COLOR_RGBALPHA, 8, width, height);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = png.Scanline(y);
    for (int x = 0; x < width; ++x) {
      const TRgba c = pixel(x, y);
      row[4 * x] = uint8_t(c.b), row[4 * x + 1] = uint8_t(c.g), row[4 * x + 2] = uint8_t(c.r);
      row[4 * x + 3] = uint8_t(c.a);
    }
  }
  png.SaveToFile(path);
}

int Mix(int from, int to, double t) {
  return int(std::lround(from + (to - from) * t));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  // The window's background: light blue at the top fading to white, stretched over the form.
  Write(folder + "/back.png", 8, 64, [](int, int y) {
    const double t = y / 63.0;
    return TRgba{Mix(214, 255, t), Mix(230, 255, t), Mix(248, 255, t), 255};
  });
  // The banner: a blue band that lets the background show more and more towards its bottom.
  Write(folder + "/banner.png", 62, 60, [](int, int y) {
    return TRgba{46, 117, 196, Mix(255, 96, y / 59.0)};
  });
  // The logo: an orange disc with a soft edge one pixel wide, transparent around it.
  Write(folder + "/logo.png", 48, 48, [](int x, int y) {
    const double distance = std::hypot(x + 0.5 - 24, y + 0.5 - 24);
    const double coverage = std::clamp(22.0 - distance, 0.0, 1.0);
    return TRgba{242, 140, 40, int(std::lround(255 * coverage))};
  });
  return 0;
}
