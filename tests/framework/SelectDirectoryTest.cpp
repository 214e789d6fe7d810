#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/DesktopFolder.h"
#include "framework/DesktopFolderPicker.h"
#include "framework/SelectDirectory.h"
#include "framework/TCustomForm.h"
#include "framework/TModalSpeedButton.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

namespace fs = std::filesystem;
using namespace winsys;

// Sets environment variables for one test and puts the old values back.
class TEnvironment {
 public:
  ~TEnvironment() {
    for (const auto& [name, value] : FSaved) {
      if (value) {
        setenv(name.c_str(), value->c_str(), 1);
      } else {
        unsetenv(name.c_str());
      }
    }
  }
  void Set(const std::string& name, const std::optional<std::string>& value) {
    if (!FSaved.count(name)) {
      const char* old = std::getenv(name.c_str());
      FSaved[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) {
      setenv(name.c_str(), value->c_str(), 1);
    } else {
      unsetenv(name.c_str());
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> FSaved;
};

// A scratch folder with a tree of folders to pick from and a folder for stand-in programs.
class SelectDirectoryTest : public FrameworkTest {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/pickerXXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    scratch = fs::canonical(pattern);
    root = scratch / "root";
    fs::create_directories(root / "alpha");
    fs::create_directories(root / "beta" / "inner");
    fs::create_directories(root / ".hidden");
    std::ofstream(root / "file.txt") << "not a folder";
    fs::create_directories(scratch / "bin");
    environment.Set("DISPLAY", std::nullopt);
    environment.Set("WAYLAND_DISPLAY", std::nullopt);
  }
  void TearDown() override { fs::remove_all(scratch); }

  // A stand-in picker on PATH with the given shell body, and a display for it.
  void InstallPicker(const std::string& body) {
    const fs::path program = scratch / "bin" / "zenity";
    std::ofstream(program) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(program, fs::perms::owner_all);
    environment.Set("PATH", (scratch / "bin").string() + ":/usr/bin:/bin");
    environment.Set("DISPLAY", ":7");
  }

  TEnvironment environment;
  fs::path scratch;
  fs::path root;
};

TEST_F(SelectDirectoryTest, TheDesktopFolderIsTheNamedOneThenDesktopThenHome) {
  const fs::path home = scratch / "home";
  fs::create_directories(home / ".config");
  environment.Set("HOME", home.string());
  environment.Set("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(DesktopFolder(), home.string()) << "neither exists";

  fs::create_directories(home / "Desktop");
  EXPECT_EQ(DesktopFolder(), (home / "Desktop").string());

  std::ofstream(home / ".config" / "user-dirs.dirs")
      << "# written by the "
         "desktop\nXDG_DOWNLOAD_DIR=\"$HOME/下载\"\nXDG_DESKTOP_DIR=\"$HOME/桌面\"\n";
  EXPECT_EQ(DesktopFolder(), (home / "Desktop").string()) << "the named one does not exist";
  fs::create_directories(home / "桌面");
  EXPECT_EQ(DesktopFolder(), (home / "桌面").string());
}

TEST_F(SelectDirectoryTest, TheDesktopPickerNeedsBothTheProgramAndADisplay) {
  environment.Set("PATH", (scratch / "bin").string());
  environment.Set("DISPLAY", ":7");
  EXPECT_EQ(DesktopPickerProgram(), std::nullopt) << "not installed";
  InstallPicker("exit 1");
  EXPECT_EQ(DesktopPickerProgram(), (scratch / "bin" / "zenity").string());
  environment.Set("DISPLAY", std::nullopt);
  EXPECT_EQ(DesktopPickerProgram(), std::nullopt) << "nowhere to show it";
  environment.Set("WAYLAND_DISPLAY", "wayland-0");
  EXPECT_NE(DesktopPickerProgram(), std::nullopt);
}

TEST_F(SelectDirectoryTest, TheDesktopPickersExitAndOutputGiveTheOutcome) {
  struct Case {
    const char* body;
    TPickerOutcome outcome;
    const char* directory;
  };
  for (const Case c :
       {Case{"echo /srv/下载; echo second line", TPickerOutcome::Picked, "/srv/下载"},
        Case{"exit 1", TPickerOutcome::Cancelled, "unchanged"},
        Case{"exit 0", TPickerOutcome::Failed, "unchanged"},
        Case{"echo /srv; exit 5", TPickerOutcome::Failed, "unchanged"},
        Case{"kill -9 $$", TPickerOutcome::Failed, "unchanged"}}) {
    InstallPicker(c.body);
    std::string directory = "unchanged";
    EXPECT_EQ(RunDesktopPicker(*DesktopPickerProgram(), "请选择目录", root.string(), directory),
              c.outcome)
        << c.body;
    EXPECT_EQ(directory, c.directory) << c.body;
  }
}

TEST_F(SelectDirectoryTest, TheDesktopPickerGetsTheTitleAndStartsInTheRoot) {
  const fs::path log = scratch / "arguments";
  InstallPicker("for a in \"$@\"; do echo \"$a\" >> " + log.string() + "; done; echo /picked");
  std::string directory;
  EXPECT_TRUE(SelectDirectory("请选择目录", root.string(), directory));
  EXPECT_EQ(directory, "/picked");
  std::ifstream file(log);
  std::vector<std::string> arguments;
  for (std::string line; std::getline(file, line);) arguments.push_back(line);
  EXPECT_EQ(arguments,
            (std::vector<std::string>{"--file-selection", "--directory", "--title=请选择目录",
                                      "--filename=" + root.string() + "/"}));
}

TEST_F(SelectDirectoryTest, TheProgramsWindowsTakeNoInputWhileTheDesktopPickerRuns) {
  TForm* main = application.CreateForm<TForm>();
  main->SetBounds(100, 100, 200, 100);
  auto* button = TComponent::Create<TModalSpeedButton>(main);
  button->SetParent(main);
  button->SetBounds(10, 10, 80, 30);
  int clicks = 0;
  button->SetOnClick([&](TObject*) { ++clicks; });
  main->Show();
  Pump();

  InstallPicker("sleep 0.5; echo /picked");
  screen.Click({130, 125});
  std::string directory;
  EXPECT_TRUE(SelectDirectory("请选择目录", root.string(), directory));
  EXPECT_EQ(clicks, 0) << "the click came while the form was disabled";
  EXPECT_TRUE(main->Enabled());
  screen.Click({130, 125});
  Pump();
  EXPECT_EQ(clicks, 1);
}

TEST_F(SelectDirectoryTest, TheOwnPickerIsDrivenByKeys) {
  struct Case {
    std::vector<UINT> keys;
    std::optional<fs::path> picked;
  };
  const std::vector<Case> cases = {
      // The list holds "..", "alpha", "beta": no files, no hidden folders.
      {{VK_DOWN, VK_DOWN, VK_TAB, VK_RETURN}, root / "alpha"},
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_TAB, VK_RETURN}, root / "alpha"},
      // Enter opens the selected folder, which is then the choice.
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN, VK_TAB, VK_RETURN}, root / "beta"},
      {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN, VK_DOWN, VK_DOWN, VK_TAB, VK_RETURN},
       root / "beta" / "inner"},
      {{VK_DOWN, VK_RETURN, VK_TAB, VK_RETURN}, scratch},
      // Nothing is chosen when it opens, and ".." chooses nothing: "确定" is disabled, so Tab
      // goes to "取消".
      {{VK_TAB, VK_RETURN}, std::nullopt},
      {{VK_DOWN, VK_TAB, VK_RETURN}, std::nullopt},
      {{VK_DOWN, VK_DOWN, VK_ESCAPE}, std::nullopt},
  };
  for (const Case& c : cases) {
    for (const UINT key : c.keys) screen.PressKey(key);
    std::string directory = "unchanged";
    const bool picked = SelectDirectory("请选择目录", root.string(), directory);
    EXPECT_EQ(picked, c.picked.has_value());
    EXPECT_EQ(directory, c.picked ? c.picked->string() : "unchanged");
    Pump();
  }
}

}  // namespace
