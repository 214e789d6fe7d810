#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/inet/Inet.h"
#include "platform/inet/InetErrors.h"
#include "platform/kernel/LastError.h"
#include "tests/support/http_server/TestHttpServer.h"

namespace {

using namespace inet;

// A session and a connection to the loopback server, direct unless a test says otherwise.
class InternetRequestTest : public ::testing::Test {
 protected:
  InternetRequestTest() { Connect(INTERNET_OPEN_TYPE_DIRECT, nullptr); }

  void Connect(uint32_t access, const char* proxy, const char* host = "127.0.0.1") {
    connection_.reset();
    session_ = InternetOpen("inet-test", access, proxy, nullptr, 0);
    ASSERT_TRUE(session_);
    connection_ =
        InternetConnect(session_.get(), host, server_.Port(), "", "", INTERNET_SERVICE_HTTP, 0, 0);
    ASSERT_TRUE(connection_);
  }

  UniqueHInternet Open(const char* verb, const char* object) {
    return HttpOpenRequest(connection_.get(), verb, object, "HTTP/1.1", nullptr, nullptr,
                           INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
  }

  static uint64_t Number(HINTERNET request, uint32_t level, uint32_t size) {
    uint64_t value = 0;
    uint32_t length = size;
    EXPECT_TRUE(HttpQueryInfo(request, level, &value, &length, nullptr));
    EXPECT_EQ(length, size);
    return value;
  }

  // Every read's size until the end of the data.
  static std::vector<uint32_t> ReadSizes(HINTERNET request, uint32_t bufferSize,
                                         std::string* body = nullptr) {
    std::vector<char> buffer(bufferSize);
    std::vector<uint32_t> sizes;
    uint32_t read = 0;
    do {
      EXPECT_TRUE(InternetReadFile(request, buffer.data(), bufferSize, &read));
      sizes.push_back(read);
      if (body) body->append(buffer.data(), read);
    } while (read > 0 && sizes.size() < 1000);
    return sizes;
  }

  testhttp::TestHttpServer server_;
  UniqueHInternet session_;
  UniqueHInternet connection_;
};

TEST_F(InternetRequestTest, ReadFillsTheWholeBufferUnlessTheDataEnds) {
  server_.SetGeneratedFile("/f", 1200000);
  server_.SetRate(40000000);  // arrives in many small pieces
  auto request = Open("GET", "/f");
  ASSERT_TRUE(HttpSendRequest(request.get(), nullptr, 0, nullptr, 0));
  std::string body;
  EXPECT_EQ(ReadSizes(request.get(), 524288, &body),
            (std::vector<uint32_t>{524288, 524288, 151424, 0}));
  ASSERT_EQ(body.size(), 1200000u);
  for (size_t i = 0; i < body.size(); i += 4999) {
    ASSERT_EQ(body[i], testhttp::TestHttpServer::GeneratedByte(i)) << i;
  }
}

TEST_F(InternetRequestTest, ReadsSmallerThanTheReceivedPiecesReturnEveryByteInOrder) {
  // Served at full speed, the body arrives in pieces far larger than each read: the rest of a
  // piece waits for the following reads.
  server_.SetGeneratedFile("/f", 1048576 + 17);
  auto request = Open("GET", "/f");
  ASSERT_TRUE(HttpSendRequest(request.get(), nullptr, 0, nullptr, 0));
  std::string body;
  const std::vector<uint32_t> sizes = ReadSizes(request.get(), 4096, &body);
  ASSERT_EQ(body.size(), 1048576u + 17);
  EXPECT_EQ(sizes.size(), 256u + 2) << "full reads, one of 17 bytes, then the end";
  for (size_t i = 0; i < body.size(); ++i) {
    ASSERT_EQ(body[i], testhttp::TestHttpServer::GeneratedByte(i)) << i;
  }
}

TEST_F(InternetRequestTest, QueriesOfTheResponse) {
  server_.SetGeneratedFile("/big", (uint64_t{4} << 30) + 7);
  auto request = Open("HEAD", "/big");
  ASSERT_TRUE(HttpSendRequest(request.get(), nullptr, 0, nullptr, 0));
  EXPECT_EQ(Number(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, 4), 200u);
  EXPECT_EQ(Number(request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER64, 8),
            (uint64_t{4} << 30) + 7);
  EXPECT_EQ(Number(request.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, 4), 7u);

  kernel::SystemTime time;
  uint32_t length = sizeof time;
  ASSERT_TRUE(HttpQueryInfo(request.get(), HTTP_QUERY_LAST_MODIFIED | HTTP_QUERY_FLAG_SYSTEMTIME,
                            &time, &length, nullptr));
  EXPECT_EQ(time, (kernel::SystemTime{2015, 10, 3, 21, 7, 28, 0, 0}));

  length = 0;
  EXPECT_FALSE(
      HttpQueryInfo(request.get(), HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &length, nullptr));
  std::string raw(length, '\0');
  ASSERT_TRUE(
      HttpQueryInfo(request.get(), HTTP_QUERY_RAW_HEADERS_CRLF, raw.data(), &length, nullptr));
  raw.resize(length);
  EXPECT_EQ(raw.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
  EXPECT_NE(raw.find("\r\nLast-Modified: Wed, 21 Oct 2015 07:28:00 GMT\r\n"), std::string::npos);
  EXPECT_EQ(raw.substr(raw.size() - 4), "\r\n\r\n");
}

TEST_F(InternetRequestTest, MissingHeaderAndUnsentRequestFailWithTheirCodes) {
  server_.SetFile("/f", "x", "");
  auto request = Open("GET", "/f");
  uint32_t status = 0, length = 4;
  EXPECT_FALSE(HttpQueryInfo(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER,
                             &status, &length, nullptr));
  EXPECT_EQ(kernel::GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_STATE);
  ASSERT_TRUE(HttpSendRequest(request.get(), nullptr, 0, nullptr, 0));
  kernel::SystemTime time;
  length = sizeof time;
  EXPECT_FALSE(HttpQueryInfo(request.get(), HTTP_QUERY_LAST_MODIFIED | HTTP_QUERY_FLAG_SYSTEMTIME,
                             &time, &length, nullptr));
  EXPECT_EQ(kernel::GetLastError(), ERROR_HTTP_HEADER_NOT_FOUND);
  EXPECT_FALSE(InternetReadFile(connection_.get(), &time, 1, &length));
  EXPECT_EQ(kernel::GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
}

TEST_F(InternetRequestTest, HeadersAreAddedOrReplacedByName) {
  server_.SetFile("/f", "body");
  auto request = Open("GET", "/f");
  const uint32_t addOrReplace = HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE;
  for (const char* header : {"Cache-control:no-cache", "X-A: 1", "cache-control:max-age=0"}) {
    EXPECT_TRUE(HttpAddRequestHeaders(request.get(), header, UINT32_MAX, addOrReplace));
  }
  EXPECT_FALSE(HttpAddRequestHeaders(request.get(), "no colon", UINT32_MAX, addOrReplace));
  EXPECT_EQ(kernel::GetLastError(), ERROR_HTTP_INVALID_HEADER);
  ASSERT_TRUE(HttpSendRequest(request.get(), nullptr, 0, nullptr, 0));
  const auto sent = server_.Requests().at(0);
  int cacheControls = 0;
  for (const auto& [name, value] : sent.headers)
    cacheControls += name == "cache-control" || name == "Cache-control";
  EXPECT_EQ(cacheControls, 1);
  EXPECT_EQ(sent.Header("Cache-Control"), "max-age=0");
  EXPECT_EQ(sent.Header("X-A"), "1");
  EXPECT_EQ(sent.Header("User-Agent"), "inet-test");
}

TEST_F(InternetRequestTest, HeadAndGetShareOneKeptAliveConnectionAndResendIsAFreshExchange) {
  server_.SetFile("/f", "hello");
  auto head = Open("HEAD", "/f");
  ASSERT_TRUE(HttpSendRequest(head.get(), nullptr, 0, nullptr, 0));
  head.reset();
  auto get = Open("GET", "/f");
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(HttpSendRequest(get.get(), nullptr, 0, nullptr, 0));
    std::string body;
    ReadSizes(get.get(), 64, &body);
    EXPECT_EQ(body, "hello");
  }
  EXPECT_EQ(server_.Requests().size(), 3u);
  EXPECT_EQ(server_.Connections(), 1);
}

TEST_F(InternetRequestTest, RedirectsAreFollowedForGetAndHeadOnly) {
  server_.SetFile("/target", "arrived");
  server_.SetRedirect("/moved", "/target");
  for (const char* verb : {"GET", "HEAD", "POST"}) {
    SCOPED_TRACE(verb);
    auto request = Open(verb, "/moved");
    ASSERT_TRUE(HttpSendRequest(request.get(), nullptr, 0, nullptr, 0));
    const bool follows = std::string(verb) != "POST";
    EXPECT_EQ(Number(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, 4),
              follows ? 200u : 302u);
  }
}

TEST_F(InternetRequestTest, PostSendsTheBodyBytesExactly) {
  server_.SetFile("/f", "ok");
  const std::string body("a\0b\r\nc", 6);
  auto request = Open("POST", "/f");
  ASSERT_TRUE(HttpSendRequest(request.get(), nullptr, 0, body.data(), 6));
  EXPECT_EQ(server_.Requests().at(0).body, body);
  EXPECT_FALSE(server_.Requests().at(0).HasHeader("Expect"));
}

TEST_F(InternetRequestTest, StalledServerEndsTheReadWithATimeOut) {
  server_.SetGeneratedFile("/f", 100000);
  server_.StallAfter(1000);
  const uint32_t timeout = 300;
  ASSERT_TRUE(InternetSetOption(session_.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, 4));
  auto request = Open("GET", "/f");
  ASSERT_TRUE(HttpSendRequest(request.get(), nullptr, 0, nullptr, 0));
  char buffer[4096];
  uint32_t read = 0;
  ASSERT_TRUE(InternetReadFile(request.get(), buffer, sizeof buffer, &read));
  EXPECT_EQ(read, 1000u);
  EXPECT_FALSE(InternetReadFile(request.get(), buffer, sizeof buffer, &read));
  EXPECT_EQ(kernel::GetLastError(), ERROR_INTERNET_TIMEOUT);
}

TEST_F(InternetRequestTest, RefusedConnectionFailsTheSend) {
  auto other = std::make_unique<testhttp::TestHttpServer>();
  const uint16_t closedPort = other->Port();
  other.reset();
  connection_ =
      InternetConnect(session_.get(), "127.0.0.1", closedPort, "", "", INTERNET_SERVICE_HTTP, 0, 0);
  auto request = Open("GET", "/f");
  EXPECT_FALSE(HttpSendRequest(request.get(), nullptr, 0, nullptr, 0));
  EXPECT_EQ(kernel::GetLastError(), ERROR_INTERNET_CANNOT_CONNECT);
}

TEST_F(InternetRequestTest, NamedProxyGetsAbsoluteTargetsAndCredentials) {
  server_.SetFile("/f", "via proxy");
  server_.RequireProxyAuth("user:secret");
  const std::string proxy = "127.0.0.1:" + std::to_string(server_.Port());
  Connect(INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), "download.example.test");
  ASSERT_TRUE(InternetSetOption(session_.get(), INTERNET_OPTION_USERNAME, "user", 4));
  ASSERT_TRUE(InternetSetOption(session_.get(), INTERNET_OPTION_PASSWORD, "secret", 6));
  auto request = Open("GET", "/f");
  ASSERT_TRUE(HttpSendRequest(request.get(), nullptr, 0, nullptr, 0));
  EXPECT_EQ(Number(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, 4), 200u);
  const auto sent = server_.Requests().at(0);
  EXPECT_EQ(sent.target, "http://download.example.test:" + std::to_string(server_.Port()) + "/f");
  EXPECT_EQ(sent.Header("Proxy-Authorization"), "Basic dXNlcjpzZWNyZXQ=");
}

TEST_F(InternetRequestTest, PreconfiguredAccessUsesTheEnvironmentsProxy) {
  server_.SetFile("/f", "via environment");
  const std::string proxy = "http://127.0.0.1:" + std::to_string(server_.Port());
  setenv("http_proxy", proxy.c_str(), 1);
  Connect(INTERNET_OPEN_TYPE_PRECONFIG, nullptr, "download.example.test");
  auto request = Open("GET", "/f");
  const bool sent = HttpSendRequest(request.get(), nullptr, 0, nullptr, 0);
  uint32_t flags = 0;
  EXPECT_TRUE(InternetGetConnectedState(&flags, 0));
  unsetenv("http_proxy");
  ASSERT_TRUE(sent);
  EXPECT_NE(flags & INTERNET_CONNECTION_PROXY, 0u);
  EXPECT_EQ(server_.Requests().at(0).target.rfind("http://download.example.test:", 0), 0u);
  EXPECT_TRUE(InternetGetConnectedState(&flags, 0));
  EXPECT_EQ(flags & INTERNET_CONNECTION_PROXY, 0u);
}

TEST_F(InternetRequestTest, UnknownAccessTypeOpensNothing) {
  EXPECT_FALSE(InternetOpen("x", 2, nullptr, nullptr, 0));
  EXPECT_EQ(kernel::GetLastError(), static_cast<uint32_t>(EINVAL));
}

}  // namespace
