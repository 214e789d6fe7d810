#include "framework/TImageList.h"

#include "framework/TCanvas.h"

int TImageList::Add(const TGraphic& image) {
  FImages.push_back(image.Clone());
  return Count() - 1;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  canvas.StretchDraw(Bounds(x, y, FWidth, FHeight), *FImages[static_cast<size_t>(index)]);
}
