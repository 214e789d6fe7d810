#pragma once

#include "framework/TGraphicControl.h"
#include "framework/TPicture.h"

// Shows a picture. PNG pictures with alpha blend over what lies below; other pictures are
// opaque unless Transparent, which leaves out the colour of their bottom-left pixel (a bitmap
// with a fixed transparent colour leaves out that one). Without Stretch the picture keeps its
// size, at the top-left corner or centred, and the control's bounds cut it.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  std::string ClassName() const override { return "TImage"; }

  TPicture& Picture() { return FPicture; }
  const TPicture& Picture() const { return FPicture; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool value);
  bool Center() const { return FCenter; }
  void SetCenter(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  // The control takes the picture's size whenever the picture changes.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  TRect DestRect() const;

  TPicture FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};
