#include <thread>

#include "tests/winsys/WinsysFixture.h"

namespace winsys::testing {
namespace {

TEST_F(WinsysTest, QueueHandsOutPostedInputPaintThenTimers) {
  HWND hwnd = Make(RECT{0, 0, 100, 100});
  Pump();
  SetTimer(hwnd, 1, 10);
  clock.Advance(10);
  InvalidateRect(hwnd, nullptr, false);
  screen.PressButton(POINT{5, 5});
  PostMessage(hwnd, WM_USER, 0, 0);
  log.clear();
  Pump();
  EXPECT_EQ(Names(hwnd, {WM_NCHITTEST}),
            (std::vector<std::string>{"USER", "LBUTTONDOWN", "PAINT", "TIMER"}));
}

TEST_F(WinsysTest, PostFromAnotherThreadWakesGetMessage) {
  HWND hwnd = Make(RECT{0, 0, 100, 100});
  Pump();
  std::thread poster([hwnd] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    PostMessage(hwnd, WM_USER, 42, 0);
  });
  MSG msg;
  EXPECT_TRUE(GetMessage(&msg));
  poster.join();
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_EQ(msg.wParam, 42u);
}

TEST_F(WinsysTest, QuitComesAfterWhatWasPostedBeforeIt) {
  HWND hwnd = Make(RECT{0, 0, 100, 100});
  Pump();
  PostMessage(hwnd, WM_USER, 1, 0);
  PostQuitMessage(3);
  MSG msg;
  EXPECT_TRUE(GetMessage(&msg));
  EXPECT_EQ(msg.message, WM_USER);
  EXPECT_FALSE(GetMessage(&msg));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(WinsysTest, ModalLoopWaitsForTheDialogWhileItsOwnerIsDisabled) {
  HWND main = Make(RECT{0, 0, 200, 200});
  bool done = false;
  HWND dialog =
      Make(RECT{50, 50, 150, 150}, {.owner = main, .handler = [&](HWND h, UINT m, WPARAM, LPARAM) {
                                      if (m == WM_TIMER) {
                                        KillTimer(h, 1);
                                        done = true;
                                      }
                                      return std::optional<LRESULT>();
                                    }});
  EnableWindow(main, false);
  SetTimer(dialog, 1, 5000);
  screen.Click(POINT{10, 10});
  const uint64_t start = clock.Now();
  log.clear();

  while (!done) {
    MSG msg;
    if (PeekMessage(&msg)) {
      DispatchMessage(msg);
    } else {
      WaitMessage();
    }
  }
  EnableWindow(main, true);
  DestroyWindow(dialog);

  EXPECT_EQ(clock.Now(), start + 5000);
  EXPECT_TRUE(Of(main, WM_LBUTTONDOWN).empty());
  EXPECT_EQ(GetActiveWindow(), main);
}

}  // namespace
}  // namespace winsys::testing
