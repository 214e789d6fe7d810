#include "framework/TControl.h"

#include "framework/TCustomForm.h"
#include "framework/TWinControl.h"

using namespace winsys;

namespace {

TShiftState ShiftFromKeys(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  return shift;
}

}  // namespace

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FWindowProc = [this](TMessage& message) { WndProc(message); };
  WatchFont();
}

void TControl::WatchFont() {
  // A font set on the control itself is no longer its parent's.
  FFont.SetOnChange([this](TObject*) {
    FParentFont = false;
    FontChanged();
  });
}

TControl::~TControl() {
  Destroying();
  SetParent(nullptr);
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (FParent) {
    Invalidate();
    FParent->RemoveControl(this);
  }
  FParent = AParent;
  if (FParent) {
    FParent->InsertControl(this);
    if (FParentFont) ParentFontChanged();
    RequestAlign();
    Invalidate();
  }
}

TCustomForm* TControl::ParentForm() const {
  const TControl* control = this;
  while (control->FParent) control = control->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Invalidate();
  RequestAlign();
}

void TControl::SetAlign(TAlign value) {
  if (FAlign == value) return;
  FAlign = value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent && (ComponentState() & csLoading) == 0) FParent->Realign();
}

void TControl::SetVisible(bool value) {
  if (FVisible == value) return;
  if (!value) Invalidate();
  FVisible = value;
  if (value) Invalidate();
  RequestAlign();
}

bool TControl::Showing() const {
  return FVisible && FParent && FParent->Showing();
}

void TControl::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor value) {
  if (FColor == value) return;
  FColor = value;
  Invalidate();
}

void TControl::SetParentFont(bool value) {
  FParentFont = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FFont.SetOnChange(nullptr);
  FFont.Assign(FParent->Font());
  WatchFont();
  FontChanged();
}

void TControl::SetCaption(const std::string& value) {
  if (FCaption == value) return;
  FCaption = value;
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* value) {
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = value;
  if (value) value->FreeNotification(this);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  FWindowProc(message);
  return message.Result;
}

void TControl::Invalidate() {
  if (FParent && FVisible) FParent->InvalidateArea(BoundsRect());
}

void TControl::Repaint() {
  Invalidate();
  if (TCustomForm* form = ParentForm()) form->Update();
}

TPoint TControl::ClientOrigin() const {
  TPoint origin{FLeft, FTop};
  for (const TWinControl* p = FParent; p && p->Parent(); p = p->Parent()) {
    origin.X += p->Left();
    origin.Y += p->Top();
  }
  if (!FParent) origin = {};
  return origin;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TPoint origin = ClientOrigin();
  TPoint screen{p.X + origin.X, p.Y + origin.Y};
  if (const TCustomForm* form = ParentForm()) {
    screen.X += form->Left();
    screen.Y += form->Top();
  }
  return screen;
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint zero = ClientToScreen({0, 0});
  return {p.X - zero.X, p.Y - zero.Y};
}

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      HandleMouse(Message);
      return;
    case CM_MOUSEENTER:
      CMMouseEnter(Message);
      return;
    case CM_MOUSELEAVE:
      CMMouseLeave(Message);
      return;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(Message);
      return;
    case CM_TEXTCHANGED:
      CMTextChanged(Message);
      return;
    case CM_DIALOGCHAR:
      CMDialogChar(Message);
      return;
    default:
      DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  (void)Message;
}

void TControl::HandleMouse(TMessage& Message) {
  const int x = GET_X_LPARAM(Message.LParam);
  const int y = GET_Y_LPARAM(Message.LParam);
  TShiftState shift = ShiftFromKeys(Message.WParam);
  switch (Message.Msg) {
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Message.Msg == WM_LBUTTONDBLCLK) {
        shift |= ssDouble;
        if (FControlStyle & csClickEvents) DblClick();
      } else {
        FClicked = (FControlStyle & csClickEvents) != 0;
      }
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_LBUTTONUP:
      // The click comes before the mouse-up handling, and only for a press that began here
      // and a release inside the control.
      if (FClicked) {
        FClicked = false;
        if (ClientRect().Contains({x, y})) Click();
      }
      MouseUp(mbLeft, shift, x, y);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      MouseDown(mbRight, shift | (Message.Msg == WM_RBUTTONDBLCLK ? TShiftState(ssDouble) : 0u), x,
                y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      MouseDown(mbMiddle, shift | (Message.Msg == WM_MBUTTONDBLCLK ? TShiftState(ssDouble) : 0u), x,
                y);
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, shift, x, y);
      break;
    default:
      break;
  }
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::CMMouseEnter(TMessage&) {
  if (FOnMouseEnter) FOnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
  if (FOnMouseLeave) FOnMouseLeave(this);
}

void TControl::CMEnabledChanged(TMessage&) {
  Invalidate();
}

void TControl::CMTextChanged(TMessage&) {
  Invalidate();
}

void TControl::ApplyAnchors(int dx, int dy) {
  if (FAlign != alNone) return;
  int left = FLeft, top = FTop, width = FWidth, height = FHeight;
  if (FAnchors & akRight) {
    if (FAnchors & akLeft) {
      width += dx;
    } else {
      left += dx;
    }
  }
  if (FAnchors & akBottom) {
    if (FAnchors & akTop) {
      height += dy;
    } else {
      top += dy;
    }
  }
  SetBounds(left, top, width, height);
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParentFont) ParentFontChanged();
}
