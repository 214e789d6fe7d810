#include <gtest/gtest.h>

#include "platform/kernel/Profile.h"
#include "platform/text/Utf.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDir.h"

namespace {

using kernel::GetPrivateProfileString, kernel::WritePrivateProfileString;

class ProfileTest : public testing::Test {
 protected:
  std::u16string Read(const std::u16string& section, const std::u16string& key,
                      uint32_t size = 256) {
    return GetPrivateProfileString(section, key, u"<default>", size, file_);
  }
  std::string Bytes() { return ReadFileBytes(text::Utf16ToUtf8(file_)); }

  TempDir dir_;
  std::u16string file_ = text::Utf8ToUtf16(dir_.File("安装包.exe.sdc"));
};

TEST_F(ProfileTest, WritingCreatesTheFileAndReadsBackWithoutRegardToCase) {
  EXPECT_EQ(Read(u"server", u"ContentLen"), u"<default>") << "no file yet";
  ASSERT_TRUE(WritePrivateProfileString(u"server", u"ContentLen", u"5000", file_));
  ASSERT_TRUE(WritePrivateProfileString(u"server", u"LastModified", u"2024-12-09 14:03:07", file_));
  EXPECT_EQ(Bytes(), "[server]\r\nContentLen=5000\r\nLastModified=2024-12-09 14:03:07\r\n");
  EXPECT_EQ(Read(u"SERVER", u"contentlen"), u"5000");
  EXPECT_EQ(Read(u"Server", u"LASTMODIFIED"), u"2024-12-09 14:03:07");
  EXPECT_EQ(Read(u"server", u"Missing"), u"<default>");
  EXPECT_EQ(Read(u"other", u"ContentLen"), u"<default>");

  ASSERT_TRUE(WritePrivateProfileString(u"SERVER", u"contentlen", u"6000", file_));
  EXPECT_EQ(Read(u"server", u"ContentLen"), u"6000");
  EXPECT_EQ(Bytes(), "[server]\r\ncontentlen=6000\r\nLastModified=2024-12-09 14:03:07\r\n")
      << "the key is replaced in place, not added twice";
}

TEST_F(ProfileTest, WritingKeepsEveryOtherSectionKeyAndComment) {
  WriteFileBytes(text::Utf16ToUtf8(file_),
                 "; made by hand\n[first]\nA = 1\n\n[server]\n; the length\nContentLen=1\n"
                 "[last]\nZ=\"quoted value\"\n");
  ASSERT_TRUE(WritePrivateProfileString(u"server", u"ContentLen", u"2", file_));
  ASSERT_TRUE(WritePrivateProfileString(u"server", u"LastModified", u"x", file_));
  ASSERT_TRUE(WritePrivateProfileString(u"new", u"K", u"中文", file_));
  EXPECT_EQ(Bytes(),
            "; made by hand\r\n[first]\r\nA = 1\r\n\r\n[server]\r\n; the length\r\nContentLen=2\r\n"
            "LastModified=x\r\n[last]\r\nZ=\"quoted value\"\r\n\r\n[new]\r\nK=中文\r\n");
  EXPECT_EQ(Read(u"first", u"a"), u"1") << "blanks around key and value are dropped";
  EXPECT_EQ(Read(u"last", u"Z"), u"quoted value");
  EXPECT_EQ(Read(u"new", u"k"), u"中文");
}

TEST_F(ProfileTest, TheResultIsCutToTheCallersBuffer) {
  ASSERT_TRUE(WritePrivateProfileString(u"s", u"k", u"123456789", file_));
  struct Case {
    uint32_t size;
    std::u16string expected;
  };
  for (const Case& c : {Case{256, u"123456789"}, Case{10, u"123456789"}, Case{9, u"12345678"},
                        Case{2, u"1"}, Case{1, u""}, Case{0, u""}}) {
    EXPECT_EQ(Read(u"s", u"k", c.size), c.expected) << c.size;
  }
  EXPECT_EQ(GetPrivateProfileString(u"s", u"absent", u"0123", 3, file_), u"01");
}

TEST_F(ProfileTest, AMalformedFileYieldsDefaultsAndCanStillBeWritten) {
  static constexpr char kGarbage[] =
      "[server\n=\n==\nContentLen\n[]\n\xFF\xFE\x00\x01[server]ContentLen=9";
  std::string garbage(kGarbage, sizeof kGarbage - 1);
  garbage += std::string(100000, '[');
  garbage += "\r\r\n\n[server]\nContentLen=\n";
  WriteFileBytes(text::Utf16ToUtf8(file_), garbage);
  // "[server" without its bracket still names the section, and the first section of a name is
  // the one that counts; a line without "=" is no key.
  EXPECT_EQ(Read(u"server", u"ContentLen"), u"<default>");
  EXPECT_EQ(Read(u"server", u"LastModified"), u"<default>");
  ASSERT_TRUE(WritePrivateProfileString(u"server", u"LastModified", u"y", file_));
  EXPECT_EQ(Read(u"server", u"LastModified"), u"y");
}

TEST_F(ProfileTest, WritingIntoAMissingFolderFailsAndLeavesNothing) {
  const std::u16string nowhere = text::Utf8ToUtf16(dir_.File("missing/side.sdc"));
  EXPECT_FALSE(WritePrivateProfileString(u"server", u"ContentLen", u"1", nowhere));
  EXPECT_EQ(GetPrivateProfileString(u"server", u"ContentLen", u"0", 256, nowhere), u"0");
}

}  // namespace
