#include <benchmark/benchmark.h>

#include "framework/TBitmap.h"
#include "framework/TPNGObject.h"

namespace {

constexpr int kWidth = 620;
constexpr int kHeight = 416;

// A window-sized picture whose alpha runs through every value, as a skin with soft edges has.
void SkinPicture(TPNGObject& png) {
  png.CreateBlank(COLOR_RGBALPHA, 8, kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      uint8_t* p = png.Scanline(y) + 4 * x;
      p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = uint8_t(x + y), p[3] = uint8_t(x * 7 + y);
    }
}

void BM_DrawPngWithAlpha(benchmark::State& state) {
  TPNGObject png;
  SkinPicture(png);
  TBitmap target(kWidth, kHeight);
  for (auto _ : state) {
    target.Canvas().Draw(0, 0, png);
    benchmark::DoNotOptimize(target.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_DrawPngWithAlpha)->Unit(benchmark::kMicrosecond);

void BM_DecodePng(benchmark::State& state) {
  TPNGObject png;
  SkinPicture(png);
  const std::vector<uint8_t> bytes = png.SaveToBytes();
  TPNGObject decoded;
  for (auto _ : state) decoded.LoadFromBytes(bytes);
  state.SetBytesProcessed(state.iterations() * int64_t(bytes.size()));
}
BENCHMARK(BM_DecodePng)->Unit(benchmark::kMicrosecond);

// Thirty characters, Chinese and Latin, as the dialogs show them.
const char* const kText = "网络异常，请检查网络后重试！Download 120KB/s";

void BM_TextOut30(benchmark::State& state) {
  TBitmap target(kWidth, 40);
  TCanvas& canvas = target.Canvas();
  canvas.Font().SetHeight(15);
  canvas.Brush().SetStyle(bsClear);
  for (auto _ : state) {
    canvas.TextOut(4, 4, kText);
    benchmark::DoNotOptimize(target.ScanLine(10));
  }
}
BENCHMARK(BM_TextOut30)->Unit(benchmark::kMicrosecond);

void BM_TextExtent30(benchmark::State& state) {
  TBitmap target(1, 1);
  target.Canvas().Font().SetHeight(15);
  for (auto _ : state) benchmark::DoNotOptimize(target.Canvas().TextExtent(kText));
}
BENCHMARK(BM_TextExtent30)->Unit(benchmark::kMicrosecond);

// A label's wrapped caption measured and drawn, as AutoSize with WordWrap does on each paint.
void BM_DrawTextWrapped(benchmark::State& state) {
  TBitmap target(300, 80);
  TCanvas& canvas = target.Canvas();
  canvas.Font().SetHeight(15);
  for (auto _ : state) {
    const TRect r = canvas.DrawText(kText, Rect(0, 0, 200, 80), tfWordBreak | tfCalcRect);
    canvas.DrawText(kText, r, tfWordBreak);
    benchmark::DoNotOptimize(target.ScanLine(10));
  }
}
BENCHMARK(BM_DrawTextWrapped)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
