#pragma once

#include "framework/TComponent.h"
#include "platform/winsys/Types.h"

// Calls OnTimer every Interval milliseconds while Enabled, through a hidden window of its own.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  std::string ClassName() const override { return "TTimer"; }

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  unsigned Interval() const { return FInterval; }
  // Setting it again restarts the wait.
  void SetInterval(unsigned value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent value);

 private:
  // Kills the running timer and starts a new one when the timer should run.
  void UpdateTimer();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  winsys::HWND FWindow = nullptr;
};
