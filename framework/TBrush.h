#pragma once

#include "framework/Graphics.h"

class TBitmap;

// How a canvas fills areas. A pattern bitmap (not owned) is tiled instead of the colour.
class TBrush {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle value) { style_ = value; }
  const TBitmap* Bitmap() const { return bitmap_; }
  // The bitmap must outlive its use as pattern; nullptr goes back to the colour.
  void SetBitmap(const TBitmap* value) { bitmap_ = value; }

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  const TBitmap* bitmap_ = nullptr;
};
