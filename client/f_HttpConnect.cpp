#include <cctype>
#include <cerrno>
#include <exception>
#include <memory>

#include "client/f_HttpClientImpl.h"
#include "platform/kernel/Exception.h"
#include "platform/kernel/LastError.h"
#include "platform/text/Utf.h"

// The steps that every transfer shares: connecting, opening a request, its headers, sending.
namespace {

constexpr const char* kFixedHeaders[] = {
    "User-Agent:Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0) "
    "AppleWebKit/537.36 (KHTML, like Gecko) Chrome/30.0.1599.101 Safari/537.36",
    "Accept:text/html,application/xhtml+xml,application/xml,application/json;q=0.9,*/*;q=0.8",
    "Cache-control:no-cache",
    "Content-type:application/octet-stream",
};

bool AddHeader(inet::HINTERNET Request, const std::string& Header) {
  return inet::HttpAddRequestHeaders(Request, Header.c_str(), static_cast<uint32_t>(Header.size()),
                                     inet::HTTP_ADDREQ_FLAG_ADD | inet::HTTP_ADDREQ_FLAG_REPLACE);
}

std::string_view TrimControls(std::string_view Line) {
  while (!Line.empty() && static_cast<unsigned char>(Line.front()) <= 32) Line.remove_prefix(1);
  while (!Line.empty() && static_cast<unsigned char>(Line.back()) <= 32) Line.remove_suffix(1);
  return Line;
}

void SetNumberOption(inet::HINTERNET Internet, uint32_t Option, uint32_t Value) {
  inet::InternetSetOption(Internet, Option, &Value, sizeof Value);
}

void SetTextOption(inet::HINTERNET Internet, uint32_t Option, const std::u16string& Value) {
  if (Value.empty()) return;
  const std::string text = text::Utf16ToUtf8(Value);
  inet::InternetSetOption(Internet, Option, text.data(), static_cast<uint32_t>(text.size()));
}

}  // namespace

bool THttpClient::_CreateInternetConnect(std::string& URL, inet::UniqueHInternet& InternetHandle,
                                         inet::UniqueHInternet& ConnectionHandle,
                                         std::string& ErrorText, bool& IsHttps) {
  InternetHandle.reset();
  ConnectionHandle.reset();
  ErrorText.clear();
  try {
    if (URL.empty()) {
      ErrorText = "URL地址为空！";
      return false;
    }
    TURLParts parts;
    if (!CrackUrl(text::Utf8ToUtf16(URL), parts)) {
      ErrorText = "解析URL失败！";
      return false;
    }
    if (parts.SchemeKind != inet::INTERNET_SCHEME_HTTP &&
        parts.SchemeKind != inet::INTERNET_SCHEME_HTTPS) {
      ErrorText = "URL类型不是HTTP！";
      return false;
    }
    std::string scheme = text::Utf16ToUtf8(parts.Scheme);
    for (char& c : scheme) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    IsHttps = scheme == "https";
    const std::string agent = text::Utf16ToUtf8(FAgentName);
    switch (FAccessType) {
      case 0:
        InternetHandle =
            inet::InternetOpen(agent.c_str(), inet::INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
        break;
      case 1:
        InternetHandle = inet::InternetOpen(agent.c_str(), inet::INTERNET_OPEN_TYPE_PRECONFIG,
                                            nullptr, nullptr, 0);
        break;
      case 2:
        InternetHandle = inet::InternetOpen(agent.c_str(), inet::INTERNET_OPEN_TYPE_PROXY,
                                            text::Utf16ToUtf8(FProxyServer).c_str(), nullptr, 0);
        if (InternetHandle) {
          SetTextOption(InternetHandle.get(), inet::INTERNET_OPTION_USERNAME, FProxyUser);
          SetTextOption(InternetHandle.get(), inet::INTERNET_OPTION_PASSWORD, FProxyPassword);
        }
        break;
      default:
        // No such access type: the open fails as it would with an invalid argument.
        kernel::SetLastError(EINVAL);
        break;
    }
    if (!InternetHandle) {
      ErrorText = "打开一个Internet连接失败:" + kernel::LastErrorText();
      return false;
    }
    if (FTimeout != 0) {
      for (const uint32_t option :
           {inet::INTERNET_OPTION_SEND_TIMEOUT, inet::INTERNET_OPTION_RECEIVE_TIMEOUT,
            inet::INTERNET_OPTION_DATA_SEND_TIMEOUT, inet::INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
        SetNumberOption(InternetHandle.get(), option, static_cast<uint32_t>(FTimeout));
      }
    }
    ConnectionHandle = inet::InternetConnect(
        InternetHandle.get(), text::Utf16ToUtf8(parts.HostName).c_str(), parts.Port,
        text::Utf16ToUtf8(parts.UserName).c_str(), text::Utf16ToUtf8(parts.Password).c_str(),
        inet::INTERNET_SERVICE_HTTP, 0, 0);
    if (!ConnectionHandle) {
      ErrorText = "打开HTTP连接失败:" + kernel::LastErrorText();
      InternetHandle.reset();
      return false;
    }
    URL = text::Utf16ToUtf8((parts.UrlPath.empty() ? u"/" : parts.UrlPath) + parts.ExtraInfo);
    return true;
  } catch (const std::exception& e) {
    ErrorText = std::string("[THttpClient._CreateInternetConnect]") + e.what();
    ConnectionHandle.reset();
    InternetHandle.reset();
    return false;
  }
}

inet::UniqueHInternet THttpClient::_OpenRequest(inet::HINTERNET Connection, const std::string& Verb,
                                                const std::string& ObjectName, bool IsHttps) {
  uint32_t flags = inet::INTERNET_FLAG_RELOAD | inet::INTERNET_FLAG_NO_CACHE_WRITE;
  if (IsHttps) flags |= inet::INTERNET_FLAG_SECURE;
  return inet::HttpOpenRequest(Connection, Verb.c_str(), ObjectName.c_str(), "HTTP/1.1", nullptr,
                               nullptr, flags, 0);
}

bool THttpClient::_AddRequestHeaders(inet::HINTERNET Request, const std::string& ExtraHeaders,
                                     bool Resume, int64_t StartPos) {
  for (const char* header : kFixedHeaders) {
    if (!AddHeader(Request, header)) return false;
  }
  if (Resume && StartPos > 0) {
    if (!AddHeader(Request, "Accept-Ranges:bytes") ||
        !AddHeader(Request, "Range: bytes=" + std::to_string(StartPos) + "-")) {
      return false;
    }
  }
  std::string_view rest = ExtraHeaders;
  while (!rest.empty()) {
    const size_t end = rest.find_first_of("\r\n");
    const std::string_view line = TrimControls(rest.substr(0, end));
    if (!line.empty() && !AddHeader(Request, std::string(line))) return false;
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + (rest.substr(end, 2) == "\r\n" ? 2 : 1));
  }
  return true;
}

bool THttpClient::_SendRequest(inet::HINTERNET Request, int32_t Attempts, IStream* Body) {
  std::unique_ptr<char[]> body;
  uint32_t bodyLength = 0;
  if (Body) {
    STATSTG stat;
    if (Body->Stat(&stat, STATFLAG_DEFAULT) != S_OK) {
      throw kernel::Exception(
          "Assertion failed: the body stream reports no status (f_HttpClientImpl)");
    }
    bodyLength = static_cast<uint32_t>(stat.cbSize);
    if (bodyLength > 0) {
      body = std::make_unique<char[]>(bodyLength);
      uint32_t read = 0;
      Body->Read(body.get(), bodyLength, &read);
      bodyLength = read;
    }
  }
  bool success = false;
  for (int32_t left = Attempts; Request && left > 0 && !success; --left) {
    if (!inet::HttpSendRequest(Request, nullptr, 0, body.get(), bodyLength)) continue;
    uint32_t status = 0;
    uint32_t size = sizeof status;
    success =
        inet::HttpQueryInfo(Request, inet::HTTP_QUERY_STATUS_CODE | inet::HTTP_QUERY_FLAG_NUMBER,
                            &status, &size, nullptr) &&
        (status == 200 || status == 206);
  }
  return success;
}

bool THttpClient::_CheckNetworkState(std::string& ErrorText) {
  uint32_t flags = 0;
  if (!inet::InternetGetConnectedState(&flags, 0)) {
    ErrorText = "检查网络状态失败: 有可能是网络不通。";
    return false;
  }
  constexpr uint32_t kConnected = inet::INTERNET_CONNECTION_MODEM | inet::INTERNET_CONNECTION_LAN |
                                  inet::INTERNET_CONNECTION_PROXY |
                                  inet::INTERNET_CONNECTION_MODEM_BUSY;
  if ((flags & kConnected) == 0) {
    ErrorText = "网络不通！";
    return false;
  }
  return true;
}
