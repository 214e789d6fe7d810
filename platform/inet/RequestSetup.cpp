#include <algorithm>

#include "platform/inet/HeaderText.h"
#include "platform/inet/InetErrors.h"
#include "platform/inet/InetHandles.h"

// What a request sends: its header lines and the curl options of one exchange.
namespace inet {
namespace {

// The most that curl receives and hands over per call. As large as a download's read buffer: on
// a fast link a 64 KiB buffer meant eight receives and eight readiness checks per read, which
// measured a quarter more processor time for the same download.
constexpr long kCurlBufferSize = 512 * 1024;

}  // namespace

bool Request::AddHeaders(std::string_view text, uint32_t modifiers) {
  if ((modifiers &
       (HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_ADD_IF_NEW | HTTP_ADDREQ_FLAG_REPLACE)) == 0) {
    modifiers |= HTTP_ADDREQ_FLAG_ADD;
  }
  return ForEachLine(text, [&](std::string_view raw) {
    const std::string_view line = Trim(raw);
    if (line.empty()) return true;
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return Fail(ERROR_HTTP_INVALID_HEADER);
    const std::string_view name = Trim(line.substr(0, colon));
    const bool empty = Trim(line.substr(colon + 1)).empty();
    const auto existing = std::find_if(headers_.begin(), headers_.end(), [&](const std::string& h) {
      return SameName(Trim(std::string_view(h).substr(0, h.find(':'))), name);
    });
    if (existing != headers_.end() && (modifiers & HTTP_ADDREQ_FLAG_REPLACE)) {
      if (empty) {
        headers_.erase(existing);
      } else {
        *existing = line;
      }
      return true;
    }
    if (existing != headers_.end() && !(modifiers & HTTP_ADDREQ_FLAG_ADD)) {
      return Fail(ERROR_HTTP_INVALID_HEADER);
    }
    if (existing == headers_.end() &&
        !(modifiers & (HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_ADD_IF_NEW))) {
      return Fail(ERROR_HTTP_HEADER_NOT_FOUND);
    }
    if (!empty) headers_.emplace_back(line);
    return true;
  });
}

void Request::Configure() {
  CURL* e = easy_.get();
  const ConnectionState& connection = *connection_;
  const SessionSettings& session = *connection.session;
  curl_easy_setopt(e, CURLOPT_URL, url_.c_str());
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(e, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(e, CURLOPT_BUFFERSIZE, kCurlBufferSize);
  curl_easy_setopt(e, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  curl_easy_setopt(e, CURLOPT_USERAGENT, session.agent.empty() ? nullptr : session.agent.c_str());
  curl_easy_setopt(
      e, CURLOPT_CONNECTTIMEOUT_MS,
      static_cast<long>(session.connectTimeoutMs ? session.connectTimeoutMs : kSystemTimeoutMs));
  curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Request::OnHeader);
  curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Request::OnBody);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, &Request::OnProgress);
  curl_easy_setopt(e, CURLOPT_XFERINFODATA, this);
  // Without CURLOPT_PROXY libcurl reads the environment's proxy variables itself.
  if (session.accessType == INTERNET_OPEN_TYPE_DIRECT) curl_easy_setopt(e, CURLOPT_PROXY, "");
  if (session.accessType == INTERNET_OPEN_TYPE_PROXY) {
    curl_easy_setopt(e, CURLOPT_PROXY, session.proxy.c_str());
    if (!session.proxyUser.empty()) {
      curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, session.proxyUser.c_str());
      curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, session.proxyPassword.c_str());
    }
  }
  if (!connection.user.empty()) {
    curl_easy_setopt(e, CURLOPT_USERNAME, connection.user.c_str());
    curl_easy_setopt(e, CURLOPT_PASSWORD, connection.password.c_str());
  }
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, follow_ ? 1L : 0L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, 10L);
  const bool post = verb_ == "POST" || !body_.empty();
  if (verb_ == "HEAD") {
    curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
  } else if (post) {
    curl_easy_setopt(e, CURLOPT_POST, 1L);
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body_.size()));
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, body_.data());
    if (verb_ != "POST") curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, verb_.c_str());
  } else if (verb_ == "GET") {
    curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
  } else {
    curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, verb_.c_str());
  }
  curl_slist* list = nullptr;
  const auto append = [&](std::string_view line) {
    if (!Trim(line).empty()) list = curl_slist_append(list, std::string(Trim(line)).c_str());
    return true;
  };
  for (const std::string& header : headers_) append(header);
  ForEachLine(extraHeaders_, append);
  // The platform sends a body at once; it never waits for "100 Continue".
  if (post) append("Expect:");
  headerList_.reset(list);
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, list);
}

}  // namespace inet
