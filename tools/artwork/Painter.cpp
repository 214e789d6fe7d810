#include "tools/artwork/Painter.h"

#include <algorithm>
#include <cmath>

#include "framework/TBitmap.h"
#include "framework/TCanvas.h"

namespace {

constexpr int kSamples = 4;

double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

// Distance from (x, y) to the segment (x0, y0)-(x1, y1).
double SegmentDistance(double x, double y, double x0, double y0, double x1, double y1) {
  const double dx = x1 - x0, dy = y1 - y0;
  const double length2 = dx * dx + dy * dy;
  const double t = length2 == 0 ? 0 : Clamp01(((x - x0) * dx + (y - y0) * dy) / length2);
  const double px = x0 + t * dx - x, py = y0 + t * dy - y;
  return std::sqrt(px * px + py * py);
}

void SetFont(TCanvas& canvas, int height, bool bold) {
  canvas.Font().SetName("微软雅黑");
  canvas.Font().SetHeight(height);
  canvas.Font().SetStyle(bold ? fsBold : 0);
}

}  // namespace

Painter::Painter(int width, int height) {
  picture_.CreateBlank(COLOR_RGBALPHA, 8, width, height);
}

void Painter::Blend(int x, int y, TColor color, double coverage) {
  if (coverage <= 0 || x < 0 || y < 0 || x >= picture_.Width() || y >= picture_.Height()) return;
  uint8_t* p = picture_.Scanline(y) + 4 * x;
  const double sa = Clamp01(coverage);
  const double da = p[3] / 255.0;
  const double oa = sa + da * (1 - sa);
  const uint8_t src[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
  for (int c = 0; c < 3; ++c) {
    const double value = (src[c] * sa + p[c] * da * (1 - sa)) / oa;
    p[c] = static_cast<uint8_t>(std::lround(value));
  }
  p[3] = static_cast<uint8_t>(std::lround(oa * 255));
}

void Painter::Fill(const Shape& shape, TColor color, double opacity) {
  for (int y = 0; y < picture_.Height(); ++y) {
    for (int x = 0; x < picture_.Width(); ++x) {
      int inside = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          inside += shape(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
        }
      }
      Blend(x, y, color, opacity * inside / (kSamples * kSamples));
    }
  }
}

void Painter::FillRect(double left, double top, double right, double bottom, TColor color,
                       double opacity) {
  Fill([=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; }, color,
       opacity);
}

void Painter::FillRoundRect(double left, double top, double right, double bottom, double radius,
                            TColor color, double opacity) {
  Fill(
      [=](double x, double y) {
        if (x < left || x >= right || y < top || y >= bottom) return false;
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
      },
      color, opacity);
}

void Painter::FillCircle(double cx, double cy, double radius, TColor color, double opacity) {
  Fill([=](double x,
           double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; },
       color, opacity);
}

void Painter::Line(double x0, double y0, double x1, double y1, double width, TColor color,
                   double opacity) {
  Fill([=](double x, double y) { return SegmentDistance(x, y, x0, y0, x1, y1) <= width / 2; },
       color, opacity);
}

void Painter::FillTriangle(double x0, double y0, double x1, double y1, double x2, double y2,
                           TColor color) {
  const auto side = [](double ax, double ay, double bx, double by, double px, double py) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
  };
  Fill(
      [=](double x, double y) {
        const double d0 = side(x0, y0, x1, y1, x, y);
        const double d1 = side(x1, y1, x2, y2, x, y);
        const double d2 = side(x2, y2, x0, y0, x, y);
        return (d0 >= 0 && d1 >= 0 && d2 >= 0) || (d0 <= 0 && d1 <= 0 && d2 <= 0);
      },
      color);
}

void Painter::VerticalGradient(TColor top, TColor bottom) {
  const int h = picture_.Height();
  for (int y = 0; y < h; ++y) {
    const double t = h > 1 ? double(y) / (h - 1) : 0;
    const auto mix = [t](uint8_t a, uint8_t b) {
      return static_cast<uint8_t>(std::lround(a + (b - a) * t));
    };
    uint8_t* row = picture_.Scanline(y);
    for (int x = 0; x < picture_.Width(); ++x) {
      row[4 * x] = mix(GetBValue(top), GetBValue(bottom));
      row[4 * x + 1] = mix(GetGValue(top), GetGValue(bottom));
      row[4 * x + 2] = mix(GetRValue(top), GetRValue(bottom));
      row[4 * x + 3] = 255;
    }
  }
}

int Painter::TextWidth(const std::string& text, int height, bool bold) {
  TBitmap probe(1, 1);
  SetFont(probe.Canvas(), height, bold);
  return probe.Canvas().TextWidth(text);
}

void Painter::Text(const std::string& text, double x, double y, int height, TColor color, bool bold,
                   double opacity) {
  // The glyphs are drawn white on black; the red channel is then their coverage.
  TBitmap mask(picture_.Width(), picture_.Height());
  mask.Canvas().Brush().SetColor(clBlack);
  mask.Canvas().FillRect(Rect(0, 0, mask.Width(), mask.Height()));
  mask.Canvas().Brush().SetStyle(bsClear);
  SetFont(mask.Canvas(), height, bold);
  mask.Canvas().Font().SetColor(clWhite);
  mask.Canvas().TextOut(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), text);
  for (int row = 0; row < mask.Height(); ++row) {
    const uint8_t* m = mask.ScanLine(row);
    for (int col = 0; col < mask.Width(); ++col)
      Blend(col, row, color, opacity * m[4 * col + 2] / 255.0);
  }
}

void Painter::CenteredText(const std::string& text, double left, double top, double right,
                           double bottom, int height, TColor color, bool bold) {
  TBitmap probe(1, 1);
  SetFont(probe.Canvas(), height, bold);
  const TSize size = probe.Canvas().TextExtent(text);
  Text(text, left + (right - left - size.cx) / 2, top + (bottom - top - size.cy) / 2, height, color,
       bold);
}

void Painter::Save(const std::string& path, bool withAlpha) const {
  if (withAlpha) {
    picture_.SaveToFile(path);
    return;
  }
  TPNGObject opaque;
  opaque.CreateBlank(COLOR_RGB, 8, picture_.Width(), picture_.Height());
  for (int y = 0; y < picture_.Height(); ++y) {
    const uint8_t* from = picture_.Scanline(y);
    uint8_t* to = opaque.Scanline(y);
    for (int x = 0; x < picture_.Width(); ++x) std::copy_n(from + 4 * x, 3, to + 4 * x);
  }
  opaque.SaveToFile(path);
}
