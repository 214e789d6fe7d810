#include <gtest/gtest.h>

#include "client/f_HttpClientImpl.h"
#include "platform/text/Utf.h"
#include "tests/support/http_server/TestHttpServer.h"

// Requests whose answer is collected in a stream or a text.
namespace {

class RequestStreamTest : public ::testing::Test {
 protected:
  RequestStreamTest() { client_.SetAccessType(0); }
  std::u16string Url(const std::string& path) const { return text::Utf8ToUtf16(server_.Url(path)); }

  testhttp::TestHttpServer server_;
  THttpClient client_;
};

// A stream that refuses the status query.
class NoStatStream : public TMemoryStream {
 public:
  HRESULT Stat(STATSTG*, uint32_t) override { return STG_E_INVALIDFUNCTION; }
};

TEST_F(RequestStreamTest, BodyBytesArriveExactlyAndAnEmptyBodyStillHasHeaders) {
  std::string binary;
  for (int i = 0; i < 256 * 3; ++i) binary += static_cast<char>(i);
  server_.SetFile("/binary", binary);
  server_.SetFile("/empty", "");
  TMemoryStream response("left over from before");
  ASSERT_TRUE(client_.GetStream(Url("/binary"), u"", response));
  EXPECT_EQ(response.Bytes(), binary);

  std::u16string headers, text;
  EXPECT_TRUE(client_.PostText(Url("/empty"), u"", headers, u"", text, true));
  EXPECT_TRUE(text.empty());
  const std::string raw = text::Utf16ToUtf8(headers);
  EXPECT_EQ(raw.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
  EXPECT_NE(raw.find("Content-Length: 0\r\n"), std::string::npos);
}

TEST_F(RequestStreamTest, FailuresAreWrittenAfterWhatTheStreamHolds) {
  server_.SetFile("/f", "x");
  struct Case {
    std::u16string url;
    std::string text;  // a prefix where the system text follows
  };
  auto closed = std::make_unique<testhttp::TestHttpServer>();
  const std::u16string unreachable = text::Utf8ToUtf16(closed->Url("/f"));
  closed.reset();
  for (const Case& c :
       {Case{Url("/missing"), "发生下载请求失败:"}, Case{u"", "URL地址为空！"},
        Case{u"gopher://h/x", "URL类型不是HTTP！"},
        Case{unreachable,
             "发生下载请求失败:A connection with the server could not be established"}}) {
    SCOPED_TRACE(c.text);
    std::u16string text = u"stale";
    EXPECT_FALSE(client_.GetText(c.url, u"", text, false));
    EXPECT_EQ(text::Utf16ToUtf8(text).rfind(c.text, 0), 0u) << text::Utf16ToUtf8(text);
  }
  EXPECT_EQ(server_.Requests().size(), 3u);  // three attempts for the 404
  EXPECT_TRUE(client_.GetLastErrorText().empty());
}

TEST_F(RequestStreamTest, PostBodiesGoOutExactly) {
  server_.SetFile("/post", "答复");
  std::u16string headers, text;
  ASSERT_TRUE(client_.PostText(Url("/post"), u"X-Extra: yes", headers, u"名字=值&a b", text, true));
  EXPECT_EQ(text, u"答复");
  auto sent = server_.Requests().back();
  EXPECT_EQ(sent.method, "POST");
  EXPECT_EQ(sent.body, "名字=值&a b");
  EXPECT_EQ(sent.Header("Content-Length"), std::to_string(sent.body.size()));
  EXPECT_EQ(sent.Header("X-Extra"), "yes");

  TMemoryStream response;
  ASSERT_TRUE(client_.PostTextGetStream(Url("/post"), u"", headers, u"abc", response));
  EXPECT_EQ(server_.Requests().back().body, "abc");
  EXPECT_EQ(response.Bytes(), "答复");

  TMemoryStream atEnd("already read");
  atEnd.Seek(0, STREAM_SEEK_END, nullptr);
  ASSERT_TRUE(client_.PostStreamGetText(Url("/post"), u"", headers, atEnd, text, true));
  EXPECT_EQ(server_.Requests().back().body, "");
}

TEST_F(RequestStreamTest, BodyStreamWithoutStatusIsCaughtAsAnException) {
  server_.SetFile("/post", "x");
  NoStatStream body;
  TMemoryStream response;
  std::u16string headers;
  EXPECT_FALSE(client_.PostStream(Url("/post"), u"", headers, body, response));
  EXPECT_EQ(response.Bytes().rfind("[THttpClient._HttpRequest]Assertion failed", 0), 0u);
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(RequestStreamTest, CheckUrlTellsWhetherTheAddressAnswers) {
  server_.SetFile("/f", "x");
  EXPECT_TRUE(client_.CheckUrl(Url("/f")));
  EXPECT_FALSE(client_.CheckUrl(Url("/missing")));
}

}  // namespace
