#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "tests/client/DownloadFixture.h"

// Transfers that break, again and again, must never lose or corrupt a byte.
namespace {

constexpr uint64_t kSize = 300000;

class DownloadFaultTest : public DownloadFixture {
 protected:
  DownloadFaultTest() {
    server_.SetGeneratedFile("/package.exe", kSize);
    client_->SetBufferSize(16 * 1024);
  }

  // Runs one download in a child process, which first applies `prepare`; returns the child's
  // process id. The child reports the last failure text in its exit status only as "failed".
  pid_t DownloadInChild(const std::function<void()>& prepare) {
    const pid_t child = fork();
    if (child == 0) {
      prepare();
      const int32_t result = Download();
      WriteFileBytes(dir_.File("child-message"), text::Utf16ToUtf8(client_->GetLastErrorText()));
      _exit(result == -1 ? 255 : result);
    }
    return child;
  }
};

TEST_F(DownloadFaultTest, TransferCutAtRandomOffsetsEndsByteIdentical) {
  std::mt19937 random(20151021);
  int calls = 0;
  int32_t result = -1;
  while (result != 0 && calls < 60) {
    server_.CloseAfter(std::uniform_int_distribution<uint64_t>(1, 40000)(random));
    result = Download();
    ++calls;
    if (result != 0) {
      ASSERT_EQ(reports_[reports_.size() - 2].Message, "下载数据不完整！");
      // Whatever arrived so far is exactly the start of the file.
      const std::string part = ReadFileBytes(PartName());
      ASSERT_EQ(part, Generated(part.size()));
    }
    if (calls == 20) server_.CloseAfter(testhttp::TestHttpServer::kUnlimited);
  }
  EXPECT_EQ(result, 0);
  EXPECT_GT(calls, 5);
  EXPECT_EQ(std::hash<std::string>()(ReadFileBytes(Target())),
            std::hash<std::string>()(Generated(kSize)));
}

TEST_F(DownloadFaultTest, DiskRefusingWritesFailsAndLeavesAResumablePartialFile) {
  const pid_t child = DownloadInChild([] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100000, 100000};
    setrlimit(RLIMIT_FSIZE, &limit);
  });
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 255);
  EXPECT_EQ(ReadFileBytes(dir_.File("child-message")), "写文件失败:File too large");
  const std::string part = ReadFileBytes(PartName());
  EXPECT_LE(part.size(), 100000u);
  EXPECT_EQ(part, Generated(part.size()));
  EXPECT_TRUE(std::filesystem::exists(SideName()));

  server_.ClearRequests();
  EXPECT_EQ(Download(), 0);
  EXPECT_EQ(Requests("GET").at(0).Header("Range"), "bytes=" + std::to_string(part.size()) + "-");
  EXPECT_EQ(ReadFileBytes(Target()), Generated(kSize));
}

TEST_F(DownloadFaultTest, ProcessKilledInTheMiddleLeavesWhatTheNextCallResumes) {
  server_.SetRate(1000000);
  const pid_t child = DownloadInChild([] {});
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  const auto partSize = [&] {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(PartName(), error);
    return error ? 0 : size;
  };
  while (partSize() < 50000 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  const uint64_t kept = std::filesystem::file_size(PartName());
  ASSERT_GE(kept, 50000u);
  ASSERT_LT(kept, kSize);
  ASSERT_TRUE(std::filesystem::exists(SideName()));

  server_.SetRate(0);
  server_.ClearRequests();
  EXPECT_EQ(Download(), 0);
  EXPECT_EQ(Requests("GET").at(0).Header("Range"), "bytes=" + std::to_string(kept) + "-");
  EXPECT_EQ(ReadFileBytes(Target()), Generated(kSize));
}

}  // namespace
