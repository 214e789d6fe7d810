#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/kernel/Files.h"
#include "platform/kernel/LastError.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDir.h"

namespace {

using kernel::Access, kernel::Disposition, kernel::File, kernel::Share;

TEST(FilesTest, ForceDirectoriesMakesEveryMissingParent) {
  TempDir dir;
  const std::string deep = dir.File("a/b/c/");
  EXPECT_TRUE(kernel::ForceDirectories(deep));
  EXPECT_TRUE(kernel::DirectoryExists(deep));
  EXPECT_TRUE(kernel::ForceDirectories(deep)) << "an existing folder is success";

  WriteFileBytes(dir.File("plain"), "x");
  EXPECT_FALSE(kernel::ForceDirectories(dir.File("plain/sub/")));
  EXPECT_NE(kernel::GetLastError(), 0u);
  EXPECT_FALSE(kernel::FileExists(deep)) << "a folder is not a file";
}

TEST(FilesTest, AnUnsharedHandleExcludesEveryOtherOpenAndTheDeletion) {
  TempDir dir;
  const std::string path = dir.File("log.txt");
  WriteFileBytes(path, "keep me");
  {
    std::optional<File> exclusive =
        File::Open(path, Access::Write, Share::None, Disposition::OpenExisting);
    ASSERT_TRUE(exclusive);
    // A refused create must not have truncated the file first.
    EXPECT_FALSE(File::Open(path, Access::Write, Share::ReadWrite, Disposition::CreateAlways));
    EXPECT_EQ(kernel::GetLastError(), kernel::ERROR_SHARING_VIOLATION);
    EXPECT_FALSE(kernel::DeleteFile(path));
    EXPECT_EQ(kernel::GetLastError(), kernel::ERROR_SHARING_VIOLATION);
    EXPECT_EQ(ReadFileBytes(path), "keep me");
  }
  std::optional<File> shared1 =
      File::Open(path, Access::Write, Share::ReadWrite, Disposition::OpenExisting);
  std::optional<File> shared2 =
      File::Open(path, Access::Read, Share::ReadWrite, Disposition::OpenExisting);
  EXPECT_TRUE(shared1 && shared2) << "shared handles coexist";
  shared1.reset();
  shared2.reset();
  EXPECT_TRUE(kernel::DeleteFile(path));
  EXPECT_FALSE(kernel::FileExists(path));
  EXPECT_FALSE(kernel::DeleteFileW(u"/nonexistent/文件"));
}

TEST(FilesTest, OpenModesCreateTruncateAndAppend) {
  TempDir dir;
  const std::string path = dir.File("part.tmp");
  EXPECT_FALSE(File::Open(path, Access::Write, Share::Read, Disposition::OpenExisting));
  {
    std::optional<File> f = File::Open(path, Access::Write, Share::Read, Disposition::OpenAlways);
    ASSERT_TRUE(f);
    ASSERT_TRUE(f->Write("abc", 3));
  }
  {
    std::optional<File> f = File::Open(path, Access::Write, Share::Read, Disposition::OpenAlways);
    ASSERT_TRUE(f && f->SeekToEnd());
    ASSERT_TRUE(f->Write("def", 3));
    EXPECT_EQ(f->Size(), 6u);
  }
  EXPECT_EQ(ReadFileBytes(path), "abcdef");
  { EXPECT_TRUE(File::Open(path, Access::Write, Share::Read, Disposition::CreateAlways)); }
  EXPECT_EQ(ReadFileBytes(path), "");
}

TEST(FilesTest, MoveFileRefusesToReplace) {
  TempDir dir;
  WriteFileBytes(dir.File("a"), "A");
  WriteFileBytes(dir.File("b"), "B");
  EXPECT_FALSE(kernel::MoveFile(dir.File("a"), dir.File("b")));
  EXPECT_EQ(ReadFileBytes(dir.File("b")), "B");
  EXPECT_TRUE(kernel::MoveFile(dir.File("a"), dir.File("c")));
  EXPECT_EQ(ReadFileBytes(dir.File("c")), "A");
  EXPECT_FALSE(kernel::FileExists(dir.File("a")));
}

TEST(FilesTest, FindFirstFileMatchesWildcardsInTheLastComponent) {
  TempDir dir;
  WriteFileBytes(dir.File("setup.exe.tmp"), std::string(1234, 'x'));
  WriteFileBytes(dir.File(".hidden.tmp"), "x");
  struct Case {
    std::string pattern;
    std::optional<uint64_t> size;
  };
  for (const Case& c : {Case{dir.File("setup.exe.tmp"), 1234}, Case{dir.File("*.tmp"), 1234},
                        Case{dir.File("setup.???.tmp"), 1234}, Case{dir.File("*.sdc"), {}},
                        Case{dir.File("missing"), {}}}) {
    const std::optional<kernel::FindData> found = kernel::FindFirstFile(c.pattern);
    ASSERT_EQ(found.has_value(), c.size.has_value()) << c.pattern;
    if (found) {
      EXPECT_EQ(found->size, *c.size) << c.pattern;
    }
  }
}

TEST(FilesTest, SetLastWriteTimeTakesUtcAndRefusesInvalidDates) {
  TempDir dir;
  const std::string path = dir.File("f");
  std::optional<File> f = File::Open(path, Access::Write, Share::Read, Disposition::CreateAlways);
  ASSERT_TRUE(f);
  kernel::SystemTime t{2024, 12, 1, 9, 14, 3, 7, 0};
  ASSERT_TRUE(f->SetLastWriteTime(t));
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, 1733752987);  // 2024-12-09 14:03:07 UTC
  t.month = 13;
  EXPECT_FALSE(f->SetLastWriteTime(t));
  EXPECT_FALSE(f->SetLastWriteTime(kernel::SystemTime{}));
}

}  // namespace
