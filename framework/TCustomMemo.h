#pragma once

#include "framework/TRowControl.h"
#include "framework/TStrings.h"

// A box of text lines. The program shows read-only text in it; it takes no typing.
class TCustomMemo : public TRowControl {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  std::string ClassName() const override { return "TCustomMemo"; }

  TStrings& Lines() { return FLines; }
  const TStrings& Lines() const { return FLines; }
  std::string Text() const { return FLines.Text(); }
  void SetText(const std::string& value) { FLines.SetText(value); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }

 protected:
  int RowCount() const override { return FLines.Count(); }
  void PaintRow(TCanvas& canvas, int row, const TRect& rect) override;

 private:
  TStrings FLines;
  bool FReadOnly = false;
};
