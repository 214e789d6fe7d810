#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <curl/curl.h>

#include "platform/inet/Inet.h"

// The objects behind the inet layer's handles; private to the layer.
namespace inet {

struct CurlEasyCleanup {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct CurlMultiCleanup {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct CurlSlistCleanup {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyCleanup>;
using CurlMulti = std::unique_ptr<CURLM, CurlMultiCleanup>;
using CurlSlist = std::unique_ptr<curl_slist, CurlSlistCleanup>;

// What the system uses when a time-out was not set.
constexpr uint32_t kSystemTimeoutMs = 60000;

struct SessionSettings {
  std::string agent;
  uint32_t accessType = INTERNET_OPEN_TYPE_PRECONFIG;
  std::string proxy;
  std::string proxyUser;
  std::string proxyPassword;
  // 0 = the system's value.
  uint32_t connectTimeoutMs = 0;
  uint32_t sendTimeoutMs = 0;
  uint32_t receiveTimeoutMs = 0;
};

class Session : public InternetHandle {
 public:
  std::shared_ptr<SessionSettings> settings = std::make_shared<SessionSettings>();
};

// A connection keeps its own connection cache (the curl multi handle), so that the requests made
// on it reuse a kept-alive connection to the server.
struct ConnectionState {
  std::shared_ptr<SessionSettings> session;
  std::string host;
  uint16_t port = 0;
  std::string user;
  std::string password;
  CurlMulti multi;
  // Ends of transfers that curl reported while another request of this connection was pumping.
  std::vector<std::pair<CURL*, CURLcode>> finished;
};

class Connection : public InternetHandle {
 public:
  std::shared_ptr<ConnectionState> state = std::make_shared<ConnectionState>();
};

class Request : public InternetHandle {
 public:
  Request(std::shared_ptr<ConnectionState> connection, CurlEasy easy, std::string verb,
          std::string url);
  ~Request() override;
  Request(const Request&) = delete;
  Request& operator=(const Request&) = delete;

  bool AddHeaders(std::string_view text, uint32_t modifiers);
  bool Send(std::string_view extraHeaders, const void* body, uint32_t bodyLength);
  bool Read(void* buffer, uint32_t wanted, uint32_t* read);
  bool Sent() const { return headersDone_; }
  long StatusCode() const;
  const std::string& RawHeaders() const { return rawHeaders_; }

 private:
  static size_t OnHeader(char* data, size_t size, size_t count, void* self);
  static size_t OnBody(char* data, size_t size, size_t count, void* self);
  static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulNow);
  void Configure();
  void Detach();
  void CollectFinished();
  // Runs the transfer until done() holds or it ends; a transfer on which nothing moved for the
  // time-out ends with CURLE_OPERATION_TIMEDOUT.
  template <typename Done>
  void Pump(Done done);
  uint32_t IdleLimitMs() const;

  std::shared_ptr<ConnectionState> connection_;
  CurlEasy easy_;
  std::string verb_;
  std::string url_;
  bool follow_ = false;               // redirects are followed for GET and HEAD only
  std::vector<std::string> headers_;  // "Name:value" lines, in the order they were added
  CurlSlist headerList_;
  std::string body_;
  std::string extraHeaders_;

  bool attached_ = false;     // in the connection's multi handle
  bool headersDone_ = false;  // the final response's headers are in
  bool finished_ = false;     // curl reported the end of the transfer
  bool paused_ = false;
  bool sawLocation_ = false;
  CURLcode result_ = CURLE_OK;
  std::string rawHeaders_;
  std::string pending_;   // body bytes that did not fit the caller's last buffer
  size_t pendingAt_ = 0;  // how many of them the caller has read since
  char* target_ = nullptr;
  size_t targetRoom_ = 0;
  size_t targetFilled_ = 0;
  uint64_t lastActivity_ = 0;
  curl_off_t uploaded_ = 0;
};

}  // namespace inet
