#pragma once

#include <cstdint>
#include <memory>

#include "platform/kernel/SystemTime.h"

// A small HTTP layer in the style of the platform the program was made for, over libcurl. Every
// call is synchronous on the caller's thread. Every failure returns false (or an empty handle) and
// sets the thread's last-error code (kernel::GetLastError): the ERROR_INTERNET_* codes below or an
// errno value. Narrow text is UTF-8.
namespace inet {

// An open internet, connection or request handle. Children keep what they need of their parent,
// so handles may be closed in any order; closing a request releases its connection for reuse.
class InternetHandle {
 public:
  virtual ~InternetHandle() = default;
};
using HINTERNET = InternetHandle*;
using UniqueHInternet = std::unique_ptr<InternetHandle>;

// Access types of InternetOpen.
constexpr uint32_t INTERNET_OPEN_TYPE_PRECONFIG = 0;  // the environment's proxy variables
constexpr uint32_t INTERNET_OPEN_TYPE_DIRECT = 1;
constexpr uint32_t INTERNET_OPEN_TYPE_PROXY = 3;

// Options of InternetSetOption. On an internet handle, user name and password are the proxy's
// credentials; a server's own come with InternetConnect.
constexpr uint32_t INTERNET_OPTION_CONNECT_TIMEOUT = 2;
constexpr uint32_t INTERNET_OPTION_SEND_TIMEOUT = 5;
constexpr uint32_t INTERNET_OPTION_RECEIVE_TIMEOUT = 6;
constexpr uint32_t INTERNET_OPTION_DATA_SEND_TIMEOUT = 7;
constexpr uint32_t INTERNET_OPTION_DATA_RECEIVE_TIMEOUT = 8;
constexpr uint32_t INTERNET_OPTION_USERNAME = 28;
constexpr uint32_t INTERNET_OPTION_PASSWORD = 29;

constexpr uint32_t INTERNET_SERVICE_HTTP = 3;

// Flags of HttpOpenRequest. Nothing is cached here, so RELOAD and NO_CACHE_WRITE change nothing.
constexpr uint32_t INTERNET_FLAG_RELOAD = 0x80000000;
constexpr uint32_t INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000;
constexpr uint32_t INTERNET_FLAG_SECURE = 0x00800000;

// Modifiers of HttpAddRequestHeaders.
constexpr uint32_t HTTP_ADDREQ_FLAG_ADD_IF_NEW = 0x10000000;
constexpr uint32_t HTTP_ADDREQ_FLAG_ADD = 0x20000000;
constexpr uint32_t HTTP_ADDREQ_FLAG_REPLACE = 0x80000000;

// Info levels and modifiers of HttpQueryInfo.
constexpr uint32_t HTTP_QUERY_CONTENT_LENGTH = 5;
constexpr uint32_t HTTP_QUERY_LAST_MODIFIED = 11;
constexpr uint32_t HTTP_QUERY_STATUS_CODE = 19;
constexpr uint32_t HTTP_QUERY_RAW_HEADERS_CRLF = 22;
constexpr uint32_t HTTP_QUERY_FLAG_NUMBER64 = 0x08000000;
constexpr uint32_t HTTP_QUERY_FLAG_NUMBER = 0x20000000;
constexpr uint32_t HTTP_QUERY_FLAG_SYSTEMTIME = 0x40000000;

// Flags of InternetGetConnectedState.
constexpr uint32_t INTERNET_CONNECTION_MODEM = 1;
constexpr uint32_t INTERNET_CONNECTION_LAN = 2;
constexpr uint32_t INTERNET_CONNECTION_PROXY = 4;
constexpr uint32_t INTERNET_CONNECTION_MODEM_BUSY = 8;

// Schemes as InternetCrackUrl reports them.
enum INTERNET_SCHEME : int32_t {
  INTERNET_SCHEME_UNKNOWN = -1,
  INTERNET_SCHEME_FTP = 1,
  INTERNET_SCHEME_GOPHER = 2,
  INTERNET_SCHEME_HTTP = 3,
  INTERNET_SCHEME_HTTPS = 4,
  INTERNET_SCHEME_FILE = 5,
  INTERNET_SCHEME_NEWS = 6,
  INTERNET_SCHEME_MAILTO = 7,
};

// Caller-owned component buffers of InternetCrackUrl. On entry each length is the buffer's size
// in bytes (terminator included); on success it is the component's length. A component that does
// not fit makes the whole call fail.
struct URL_COMPONENTS {
  char* lpszScheme = nullptr;
  uint32_t dwSchemeLength = 0;
  int32_t nScheme = 0;
  char* lpszHostName = nullptr;
  uint32_t dwHostNameLength = 0;
  uint16_t nPort = 0;
  char* lpszUserName = nullptr;
  uint32_t dwUserNameLength = 0;
  char* lpszPassword = nullptr;
  uint32_t dwPasswordLength = 0;
  char* lpszUrlPath = nullptr;
  uint32_t dwUrlPathLength = 0;
  char* lpszExtraInfo = nullptr;
  uint32_t dwExtraInfoLength = 0;
};

UniqueHInternet InternetOpen(const char* agent, uint32_t accessType, const char* proxy,
                             const char* proxyBypass, uint32_t flags);
bool InternetSetOption(HINTERNET internet, uint32_t option, const void* buffer, uint32_t length);
UniqueHInternet InternetConnect(HINTERNET internet, const char* serverName, uint16_t serverPort,
                                const char* userName, const char* password, uint32_t service,
                                uint32_t flags, uintptr_t context);

UniqueHInternet HttpOpenRequest(HINTERNET connection, const char* verb, const char* objectName,
                                const char* version, const char* referrer,
                                const char* const* acceptTypes, uint32_t flags, uintptr_t context);
// One "Name:value" line (or several separated by CR LF). With REPLACE an existing header of that
// name is replaced (an empty value removes it); with ADD a missing one is added.
bool HttpAddRequestHeaders(HINTERNET request, const char* headers, uint32_t length,
                           uint32_t modifiers);
// Sends the request and waits for the final response's headers; redirects of GET and HEAD are
// followed. Sending the same request again starts a fresh exchange.
bool HttpSendRequest(HINTERNET request, const char* headers, uint32_t headersLength,
                     const void* optional, uint32_t optionalLength);
// Without a buffer (or with one too small) the call fails with ENOBUFS and sets *length to the
// bytes needed. Numbers are 4 bytes (FLAG_NUMBER) or 8 bytes (FLAG_NUMBER64); FLAG_SYSTEMTIME
// fills a kernel::SystemTime.
bool HttpQueryInfo(HINTERNET request, uint32_t infoLevel, void* buffer, uint32_t* length,
                   uint32_t* index);
// Fills the buffer unless the data ends first; *read is 0 at the end of the data.
bool InternetReadFile(HINTERNET file, void* buffer, uint32_t numberOfBytesToRead,
                      uint32_t* numberOfBytesRead);
bool InternetCrackUrl(const char* url, uint32_t urlLength, uint32_t flags,
                      URL_COMPONENTS* components);
// LAN when a network interface other than loopback is up and running, PROXY when the
// environment names a proxy.
bool InternetGetConnectedState(uint32_t* flags, uint32_t reserved);

}  // namespace inet
