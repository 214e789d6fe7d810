#pragma once

#include <string>

namespace kernel {

// A named marker that the kernel removes when the last process holding it ends, however it ends:
// an abstract-namespace Unix socket named after the marker and the user id. Creating one that
// already exists leaves AlreadyExisted() true and the last error ERROR_ALREADY_EXISTS.
class InstanceMarker {
 public:
  explicit InstanceMarker(const std::string& name);
  InstanceMarker(const InstanceMarker&) = delete;
  InstanceMarker& operator=(const InstanceMarker&) = delete;
  ~InstanceMarker();

  bool AlreadyExisted() const { return alreadyExisted_; }
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
  bool alreadyExisted_ = false;
};

}  // namespace kernel
