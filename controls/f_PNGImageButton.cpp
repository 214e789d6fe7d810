#include "controls/f_PNGImageButton.h"

#include <algorithm>

#include "framework/TWinControl.h"

namespace {

bool HasPixels(const TPNGObject& picture) {
  return !picture.Empty() && picture.Width() > 0;
}

}  // namespace

TPNGImageButton::TPNGImageButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  // The parent's background shows through wherever the picture is transparent.
  SetControlStyle((ControlStyle() | csCaptureMouse | csReplicatable) & ~csOpaque);
  FAutoSize = true;
  FPainting = false;
  FStretch = false;
  FTile = false;
  for (auto* picture : {&FPngOver, &FPngDown, &FPngUp, &FPngImg, &FPngDisabled}) {
    *picture = std::make_unique<TPNGObject>();
    (*picture)->SetOnChange([this](TObject* Sender) { PictureChanged(Sender); });
  }
  for (auto* picture : {&FIcon, &FPopupArrow}) {
    *picture = std::make_unique<TPicture>();
    (*picture)->SetOnChange([this](TObject*) { Invalidate(); });
  }
  FCurrent = nullptr;
  SetBounds(Left(), Top(), 50, 50);
  SetShowHint(false);
}

void TPNGImageButton::SetParent(TWinControl* AParent) {
  TGraphicControl::SetParent(AParent);
  // The button composes itself over the parent's picture: the parent must not flicker.
  if (AParent) AParent->SetDoubleBuffered(true);
}

void TPNGImageButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FFocusControl) {
    FFocusControl = nullptr;
  }
}

void TPNGImageButton::SetPngOver(const TPNGObject* Value) {
  FPngOver->Assign(Value);
  Invalidate();
}

void TPNGImageButton::SetPngDown(const TPNGObject* Value) {
  FPngDown->Assign(Value);
  Invalidate();
}

void TPNGImageButton::SetPngUp(const TPNGObject* Value) {
  FPngUp->Assign(Value);
  Invalidate();
}

void TPNGImageButton::SetPngDisabled(const TPNGObject* Value) {
  FPngDisabled->Assign(Value);
  Invalidate();
}

void TPNGImageButton::SetPngImg(const TPNGObject* Value) {
  FPngImg->Assign(Value);
  if (FAutoSize && Value) SetBounds(Left(), Top(), Value->Width(), Value->Height());
  Invalidate();
}

void TPNGImageButton::SetIconOffsetX(int Value) {
  if (Value == FIconOffsetX) return;
  FIconOffsetX = Value;
  Invalidate();
}

void TPNGImageButton::SetIconOffsetY(int Value) {
  if (Value == FIconOffsetY) return;
  FIconOffsetY = Value;
  Invalidate();
}

void TPNGImageButton::SetPopupArrowOffsetX(int Value) {
  if (Value == FPopupArrowOffsetX) return;
  FPopupArrowOffsetX = Value;
  Invalidate();
}

void TPNGImageButton::SetPopupArrowOffsetY(int Value) {
  if (Value == FPopupArrowOffsetY) return;
  FPopupArrowOffsetY = Value;
  Invalidate();
}

void TPNGImageButton::SetFixedHeight(int Value) {
  if (Value == FFixedHeight) return;
  FFixedHeight = std::max(Value, 0);
  Invalidate();
}

void TPNGImageButton::SetFixedWidth(int Value) {
  if (Value == FFixedWidth) return;
  FFixedWidth = std::max(Value, 0);
  Invalidate();
}

void TPNGImageButton::SetFocusControl(TControl* Value) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TPNGImageButton::SetStretch(bool Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  Invalidate();
}

void TPNGImageButton::SetTile(bool Value) {
  if (Value == FTile) return;
  FTile = Value;
  Invalidate();
}

void TPNGImageButton::SetPopupMenu(TPopupMenu* Value) {
  TGraphicControl::SetPopupMenu(Value);
  if (Value) Invalidate();
}

void TPNGImageButton::PictureChanged(TObject* Sender) {
  auto* picture = static_cast<TPNGObject*>(Sender);
  if ((picture->Empty() || picture->Width() <= 0) && picture == FCurrent) {
    FCurrent = nullptr;  // the next paint falls back to PngImg
  } else if (FAutoSize) {
    // PngImg sets the size; any other picture can only make the button larger.
    const bool normal = picture == FPngImg.get();
    const int width = picture->Width() > Width() || normal ? picture->Width() : Width();
    const int height = picture->Height() > Height() || normal ? picture->Height() : Height();
    SetBounds(Left(), Top(), width, height);
  }
  Invalidate();
  if (FOnPictureChange) FOnPictureChange(this);
}

bool TPNGImageButton::ShowPicture(TPNGObject* Picture) {
  if (!HasPixels(*Picture) || Picture == FCurrent) return false;
  FCurrent = Picture;
  Invalidate();
  return true;
}

void TPNGImageButton::FireMouseEnter() {
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TPNGImageButton::FireMouseLeave() {
  if (FOnMouseLeave) FOnMouseLeave(this);
}

void TPNGImageButton::CMMouseEnter(TMessage&) {
  if (!Enabled()) return;
  if ((ComponentState() & csDesigning) == 0) {
    if (!FPngOver->Empty()) {
      FCurrent = FPngOver.get();
      Invalidate();
    }
  } else {
    ShowPicture(FPngOver.get());
  }
  FireMouseEnter();
}

void TPNGImageButton::CMMouseLeave(TMessage&) {
  if (!Enabled()) return;
  ShowPicture(FPngImg.get());
  FireMouseLeave();
}

void TPNGImageButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!Enabled() || Button != mbLeft) return;
  if (!FPngDown->Empty() && FCurrent != FPngDown.get()) {
    FCurrent = FPngDown.get();
    Invalidate();
  }
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TPNGImageButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!Enabled() || Button != mbLeft) return;
  // The picture shown now is skipped: released over the button, PngOver gives way to PngImg.
  for (TPNGObject* picture : {FPngUp.get(), FPngOver.get(), FPngImg.get()}) {
    if (ShowPicture(picture)) break;
  }
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TPNGImageButton::Click() {
  if (Enabled() && FOnClick) FOnClick(this);
}

void TPNGImageButton::DblClick() {
  if (Enabled() && FOnDblClick) FOnDblClick(this);
}

void TPNGImageButton::CMEnabledChanged(TMessage&) {
  if (Enabled()) {
    if (HasPixels(*FPngImg)) FCurrent = FPngImg.get();
  } else {
    if (!HasPixels(*FPngDisabled)) MakeDisabledPng();
    FCurrent = FPngDisabled.get();
  }
  Repaint();
}

void TPNGImageButton::MakeDisabledPng() {
  FPngDisabled->Assign(FPngImg.get());
  FPngDisabled->CreateAlpha();
  if (FPngDisabled->Header().ColorType == COLOR_PALETTE) return;
  for (int y = 0; y < FPngImg->Height(); ++y) {
    const TAlphaRow alpha = FPngDisabled->AlphaScanline(y);
    for (int x = 0; x < FPngImg->Width(); ++x) alpha[x] = uint8_t(alpha[x] / 3);
  }
}

TPNGImageButtonEx::TPNGImageButtonEx(TComponent* AOwner) : TPNGImageButton(AOwner) {
  FGroupIndex = 0;
  FDown = false;
  FAlignment = taCenter;
  FCaptionOffsetX = 0;
  FCaptionOffsetY = 0;
  FFontSpace = 0;
}

void TPNGImageButtonEx::SetDown(bool Value) {
  if (Value == FDown) return;
  FDown = Value;
  Invalidate();
  if (FGroupIndex != 0 && FDown) ReleaseGroup();
}

void TPNGImageButtonEx::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TPNGImageButtonEx::SetCaptionOffsetX(int Value) {
  if (Value == FCaptionOffsetX) return;
  FCaptionOffsetX = Value;
  Invalidate();
}

void TPNGImageButtonEx::SetCaptionOffsetY(int Value) {
  if (Value == FCaptionOffsetY) return;
  FCaptionOffsetY = Value;
  Invalidate();
}

void TPNGImageButtonEx::SetFontSpace(int Value) {
  if (Value == FFontSpace) return;
  FFontSpace = Value;
  Invalidate();
}

void TPNGImageButtonEx::ReleaseGroup() {
  if (!Parent() || FGroupIndex == 0 || !FDown) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TPNGImageButtonEx*>(Parent()->Controls(i));
    if (!other || other == this || other->FGroupIndex != FGroupIndex) continue;
    other->SetDown(false);
    other->ShowPicture(other->FPngImg.get());
  }
}

void TPNGImageButtonEx::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPNGImageButton::MouseDown(Button, Shift, X, Y);
  if (!Enabled() || Button != mbLeft) return;
  if (HasPixels(*FPngDown) && FGroupIndex != 0 && !FDown) {
    FDown = true;
    Invalidate();
    ReleaseGroup();
  }
}

void TPNGImageButtonEx::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // A button held down in its group keeps its pressed picture until another one takes over.
  if (Button == mbLeft && FDown) return;
  TPNGImageButton::MouseUp(Button, Shift, X, Y);
}

void TPNGImageButtonEx::CMMouseEnter(TMessage&) {
  if (!Enabled()) return;
  if (!(FDown && FGroupIndex != 0)) ShowPicture(FPngOver.get());
  FireMouseEnter();
}

void TPNGImageButtonEx::CMMouseLeave(TMessage&) {
  if (!Enabled()) return;
  if (!(FDown && FGroupIndex != 0)) ShowPicture(FPngImg.get());
  FireMouseLeave();
}
