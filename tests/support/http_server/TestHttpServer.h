#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

// A small HTTP/1.1 server on a loopback port of its own, for tests and local runs: static or
// generated bodies with Content-Length and Last-Modified, byte ranges, and switches that make it
// misbehave. It is also a forward proxy to itself: a request in absolute form
// ("GET http://any.host/path") is answered from the same files, so that http_proxy pointing here
// makes every host name reach it.
namespace testhttp {

struct RecordedRequest {
  std::string method;
  std::string target;  // as sent: origin form, or absolute form through the proxy
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;

  bool HasHeader(std::string_view name) const;
  std::string Header(std::string_view name) const;  // empty when absent
};

class TestHttpServer {
 public:
  // Listens on 127.0.0.1 at the given port (0 = any free one) and serves until destroyed.
  explicit TestHttpServer(uint16_t port = 0);
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  uint16_t Port() const { return port_; }
  std::string Url(std::string_view path) const;

  static constexpr const char* kDefaultLastModified = "Wed, 21 Oct 2015 07:28:00 GMT";
  // An empty lastModified sends no Last-Modified header.
  void SetFile(const std::string& path, std::string body,
               std::string lastModified = kDefaultLastModified);
  // A body of `size` bytes whose byte at offset i is GeneratedByte(i), made while sending.
  void SetGeneratedFile(const std::string& path, uint64_t size,
                        std::string lastModified = kDefaultLastModified);
  static char GeneratedByte(uint64_t offset);
  // Answers 302 with Location: to.
  void SetRedirect(const std::string& path, std::string to);

  void SetIgnoreRanges(bool ignore);
  void SetNoContentLength(bool none);
  // The next `count` requests (of `method`, or of any when empty) are answered with `status`.
  void FailNext(int status, int count, std::string method = "");
  // Every body ends after this many bytes: the connection is closed (cut) or kept silent
  // (stall). kUnlimited switches it off.
  static constexpr uint64_t kUnlimited = UINT64_MAX;
  void CloseAfter(uint64_t bodyBytes);
  void StallAfter(uint64_t bodyBytes);
  void SetRate(uint64_t bytesPerSecond);  // 0 = as fast as possible
  // Requests through the proxy must carry these Basic credentials ("user:password").
  void RequireProxyAuth(std::string credentials);

  std::vector<RecordedRequest> Requests() const;
  void ClearRequests();
  int Connections() const { return connections_.load(); }

 private:
  struct Resource {
    std::string body;
    uint64_t generatedSize = 0;
    bool generated = false;
    std::string lastModified;
    std::string redirect;
  };
  struct Behaviour {
    bool ignoreRanges = false;
    bool noContentLength = false;
    int failStatus = 0;
    int failCount = 0;
    std::string failMethod;
    uint64_t closeAfter = kUnlimited;
    uint64_t stallAfter = kUnlimited;
    uint64_t rate = 0;
    std::string proxyCredentials;
  };

  void AcceptLoop();
  void Serve(int fd, std::atomic<bool>& done);
  bool Answer(int fd, const RecordedRequest& request);
  bool SendBody(int fd, const Resource& resource, uint64_t from, uint64_t length,
                const Behaviour& behaviour);
  bool WaitUntilClosed(int fd);

  int listenFd_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  std::thread acceptor_;

  mutable std::mutex lock_;
  std::map<std::string, Resource> resources_;
  Behaviour behaviour_;
  std::vector<RecordedRequest> requests_;
  struct Worker {
    int fd;
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  std::vector<Worker> workers_;
};

}  // namespace testhttp
