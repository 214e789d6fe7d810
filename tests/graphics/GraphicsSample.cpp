// Draws a sample of text and alpha-blended pictures into a PNG file, for looking at by eye:
// graphics_sample out.png
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

#include "framework/TBitmap.h"
#include "framework/TPNGObject.h"

namespace {

// A disc with a soft edge whose alpha falls from 255 in the middle to 0 outside.
void SoftDisc(TPNGObject& png, int size, TColor color) {
  png.CreateBlank(COLOR_RGBALPHA, 8, size, size);
  const double r = size / 2.0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const double d = std::hypot(x + 0.5 - r, y + 0.5 - r);
      uint8_t* p = png.Scanline(y) + 4 * x;
      p[0] = GetBValue(color), p[1] = GetGValue(color), p[2] = GetRValue(color);
      p[3] = uint8_t(std::clamp(255.0 * (r - d) / (r * 0.5), 0.0, 255.0));
    }
}

void Paint(TCanvas& canvas) {
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(Rect(0, 0, 400, 260));
  // Stripes under the discs show the blending.
  for (int x = 0; x < 400; x += 20) {
    canvas.Brush().SetColor(x / 20 % 2 ? RGB(40, 40, 40) : RGB(230, 200, 60));
    canvas.FillRect(Rect(x, 150, x + 10, 260));
  }
  TPNGObject disc;
  SoftDisc(disc, 90, RGB(66, 139, 202));
  canvas.Draw(20, 160, disc);
  canvas.StretchDraw(Rect(130, 155, 330, 255), disc);

  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetName("微软雅黑");
  struct Line {
    int height;
    TFontStyles style;
    TColor color;
    const char* text;
  };
  const Line lines[] = {{12, 0, RGB(141, 141, 141), "12 px 自定义下载 Download"},
                        {13, 0, clBlack, "13 px 保存路径：正在下载（0%）"},
                        {15, 0, clBlack, "15 px 请选择保存路径。网络异常，请检查网络后重试！"},
                        {15, fsBold, clNavy, "15 px 粗体 提示信息 Bold"}};
  int y = 8;
  for (const Line& line : lines) {
    canvas.Font().SetHeight(line.height);
    canvas.Font().SetStyle(line.style);
    canvas.Font().SetColor(line.color);
    canvas.TextOut(8, y, line.text);
    y += canvas.TextHeight(line.text) + 6;
  }
  canvas.Font().SetHeight(15);
  canvas.Font().SetStyle(0);
  canvas.Font().SetColor(clWhite);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(RGB(14, 97, 185));
  canvas.FillRect(Rect(8, 100, 392, 140));
  canvas.DrawText("居中换行：无法自动打开下载的文件。请检查网络后重试，或者使用浏览器下载。",
                  Rect(8, 102, 392, 140), tfWordBreak | tfCenter);
  canvas.Pen().SetStyle(psDash);
  canvas.Brush().SetStyle(bsClear);
  canvas.Rectangle(Rect(16, 156, 114, 254));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s out.png\n", argv[0]);
    return 2;
  }
  try {
    TBitmap bitmap(400, 260);
    Paint(bitmap.Canvas());
    bitmap.SaveToFile(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
