#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "tests/client/DownloadFixture.h"

// The measuring window behind the progress reports, and downloads through proxies.
namespace {

class DownloadProgressTest : public DownloadFixture {};

TEST_F(DownloadProgressTest, ReportsWaitForHalfAWindowAndEstimatesComeOncePerSecond) {
  constexpr uint64_t kSize = 180000;
  constexpr uint64_t kRate = 150000;  // 1.2 s of transfer
  struct Case {
    bool contentLength;
  };
  for (const Case c : {Case{true}, Case{false}}) {
    SCOPED_TRACE(c.contentLength);
    std::filesystem::remove(Target());
    server_.SetGeneratedFile("/package.exe", kSize);
    server_.SetRate(kRate);
    server_.SetNoContentLength(!c.contentLength);
    client_->SetBufferSize(4096);
    using Clock = std::chrono::steady_clock;
    std::vector<std::pair<Clock::time_point, THttpDownloadInfo>> seen;
    std::u16string fileName = text::Utf8ToUtf16(Target());
    ASSERT_EQ(client_->DownloadFile(
                  Url(), fileName,
                  [&](const THttpDownloadInfo& info, bool&) {
                    if (info.State == dsDownloading) seen.emplace_back(Clock::now(), info);
                  },
                  0, u"GET", u""),
              0);
    ASSERT_GE(seen.size(), 3u);
    // The window runs on the millisecond tick; a few milliseconds of slack cover its rounding.
    const Clock::time_point start = seen.front().first - std::chrono::milliseconds(10);
    // Between the report before the first read and the one at the end of the data.
    bool estimated = false;
    for (size_t i = 1; i + 1 < seen.size(); ++i) {
      const auto& [when, info] = seen[i];
      EXPECT_GE(when - start, std::chrono::milliseconds(500));
      if (info.Speed == 0) {
        EXPECT_EQ(info.RemainMs, 0);
        EXPECT_FALSE(estimated) << "an estimate is kept until the next window closes";
        continue;
      }
      estimated = true;
      EXPECT_GE(when - start, std::chrono::milliseconds(1000));
      EXPECT_GT(info.Speed, static_cast<int64_t>(kRate / 3));
      EXPECT_LT(info.Speed, static_cast<int64_t>(kRate * 3));
      EXPECT_EQ(std::string(info.SpeedText.Text()), FormatSpeed(static_cast<double>(info.Speed)));
      if (c.contentLength) {
        EXPECT_GE(info.RemainMs, 0);
        EXPECT_LT(info.RemainMs, 1000);
      } else {
        EXPECT_EQ(info.RemainMs, -1);
        EXPECT_EQ(std::string(info.RemainText.Text()), "--:--:--");
      }
      EXPECT_EQ(info.Total, c.contentLength ? static_cast<int64_t>(kSize) : 0);
    }
    EXPECT_TRUE(estimated);
    EXPECT_EQ(seen.back().second.Position, static_cast<int64_t>(kSize));
  }
}

TEST_F(DownloadProgressTest, ProxiesReachTheServerForAnyHostName) {
  server_.SetGeneratedFile("/uploads/package.exe", 4000);
  server_.RequireProxyAuth("user:secret");
  const std::u16string url = u"http://download.example.test/uploads/package.exe";
  const std::string proxy = "127.0.0.1:" + std::to_string(server_.Port());
  struct Case {
    const char* name;
    uint8_t accessType;
    std::u16string user;
    int32_t result;
  };
  for (const Case& c :
       {Case{"named proxy with credentials", 2, u"user", 0},
        Case{"named proxy without credentials", 2, u"", -1}, Case{"environment", 1, u"", 0}}) {
    SCOPED_TRACE(c.name);
    server_.ClearRequests();
    std::filesystem::remove(Target());
    client_->SetAccessType(c.accessType);
    client_->SetProxyServer(text::Utf8ToUtf16(proxy));
    client_->SetProxyUser(c.user);
    client_->SetProxyPassword(c.user.empty() ? u"" : u"secret");
    server_.RequireProxyAuth(c.accessType == 2 ? "user:secret" : "");
    if (c.accessType == 1) setenv("http_proxy", ("http://" + proxy).c_str(), 1);
    std::u16string fileName = text::Utf8ToUtf16(Target());
    EXPECT_EQ(DownloadTo(url, fileName), c.result);
    unsetenv("http_proxy");
    const auto requests = server_.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0].target, "http://download.example.test/uploads/package.exe");
    if (c.result == 0) {
      EXPECT_EQ(ReadFileBytes(Target()), Generated(4000));
    } else {
      EXPECT_EQ(reports_[1].Message.rfind("获取下载包信息失败:", 0), 0u);
    }
    if (!c.user.empty()) {
      EXPECT_EQ(requests[0].Header("Proxy-Authorization"), "Basic dXNlcjpzZWNyZXQ=");
    }
  }
}

}  // namespace
