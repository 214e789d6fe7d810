#pragma once

#include <exception>
#include <string>
#include <utility>

namespace kernel {

// The one base class of every exception raised by the platform layer and the framework. The
// message is narrow (UTF-8) text, shown to nobody but the log and the debug output.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

}  // namespace kernel
