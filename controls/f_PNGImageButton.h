#pragma once

#include <memory>
#include <string>

#include "framework/StandardControlTypes.h"
#include "framework/TGraphicControl.h"
#include "framework/TPNGObject.h"
#include "framework/TPicture.h"

// A button drawn from PNG pictures with per-pixel alpha over whatever its parent painted
// beneath it: one picture for each state (normal, pointer over, pressed, released, disabled),
// centred, stretched (optionally with fixed-size caps) or tiled, with an optional icon and
// popup-menu arrow. Without any picture it shows a dashed frame.
//
// The events are the control's own (OnClick, OnMouseDown, ... of TControl); the button fires
// them only while enabled and only for the left mouse button.
class TPNGImageButton : public TGraphicControl {
 public:
  explicit TPNGImageButton(TComponent* AOwner);
  std::string ClassName() const override { return "TPNGImageButton"; }

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  // The pictures are the button's own: setters copy the one passed in (nullptr clears).
  TPNGObject* PngOver() const { return FPngOver.get(); }
  void SetPngOver(const TPNGObject* Value);
  TPNGObject* PngDown() const { return FPngDown.get(); }
  void SetPngDown(const TPNGObject* Value);
  TPNGObject* PngUp() const { return FPngUp.get(); }
  void SetPngUp(const TPNGObject* Value);
  // Made from PngImg at a third of its opacity when the button is disabled while it is empty.
  TPNGObject* PngDisabled() const { return FPngDisabled.get(); }
  void SetPngDisabled(const TPNGObject* Value);
  TPNGObject* PngImg() const { return FPngImg.get(); }
  void SetPngImg(const TPNGObject* Value);
  // The picture shown now: one of the five, or null until the first paint.
  const TPNGObject* CurrentPicture() const { return FCurrent; }

  TPicture& Icon() const { return *FIcon; }
  void SetIcon(const TPicture* Value) { FIcon->Assign(Value); }
  int IconOffsetX() const { return FIconOffsetX; }
  void SetIconOffsetX(int Value);
  int IconOffsetY() const { return FIconOffsetY; }
  void SetIconOffsetY(int Value);
  TPicture& PopupArrow() const { return *FPopupArrow; }
  void SetPopupArrow(const TPicture* Value) { FPopupArrow->Assign(Value); }
  int PopupArrowOffsetX() const { return FPopupArrowOffsetX; }
  void SetPopupArrowOffsetX(int Value);
  int PopupArrowOffsetY() const { return FPopupArrowOffsetY; }
  void SetPopupArrowOffsetY(int Value);
  // Rows at the top and bottom (columns at the left and right) kept unscaled when stretching.
  int FixedHeight() const { return FFixedHeight; }
  void SetFixedHeight(int Value);
  int FixedWidth() const { return FFixedWidth; }
  void SetFixedWidth(int Value);
  TControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TControl* Value);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  bool Tile() const { return FTile; }
  void SetTile(bool Value);
  void SetPopupMenu(TPopupMenu* Value) override;
  void SetOnPictureChange(TNotifyEvent Value) { FOnPictureChange = std::move(Value); }

  void SetParent(TWinControl* AParent) override;
  void Click() override;
  void DblClick() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;

  // Makes picture current when it has pixels and is not current yet; answers whether it did.
  bool ShowPicture(TPNGObject* Picture);
  void FireMouseEnter();
  void FireMouseLeave();

  std::unique_ptr<TPNGObject> FPngOver, FPngDown, FPngUp, FPngImg;
  TPNGObject* FCurrent = nullptr;
  std::unique_ptr<TPNGObject> FPngDisabled;

 private:
  void PictureChanged(TObject* Sender);
  void MakeDisabledPng();
  // The picture with its caps kept and the rest scaled to rect's size.
  std::unique_ptr<TPNGObject> ScaleWithCaps(const TPNGObject& picture, const TRect& rect) const;

  TNotifyEvent FOnPictureChange;
  bool FAutoSize = true;
  bool FStretch = false;
  bool FTile = false;
  TControl* FFocusControl = nullptr;
  bool FPainting = false;
  int FFixedHeight = 0;
  int FFixedWidth = 0;
  std::unique_ptr<TPicture> FIcon;
  int FIconOffsetX = 0;
  int FIconOffsetY = 0;
  int FPopupArrowOffsetY = 0;
  int FPopupArrowOffsetX = 0;
  std::unique_ptr<TPicture> FPopupArrow;
};

// An image button with a caption and a grouped toggle: a press on a button of a group (a
// GroupIndex other than 0) holds it down and releases the others of its parent.
class TPNGImageButtonEx : public TPNGImageButton {
 public:
  explicit TPNGImageButtonEx(TComponent* AOwner);
  std::string ClassName() const override { return "TPNGImageButtonEx"; }

  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  int CaptionOffsetX() const { return FCaptionOffsetX; }
  void SetCaptionOffsetX(int Value);
  int CaptionOffsetY() const { return FCaptionOffsetY; }
  void SetCaptionOffsetY(int Value);
  // Kept and compared; the caption is drawn with the font's own spacing.
  int FontSpace() const { return FFontSpace; }
  void SetFontSpace(int Value);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

 private:
  void ReleaseGroup();

  int FGroupIndex = 0;
  bool FDown = false;
  TAlignment FAlignment = taCenter;
  int FCaptionOffsetX = 0;
  int FCaptionOffsetY = 0;
  int FFontSpace = 0;
};
