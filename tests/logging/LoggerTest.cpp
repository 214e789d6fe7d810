#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

#include "logging/f_Logger.h"
#include "platform/kernel/Exception.h"
#include "platform/kernel/Process.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDir.h"

namespace {

// A clock that tests set by hand.
struct ManualClock {
  kernel::SystemTime now{2024, 12, 1, 9, 14, 3, 7, 125};
  TLogger::TClock Get() {
    return [this] { return now; };
  }
};

std::string LogName(const char* date) {
  return kernel::ProgramBaseName() + "_" + date + ".log";
}

class LoggerTest : public testing::Test {
 protected:
  TempDir dir_;
  ManualClock clock_;
};

TEST_F(LoggerTest, WritesTheTimeThePrefixAndTheTextPerLevel) {
  TLogger logger(nullptr, dir_.Path(), clock_.Get());
  struct Case {
    int32_t level;
    const char* prefix;
  };
  std::string expected;
  for (const Case& c : {Case{llInformation, "[Information] "}, Case{llNotice, "[Notice] "},
                        Case{llWarning, "[Warning] "}, Case{llError, "[Error] "}, Case{7, ""}}) {
    logger.WriteLog("下载失败dsFail。", c.level);
    expected += std::string("14:03:07.125 ") + c.prefix + "下载失败dsFail。\r\n";
  }
  EXPECT_EQ(logger.FileName(), LogName("20241209"));
  EXPECT_EQ(ReadFileBytes(dir_.File(LogName("20241209"))), expected);
}

TEST_F(LoggerTest, NegativeLevelsNeverReachTheFile) {
  TLogger logger(nullptr, dir_.Path(), clock_.Get());
  logger.WriteLog("only for the container", -1);
  EXPECT_TRUE(logger.FileName().empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir_.Path()));
}

TEST_F(LoggerTest, AppendsToAnExistingFileAndKeepsTheFirstDaysName) {
  WriteFileBytes(dir_.File(LogName("20241209")), "earlier run\r\n");
  TLogger logger(nullptr, dir_.Path(), clock_.Get());
  logger.WriteLog("before midnight", llInformation);
  clock_.now = {2024, 12, 2, 10, 0, 0, 1, 5};
  logger.WriteLog("after midnight", llNotice);
  EXPECT_EQ(ReadFileBytes(dir_.File(LogName("20241209"))),
            "earlier run\r\n14:03:07.125 [Information] before midnight\r\n"
            "00:00:01.005 [Notice] after midnight\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir_.File(LogName("20241210"))));

  TLogger nextDay(nullptr, dir_.Path(), clock_.Get());
  nextDay.WriteLog("new logger", llInformation);
  EXPECT_EQ(nextDay.FileName(), LogName("20241210"));
}

TEST_F(LoggerTest, FolderRules) {
  // A blank folder text means the default folder beside the program file.
  const std::string defaultFolder = kernel::ProgramFolder() + "Veltrane/Log/";
  TLogger blank(nullptr, " \t", clock_.Get());
  EXPECT_EQ(blank.LogPath(), defaultFolder);
  EXPECT_TRUE(std::filesystem::is_directory(defaultFolder));

  // Missing parents are made; a folder text is used as given.
  TLogger nested(nullptr, dir_.File("a/b/Log/"), clock_.Get());
  nested.WriteLog("x", llInformation);
  EXPECT_TRUE(std::filesystem::exists(dir_.File("a/b/Log/" + LogName("20241209"))));

  WriteFileBytes(dir_.File("file"), "");
  try {
    TLogger impossible(nullptr, dir_.File("file/Log/"), clock_.Get());
    FAIL() << "a folder below a file cannot be made";
  } catch (const kernel::Exception& e) {
    EXPECT_EQ(e.Message(), "日志路径错误，日志类对象不能被创建");
  }
}

TEST_F(LoggerTest, AnUnopenableFileRaisesAndTheNextCallTriesAgain) {
  TLogger logger(nullptr, dir_.Path(), clock_.Get());
  const std::string path = dir_.File(LogName("20241209"));
  std::filesystem::create_directory(path);  // a folder where the file should be
  EXPECT_THROW(logger.WriteLog("lost", llInformation), kernel::Exception);
  EXPECT_EQ(logger.FileName(), LogName("20241209"));
  std::filesystem::remove(path);
  logger.WriteLog("kept", llInformation);
  EXPECT_EQ(ReadFileBytes(path), "14:03:07.125 [Information] kept\r\n");
}

TEST_F(LoggerTest, LinesOfManyThreadsNeverInterleave) {
  TLogger logger(nullptr, dir_.Path(), clock_.Get());
  constexpr int kThreads = 4, kLines = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      const std::string text = "thread " + std::to_string(t) + " " + std::string(300, 'a' + t);
      for (int i = 0; i < kLines; ++i) logger.WriteLog(text, llInformation);
    });
  }
  for (std::thread& thread : threads) thread.join();

  std::istringstream lines(ReadFileBytes(dir_.File(LogName("20241209"))));
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    ASSERT_EQ(line.size(), 13u + 14 + 9 + 300 + 1) << line.substr(0, 60);
    const char fill = line[13 + 14 + 7];  // the thread number
    EXPECT_EQ(line.substr(line.size() - 301, 300), std::string(300, fill + ('a' - '0')));
  }
  EXPECT_EQ(count, kThreads * kLines);
}

}  // namespace
