#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "framework/Graphics.h"
#include "framework/TBrush.h"
#include "framework/TFont.h"
#include "framework/TPen.h"
#include "platform/winsys/PixelBuffer.h"

class TGraphic;

// Pixels that a picture hands to a canvas for drawing: rows of B,G,R,A bytes.
struct TPixelSource {
  const uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes from one row to the next
};

// How the source pixels meet the canvas.
enum class TDrawMode {
  Opaque,       // colour bytes copied, canvas alpha untouched
  Blend,        // straight alpha OVER the canvas pixel, canvas alpha untouched
  KeyColor,     // as Opaque, but pixels of the key colour are skipped
  CopyAllBytes  // all four bytes copied (block copies of 32-bit pictures)
};

// Draws on a pixel buffer that it does not own: a bitmap's own, or a window's surface. Canvas
// coordinates are offset by an origin into the buffer and clipped to a clip rectangle, so a
// control can paint into its parent's buffer in its own coordinates.
//
// Alpha: every drawing operation writes blue, green and red and leaves the alpha byte as it was;
// only CopyRect and BitBlt (and Draw of a graphic in TDrawMode::CopyAllBytes) move alpha. So
// window surfaces and 24-bit bitmaps keep whatever alpha they had, and a 32-bit bitmap's alpha
// stays under the control of whoever builds it.
class TCanvas {
 public:
  TCanvas() = default;
  explicit TCanvas(winsys::PixelBuffer* buffer) { Attach(buffer); }
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // origin: the buffer position of canvas point (0, 0). clip: in canvas coordinates; none (the
  // default) means the whole buffer.
  void Attach(winsys::PixelBuffer* buffer, TPoint origin = {},
              std::optional<TRect> clip = std::nullopt);
  winsys::PixelBuffer* Buffer() const { return buffer_; }
  TPoint Origin() const { return origin_; }
  // In canvas coordinates, already limited to the buffer.
  TRect ClipRect() const;

  TBrush& Brush() { return brush_; }
  const TBrush& Brush() const { return brush_; }
  TPen& Pen() { return pen_; }
  const TPen& Pen() const { return pen_; }
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }

  // clNone outside the clip rectangle.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // With the brush: its pattern bitmap tiled from canvas point (0, 0), else its colour;
  // bsClear fills nothing.
  void FillRect(const TRect& rect);
  // Outline with the pen (dashes of 18 on, 6 off per pen width for psDash, continuing around
  // the rectangle clockwise from the top-left corner), inside filled with the brush.
  void Rectangle(const TRect& rect);

  void Draw(int x, int y, const TGraphic& graphic);
  void StretchDraw(const TRect& rect, const TGraphic& graphic);
  // Copies source's pixels (all four bytes), scaled when the rectangles differ in size. The
  // source may be this canvas only when the rectangles do not overlap.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
  // The primitive every picture draws with: source scaled (nearest pixel) into rect.
  void DrawPixels(const TRect& rect, const TPixelSource& source, TDrawMode mode,
                  TColor keyColor = clNone);

  // Text is UTF-8. The top of the text is at y; the baseline is y + the font's ascender. With a
  // solid brush the text's box is filled first.
  TSize TextExtent(const std::string& text) const;
  int TextWidth(const std::string& text) const { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) const { return TextExtent(text).cy; }
  void TextOut(int x, int y, const std::string& text);
  // As TextOut, clipped to rect; with a solid brush rect is filled first.
  void TextRect(const TRect& rect, int x, int y, const std::string& text);
  // Lays the text out in rect (line breaks at "\n"; with tfWordBreak, wrapping at the width:
  // Latin words break at spaces, CJK text at any character) and draws it clipped to rect, or
  // with tfCalcRect only measures. Returns rect with its right set to left + the widest line
  // and its bottom to top + the lines' height.
  TRect DrawText(const std::string& text, const TRect& rect, TTextFormat format);

 private:
  // A canvas rectangle as buffer rectangle, limited to the clip and the buffer.
  TRect Visible(const TRect& canvasRect) const;
  void FillSolid(const TRect& bufferRect, TColor color);
  // One line of text with its top at y, clipped to clip (canvas coordinates).
  void DrawLine(int x, int y, std::u32string_view text, const TRect& clip);
  void DrawOutline(const TRect& rect);

  winsys::PixelBuffer* buffer_ = nullptr;
  TPoint origin_;
  std::optional<TRect> clip_;
  TBrush brush_;
  TPen pen_;
  TFont font_;
};

// Copies whole pixels (SRCCOPY): w x h from source (sx, sy) to dest (x, y).
void BitBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& source, int sx, int sy);
