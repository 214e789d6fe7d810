#include <benchmark/benchmark.h>

#include <filesystem>

#include "client/f_HttpClientHelpers.h"
#include "logging/f_Logger.h"

namespace {

void BM_EscapeUrl(benchmark::State& state) {
  const std::u16string url =
      u"http://download.example/uploads/Veltrane（Calvarin）（完整安装包）.exe";
  for (auto _ : state) benchmark::DoNotOptimize(EscapeUrl(url));
}
BENCHMARK(BM_EscapeUrl);

void BM_FormatSpeed(benchmark::State& state) {
  double speed = 1536.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatSpeed(speed));
    speed = speed * 1.5 + 1;
    if (speed > 1e18) speed = 1536.0;
  }
}
BENCHMARK(BM_FormatSpeed);

void BM_FormatRemainTime(benchmark::State& state) {
  int64_t ms = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatRemainTime(ms));
    ms = (ms + 7654321) % (2000LL * 86400000);
  }
}
BENCHMARK(BM_FormatRemainTime);

// One line costs a close, an open and one write of the log file.
void BM_WriteLog(benchmark::State& state) {
  const std::string folder =
      (std::filesystem::temp_directory_path() / "veltrane-bench-log/").string();
  std::filesystem::remove_all(folder);
  {
    TLogger logger(nullptr, folder);
    for (auto _ : state) logger.WriteLog("下载失败dsFail。", llInformation);
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WriteLog)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
