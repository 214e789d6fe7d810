#include <sys/socket.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "tests/support/http_server/TestHttpServer.h"

// How the server answers one request, and how it sends (or withholds) a body.
namespace testhttp {
namespace {

std::string Base64(std::string_view data) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < data.size(); i += 3) {
    uint32_t group = static_cast<unsigned char>(data[i]) << 16;
    if (i + 1 < data.size()) group |= static_cast<unsigned char>(data[i + 1]) << 8;
    if (i + 2 < data.size()) group |= static_cast<unsigned char>(data[i + 2]);
    out += kAlphabet[(group >> 18) & 63];
    out += kAlphabet[(group >> 12) & 63];
    out += i + 1 < data.size() ? kAlphabet[(group >> 6) & 63] : '=';
    out += i + 2 < data.size() ? kAlphabet[group & 63] : '=';
  }
  return out;
}

const char* Reason(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 206:
      return "Partial Content";
    case 302:
      return "Found";
    case 304:
      return "Not Modified";
    case 404:
      return "Not Found";
    case 407:
      return "Proxy Authentication Required";
    case 416:
      return "Range Not Satisfiable";
    case 500:
      return "Internal Server Error";
    default:
      return "Status";
  }
}

bool SendAll(int fd, const char* data, size_t length) {
  while (length > 0) {
    const ssize_t sent = send(fd, data, length, MSG_NOSIGNAL);
    if (sent <= 0) return false;
    data += sent;
    length -= static_cast<size_t>(sent);
  }
  return true;
}

// Parses "bytes=N-" and "bytes=N-M"; false for anything else.
bool ParseRange(const std::string& header, uint64_t& first, uint64_t& last) {
  if (header.rfind("bytes=", 0) != 0) return false;
  const size_t dash = header.find('-');
  if (dash == std::string::npos || dash == 6) return false;
  first = std::stoull(header.substr(6, dash - 6));
  last = dash + 1 < header.size() ? std::stoull(header.substr(dash + 1)) : UINT64_MAX;
  return first <= last;
}

// Origin-form path of a target, without the query.
std::string PathOf(const std::string& target, bool& viaProxy) {
  std::string path = target;
  const size_t scheme = path.find("://");
  viaProxy = scheme != std::string::npos && path.front() != '/';
  if (viaProxy) {
    const size_t slash = path.find('/', scheme + 3);
    path = slash == std::string::npos ? "/" : path.substr(slash);
  }
  return path.substr(0, path.find('?'));
}

}  // namespace

bool TestHttpServer::Answer(int fd, const RecordedRequest& request) {
  bool viaProxy = false;
  const std::string path = PathOf(request.target, viaProxy);
  Behaviour behaviour;
  Resource resource;
  bool found = false;
  bool fail = false;
  {
    std::lock_guard guard(lock_);
    behaviour = behaviour_;
    if (behaviour_.failCount > 0 &&
        (behaviour_.failMethod.empty() || behaviour_.failMethod == request.method)) {
      --behaviour_.failCount;
      fail = true;
    }
    const auto entry = resources_.find(path);
    if ((found = entry != resources_.end())) resource = entry->second;
  }
  const auto reply = [&](int status, const std::string& extra, const std::string& body) {
    const std::string head = "HTTP/1.1 " + std::to_string(status) + " " + Reason(status) + "\r\n" +
                             extra + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    return SendAll(fd, head.data(), head.size()) &&
           (request.method == "HEAD" || SendAll(fd, body.data(), body.size()));
  };
  if (viaProxy && !behaviour.proxyCredentials.empty() &&
      request.Header("Proxy-Authorization") != "Basic " + Base64(behaviour.proxyCredentials)) {
    return reply(407, "Proxy-Authenticate: Basic realm=\"test\"\r\n", "proxy authentication");
  }
  if (fail) {
    return behaviour.failStatus == 304
               ? SendAll(fd, "HTTP/1.1 304 Not Modified\r\n\r\n", 29)
               : reply(behaviour.failStatus, "", "status " + std::to_string(behaviour.failStatus));
  }
  if (!found) return reply(404, "", "not found");
  if (!resource.redirect.empty()) return reply(302, "Location: " + resource.redirect + "\r\n", "");

  const uint64_t size = resource.generated ? resource.generatedSize : resource.body.size();
  uint64_t first = 0, last = size ? size - 1 : 0;
  int status = 200;
  std::string head;
  if (!behaviour.ignoreRanges && ParseRange(request.Header("Range"), first, last)) {
    if (first >= size) {
      return reply(416, "Content-Range: bytes */" + std::to_string(size) + "\r\n", "");
    }
    last = std::min(last, size - 1);
    status = 206;
    head += "Content-Range: bytes " + std::to_string(first) + "-" + std::to_string(last) + "/" +
            std::to_string(size) + "\r\n";
  }
  const uint64_t length = size ? last - first + 1 : 0;
  if (!resource.lastModified.empty()) head += "Last-Modified: " + resource.lastModified + "\r\n";
  head += "Accept-Ranges: bytes\r\nContent-Type: application/octet-stream\r\n";
  head += behaviour.noContentLength ? "Connection: close\r\n"
                                    : "Content-Length: " + std::to_string(length) + "\r\n";
  head = "HTTP/1.1 " + std::to_string(status) + " " + Reason(status) + "\r\n" + head + "\r\n";
  if (!SendAll(fd, head.data(), head.size())) return false;
  if (request.method == "HEAD") return !behaviour.noContentLength;
  return SendBody(fd, resource, first, length, behaviour) && !behaviour.noContentLength;
}

bool TestHttpServer::SendBody(int fd, const Resource& resource, uint64_t from, uint64_t length,
                              const Behaviour& behaviour) {
  constexpr uint64_t kChunk = 64 * 1024;
  const uint64_t limit = std::min({length, behaviour.closeAfter, behaviour.stallAfter});
  const uint64_t slice =
      behaviour.rate ? std::clamp<uint64_t>(behaviour.rate / 50, 1, kChunk) : kChunk;
  std::string chunk;
  const auto start = std::chrono::steady_clock::now();
  for (uint64_t sent = 0; sent < limit && !stopping_;) {
    const uint64_t n = std::min(slice, limit - sent);
    if (resource.generated) {
      chunk.resize(n);
      for (uint64_t i = 0; i < n; ++i) chunk[i] = GeneratedByte(from + sent + i);
    } else {
      chunk.assign(resource.body, from + sent, n);
    }
    if (!SendAll(fd, chunk.data(), n)) return false;
    sent += n;
    if (behaviour.rate) {
      std::this_thread::sleep_until(start +
                                    std::chrono::microseconds(sent * 1000000 / behaviour.rate));
    }
  }
  if (limit == length) return true;
  if (limit == behaviour.stallAfter) WaitUntilClosed(fd);
  return false;
}

}  // namespace testhttp
