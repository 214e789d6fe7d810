#include <ifaddrs.h>
#include <net/if.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

#include "platform/inet/Inet.h"
#include "platform/inet/InetErrors.h"
#include "platform/kernel/LastError.h"
#include "platform/kernel/SystemTime.h"

namespace inet {
namespace {

bool ProxyConfigured() {
  for (const char* name :
       {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

// Empty when the interfaces cannot be listed.
std::optional<bool> LanUp() {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) {
    kernel::FailWithErrno();
    return std::nullopt;
  }
  bool up = false;
  for (const ifaddrs* entry = list; entry && !up; entry = entry->ifa_next) {
    const unsigned flags = entry->ifa_flags;
    up = (flags & IFF_UP) && (flags & IFF_RUNNING) && !(flags & IFF_LOOPBACK);
  }
  freeifaddrs(list);
  return up;
}

// The interface scan costs a few netlink round trips; a download asks before every read, so the
// answer is kept for a moment.
std::optional<bool> LanUpCached() {
  constexpr uint64_t kKeepMs = 500;
  thread_local uint64_t scannedAt = 0;
  thread_local std::optional<bool> lastAnswer;
  const uint64_t now = kernel::GetTickCount64();
  if (!lastAnswer || now - scannedAt >= kKeepMs) {
    lastAnswer = LanUp();
    scannedAt = now;
  }
  return lastAnswer;
}

}  // namespace

bool InternetGetConnectedState(uint32_t* flags, uint32_t /*reserved*/) {
  if (!flags) {
    kernel::SetLastError(EINVAL);
    return false;
  }
  *flags = 0;
  const std::optional<bool> lan = LanUpCached();
  if (!lan) return false;
  if (*lan) *flags |= INTERNET_CONNECTION_LAN;
  if (ProxyConfigured()) *flags |= INTERNET_CONNECTION_PROXY;
  // As on the platform: no active connection of any kind is a false answer.
  if (*flags == 0) {
    kernel::SetLastError(ERROR_INTERNET_DISCONNECTED);
    return false;
  }
  return true;
}

}  // namespace inet
