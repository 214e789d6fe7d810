#include <cstdio>
#include <string>

#include "client/f_HttpClientIntf.h"
#include "platform/text/Utf.h"

// Downloads one URL into one file with the client as the main window sets it up, printing one
// line per progress report:  download_file URL FILE
// The exit code is the result of DownloadFile (-1 shows as 255).
namespace {

const char* StateName(TDownloadState State) {
  switch (State) {
    case dsStart:
      return "dsStart";
    case dsDownloading:
      return "dsDownloading";
    case dsFinish:
      return "dsFinish";
    case dsFail:
      return "dsFail";
    case dsError:
      return "dsError";
  }
  return "?";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s URL FILE\n", argv[0]);
    return 2;
  }
  const std::u16string url = text::Utf8ToUtf16(argv[1]);
  std::u16string fileName = text::Utf8ToUtf16(argv[2]);
  const IHttpClientPtr client = GetHttpClient();
  client->SetQueryPackageInfo(true);
  const int32_t result = client->DownloadFile(
      url, fileName,
      [](const THttpDownloadInfo& Info, bool& /*Stop*/) {
        std::printf("%s %lld %lld %.*s %.*s %s\n", StateName(Info.State),
                    static_cast<long long>(Info.Position), static_cast<long long>(Info.Total),
                    static_cast<int>(Info.SpeedText.Text().size()), Info.SpeedText.Text().data(),
                    static_cast<int>(Info.RemainText.Text().size()), Info.RemainText.Text().data(),
                    text::Utf16ToUtf8(Info.Message).c_str());
      },
      0, u"GET", u"");
  return result;
}
