#include "framework/TCustomForm.h"

#include <algorithm>
#include <cctype>

#include "framework/TApplication.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowApi.h"

using namespace winsys;

namespace {

TShiftState KeyShift() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

// Windowed controls of the tree below root in tab order, depth first.
void CollectTabOrder(const TWinControl* root, std::vector<TWinControl*>& out) {
  for (TWinControl* child : root->TabList()) {
    out.push_back(child);
    CollectTabOrder(child, out);
  }
}

}  // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisible(false);
  SetColor(clBtnFace);
  if (Application) Application->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (Application) Application->RemoveForm(this);
  DestroyHandle();
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  // Every form belongs to the application window, which carries the program's task-bar title.
  if (Application) Params.WndParent = Application->Handle();
}

void TCustomForm::CMShowingChanged(TMessage& Message) {
  if (Showing()) {
    PlaceOnScreen();
    DoShow();
  }
  TWinControl::CMShowingChanged(Message);
  if (Showing()) {
    if (!FActiveControl) FActiveControl = FirstFocusable();
    SetActiveWindow(Handle());
  }
}

void TCustomForm::PlaceOnScreen() {
  if (FPosition == poDesigned) return;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  SetBounds((screenWidth - Width()) / 2, (screenHeight - Height()) / 2, Width(), Height());
}

void TCustomForm::DoCreate() {
  if (FOnCreate) FOnCreate(this);
}

void TCustomForm::DoShow() {
  if (FOnShow) FOnShow(this);
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (FOnCloseQuery) FOnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (FOnClose) FOnClose(this, action);
  if (action == caNone) return;
  if (FModal) {
    FModalResult = mrCancel;
  } else if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Hide();
  }
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || FModal) throw kernel::Exception("Cannot make a visible window modal");
  const HWND previous = GetActiveWindow();
  std::vector<TCustomForm*> disabled = Application->DisableOtherForms(this);
  FModal = true;
  FModalResult = mrNone;
  const auto restore = [&] {
    FModal = false;
    Application->EnableForms(disabled);
    Hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
  };
  try {
    Show();
    while (FModalResult == mrNone) {
      Application->HandleMessage();
      if (Application->Terminated()) FModalResult = mrCancel;
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return FModalResult;
}

TWindowState TCustomForm::WindowState() const {
  if (!HandleAllocated()) return wsNormal;
  HWND handle = const_cast<TCustomForm*>(this)->Handle();
  if (IsIconic(handle)) return wsMinimized;
  if (IsZoomed(handle)) return wsMaximized;
  return wsNormal;
}

void TCustomForm::SetWindowState(TWindowState value) {
  const int command = value == wsMinimized   ? SW_MINIMIZE
                      : value == wsMaximized ? SW_MAXIMIZE
                                             : SW_RESTORE;
  ShowWindow(Handle(), command);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (control == FActiveControl) return;
  TWinControl* previous = FActiveControl;
  FActiveControl = control;
  if (previous) {
    previous->DoExit();
    previous->Invalidate();
  }
  if (control) {
    control->DoEnter();
    control->Invalidate();
  }
}

TWinControl* TCustomForm::FirstFocusable() const {
  std::vector<TWinControl*> order;
  CollectTabOrder(this, order);
  for (TWinControl* control : order) {
    if (control->TabStop() && control->CanFocus()) return control;
  }
  return nullptr;
}

void TCustomForm::SelectNext(bool forward) {
  std::vector<TWinControl*> order;
  CollectTabOrder(this, order);
  std::erase_if(order, [](TWinControl* c) { return !c->TabStop() || !c->CanFocus(); });
  if (order.empty()) return;
  if (!forward) std::reverse(order.begin(), order.end());
  auto it = std::find(order.begin(), order.end(), FActiveControl);
  const size_t next = it == order.end() ? 0 : (it - order.begin() + 1) % order.size();
  SetActiveControl(order[next]);
}

void TCustomForm::ControlRemoved(TControl* control) {
  if (FActiveControl && (FActiveControl == control || FActiveControl->Parent() == control)) {
    FActiveControl = nullptr;
  }
}

TCanvas& TCustomForm::Canvas() {
  FCanvas.Attach(GetDC(Handle()));
  return FCanvas;
}

void TCustomForm::Update() {
  if (HandleAllocated()) UpdateWindow(Handle());
}

void TCustomForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
      HandleKey(Message);
      if (Message.Msg == WM_SYSKEYDOWN && Message.WParam) DefaultHandler(Message);
      return;
    default:
      TWinControl::WndProc(Message);
  }
}

void TCustomForm::HandleKey(TMessage& Message) {
  TWinControl* target = FActiveControl ? FActiveControl : this;
  if (Message.Msg == WM_CHAR) {
    char16_t key = static_cast<char16_t>(Message.WParam);
    if (FKeyPreview || target == this) KeyPress(key);
    if (key && target != this) target->KeyPress(key);
    if (key) {
      TMessage dialogChar{CM_DIALOGCHAR, key, 0, 0};
      DialogChar(dialogChar);
    }
    return;
  }
  WORD key = static_cast<WORD>(Message.WParam);
  const TShiftState shift = KeyShift() | (Message.Msg == WM_SYSKEYDOWN ? TShiftState(ssAlt) : 0u);
  if (FKeyPreview) KeyDown(key, shift);
  if (!key) {
    Message.WParam = 0;
    return;
  }
  if (Message.Msg == WM_SYSKEYDOWN) {
    // Alt and a letter: the access key of a control.
    TMessage dialogChar{CM_DIALOGCHAR, static_cast<WPARAM>(std::tolower(key)), 1, 0};
    if (key >= 'A' && key <= 'Z' && DialogChar(dialogChar)) Message.WParam = 0;
    return;
  }
  if (key == VK_TAB) {
    SelectNext((shift & ssShift) == 0);
    return;
  }
  if (target != this) {
    target->KeyDown(key, shift);
  } else if (!FKeyPreview) {
    KeyDown(key, shift);
  }
}
