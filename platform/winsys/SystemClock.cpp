#include "platform/winsys/SystemClock.h"

#include "platform/kernel/SystemTime.h"

namespace winsys {

uint64_t SystemClock::Now() const {
  return kernel::GetTickCount64();
}

std::optional<std::chrono::milliseconds> SystemClock::SleepUntil(std::optional<uint64_t> deadline) {
  if (!deadline) return std::nullopt;
  uint64_t now = Now();
  return std::chrono::milliseconds(*deadline > now ? *deadline - now : 0);
}

}  // namespace winsys
