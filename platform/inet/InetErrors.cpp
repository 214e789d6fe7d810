#include "platform/inet/InetErrors.h"

#include <mutex>

#include "platform/kernel/LastError.h"

namespace inet {
namespace {

const char* InternetMessage(uint32_t code) {
  switch (code) {
    case ERROR_INTERNET_TIMEOUT:
      return "The operation timed out.";
    case ERROR_INTERNET_INTERNAL_ERROR:
      return "An internal error occurred in the HTTP layer.";
    case ERROR_INTERNET_INVALID_URL:
      return "The URL is invalid.";
    case ERROR_INTERNET_UNRECOGNIZED_SCHEME:
      return "The URL scheme could not be recognized or is not supported.";
    case ERROR_INTERNET_NAME_NOT_RESOLVED:
      return "The server name or address could not be resolved.";
    case ERROR_INTERNET_INVALID_OPTION:
      return "A request to set an option specified an invalid option value.";
    case ERROR_INTERNET_INCORRECT_HANDLE_TYPE:
      return "The type of handle supplied is incorrect for this operation.";
    case ERROR_INTERNET_INCORRECT_HANDLE_STATE:
      return "The requested operation cannot be carried out because the handle supplied is not "
             "in the correct state.";
    case ERROR_INTERNET_CANNOT_CONNECT:
      return "A connection with the server could not be established.";
    case ERROR_INTERNET_CONNECTION_ABORTED:
      return "The connection with the server was terminated abnormally.";
    case ERROR_INTERNET_CONNECTION_RESET:
      return "The connection with the server was reset.";
    case ERROR_INTERNET_SEC_CERT_ERROR:
      return "The server's certificate could not be verified.";
    case ERROR_HTTP_HEADER_NOT_FOUND:
      return "The requested header could not be located.";
    case ERROR_HTTP_INVALID_SERVER_RESPONSE:
      return "The server response could not be parsed.";
    case ERROR_HTTP_INVALID_HEADER:
      return "The supplied header is invalid.";
    case ERROR_HTTP_INVALID_QUERY_REQUEST:
      return "The request made to HttpQueryInfo is invalid.";
    case ERROR_HTTP_REDIRECT_FAILED:
      return "The redirection failed.";
    case ERROR_INTERNET_SECURITY_CHANNEL_ERROR:
      return "The secure channel could not be established.";
    case ERROR_INTERNET_DISCONNECTED:
      return "The Internet connection has been lost.";
    default:
      return nullptr;
  }
}

}  // namespace

bool Fail(uint32_t code) {
  kernel::SetLastError(code);
  return false;
}

uint32_t ErrorFromCurl(CURLcode code) {
  switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
      return ERROR_INTERNET_TIMEOUT;
    case CURLE_URL_MALFORMAT:
      return ERROR_INTERNET_INVALID_URL;
    case CURLE_UNSUPPORTED_PROTOCOL:
      return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT:
      return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_SEND_ERROR:
      return ERROR_INTERNET_CONNECTION_ABORTED;
    case CURLE_RECV_ERROR:
      return ERROR_INTERNET_CONNECTION_RESET;
    case CURLE_PEER_FAILED_VERIFICATION:
      return ERROR_INTERNET_SEC_CERT_ERROR;
    case CURLE_SSL_CONNECT_ERROR:
      return ERROR_INTERNET_SECURITY_CHANNEL_ERROR;
    case CURLE_GOT_NOTHING:
    case CURLE_WEIRD_SERVER_REPLY:
      return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_TOO_MANY_REDIRECTS:
      return ERROR_HTTP_REDIRECT_FAILED;
    default:
      return ERROR_INTERNET_INTERNAL_ERROR;
  }
}

void EnsureInitialised() {
  static std::once_flag once;
  std::call_once(once, [] {
    kernel::RegisterMessageSource(INTERNET_ERROR_BASE, INTERNET_ERROR_LAST, InternetMessage);
    curl_global_init(CURL_GLOBAL_DEFAULT);
  });
}

}  // namespace inet
