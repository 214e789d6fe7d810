#include "framework/TWinControl.h"

#include <algorithm>

#include "framework/TCanvas.h"
#include "framework/TCustomForm.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowApi.h"

using namespace winsys;

namespace {

// Whether control lies in tree (or is it).
bool Within(const TControl* control, const TControl* tree) {
  for (const TControl* c = control; c; c = c->Parent()) {
    if (c == tree) return true;
  }
  return false;
}

TWinControl* TopLevel(TControl* control) {
  TWinControl* top = dynamic_cast<TWinControl*>(control);
  for (TWinControl* p = control->Parent(); p; p = p->Parent()) top = p;
  return top;
}

bool IsMouseMessage(UINT msg) {
  return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK;
}

}  // namespace

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Children that are not owned by a component of this tree still point here.
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
  DestroyHandle();
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) FTabList.push_back(windowed);
}

void TWinControl::RemoveControl(TControl* control) {
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
  TWinControl* top = TopLevel(this);
  if (top->FMouseControl && Within(top->FMouseControl, control)) top->FMouseControl = nullptr;
  if (top->FCaptureControl && Within(top->FCaptureControl, control)) {
    top->FCaptureControl = nullptr;
  }
  if (TCustomForm* form = ParentForm()) form->ControlRemoved(control);
  Realign();
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* child = *it;
    if (!child->Visible() || !child->BoundsRect().Contains(p)) continue;
    if (!child->Enabled() && !allowDisabled) return this;
    if (auto* windowed = dynamic_cast<TWinControl*>(child)) {
      return windowed->ControlAtPos({p.X - child->Left(), p.Y - child->Top()}, allowDisabled);
    }
    return child;
  }
  return this;
}

HWND TWinControl::Handle() {
  if (!FHandle && !Parent()) CreateWnd();
  return FHandle;
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = Caption();
  Params.Style = WS_POPUP;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.ClassStyle = CS_DBLCLKS;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  WindowParams window;
  window.exStyle = params.ExStyle;
  window.style = params.Style & ~WS_VISIBLE;
  window.classStyle = params.ClassStyle;
  window.text = params.Caption;
  window.x = params.X;
  window.y = params.Y;
  window.width = params.Width;
  window.height = params.Height;
  window.owner = params.WndParent;
  window.proc = [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    MainWndProc(hwnd, message);
    return message.Result;
  };
  FHandle = CreateWindowEx(window);
  if (!FHandle) throw kernel::Exception("Error creating window of " + ClassName());
}

void TWinControl::MainWndProc(HWND hwnd, TMessage& Message) {
  // Messages of window creation arrive before CreateWindowEx has answered.
  if (!FHandle) FHandle = hwnd;
  WindowProc()(Message);
  if (Message.Msg == WM_NCDESTROY) FHandle = nullptr;
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  const HWND handle = FHandle;
  DestroyWindow(handle);
  FHandle = nullptr;
}

void TWinControl::SetParent(TWinControl* AParent) {
  TControl::SetParent(AParent);
  // Placed into a showing parent, the control shows with it (and its children with it).
  if (AParent) UpdateShowing();
}

bool TWinControl::Showing() const {
  return Parent() ? FShowing : Visible();
}

void TWinControl::SetVisible(bool value) {
  if (Visible() == value) return;
  TControl::SetVisible(value);
  UpdateShowing();
}

void TWinControl::UpdateShowing() {
  const bool showing = Visible() && (!Parent() || Parent()->Showing());
  if (showing != FShowing) {
    FShowing = showing;
    Perform(CM_SHOWINGCHANGED, 0, 0);
  }
  for (TWinControl* child : FTabList) child->UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  if (Parent()) return;
  const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
  if (FShowing) {
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, flags | SWP_SHOWWINDOW);
  } else if (FHandle) {
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, flags | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  }
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FHandle && !FSyncingBounds) {
    SetWindowPos(FHandle, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (Width() != FAlignedWidth || Height() != FAlignedHeight) Realign();
}

void TWinControl::WindowSized(int w, int h) {
  FSyncingBounds = true;
  SetBounds(Left(), Top(), w, h);
  FSyncingBounds = false;
}

void TWinControl::WindowMoved(int x, int y) {
  FSyncingBounds = true;
  SetBounds(x, y, Width(), Height());
  FSyncingBounds = false;
}

void TWinControl::SetEnabled(bool value) {
  TControl::SetEnabled(value);
  if (FHandle) EnableWindow(FHandle, value);
}

void TWinControl::Invalidate() {
  if (Parent()) {
    TControl::Invalidate();
  } else if (FHandle) {
    InvalidateRect(FHandle, nullptr, false);
  }
}

void TWinControl::InvalidateArea(const TRect& rect) {
  if (!Visible()) return;
  if (Parent()) {
    Parent()->InvalidateArea(rect.Offset(Left(), Top()));
  } else if (FHandle) {
    const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    InvalidateRect(FHandle, &r, false);
  }
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

void TWinControl::Realign() {
  if (FAligning || (ComponentState() & csLoading)) return;
  FAligning = true;
  AlignControls();
  FAligning = false;
}

void TWinControl::AlignControls() {
  const TRect client = ClientRect();
  // Anchors keep their children's distances to the size the children were placed for; a
  // control without children has no such size yet (its own default bounds do not count).
  if (FControls.empty()) {
    FAlignedWidth = FAlignedHeight = 0;
    return;
  }
  const int dx = FAlignedWidth ? client.Width() - FAlignedWidth : 0;
  const int dy = FAlignedHeight ? client.Height() - FAlignedHeight : 0;
  FAlignedWidth = client.Width();
  FAlignedHeight = client.Height();
  if (dx || dy) {
    for (TControl* child : FControls) child->ApplyAnchors(dx, dy);
  }

  // Top and bottom first, then left and right, then the rest goes to the client control;
  // controls of one kind keep the order of their positions.
  TRect rest = client;
  const auto place = [&](TAlign align, auto key, auto put) {
    std::vector<TControl*> list;
    for (TControl* child : FControls) {
      if (child->Visible() && child->Align() == align) list.push_back(child);
    }
    std::stable_sort(list.begin(), list.end(),
                     [&](TControl* a, TControl* b) { return key(a) < key(b); });
    for (TControl* child : list) put(child);
  };
  place(
      alTop, [](TControl* c) { return c->Top(); },
      [&](TControl* c) {
        c->SetBounds(rest.Left, rest.Top, rest.Width(), c->Height());
        rest.Top += c->Height();
      });
  place(
      alBottom, [](TControl* c) { return -(c->Top() + c->Height()); },
      [&](TControl* c) {
        c->SetBounds(rest.Left, rest.Bottom - c->Height(), rest.Width(), c->Height());
        rest.Bottom -= c->Height();
      });
  place(
      alLeft, [](TControl* c) { return c->Left(); },
      [&](TControl* c) {
        c->SetBounds(rest.Left, rest.Top, c->Width(), rest.Height());
        rest.Left += c->Width();
      });
  place(
      alRight, [](TControl* c) { return -(c->Left() + c->Width()); },
      [&](TControl* c) {
        c->SetBounds(rest.Right - c->Width(), rest.Top, c->Width(), rest.Height());
        rest.Right -= c->Width();
      });
  place(
      alClient, [](TControl*) { return 0; },
      [&](TControl* c) { c->SetBounds(rest.Left, rest.Top, rest.Width(), rest.Height()); });
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->FTabList;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (!Parent()) return;
  auto& list = Parent()->FTabList;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  const auto at = std::clamp<long>(value, 0, static_cast<long>(list.size()));
  list.insert(list.begin() + at, this);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return true;
}

bool TWinControl::Focused() const {
  const TCustomForm* form = ParentForm();
  return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = ParentForm()) form->SetActiveControl(this);
}

void TWinControl::DoEnter() {
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit) FOnExit(this);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char16_t& Key) {
  if (FOnKeyPress) FOnKeyPress(this, Key);
}

bool TWinControl::DialogChar(TMessage& Message) {
  for (TControl* child : FControls) {
    if (!child->Visible() || !child->Enabled()) continue;
    if (child->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam)) return true;
    if (auto* windowed = dynamic_cast<TWinControl*>(child);
        windowed && windowed->DialogChar(Message)) {
      return true;
    }
  }
  return false;
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* child : FControls) child->ParentFontChanged();
}

void TWinControl::PaintBackground(TCanvas& canvas) {
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(ClientRect());
}

void TWinControl::PaintTo(TCanvas& canvas) {
  PaintBackground(canvas);
  PaintControls(canvas);
}

void TWinControl::PaintControls(TCanvas& canvas) {
  const TRect clip = canvas.ClipRect();
  winsys::PixelBuffer* buffer = canvas.Buffer();
  const TPoint origin = canvas.Origin();
  for (TControl* child : FControls) {
    if (!child->Visible()) continue;
    const TRect area = child->BoundsRect().Intersect(clip);
    if (area.IsEmpty()) continue;
    TCanvas childCanvas;
    childCanvas.Attach(buffer, {origin.X + child->Left(), origin.Y + child->Top()},
                       area.Offset(-child->Left(), -child->Top()));
    child->PaintTo(childCanvas);
  }
}

void TWinControl::PaintWindow() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  if (dc) {
    TCanvas canvas;
    canvas.Attach(dc, {},
                  Rect(ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom));
    PaintTo(canvas);
  }
  EndPaint(FHandle, &ps);
}

void TWinControl::WndProc(TMessage& Message) {
  if (!Parent()) {
    if (IsMouseMessage(Message.Msg)) {
      RouteMouse(Message);
      return;
    }
    switch (Message.Msg) {
      case WM_PAINT:
        PaintWindow();
        return;
      case WM_ERASEBKGND:
        Message.Result = 1;  // the paint covers every pixel
        return;
      case WM_MOUSELEAVE:
        TrackMouseControl(nullptr);
        return;
      case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
        if (!IsIconic(FHandle)) {
          RECT r;
          GetWindowRect(FHandle, &r);
          if ((pos->flags & SWP_NOMOVE) == 0) WindowMoved(r.left, r.top);
          if ((pos->flags & SWP_NOSIZE) == 0) WindowSized(r.Width(), r.Height());
        }
        DefaultHandler(Message);
        return;
      }
      default:
        break;
    }
  }
  if (Message.Msg == CM_SHOWINGCHANGED) {
    CMShowingChanged(Message);
    return;
  }
  TControl::WndProc(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (FHandle && !Parent()) {
    Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
  }
}

void TWinControl::RouteMouse(TMessage& Message) {
  POINT pt{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  const bool anyButton = (Message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
  // A press whose release went elsewhere (a system move took it) holds the mouse no longer.
  if (Message.Msg == WM_MOUSEMOVE && !anyButton) FCaptureControl = nullptr;

  TControl* hit = ControlAtPos({pt.x, pt.y});
  TrackMouseControl(hit);
  TControl* target = FCaptureControl ? FCaptureControl : hit;

  const bool down = Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_RBUTTONDOWN ||
                    Message.Msg == WM_MBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK ||
                    Message.Msg == WM_RBUTTONDBLCLK || Message.Msg == WM_MBUTTONDBLCLK;
  const bool up =
      Message.Msg == WM_LBUTTONUP || Message.Msg == WM_RBUTTONUP || Message.Msg == WM_MBUTTONUP;
  if (down && !FCaptureControl && (target->ControlStyle() & csCaptureMouse)) {
    FCaptureControl = target;
    SetCapture(FHandle);
  }
  if (down) {
    if (auto* windowed = dynamic_cast<TWinControl*>(target);
        windowed && windowed->TabStop() && windowed->CanFocus()) {
      windowed->SetFocus();
    }
  }
  const TPoint origin = target->ClientOrigin();
  TMessage local = Message;
  local.LParam = MAKELPARAM(pt.x - origin.X, pt.y - origin.Y);
  if (up && FCaptureControl) {
    // Released with no other button still down: the mouse is free again.
    const WPARAM others = Message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
    if (!others) {
      FCaptureControl = nullptr;
      if (GetCapture() == FHandle) ReleaseCapture();
    }
  }
  if (target == this) {
    TControl::WndProc(local);
  } else {
    target->WindowProc()(local);
  }
  Message.Result = local.Result;
}

void TWinControl::TrackMouseControl(TControl* control) {
  if (control == FMouseControl) return;
  TControl* previous = FMouseControl;
  FMouseControl = control;
  if (previous) previous->Perform(CM_MOUSELEAVE, 0, 0);
  if (control) control->Perform(CM_MOUSEENTER, 0, 0);
  if (FHandle) {
    const TCursor cursor = control ? control->Cursor() : crDefault;
    winsys::SetCursor(cursor == crHandPoint ? winsys::Cursor::Hand : winsys::Cursor::Arrow);
  }
}
