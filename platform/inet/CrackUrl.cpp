#include <cerrno>
#include <charconv>
#include <cstring>
#include <string_view>

#include "platform/inet/Inet.h"
#include "platform/inet/InetErrors.h"

namespace inet {
namespace {

struct Scheme {
  std::string_view name;
  int32_t number;
  uint16_t port;
};
constexpr Scheme kSchemes[] = {
    {"ftp", INTERNET_SCHEME_FTP, 21},      {"gopher", INTERNET_SCHEME_GOPHER, 70},
    {"http", INTERNET_SCHEME_HTTP, 80},    {"https", INTERNET_SCHEME_HTTPS, 443},
    {"file", INTERNET_SCHEME_FILE, 0},     {"news", INTERNET_SCHEME_NEWS, 119},
    {"mailto", INTERNET_SCHEME_MAILTO, 0},
};

const Scheme* FindScheme(std::string_view name) {
  for (const Scheme& scheme : kSchemes) {
    if (name.size() == scheme.name.size() &&
        strncasecmp(name.data(), scheme.name.data(), name.size()) == 0) {
      return &scheme;
    }
  }
  return nullptr;
}

// Copies a component into its caller-owned buffer, when the caller gave one.
bool Put(std::string_view part, char* buffer, uint32_t& length) {
  if (!buffer) return true;
  if (part.size() + 1 > length) return Fail(ENOBUFS);
  if (!part.empty()) std::memcpy(buffer, part.data(), part.size());
  buffer[part.size()] = '\0';
  length = static_cast<uint32_t>(part.size());
  return true;
}

bool ValidScheme(std::string_view scheme) {
  if (scheme.empty() || !std::isalpha(static_cast<unsigned char>(scheme.front()))) return false;
  for (const char c : scheme) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.') {
      return false;
    }
  }
  return true;
}

}  // namespace

bool InternetCrackUrl(const char* url, uint32_t urlLength, uint32_t /*flags*/,
                      URL_COMPONENTS* components) {
  if (!url || !components) return Fail(EINVAL);
  std::string_view rest(url, urlLength ? urlLength : std::strlen(url));
  const size_t colon = rest.find(':');
  if (colon == std::string_view::npos || !ValidScheme(rest.substr(0, colon))) {
    return Fail(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
  }
  const std::string_view schemeText = rest.substr(0, colon);
  const Scheme* scheme = FindScheme(schemeText);
  rest.remove_prefix(colon + 1);

  std::string_view user, password, host;
  uint16_t port = scheme ? scheme->port : 0;
  if (rest.starts_with("//")) {
    rest.remove_prefix(2);
    const size_t authorityEnd = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, authorityEnd);
    rest.remove_prefix(authority.size());
    const size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
      const std::string_view userInfo = authority.substr(0, at);
      const size_t split = userInfo.find(':');
      user = userInfo.substr(0, split);
      if (split != std::string_view::npos) password = userInfo.substr(split + 1);
      authority.remove_prefix(at + 1);
    }
    size_t portColon = authority.rfind(':');
    if (portColon != std::string_view::npos &&
        authority.find(']', portColon) != std::string_view::npos) {
      portColon = std::string_view::npos;  // a colon inside an IPv6 literal
    }
    host = authority.substr(0, portColon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
      host = host.substr(1, host.size() - 2);
    if (portColon != std::string_view::npos) {
      const std::string_view digits = authority.substr(portColon + 1);
      unsigned value = 0;
      const auto [end, error] =
          std::from_chars(digits.data(), digits.data() + digits.size(), value);
      if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
          value > 65535) {
        return Fail(ERROR_INTERNET_INVALID_URL);
      }
      port = static_cast<uint16_t>(value);
    }
    if (host.empty()) return Fail(ERROR_INTERNET_INVALID_URL);
  }
  const size_t extraStart = rest.find_first_of("?#");
  const std::string_view path = rest.substr(0, extraStart);
  const std::string_view extra =
      extraStart == std::string_view::npos ? std::string_view() : rest.substr(extraStart);

  URL_COMPONENTS& c = *components;
  if (!Put(schemeText, c.lpszScheme, c.dwSchemeLength) ||
      !Put(host, c.lpszHostName, c.dwHostNameLength) ||
      !Put(user, c.lpszUserName, c.dwUserNameLength) ||
      !Put(password, c.lpszPassword, c.dwPasswordLength) ||
      !Put(path, c.lpszUrlPath, c.dwUrlPathLength) ||
      !Put(extra, c.lpszExtraInfo, c.dwExtraInfoLength)) {
    return false;
  }
  c.nScheme = scheme ? scheme->number : INTERNET_SCHEME_UNKNOWN;
  c.nPort = port;
  return true;
}

}  // namespace inet
