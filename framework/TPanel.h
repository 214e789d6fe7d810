#pragma once

#include "framework/StandardControlTypes.h"
#include "framework/TWinControl.h"

// A plain container: filled with Color, framed by an outer and an inner bevel, with its
// caption inside (centred unless Alignment says otherwise). Controls aligned in it keep off
// the bevels.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* AOwner);
  std::string ClassName() const override { return "TPanel"; }

  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);

  // The area inside the bevels.
  TRect ClientRect() const override;

 protected:
  void PaintBackground(TCanvas& canvas) override;

 private:
  void BevelsChanged();

  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  TAlignment FAlignment = taCenter;
};
