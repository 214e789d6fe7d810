#pragma once

#include "framework/TWinControl.h"

// The look a speed button is drawn in. The program's dialogs use only the normal one.
enum TSpeedButtonStyle { bsNormal };

// A skinned push button that takes the focus in tab order. Its face is FaceColor, HotTrackColor
// while the mouse is over it and PressedColor while it is held down; a bevel of LightColor (top
// and left) and ShadowColor (bottom and right), swapped while pressed, is drawn always when Flat
// is off and only under the mouse when it is on. The caption is centred in the font's colour,
// its "&" letter underlined; a dashed rectangle shows the focus.
//
// A click, Enter or Space while focused, or the caption's access key (with or without Alt)
// presses it: the parent form's ModalResult becomes the button's ModalResult unless that is
// mrNone, then OnClick runs.
class TModalSpeedButton : public TWinControl {
 public:
  explicit TModalSpeedButton(TComponent* AOwner);
  std::string ClassName() const override { return "TModalSpeedButton"; }

  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  TSpeedButtonStyle Style() const { return FStyle; }
  void SetStyle(TSpeedButtonStyle value) { FStyle = value; }
  TColor FaceColor() const { return FFaceColor; }
  void SetFaceColor(TColor value);
  TColor PressedColor() const { return FPressedColor; }
  void SetPressedColor(TColor value);
  TColor HotTrackColor() const { return FHotTrackColor; }
  void SetHotTrackColor(TColor value);
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor value);
  TColor ShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor value);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }

  void Click() override;
  void PaintTo(TCanvas& canvas) override;
  void KeyDown(winsys::WORD& Key, TShiftState Shift) override;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;

 private:
  void SetColorField(TColor& field, TColor value);
  void SetState(bool hot, bool down);

  bool FFlat = false;
  TSpeedButtonStyle FStyle = bsNormal;
  TColor FFaceColor = clBtnFace;
  TColor FPressedColor = clBtnShadow;
  TColor FHotTrackColor = clBtnHighlight;
  TColor FLightColor = clBtnHighlight;
  TColor FShadowColor = clBtnShadow;
  TModalResult FModalResult = mrNone;
  bool FMouseInControl = false;
  bool FDown = false;  // the left button went down here and is still held; it looks pressed
                       // only while the pointer is over it, as only a release there clicks
};
