#pragma once

#include "framework/TRowControl.h"
#include "framework/TStrings.h"

// A list of text items; a click selects the item under the pointer.
class TListBox : public TRowControl {
 public:
  explicit TListBox(TComponent* AOwner);
  std::string ClassName() const override { return "TListBox"; }

  TStrings& Items() { return FItems; }
  const TStrings& Items() const { return FItems; }
  // The selected item; -1 for none.
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int value);

 protected:
  int RowCount() const override { return FItems.Count(); }
  void PaintRow(TCanvas& canvas, int row, const TRect& rect) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  TStrings FItems;
  int FItemIndex = -1;
};
