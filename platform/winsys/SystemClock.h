#pragma once

#include "platform/winsys/Clock.h"

namespace winsys {

// The program's clock: the system's tick count.
class SystemClock final : public Clock {
 public:
  uint64_t Now() const override;
  std::optional<std::chrono::milliseconds> SleepUntil(std::optional<uint64_t> deadline) override;
};

}  // namespace winsys
