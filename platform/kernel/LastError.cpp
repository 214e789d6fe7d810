#include "platform/kernel/LastError.h"

#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

namespace kernel {
namespace {

thread_local uint32_t tLastError = ERROR_SUCCESS;

struct SourceRange {
  uint32_t first;
  uint32_t last;
  MessageSource source;
};

std::mutex& SourcesLock() {
  static std::mutex lock;
  return lock;
}
std::vector<SourceRange>& Sources() {
  static std::vector<SourceRange> sources;
  return sources;
}

// Codes of the kernel's own that errno has no value for.
const char* KernelMessage(uint32_t code) {
  switch (code) {
    case ERROR_ALREADY_EXISTS:
      return "Cannot create a file when that file already exists.";
    case ERROR_SHARING_VIOLATION:
      return "The process cannot access the file because it is being used by another process.";
    default:
      return nullptr;
  }
}

}  // namespace

uint32_t GetLastError() {
  return tLastError;
}
void SetLastError(uint32_t code) {
  tLastError = code;
}

bool FailWithErrno() {
  SetLastError(static_cast<uint32_t>(errno));
  return false;
}

void RegisterMessageSource(uint32_t first, uint32_t last, MessageSource source) {
  std::lock_guard guard(SourcesLock());
  Sources().push_back({first, last, source});
}

std::string FormatSystemMessage(uint32_t code) {
  if (const char* own = KernelMessage(code)) return own;
  {
    std::lock_guard guard(SourcesLock());
    for (const SourceRange& range : Sources()) {
      if (code >= range.first && code <= range.last) {
        const char* message = range.source(code);
        return message ? message : "";
      }
    }
  }
  if (code == 0 || code > 4095) return "";
  const char* description = strerrordesc_np(static_cast<int>(code));
  return description ? std::string(description) + "." : "";
}

std::string SystemErrorText(uint32_t code) {
  std::string message = FormatSystemMessage(code);
  while (!message.empty() &&
         (static_cast<unsigned char>(message.back()) <= 32 || message.back() == '.')) {
    message.pop_back();
  }
  return message;
}

std::string LastErrorText() {
  return SystemErrorText(GetLastError());
}

}  // namespace kernel
