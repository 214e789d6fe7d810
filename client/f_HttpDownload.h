#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "client/f_HttpClientImpl.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/SystemTime.h"

// One call of DownloadFile: its files, handles and counters live here for the length of the call
// and are released on every way out.
class THttpDownload {
 public:
  THttpDownload(THttpClient& Client, const std::u16string& URL, std::u16string& FileName,
                TDownloadProgressEvent OnProgress, int32_t Tag, const std::u16string& Verb,
                const std::u16string& Headers);
  int32_t Run();

 private:
  // Each step reports its own failure; false means "go to the finish".
  bool QueryPackageInfo();
  bool DecideResume();
  bool SendTransferRequest();
  bool OpenPartFile();
  void ReadBody();
  void EndOfData();
  void Finish();

  bool DoProgress(TDownloadState State, const std::string& Message = {});
  void ReportFail(const std::string& Message) { DoProgress(dsFail, Message); }
  // The Content-Length and Last-Modified of a response; the size limit applies to the length.
  bool TakeContentLength(inet::HINTERNET Request);
  void TakeLastModified(inet::HINTERNET Request);
  std::string FormatLastModified() const;

  THttpClient& FClient;
  const std::u16string& FURL;
  std::u16string& FFileName;
  TDownloadProgressEvent FOnProgress;
  int32_t FTag;
  const std::u16string& FVerb;
  std::u16string FHeaders;

  std::u16string FPartName;
  std::u16string FSideName;
  std::string FObjectName;
  bool FIsHttps = false;
  inet::UniqueHInternet FInternet;
  inet::UniqueHInternet FConnection;
  inet::UniqueHInternet FRequest;
  std::optional<kernel::File> FFile;
  std::unique_ptr<char[]> FBuffer;

  bool FQueried = false;  // the package information was asked for in this call
  bool FResume = false;
  bool FHandled = false;
  int64_t FStartPos = 0;
  int64_t FReceived = 0;
  int64_t FContentLength = 0;
  std::optional<kernel::SystemTime> FLastModified;
  uint64_t FWindowStart = 0;
  uint64_t FWindowBytes = 0;
  int64_t FRemainMs = 0;
  int64_t FSpeed = 0;
  int32_t FResult = -1;
  bool FRenameDone = false;
  bool FFinishReported = false;
};
