#include "framework/TListBox.h"

#include "framework/TCanvas.h"

TListBox::TListBox(TComponent* AOwner) : TRowControl(AOwner) {
  SetBounds(0, 0, 121, 97);
  FItems.SetOnChange([this](TObject*) {
    if (FItemIndex >= FItems.Count()) FItemIndex = -1;
    RowsChanged();
  });
}

void TListBox::SetItemIndex(int value) {
  if (value < -1 || value >= FItems.Count()) value = -1;
  if (value == FItemIndex) return;
  FItemIndex = value;
  Invalidate();
}

void TListBox::PaintRow(TCanvas& canvas, int row, const TRect& rect) {
  const bool selected = row == FItemIndex;
  if (selected) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clHighlight);
    canvas.FillRect(rect);
    canvas.Font().SetColor(clHighlightText);
  }
  canvas.Brush().SetStyle(bsClear);
  canvas.TextRect(rect, rect.Left, rect.Top, FItems.Strings(row));
  if (selected) canvas.Font().SetColor(Font().Color());
}

void TListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    if (const int row = RowAt({X, Y}); row >= 0) SetItemIndex(row);
  }
  TRowControl::MouseDown(Button, Shift, X, Y);
}
