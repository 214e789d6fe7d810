#include <gmock/gmock.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/kernel/Exception.h"
#include "platform/kernel/Files.h"
#include "platform/kernel/LastError.h"
#include "tests/client/DownloadFixture.h"

namespace {

using ::testing::ElementsAre;

constexpr uint64_t kSize = 3000;

class DownloadFileTest : public DownloadFixture {
 protected:
  DownloadFileTest() { server_.SetGeneratedFile("/package.exe", kSize); }
};

TEST_F(DownloadFileTest, SuccessReportsInOrderAndLeavesOnlyTheTargetWithTheServersTime) {
  ASSERT_EQ(Download(), 0);
  EXPECT_THAT(States(), ElementsAre(dsStart, dsDownloading, dsDownloading, dsFinish));
  EXPECT_EQ(reports_[0].Position, 0);
  EXPECT_EQ(reports_[0].Total, 0);
  EXPECT_EQ(reports_[1].Position, 0);
  EXPECT_EQ(reports_[1].Total, static_cast<int64_t>(kSize));
  EXPECT_EQ(reports_[2].Position, static_cast<int64_t>(kSize));
  EXPECT_EQ(reports_[3].Position, static_cast<int64_t>(kSize));
  EXPECT_EQ(reports_[3].ResultCode, 0);
  EXPECT_EQ(ReadFileBytes(Target()), Generated(kSize));
  EXPECT_FALSE(std::filesystem::exists(PartName()));
  EXPECT_FALSE(std::filesystem::exists(SideName()));
  struct stat info {};
  ASSERT_EQ(stat(Target().c_str(), &info), 0);
  EXPECT_EQ(info.st_mtime, 1445412480);  // Wed, 21 Oct 2015 07:28:00 GMT
  EXPECT_EQ(Requests("HEAD").size(), 1u);
  EXPECT_EQ(Requests("GET").size(), 1u);
}

TEST_F(DownloadFileTest, StopIsObeyedAtStartAndAtTheFirstProgressReport) {
  struct Case {
    TDownloadState stopAt;
    int32_t result;
    std::vector<TDownloadState> states;
    bool partialFileLeft;
  };
  for (const Case& c : {Case{dsStart, -1, {dsStart, dsFinish}, false},
                        Case{dsDownloading, 1, {dsStart, dsDownloading, dsFinish}, true}}) {
    SCOPED_TRACE(c.stopAt);
    std::filesystem::remove(PartName());
    EXPECT_EQ(Download([&](const THttpDownloadInfo& info) { return info.State == c.stopAt; }),
              c.result);
    EXPECT_EQ(States(), c.states);
    EXPECT_EQ(std::filesystem::exists(PartName()), c.partialFileLeft);
    if (c.partialFileLeft) {
      EXPECT_EQ(std::filesystem::file_size(PartName()), 0u);
    }
    EXPECT_FALSE(std::filesystem::exists(Target()));
  }
}

TEST_F(DownloadFileTest, StopIsNotLookedAtOnceTheDataHasEnded) {
  int downloading = 0;
  EXPECT_EQ(Download([&](const THttpDownloadInfo& info) {
              return info.State == dsDownloading && ++downloading == 2;
            }),
            0);
  EXPECT_EQ(ReadFileBytes(Target()), Generated(kSize));
}

TEST_F(DownloadFileTest, EveryFailureReportsItsTextThenFinishes) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::string message;  // a prefix, where the system text follows
    std::u16string headers = u"";
  };
  const std::vector<Case> cases = {
      {"HEAD refused", [this] { server_.FailNext(404, 3, "HEAD"); }, "获取下载包信息失败:"},
      {"size limit", [this] { client_->SetMaxFileSize(kSize - 1); }, "超过下载文件大小限制！"},
      {"header refused", [] {}, "组织请求头失败！", u"no colon here"},
      {"GET refused", [this] { server_.FailNext(500, 3, "GET"); }, "发生下载请求失败:"},
      {"buffer", [this] { client_->SetBufferSize(0); }, "创建缓冲区失败:Invalid argument"},
      {"stalled server",
       [this] {
         server_.StallAfter(1000);
         client_->SetTimeout(300);
       },
       "从网络读取文件失败:The operation timed out"},
      {"cut short", [this] { server_.CloseAfter(1000); }, "下载数据不完整！"},
      {"target is a folder", [this] { std::filesystem::create_directory(Target()); },
       "重命名下载文件失败:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    EXPECT_EQ(Download(nullptr, c.headers), -1);
    ASSERT_GE(reports_.size(), 3u);
    EXPECT_EQ(reports_.front().State, dsStart);
    const Report& fail = reports_[reports_.size() - 2];
    EXPECT_EQ(fail.State, dsFail);
    EXPECT_EQ(fail.Message.rfind(c.message, 0), 0u) << fail.Message;
    EXPECT_EQ(fail.Position, 0);
    EXPECT_EQ(reports_.back().State, dsFinish);
    EXPECT_EQ(text::Utf16ToUtf8(client_->GetLastErrorText()), fail.Message);
    // Back to a well-behaved server and client for the next case.
    server_.StallAfter(testhttp::TestHttpServer::kUnlimited);
    server_.CloseAfter(testhttp::TestHttpServer::kUnlimited);
    client_->Reset();
    client_->SetQueryPackageInfo(true);
    client_->SetAccessType(0);
    std::filesystem::remove_all(Target());
    std::filesystem::remove(PartName());
    std::filesystem::remove(SideName());
  }
}

TEST_F(DownloadFileTest, FailuresBeforeTheConnectionReportOnlyTheFailure) {
  struct Case {
    std::u16string url;
    std::u16string fileName;
    uint8_t accessType;
    std::string message;
  };
  const std::u16string file = text::Utf8ToUtf16(Target());
  const std::u16string longPath = Url("/" + std::string(2100, 'a'));
  for (const Case& c :
       {Case{Url(), u"", 0, "下载保存路径为空！"}, Case{u"", file, 0, "URL地址为空！"},
        Case{u"no scheme", file, 0, "解析URL失败！"}, Case{longPath, file, 0, "解析URL失败！"},
        Case{u"ftp://127.0.0.1/package.exe", file, 0, "URL类型不是HTTP！"},
        Case{Url(), file, 3, "打开一个Internet连接失败:Invalid argument"}}) {
    SCOPED_TRACE(c.message);
    client_->SetAccessType(c.accessType);
    std::u16string fileName = c.fileName;
    EXPECT_EQ(DownloadTo(c.url, fileName), -1);
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0].State, dsFail);
    EXPECT_EQ(reports_[0].Message, c.message);
  }
  EXPECT_TRUE(server_.Requests().empty());
  EXPECT_FALSE(std::filesystem::exists(PartName()));
}

TEST_F(DownloadFileTest, WithoutCallbackNothingIsReportedNorStored) {
  server_.FailNext(404, 3);
  std::u16string fileName = text::Utf8ToUtf16(Target());
  EXPECT_EQ(client_->DownloadFile(Url(), fileName, nullptr, 0, u"GET", u""), -1);
  EXPECT_TRUE(client_->GetLastErrorText().empty());
}

TEST_F(DownloadFileTest, RefusedSendsAreTriedExactlyRetryCountTimes) {
  for (const int status : {304, 404, 500}) {
    SCOPED_TRACE(status);
    server_.ClearRequests();
    server_.FailNext(status, 3, "GET");
    EXPECT_EQ(Download(), -1);
    EXPECT_EQ(Requests("GET").size(), 3u);
  }
  server_.ClearRequests();
  server_.FailNext(404, 2, "GET");
  EXPECT_EQ(Download(), 0);
  EXPECT_EQ(Requests("GET").size(), 3u);
}

TEST_F(DownloadFileTest, LockedTargetFailsAfterTheTransferAndKeepsThePartialFile) {
  WriteFileBytes(Target(), "old");
  auto lock = kernel::File::Open(Target(), kernel::Access::Read, kernel::Share::Read,
                                 kernel::Disposition::OpenExisting);
  ASSERT_TRUE(lock);
  EXPECT_EQ(Download(), -1);
  EXPECT_THAT(States(), ElementsAre(dsStart, dsDownloading, dsDownloading, dsFail, dsFinish));
  EXPECT_EQ(reports_[3].Message, "删除[" + Target() + "]文件失败:" +
                                     kernel::SystemErrorText(kernel::ERROR_SHARING_VIOLATION));
  EXPECT_EQ(ReadFileBytes(PartName()), Generated(kSize));
  EXPECT_EQ(ReadFileBytes(Target()), "old");
}

TEST_F(DownloadFileTest, ExceptionInTheCallbackBecomesTheLastReport) {
  std::vector<TDownloadState> states;
  std::u16string fileName = text::Utf8ToUtf16(Target());
  const int32_t result = client_->DownloadFile(
      Url(), fileName,
      [&](const THttpDownloadInfo& info, bool&) {
        states.push_back(info.State);
        if (info.State == dsDownloading) throw kernel::Exception("callback broke");
      },
      0, u"GET", u"");
  EXPECT_EQ(result, -1);
  EXPECT_THAT(states, ElementsAre(dsStart, dsDownloading, dsFinish, dsError));
  EXPECT_EQ(text::Utf16ToUtf8(client_->GetLastErrorText()), "callback broke");
}

TEST_F(DownloadFileTest, RequestHeadersOfTheHeadAndTheTransfer) {
  client_->SetAgentName(u"VeltraneSetup");
  ASSERT_EQ(Download(nullptr, u"\r\n  X-One: 1  \r\n   \n\nCache-control:max-age=0\rX-Two:2"), 0);
  const auto head = Requests("HEAD").at(0);
  EXPECT_EQ(head.Header("User-Agent"), "VeltraneSetup");
  EXPECT_FALSE(head.HasHeader("Cache-control"));
  EXPECT_FALSE(head.HasHeader("Content-type"));
  const auto get = Requests("GET").at(0);
  EXPECT_EQ(get.Header("User-Agent").rfind("Mozilla/5.0 (compatible; MSIE 9.0;", 0), 0u);
  EXPECT_EQ(get.Header("Accept"),
            "text/html,application/xhtml+xml,application/xml,application/json;q=0.9,*/*;q=0.8");
  EXPECT_EQ(get.Header("Content-type"), "application/octet-stream");
  EXPECT_EQ(get.Header("Cache-control"), "max-age=0");
  EXPECT_EQ(get.Header("X-One"), "1");
  EXPECT_EQ(get.Header("X-Two"), "2");
  EXPECT_FALSE(get.HasHeader("Range"));
  EXPECT_FALSE(get.HasHeader("Accept-Ranges"));
  int cacheControls = 0;
  for (const auto& [name, value] : get.headers) cacheControls += name == "Cache-control";
  EXPECT_EQ(cacheControls, 1);
  EXPECT_EQ(server_.Connections(), 1);  // the HEAD's connection carried the GET too
}

TEST_F(DownloadFileTest, SizeLimitReadsTheLengthAsSixtyFourBits) {
  struct Case {
    uint64_t size;
    int32_t result;  // 1: passed the limit and reached the transfer, where the test stops it
  };
  for (const Case& c :
       {Case{2097152000, 1}, Case{2097152001, -1}, Case{(uint64_t{1} << 32) + 100, -1}}) {
    SCOPED_TRACE(c.size);
    server_.SetGeneratedFile("/big.exe", c.size);
    std::u16string fileName = text::Utf8ToUtf16(Target());
    const auto stopWhenDownloading = [](const THttpDownloadInfo& info) {
      return info.State == dsDownloading;
    };
    EXPECT_EQ(DownloadTo(Url("/big.exe"), fileName, stopWhenDownloading), c.result);
    if (c.result == -1) {
      EXPECT_EQ(reports_[1].Message, "超过下载文件大小限制！");
    }
  }
}

TEST_F(DownloadFileTest, NoContentLengthMeansTotalZeroAndSuccessAtTheEnd) {
  server_.SetNoContentLength(true);
  ASSERT_EQ(Download(), 0);
  for (const Report& report : reports_) EXPECT_EQ(report.Total, 0);
  EXPECT_EQ(ReadFileBytes(Target()), Generated(kSize));
}

TEST_F(DownloadFileTest, RedirectedDownloadArrives) {
  server_.SetRedirect("/moved.exe", "/package.exe");
  std::u16string fileName = text::Utf8ToUtf16(Target());
  EXPECT_EQ(DownloadTo(Url("/moved.exe"), fileName), 0);
  EXPECT_EQ(ReadFileBytes(Target()), Generated(kSize));
}

}  // namespace
