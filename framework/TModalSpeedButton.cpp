#include "framework/TModalSpeedButton.h"

#include "framework/AccessKey.h"
#include "framework/FocusRect.h"
#include "framework/TCanvas.h"
#include "framework/TCustomForm.h"

using namespace winsys;

TModalSpeedButton::TModalSpeedButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TModalSpeedButton::SetColorField(TColor& field, TColor value) {
  if (field == value) return;
  field = value;
  Invalidate();
}

void TModalSpeedButton::SetFlat(bool value) {
  if (FFlat == value) return;
  FFlat = value;
  Invalidate();
}

void TModalSpeedButton::SetFaceColor(TColor value) {
  SetColorField(FFaceColor, value);
}
void TModalSpeedButton::SetPressedColor(TColor value) {
  SetColorField(FPressedColor, value);
}
void TModalSpeedButton::SetHotTrackColor(TColor value) {
  SetColorField(FHotTrackColor, value);
}
void TModalSpeedButton::SetLightColor(TColor value) {
  SetColorField(FLightColor, value);
}
void TModalSpeedButton::SetShadowColor(TColor value) {
  SetColorField(FShadowColor, value);
}

void TModalSpeedButton::SetState(bool hot, bool down) {
  if (hot == FMouseInControl && down == FDown) return;
  FMouseInControl = hot;
  FDown = down;
  Invalidate();
}

void TModalSpeedButton::Click() {
  if (FModalResult != mrNone) {
    if (TCustomForm* form = ParentForm()) form->SetModalResult(FModalResult);
  }
  TWinControl::Click();
}

void TModalSpeedButton::KeyDown(WORD& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key == VK_RETURN || Key == VK_SPACE) {
    Key = 0;
    Click();
  }
}

void TModalSpeedButton::CMDialogChar(TMessage& Message) {
  if (!IsAccessKey(Caption(), Message.WParam) || !CanFocus()) return;
  Message.Result = 1;
  Click();
}

void TModalSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) SetState(FMouseInControl, true);
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void TModalSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) SetState(FMouseInControl, false);
  TWinControl::MouseUp(Button, Shift, X, Y);
}

void TModalSpeedButton::CMMouseEnter(TMessage& Message) {
  SetState(true, FDown);
  TWinControl::CMMouseEnter(Message);
}

void TModalSpeedButton::CMMouseLeave(TMessage& Message) {
  SetState(false, FDown);
  TWinControl::CMMouseLeave(Message);
}

void TModalSpeedButton::PaintTo(TCanvas& canvas) {
  const bool pressed = FDown && FMouseInControl;
  const TRect r = ClientRect();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(pressed ? FPressedColor : FMouseInControl ? FHotTrackColor : FFaceColor);
  canvas.FillRect(r);
  if (!FFlat || FMouseInControl) {
    const TColor topLeft = pressed ? FShadowColor : FLightColor;
    const TColor bottomRight = pressed ? FLightColor : FShadowColor;
    canvas.Brush().SetColor(topLeft);
    canvas.FillRect(Rect(r.Left, r.Top, r.Right, r.Top + 1));
    canvas.FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom));
    canvas.Brush().SetColor(bottomRight);
    canvas.FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
    canvas.FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
  }

  canvas.Font().Assign(Font());
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  const TAccessKeyText text = ParseAccessKey(Caption());
  const TSize extent = canvas.TextExtent(text.Text);
  const int shift = pressed ? 1 : 0;
  canvas.Brush().SetStyle(bsClear);
  DrawAccessText(canvas, (r.Width() - extent.cx) / 2 + shift, (r.Height() - extent.cy) / 2 + shift,
                 text);
  if (Focused()) {
    DrawFocusRect(canvas, Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3),
                  canvas.Font().Color());
  }
  PaintControls(canvas);
}
