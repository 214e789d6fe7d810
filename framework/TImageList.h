#pragma once

#include <memory>
#include <vector>

#include "framework/TComponent.h"
#include "framework/TGraphic.h"

class TCanvas;

// Small pictures of one size that lists draw by index.
class TImageList : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TImageList"; }

  int Width() const { return FWidth; }
  void SetWidth(int value) { FWidth = value; }
  int Height() const { return FHeight; }
  void SetHeight(int value) { FHeight = value; }
  int Count() const { return static_cast<int>(FImages.size()); }
  // Keeps a copy of the picture; answers its index.
  int Add(const TGraphic& image);
  // Draws image index scaled to Width x Height at (x, y); nothing for an index out of range.
  void Draw(TCanvas& canvas, int x, int y, int index) const;

 private:
  int FWidth = 16;
  int FHeight = 16;
  std::vector<std::unique_ptr<TGraphic>> FImages;
};
