#include "framework/TGraphicControl.h"

void TGraphicControl::PaintTo(TCanvas& canvas) {
  // The canvas of one paint: the font follows the control's, the rest starts afresh.
  canvas.Font().Assign(Font());
  FCanvas = &canvas;
  try {
    Paint();
  } catch (...) {
    FCanvas = nullptr;
    throw;
  }
  FCanvas = nullptr;
}
