#include "platform/kernel/InstanceMarker.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

#include "platform/kernel/LastError.h"

namespace kernel {

InstanceMarker::InstanceMarker(const std::string& name) {
  // The abstract namespace has no file: the name vanishes with the last descriptor, also when
  // the holder is killed.
  const std::string address = name + "." + std::to_string(getuid());
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const size_t length = std::min(address.size(), sizeof(addr.sun_path) - 1);
  std::memcpy(addr.sun_path + 1, address.data(), length);

  fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) {
    FailWithErrno();
    return;
  }
  const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
  if (bind(fd_, reinterpret_cast<const sockaddr*>(&addr), size) != 0) {
    const int error = errno;
    close(fd_);
    fd_ = -1;
    if (error == EADDRINUSE) {
      alreadyExisted_ = true;
      SetLastError(ERROR_ALREADY_EXISTS);
    } else {
      SetLastError(static_cast<uint32_t>(error));
    }
    return;
  }
  SetLastError(ERROR_SUCCESS);
}

InstanceMarker::~InstanceMarker() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace kernel
