// Shows the program's windows on the in-memory screen and writes a picture of each:
//   take_screenshots <folder>
// main_line.png, main_folder.png, main_progress.png, main_done.png, failure_dialog.png,
// message_dialog.png (with its details open). Nothing is downloaded.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "app/f_GlobalVar.h"
#include "app/f_Info.h"
#include "app/f_Main.h"
#include "app/f_Program.h"
#include "dialogs/f_MsgDlgBox.h"
#include "framework/TApplication.h"
#include "framework/TImage.h"
#include "framework/TModalSpeedButton.h"
#include "framework/TPageControl.h"
#include "framework/TTimer.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/winsys/ManualClock.h"

namespace {

display::HeadlessDisplay gScreen;
winsys::ManualClock gClock;
std::string gFolder;

// Lets the shadows take their pictures (20 ms, then 200 ms), then writes the screen.
void Shoot(TApplication& application, const std::string& name) {
  for (int i = 0; i < 30; ++i) {
    application.ProcessMessages();
    gClock.Advance(20);
  }
  application.ProcessMessages();
  const std::string path = gFolder + "/" + name;
  gScreen.WritePng(path);
  std::printf("%s\n", path.c_str());
}

void ShootAll(TApplication& application) {
  auto& main = dynamic_cast<Tfrm_Main&>(*application.MainForm());
  main.Show();
  Shoot(application, "main_line.png");

  main.PC->SetActivePage(main.TS2);
  Shoot(application, "main_folder.png");

  main.PC->SetActivePage(main.TS3);
  main.SetProgressTotal(300);
  main.SetProgressPosition(126);
  Shoot(application, "main_progress.png");
  main.SetProgressPosition(300);
  main.btnInstall->Show();
  Shoot(application, "main_done.png");

  std::unique_ptr<TTimer> timer = std::make_unique<TTimer>(nullptr);
  const auto shootModal = [&](const std::string& name) {
    timer->SetInterval(100);
    timer->SetOnTimer([&application, &timer, name](TObject*) {
      timer->SetEnabled(false);
      for (TCustomForm* form : application.Forms()) {
        if (auto* dialog = dynamic_cast<Tfrm_MsgDlg*>(form); dialog && dialog->Modal()) {
          dialog->sBtnDetail->Click();
        }
      }
      Shoot(application, name);
      for (TCustomForm* form : application.Forms()) {
        if (form->Modal()) form->SetModalResult(mrCancel);
      }
    });
    timer->SetEnabled(true);
  };
  shootModal("failure_dialog.png");
  ShowInfoDialog();
  shootModal("message_dialog.png");
  ShowMsgDlg(mkOkCancel, "安装包已存在，需要重新下载吗？",
             "文件：Veltrane（Calvarin）（完整安装包）.exe\n大小：312 MiB", false, "");
  application.Terminate();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  gFolder = argv[1];
  std::filesystem::create_directories(gFolder);
  gScreen.SetBackground(0xE8, 0xEC, 0xF0);
  InitializeGlobalVars();
  return RunVeltraneSetup({"take_screenshots"}, gScreen, gClock, ShootAll);
}
