#include "client/f_HttpDownload.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <new>

#include "platform/kernel/LastError.h"
#include "platform/kernel/Process.h"
#include "platform/kernel/Profile.h"
#include "platform/text/Utf.h"

namespace {

constexpr char16_t kSection[] = u"server";
constexpr char16_t kContentLenKey[] = u"ContentLen";
constexpr char16_t kLastModifiedKey[] = u"LastModified";

std::string Narrow(const std::u16string& Text) {
  return text::Utf16ToUtf8(Text);
}

int64_t RoundHalfEven(double Value) {
  return static_cast<int64_t>(std::nearbyint(Value));
}

}  // namespace

THttpDownload::THttpDownload(THttpClient& Client, const std::u16string& URL,
                             std::u16string& FileName, TDownloadProgressEvent OnProgress,
                             int32_t Tag, const std::u16string& Verb, const std::u16string& Headers)
    : FClient(Client),
      FURL(URL),
      FFileName(FileName),
      FOnProgress(std::move(OnProgress)),
      FTag(Tag),
      FVerb(Verb),
      FHeaders(Headers) {}

int32_t THttpDownload::Run() {
  std::string failure;
  try {
    if (FFileName.empty()) {
      ReportFail("下载保存路径为空！");
      return FResult;
    }
    FPartName = FClient.GetPartFileName(FFileName);
    FSideName = FPartName.substr(0, FPartName.size() - 4) + u".sdc";
    FObjectName = Narrow(EscapeUrl(FURL));
    std::string error;
    if (!FClient._CreateInternetConnect(FObjectName, FInternet, FConnection, error, FIsHttps)) {
      ReportFail(error);
      return FResult;
    }
    FReceived = 0;
    if (!DoProgress(dsStart)) {
      if ((!FClient.FQueryPackageInfo || QueryPackageInfo()) && SendTransferRequest() &&
          OpenPartFile()) {
        ReadBody();
      }
    }
    Finish();
    return FResult;
  } catch (const std::exception& e) {
    failure = e.what();
  } catch (...) {
    failure = "unknown exception";
  }
  // The finish runs on the way out of an exception too, unless no connection was made.
  try {
    if (FConnection) Finish();
    DoProgress(dsError, failure);
  } catch (const std::exception& e) {
    kernel::OutputDebugStringA(std::string("[THttpClient.DownloadFile]") + e.what());
  } catch (...) {
    kernel::OutputDebugStringA("[THttpClient.DownloadFile] unknown exception");
  }
  return FResult;
}

bool THttpDownload::QueryPackageInfo() {
  FQueried = true;
  inet::UniqueHInternet head =
      THttpClient::_OpenRequest(FConnection.get(), "HEAD", FObjectName, FIsHttps);
  if (!THttpClient::_SendRequest(head.get(), FClient.FRetryCount, nullptr)) {
    ReportFail("获取下载包信息失败:" + kernel::LastErrorText());
    return false;
  }
  if (!TakeContentLength(head.get())) return false;
  TakeLastModified(head.get());
  head.reset();
  if (FClient.FOnBeforeDownload) {
    std::u16string objectName = text::Utf8ToUtf16(FObjectName);
    FClient.FOnBeforeDownload(FClient.shared_from_this(), objectName, FFileName, FTag, FVerb,
                              FHeaders, FStartPos, FContentLength, FResume, FHandled);
    if (FHandled) FObjectName = Narrow(objectName);
  }
  if (!DecideResume()) return false;
  kernel::WritePrivateProfileString(kSection, kContentLenKey,
                                    text::Utf8ToUtf16(std::to_string(FContentLength)), FSideName);
  kernel::WritePrivateProfileString(kSection, kLastModifiedKey,
                                    text::Utf8ToUtf16(FormatLastModified()), FSideName);
  return true;
}

bool THttpDownload::DecideResume() {
  if (FHandled || FContentLength <= 0 || !kernel::FileExists(Narrow(FPartName))) return true;
  bool match = false;
  if (kernel::FileExists(Narrow(FSideName))) {
    match = kernel::GetPrivateProfileString(kSection, kContentLenKey, u"0", 256, FSideName) ==
            text::Utf8ToUtf16(std::to_string(FContentLength));
    if (FLastModified) {
      match = match &&
              kernel::GetPrivateProfileString(kSection, kLastModifiedKey, u"", 256, FSideName) ==
                  text::Utf8ToUtf16(FormatLastModified());
    }
  }
  if (!match) return true;
  FStartPos = FindFileSize(FPartName);
  if (FStartPos == FContentLength) {
    FResult = 0;  // the partial file is already complete
    return false;
  }
  FResume = FStartPos < FContentLength;
  return true;
}

bool THttpDownload::SendTransferRequest() {
  if (!FResume) {
    FStartPos = 0;
    if (kernel::FileExists(Narrow(FPartName))) kernel::DeleteFileW(FPartName);
    // A side file written by this call stays: it describes the partial file to come.
    if (!FQueried && kernel::FileExists(Narrow(FSideName))) kernel::DeleteFileW(FSideName);
  }
  FRequest = THttpClient::_OpenRequest(FConnection.get(), Narrow(FVerb), FObjectName, FIsHttps);
  if (!THttpClient::_AddRequestHeaders(FRequest.get(), Narrow(FHeaders), FResume, FStartPos)) {
    ReportFail("组织请求头失败！");
    return false;
  }
  if (!THttpClient::_SendRequest(FRequest.get(), FClient.FRetryCount, nullptr)) {
    ReportFail("发生下载请求失败:" + kernel::LastErrorText());
    return false;
  }
  return true;
}

bool THttpDownload::OpenPartFile() {
  uint32_t status = 0;
  uint32_t size = sizeof status;
  inet::HttpQueryInfo(FRequest.get(), inet::HTTP_QUERY_STATUS_CODE | inet::HTTP_QUERY_FLAG_NUMBER,
                      &status, &size, nullptr);
  if (FResume && status == 200) {
    // The server ignored the range and sends the whole file: appending it would corrupt the
    // partial file, so the transfer starts over at offset 0.
    FResume = false;
    FStartPos = 0;
  }
  if (FResume) {
    FFile = kernel::File::Open(Narrow(FPartName), kernel::Access::Write, kernel::Share::Read,
                               kernel::Disposition::OpenAlways);
    if (FFile && !FFile->SeekToEnd()) FFile.reset();
  } else {
    if (!TakeContentLength(FRequest.get())) return false;
    TakeLastModified(FRequest.get());
    FFile = kernel::File::Open(Narrow(FPartName), kernel::Access::Write, kernel::Share::Read,
                               kernel::Disposition::CreateAlways);
  }
  if (!FFile) {
    ReportFail("创建下载文件失败:" + kernel::LastErrorText());
    return false;
  }
  if (FClient.FBufferSize > 0) FBuffer.reset(new (std::nothrow) char[FClient.FBufferSize]);
  if (!FBuffer) {
    kernel::SetLastError(FClient.FBufferSize > 0 ? ENOMEM : EINVAL);
    ReportFail("创建缓冲区失败:" + kernel::LastErrorText());
    return false;
  }
  return true;
}

void THttpDownload::ReadBody() {
  FReceived = 0;
  FWindowStart = 0;
  FWindowBytes = 0;
  FRemainMs = 0;
  FSpeed = 0;
  if (DoProgress(dsDownloading)) {
    FResult = 1;
    return;
  }
  const auto bufferSize = static_cast<uint32_t>(FClient.FBufferSize);
  for (;;) {
    if (FWindowStart == 0) FWindowStart = kernel::GetTickCount64();
    std::string networkError;
    if (!THttpClient::_CheckNetworkState(networkError)) {
      ReportFail(networkError);
      return;
    }
    uint32_t read = 0;
    if (!inet::InternetReadFile(FRequest.get(), FBuffer.get(), bufferSize, &read)) {
      ReportFail("从网络读取文件失败:" + kernel::LastErrorText());
      return;
    }
    if (read == 0) break;
    FReceived += read;
    if (!FFile->Write(FBuffer.get(), read)) {
      ReportFail("写文件失败:" + kernel::LastErrorText());
      return;
    }
    FWindowBytes += read;
    const auto elapsed = static_cast<int64_t>(kernel::GetTickCount64() - FWindowStart);
    if (elapsed >= 1000) {
      const int64_t present = FStartPos + FReceived;
      FRemainMs =
          FContentLength > 0 && present <= FContentLength
              ? RoundHalfEven(static_cast<double>(FContentLength - present) /
                              static_cast<double>(FWindowBytes) * static_cast<double>(elapsed))
              : -1;
      FSpeed =
          RoundHalfEven(static_cast<double>(FWindowBytes) * 1000.0 / static_cast<double>(elapsed));
      FWindowBytes = 0;
      FWindowStart = 0;
    }
    if (elapsed > 500 && DoProgress(dsDownloading)) {
      FResult = 1;
      return;
    }
  }
  EndOfData();
}

void THttpDownload::EndOfData() {
  DoProgress(dsDownloading);  // Stop is not looked at once the data has ended
  if (FContentLength > 0 && FStartPos + FReceived < FContentLength) {
    // The connection ended early: the partial and side files stay for the next call to resume.
    ReportFail("下载数据不完整！");
    return;
  }
  FResult = 0;
  if (kernel::FileExists(Narrow(FSideName))) kernel::DeleteFileW(FSideName);
}

void THttpDownload::Finish() {
  FBuffer.reset();
  if (FFile) {
    if (FResult == 0 && FLastModified && kernel::SystemTimeToUnix(*FLastModified)) {
      FFile->SetLastWriteTime(*FLastModified);
    }
    FFile.reset();
  }
  FRequest.reset();
  if (FResult == 0 && !FRenameDone && FPartName != FFileName) {
    FRenameDone = true;
    const std::string target = Narrow(FFileName);
    if (kernel::FileExists(target) && !kernel::DeleteFile(target)) {
      FResult = -1;
      ReportFail("删除[" + target + "]文件失败:" + kernel::LastErrorText());
    } else if (!kernel::MoveFile(Narrow(FPartName), target)) {
      FResult = -1;
      ReportFail("重命名下载文件失败:" + kernel::LastErrorText());
    }
  }
  if (!FFinishReported) {
    FFinishReported = true;
    DoProgress(dsFinish);
  }
  FConnection.reset();
  FInternet.reset();
}
