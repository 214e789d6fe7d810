#include "framework/TCanvas.h"

#include <algorithm>

#include "framework/FontFace.h"
#include "framework/TBitmap.h"
#include "framework/TGraphic.h"
#include "framework/TextLayout.h"

namespace {

// A platform dash for a one-pixel pen; wider pens scale it.
constexpr int kDashOn = 18;
constexpr int kDashPeriod = 24;

struct Bgr {
  uint8_t b, g, r;
};

Bgr ToBgr(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
}

// Straight alpha OVER an opaque pixel, rounded to the nearest value.
uint8_t Mix(unsigned source, unsigned dest, unsigned alpha) {
  return uint8_t((source * alpha + dest * (255 - alpha) + 127) / 255);
}

// For each buffer coordinate from..to-1 of a destination spanning destStart..destStart+destLen
// (buffer coordinates), the source coordinate it takes when srcLen source pixels are scaled onto
// it (nearest pixel, by pixel centres), or -1 when that lies outside srcLo..srcHi-1.
std::vector<int> MapAxis(int from, int to, int destStart, int destLen, int srcStart, int srcLen,
                         int srcLo, int srcHi) {
  std::vector<int> map(size_t(std::max(to - from, 0)));
  for (int d = from; d < to; ++d) {
    const int64_t rel = d - destStart;
    const int s = srcStart + int((2 * rel + 1) * srcLen / (2 * int64_t(destLen)));
    map[size_t(d - from)] = (s >= srcLo && s < srcHi) ? s : -1;
  }
  return map;
}

// Puts source pixels on area (buffer coordinates): pixel (x, y) takes source pixel
// (cols[x - area.Left], rows[y - area.Top]), where -1 skips it.
void Compose(winsys::PixelBuffer& dest, const TRect& area, const TPixelSource& source,
             const std::vector<int>& cols, const std::vector<int>& rows, TDrawMode mode,
             TColor keyColor) {
  const Bgr key = ToBgr(keyColor);
  // Unscaled drawing reads consecutive source pixels: walk them without the column table.
  const bool consecutive =
      !cols.empty() && cols.front() >= 0 && cols.back() == cols.front() + int(cols.size()) - 1;
  auto run = [&](auto&& put) {
    for (int y = area.Top; y < area.Bottom; ++y) {
      const int sy = rows[size_t(y - area.Top)];
      if (sy < 0) continue;
      const uint8_t* sourceRow = source.bits + ptrdiff_t(sy) * source.stride;
      uint8_t* d = dest.Pixel(area.Left, y);
      if (consecutive) {
        const uint8_t* s = sourceRow + 4 * cols.front();
        for (size_t i = 0; i < cols.size(); ++i, d += 4, s += 4) put(d, s);
        continue;
      }
      for (size_t i = 0; i < cols.size(); ++i, d += 4) {
        if (cols[i] >= 0) put(d, sourceRow + 4 * cols[i]);
      }
    }
  };
  switch (mode) {
    case TDrawMode::Opaque:
      run([](uint8_t* d, const uint8_t* s) { std::copy(s, s + 3, d); });
      break;
    case TDrawMode::CopyAllBytes:
      run([](uint8_t* d, const uint8_t* s) { std::copy(s, s + 4, d); });
      break;
    case TDrawMode::KeyColor:
      run([key](uint8_t* d, const uint8_t* s) {
        if (s[0] != key.b || s[1] != key.g || s[2] != key.r) std::copy(s, s + 3, d);
      });
      break;
    case TDrawMode::Blend:
      run([](uint8_t* d, const uint8_t* s) {
        const unsigned a = s[3];
        if (a == 255) {
          std::copy(s, s + 3, d);
        } else if (a != 0) {
          d[0] = Mix(s[0], d[0], a);
          d[1] = Mix(s[1], d[1], a);
          d[2] = Mix(s[2], d[2], a);
        }
      });
      break;
  }
}

}  // namespace

void TCanvas::Attach(winsys::PixelBuffer* buffer, TPoint origin, std::optional<TRect> clip) {
  buffer_ = buffer;
  origin_ = origin;
  clip_ = clip;
}

TRect TCanvas::ClipRect() const {
  if (!buffer_) return {};
  const TRect whole = TRect{0, 0, buffer_->width, buffer_->height}.Offset(-origin_.X, -origin_.Y);
  return clip_ ? clip_->Intersect(whole) : whole;
}

TRect TCanvas::Visible(const TRect& canvasRect) const {
  const TRect visible = canvasRect.Intersect(ClipRect());
  return visible.IsEmpty() ? TRect{} : visible.Offset(origin_.X, origin_.Y);
}

TColor TCanvas::Pixel(int x, int y) const {
  if (!ClipRect().Contains({x, y})) return clNone;
  const uint8_t* p = buffer_->Pixel(x + origin_.X, y + origin_.Y);
  return RGB(p[2], p[1], p[0]);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  FillSolid(Visible(Bounds(x, y, 1, 1)), color);
}

void TCanvas::FillSolid(const TRect& bufferRect, TColor color) {
  const Bgr c = ToBgr(color);
  for (int y = bufferRect.Top; y < bufferRect.Bottom; ++y) {
    uint8_t* p = buffer_->Pixel(bufferRect.Left, y);
    for (int x = bufferRect.Left; x < bufferRect.Right; ++x, p += 4) {
      p[0] = c.b;
      p[1] = c.g;
      p[2] = c.r;
    }
  }
}

void TCanvas::FillRect(const TRect& rect) {
  if (brush_.Style() == bsClear) return;
  const TRect area = Visible(rect);
  if (area.IsEmpty()) return;
  const TBitmap* pattern = brush_.Bitmap();
  if (!pattern || pattern->Empty()) {
    FillSolid(area, brush_.Color());
    return;
  }
  // The pattern is anchored at canvas point (0, 0), so neighbouring fills join seamlessly.
  const auto tile = [](int from, int to, int origin, int size) {
    std::vector<int> map;
    for (int d = from; d < to; ++d) map.push_back(((d - origin) % size + size) % size);
    return map;
  };
  Compose(*buffer_, area, pattern->Pixels(),
          tile(area.Left, area.Right, origin_.X, pattern->Width()),
          tile(area.Top, area.Bottom, origin_.Y, pattern->Height()), pattern->DrawMode(),
          pattern->TransparentColor());
}

void TCanvas::Rectangle(const TRect& rect) {
  const int pen = pen_.Width();
  FillRect({rect.Left + pen, rect.Top + pen, rect.Right - pen, rect.Bottom - pen});
  DrawOutline(rect);
}

void TCanvas::DrawOutline(const TRect& rect) {
  const int pen = pen_.Width();
  const bool dashed = pen_.Style() == psDash;
  for (int ring = 0; ring < pen; ++ring) {
    const TRect r{rect.Left + ring, rect.Top + ring, rect.Right - ring, rect.Bottom - ring};
    if (r.IsEmpty()) return;
    int step = 0;
    const auto put = [&](int x, int y) {
      if (!dashed || step % (kDashPeriod * pen) < kDashOn * pen) SetPixel(x, y, pen_.Color());
      ++step;
    };
    for (int x = r.Left; x < r.Right; ++x) put(x, r.Top);
    for (int y = r.Top + 1; y < r.Bottom; ++y) put(r.Right - 1, y);
    if (r.Height() > 1)
      for (int x = r.Right - 2; x >= r.Left; --x) put(x, r.Bottom - 1);
    if (r.Width() > 1)
      for (int y = r.Bottom - 2; y > r.Top; --y) put(r.Left, y);
  }
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
  graphic.Draw(*this, Bounds(x, y, graphic.Width(), graphic.Height()));
}

void TCanvas::StretchDraw(const TRect& rect, const TGraphic& graphic) {
  graphic.Draw(*this, rect);
}

void TCanvas::DrawPixels(const TRect& rect, const TPixelSource& source, TDrawMode mode,
                         TColor keyColor) {
  const TRect area = Visible(rect);
  if (area.IsEmpty() || source.width <= 0 || source.height <= 0) return;
  const TRect dest = rect.Offset(origin_.X, origin_.Y);
  Compose(
      *buffer_, area, source,
      MapAxis(area.Left, area.Right, dest.Left, dest.Width(), 0, source.width, 0, source.width),
      MapAxis(area.Top, area.Bottom, dest.Top, dest.Height(), 0, source.height, 0, source.height),
      mode, keyColor);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
  const TRect area = Visible(dest);
  if (area.IsEmpty() || sourceRect.IsEmpty() || !source.buffer_) return;
  const TRect target = dest.Offset(origin_.X, origin_.Y);
  // Source pixels are read where the source canvas may draw, in its buffer's coordinates.
  const TRect readable = source.Visible(source.ClipRect());
  const TRect from = sourceRect.Offset(source.origin_.X, source.origin_.Y);
  const winsys::PixelBuffer& pixels = *source.buffer_;
  Compose(*buffer_, area, {pixels.bytes.data(), pixels.width, pixels.height, pixels.Stride()},
          MapAxis(area.Left, area.Right, target.Left, target.Width(), from.Left, from.Width(),
                  readable.Left, readable.Right),
          MapAxis(area.Top, area.Bottom, target.Top, target.Height(), from.Top, from.Height(),
                  readable.Top, readable.Bottom),
          TDrawMode::CopyAllBytes, clNone);
}

TSize TCanvas::TextExtent(const std::string& text) const {
  gfx::FontFace& face = font_.Face();
  return {face.TextWidth(gfx::CodePoints(text), (font_.Style() & fsBold) != 0), face.LineHeight()};
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  const std::u32string codePoints = gfx::CodePoints(text);
  gfx::FontFace& face = font_.Face();
  if (brush_.Style() != bsClear) {
    const int width = face.TextWidth(codePoints, (font_.Style() & fsBold) != 0);
    FillSolid(Visible(Bounds(x, y, width, face.LineHeight())), brush_.Color());
  }
  DrawLine(x, y, codePoints, ClipRect());
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
  if (brush_.Style() != bsClear) FillSolid(Visible(rect), brush_.Color());
  DrawLine(x, y, gfx::CodePoints(text), rect);
}

void TCanvas::DrawLine(int x, int y, std::u32string_view text, const TRect& clip) {
  const TRect area = Visible(clip);
  if (area.IsEmpty()) return;
  gfx::FontFace& face = font_.Face();
  const bool bold = (font_.Style() & fsBold) != 0;
  const Bgr color = ToBgr(font_.Color());
  int penX = x + origin_.X;
  const int baseline = y + origin_.Y + face.Ascender();
  for (char32_t c : text) {
    const gfx::Glyph& glyph = face.GetGlyph(c, bold);
    const TRect box = Bounds(penX + glyph.left, baseline - glyph.top, glyph.width, glyph.height);
    const TRect visible = box.Intersect(area);
    for (int py = visible.Top; py < visible.Bottom; ++py) {
      const uint8_t* coverage = glyph.coverage.data() + ptrdiff_t(py - box.Top) * glyph.width;
      uint8_t* d = buffer_->Pixel(visible.Left, py);
      for (int px = visible.Left; px < visible.Right; ++px, d += 4) {
        const unsigned a = coverage[px - box.Left];
        if (a == 0) continue;
        d[0] = Mix(color.b, d[0], a);
        d[1] = Mix(color.g, d[1], a);
        d[2] = Mix(color.r, d[2], a);
      }
    }
    penX += glyph.advance;
  }
}

TRect TCanvas::DrawText(const std::string& text, const TRect& rect, TTextFormat format) {
  gfx::FontFace& face = font_.Face();
  const bool bold = (font_.Style() & fsBold) != 0;
  const std::vector<gfx::TextLine> lines = gfx::LayoutText(
      face, bold, gfx::CodePoints(text), (format & tfWordBreak) ? rect.Width() : -1);
  const int lineHeight = face.LineHeight();
  const int height = lineHeight * int(lines.size());
  int widest = 0;
  for (const gfx::TextLine& line : lines) widest = std::max(widest, line.width);
  if (!(format & tfCalcRect)) {
    int y = rect.Top;
    if (format & tfVerticalCenter) y += (rect.Height() - height) / 2;
    if (format & tfBottom) y = rect.Bottom - height;
    for (const gfx::TextLine& line : lines) {
      int x = rect.Left;
      if (format & tfCenter) x += (rect.Width() - line.width) / 2;
      if (format & tfRight) x = rect.Right - line.width;
      DrawLine(x, y, line.text, rect);
      y += lineHeight;
    }
  }
  return {rect.Left, rect.Top, rect.Left + widest, rect.Top + height};
}

void BitBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& source, int sx, int sy) {
  dest.CopyRect(Bounds(x, y, w, h), source, Bounds(sx, sy, w, h));
}
