#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/TCustomForm.h"
#include "framework/TFormLoader.h"
#include "framework/TGraphicControl.h"
#include "platform/winsys/WindowApi.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

using winsys::POINT;

// A graphic control that paints itself in one colour and logs what reaches it.
class TProbeControl : public TGraphicControl {
 public:
  TProbeControl(TComponent* owner, std::vector<std::string>* log)
      : TGraphicControl(owner), log_(log) {
    SetOnClick([this](TObject*) { Log("click"); });
    SetOnDblClick([this](TObject*) { Log("dblclick"); });
    SetOnMouseEnter([this](TObject*) { Log("enter"); });
    SetOnMouseLeave([this](TObject*) { Log("leave"); });
    SetOnMouseDown([this](TObject*, TMouseButton b, TShiftState, int x, int y) {
      Log((b == mbLeft ? "ldown " : "rdown ") + std::to_string(x) + "," + std::to_string(y));
    });
    SetOnMouseUp([this](TObject*, TMouseButton, TShiftState, int, int) { Log("up"); });
  }
  TColor paint = clRed;

 protected:
  void Paint() override {
    Canvas().Brush().SetColor(paint);
    Canvas().FillRect(ClientRect());
  }

 private:
  void Log(const std::string& what) { log_->push_back(Name() + " " + what); }
  std::vector<std::string>* log_;
};

class ControlsCoreTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = application.CreateForm<TForm>();
    form->SetBounds(100, 50, 200, 100);
    form->SetColor(clWhite);
    a = TComponent::Create<TProbeControl>(form, &log);
    a->SetName("a");
    a->SetBounds(10, 10, 50, 40);
    a->SetParent(form);
    b = TComponent::Create<TProbeControl>(form, &log);
    b->SetName("b");
    b->SetBounds(100, 10, 50, 40);
    b->SetParent(form);
    b->paint = clBlue;
    form->Show();
    Pump();
  }

  std::vector<std::string> log;
  TForm* form = nullptr;
  TProbeControl* a = nullptr;
  TProbeControl* b = nullptr;
};

TEST_F(ControlsCoreTest, GraphicControlsPaintIntoTheirFormsPicture) {
  EXPECT_EQ(ScreenPixel(100 + 10, 50 + 10), 0xFF0000u);
  EXPECT_EQ(ScreenPixel(100 + 59, 50 + 49), 0xFF0000u);
  EXPECT_EQ(ScreenPixel(100 + 60, 50 + 10), 0xFFFFFFu) << "the form's own colour beside it";
  EXPECT_EQ(ScreenPixel(100 + 120, 50 + 20), 0x0000FFu);
  b->paint = clLime;
  b->Invalidate();
  Pump();
  EXPECT_EQ(ScreenPixel(100 + 120, 50 + 20), 0x00FF00u);
}

TEST_F(ControlsCoreTest, PointerInputReachesTheControlUnderIt) {
  screen.MovePointer({100 + 20, 50 + 20});
  screen.Click({100 + 25, 50 + 22});
  screen.MovePointer({100 + 120, 50 + 20});
  screen.Click({100 + 120, 50 + 20}, winsys::MouseButton::Right);
  // A press on a and a release on b: the press's control gets the release, and no click.
  screen.Drag({100 + 20, 50 + 20}, {100 + 120, 50 + 20}, 2);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"a enter", "a ldown 15,12", "a click", "a up", "a leave",
                                           "b enter", "b rdown 20,10", "b up", "b leave", "a enter",
                                           "a ldown 10,10", "a leave", "b enter", "a up"}));
}

TEST_F(ControlsCoreTest, DisabledAndHiddenControlsGetNoInput) {
  a->SetEnabled(false);
  b->Hide();
  screen.Click({100 + 20, 50 + 20});
  screen.Click({100 + 120, 50 + 20});
  Pump();
  EXPECT_TRUE(log.empty()) << log.front();
  EXPECT_EQ(ScreenPixel(100 + 120, 50 + 20), 0xFFFFFFu);
}

TEST_F(ControlsCoreTest, AReplacedWindowProcSeesEveryMessageUntilRestored) {
  const TWndMethod original = form->WindowProc();
  std::vector<winsys::UINT> seen;
  form->SetWindowProc([&](TMessage& m) {
    seen.push_back(m.Msg);
    original(m);
  });
  form->SetBounds(110, 60, 200, 100);
  form->Perform(CM_SHOWINGCHANGED, 0, 0);
  EXPECT_NE(std::find(seen.begin(), seen.end(), winsys::WM_WINDOWPOSCHANGING), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), winsys::WM_WINDOWPOSCHANGED), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), CM_SHOWINGCHANGED), seen.end());
  EXPECT_EQ(form->Left(), 110);

  form->SetWindowProc(original);
  seen.clear();
  form->SetBounds(120, 60, 200, 100);
  EXPECT_TRUE(seen.empty());
  winsys::RECT r;
  winsys::GetWindowRect(form->Handle(), &r);
  EXPECT_EQ(r.left, 120);
}

TEST_F(ControlsCoreTest, AModalFormDisablesTheOthersAndReturnsItsResult) {
  TForm* dialog = application.CreateForm<TForm>();
  dialog->SetBounds(150, 80, 100, 60);
  dialog->SetKeyPreview(true);
  bool mainEnabledMeanwhile = true;
  dialog->SetOnKeyDown([&](TObject*, winsys::WORD& key, TShiftState) {
    mainEnabledMeanwhile = form->Enabled() && winsys::IsWindowEnabled(form->Handle());
    if (key == winsys::VK_ESCAPE) dialog->SetModalResult(mrCancel);
  });
  screen.PressKey(winsys::VK_ESCAPE);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_FALSE(mainEnabledMeanwhile);
  EXPECT_TRUE(form->Enabled());
  EXPECT_FALSE(dialog->Visible());
}

}  // namespace
