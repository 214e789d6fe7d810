#pragma once

#include <sys/types.h>

namespace x11test {

// A private X server for one test program: the first free display from :90, exported as
// DISPLAY, stopped by its process id when the object goes.
class XvfbServer {
 public:
  XvfbServer();
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool Running() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
};

}  // namespace x11test
