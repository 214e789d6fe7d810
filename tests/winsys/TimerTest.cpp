#include "tests/winsys/WinsysFixture.h"

namespace winsys::testing {
namespace {

class TimerTest : public WinsysTest {
 protected:
  std::vector<WPARAM> Fired() {
    log.clear();
    Pump();
    std::vector<WPARAM> ids;
    for (const Logged& l : Of(hwnd, WM_TIMER)) ids.push_back(l.wParam);
    return ids;
  }
  HWND hwnd = Make(RECT{0, 0, 10, 10});
};

using Ids = std::vector<WPARAM>;

TEST_F(TimerTest, TimersFireInDueOrderOnTheManualClock) {
  SetTimer(hwnd, 1, 50);
  SetTimer(hwnd, 2, 20);
  SetTimer(hwnd, 3, 30);
  clock.Advance(19);
  EXPECT_EQ(Fired(), Ids{});
  // Late timers fire once each, in the order they fell due.
  clock.Advance(41);
  EXPECT_EQ(Fired(), (Ids{2, 3, 1}));
  // Each is due again one period after it fired.
  clock.Advance(20);
  EXPECT_EQ(Fired(), (Ids{2}));
  // Setting a timer again restarts it; a killed one is gone.
  SetTimer(hwnd, 3, 100);
  KillTimer(hwnd, 1);
  clock.Advance(99);
  EXPECT_EQ(Fired(), (Ids{2}));
  clock.Advance(1);
  EXPECT_EQ(Fired(), (Ids{3}));
  EXPECT_FALSE(KillTimer(hwnd, 1));
}

TEST_F(TimerTest, WaitingForATimerMovesTheManualClockToIt) {
  SetTimer(hwnd, 7, 5000);
  Pump();
  const uint64_t start = clock.Now();
  MSG msg;
  ASSERT_TRUE(GetMessage(&msg));
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(clock.Now(), start + 5000);
}

TEST_F(TimerTest, InvalidTimersAreRefused) {
  EXPECT_EQ(SetTimer(nullptr, 1, 10), 0u);
  EXPECT_EQ(SetTimer(hwnd, 0, 10), 0u);
  // The shortest period is 10 ms.
  EXPECT_EQ(SetTimer(hwnd, 5, 1), 5u);
  clock.Advance(9);
  EXPECT_EQ(Fired(), Ids{});
  clock.Advance(1);
  EXPECT_EQ(Fired(), (Ids{5}));
}

}  // namespace
}  // namespace winsys::testing
