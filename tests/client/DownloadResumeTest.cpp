#include <gmock/gmock.h>

#include <filesystem>

#include "platform/kernel/Profile.h"
#include "tests/client/DownloadFixture.h"

// Deciding between resuming, restarting and finishing, from what the files and the server say.
namespace {

constexpr uint64_t kSize = 5000;
constexpr const char* kServerTime = "2015-10-21 07:28:00";

class DownloadResumeTest : public DownloadFixture {
 protected:
  DownloadResumeTest() { server_.SetGeneratedFile("/package.exe", kSize); }

  void WriteSideFile(const std::string& contentLen, const std::string& lastModified) {
    const std::u16string side = text::Utf8ToUtf16(SideName());
    kernel::WritePrivateProfileString(u"server", u"ContentLen", text::Utf8ToUtf16(contentLen),
                                      side);
    kernel::WritePrivateProfileString(u"server", u"LastModified", text::Utf8ToUtf16(lastModified),
                                      side);
  }

  std::string SideValue(const char16_t* key) const {
    return text::Utf16ToUtf8(
        kernel::GetPrivateProfileString(u"server", key, u"", 256, text::Utf8ToUtf16(SideName())));
  }
};

TEST_F(DownloadResumeTest, PartialFileIsContinuedOnlyWhenTheSideFileMatches) {
  struct Case {
    const char* name;
    uint64_t partialSize;
    std::string contentLen;
    std::string lastModified;
    int64_t firstPosition;  // of the first dsDownloading report
  };
  for (const Case& c : {Case{"matching", 1000, "5000", kServerTime, 1000},
                        Case{"other length", 1000, "4999", kServerTime, 0},
                        Case{"other date", 1000, "5000", "2015-10-21 07:28:01", 0},
                        Case{"larger than the file", 6000, "5000", kServerTime, 0},
                        Case{"empty", 0, "5000", kServerTime, 0}}) {
    SCOPED_TRACE(c.name);
    server_.ClearRequests();
    // The partial file holds the right bytes only when resuming is right, so that a wrong
    // decision either way shows in the result.
    WriteFileBytes(PartName(),
                   c.firstPosition ? Generated(c.partialSize) : std::string(c.partialSize, 'x'));
    WriteSideFile(c.contentLen, c.lastModified);
    ASSERT_EQ(Download(), 0);
    const auto get = Requests("GET").at(0);
    if (c.firstPosition) {
      EXPECT_EQ(get.Header("Range"), "bytes=1000-");
      EXPECT_EQ(get.Header("Accept-Ranges"), "bytes");
    } else {
      EXPECT_FALSE(get.HasHeader("Range"));
    }
    EXPECT_EQ(reports_.at(1).State, dsDownloading);
    EXPECT_EQ(reports_[1].Position, c.firstPosition);
    EXPECT_EQ(reports_[1].Total, static_cast<int64_t>(kSize));
    EXPECT_EQ(ReadFileBytes(Target()), Generated(kSize));
    EXPECT_FALSE(std::filesystem::exists(SideName()));
    std::filesystem::remove(Target());
  }
}

TEST_F(DownloadResumeTest, CompletePartialFileBecomesTheTargetWithoutATransfer) {
  WriteFileBytes(PartName(), Generated(kSize));
  WriteSideFile("5000", kServerTime);
  EXPECT_EQ(Download(), 0);
  EXPECT_THAT(States(), ::testing::ElementsAre(dsStart, dsFinish));
  EXPECT_TRUE(Requests("GET").empty());
  EXPECT_EQ(ReadFileBytes(Target()), Generated(kSize));
  EXPECT_TRUE(std::filesystem::exists(SideName()));
}

TEST_F(DownloadResumeTest, InterruptedDownloadLeavesWhatTheNextCallResumesFrom) {
  server_.CloseAfter(1200);
  EXPECT_EQ(Download(), -1);
  EXPECT_EQ(reports_[reports_.size() - 2].Message, "下载数据不完整！");
  EXPECT_EQ(ReadFileBytes(PartName()), Generated(1200));
  EXPECT_EQ(SideValue(u"ContentLen"), "5000");
  EXPECT_EQ(SideValue(u"LastModified"), kServerTime);

  server_.CloseAfter(testhttp::TestHttpServer::kUnlimited);
  server_.ClearRequests();
  EXPECT_EQ(Download(), 0);
  EXPECT_EQ(Requests("GET").at(0).Header("Range"), "bytes=1200-");
  EXPECT_EQ(ReadFileBytes(Target()), Generated(kSize));
}

TEST_F(DownloadResumeTest, WholeBodyAnsweringARangeRequestIsWrittenFromTheStart) {
  WriteFileBytes(PartName(), Generated(1000));
  WriteSideFile("5000", kServerTime);
  server_.SetIgnoreRanges(true);
  EXPECT_EQ(Download(), 0);
  EXPECT_EQ(Requests("GET").at(0).Header("Range"), "bytes=1000-");
  EXPECT_EQ(reports_.at(1).Position, 0);
  EXPECT_EQ(reports_[reports_.size() - 2].Position, static_cast<int64_t>(kSize));
  EXPECT_EQ(ReadFileBytes(Target()), Generated(kSize));
}

TEST_F(DownloadResumeTest, FileChangedOnTheServerRestartsFromZero) {
  server_.CloseAfter(1000);
  EXPECT_EQ(Download(), -1);
  const std::string changed(kSize, 'n');
  server_.SetFile("/package.exe", changed, "Thu, 22 Oct 2015 08:00:00 GMT");
  server_.CloseAfter(testhttp::TestHttpServer::kUnlimited);
  server_.ClearRequests();
  EXPECT_EQ(Download(), 0);
  EXPECT_FALSE(Requests("GET").at(0).HasHeader("Range"));
  EXPECT_EQ(ReadFileBytes(Target()), changed);
}

TEST_F(DownloadResumeTest, WithoutPackageInfoTheTransferAlwaysStartsAtZero) {
  client_->SetQueryPackageInfo(false);
  WriteFileBytes(PartName(), Generated(1000));
  WriteSideFile("5000", kServerTime);
  server_.CloseAfter(2000);
  EXPECT_EQ(Download(), -1);
  EXPECT_TRUE(Requests("HEAD").empty());
  EXPECT_FALSE(Requests("GET").at(0).HasHeader("Range"));
  EXPECT_FALSE(std::filesystem::exists(SideName()));
  EXPECT_EQ(ReadFileBytes(PartName()), Generated(2000));
}

TEST_F(DownloadResumeTest, BeforeDownloadEventSeesAndChangesTheCall) {
  const std::string other = dir_.File("other.exe");
  std::u16string seenObject;
  int64_t seenLength = 0;
  client_->SetOnBeforeDownload([&](const IHttpClientPtr& sender, std::u16string& objectName,
                                   std::u16string& fileName, int32_t& tag, const std::u16string&,
                                   std::u16string&, int64_t&, int64_t& contentLength, bool&,
                                   bool&) {
    EXPECT_EQ(sender.get(), client_.get());
    seenObject = objectName;
    seenLength = contentLength;
    fileName = text::Utf8ToUtf16(other);
    tag = 42;
  });
  std::u16string fileName = text::Utf8ToUtf16(Target());
  int32_t lastTag = 0;
  EXPECT_EQ(client_->DownloadFile(
                Url(), fileName, [&](const THttpDownloadInfo& info, bool&) { lastTag = info.Tag; },
                7, u"GET", u""),
            0);
  EXPECT_EQ(seenObject, u"/package.exe");
  EXPECT_EQ(seenLength, static_cast<int64_t>(kSize));
  EXPECT_EQ(lastTag, 42);
  EXPECT_EQ(text::Utf16ToUtf8(fileName), other);
  EXPECT_EQ(ReadFileBytes(other), Generated(kSize));
}

}  // namespace
