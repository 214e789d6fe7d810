#include <chrono>
#include <cstdio>
#include <optional>

#include "app/f_GlobalVar.h"
#include "app/f_Main.h"
#include "app/f_Program.h"
#include "framework/TApplication.h"
#include "framework/TImage.h"
#include "framework/TTimer.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/kernel/Exception.h"
#include "platform/winsys/SystemClock.h"

// The whole program downloading its package on the in-memory screen, as a user would have it:
// "download now" is clicked, and the program ends once the install button shows. Prints
//   transfer_seconds: S
// the time from the click to the install button. The exit code is 0 for a download that
// ended with the install button, 1 otherwise (another copy of the program running included).
namespace {

using Clock = std::chrono::steady_clock;

// A download that takes longer than this has failed, whatever the program shows meanwhile.
constexpr auto kGiveUpAfter = std::chrono::minutes(5);

}  // namespace

int main() {
  try {
    InitializeGlobalVars();
  } catch (const kernel::Exception& e) {
    std::fprintf(stderr, "wizard_download: %s\n", e.Message().c_str());
    return 1;
  }
  display::HeadlessDisplay screen;
  winsys::SystemClock clock;
  bool started = false;
  std::optional<Clock::time_point> clicked;
  std::optional<Clock::duration> transfer;
  RunVeltraneSetup({"VeltraneSetup"}, screen, clock, [&](TApplication& application) {
    started = true;
    auto* main = dynamic_cast<Tfrm_Main*>(application.MainForm());
    // Owned by the application, so that it goes before the window system does.
    TTimer* driver = TComponent::Create<TTimer>(&application);
    driver->SetInterval(5);
    driver->SetOnTimer([&, main](TObject*) {
      const Clock::time_point now = Clock::now();
      if (!clicked) {
        TControl* button = main->btnDownloadNow;
        if (!button->Showing()) return;
        const TPoint p = button->ClientToScreen({button->Width() / 2, button->Height() / 2});
        screen.Click({p.X, p.Y});
        clicked = now;
      } else if (main->btnInstall->Visible()) {
        transfer = now - *clicked;
        Application->Terminate();
      } else if (now - *clicked > kGiveUpAfter) {
        Application->Terminate();
      }
    });
  });
  if (!started) {
    std::fprintf(stderr, "wizard_download: another copy of the program is running\n");
    return 1;
  }
  if (!transfer) {
    std::fprintf(stderr, "wizard_download: the download did not end with the install button\n");
    return 1;
  }
  std::printf("transfer_seconds: %.3f\n", std::chrono::duration<double>(*transfer).count());
  return 0;
}
