#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/winsys/Types.h"

namespace winsys {

// The window timers. A due timer yields one WM_TIMER however late it is (the platform coalesces
// missed periods) and is then due again one period after that moment.
class TimerQueue {
 public:
  struct Due {
    HWND hwnd;
    UINT_PTR id;
  };

  // Setting an existing (window, id) pair restarts it with the new period.
  void Set(HWND hwnd, UINT_PTR id, UINT elapse, uint64_t now);
  bool Kill(HWND hwnd, UINT_PTR id);
  void KillAll(HWND hwnd);
  std::optional<uint64_t> NextDue() const;
  // The timer due first at `now` (the one set first among equals), rescheduled.
  std::optional<Due> TakeDue(uint64_t now);

 private:
  struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT elapse;
    uint64_t due;
    uint64_t order;
  };
  std::vector<Timer> timers_;
  uint64_t nextOrder_ = 0;
};

}  // namespace winsys
