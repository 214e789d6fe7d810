#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

#include "platform/kernel/LastError.h"

namespace {

const char* TestMessages(uint32_t code) {
  switch (code) {
    case 42001:
      return "The operation timed out. \r\n";
    case 42002:
      return "...";
    default:
      return nullptr;
  }
}

TEST(SystemTextTest, TrailingBlanksAndFullStopsAreRemoved) {
  kernel::RegisterMessageSource(42000, 42999, TestMessages);
  struct Case {
    uint32_t code;
    std::string text;
  };
  for (const Case& c :
       {Case{42001, "The operation timed out"}, Case{42002, ""}, Case{42003, ""},
        Case{ENOENT, "No such file or directory"},
        Case{kernel::ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists"},
        Case{0, ""}, Case{4000, ""}}) {
    EXPECT_EQ(kernel::SystemErrorText(c.code), c.text) << c.code;
  }
  EXPECT_EQ(kernel::FormatSystemMessage(42001), "The operation timed out. \r\n");
}

TEST(SystemTextTest, TheLastErrorBelongsToTheThread) {
  kernel::SetLastError(ENOSPC);
  uint32_t seenByOther = 1;
  std::thread([&] { seenByOther = kernel::GetLastError(); }).join();
  EXPECT_EQ(seenByOther, 0u);
  EXPECT_EQ(kernel::LastErrorText(), "No space left on device");
}

}  // namespace
