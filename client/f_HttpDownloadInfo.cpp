#include <cstdio>

#include "client/f_HttpDownload.h"
#include "platform/text/Utf.h"

// What one download tells its caller, and what it takes from the server's answers.

bool THttpDownload::DoProgress(TDownloadState State, const std::string& Message) {
  bool Stop = false;
  if (!FOnProgress) return Stop;
  THttpDownloadInfo info;
  info.State = State;
  info.Message = text::Utf8ToUtf16(Message);
  if (State == dsFail || State == dsError) FClient.FLastErrorText = info.Message;
  if (State == dsDownloading || State == dsFinish) {
    info.Position = FStartPos + FReceived;
    info.Total = FContentLength;
  }
  if (State == dsDownloading) {
    info.RemainMs = FRemainMs;
    info.Speed = FSpeed;
  }
  info.Tag = FTag;
  info.RemainText.Assign(FormatRemainTime(info.RemainMs));
  info.SpeedText.Assign(FormatSpeed(static_cast<double>(info.Speed)));
  info.ResultCode = FResult;
  FOnProgress(info, Stop);
  return Stop;
}

bool THttpDownload::TakeContentLength(inet::HINTERNET Request) {
  // Read as 64 bits, so that a length above 4 GiB fails the limit instead of wrapping around.
  uint64_t length = 0;
  uint32_t size = sizeof length;
  if (!inet::HttpQueryInfo(Request,
                           inet::HTTP_QUERY_CONTENT_LENGTH | inet::HTTP_QUERY_FLAG_NUMBER64,
                           &length, &size, nullptr)) {
    FContentLength = 0;
    return true;
  }
  if (length > static_cast<uint64_t>(FClient.FMaxFileSize)) {
    ReportFail("超过下载文件大小限制！");
    return false;
  }
  FContentLength = static_cast<int64_t>(length);
  return true;
}

void THttpDownload::TakeLastModified(inet::HINTERNET Request) {
  kernel::SystemTime time;
  uint32_t size = sizeof time;
  if (inet::HttpQueryInfo(Request,
                          inet::HTTP_QUERY_LAST_MODIFIED | inet::HTTP_QUERY_FLAG_SYSTEMTIME, &time,
                          &size, nullptr)) {
    FLastModified = time;
  }
}

std::string THttpDownload::FormatLastModified() const {
  // The zero date-time stands for "the server sent none".
  if (!FLastModified) return "1899-12-30 00:00:00";
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", FLastModified->year,
                FLastModified->month, FLastModified->day, FLastModified->hour,
                FLastModified->minute, FLastModified->second);
  return text;
}
