#include "platform/winsys/ManualClock.h"

namespace winsys {

std::optional<std::chrono::milliseconds> ManualClock::SleepUntil(std::optional<uint64_t> deadline) {
  if (!deadline) return std::nullopt;
  if (*deadline > now_) now_ = *deadline;
  return std::chrono::milliseconds(0);
}

}  // namespace winsys
