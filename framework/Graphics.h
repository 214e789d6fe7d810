#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/kernel/Exception.h"

// The drawing vocabulary shared by bitmaps, canvases, pictures and controls.

// 0x00BBGGRR; negative values (0xFF000000 | index) name a system colour, resolved by ColorToRGB.
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0xFF000000u | unsigned(index));
}
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

// A system colour becomes the RGB value of the standard desktop scheme; any other value is
// returned as it is.
TColor ColorToRGB(TColor color);
constexpr TColor RGB(int r, int g, int b) {
  return TColor(r | (g << 8) | (b << 16));
}
constexpr uint8_t GetRValue(TColor c) {
  return uint8_t(c & 0xFF);
}
constexpr uint8_t GetGValue(TColor c) {
  return uint8_t((c >> 8) & 0xFF);
}
constexpr uint8_t GetBValue(TColor c) {
  return uint8_t((c >> 16) & 0xFF);
}

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  // The common part; an empty rectangle when they do not overlap.
  TRect Intersect(const TRect& o) const {
    TRect r{std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
            std::min(Bottom, o.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) {
  return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

enum TPixelFormat { pf24bit, pf32bit };
// afDefined: the alpha bytes hold straight (not premultiplied) alpha and drawing blends by them.
enum TAlphaFormat { afIgnored, afDefined };
enum TTransparentMode { tmAuto, tmFixed };
enum TBrushStyle { bsSolid, bsClear };
enum TPenStyle { psSolid, psDash };

enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
// A set of TFontStyle flags.
using TFontStyles = unsigned;
using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset GB2312_CHARSET = 134;

// Text layout flags of TCanvas::DrawText; left and top are the defaults.
enum TTextFormatFlag : unsigned {
  tfCenter = 1,          // each line centred horizontally
  tfRight = 2,           // each line flush right
  tfVerticalCenter = 4,  // the block of lines centred vertically
  tfBottom = 8,          // the block of lines at the bottom
  tfWordBreak = 16,      // wrap at the rectangle's width
  tfCalcRect = 32,       // measure only: nothing is drawn
};
using TTextFormat = unsigned;

// A picture that cannot be decoded, encoded or made as asked.
class EInvalidGraphic : public kernel::Exception {
 public:
  using kernel::Exception::Exception;
};

// A font that cannot be found or opened.
class EFontError : public kernel::Exception {
 public:
  using kernel::Exception::Exception;
};
