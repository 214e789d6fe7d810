#include "tests/winsys/WinsysFixture.h"

namespace winsys::testing {
namespace {

using Strings = std::vector<std::string>;

// Gives a layered window a picture of one alpha value.
void GivePicture(HWND hwnd, BYTE alpha) {
  RECT r;
  GetWindowRect(hwnd, &r);
  PixelBuffer picture(r.Width(), r.Height());
  for (size_t i = 3; i < picture.bytes.size(); i += 4) picture.bytes[i] = alpha;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  SIZE size{r.Width(), r.Height()};
  POINT origin;
  ASSERT_TRUE(
      UpdateLayeredWindow(hwnd, nullptr, nullptr, &size, &picture, &origin, 0, &blend, ULW_ALPHA));
}

enum class Top { Transparent, ClearPixels, Disabled, Opaque };
struct HitCase {
  const char* name;
  Top top;
  bool bottomGetsClick;
};

class HitTestThrough : public WinsysTest, public ::testing::WithParamInterface<HitCase> {};

TEST_P(HitTestThrough, ClickReachesTheWindowBelowOnlyWhenTheTopLetsItThrough) {
  const HitCase& c = GetParam();
  HWND bottom = Make(RECT{100, 100, 300, 300});
  Options top{.exStyle = WS_EX_LAYERED | WS_EX_NOACTIVATE};
  if (c.top == Top::Transparent) {
    top.handler = [](HWND, UINT m, WPARAM, LPARAM) {
      return m == WM_NCHITTEST ? std::optional<LRESULT>(HTTRANSPARENT) : std::nullopt;
    };
  }
  HWND shadow = Make(RECT{84, 84, 316, 316}, top);
  GivePicture(shadow, c.top == Top::ClearPixels ? 0 : 255);
  if (c.top == Top::Disabled) EnableWindow(shadow, false);
  log.clear();

  screen.Click(POINT{150, 160});
  Pump();

  std::vector<Logged> down = Of(bottom, WM_LBUTTONDOWN);
  EXPECT_EQ(down.size(), c.bottomGetsClick ? 1u : 0u);
  if (!down.empty()) {
    EXPECT_EQ(down[0].lParam, MAKELPARAM(50, 60));
    EXPECT_EQ(down[0].wParam, MK_LBUTTON);
  }
  EXPECT_EQ(Of(shadow, WM_LBUTTONDOWN).size(), c.top == Top::Opaque ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Tops, HitTestThrough,
                         ::testing::Values(HitCase{"Transparent", Top::Transparent, true},
                                           HitCase{"ClearPixels", Top::ClearPixels, true},
                                           HitCase{"Disabled", Top::Disabled, false},
                                           HitCase{"Opaque", Top::Opaque, false}),
                         [](const ::testing::TestParamInfo<HitCase>& param) {
                           return param.param.name;
                         });

struct ClickCase {
  const char* name;
  UINT classStyle;
  uint64_t pause;
  int dx;
  Strings expected;
};

class DoubleClick : public WinsysTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(DoubleClick, SecondPressIsADoubleClickOnlyWhenCloseAndQuick) {
  const ClickCase& c = GetParam();
  HWND hwnd = Make(RECT{0, 0, 100, 100}, {.classStyle = c.classStyle});
  log.clear();
  screen.Click(POINT{10, 10});
  clock.Advance(c.pause);
  screen.Click(POINT{10 + c.dx, 10});
  screen.Click(POINT{10 + c.dx, 10});  // a third press starts over
  Pump();
  EXPECT_EQ(Names(hwnd, {WM_NCHITTEST, WM_MOUSEMOVE, WM_PAINT, WM_ERASEBKGND}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Clicks, DoubleClick,
                         ::testing::Values(ClickCase{"Quick",
                                                     CS_DBLCLKS,
                                                     400,
                                                     2,
                                                     {"LBUTTONDOWN", "LBUTTONUP", "LBUTTONDBLCLK",
                                                      "LBUTTONUP", "LBUTTONDOWN", "LBUTTONUP"}},
                                           ClickCase{"NoClassStyle",
                                                     0,
                                                     100,
                                                     0,
                                                     {"LBUTTONDOWN", "LBUTTONUP", "LBUTTONDOWN",
                                                      "LBUTTONUP", "LBUTTONDOWN", "LBUTTONUP"}},
                                           ClickCase{"TooSlow",
                                                     CS_DBLCLKS,
                                                     501,
                                                     0,
                                                     {"LBUTTONDOWN", "LBUTTONUP", "LBUTTONDOWN",
                                                      "LBUTTONUP", "LBUTTONDBLCLK", "LBUTTONUP"}},
                                           ClickCase{"TooFar",
                                                     CS_DBLCLKS,
                                                     100,
                                                     3,
                                                     {"LBUTTONDOWN", "LBUTTONUP", "LBUTTONDOWN",
                                                      "LBUTTONUP", "LBUTTONDBLCLK", "LBUTTONUP"}}),
                         [](const ::testing::TestParamInfo<ClickCase>& param) {
                           return param.param.name;
                         });

TEST_F(WinsysTest, CaptureTakesThePointerOutsideTheWindow) {
  HWND left = Make(RECT{0, 0, 100, 100});
  HWND right = Make(RECT{200, 0, 300, 100});
  SetCapture(right);
  log.clear();
  screen.MovePointer(POINT{50, 20});
  Pump();
  ASSERT_EQ(Of(right, WM_MOUSEMOVE).size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(Of(right, WM_MOUSEMOVE)[0].lParam), -150);
  EXPECT_TRUE(Of(left, WM_MOUSEMOVE).empty());

  ReleaseCapture();
  screen.MovePointer(POINT{60, 20});
  Pump();
  EXPECT_EQ(Of(left, WM_MOUSEMOVE).size(), 1u);
  EXPECT_EQ(Of(right, WM_MOUSELEAVE).size(), 1u);
}

TEST_F(WinsysTest, PressActivatesAndRaisesUnlessTheWindowNeverActivates) {
  HWND back = Make(RECT{0, 0, 100, 100});
  HWND front = Make(RECT{50, 0, 150, 100});
  HWND tool = Make(RECT{300, 0, 400, 100}, {.exStyle = WS_EX_NOACTIVATE});
  ASSERT_EQ(GetActiveWindow(), front);

  screen.Click(POINT{20, 20});
  Pump();
  EXPECT_EQ(GetActiveWindow(), back);
  EXPECT_EQ(system.Stack().TopDown().front(), back);
  EXPECT_EQ(Of(back, WM_ACTIVATE).back().wParam, WA_ACTIVE);
  EXPECT_EQ(Of(front, WM_ACTIVATE).back().wParam, WA_INACTIVE);

  screen.Click(POINT{320, 20});
  Pump();
  EXPECT_EQ(GetActiveWindow(), back);
  EXPECT_EQ(Of(tool, WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(WinsysTest, KeysGoToTheFocusWindow) {
  HWND other = Make(RECT{0, 0, 10, 10});
  HWND hwnd = Make(RECT{0, 0, 10, 10});
  ASSERT_EQ(GetFocus(), hwnd);
  log.clear();
  screen.PressKey(VK_RETURN, u'\r');
  screen.Type(u"中");
  screen.KeyDown(VK_MENU);
  screen.PressKey('X', u'x');
  screen.KeyUp(VK_MENU);
  Pump();
  EXPECT_EQ(Names(hwnd), (Strings{"KEYDOWN", "CHAR", "KEYUP", "CHAR", "SYSKEYDOWN", "SYSKEYDOWN",
                                  "SYSCHAR", "SYSKEYUP", "SYSKEYUP"}));
  EXPECT_EQ(Of(hwnd, WM_CHAR).at(1).wParam, 0x4E2Du);
  EXPECT_TRUE(Names(other).empty());

  // Alt+F4 closes the window through the system command.
  screen.KeyDown(VK_MENU);
  screen.PressKey(VK_F4);
  Pump();
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WinsysTest, MouseMessagesCarryTheButtonsAndKeysHeld) {
  std::vector<int16_t> leftDuringPress;
  HWND hwnd = Make(RECT{0, 0, 100, 100}, {.handler = [&](HWND, UINT m, WPARAM, LPARAM) {
                     if (m == WM_LBUTTONDOWN) leftDuringPress.push_back(GetKeyState(VK_LBUTTON));
                     return std::optional<LRESULT>();
                   }});
  screen.KeyDown(VK_SHIFT);
  screen.Click(POINT{5, 5});
  screen.KeyUp(VK_SHIFT);
  log.clear();
  Pump();
  EXPECT_EQ(Of(hwnd, WM_LBUTTONDOWN).at(0).wParam, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(Of(hwnd, WM_LBUTTONUP).at(0).wParam, MK_SHIFT);
  ASSERT_EQ(leftDuringPress.size(), 1u);
  EXPECT_LT(leftDuringPress[0], 0);
  EXPECT_EQ(GetKeyState(VK_LBUTTON), 0);
}

}  // namespace
}  // namespace winsys::testing
