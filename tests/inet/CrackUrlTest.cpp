#include <gtest/gtest.h>

#include <string>

#include "platform/inet/Inet.h"
#include "platform/inet/InetErrors.h"
#include "platform/kernel/LastError.h"

namespace {

struct Cracked {
  bool ok = false;
  int32_t scheme = 0;
  std::string schemeText, host, user, password, path, extra;
  uint16_t port = 0;
};

// Cracks with the component buffers that the client uses.
Cracked Crack(const std::string& url) {
  char scheme[32], host[256], user[128], password[128], path[2055], extra[2048];
  inet::URL_COMPONENTS c;
  c.lpszScheme = scheme;
  c.dwSchemeLength = sizeof scheme;
  c.lpszHostName = host;
  c.dwHostNameLength = sizeof host;
  c.lpszUserName = user;
  c.dwUserNameLength = sizeof user;
  c.lpszPassword = password;
  c.dwPasswordLength = sizeof password;
  c.lpszUrlPath = path;
  c.dwUrlPathLength = sizeof path;
  c.lpszExtraInfo = extra;
  c.dwExtraInfoLength = sizeof extra;
  Cracked out;
  out.ok = inet::InternetCrackUrl(url.c_str(), 0, 0, &c);
  if (!out.ok) return out;
  out = {true, c.nScheme, scheme, host, user, password, path, extra, c.nPort};
  return out;
}

TEST(CrackUrlTest, ComponentsAndDefaultPorts) {
  struct Case {
    std::string url;
    int32_t scheme;
    std::string host;
    uint16_t port;
    std::string user, password, path, extra;
  };
  for (const Case& c : {
           Case{"http://dl.example.cn/uploads/a%20b.exe", 3, "dl.example.cn", 80, "", "",
                "/uploads/a%20b.exe", ""},
           Case{"HTTPS://Host:8443/p?q=1#top", 4, "Host", 8443, "", "", "/p", "?q=1#top"},
           Case{"http://u:pw@h/", 3, "h", 80, "u", "pw", "/", ""},
           Case{"http://h", 3, "h", 80, "", "", "", ""},
           Case{"http://h?only=query", 3, "h", 80, "", "", "", "?only=query"},
           Case{"ftp://files.example/x", 1, "files.example", 21, "", "", "/x", ""},
           Case{"http://[::1]:81/v6", 3, "::1", 81, "", "", "/v6", ""},
       }) {
    SCOPED_TRACE(c.url);
    const Cracked got = Crack(c.url);
    ASSERT_TRUE(got.ok);
    EXPECT_EQ(got.scheme, c.scheme);
    EXPECT_EQ(got.host, c.host);
    EXPECT_EQ(got.port, c.port);
    EXPECT_EQ(got.user, c.user);
    EXPECT_EQ(got.password, c.password);
    EXPECT_EQ(got.path, c.path);
    EXPECT_EQ(got.extra, c.extra);
  }
}

TEST(CrackUrlTest, MalformedUrlsAndComponentsBeyondTheirBufferFail) {
  const std::string path2054 = "/" + std::string(2053, 'p');
  EXPECT_TRUE(Crack("http://h" + path2054).ok);
  for (const std::string& url :
       {std::string(""), std::string("no scheme here"), std::string("http://"),
        std::string("http://h:99999/"), std::string("http://h:port/"), "http://h" + path2054 + "p",
        "http://" + std::string(256, 'h') + "/", "http://h/?" + std::string(2047, 'q')}) {
    SCOPED_TRACE(url.substr(0, 40));
    EXPECT_FALSE(Crack(url).ok);
    EXPECT_NE(kernel::GetLastError(), 0u);
  }
}

TEST(InetErrorsTest, CodesHaveASystemText) {
  inet::EnsureInitialised();
  EXPECT_EQ(kernel::SystemErrorText(inet::ERROR_INTERNET_TIMEOUT), "The operation timed out");
  EXPECT_EQ(kernel::SystemErrorText(inet::ERROR_INTERNET_CANNOT_CONNECT),
            "A connection with the server could not be established");
}

}  // namespace
