#include "framework/TTimer.h"

#include "platform/winsys/MessageApi.h"
#include "platform/winsys/WindowApi.h"

using namespace winsys;

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
  Destroying();
  if (FWindow) DestroyWindow(FWindow);
}

void TTimer::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
  FInterval = value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent value) {
  FOnTimer = std::move(value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FWindow) KillTimer(FWindow, kTimerId);
  if (!FEnabled || FInterval == 0 || !FOnTimer) return;
  if (!FWindow) {
    WindowParams params;
    params.proc = [this](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
      if (msg != WM_TIMER) return DefWindowProc(hwnd, msg, wParam, lParam);
      // The handler may switch the timer off or give it another role: it reads the fields
      // afresh each time.
      if (FEnabled && FOnTimer) {
        const TNotifyEvent handler = FOnTimer;
        handler(this);
      }
      return 0;
    };
    FWindow = CreateWindowEx(params);
  }
  SetTimer(FWindow, kTimerId, FInterval);
}
