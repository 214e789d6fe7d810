#include "platform/winsys/TimerQueue.h"

#include <algorithm>

namespace winsys {

void TimerQueue::Set(HWND hwnd, UINT_PTR id, UINT elapse, uint64_t now) {
  Kill(hwnd, id);
  timers_.push_back(Timer{hwnd, id, elapse, now + elapse, nextOrder_++});
}

bool TimerQueue::Kill(HWND hwnd, UINT_PTR id) {
  return std::erase_if(timers_, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

void TimerQueue::KillAll(HWND hwnd) {
  std::erase_if(timers_, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
}

std::optional<uint64_t> TimerQueue::NextDue() const {
  if (timers_.empty()) return std::nullopt;
  return std::ranges::min_element(timers_, {}, &Timer::due)->due;
}

std::optional<TimerQueue::Due> TimerQueue::TakeDue(uint64_t now) {
  auto first = std::ranges::min_element(timers_, [](const Timer& a, const Timer& b) {
    return a.due != b.due ? a.due < b.due : a.order < b.order;
  });
  if (first == timers_.end() || first->due > now) return std::nullopt;
  first->due = now + first->elapse;
  return Due{first->hwnd, first->id};
}

}  // namespace winsys
