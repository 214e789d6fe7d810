#pragma once

#include "framework/Graphics.h"

// How a canvas draws outlines.
class TPen {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle value) { style_ = value; }
  int Width() const { return width_; }
  void SetWidth(int value) { width_ = value < 1 ? 1 : value; }

 private:
  TColor color_ = clBlack;
  TPenStyle style_ = psSolid;
  int width_ = 1;
};
