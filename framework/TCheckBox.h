#pragma once

#include "framework/TWinControl.h"

// A box with a tick and its caption beside it. A click, or Space while it has the focus,
// toggles Checked and then fires OnClick; setting Checked in code fires nothing.
class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  std::string ClassName() const override { return "TCheckBox"; }

  bool Checked() const { return FChecked; }
  void SetChecked(bool value);

  void Click() override;
  // The second press of a quick pair toggles too.
  void DblClick() override;
  void KeyDown(winsys::WORD& Key, TShiftState Shift) override;

 protected:
  void PaintBackground(TCanvas& canvas) override;
  void DoEnter() override;
  void DoExit() override;

 private:
  bool FChecked = false;
};
