#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/f_GlobalVar.h"
#include "app/f_Info.h"
#include "app/f_Main.h"
#include "app/f_Program.h"
#include "app/f_SystemServices.h"
#include "client/f_HttpClientHelpers.h"
#include "controls/f_PNGImageButton.h"
#include "dialogs/f_MsgDlgBox.h"
#include "framework/TApplication.h"
#include "framework/TModalSpeedButton.h"
#include "framework/TTimer.h"
#include "platform/display/headless/HeadlessDisplay.h"
#include "platform/kernel/Process.h"
#include "platform/text/Utf.h"
#include "platform/winsys/SystemClock.h"
#include "tests/support/FileContents.h"
#include "tests/support/TempDir.h"
#include "tests/support/http_server/TestHttpServer.h"

namespace wizard_testing {

inline constexpr char kPackageName[] = "Veltrane（Calvarin）（完整安装包）.exe";

// One step of a scripted user: it acts, or waits for something and answers false meanwhile.
struct Step {
  std::string what;
  std::function<bool()> act;
};

// The whole program on the in-memory screen, against the loopback server as the system proxy,
// driven only through pointer and key input by a script that a timer runs between messages.
// The process end and the shell are the program's own services: the end is recorded (the test
// cannot let the process end under it) and the shell runs a stand-in xdg-open that records what
// it was asked to open.
class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saveDir_ = kernel::ProgramFolder() + "Veltrane/";
    std::filesystem::remove_all(saveDir_);
    const std::u16string path = u"/uploads/" + text::Utf8ToUtf16(kPackageName);
    server_.SetGeneratedFile(text::Utf16ToUtf8(EscapeUrl(path)), kPackageSize);
    SetEnvironment("http_proxy", "http://127.0.0.1:" + std::to_string(server_.Port()));
    SetEnvironment("no_proxy", "");
    WriteOpener(0);
    SetEnvironment("PATH", bin_.Path() + ":" + Environment("PATH"));
    saved_ = GSystemServices;
    GSystemServices.TerminateProcess = [this](uint32_t code) {
      exitCode_ = code;
      Application->Terminate();
    };
  }

  void TearDown() override {
    GSystemServices = saved_;
    for (auto it = env_.rbegin(); it != env_.rend(); ++it) {
      if (it->second) {
        setenv(it->first.c_str(), it->second->c_str(), 1);
      } else {
        unsetenv(it->first.c_str());
      }
    }
  }

  // The stand-in opener records its argument and answers with `status`.
  void WriteOpener(int status) {
    const std::string script = "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + bin_.File("opened") +
                               "'\nexit " + std::to_string(status) + "\n";
    WriteFileBytes(bin_.File("xdg-open"), script);
    std::filesystem::permissions(bin_.File("xdg-open"), std::filesystem::perms::owner_all);
  }
  std::string Opened() const { return ReadFileBytes(bin_.File("opened")); }
  void ClearOpened() { std::filesystem::remove(bin_.File("opened")); }

  // Runs the program with the script; answers its orderly exit code. The script fails the test
  // and ends the program when a step waits too long.
  int Run(std::vector<Step> steps, std::vector<std::string> args = {"VeltraneSetup"}) {
    InitializeGlobalVars();
    size_t next = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    started_ = false;
    const int code = RunVeltraneSetup(args, screen_, clock_, [&](TApplication& application) {
      started_ = true;
      main_ = dynamic_cast<Tfrm_Main*>(application.MainForm());
      // Owned by the application: it goes before the window system does.
      TTimer* driver = TComponent::Create<TTimer>(&application);
      driver->SetInterval(20);
      driver->SetOnTimer([&](TObject*) {
        if (std::chrono::steady_clock::now() > deadline) {
          ADD_FAILURE() << "waited too long for: "
                        << (next < steps.size() ? steps[next].what : "the program to end");
          next = steps.size();
          Application->Terminate();
          return;
        }
        if (next < steps.size() && steps[next].act()) ++next;
      });
    });
    EXPECT_EQ(next, steps.size()) << "the program ended before its script";
    main_ = nullptr;
    return code;
  }

  // Steps of the script.
  Step Click(const std::string& what, std::function<TControl*()> control) {
    return {"click " + what, [this, control] {
              TControl* c = control();
              if (!c || !c->Showing()) return false;
              const TPoint p = c->ClientToScreen({c->Width() / 2, c->Height() / 2});
              screen_.Click({p.X, p.Y});
              return true;
            }};
  }
  Step WaitFor(const std::string& what, std::function<bool()> condition) {
    return {what, std::move(condition)};
  }
  Step Do(const std::string& what, std::function<void()> action) {
    return {what, [action] {
              action();
              return true;
            }};
  }
  // Answers the message dialog that shows `text` with its left (OK) or right (Cancel) button.
  Step Answer(const std::string& text, bool ok) {
    return {"answer " + text, [this, text, ok] {
              Tfrm_MsgDlg* dialog = Showing<Tfrm_MsgDlg>();
              if (!dialog || dialog->lblMsg->Caption() != text + "  ") return false;
              messages_.push_back(text);
              TControl* button = ok ? static_cast<TControl*>(dialog->sBtnLeft)
                                    : static_cast<TControl*>(dialog->sBtnRight);
              const TPoint p = button->ClientToScreen({button->Width() / 2, button->Height() / 2});
              screen_.Click({p.X, p.Y});
              return true;
            }};
  }
  Step Quit() {
    return Do("quit", [] { Application->Terminate(); });
  }

  template <class T>
  T* Showing() const {
    for (TCustomForm* form : Application->Forms()) {
      if (auto* f = dynamic_cast<T*>(form); f && f->Visible() && f->Modal()) return f;
    }
    return nullptr;
  }

  std::string SaveFile() const { return saveDir_ + kPackageName; }
  // Whether the file holds exactly the server's package.
  bool HoldsThePackage(const std::string& path) const {
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() != kPackageSize) return false;
    for (uint64_t i = 0; i < kPackageSize; ++i) {
      if (bytes[i] != testhttp::TestHttpServer::GeneratedByte(i)) return false;
    }
    return true;
  }
  std::vector<testhttp::RecordedRequest> Gets() const {
    std::vector<testhttp::RecordedRequest> gets;
    for (const auto& request : server_.Requests()) {
      if (request.method == "GET") gets.push_back(request);
    }
    return gets;
  }

  static constexpr uint64_t kPackageSize = 3 * 1024 * 1024 + 12345;

  testhttp::TestHttpServer server_;
  display::HeadlessDisplay screen_;
  winsys::SystemClock clock_;
  Tfrm_Main* main_ = nullptr;
  bool started_ = false;
  std::optional<uint32_t> exitCode_;
  std::vector<std::string> messages_;
  std::string saveDir_;

 private:
  static std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
  }
  void SetEnvironment(const std::string& name, const std::string& value) {
    const char* old = std::getenv(name.c_str());
    env_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(name.c_str(), value.c_str(), 1);
  }

  TempDir bin_;
  TSystemServices saved_;
  std::vector<std::pair<std::string, std::optional<std::string>>> env_;
};

}  // namespace wizard_testing
