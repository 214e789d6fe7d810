#include "tests/winsys/WinsysFixture.h"

namespace winsys::testing {
namespace {

using Strings = std::vector<std::string>;

struct PosCase {
  const char* name;
  bool startVisible;
  int x, y, cx, cy;
  UINT flags;
  Strings expected;
  RECT after;
  bool visibleAfter;
};

class SetWindowPosTest : public WinsysTest, public ::testing::WithParamInterface<PosCase> {};

TEST_P(SetWindowPosTest, SendsMessagesInOrderAndApplies) {
  const PosCase& c = GetParam();
  HWND hwnd = Make(RECT{100, 100, 300, 250}, {.visible = c.startVisible});
  log.clear();

  ASSERT_TRUE(SetWindowPos(hwnd, nullptr, c.x, c.y, c.cx, c.cy, c.flags));

  EXPECT_EQ(Names(hwnd), c.expected);
  EXPECT_EQ(Rect(hwnd), c.after);
  EXPECT_EQ(IsWindowVisible(hwnd) != 0, c.visibleAfter);
  // The procedure sees the arguments as given, the system's own flags added afterwards only.
  const WINDOWPOS changing = Of(hwnd, WM_WINDOWPOSCHANGING).at(0).pos;
  EXPECT_EQ(changing.hwnd, hwnd);
  EXPECT_EQ(changing.hwndInsertAfter, nullptr);
  EXPECT_EQ((std::vector<int>{changing.x, changing.y, changing.cx, changing.cy}),
            (std::vector<int>{c.x, c.y, c.cx, c.cy}));
  EXPECT_EQ(changing.flags, c.flags);
  EXPECT_EQ(Of(hwnd, WM_WINDOWPOSCHANGED).at(0).pos.flags & 0xFF, c.flags);
}

INSTANTIATE_TEST_SUITE_P(
    Placements, SetWindowPosTest,
    ::testing::Values(
        PosCase{"Move", true, 120, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE,
                Strings{"POSCHANGING", "POSCHANGED", "MOVE"}, RECT{120, 130, 320, 280}, true},
        PosCase{"Size", true, 0, 0, 250, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE,
                Strings{"POSCHANGING", "POSCHANGED", "SIZE"}, RECT{100, 100, 350, 200}, true},
        PosCase{"MoveAndSize", true, 10, 20, 30, 40, SWP_NOZORDER | SWP_NOACTIVATE,
                Strings{"POSCHANGING", "POSCHANGED", "MOVE", "SIZE"}, RECT{10, 20, 40, 60}, true},
        PosCase{"Nudge55", true, 0, 0, 0, 0, 55, Strings{"POSCHANGING", "POSCHANGED"},
                RECT{100, 100, 300, 250}, true},
        PosCase{"Settle23", true, 0, 0, 0, 0, 23, Strings{"POSCHANGING", "POSCHANGED"},
                RECT{100, 100, 300, 250}, true},
        PosCase{"Show83", false, 0, 0, 0, 0, 83, Strings{"POSCHANGING", "POSCHANGED"},
                RECT{100, 100, 300, 250}, true},
        PosCase{"Show87", false, 0, 0, 0, 0, 87, Strings{"POSCHANGING", "POSCHANGED"},
                RECT{100, 100, 300, 250}, true},
        // The active window gives up activation before it is hidden.
        PosCase{"Hide147", true, 0, 0, 0, 0, 147,
                Strings{"ACTIVATE", "KILLFOCUS", "POSCHANGING", "POSCHANGED"},
                RECT{100, 100, 300, 250}, false},
        PosCase{"ShowActivates", false, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW,
                Strings{"POSCHANGING", "ACTIVATE", "SETFOCUS", "POSCHANGED"},
                RECT{100, 100, 300, 250}, true}),
    [](const ::testing::TestParamInfo<PosCase>& param) { return param.param.name; });

TEST_F(WinsysTest, WindowPosChangedInChangingIsWhatGetsApplied) {
  HWND hwnd = Make(RECT{0, 0, 100, 100}, {.handler = [](HWND, UINT m, WPARAM, LPARAM l) {
                     if (m == WM_WINDOWPOSCHANGING) {
                       auto* wp = reinterpret_cast<WINDOWPOS*>(l);
                       wp->x = 500;
                       wp->cy = 60;
                     }
                     return std::optional<LRESULT>();
                   }});
  log.clear();

  SetWindowPos(hwnd, nullptr, 10, 10, 80, 80, SWP_NOZORDER | SWP_NOACTIVATE);

  EXPECT_EQ(Rect(hwnd), (RECT{500, 10, 580, 70}));
  const WINDOWPOS changed = Of(hwnd, WM_WINDOWPOSCHANGED).at(0).pos;
  EXPECT_EQ(changed.x, 500);
  EXPECT_EQ(changed.cy, 60);
  EXPECT_EQ(Of(hwnd, WM_SIZE).at(0).lParam, MAKELPARAM(80, 60));
  EXPECT_EQ(Of(hwnd, WM_MOVE).at(0).lParam, MAKELPARAM(500, 10));
}

TEST_F(WinsysTest, MinimiseMaximiseAndRestoreTellTheirState) {
  HWND hwnd = Make(RECT{100, 100, 300, 250});
  ASSERT_EQ(GetActiveWindow(), hwnd);
  log.clear();

  ShowWindow(hwnd, SW_MINIMIZE);
  // The state is already minimised when the window hears of the change, and the window has
  // been deactivated before it.
  EXPECT_TRUE(Of(hwnd, WM_WINDOWPOSCHANGING).at(0).iconic);
  EXPECT_EQ(Names(hwnd),
            (Strings{"ACTIVATE", "KILLFOCUS", "POSCHANGING", "POSCHANGED", "MOVE", "SIZE"}));
  EXPECT_EQ(HIWORD(Of(hwnd, WM_ACTIVATE).at(0).wParam), 1);
  EXPECT_EQ(Of(hwnd, WM_SIZE).at(0).wParam, SIZE_MINIMIZED);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_TRUE(system.Scene().empty());

  log.clear();
  SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(hwnd));
  EXPECT_EQ(Of(hwnd, WM_SIZE).at(0).wParam, SIZE_RESTORED);
  EXPECT_EQ(Of(hwnd, WM_SIZE).at(0).lParam, MAKELPARAM(200, 150));
  EXPECT_EQ(GetActiveWindow(), hwnd);

  log.clear();
  SendMessage(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_EQ(Of(hwnd, WM_SIZE).at(0).wParam, SIZE_MAXIMIZED);
  EXPECT_EQ(Rect(hwnd), (RECT{0, 0, 1280, 800}));

  log.clear();
  SendMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);  // back to maximised
  EXPECT_TRUE(IsZoomed(hwnd));
  SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);  // back to normal
  EXPECT_EQ(Rect(hwnd), (RECT{100, 100, 300, 250}));
  EXPECT_EQ(Of(hwnd, WM_SIZE).back().wParam, SIZE_RESTORED);
}

}  // namespace
}  // namespace winsys::testing
