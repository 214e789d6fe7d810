// The shadow's picture work and one image-button paint, on a headless screen.
#include <benchmark/benchmark.h>

#include <memory>

#include "controls/f_PNGImageButton.h"
#include "controls/f_ShadowFrame.h"
#include "framework/TApplication.h"
#include "framework/TCustomForm.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/winsys/ManualClock.h"
#include "platform/winsys/WindowSystem.h"

namespace {

// A shown form of the given size with an active shadow whose first picture is built.
struct ShadowedForm {
  explicit ShadowedForm(int width, int height) {
    form = application.CreateForm<TForm>();
    form->SetBounds(0, 0, width, height);
    shadow = TComponent::Create<TFormShadow>(form);
    shadow->SetForm(form);
    form->Show();
    shadow->SetActive(true);
    application.ProcessMessages();
    clock.Advance(20);
    application.ProcessMessages();
  }

  display::HeadlessDisplay screen{{2560, 1600}};
  winsys::ManualClock clock;
  winsys::WindowSystem system{screen, clock};
  TApplication application;
  TForm* form = nullptr;
  TFormShadow* shadow = nullptr;
};

// Every iteration is a new size (one pixel wider, then back): the picture is recomposed from the
// template and pushed.
void BM_BuildRectShadow(benchmark::State& state) {
  const int width = int(state.range(0));
  const int height = int(state.range(1));
  ShadowedForm f(width, height);
  int step = 0;
  for (auto _ : state) {
    f.shadow->BuildRectShadow(width + (++step & 1), height);
  }
}
BENCHMARK(BM_BuildRectShadow)->Args({620, 416})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

void BM_BlurTemplate(benchmark::State& state) {
  ShadowedForm f(620, 416);
  TBitmap bitmap(135, 135, pf32bit);
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().FillRect(Rect(16, 16, 119, 119));
  for (auto _ : state) {
    f.shadow->BlurBitmap(bitmap, 2);
    benchmark::DoNotOptimize(bitmap.ScanLine(67));
  }
}
BENCHMARK(BM_BlurTemplate)->Unit(benchmark::kMicrosecond);

// The copy of the form into the middle: a copy is taken once per size, so the form changes size
// between iterations, outside the measurement.
void BM_CaptureForm(benchmark::State& state) {
  ShadowedForm f(620, 416);
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    f.form->SetBounds(0, 0, 620 + (++step & 1), 416);
    state.ResumeTiming();
    f.shadow->CaptureForm();
  }
}
BENCHMARK(BM_CaptureForm)->Unit(benchmark::kMicrosecond);

void BM_ImageButtonPaint(benchmark::State& state) {
  display::HeadlessDisplay screen;
  winsys::ManualClock clock;
  winsys::WindowSystem system{screen, clock};
  TApplication application;
  auto* button = TComponent::Create<TPNGImageButtonEx>(&application);
  TPNGObject face;
  face.CreateBlank(COLOR_RGBALPHA, 8, 200, 48);
  for (int y = 0; y < 48; ++y) std::fill_n(face.Scanline(y), 200 * 4, uint8_t{0x80});
  button->SetPngImg(&face);
  TBitmap target(200, 48);
  TCanvas canvas(&target.Buffer());
  for (auto _ : state) {
    button->PaintTo(canvas);
    benchmark::DoNotOptimize(target.ScanLine(24));
  }
}
BENCHMARK(BM_ImageButtonPaint)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
