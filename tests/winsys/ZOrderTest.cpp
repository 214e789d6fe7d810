#include "tests/winsys/WinsysFixture.h"

namespace winsys::testing {
namespace {

using Order = std::vector<HWND>;

TEST_F(WinsysTest, ZOrderKeepsTopmostAndOwnedWindowsAbove) {
  HWND a = Make(RECT{0, 0, 10, 10});
  HWND b = Make(RECT{0, 0, 10, 10});
  HWND dialog = Make(RECT{0, 0, 10, 10}, {.exStyle = WS_EX_TOPMOST});
  HWND owned = Make(RECT{0, 0, 10, 10}, {.owner = a});
  EXPECT_EQ(system.Stack().TopDown(), (Order{dialog, owned, b, a}));

  // Raising the owner brings what it owns along, above it; the topmost window stays on top.
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(system.Stack().TopDown(), (Order{dialog, owned, a, b}));

  // An owned window cannot go below its owner.
  SetWindowPos(owned, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(system.Stack().TopDown(), (Order{dialog, owned, a, b}));

  // A normal window cannot climb above a topmost one by HWND_TOP...
  SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(system.Stack().TopDown(), (Order{dialog, b, owned, a}));
  // ...but HWND_TOPMOST makes it one.
  SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(system.Stack().TopDown(), (Order{b, dialog, owned, a}));
  EXPECT_TRUE(GetWindowLongPtr(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(b, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(system.Stack().TopDown(), (Order{dialog, b, owned, a}));
}

TEST_F(WinsysTest, InsertAfterPutsTheWindowDirectlyBelow) {
  HWND form = Make(RECT{0, 0, 10, 10});
  HWND other = Make(RECT{0, 0, 10, 10});
  HWND dialog = Make(RECT{0, 0, 10, 10}, {.exStyle = WS_EX_TOPMOST});
  HWND shadow =
      Make(RECT{0, 0, 10, 10}, {.exStyle = WS_EX_LAYERED | WS_EX_NOACTIVATE, .visible = false});
  log.clear();

  SetWindowPos(shadow, form, 0, 0, 0, 0, 83);
  EXPECT_EQ(system.Stack().TopDown(), (Order{dialog, other, form, shadow}));
  EXPECT_EQ(Of(shadow, WM_WINDOWPOSCHANGING).at(0).pos.hwndInsertAfter, form);
  EXPECT_EQ(Names(shadow), (std::vector<std::string>{"POSCHANGING", "POSCHANGED"}));

  // Below a topmost window means in the topmost band, above every normal window.
  SetWindowPos(shadow, dialog, 0, 0, 0, 0, 83);
  EXPECT_EQ(system.Stack().TopDown(), (Order{dialog, shadow, other, form}));

  // A window the shadow was placed after goes away: the shadow stays where it is.
  DestroyWindow(dialog);
  EXPECT_EQ(system.Stack().TopDown(), (Order{shadow, other, form}));
  EXPECT_TRUE(SetWindowPos(shadow, dialog, 0, 0, 0, 0, 83));
  EXPECT_EQ(system.Stack().TopDown(), (Order{shadow, other, form}));
}

}  // namespace
}  // namespace winsys::testing
