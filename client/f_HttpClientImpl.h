#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "client/f_HttpClientHelpers.h"
#include "client/f_HttpClientIntf.h"
#include "platform/inet/Inet.h"

class THttpDownload;

// The client behind IHttpClient. Its settings are the only state that outlives a call: every
// operation opens and closes its own internet, connection, request and file handles.
class THttpClient : public IHttpClient, public std::enable_shared_from_this<THttpClient> {
 public:
  THttpClient();

  std::u16string GetAgentName() override { return FAgentName; }
  uint8_t GetAccessType() override { return FAccessType; }
  int32_t GetTimeout() override { return FTimeout; }
  std::u16string GetProxyServer() override { return FProxyServer; }
  std::u16string GetProxyUser() override { return FProxyUser; }
  std::u16string GetProxyPassword() override { return FProxyPassword; }
  int64_t GetMaxFileSize() override { return FMaxFileSize; }
  int32_t GetBufferSize() override { return FBufferSize; }
  int32_t GetRetryCount() override { return FRetryCount; }
  bool GetQueryPackageInfo() override { return FQueryPackageInfo; }
  TBeforeDownloadEvent GetOnBeforeDownload() override { return FOnBeforeDownload; }
  std::u16string GetLastErrorText() override { return FLastErrorText; }
  void SetAgentName(const std::u16string& Value) override { FAgentName = Value; }
  void SetAccessType(uint8_t Value) override { FAccessType = Value; }
  void SetTimeout(int32_t Value) override { FTimeout = Value; }
  void SetProxyServer(const std::u16string& Value) override { FProxyServer = Value; }
  void SetProxyUser(const std::u16string& Value) override { FProxyUser = Value; }
  void SetProxyPassword(const std::u16string& Value) override { FProxyPassword = Value; }
  void SetMaxFileSize(int64_t Value) override { FMaxFileSize = Value; }
  void SetBufferSize(int32_t Value) override { FBufferSize = Value; }
  void SetRetryCount(int32_t Value) override { FRetryCount = Value; }
  void SetQueryPackageInfo(bool Value) override { FQueryPackageInfo = Value; }
  void SetOnBeforeDownload(TBeforeDownloadEvent Value) override {
    FOnBeforeDownload = std::move(Value);
  }

  void Clone(IHttpClientPtr& Client) override;
  void Reset() override;
  bool CheckUrl(const std::u16string& URL) override;
  bool CrackUrl(const std::u16string& URL, TURLParts& Parts) override;
  int32_t DownloadFile(const std::u16string& URL, std::u16string& FileName,
                       TDownloadProgressEvent OnProgress, int32_t Tag, const std::u16string& Verb,
                       const std::u16string& Headers) override;
  std::u16string GetPartFileName(const std::u16string& FileName) override;
  int32_t GetLocalFileSize(const std::u16string& FileName) override;
  bool GetText(const std::u16string& URL, const std::u16string& Headers, std::u16string& Text,
               bool UTF8) override;
  bool GetStream(const std::u16string& URL, const std::u16string& Headers,
                 IStream& Response) override;
  bool PostText(const std::u16string& URL, const std::u16string& Headers,
                std::u16string& ResponseHeaders, const std::u16string& Body, std::u16string& Text,
                bool UTF8) override;
  bool PostStreamGetText(const std::u16string& URL, const std::u16string& Headers,
                         std::u16string& ResponseHeaders, IStream& Body, std::u16string& Text,
                         bool UTF8) override;
  bool PostTextGetStream(const std::u16string& URL, const std::u16string& Headers,
                         std::u16string& ResponseHeaders, const std::u16string& Body,
                         IStream& Response) override;
  bool PostStream(const std::u16string& URL, const std::u16string& Headers,
                  std::u16string& ResponseHeaders, IStream& Body, IStream& Response) override;

 private:
  friend class THttpDownload;

  // On success URL holds the object name to request; on failure no handle is left open.
  bool _CreateInternetConnect(std::string& URL, inet::UniqueHInternet& InternetHandle,
                              inet::UniqueHInternet& ConnectionHandle, std::string& ErrorText,
                              bool& IsHttps);
  static inet::UniqueHInternet _OpenRequest(inet::HINTERNET Connection, const std::string& Verb,
                                            const std::string& ObjectName, bool IsHttps);
  static bool _AddRequestHeaders(inet::HINTERNET Request, const std::string& ExtraHeaders,
                                 bool Resume, int64_t StartPos);
  // True when an attempt was answered with 200 or 206.
  static bool _SendRequest(inet::HINTERNET Request, int32_t Attempts, IStream* Body);
  // The connectivity test of the download loop; false with the failure text.
  static bool _CheckNetworkState(std::string& ErrorText);
  bool _HttpRequest(const std::u16string& Verb, const std::u16string& URL,
                    const std::u16string& Headers, std::u16string& ResponseHeaders, IStream* Body,
                    IStream& Response);

  std::u16string FAgentName;
  uint8_t FAccessType = 1;
  int32_t FTimeout = 60000;
  std::u16string FProxyServer;
  std::u16string FProxyUser;
  std::u16string FProxyPassword;
  int64_t FMaxFileSize = 2097152000;
  int32_t FBufferSize = 524288;
  int32_t FRetryCount = 3;
  bool FQueryPackageInfo = false;
  TBeforeDownloadEvent FOnBeforeDownload;
  std::u16string FLastErrorText;
};
