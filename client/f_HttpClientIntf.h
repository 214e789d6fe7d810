#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "client/f_Stream.h"

// The HTTP client as the rest of the program sees it: the interface, its records, and the one
// shared instance.

// A cracked URL; every text is empty and every number zero when cracking failed.
struct TURLParts {
  int32_t SchemeKind = 0;  // 3 = HTTP, 4 = HTTPS
  std::u16string Scheme;
  std::u16string HostName;
  uint16_t Port = 0;
  std::u16string UserName;
  std::u16string Password;
  std::u16string UrlPath;
  std::u16string ExtraInfo;  // query and fragment, with their "?" or "#"
};

enum TDownloadState : uint8_t { dsStart, dsDownloading, dsFinish, dsFail, dsError };

// A short text of at most N bytes, kept with its length as the progress record has it.
template <size_t N>
struct TShortString {
  uint8_t Length = 0;
  char Chars[N] = {};

  void Assign(std::string_view text) {
    Length = static_cast<uint8_t>(text.size() < N ? text.size() : N);
    for (size_t i = 0; i < Length; ++i) Chars[i] = text[i];
  }
  std::string_view Text() const { return {Chars, Length}; }
};

struct THttpDownloadInfo {
  uint8_t Kind = 1;
  TDownloadState State = dsStart;
  int64_t Position = 0;
  int64_t Total = 0;
  int32_t Tag = 0;
  std::u16string Message;
  int64_t RemainMs = 0;
  TShortString<16> RemainText;
  int64_t Speed = 0;
  TShortString<16> SpeedText;
  int32_t ResultCode = -1;
};

class IHttpClient;
using IHttpClientPtr = std::shared_ptr<IHttpClient>;

using TDownloadProgressEvent = std::function<void(const THttpDownloadInfo& Info, bool& Stop)>;
// Sender, ObjectName, FileName, Tag, Verb, Headers, StartPos, ContentLength, Resume, Handled.
using TBeforeDownloadEvent = std::function<void(
    const IHttpClientPtr& Sender, std::u16string& ObjectName, std::u16string& FileName,
    int32_t& Tag, const std::u16string& Verb, std::u16string& Headers, int64_t& StartPos,
    int64_t& ContentLength, bool& Resume, bool& Handled)>;

// The client's operations. Everything runs on the caller's thread; DownloadFile returns -1
// (failed, or stopped at dsStart), 0 (complete) or 1 (stopped while data was arriving).
class IHttpClient {
 public:
  virtual ~IHttpClient() = default;

  virtual std::u16string GetAgentName() = 0;
  virtual uint8_t GetAccessType() = 0;
  virtual int32_t GetTimeout() = 0;
  virtual std::u16string GetProxyServer() = 0;
  virtual std::u16string GetProxyUser() = 0;
  virtual std::u16string GetProxyPassword() = 0;
  virtual int64_t GetMaxFileSize() = 0;
  virtual int32_t GetBufferSize() = 0;
  virtual int32_t GetRetryCount() = 0;
  virtual bool GetQueryPackageInfo() = 0;
  virtual TBeforeDownloadEvent GetOnBeforeDownload() = 0;
  virtual std::u16string GetLastErrorText() = 0;
  virtual void SetAgentName(const std::u16string& Value) = 0;
  virtual void SetAccessType(uint8_t Value) = 0;
  virtual void SetTimeout(int32_t Value) = 0;
  virtual void SetProxyServer(const std::u16string& Value) = 0;
  virtual void SetProxyUser(const std::u16string& Value) = 0;
  virtual void SetProxyPassword(const std::u16string& Value) = 0;
  virtual void SetMaxFileSize(int64_t Value) = 0;
  virtual void SetBufferSize(int32_t Value) = 0;
  virtual void SetRetryCount(int32_t Value) = 0;
  virtual void SetQueryPackageInfo(bool Value) = 0;
  virtual void SetOnBeforeDownload(TBeforeDownloadEvent Value) = 0;
  virtual void Clone(IHttpClientPtr& Client) = 0;
  virtual void Reset() = 0;
  virtual bool CheckUrl(const std::u16string& URL) = 0;
  virtual bool CrackUrl(const std::u16string& URL, TURLParts& Parts) = 0;
  virtual int32_t DownloadFile(const std::u16string& URL, std::u16string& FileName,
                               TDownloadProgressEvent OnProgress, int32_t Tag,
                               const std::u16string& Verb, const std::u16string& Headers) = 0;
  virtual std::u16string GetPartFileName(const std::u16string& FileName) = 0;
  virtual int32_t GetLocalFileSize(const std::u16string& FileName) = 0;
  virtual bool GetText(const std::u16string& URL, const std::u16string& Headers,
                       std::u16string& Text, bool UTF8) = 0;
  virtual bool GetStream(const std::u16string& URL, const std::u16string& Headers,
                         IStream& Response) = 0;
  virtual bool PostText(const std::u16string& URL, const std::u16string& Headers,
                        std::u16string& ResponseHeaders, const std::u16string& Body,
                        std::u16string& Text, bool UTF8) = 0;
  virtual bool PostStreamGetText(const std::u16string& URL, const std::u16string& Headers,
                                 std::u16string& ResponseHeaders, IStream& Body,
                                 std::u16string& Text, bool UTF8) = 0;
  virtual bool PostTextGetStream(const std::u16string& URL, const std::u16string& Headers,
                                 std::u16string& ResponseHeaders, const std::u16string& Body,
                                 IStream& Response) = 0;
  virtual bool PostStream(const std::u16string& URL, const std::u16string& Headers,
                          std::u16string& ResponseHeaders, IStream& Body, IStream& Response) = 0;
};

// The shared client, made at the first call; every call reaches the same object.
IHttpClientPtr GetHttpClient();
// The shared instance; emptied when the program ends in order.
extern IHttpClientPtr GHttpClient;
