#include "framework/TCustomMemo.h"

#include "framework/TCanvas.h"

TCustomMemo::TCustomMemo(TComponent* AOwner) : TRowControl(AOwner) {
  SetBounds(0, 0, 185, 89);
  FLines.SetOnChange([this](TObject*) { RowsChanged(); });
}

void TCustomMemo::PaintRow(TCanvas& canvas, int row, const TRect& rect) {
  canvas.Brush().SetStyle(bsClear);
  canvas.TextRect(rect, rect.Left, rect.Top, FLines.Strings(row));
}
