#include "tests/winsys/WinsysFixture.h"

namespace winsys::testing {
namespace {

TEST_F(WinsysTest, ReplacedProcedureSeesEveryMessageUntilRestored) {
  HWND hwnd = Make(RECT{0, 0, 100, 100});
  std::vector<UINT> hooked;
  WNDPROC original;
  original = SetWindowProc(hwnd, [&](HWND h, UINT m, WPARAM w, LPARAM l) {
    hooked.push_back(m);
    return CallWindowProc(original, h, m, w, l);
  });
  ASSERT_TRUE(original);
  log.clear();

  SetWindowPos(hwnd, nullptr, 5, 5, 50, 50, SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessage(hwnd, WM_USER, 1, 2);
  Pump();

  // The hook saw what the window saw, in the same order, and passed all of it on.
  std::vector<UINT> seen;
  for (const Logged& l : log) seen.push_back(l.msg);
  EXPECT_EQ(hooked, seen);
  EXPECT_EQ(Names(hwnd),
            (std::vector<std::string>{"POSCHANGING", "POSCHANGED", "MOVE", "SIZE", "USER"}));

  SetWindowProc(hwnd, original);
  hooked.clear();
  log.clear();
  SendMessage(hwnd, WM_USER, 0, 0);
  EXPECT_TRUE(hooked.empty());
  EXPECT_EQ(Names(hwnd), (std::vector<std::string>{"USER"}));
}

TEST_F(WinsysTest, ProcedureMayRestoreTheOldOneWhileItRuns) {
  HWND hwnd = Make(RECT{0, 0, 100, 100});
  WNDPROC original;
  // The hook lets go of the window from inside its own call, then still uses what it captured.
  auto hook = [&, tag = std::string(64, 'x')](HWND h, UINT m, WPARAM w, LPARAM l) {
    WNDPROC saved = original;
    SetWindowProc(h, saved);
    return CallWindowProc(saved, h, m, w, l) + static_cast<LRESULT>(tag.size());
  };
  original = SetWindowProc(hwnd, hook);
  log.clear();

  EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 64);
  EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 0);  // the original procedure again
  EXPECT_EQ(Names(hwnd), (std::vector<std::string>{"USER", "USER"}));
}

TEST_F(WinsysTest, UserDataAndStylesTravelWithTheWindow) {
  HWND hwnd = Make(RECT{0, 0, 10, 10}, {.exStyle = WS_EX_TOOLWINDOW});
  EXPECT_EQ(SetWindowLongPtr(hwnd, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_USERDATA), 1234);
  EXPECT_EQ(GetWindowLongPtr(hwnd, GWL_EXSTYLE), static_cast<LONG_PTR>(WS_EX_TOOLWINDOW));
  // Visibility is not changed behind the window's back through its style.
  SetWindowLongPtr(hwnd, GWL_STYLE, WS_POPUP);
  EXPECT_TRUE(IsWindowVisible(hwnd));
}

}  // namespace
}  // namespace winsys::testing
