#include <cerrno>
#include <charconv>
#include <cstring>

#include "platform/inet/HeaderText.h"
#include "platform/inet/InetErrors.h"
#include "platform/inet/InetHandles.h"

namespace inet {
namespace {

// The value of the last header of that name in the final response's header block.
bool FindHeader(const std::string& block, std::string_view name, std::string& value) {
  bool found = false;
  bool statusLine = true;
  ForEachLine(block, [&](std::string_view line) {
    const size_t colon = line.find(':');
    if (!statusLine && colon != std::string_view::npos &&
        SameName(Trim(line.substr(0, colon)), name)) {
      value = Trim(line.substr(colon + 1));
      found = true;
    }
    statusLine = false;
    return true;
  });
  return found;
}

bool CopyOut(const void* data, uint32_t size, void* buffer, uint32_t* length) {
  if (!buffer || *length < size) {
    *length = size;
    return Fail(ENOBUFS);
  }
  std::memcpy(buffer, data, size);
  *length = size;
  return true;
}

}  // namespace

bool HttpQueryInfo(HINTERNET request, uint32_t infoLevel, void* buffer, uint32_t* length,
                   uint32_t* /*index*/) {
  const auto* object = dynamic_cast<const Request*>(request);
  if (!object) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  if (!length) return Fail(EINVAL);
  if (!object->Sent()) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  std::string value;
  switch (infoLevel & 0xFFFF) {
    case HTTP_QUERY_STATUS_CODE:
      value = std::to_string(object->StatusCode());
      break;
    case HTTP_QUERY_CONTENT_LENGTH:
      if (!FindHeader(object->RawHeaders(), "Content-Length", value)) {
        return Fail(ERROR_HTTP_HEADER_NOT_FOUND);
      }
      break;
    case HTTP_QUERY_LAST_MODIFIED:
      if (!FindHeader(object->RawHeaders(), "Last-Modified", value)) {
        return Fail(ERROR_HTTP_HEADER_NOT_FOUND);
      }
      break;
    case HTTP_QUERY_RAW_HEADERS_CRLF:
      value = object->RawHeaders();
      break;
    default:
      return Fail(ERROR_HTTP_INVALID_QUERY_REQUEST);
  }
  switch (infoLevel & 0xFFFF0000) {
    case 0: {
      if (!buffer || *length < value.size() + 1) {
        *length = static_cast<uint32_t>(value.size() + 1);
        return Fail(ENOBUFS);
      }
      std::memcpy(buffer, value.c_str(), value.size() + 1);
      *length = static_cast<uint32_t>(value.size());
      return true;
    }
    case HTTP_QUERY_FLAG_NUMBER:
    case HTTP_QUERY_FLAG_NUMBER64: {
      uint64_t number = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
      if (error != std::errc() || end != value.data() + value.size() || value.empty()) {
        return Fail(ERROR_HTTP_INVALID_HEADER);
      }
      if (infoLevel & HTTP_QUERY_FLAG_NUMBER64) return CopyOut(&number, 8, buffer, length);
      // A 4-byte number keeps the low 32 bits, as the platform's does.
      const auto low = static_cast<uint32_t>(number);
      return CopyOut(&low, 4, buffer, length);
    }
    case HTTP_QUERY_FLAG_SYSTEMTIME: {
      const time_t seconds = curl_getdate(value.c_str(), nullptr);
      if (seconds == -1) return Fail(ERROR_HTTP_INVALID_HEADER);
      const kernel::SystemTime time = kernel::UnixToSystemTime(seconds);
      return CopyOut(&time, sizeof time, buffer, length);
    }
    default:
      return Fail(ERROR_HTTP_INVALID_QUERY_REQUEST);
  }
}

}  // namespace inet
