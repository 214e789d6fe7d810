#include "client/f_HttpClientImpl.h"

#include "client/f_HttpDownload.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/Process.h"
#include "platform/text/Utf.h"

namespace {

std::u16string ProgramFileName() {
  const std::string& path = kernel::ProgramFilePath();
  return text::Utf8ToUtf16(path.substr(path.rfind('/') + 1));
}

}  // namespace

THttpClient::THttpClient() {
  Reset();
}

void THttpClient::Reset() {
  FAgentName = ProgramFileName();
  FAccessType = 1;
  FTimeout = 60000;
  FProxyServer.clear();
  FProxyUser.clear();
  FProxyPassword.clear();
  FMaxFileSize = 2097152000;
  FBufferSize = 524288;
  FRetryCount = 3;
  FQueryPackageInfo = false;
}

void THttpClient::Clone(IHttpClientPtr& Client) {
  // Every setting, the event and the last error text included.
  Client = std::make_shared<THttpClient>(*this);
}

bool THttpClient::CrackUrl(const std::u16string& URL, TURLParts& Parts) {
  Parts = TURLParts();
  const std::string url = text::Utf16ToUtf8(URL);
  char scheme[32], host[256], user[128], password[128], path[2055], extra[2048];
  inet::URL_COMPONENTS components;
  components.lpszScheme = scheme;
  components.dwSchemeLength = sizeof scheme;
  components.lpszHostName = host;
  components.dwHostNameLength = sizeof host;
  components.lpszUserName = user;
  components.dwUserNameLength = sizeof user;
  components.lpszPassword = password;
  components.dwPasswordLength = sizeof password;
  components.lpszUrlPath = path;
  components.dwUrlPathLength = sizeof path;
  components.lpszExtraInfo = extra;
  components.dwExtraInfoLength = sizeof extra;
  if (url.empty() || !inet::InternetCrackUrl(url.c_str(), 0, 0, &components)) return false;
  Parts.SchemeKind = components.nScheme;
  Parts.Scheme = text::Utf8ToUtf16(scheme);
  Parts.HostName = text::Utf8ToUtf16(host);
  Parts.Port = components.nPort;
  Parts.UserName = text::Utf8ToUtf16(user);
  Parts.Password = text::Utf8ToUtf16(password);
  Parts.UrlPath = text::Utf8ToUtf16(path);
  Parts.ExtraInfo = text::Utf8ToUtf16(extra);
  return true;
}

int32_t THttpClient::DownloadFile(const std::u16string& URL, std::u16string& FileName,
                                  TDownloadProgressEvent OnProgress, int32_t Tag,
                                  const std::u16string& Verb, const std::u16string& Headers) {
  // The callback may release the last outside reference to this client; it lives to the end of
  // the call.
  const std::shared_ptr<THttpClient> keepAlive = weak_from_this().lock();
  THttpDownload download(*this, URL, FileName, std::move(OnProgress), Tag, Verb, Headers);
  return download.Run();
}

std::u16string THttpClient::GetPartFileName(const std::u16string& FileName) {
  return FileName + u".tmp";
}

int32_t THttpClient::GetLocalFileSize(const std::u16string& FileName) {
  const std::u16string part = GetPartFileName(FileName);
  const std::u16string& chosen = kernel::FileExists(text::Utf16ToUtf8(part)) ? part : FileName;
  return static_cast<int32_t>(static_cast<uint32_t>(FindFileSize(chosen)));
}
