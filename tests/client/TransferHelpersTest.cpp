#include <gtest/gtest.h>

#include <cmath>

#include "client/f_HttpClientHelpers.h"
#include "platform/text/Utf.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDir.h"

namespace {

TEST(EscapeUrlTest, EscapesOnlyRunsAbove128) {
  struct Case {
    std::u16string url;
    std::u16string escaped;
  };
  for (const Case& c : {
           Case{u"http://host/a b/%41?x=1#y", u"http://host/a b/%41?x=1#y"},
           Case{u"http://host/中文.exe", u"http://host/%E4%B8%AD%E6%96%87.exe"},
           Case{u"http://host/\u0080\u0081", u"http://host/\u0080%C2%81"},
           Case{u"/a中b文", u"/a%E4%B8%ADb%E6%96%87"},
           Case{u"/\U0001F600", u"/%F0%9F%98%80"},
           Case{u"/（完整安装包）.exe",
                u"/%EF%BC%88%E5%AE%8C%E6%95%B4%E5%AE%89%E8%A3%85%E5%8C%85%EF%BC%89.exe"},
           Case{u"", u""},
       }) {
    EXPECT_EQ(EscapeUrl(c.url), c.escaped) << text::Utf16ToUtf8(c.url);
  }
}

TEST(EncodeUtf8RunTest, KeepsTheSafeSetAndEncodesTheRest) {
  EXPECT_EQ(EncodeUtf8Run(u" "), u"+");
  EXPECT_EQ(EncodeUtf8Run(u"Az09!$'()*-.@_"), u"Az09!$'()*-.@_");
  EXPECT_EQ(EncodeUtf8Run(u"/?&=%#~\t"), u"%2F%3F%26%3D%25%23%7E%09");
  EXPECT_EQ(EncodeUtf8Run(u"\u00FF"), u"%C3%BF");
  // A lone surrogate cannot be UTF-8: it is sent as the replacement character.
  EXPECT_EQ(EncodeUtf8Run(std::u16string(1, char16_t(0xD83D))), u"%EF%BF%BD");
}

TEST(FormatSpeedTest, DividesWhileAbove1024) {
  struct Case {
    double value;
    std::string text;
  };
  for (const Case& c :
       {Case{-1, "--"}, Case{NAN, "--"}, Case{0, "0.00B/S"}, Case{1024, "1024.00B/S"},
        Case{1025, "1.00KB/S"}, Case{1536, "1.50KB/S"}, Case{1048576, "1024.00KB/S"},
        Case{1048577, "1.00MB/S"}, Case{std::pow(1024.0, 5) * 3, "3.00PB/S"},
        Case{std::pow(1024.0, 6) * 2, "2048.00PB/S"}}) {
    EXPECT_EQ(FormatSpeed(c.value), c.text) << c.value;
  }
}

TEST(FormatRemainTimeTest, ShowsClockTimeBelowADayAndDaysAbove) {
  struct Case {
    int64_t ms;
    std::string text;
  };
  for (const Case& c :
       {Case{-1, "--:--:--"}, Case{0, "00:00:00"}, Case{999, "00:00:00"}, Case{61000, "00:01:01"},
        Case{86399999, "23:59:59"}, Case{86400000, "1天 "},
        Case{999LL * 86400000 + 86399999, "999天 "}, Case{1000LL * 86400000, "大于999天..."}}) {
    EXPECT_EQ(FormatRemainTime(c.ms), c.text) << c.ms;
  }
}

TEST(FindFileSizeTest, MeasuresTheFirstMatchOrGivesZero) {
  TempDir dir;
  WriteFileBytes(dir.File("安装包.exe.tmp"), std::string(4321, 'x'));
  EXPECT_EQ(FindFileSize(text::Utf8ToUtf16(dir.File("安装包.exe.tmp"))), 4321);
  EXPECT_EQ(FindFileSize(text::Utf8ToUtf16(dir.File("*.tmp"))), 4321);
  EXPECT_EQ(FindFileSize(text::Utf8ToUtf16(dir.File("none.tmp"))), 0);
}

}  // namespace
