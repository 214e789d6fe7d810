#include "tests/support/http_server/TestHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <strings.h>
#include <stdexcept>

// Connections, parsing and the switches; the answers are in TestHttpAnswer.cpp.
namespace testhttp {
namespace {

constexpr size_t kMaxHeaderBytes = 64 * 1024;

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// Reads one request; false when the connection ends first or the request is malformed.
bool ReadRequest(int fd, std::string& buffered, RecordedRequest& request) {
  size_t headerEnd;
  while ((headerEnd = buffered.find("\r\n\r\n")) == std::string::npos) {
    if (buffered.size() > kMaxHeaderBytes) return false;
    char chunk[8192];
    const ssize_t got = recv(fd, chunk, sizeof chunk, 0);
    if (got <= 0) return false;
    buffered.append(chunk, static_cast<size_t>(got));
  }
  const std::string head = buffered.substr(0, headerEnd);
  buffered.erase(0, headerEnd + 4);
  const size_t lineEnd = head.find("\r\n");
  const std::string requestLine = head.substr(0, lineEnd);
  const size_t space1 = requestLine.find(' ');
  const size_t space2 = requestLine.find(' ', space1 + 1);
  if (space1 == std::string::npos || space2 == std::string::npos) return false;
  request.method = requestLine.substr(0, space1);
  request.target = requestLine.substr(space1 + 1, space2 - space1 - 1);
  size_t start = lineEnd;
  while (start != std::string::npos) {
    start += 2;
    const size_t end = head.find("\r\n", start);
    const std::string_view line(head.data() + start,
                                (end == std::string::npos ? head.size() : end) - start);
    const size_t colon = line.find(':');
    if (colon != std::string_view::npos) {
      request.headers.emplace_back(std::string(Trim(line.substr(0, colon))),
                                   std::string(Trim(line.substr(colon + 1))));
    }
    start = end;
  }
  const std::string length = request.Header("Content-Length");
  const size_t bodyLength = length.empty() ? 0 : std::stoul(length);
  while (buffered.size() < bodyLength) {
    char chunk[8192];
    const ssize_t got = recv(fd, chunk, sizeof chunk, 0);
    if (got <= 0) return false;
    buffered.append(chunk, static_cast<size_t>(got));
  }
  request.body = buffered.substr(0, bodyLength);
  buffered.erase(0, bodyLength);
  return true;
}

}  // namespace

bool RecordedRequest::HasHeader(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (Lower(key) == Lower(name)) return true;
  }
  return false;
}

std::string RecordedRequest::Header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (Lower(key) == Lower(name)) return value;
  }
  return {};
}

TestHttpServer::TestHttpServer(uint16_t port) {
  listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listenFd_ < 0) throw std::runtime_error("socket failed");
  const int yes = 1;
  setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  socklen_t size = sizeof address;
  if (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listenFd_, 64) != 0 ||
      getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    close(listenFd_);
    throw std::runtime_error("cannot listen on the loopback port");
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

TestHttpServer::~TestHttpServer() {
  stopping_ = true;
  acceptor_.join();
  close(listenFd_);
  std::vector<Worker> workers;
  {
    std::lock_guard guard(lock_);
    workers.swap(workers_);
    for (Worker& worker : workers) shutdown(worker.fd, SHUT_RDWR);
  }
  for (Worker& worker : workers) {
    worker.thread.join();
    close(worker.fd);
  }
}

std::string TestHttpServer::Url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void TestHttpServer::AcceptLoop() {
  while (!stopping_) {
    pollfd wait{listenFd_, POLLIN, 0};
    if (poll(&wait, 1, 50) <= 0) continue;
    const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    ++connections_;
    std::lock_guard guard(lock_);
    // Connections that have ended give their thread and descriptor back, so that a long-running
    // server does not pile them up.
    std::erase_if(workers_, [](Worker& worker) {
      if (!*worker.done) return false;
      worker.thread.join();
      close(worker.fd);
      return true;
    });
    auto done = std::make_shared<std::atomic<bool>>(false);
    workers_.push_back({fd, std::thread([this, fd, done] { Serve(fd, *done); }), done});
  }
}

void TestHttpServer::Serve(int fd, std::atomic<bool>& done) {
  std::string buffered;
  try {
    while (!stopping_) {
      RecordedRequest request;
      if (!ReadRequest(fd, buffered, request)) break;
      {
        std::lock_guard guard(lock_);
        requests_.push_back(request);
      }
      if (!Answer(fd, request) || Lower(request.Header("Connection")) == "close") break;
    }
  } catch (const std::exception&) {
    // A number that does not parse (a length, a range): the connection ends, the server goes on.
  }
  // The descriptor is closed after the join, so that it is never reused while the destructor
  // may still shut it down.
  shutdown(fd, SHUT_RDWR);
  done = true;
}

bool TestHttpServer::WaitUntilClosed(int fd) {
  while (!stopping_) {
    pollfd wait{fd, POLLIN, 0};
    if (poll(&wait, 1, 50) > 0) {
      char byte;
      if (recv(fd, &byte, 1, MSG_PEEK) <= 0) break;
      // The client sent something (a new request on this connection); keep being silent.
      usleep(10000);
    }
  }
  return false;
}

void TestHttpServer::SetFile(const std::string& path, std::string body, std::string lastModified) {
  std::lock_guard guard(lock_);
  resources_[path] = Resource{std::move(body), 0, false, std::move(lastModified), {}};
}

void TestHttpServer::SetGeneratedFile(const std::string& path, uint64_t size,
                                      std::string lastModified) {
  std::lock_guard guard(lock_);
  resources_[path] = Resource{{}, size, true, std::move(lastModified), {}};
}

void TestHttpServer::SetRedirect(const std::string& path, std::string to) {
  std::lock_guard guard(lock_);
  resources_[path] = Resource{{}, 0, false, {}, std::move(to)};
}

char TestHttpServer::GeneratedByte(uint64_t offset) {
  return static_cast<char>((offset * 0x9E3779B97F4A7C15ULL) >> 56);
}

void TestHttpServer::SetIgnoreRanges(bool ignore) {
  std::lock_guard guard(lock_);
  behaviour_.ignoreRanges = ignore;
}
void TestHttpServer::SetNoContentLength(bool none) {
  std::lock_guard guard(lock_);
  behaviour_.noContentLength = none;
}
void TestHttpServer::FailNext(int status, int count, std::string method) {
  std::lock_guard guard(lock_);
  behaviour_.failStatus = status;
  behaviour_.failCount = count;
  behaviour_.failMethod = std::move(method);
}
void TestHttpServer::CloseAfter(uint64_t bodyBytes) {
  std::lock_guard guard(lock_);
  behaviour_.closeAfter = bodyBytes;
}
void TestHttpServer::StallAfter(uint64_t bodyBytes) {
  std::lock_guard guard(lock_);
  behaviour_.stallAfter = bodyBytes;
}
void TestHttpServer::SetRate(uint64_t bytesPerSecond) {
  std::lock_guard guard(lock_);
  behaviour_.rate = bytesPerSecond;
}
void TestHttpServer::RequireProxyAuth(std::string credentials) {
  std::lock_guard guard(lock_);
  behaviour_.proxyCredentials = std::move(credentials);
}
std::vector<RecordedRequest> TestHttpServer::Requests() const {
  std::lock_guard guard(lock_);
  return requests_;
}
void TestHttpServer::ClearRequests() {
  std::lock_guard guard(lock_);
  requests_.clear();
}

}  // namespace testhttp
