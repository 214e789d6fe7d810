#pragma once

#include "framework/TWinControl.h"

// A flat radio button: a round box with a dot of CheckMarkColor when checked, and the caption to
// its right. The flat radio buttons of one parent form a group: checking one unchecks the
// others. A click, Space while focused, or the caption's access key checks it and then runs
// OnClick; setting Checked in code runs no OnClick. A transparent button paints no background.
class TFlatRadioButton : public TWinControl {
 public:
  explicit TFlatRadioButton(TComponent* AOwner);
  std::string ClassName() const override { return "TFlatRadioButton"; }

  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  TColor CheckMarkColor() const { return FCheckMarkColor; }
  void SetCheckMarkColor(TColor value);
  // The round box's outline.
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);

  void Click() override;
  void PaintTo(TCanvas& canvas) override;
  void KeyDown(winsys::WORD& Key, TShiftState Shift) override;

 protected:
  void CMDialogChar(TMessage& Message) override;

 private:
  bool FChecked = false;
  TColor FCheckMarkColor = clBlack;
  TColor FBorderColor = clGray;
  bool FTransparent = false;
};
