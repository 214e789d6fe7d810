#pragma once

#include <cstdint>

#include <curl/curl.h>

// The inet layer's own error codes and their messages (registered with the kernel, so that they
// have a system text like every other code).
namespace inet {

constexpr uint32_t INTERNET_ERROR_BASE = 12000;
constexpr uint32_t ERROR_INTERNET_TIMEOUT = 12002;
constexpr uint32_t ERROR_INTERNET_INTERNAL_ERROR = 12004;
constexpr uint32_t ERROR_INTERNET_INVALID_URL = 12005;
constexpr uint32_t ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;
constexpr uint32_t ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
constexpr uint32_t ERROR_INTERNET_INVALID_OPTION = 12009;
constexpr uint32_t ERROR_INTERNET_INCORRECT_HANDLE_TYPE = 12018;
constexpr uint32_t ERROR_INTERNET_INCORRECT_HANDLE_STATE = 12019;
constexpr uint32_t ERROR_INTERNET_CANNOT_CONNECT = 12029;
constexpr uint32_t ERROR_INTERNET_CONNECTION_ABORTED = 12030;
constexpr uint32_t ERROR_INTERNET_CONNECTION_RESET = 12031;
constexpr uint32_t ERROR_INTERNET_SEC_CERT_ERROR = 12055;
constexpr uint32_t ERROR_HTTP_HEADER_NOT_FOUND = 12150;
constexpr uint32_t ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
constexpr uint32_t ERROR_HTTP_INVALID_HEADER = 12153;
constexpr uint32_t ERROR_HTTP_INVALID_QUERY_REQUEST = 12154;
constexpr uint32_t ERROR_HTTP_REDIRECT_FAILED = 12156;
constexpr uint32_t ERROR_INTERNET_SECURITY_CHANNEL_ERROR = 12157;
constexpr uint32_t ERROR_INTERNET_DISCONNECTED = 12163;
constexpr uint32_t INTERNET_ERROR_LAST = 12199;

// Sets the last error and returns false.
bool Fail(uint32_t code);
// The code for a failed curl transfer.
uint32_t ErrorFromCurl(CURLcode code);
// Makes the messages known to the kernel and starts libcurl, once per process.
void EnsureInitialised();

}  // namespace inet
