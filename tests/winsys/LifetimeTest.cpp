#include "platform/kernel/LastError.h"
#include "tests/winsys/WinsysFixture.h"

namespace winsys::testing {
namespace {

using Strings = std::vector<std::string>;

TEST_F(WinsysTest, CreationSendsCreateSizeMoveThenShows) {
  HWND hwnd = Make(RECT{40, 30, 140, 80});
  EXPECT_EQ(Names(hwnd), (Strings{"CREATE", "SIZE", "MOVE", "POSCHANGING", "ACTIVATE", "SETFOCUS",
                                  "POSCHANGED"}));
  EXPECT_EQ(Of(hwnd, WM_SIZE).at(0).lParam, MAKELPARAM(100, 50));
  EXPECT_EQ(GetFocus(), hwnd);
}

TEST_F(WinsysTest, RefusedCreationLeavesNoWindow) {
  WindowParams params;
  std::vector<UINT> seen;
  params.proc = [&seen](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    seen.push_back(m);
    return m == WM_CREATE ? -1 : DefWindowProc(h, m, w, l);
  };
  EXPECT_EQ(CreateWindowEx(params), nullptr);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_TRUE(system.Stack().TopDown().empty());
}

TEST_F(WinsysTest, DestroyHidesDestroysOwnedThenSendsDestroy) {
  HWND owner = Make(RECT{0, 0, 100, 100});
  HWND owned = Make(RECT{10, 10, 50, 50}, {.owner = owner});
  SetTimer(owner, 1, 100);
  log.clear();

  EXPECT_TRUE(DestroyWindow(owner));

  std::vector<std::pair<HWND, std::string>> order;
  for (const Logged& l : log) order.emplace_back(l.hwnd, Name(l.msg));
  EXPECT_EQ(order.front(), std::make_pair(owner, std::string("POSCHANGING")));
  auto at = [&order](HWND h, const char* name) {
    return std::find(order.begin(), order.end(), std::make_pair(h, std::string(name))) -
           order.begin();
  };
  EXPECT_LT(at(owned, "DESTROY"), at(owner, "DESTROY"));
  EXPECT_LT(at(owner, "DESTROY"), at(owner, "NCDESTROY"));
  EXPECT_FALSE(IsWindow(owner));
  EXPECT_FALSE(IsWindow(owned));
  EXPECT_EQ(GetActiveWindow(), nullptr);

  // The handle stays dead: calls fail, no timer of the window fires.
  EXPECT_FALSE(SetWindowPos(owner, nullptr, 0, 0, 0, 0, 55));
  EXPECT_EQ(kernel::GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  clock.Advance(1000);
  log.clear();
  Pump();
  EXPECT_TRUE(log.empty());
}

TEST_F(WinsysTest, SystemCloseGoesThroughCloseToDestroy) {
  HWND kept = Make(RECT{0, 0, 10, 10}, {.handler = [](HWND, UINT m, WPARAM, LPARAM) {
                     return m == WM_CLOSE ? std::optional<LRESULT>(0) : std::nullopt;
                   }});
  HWND closed = Make(RECT{0, 0, 10, 10});
  SendMessage(kept, WM_SYSCOMMAND, SC_CLOSE, 0);
  SendMessage(closed, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(IsWindow(kept));
  EXPECT_FALSE(IsWindow(closed));
  EXPECT_EQ(Names(closed, {WM_NCHITTEST}).back(), "NCDESTROY");
}

TEST_F(WinsysTest, PaintComesWhenTheQueueIsEmptyAndOnlyOnce) {
  HWND hwnd = Make(RECT{0, 0, 100, 100});
  Pump();
  log.clear();

  InvalidateRect(hwnd, nullptr, true);
  RECT area{20, 20, 40, 40};
  InvalidateRect(hwnd, &area, false);
  PostMessage(hwnd, WM_USER, 0, 0);
  RECT update;
  EXPECT_TRUE(GetUpdateRect(hwnd, &update));
  EXPECT_EQ(update, (RECT{0, 0, 100, 100}));
  Pump();

  EXPECT_EQ(Names(hwnd, {}), (Strings{"USER", "PAINT", "ERASEBKGND"}));
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr));
  // A hidden window keeps what it has to paint until it shows again.
  ShowWindow(hwnd, SW_HIDE);
  InvalidateRect(hwnd, &area, false);
  log.clear();
  Pump();
  EXPECT_TRUE(Of(hwnd, WM_PAINT).empty());
  ShowWindow(hwnd, SW_SHOWNA);
  Pump();
  EXPECT_EQ(Of(hwnd, WM_PAINT).size(), 1u);
}

TEST_F(WinsysTest, EnableWindowSendsEnableAndDropsFocus) {
  HWND hwnd = Make(RECT{0, 0, 100, 100});
  ASSERT_EQ(GetFocus(), hwnd);
  log.clear();
  EXPECT_FALSE(EnableWindow(hwnd, false));
  EXPECT_TRUE(EnableWindow(hwnd, false));  // already disabled: nothing more happens
  EXPECT_EQ(Names(hwnd), (Strings{"KILLFOCUS", "ENABLE"}));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_TRUE(EnableWindow(hwnd, true));
  EXPECT_TRUE(IsWindowEnabled(hwnd));
}

}  // namespace
}  // namespace winsys::testing
