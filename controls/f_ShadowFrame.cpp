#include "controls/f_ShadowFrame.h"

#include "platform/kernel/Exception.h"
#include "platform/kernel/Process.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowApi.h"

using namespace winsys;

namespace {

// The shadow reaches this far beyond the form on every side.
constexpr int kMargin = 16;
// A bare nudge: the form reports its position without changing anything.
constexpr UINT kNudgeFlags =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;         // 55
constexpr UINT kKeepAll = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;      // 23
constexpr UINT kShowBelow = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW;  // 83
constexpr UINT kHideBelow = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW;  // 147
constexpr UINT kShowInPlace = kKeepAll | SWP_SHOWWINDOW;                                // 87

constexpr unsigned kActivationDelay = 20;
constexpr unsigned kCaptureDelay = 200;
constexpr unsigned kWatchInterval = 5000;

const WINDOWPOS& PosOf(const TMessage& Message) {
  return *reinterpret_cast<const WINDOWPOS*>(Message.LParam);
}

}  // namespace

TFormShadow::TFormShadow(TComponent* AOwner) : TWinControl(AOwner) {
  FShadowOffset = 0;
  FBlurPasses = 2;
  FPendingShowFlags = SWP_SHOWWINDOW;
  SetVisible(false);
  FTimer = std::make_unique<TTimer>(nullptr);
  FTimer->SetInterval(1000);
  FTimer->SetEnabled(false);
  FTimer->SetOnTimer([this](TObject* Sender) { ActivationTimer(Sender); });
  FNeedsRebuild = true;
  FShadowBitmap = std::make_unique<TBitmap>();
  FShadowBitmap->SetPixelFormat(pf32bit);
  FShadowColor = clBlack;
  FFormPicture = std::make_unique<TBitmap>();
  FFormPicture->SetPixelFormat(pf24bit);
  FBlend.BlendOp = AC_SRC_OVER;
  FBlend.AlphaFormat = AC_SRC_ALPHA;
  FShaped = false;
}

TFormShadow::~TFormShadow() {
  FFormRegion.reset();
  SetForm(nullptr);
}

void TFormShadow::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FForm) {
    ShowShadow(false);
    SetForm(nullptr);
  }
}

void TFormShadow::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.ClassStyle = CS_OWNDC | CS_DBLCLKS;
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  // No owner: the shadow must not follow the form's owner around in the z-order, nor count as
  // one of its windows.
  Params.WndParent = nullptr;
  Params.X = -1000;
  Params.Width = 0;
  Params.Height = 0;
}

void TFormShadow::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      Message.Result = HTTRANSPARENT;  // clicks go to whatever lies below
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      TWinControl::WndProc(Message);
      return;
    default:
      TWinControl::WndProc(Message);
  }
}

void TFormShadow::SetActive(bool Value) {
  if (Value == FActiveWanted) return;
  if (Value) {
    // The form may still be settling on the screen: the hook starts acting a moment later.
    FActiveWanted = true;
    FTimer->SetInterval(kActivationDelay);
    FTimer->SetOnTimer([this](TObject* Sender) { ActivationTimer(Sender); });
    FTimer->SetEnabled(true);
  } else {
    FActiveWanted = false;
    FActive = false;
    FTimer->SetEnabled(false);
    ShowShadow(false);
  }
}

void TFormShadow::SetForm(TCustomForm* Value) {
  if (Value == FForm) return;
  if (FForm && FOldWndProc) {
    FForm->SetWindowProc(std::move(FOldWndProc));
    FOldWndProc = nullptr;
    FFormHandle = nullptr;
    FTracking = false;
    FTimer->SetEnabled(false);
  }
  FForm = Value;
  if (FForm) {
    FOldWndProc = FForm->WindowProc();
    FForm->SetWindowProc([this](TMessage& Message) { FormWndProc(Message); });
    FFormKeyColor = FForm->TransparentColorValue();
    // Forms under a shadow must not flicker while the shadow copies them.
    FForm->SetDoubleBuffered(true);
    FFormHandle = FForm->Handle();
    FTracking = true;
    SetLeft(FForm->Left());
    SetTop(FForm->Top());
    SetWidth(FForm->Width());
    SetHeight(FForm->Height());
    FForm->FreeNotification(this);
  }
  FNeedsRebuild = true;
  NudgeForm(0);
}

void TFormShadow::SetShadowOffset(int Value) {
  if (Value == FShadowOffset) return;
  FShadowOffset = Value;
  // The nudge alone would not move a shadow already built for the form's size.
  if (FActive && FForm && FForm->Showing() && FBuiltWidth == FForm->Width() &&
      FBuiltHeight == FForm->Height()) {
    SetWindowPos(Handle(), FormWindow(), FForm->Left() - kMargin + Value,
                 FForm->Top() - kMargin + Value, FShadowBitmap->Width(), FShadowBitmap->Height(),
                 SWP_NOACTIVATE);
  }
  NudgeForm(0);
}

void TFormShadow::SetShadowColor(TColor Value) {
  if (Value == FShadowColor) return;
  FShadowColor = Value;
  UpdateShadowWindow();
}

void TFormShadow::SetBlurPasses(int Value) {
  FBlurPasses = Value;
}

void TFormShadow::PassOn(TMessage& Message) {
  // The form's own handling may detach the shadow, which clears FOldWndProc: call a copy.
  const TWndMethod old = FOldWndProc;
  if (old) old(Message);
}

void TFormShadow::FormWndProc(TMessage& Message) {
  try {
    if (!FActive) {
      PassOn(Message);
      return;
    }
    switch (Message.Msg) {
      case WM_WINDOWPOSCHANGING:
        PassOn(Message);
        if (FForm && FForm->Showing()) {
          FormPosChanging(Message);
        } else {
          ShowShadow(false);
        }
        break;
      case WM_WINDOWPOSCHANGED:
        PassOn(Message);
        if (FForm && FForm->Showing()) {
          FormPosChanged(Message);
        } else {
          ShowShadow(false);
        }
        break;
      case WM_SIZE:
        if (FForm && FForm->Showing()) {
          FormSized(Message);
        } else {
          PassOn(Message);
          ShowShadow(false);
        }
        break;
      case WM_ACTIVATE:
        PassOn(Message);
        ShowShadow(true);
        break;
      case WM_DESTROY:
        ShowShadow(false);
        PassOn(Message);
        break;
      case CM_SHOWINGCHANGED:
        PassOn(Message);
        ShowShadow(FForm && FForm->Showing());
        break;
      default:
        PassOn(Message);
    }
  } catch (const kernel::Exception& e) {
    kernel::OutputDebugStringA(e.Message());
  }
}

void TFormShadow::FormSized(TMessage& Message) {
  PassOn(Message);
  switch (Message.WParam) {
    case SIZE_RESTORED:
      ShowShadow(true);
      break;
    case SIZE_MINIMIZED:
    case SIZE_MAXIMIZED:
      ShowShadow(false);
      break;
    default:
      break;
  }
}

void TFormShadow::FormPosChanging(TMessage& Message) {
  const WINDOWPOS& wp = PosOf(Message);
  if (!FActive || FForm->WindowState() != wsNormal || (wp.flags & SWP_HIDEWINDOW)) {
    ShowShadow(false);
    return;
  }
  if (wp.hwndInsertAfter == nullptr && wp.cx == 0 && wp.cy == 0) {
    if (FShadowBitmap->Width() > 5 && FShadowBitmap->Height() > 5) {
      ShowShadow(true);
      FTracking = true;
    }
    return;
  }
  // A form that shrinks gets its smaller picture first, so that no stale edge shows beyond it;
  // a growing one is handled once it has grown. The window still has its old rectangle here,
  // while the form's bounds may already hold the new one. The fields of a part the flags keep
  // do not count: such a call may carry anything there.
  RECT now;
  if ((wp.flags & SWP_NOSIZE) || !GetWindowRect(FFormHandle, &now)) return;
  const bool shrinks = wp.cx < now.Width() || wp.cy < now.Height();
  if (!shrinks || wp.cx <= 0 || wp.cy <= 0) return;
  const int x = (wp.flags & SWP_NOMOVE) ? now.left : wp.x;
  const int y = (wp.flags & SWP_NOMOVE) ? now.top : wp.y;
  BuildRectShadow(wp.cx, wp.cy);
  SetWindowPos(Handle(), FormWindow(), x - kMargin + FShadowOffset, y - kMargin + FShadowOffset,
               FShadowBitmap->Width(), FShadowBitmap->Height(), SWP_NOACTIVATE);
  FPendingShowFlags = 0;
  StartCaptureTimer();
  FTracking = true;
}

void TFormShadow::FormPosChanged(TMessage& Message) {
  const WINDOWPOS& wp = PosOf(Message);
  const bool builtForThisSize = FShadowBitmap->Width() == FForm->Width() + 2 * kMargin &&
                                FShadowBitmap->Height() == FForm->Height() + 2 * kMargin;
  if ((wp.flags & SWP_NOMOVE) == 0 && builtForThisSize) {
    FPendingShowFlags |= wp.flags & SWP_HIDEWINDOW;
    if (FPendingShowFlags == 0) FPendingShowFlags = kShowInPlace;
    PlaceShadow(wp.x, wp.y);
    return;
  }
  if (FForm->Width() == FBuiltWidth && FForm->Height() == FBuiltHeight) return;
  // A minimised or maximised form keeps its shadow hidden: placing the picture of its normal
  // size now could only show it again. The pending show waits for the restore.
  if (FForm->WindowState() != wsNormal) return;
  if (!FFormRegion) FFormRegion.reset(CreateRectRgn(0, 0, 1, 1));
  if (GetWindowRgn(FFormHandle, FFormRegion.get()) == COMPLEXREGION) {
    BuildShapedShadow(FForm->Width(), FForm->Height());
  } else {
    BuildRectShadow(FForm->Width(), FForm->Height());
  }
  FPendingShowFlags |= wp.flags & SWP_HIDEWINDOW;
  if (FPendingShowFlags == 0) FPendingShowFlags = wp.flags & SWP_SHOWWINDOW;
  PlaceShadow(FForm->Left(), FForm->Top());
  StartCaptureTimer();
}

void TFormShadow::PlaceShadow(int x, int y) {
  SetWindowPos(Handle(), FormWindow(), x - kMargin + FShadowOffset, y - kMargin + FShadowOffset,
               FShadowBitmap->Width(), FShadowBitmap->Height(), SWP_NOACTIVATE);
  SetWindowPos(Handle(), FormWindow(), 0, 0, 0, 0, FPendingShowFlags | kKeepAll);
  FTracking = true;
  FPendingShowFlags = 0;
}

HWND TFormShadow::FormWindow() const {
  return FForm && FForm->HandleAllocated() ? FForm->Handle() : nullptr;
}

void TFormShadow::ShowShadow(bool Show) {
  SetWindowPos(Handle(), FormWindow(), 0, 0, 0, 0, Show ? kShowBelow : kHideBelow);
}

void TFormShadow::NudgeForm(UINT Extra) {
  if (HWND form = FormWindow()) SetWindowPos(form, nullptr, 0, 0, 0, 0, Extra | kNudgeFlags);
}

void TFormShadow::UpdateShadowWindow() {
  // A see-through form gets a shadow as see-through as itself.
  const bool formBlends = FForm && (FForm->AlphaBlend() || FForm->TransparentColor());
  FBlend.SourceConstantAlpha = formBlends ? FForm->AlphaBlendValue() : 255;
  HandleNeeded();
  const SIZE size{FShadowBitmap->Width(), FShadowBitmap->Height()};
  const POINT source{0, 0};
  UpdateLayeredWindow(Handle(), nullptr, nullptr, &size, FShadowBitmap->Canvas().Buffer(), &source,
                      0, &FBlend, ULW_ALPHA);
}

void TFormShadow::ActivationTimer(TObject*) {
  FTimer->SetEnabled(false);
  FActive = FActiveWanted;
  try {
    if (FForm && FForm->HandleAllocated() && FForm->Showing()) NudgeForm(SWP_SHOWWINDOW);
  } catch (...) {
    StartCaptureTimer();
    throw;
  }
  StartCaptureTimer();
}

void TFormShadow::StartCaptureTimer() {
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kCaptureDelay);
  FTimer->SetOnTimer([this](TObject* Sender) { CaptureTimer(Sender); });
  FTimer->SetEnabled(true);
}

void TFormShadow::CaptureTimer(TObject*) {
  FTimer->SetEnabled(false);
  const auto startWatch = [this] {
    FTimer->SetInterval(kWatchInterval);
    FTimer->SetOnTimer([this](TObject* Sender) { WatchTimer(Sender); });
    FTimer->SetEnabled(true);
  };
  try {
    CaptureForm();
  } catch (...) {
    startWatch();
    throw;
  }
  startWatch();
}

void TFormShadow::WatchTimer(TObject*) {
  try {
    if (!FTracking || FFormHandle == nullptr) return;
    // A form can vanish without a word to its WindowProc (its window destroyed or hidden
    // directly): the shadow must not stay behind on its own.
    const bool formGone = !FForm || !FForm->HandleAllocated() || !IsWindow(FForm->Handle());
    if (formGone || !IsWindowVisible(FForm->Handle())) {
      ShowShadow(false);
      FTracking = false;
    }
  } catch (const std::exception&) {
    FTimer->SetEnabled(false);
  }
}
