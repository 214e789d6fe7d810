#pragma once

#include <functional>
#include <string>

#include "framework/Graphics.h"
#include "framework/TPNGObject.h"

// Paints antialiased shapes and text into a straight-alpha picture, for the windows' artwork.
// Shapes are sampled 4 x 4 times a pixel; colours are laid over what is there (OVER).
class Painter {
 public:
  Painter(int width, int height);

  // Whether a shape covers a point.
  using Shape = std::function<bool(double x, double y)>;

  void Fill(const Shape& shape, TColor color, double opacity = 1.0);
  void FillRect(double left, double top, double right, double bottom, TColor color,
                double opacity = 1.0);
  void FillRoundRect(double left, double top, double right, double bottom, double radius,
                     TColor color, double opacity = 1.0);
  void FillCircle(double cx, double cy, double radius, TColor color, double opacity = 1.0);
  // A stroke with round ends.
  void Line(double x0, double y0, double x1, double y1, double width, TColor color,
            double opacity = 1.0);
  void FillTriangle(double x0, double y0, double x1, double y1, double x2, double y2, TColor color);
  // A vertical gradient over the whole picture, replacing what is there.
  void VerticalGradient(TColor top, TColor bottom);

  // Text in "微软雅黑" of the given pixel height; x, y is the top-left corner of the text box.
  void Text(const std::string& text, double x, double y, int height, TColor color, bool bold,
            double opacity = 1.0);
  // The text centred in the box.
  void CenteredText(const std::string& text, double left, double top, double right, double bottom,
                    int height, TColor color, bool bold);
  static int TextWidth(const std::string& text, int height, bool bold);

  // Saved with an alpha channel, or as plain RGB for pictures that are drawn with a key colour.
  void Save(const std::string& path, bool withAlpha = true) const;

 private:
  void Blend(int x, int y, TColor color, double coverage);

  TPNGObject picture_;
};
