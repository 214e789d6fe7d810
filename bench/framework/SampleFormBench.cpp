#include <benchmark/benchmark.h>

#include "framework/TApplication.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/winsys/ManualClock.h"
#include "platform/winsys/WindowSystem.h"
#include "tests/framework/SampleForm.h"

namespace {

// The sample form's world: a headless screen, a window system and the application object.
struct TSampleWorld {
  display::HeadlessDisplay screen;
  winsys::ManualClock clock;
  winsys::WindowSystem system{screen, clock};
  TApplication application;
};

// From its embedded description to its first paint on the screen.
void BM_LoadAndShowSampleForm(benchmark::State& state) {
  TSampleWorld world;
  for (auto _ : state) {
    auto* form = world.application.CreateForm<TSampleForm>();
    form->Show();
    world.application.ProcessMessages();
    world.application.DestroyComponent(form);
  }
}
BENCHMARK(BM_LoadAndShowSampleForm)->Unit(benchmark::kMillisecond);

// The whole 620 x 416 form painted again: skin, pictures with alpha, text and controls.
void BM_RepaintSampleForm(benchmark::State& state) {
  TSampleWorld world;
  auto* form = world.application.CreateForm<TSampleForm>();
  form->Show();
  world.application.ProcessMessages();
  for (auto _ : state) {
    form->Invalidate();
    form->Update();
  }
  state.SetItemsProcessed(state.iterations() * form->Width() * form->Height());
}
BENCHMARK(BM_RepaintSampleForm)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
