#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/kernel/Exception.h"
#include "platform/winsys/MessageApi.h"
#include "tests/controls/ShadowFixture.h"

namespace {

using namespace winsys;

constexpr UINT kSystemMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;

RECT Rect(int x, int y, int w, int h) {
  return RECT{x, y, x + w, y + h};
}

class FormShadowTest : public ShadowTest {
 protected:
  // A window over the whole screen at the bottom of the z-order, below the form and its shadow.
  HWND MakeDesktopWindow(WNDPROC proc) {
    WindowParams params;
    params.style = WS_POPUP | WS_VISIBLE;
    params.width = 1280;
    params.height = 800;
    params.proc = std::move(proc);
    const HWND hwnd = CreateWindowEx(params);
    SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return hwnd;
  }
};

// The shadow of the main window through a typical life: every placement it asks for, with the
// pushes of a new picture (which resize the window) among them.
TEST_F(FormShadowTest, FollowsTheFormThroughATypicalLife) {
  form->Show();
  Pump();
  EXPECT_EQ(TakePlacements(), std::vector<Placement>{}) << "inactive until the delay is over";
  EXPECT_FALSE(shadow->HandleAllocated());

  Advance(19);
  EXPECT_EQ(TakePlacements(), std::vector<Placement>{});
  Advance(1);
  // The nudge takes the size path: picture built and pushed, placed, then the pending show.
  EXPECT_EQ(TakePlacements(), (std::vector<Placement>{{22, -1000, 80, 652, 448, false},
                                                      {16, 84, 64, 652, 448, true},
                                                      {87, 0, 0, 0, 0, true}}));
  EXPECT_TRUE(ShadowVisible());
  EXPECT_EQ(ShadowRect(), Rect(84, 64, 652, 448));

  Advance(200);
  EXPECT_EQ(TakePlacements(), std::vector<Placement>{}) << "the capture only pushes";

  // One step of a system move.
  SetWindowPos(form->Handle(), nullptr, 140, 110, 0, 0, kSystemMoveFlags);
  EXPECT_EQ(TakePlacements(),
            (std::vector<Placement>{
                {83, 0, 0, 0, 0, true}, {16, 124, 94, 652, 448, true}, {87, 0, 0, 0, 0, true}}));
  EXPECT_EQ(ShadowRect(), Rect(124, 94, 652, 448));

  // Shrinking: built and placed while the form still has its old size; then WM_SIZE shows it
  // and the move path places it again.
  form->SetBounds(140, 110, 500, 300);
  EXPECT_EQ(TakePlacements(), (std::vector<Placement>{{22, 124, 94, 532, 332, false},
                                                      {16, 124, 94, 532, 332, true},
                                                      {83, 0, 0, 0, 0, true},
                                                      {16, 124, 94, 532, 332, true},
                                                      {87, 0, 0, 0, 0, true}}));

  // Growing: built once the form has grown; no show is pending, so visibility stays.
  form->SetBounds(140, 110, 700, 500);
  EXPECT_EQ(TakePlacements(), (std::vector<Placement>{{83, 0, 0, 0, 0, true},
                                                      {22, 124, 94, 732, 532, false},
                                                      {16, 124, 94, 732, 532, true},
                                                      {23, 0, 0, 0, 0, true}}));
  EXPECT_EQ(ShadowRect(), Rect(124, 94, 732, 532));
  EXPECT_TRUE(ShadowVisible());

  // Minimising deactivates the form (which shows the shadow for a moment) and then hides it.
  form->SetWindowState(wsMinimized);
  EXPECT_EQ(TakePlacements(),
            (std::vector<Placement>{
                {83, 0, 0, 0, 0, true}, {147, 0, 0, 0, 0, true}, {147, 0, 0, 0, 0, true}}));
  EXPECT_FALSE(ShadowVisible());

  form->SetWindowState(wsNormal);
  EXPECT_EQ(TakePlacements(),
            (std::vector<Placement>{
                {83, 0, 0, 0, 0, true}, {83, 0, 0, 0, 0, true}, {83, 0, 0, 0, 0, true}}));
  EXPECT_TRUE(ShadowVisible());
  EXPECT_EQ(ShadowRect(), Rect(124, 94, 732, 532));

  form->Hide();
  EXPECT_EQ(TakePlacements(), (std::vector<Placement>{{83, 0, 0, 0, 0, true},
                                                      {147, 0, 0, 0, 0, true},
                                                      {147, 0, 0, 0, 0, true},
                                                      {147, 0, 0, 0, 0, true}}));
  EXPECT_FALSE(ShadowVisible());

  const HWND shadowWindow = shadow->Handle();
  application.DestroyComponent(form);
  form = nullptr;
  EXPECT_EQ(TakePlacements(), (std::vector<Placement>{{147, 0, 0, 0, 0, true}}));
  EXPECT_FALSE(IsWindow(shadowWindow)) << "the form freed its shadow";
}

TEST_F(FormShadowTest, TheShadowSitsDirectlyBelowTheForm) {
  const HWND desktopWindow = MakeDesktopWindow(DefWindowProc);
  ShowWithShadow();
  const std::vector<WindowImage> scene = system.Scene();
  ASSERT_GE(scene.size(), 3u);
  EXPECT_EQ(scene[scene.size() - 1].hwnd, form->Handle());
  EXPECT_EQ(scene[scene.size() - 2].hwnd, shadow->Handle());
  EXPECT_EQ(scene[scene.size() - 3].hwnd, desktopWindow);
  DestroyWindow(desktopWindow);
}

TEST_F(FormShadowTest, OffsetMovesTheShadowRightAndDown) {
  shadow->SetShadowOffset(5);
  ShowWithShadow();
  EXPECT_EQ(ShadowRect(), Rect(89, 69, 652, 448));
  SetWindowPos(form->Handle(), nullptr, 200, 100, 0, 0, kSystemMoveFlags);
  EXPECT_EQ(ShadowRect(), Rect(189, 89, 652, 448));
  shadow->SetShadowOffset(0);
  EXPECT_EQ(ShadowRect(), Rect(184, 84, 652, 448)) << "at once, not only at the next move";
}

TEST_F(FormShadowTest, MaximisingHidesAndRestoringShowsTheShadow) {
  ShowWithShadow();
  form->SetWindowState(wsMaximized);
  EXPECT_FALSE(ShadowVisible());
  form->SetWindowState(wsNormal);
  EXPECT_TRUE(ShadowVisible());
  EXPECT_EQ(ShadowRect(), Rect(84, 64, 652, 448));
}

TEST_F(FormShadowTest, ASizeGivenWithoutPositionKeepsTheShadowAtTheForm) {
  ShowWithShadow();
  SetWindowPos(form->Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(ShadowRect(), Rect(84, 64, 332, 232));
}

TEST_F(FormShadowTest, SwitchedOffTheShadowHidesAndLetsMessagesPass) {
  ShowWithShadow();
  ASSERT_TRUE(ShadowVisible());
  TakePlacements();
  shadow->SetActive(false);
  EXPECT_FALSE(ShadowVisible());
  EXPECT_EQ(TakePlacements(), (std::vector<Placement>{{147, 0, 0, 0, 0, true}}));

  SetWindowPos(form->Handle(), nullptr, 300, 200, 0, 0, kSystemMoveFlags);
  form->SetBounds(300, 200, 400, 300);
  form->SetWindowState(wsMinimized);
  form->SetWindowState(wsNormal);
  Advance(6000);
  EXPECT_EQ(TakePlacements(), std::vector<Placement>{});
  RECT r;
  GetWindowRect(form->Handle(), &r);
  EXPECT_EQ(r, Rect(300, 200, 400, 300)) << "the form itself works as before";
}

TEST_F(FormShadowTest, DetachingGivesTheFormItsOwnWindowProcBack) {
  shadow->SetForm(nullptr);
  int seen = 0;
  const TWndMethod own = form->WindowProc();
  form->SetWindowProc([&seen, own](TMessage& message) {
    ++seen;
    own(message);
  });
  shadow->SetForm(form);
  shadow->SetForm(nullptr);
  // Were the hook still in place, the form would now call into a freed shadow.
  form->DestroyComponent(shadow);
  shadow = nullptr;
  seen = 0;
  form->Show();
  Pump();
  SetWindowPos(form->Handle(), nullptr, 300, 200, 0, 0, kSystemMoveFlags);
  EXPECT_GT(seen, 0) << "the form's own WindowProc is back in place";
  form->SetWindowProc(own);
}

// A form hidden behind the hook's back: its window procedure is taken over at the window system.
TEST_F(FormShadowTest, TheWatchdogHidesAShadowWhoseFormVanished) {
  ShowWithShadow();
  Advance(200);
  ASSERT_TRUE(ShadowVisible());
  const HWND window = form->Handle();
  const WNDPROC framework = SetWindowProc(window, DefWindowProc);
  ShowWindow(window, SW_HIDE);
  EXPECT_TRUE(ShadowVisible()) << "nobody told the shadow";
  Advance(4999);
  EXPECT_TRUE(ShadowVisible());
  Advance(1);
  EXPECT_FALSE(ShadowVisible());
  SetWindowProc(window, framework);
}

TEST_F(FormShadowTest, ClicksGoThroughTheShadowAndItNeverTakesTheFocus) {
  std::vector<UINT> below;
  const HWND desktopWindow = MakeDesktopWindow([&below](HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_LBUTTONDOWN) below.push_back(m);
    return DefWindowProc(h, m, w, l);
  });
  ShowWithShadow();
  ASSERT_GT(Alpha(8, 224), 0) << "the point lies on the visible shadow";

  screen.Click({100 - 8, 80 + 208});
  Pump();
  EXPECT_EQ(below, std::vector<UINT>{WM_LBUTTONDOWN});
  EXPECT_NE(GetActiveWindow(), shadow->Handle());

  const HWND shadowWindow = shadow->Handle();
  EXPECT_EQ(GetWindowLongPtr(shadowWindow, GWL_EXSTYLE),
            LONG_PTR(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
  EXPECT_EQ(GetWindow(shadowWindow, GW_OWNER), nullptr);
  EXPECT_FALSE(shadow->Visible()) << "shown only through the window system";
  DestroyWindow(desktopWindow);
}

TEST_F(FormShadowTest, FrameworkErrorsInTheHookGoToTheDebugOutput) {
  shadow->SetForm(nullptr);
  const TWndMethod own = form->WindowProc();
  form->SetWindowProc([own](TMessage& message) {
    if (message.Msg == WM_USER + 1) throw kernel::Exception("no picture for the shadow");
    if (message.Msg == WM_USER + 2) throw std::logic_error("a fault");
    own(message);
  });
  shadow->SetForm(form);
  ShowWithShadow();

  ::testing::internal::CaptureStderr();
  EXPECT_NO_THROW(form->Perform(WM_USER + 1, 0, 0));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("no picture for the shadow"),
            std::string::npos);
  EXPECT_THROW(form->Perform(WM_USER + 2, 0, 0), std::logic_error);
  shadow->SetForm(nullptr);
  form->SetWindowProc(own);
}

}  // namespace
