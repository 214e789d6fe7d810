#pragma once

#include "framework/TCanvas.h"
#include "framework/TControl.h"

// A control without a window of its own: it paints into its parent's picture, in its own
// coordinates and clipped to its rectangle, through Canvas during Paint.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
  std::string ClassName() const override { return "TGraphicControl"; }

  void PaintTo(TCanvas& canvas) override;

 protected:
  // Valid during Paint only.
  TCanvas& Canvas() { return *FCanvas; }
  virtual void Paint() {}

 private:
  TCanvas* FCanvas = nullptr;
};
