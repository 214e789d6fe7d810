#pragma once

#include "platform/winsys/Clock.h"

namespace winsys {

// A clock for tests: time stands still until Advance is called. A message loop that would sleep
// until a timer is due (GetMessage, WaitMessage) jumps straight to that time instead, so modal
// loops that wait for timers finish without real waiting; PeekMessage never moves the time.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(uint64_t start = 1000) : now_(start) {}
  uint64_t Now() const override { return now_; }
  std::optional<std::chrono::milliseconds> SleepUntil(std::optional<uint64_t> deadline) override;
  void Advance(uint64_t ms) { now_ += ms; }

 private:
  uint64_t now_;
};

}  // namespace winsys
