#include "framework/TFlatRadioButton.h"
#include "framework/TImage.h"
#include "framework/TLabel.h"
#include "framework/TPageControl.h"
#include "platform/kernel/InstanceMarker.h"
#include "platform/winsys/MessageApi.h"
#include "tests/app/WizardFixture.h"

namespace wizard_testing {
namespace {

TEST_F(WizardTest, DownloadsFromEachLineAndInstallsThroughTheShell) {
  struct Line {
    const char* name;
    const char* host;
    bool unicom;
  };
  for (const Line& line : {Line{"telecom", "dl-ct.veltrane.example", false},
                           Line{"unicom", "dl-cu.veltrane.example", true}}) {
    SCOPED_TRACE(line.name);
    std::filesystem::remove_all(saveDir_);
    ClearOpened();
    server_.ClearRequests();
    exitCode_.reset();
    std::string label;
    int fill = -1, track = 0;
    const int code = Run({
        Click("the line",
              [this, &line]() -> TControl* {
                return line.unicom ? static_cast<TControl*>(main_->RdbLT)
                                   : static_cast<TControl*>(main_->rdbDX);
              }),
        Click("download now", [this] { return main_->btnDownloadNow; }),
        WaitFor("the install button", [this] { return main_->btnInstall->Visible(); }),
        Do("look at the progress",
           [&] {
             label = main_->labProcess->Caption();
             fill = main_->imgProcessInner->Width();
             track = main_->imgProcessOuter->Width();
           }),
        Click("install", [this] { return main_->btnInstall; }),
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(exitCode_, 4294967295u) << "the program ends at once after starting the installer";
    EXPECT_TRUE(HoldsThePackage(SaveFile()));
    EXPECT_FALSE(std::filesystem::exists(SaveFile() + ".tmp"));
    EXPECT_FALSE(std::filesystem::exists(SaveFile() + ".sdc"));
    EXPECT_EQ(label, "正在下载(100%)");
    EXPECT_EQ(fill, track);
    ASSERT_FALSE(Gets().empty());
    EXPECT_NE(Gets().back().target.find(line.host), std::string::npos) << Gets().back().target;
    EXPECT_NE(Opened().find(SaveFile()), std::string::npos) << Opened();
  }
}

TEST_F(WizardTest, AShellThatCannotOpenTheInstallerIsReported) {
  WriteOpener(3);
  const int code = Run({
      Click("download now", [this] { return main_->btnDownloadNow; }),
      WaitFor("the install button", [this] { return main_->btnInstall->Visible(); }),
      Click("install", [this] { return main_->btnInstall; }),
      Answer("无法自动打开下载的文件。", true),
      WaitFor("the window to stay", [this] { return main_->btnInstall->Showing(); }),
      Quit(),
  });
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(exitCode_.has_value());
}

TEST_F(WizardTest, AFailedTransferOffersThreeWaysOut) {
  struct Case {
    const char* name;
    const char* button;  // of the failure dialog
    bool unicom;
    int failures;  // 404 answers before the server gives the package
  };
  for (const Case& c :
       {Case{"give up", "btnClose", false, 100}, Case{"browser", "btnUseIE", true, 100},
        Case{"download again", "btnReLoad", false, 3}}) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(saveDir_);
    exitCode_.reset();
    server_.FailNext(404, c.failures);
    std::vector<Step> steps = {
        Click("the line",
              [this, &c]() -> TControl* {
                return c.unicom ? static_cast<TControl*>(main_->RdbLT)
                                : static_cast<TControl*>(main_->rdbDX);
              }),
        Click("download now", [this] { return main_->btnDownloadNow; }),
        Click(std::string("the dialog's ") + c.button,
              [this, &c]() -> TControl* {
                Tfrm_Info* dialog = Showing<Tfrm_Info>();
                if (!dialog) return nullptr;
                if (std::string(c.button) == "btnClose") return dialog->btnClose;
                if (std::string(c.button) == "btnUseIE") return dialog->btnUseIE;
                return dialog->btnReLoad;
              }),
    };
    if (std::string(c.button) == "btnClose") {
      steps.push_back(
          WaitFor("the first page", [this] { return main_->PC->ActivePage() == main_->TS1; }));
      steps.push_back(Do("check the reset", [this] {
        EXPECT_FALSE(main_->FDownloadFailed);
        EXPECT_FALSE(main_->FCancelRequest);
        EXPECT_EQ(main_->FProgressMax, 100);
      }));
      steps.push_back(Quit());
    } else if (std::string(c.button) == "btnReLoad") {
      steps.push_back(
          WaitFor("the install button", [this] { return main_->btnInstall->Visible(); }));
      steps.push_back(Quit());
    }
    const int code = Run(steps);
    EXPECT_EQ(code, 0);
    if (std::string(c.button) == "btnUseIE") {
      EXPECT_EQ(exitCode_, 4294967295u);
      EXPECT_NE(Opened().find("http://dl-ct.veltrane.example/uploads/"), std::string::npos)
          << "the Telecom address, whichever line was chosen: " << Opened();
    } else {
      EXPECT_FALSE(exitCode_.has_value());
    }
    if (std::string(c.button) == "btnReLoad") {
      EXPECT_TRUE(HoldsThePackage(SaveFile()));
    }
    // The failed state, and only the state, is in the log.
    std::string log;
    for (const auto& entry : std::filesystem::directory_iterator(saveDir_ + "Log/")) {
      log += ReadFileBytes(entry.path().string());
    }
    EXPECT_NE(log.find(" [Information] 下载失败dsFail。\r\n"), std::string::npos) << log;
  }
}

TEST_F(WizardTest, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
  std::filesystem::create_directories(saveDir_);
  const std::string question = SaveFile() + "已存在，需要重新下载吗？";
  WriteFileBytes(SaveFile(), "an older installer");
  Run({
      Click("download now", [this] { return main_->btnDownloadNow; }),
      Answer(question, false),
      WaitFor("the dialog to close", [this] { return !Showing<Tfrm_MsgDlg>(); }),
      Do("check the page", [this] { EXPECT_EQ(main_->PC->ActivePage(), main_->TS1); }),
      Quit(),
  });
  EXPECT_EQ(ReadFileBytes(SaveFile()), "an older installer");
  EXPECT_TRUE(Gets().empty()) << "no transfer after Cancel";

  Run({
      Click("download now", [this] { return main_->btnDownloadNow; }),
      Answer(question, true),
      WaitFor("the install button", [this] { return main_->btnInstall->Visible(); }),
      Quit(),
  });
  EXPECT_TRUE(HoldsThePackage(SaveFile()));
}

TEST_F(WizardTest, StoppingATransferAsksAndResumesOrEnds) {
  server_.SetRate(1024 * 1024);
  const std::string partial = SaveFile() + ".tmp";
  const std::string question = "当前下载还没有完成，如果关闭软件，需要重新下载，确定关闭软件吗？";
  const auto transferring = [this, partial] {
    return main_->PC->ActivePage() == main_->TS3 && std::filesystem::exists(partial) &&
           std::filesystem::file_size(partial) > 0;
  };
  // The close button, then Cancel: the download goes on to the end.
  Run({
      Click("download now", [this] { return main_->btnDownloadNow; }),
      WaitFor("the transfer", transferring),
      Do("show the close button", [this] { main_->btnClose->Show(); }),
      Click("close", [this] { return main_->btnClose; }),
      Answer(question, false),
      WaitFor("the install button", [this] { return main_->btnInstall->Visible(); }),
      Quit(),
  });
  EXPECT_FALSE(exitCode_.has_value());
  EXPECT_TRUE(HoldsThePackage(SaveFile()));

  // A close request from outside, then OK: the program ends, the partial file and its side file
  // stay, and the next start resumes from them.
  std::filesystem::remove_all(saveDir_);
  server_.ClearRequests();
  Run({
      Click("download now", [this] { return main_->btnDownloadNow; }),
      WaitFor("the transfer", transferring),
      Do("ask the window to close",
         [this] { winsys::PostMessage(main_->Handle(), winsys::WM_CLOSE, 0, 0); }),
      Answer(question, true),
  });
  EXPECT_EQ(exitCode_, 4294967295u);
  ASSERT_TRUE(std::filesystem::exists(partial));
  EXPECT_TRUE(std::filesystem::exists(SaveFile() + ".sdc"));
  const uintmax_t kept = std::filesystem::file_size(partial);
  EXPECT_GT(kept, 0u);

  server_.SetRate(0);
  server_.ClearRequests();
  exitCode_.reset();
  Run({
      Click("download now", [this] { return main_->btnDownloadNow; }),
      WaitFor("the install button", [this] { return main_->btnInstall->Visible(); }),
      Quit(),
  });
  EXPECT_TRUE(HoldsThePackage(SaveFile()));
  ASSERT_FALSE(Gets().empty());
  EXPECT_EQ(Gets().front().Header("Range"), "bytes=" + std::to_string(kept) + "-");
}

TEST_F(WizardTest, StartUpRefusesAnArgumentAndASecondCopy) {
  std::filesystem::remove_all(kernel::ProgramFolder() + "Veltrane/Log/");
  EXPECT_EQ(Run({}, {"VeltraneSetup", "x"}), 0);
  EXPECT_FALSE(started_);
  EXPECT_TRUE(std::filesystem::is_directory(kernel::ProgramFolder() + "Veltrane/Log/"))
      << "the logger comes before the argument is looked at";

  {
    const kernel::InstanceMarker running("Brindlecast_KV");
    ASSERT_FALSE(running.AlreadyExisted());
    EXPECT_EQ(Run({}), 0);
    EXPECT_FALSE(started_);
  }
  // An empty first argument starts normally, once the other copy is gone.
  Run({Quit()}, {"VeltraneSetup", ""});
  EXPECT_TRUE(started_);
}

TEST_F(WizardTest, TheFirstPageShowsTheTelecomLineAndTheDefaultFolder) {
  EXPECT_EQ(Run({
                WaitFor("the window", [this] { return main_->Showing(); }),
                Do("look",
                   [this] {
                     EXPECT_EQ(main_->PC->ActivePage(), main_->TS1);
                     EXPECT_TRUE(main_->rdbDX->Checked());
                     EXPECT_FALSE(main_->RdbLT->Checked());
                     EXPECT_EQ(main_->FSaveDir, saveDir_);
                     EXPECT_TRUE(std::filesystem::is_directory(saveDir_));
                     EXPECT_EQ(main_->Left(), 428);
                     EXPECT_EQ(main_->Top(), 161);
                   }),
                // Outside a transfer, a close request from outside ends the program in order.
                Do("ask the window to close",
                   [this] { winsys::PostMessage(main_->Handle(), winsys::WM_CLOSE, 0, 0); }),
            }),
            0);
  EXPECT_FALSE(exitCode_.has_value());
}

// Run by a CTest entry of its own in a network namespace with only the loopback interface up:
// with no proxy set either, the system reports no connection. Elsewhere it is skipped.
TEST_F(WizardTest, OfflineTheNetworkCheckComesBeforeTheExistingFileQuestion) {
  unsetenv("http_proxy");
  if (Tfrm_Main::IsNetworkOnline()) GTEST_SKIP() << "this machine is online";
  std::filesystem::create_directories(saveDir_);
  WriteFileBytes(SaveFile(), "an older installer");
  Run({
      Click("download now", [this] { return main_->btnDownloadNow; }),
      Answer("网络异常，请检查网络后重试！", true),
      WaitFor("the dialog to close", [this] { return !Showing<Tfrm_MsgDlg>(); }),
      Quit(),
  });
  EXPECT_EQ(messages_, std::vector<std::string>{"网络异常，请检查网络后重试！"});
  EXPECT_EQ(main_, nullptr);
  EXPECT_EQ(ReadFileBytes(SaveFile()), "an older installer");
  EXPECT_TRUE(server_.Requests().empty());
}

}  // namespace
}  // namespace wizard_testing
