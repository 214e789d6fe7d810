#include <gtest/gtest.h>

#include "platform/text/Utf.h"

namespace {

TEST(Utf8ToUtf16Test, DecodesAndReplacesEveryIllFormedSequence) {
  struct Case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
  };
  for (const Case& c : {
           Case{"ascii", "abc /%", u"abc /%"},
           Case{"chinese", "中文（完整安装包）", u"中文（完整安装包）"},
           Case{"U+0080", "\xC2\x80", u"\u0080"},
           Case{"surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
           Case{"lone continuation", "a\x80z", u"a\uFFFDz"},
           Case{"truncated at the end", "a\xE4\xB8", u"a\uFFFD"},
           Case{"truncated before ascii", "\xE4\xB8z", u"\uFFFDz"},
           Case{"overlong", "\xC0\xAF", u"\uFFFD\uFFFD"},
           Case{"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
           Case{"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
           Case{"invalid lead", "\xFF", u"\uFFFD"},
       }) {
    EXPECT_EQ(text::Utf8ToUtf16(c.utf8), c.utf16) << c.name;
  }
}

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
