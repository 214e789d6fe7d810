#include <benchmark/benchmark.h>

#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/winsys/ManualClock.h"
#include "platform/winsys/PaintApi.h"
#include "platform/winsys/WindowApi.h"
#include "platform/winsys/WindowSystem.h"

namespace {

using namespace winsys;

HWND Make(RECT r, DWORD exStyle) {
  WindowParams params;
  params.style = WS_POPUP | WS_VISIBLE;
  params.exStyle = exStyle;
  params.x = r.left;
  params.y = r.top;
  params.width = r.Width();
  params.height = r.Height();
  params.proc = DefWindowProc;
  return CreateWindowEx(params);
}

// A layered window showing a picture of one premultiplied grey at the given alpha.
void MakeLayered(RECT r, BYTE alpha, BYTE constantAlpha) {
  HWND hwnd = Make(r, WS_EX_LAYERED | WS_EX_NOACTIVATE);
  PixelBuffer picture(r.Width(), r.Height());
  for (size_t i = 0; i < picture.bytes.size(); i += 4) {
    picture.bytes[i] = picture.bytes[i + 1] = picture.bytes[i + 2] = alpha / 2;
    picture.bytes[i + 3] = alpha;
  }
  BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
  SIZE size{r.Width(), r.Height()};
  POINT origin;
  UpdateLayeredWindow(hwnd, nullptr, nullptr, &size, &picture, &origin, 0, &blend, ULW_ALPHA);
}

// The program's busiest screen: the main window and its shadow, the message dialog and its
// shadow, on a 1280 x 800 desktop.
void BM_ComposeWizardDesktop(benchmark::State& state) {
  display::HeadlessDisplay screen(SIZE{1280, 800});
  ManualClock clock;
  WindowSystem system(screen, clock);
  MakeLayered(RECT{412, 176, 1064, 624}, 120, 255);
  Make(RECT{428, 192, 1048, 608}, 0);
  MakeLayered(RECT{474, 293, 919, 486}, 120, 255);
  Make(RECT{490, 309, 903, 470}, WS_EX_TOPMOST);
  for (auto _ : state) benchmark::DoNotOptimize(screen.Compose().bytes.data());
  state.SetItemsProcessed(state.iterations() * 1280 * 800);
}
BENCHMARK(BM_ComposeWizardDesktop)->Unit(benchmark::kMillisecond);

// The worst case: a layered window over the whole desktop with a constant alpha below 255.
void BM_ComposeFullScreenLayered(benchmark::State& state) {
  display::HeadlessDisplay screen(SIZE{1280, 800});
  ManualClock clock;
  WindowSystem system(screen, clock);
  Make(RECT{0, 0, 1280, 800}, 0);
  MakeLayered(RECT{0, 0, 1280, 800}, 200, static_cast<BYTE>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(screen.Compose().bytes.data());
  state.SetItemsProcessed(state.iterations() * 1280 * 800);
}
BENCHMARK(BM_ComposeFullScreenLayered)->Arg(255)->Arg(128)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
