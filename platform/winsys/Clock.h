#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace winsys {

// The time that timers, double-clicks and message times are measured on, in milliseconds.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t Now() const = 0;
  // The message loop has nothing to do until `deadline` (the next timer; empty when there is
  // none): answers how long it may sleep waiting for the display, empty meaning without limit.
  virtual std::optional<std::chrono::milliseconds> SleepUntil(std::optional<uint64_t> deadline) = 0;
};

}  // namespace winsys
