#include <algorithm>
#include <cstring>

#include "platform/inet/HeaderText.h"
#include "platform/inet/InetErrors.h"
#include "platform/inet/InetHandles.h"
#include "platform/kernel/SystemTime.h"

namespace inet {

Request::Request(std::shared_ptr<ConnectionState> connection, CurlEasy easy, std::string verb,
                 std::string url)
    : connection_(std::move(connection)),
      easy_(std::move(easy)),
      verb_(std::move(verb)),
      url_(std::move(url)),
      follow_(verb_ == "GET" || verb_ == "HEAD") {}

Request::~Request() {
  Detach();
}

bool Request::Send(std::string_view extraHeaders, const void* body, uint32_t bodyLength) {
  Detach();
  headersDone_ = finished_ = paused_ = sawLocation_ = false;
  result_ = CURLE_OK;
  rawHeaders_.clear();
  pending_.clear();
  pendingAt_ = 0;
  uploaded_ = 0;
  body_.assign(static_cast<const char*>(body), body ? bodyLength : 0);
  extraHeaders_ = extraHeaders;
  Configure();
  if (curl_multi_add_handle(connection_->multi.get(), easy_.get()) != CURLM_OK) {
    return Fail(ERROR_INTERNET_INTERNAL_ERROR);
  }
  attached_ = true;
  lastActivity_ = kernel::GetTickCount64();
  Pump([this] { return headersDone_; });
  if (headersDone_) return true;
  return Fail(result_ == CURLE_OK ? ERROR_HTTP_INVALID_SERVER_RESPONSE : ErrorFromCurl(result_));
}

bool Request::Read(void* buffer, uint32_t wanted, uint32_t* read) {
  if (!headersDone_) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  char* out = static_cast<char*>(buffer);
  size_t filled = std::min<size_t>(pending_.size() - pendingAt_, wanted);
  if (filled > 0) {
    std::memcpy(out, pending_.data() + pendingAt_, filled);
    pendingAt_ += filled;
    // Moving the rest to the front instead would cost a whole piece per small read.
    if (pendingAt_ == pending_.size()) {
      pending_.clear();
      pendingAt_ = 0;
    }
  }
  if (filled < wanted && attached_ && !finished_) {
    target_ = out;
    targetRoom_ = wanted;
    targetFilled_ = filled;
    lastActivity_ = kernel::GetTickCount64();
    if (paused_) {
      paused_ = false;
      curl_easy_pause(easy_.get(), CURLPAUSE_CONT);
    }
    Pump([this] { return targetFilled_ == targetRoom_; });
    filled = targetFilled_;
    target_ = nullptr;
    targetRoom_ = targetFilled_ = 0;
  }
  *read = static_cast<uint32_t>(filled);
  // A connection that closes before Content-Length is the end of the data here, as on the
  // platform; the caller compares what it got with what was announced.
  if (filled == 0 && finished_ && result_ != CURLE_OK && result_ != CURLE_PARTIAL_FILE) {
    return Fail(ErrorFromCurl(result_));
  }
  return true;
}

long Request::StatusCode() const {
  const size_t space = rawHeaders_.find(' ');
  if (space == std::string::npos) return 0;
  return std::strtol(rawHeaders_.c_str() + space + 1, nullptr, 10);
}

void Request::Detach() {
  if (!attached_) return;
  curl_multi_remove_handle(connection_->multi.get(), easy_.get());
  attached_ = false;
  std::erase_if(connection_->finished,
                [this](const auto& end) { return end.first == easy_.get(); });
}

void Request::CollectFinished() {
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(connection_->multi.get(), &left)) {
    if (message->msg == CURLMSG_DONE) {
      connection_->finished.emplace_back(message->easy_handle, message->data.result);
    }
  }
  for (const auto& [easy, result] : connection_->finished) {
    if (easy == easy_.get()) {
      finished_ = true;
      result_ = result;
    }
  }
}

uint32_t Request::IdleLimitMs() const {
  const SessionSettings& session = *connection_->session;
  const uint32_t limit = uploaded_ < static_cast<curl_off_t>(body_.size())
                             ? session.sendTimeoutMs
                             : session.receiveTimeoutMs;
  return limit ? limit : kSystemTimeoutMs;
}

template <typename Done>
void Request::Pump(Done done) {
  CURLM* multi = connection_->multi.get();
  while (!done() && !finished_) {
    int running = 0;
    if (curl_multi_perform(multi, &running) != CURLM_OK) {
      finished_ = true;
      result_ = CURLE_OUT_OF_MEMORY;
      break;
    }
    CollectFinished();
    if (done() || finished_) break;
    const uint64_t idle = kernel::GetTickCount64() - lastActivity_;
    const uint32_t limit = IdleLimitMs();
    if (idle >= limit) {
      // Dropping the handle closes its connection: the server may still be sending.
      Detach();
      finished_ = true;
      result_ = CURLE_OPERATION_TIMEDOUT;
      break;
    }
    curl_multi_poll(multi, nullptr, 0, static_cast<int>(std::min<uint64_t>(limit - idle, 1000)),
                    nullptr);
  }
}

size_t Request::OnHeader(char* data, size_t size, size_t count, void* self) {
  auto& request = *static_cast<Request*>(self);
  const size_t length = size * count;
  request.lastActivity_ = kernel::GetTickCount64();
  const std::string_view line = Trim(std::string_view(data, length));
  if (line.starts_with("HTTP/")) {
    request.rawHeaders_.clear();
    request.sawLocation_ = false;
  }
  request.rawHeaders_.append(line).append("\r\n");
  if (line.empty()) {
    const long status = request.StatusCode();
    const bool interim = status >= 100 && status < 200;
    const bool redirect =
        request.follow_ && request.sawLocation_ &&
        (status == 301 || status == 302 || status == 303 || status == 307 || status == 308);
    if (!interim && !redirect) request.headersDone_ = true;
  } else if (SameName(Trim(line.substr(0, line.find(':'))), "Location")) {
    request.sawLocation_ = true;
  }
  return length;
}

size_t Request::OnBody(char* data, size_t size, size_t count, void* self) {
  auto& request = *static_cast<Request*>(self);
  const size_t length = size * count;
  request.lastActivity_ = kernel::GetTickCount64();
  if (!request.target_ || request.targetFilled_ == request.targetRoom_) {
    // Nobody is reading: curl keeps the piece and hands it over again after the unpause.
    request.paused_ = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  const size_t take = std::min(length, request.targetRoom_ - request.targetFilled_);
  std::memcpy(request.target_ + request.targetFilled_, data, take);
  request.targetFilled_ += take;
  // Only a reader that took all pending bytes lets curl deliver, so nothing is overwritten here.
  if (take < length) {
    request.pending_.assign(data + take, length - take);
    request.pendingAt_ = 0;
  }
  return length;
}

int Request::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t ulNow) {
  auto& request = *static_cast<Request*>(self);
  if (ulNow > request.uploaded_) {
    request.uploaded_ = ulNow;
    request.lastActivity_ = kernel::GetTickCount64();
  }
  return 0;
}

}  // namespace inet
