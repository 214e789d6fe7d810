#include <gtest/gtest.h>

#include "platform/text/Utf.h"

namespace {

struct Utf8Case {
  const char* name;
  std::string utf8;
  std::u16string utf16;
};

class Utf8ToUtf16Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToUtf16Test, Decodes) {
  EXPECT_EQ(text::Utf8ToUtf16(GetParam().utf8), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToUtf16Test,
    testing::Values(Utf8Case{"Ascii", "abc /%", u"abc /%"},
                    Utf8Case{"Chinese", "中文（完整安装包）", u"中文（完整安装包）"},
                    Utf8Case{"U0080", "\xC2\x80", u"\u0080"},
                    Utf8Case{"SurrogatePair", "\xF0\x9F\x98\x80", u"\U0001F600"},
                    Utf8Case{"LoneContinuation", "a\x80z", u"a\uFFFDz"},
                    Utf8Case{"TruncatedAtEnd", "a\xE4\xB8", u"a\uFFFD"},
                    Utf8Case{"TruncatedBeforeAscii", "\xE4\xB8z", u"\uFFFDz"},
                    Utf8Case{"Overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
                    Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
                    Utf8Case{"AboveMaximum", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
                    Utf8Case{"InvalidLead", "\xFF", u"\uFFFD"}),
    [](const auto& test) { return test.param.name; });

TEST(Utf16ToUtf8Test, EncodesPairsAndReplacesLoneSurrogates) {
  EXPECT_EQ(text::Utf16ToUtf8(u"中\U0001F600a"),
            "中\xF0\x9F\x98\x80"
            "a");
  EXPECT_EQ(text::Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"a"),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(text::Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
  // A high surrogate followed by another high surrogate: both are lone.
  EXPECT_EQ(text::Utf16ToUtf8(std::u16string{char16_t(0xD800), char16_t(0xD801)}),
            "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf16ToUtf8Test, RoundTripsEveryPlane) {
  std::u16string all;
  for (char32_t cp : {U'\u0001', U'\u007F', U'\u0080', U'\u07FF', U'\u0800', U'\uFFFF',
                      U'\U00010000', U'\U0010FFFF'}) {
    if (cp < 0x10000) {
      all += static_cast<char16_t>(cp);
    } else {
      all += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      all += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
  }
  EXPECT_EQ(text::Utf8ToUtf16(text::Utf16ToUtf8(all)), all);
}

}  // namespace
