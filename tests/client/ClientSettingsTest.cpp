#include <gtest/gtest.h>

#include <filesystem>

#include "client/f_HttpClientImpl.h"
#include "platform/kernel/Process.h"
#include "platform/text/Utf.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDir.h"

namespace {

void ExpectDefaults(IHttpClient& client) {
  const std::string& program = kernel::ProgramFilePath();
  EXPECT_EQ(client.GetAgentName(), text::Utf8ToUtf16(program.substr(program.rfind('/') + 1)));
  EXPECT_EQ(client.GetAccessType(), 1);
  EXPECT_EQ(client.GetTimeout(), 60000);
  EXPECT_TRUE(client.GetProxyServer().empty());
  EXPECT_TRUE(client.GetProxyUser().empty());
  EXPECT_TRUE(client.GetProxyPassword().empty());
  EXPECT_EQ(client.GetMaxFileSize(), 2097152000);
  EXPECT_EQ(client.GetBufferSize(), 524288);
  EXPECT_EQ(client.GetRetryCount(), 3);
  EXPECT_FALSE(client.GetQueryPackageInfo());
}

void ChangeEverything(IHttpClient& client) {
  client.SetAgentName(u"agent");
  client.SetAccessType(2);
  client.SetTimeout(5);
  client.SetProxyServer(u"proxy:1");
  client.SetProxyUser(u"user");
  client.SetProxyPassword(u"password");
  client.SetMaxFileSize(10);
  client.SetBufferSize(20);
  client.SetRetryCount(1);
  client.SetQueryPackageInfo(true);
  client.SetOnBeforeDownload([](auto&&...) {});
}

TEST(ClientSettingsTest, SharedInstanceIsOneObjectWithTheDefaults) {
  const IHttpClientPtr first = GetHttpClient();
  EXPECT_EQ(first, GetHttpClient());
  EXPECT_EQ(first, GHttpClient);
  ExpectDefaults(*first);
}

TEST(ClientSettingsTest, ResetRestoresDefaultsButKeepsTheEventAndTheLastErrorText) {
  auto client = std::make_shared<THttpClient>();
  std::u16string fileName;
  client->DownloadFile(
      u"", fileName, [](const THttpDownloadInfo&, bool&) {}, 0, u"GET", u"");
  ChangeEverything(*client);
  client->Reset();
  ExpectDefaults(*client);
  EXPECT_TRUE(client->GetOnBeforeDownload());
  EXPECT_EQ(text::Utf16ToUtf8(client->GetLastErrorText()), "下载保存路径为空！");
}

TEST(ClientSettingsTest, CloneCopiesEverySettingAndIsIndependent) {
  auto client = std::make_shared<THttpClient>();
  ChangeEverything(*client);
  IHttpClientPtr copy;
  client->Clone(copy);
  ASSERT_TRUE(copy);
  EXPECT_NE(copy, client);
  EXPECT_EQ(copy->GetAgentName(), u"agent");
  EXPECT_EQ(copy->GetAccessType(), 2);
  EXPECT_EQ(copy->GetTimeout(), 5);
  EXPECT_EQ(copy->GetProxyServer(), u"proxy:1");
  EXPECT_EQ(copy->GetProxyUser(), u"user");
  EXPECT_EQ(copy->GetProxyPassword(), u"password");
  EXPECT_EQ(copy->GetMaxFileSize(), 10);
  EXPECT_EQ(copy->GetBufferSize(), 20);
  EXPECT_EQ(copy->GetRetryCount(), 1);
  EXPECT_TRUE(copy->GetQueryPackageInfo());
  EXPECT_TRUE(copy->GetOnBeforeDownload());
  copy->Reset();
  EXPECT_EQ(client->GetAgentName(), u"agent");
}

TEST(ClientSettingsTest, PartFileNameAndLocalFileSize) {
  TempDir dir;
  THttpClient client;
  const std::u16string name = text::Utf8ToUtf16(dir.File("a.exe"));
  EXPECT_EQ(client.GetPartFileName(name), name + u".tmp");
  EXPECT_EQ(client.GetPartFileName(u"x.tmp"), u"x.tmp.tmp");
  EXPECT_EQ(client.GetLocalFileSize(name), 0);
  WriteFileBytes(dir.File("a.exe"), "complete");
  EXPECT_EQ(client.GetLocalFileSize(name), 8);
  WriteFileBytes(dir.File("a.exe.tmp"), "abc");
  EXPECT_EQ(client.GetLocalFileSize(name), 3);
}

TEST(ClientSettingsTest, CrackUrlFillsThePartsOrLeavesThemEmpty) {
  THttpClient client;
  TURLParts parts;
  ASSERT_TRUE(client.CrackUrl(u"https://user:pw@下载.example:8443/uploads/包.exe?x=1", parts));
  EXPECT_EQ(parts.SchemeKind, 4);
  EXPECT_EQ(parts.Scheme, u"https");
  EXPECT_EQ(parts.HostName, u"下载.example");
  EXPECT_EQ(parts.Port, 8443);
  EXPECT_EQ(parts.UserName, u"user");
  EXPECT_EQ(parts.Password, u"pw");
  EXPECT_EQ(parts.UrlPath, u"/uploads/包.exe");
  EXPECT_EQ(parts.ExtraInfo, u"?x=1");
  for (const std::u16string url : {u"", u"not a url", u"http://"}) {
    parts.HostName = u"stale";
    EXPECT_FALSE(client.CrackUrl(url, parts));
    EXPECT_EQ(parts.SchemeKind, 0);
    EXPECT_TRUE(parts.HostName.empty());
    EXPECT_EQ(parts.Port, 0);
  }
}

}  // namespace
