#include <cerrno>
#include <cstring>

#include "platform/inet/InetErrors.h"
#include "platform/inet/InetHandles.h"

// The handle-level entry points: argument checks, then the objects of InetHandles.h.
namespace inet {
namespace {

std::string Text(const char* text) {
  return text ? std::string(text) : std::string();
}

template <typename T>
T* As(HINTERNET handle) {
  T* object = dynamic_cast<T*>(handle);
  if (!object) Fail(ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  return object;
}

// The object name goes into a URL as it is (already escaped by the caller), except for the bytes
// that a URL cannot carry at all.
std::string EscapeUnsafeBytes(std::string_view object) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(object.size());
  for (const char c : object) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b >= 0x7F) {
      out += '%';
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

UniqueHInternet InternetOpen(const char* agent, uint32_t accessType, const char* proxy,
                             const char* /*proxyBypass*/, uint32_t /*flags*/) {
  EnsureInitialised();
  if (accessType != INTERNET_OPEN_TYPE_PRECONFIG && accessType != INTERNET_OPEN_TYPE_DIRECT &&
      accessType != INTERNET_OPEN_TYPE_PROXY) {
    Fail(EINVAL);
    return nullptr;
  }
  if (accessType == INTERNET_OPEN_TYPE_PROXY && Text(proxy).empty()) {
    Fail(EINVAL);
    return nullptr;
  }
  auto session = std::make_unique<Session>();
  session->settings->agent = Text(agent);
  session->settings->accessType = accessType;
  if (accessType == INTERNET_OPEN_TYPE_PROXY) session->settings->proxy = Text(proxy);
  return session;
}

bool InternetSetOption(HINTERNET internet, uint32_t option, const void* buffer, uint32_t length) {
  Session* session = As<Session>(internet);
  if (!session) return false;
  if (!buffer) return Fail(EINVAL);
  SessionSettings& settings = *session->settings;
  const auto number = [&](uint32_t& field) {
    if (length != sizeof(uint32_t)) return Fail(EINVAL);
    std::memcpy(&field, buffer, sizeof(uint32_t));
    return true;
  };
  switch (option) {
    case INTERNET_OPTION_CONNECT_TIMEOUT:
      return number(settings.connectTimeoutMs);
    case INTERNET_OPTION_SEND_TIMEOUT:
    case INTERNET_OPTION_DATA_SEND_TIMEOUT:
      return number(settings.sendTimeoutMs);
    case INTERNET_OPTION_RECEIVE_TIMEOUT:
    case INTERNET_OPTION_DATA_RECEIVE_TIMEOUT:
      return number(settings.receiveTimeoutMs);
    case INTERNET_OPTION_USERNAME:
      settings.proxyUser.assign(static_cast<const char*>(buffer), length);
      return true;
    case INTERNET_OPTION_PASSWORD:
      settings.proxyPassword.assign(static_cast<const char*>(buffer), length);
      return true;
    default:
      return Fail(ERROR_INTERNET_INVALID_OPTION);
  }
}

UniqueHInternet InternetConnect(HINTERNET internet, const char* serverName, uint16_t serverPort,
                                const char* userName, const char* password, uint32_t service,
                                uint32_t /*flags*/, uintptr_t /*context*/) {
  Session* session = As<Session>(internet);
  if (!session) return nullptr;
  if (service != INTERNET_SERVICE_HTTP || Text(serverName).empty()) {
    Fail(EINVAL);
    return nullptr;
  }
  auto connection = std::make_unique<Connection>();
  ConnectionState& state = *connection->state;
  state.multi.reset(curl_multi_init());
  if (!state.multi) {
    Fail(ERROR_INTERNET_INTERNAL_ERROR);
    return nullptr;
  }
  state.session = session->settings;
  state.host = serverName;
  state.port = serverPort;
  state.user = Text(userName);
  state.password = Text(password);
  return connection;
}

UniqueHInternet HttpOpenRequest(HINTERNET connection, const char* verb, const char* objectName,
                                const char* /*version*/, const char* /*referrer*/,
                                const char* const* /*acceptTypes*/, uint32_t flags,
                                uintptr_t /*context*/) {
  Connection* owner = As<Connection>(connection);
  if (!owner) return nullptr;
  CurlEasy easy(curl_easy_init());
  if (!easy) {
    Fail(ERROR_INTERNET_INTERNAL_ERROR);
    return nullptr;
  }
  const ConnectionState& state = *owner->state;
  const bool secure = (flags & INTERNET_FLAG_SECURE) != 0;
  const std::string host =
      state.host.find(':') != std::string::npos ? "[" + state.host + "]" : state.host;
  std::string object = EscapeUnsafeBytes(Text(objectName));
  if (object.empty() || object.front() != '/') object = "/" + object;
  std::string url =
      (secure ? "https://" : "http://") + host + ":" + std::to_string(state.port) + object;
  std::string method = Text(verb).empty() ? "GET" : Text(verb);
  return std::make_unique<Request>(owner->state, std::move(easy), std::move(method),
                                   std::move(url));
}

bool HttpAddRequestHeaders(HINTERNET request, const char* headers, uint32_t length,
                           uint32_t modifiers) {
  Request* object = As<Request>(request);
  if (!object) return false;
  if (!headers) return Fail(EINVAL);
  const std::string_view text(headers, length == UINT32_MAX ? std::strlen(headers) : length);
  return object->AddHeaders(text, modifiers);
}

bool HttpSendRequest(HINTERNET request, const char* headers, uint32_t headersLength,
                     const void* optional, uint32_t optionalLength) {
  Request* object = As<Request>(request);
  if (!object) return false;
  std::string_view extra;
  if (headers)
    extra = {headers, headersLength == UINT32_MAX ? std::strlen(headers) : headersLength};
  return object->Send(extra, optional, optional ? optionalLength : 0);
}

bool InternetReadFile(HINTERNET file, void* buffer, uint32_t numberOfBytesToRead,
                      uint32_t* numberOfBytesRead) {
  Request* object = As<Request>(file);
  if (!object) return false;
  if (!numberOfBytesRead || (!buffer && numberOfBytesToRead > 0)) return Fail(EINVAL);
  *numberOfBytesRead = 0;
  return object->Read(buffer, numberOfBytesToRead, numberOfBytesRead);
}

}  // namespace inet
