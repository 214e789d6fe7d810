#include "tests/winsys/WinsysFixture.h"

namespace winsys::testing {
namespace {

struct MoveCase {
  const char* name;
  WPARAM command;  // sent on a press; 0: the window answers HTCAPTION instead
  MouseButton button;
};

class MoveLoop : public WinsysTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveLoop, WindowFollowsThePointerUntilTheButtonIsReleased) {
  const MoveCase& c = GetParam();
  HWND form = Make(RECT{100, 100, 300, 250}, {.handler = [&c](HWND h, UINT m, WPARAM, LPARAM) {
                     if (c.command == 0 && m == WM_NCHITTEST)
                       return std::optional<LRESULT>(HTCAPTION);
                     if (c.command != 0 && (m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN)) {
                       ReleaseCapture();
                       SendMessage(h, WM_SYSCOMMAND, c.command, 0);
                       return std::optional<LRESULT>(0);
                     }
                     return std::optional<LRESULT>();
                   }});
  HWND shadow = Make(RECT{84, 84, 316, 266}, {.exStyle = WS_EX_LAYERED | WS_EX_NOACTIVATE});
  // A listener on the form's messages, as the drop shadow is: it keeps a window behind the form.
  WNDPROC formProc;
  std::vector<POINT> followed;
  formProc = SetWindowProc(form, [&](HWND h, UINT m, WPARAM w, LPARAM l) {
    LRESULT result = CallWindowProc(formProc, h, m, w, l);
    if (m == WM_WINDOWPOSCHANGED) {
      const auto* wp = reinterpret_cast<const WINDOWPOS*>(l);
      if ((wp->flags & SWP_NOMOVE) == 0) {
        followed.push_back(POINT{wp->x, wp->y});
        SetWindowPos(shadow, h, wp->x - 16, wp->y - 16, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
      }
    }
    return result;
  });
  log.clear();

  // The whole gesture is queued before any of it is handled.
  screen.Drag(POINT{110, 110}, POINT{160, 140}, 5, c.button);
  screen.Click(POINT{400, 400});
  Pump();

  EXPECT_EQ(Rect(form), (RECT{150, 130, 350, 280}));
  EXPECT_EQ(followed,
            (std::vector<POINT>{{110, 106}, {120, 112}, {130, 118}, {140, 124}, {150, 130}}));
  EXPECT_EQ(Rect(shadow), (RECT{134, 114, 366, 296}));
  EXPECT_EQ(system.Stack().TopDown(), (std::vector<HWND>{form, shadow}));
  // The release belongs to the move; input after it is handled as usual again.
  EXPECT_TRUE(Of(form, WM_LBUTTONUP).empty());
  EXPECT_TRUE(Of(form, WM_RBUTTONUP).empty());
  EXPECT_TRUE(Of(form, WM_NCMOUSEMOVE + 2).empty());
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor, (POINT{400, 400}));
}

INSTANTIATE_TEST_SUITE_P(Commands, MoveLoop,
                         ::testing::Values(MoveCase{"ScMoveCaption", 0xF012, MouseButton::Left},
                                           MoveCase{"ScMove7", 0xF017, MouseButton::Left},
                                           MoveCase{"RightButton", 0xF012, MouseButton::Right},
                                           MoveCase{"CaptionHitTest", 0, MouseButton::Left}),
                         [](const ::testing::TestParamInfo<MoveCase>& param) {
                           return param.param.name;
                         });

TEST_F(WinsysTest, MoveLoopKeepsTheQueueServedAndEscapeCancels) {
  HWND form = Make(RECT{100, 100, 300, 250}, {.handler = [this](HWND h, UINT m, WPARAM, LPARAM) {
                     if (m == WM_LBUTTONDOWN) SendMessage(h, WM_SYSCOMMAND, SC_MOVE | 2, 0);
                     if (m == WM_TIMER) {
                       // The user gives up the move while the button is still down.
                       KillTimer(h, 9);
                       screen.KeyDown(VK_ESCAPE);
                     }
                     return std::optional<LRESULT>();
                   }});
  Pump();
  SetTimer(form, 9, 20);
  clock.Advance(20);
  screen.PressButton(POINT{110, 110});
  screen.MovePointer(POINT{130, 120});
  log.clear();
  Pump();
  EXPECT_EQ(Rect(form), (RECT{100, 100, 300, 250}));
  EXPECT_EQ(Names(form, {WM_NCHITTEST, WM_PAINT, WM_ERASEBKGND}),
            (std::vector<std::string>{"LBUTTONDOWN", "SYSCOMMAND", "POSCHANGING", "POSCHANGED",
                                      "MOVE", "TIMER", "POSCHANGING", "POSCHANGED", "MOVE"}));
}

}  // namespace
}  // namespace winsys::testing
