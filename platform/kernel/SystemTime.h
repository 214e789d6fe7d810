#pragma once

#include <cstdint>
#include <optional>

namespace kernel {

// A calendar time broken into fields, as the platform's SYSTEMTIME.
struct SystemTime {
  uint16_t year = 0;
  uint16_t month = 0;      // 1..12
  uint16_t dayOfWeek = 0;  // 0 = Sunday
  uint16_t day = 0;
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;
  bool operator==(const SystemTime&) const = default;
};

// Seconds since the Unix epoch for a UTC calendar time; empty when the fields are not a valid date
// (as SystemTimeToFileTime refuses such a time).
std::optional<int64_t> SystemTimeToUnix(const SystemTime& utc);
SystemTime UnixToSystemTime(int64_t seconds, uint16_t milliseconds = 0);

SystemTime GetLocalTime();

// Milliseconds since an arbitrary start, never going backwards.
uint64_t GetTickCount64();

}  // namespace kernel
