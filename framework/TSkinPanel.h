#pragma once

#include "framework/TPicture.h"
#include "framework/TWinControl.h"

// A panel that carries the skin of a window: a background picture (drawn over the whole panel
// when Stretch is on, at its top-left corner otherwise), and Transparent, which paints nothing
// of its own below the picture so that the parent shows through. An opaque panel fills itself
// with Color first.
class TSkinPanel : public TWinControl {
 public:
  explicit TSkinPanel(TComponent* AOwner);
  std::string ClassName() const override { return "TSkinPanel"; }

  TPicture& Picture() { return FPicture; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);

 protected:
  void PaintBackground(TCanvas& canvas) override;

 private:
  TPicture FPicture;
  bool FStretch = false;
  bool FTransparent = false;
};
