#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/AccessKey.h"
#include "framework/TCustomForm.h"
#include "framework/TFlatEdit.h"
#include "framework/TFlatRadioButton.h"
#include "framework/TModalSpeedButton.h"
#include "framework/TPNGObject.h"
#include "framework/TSkinPanel.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

using winsys::POINT;

TEST(AccessKeyTest, TheAmpersandMarksTheLetterAndIsNeverShown) {
  struct Case {
    const char* caption;
    const char* shown;
    const char* letter;
  };
  for (const Case c :
       {Case{"确定(&O)", "确定(O)", "O"}, Case{"&Yes", "Yes", "Y"}, Case{"A && B", "A & B", ""},
        Case{"tail&", "tail&", ""}, Case{"&确定", "确定", "确"}, Case{"取消", "取消", ""}}) {
    const TAccessKeyText text = ParseAccessKey(c.caption);
    EXPECT_EQ(text.Text, c.shown) << c.caption;
    EXPECT_EQ(text.Text.substr(text.KeyOffset, text.KeyLength), c.letter) << c.caption;
  }
  EXPECT_TRUE(IsAccessKey("确定(&O)", 'o'));
  EXPECT_TRUE(IsAccessKey("确定(&O)", 'O'));
  EXPECT_FALSE(IsAccessKey("确定(&O)", 'p'));
  EXPECT_FALSE(IsAccessKey("A && B", '&'));
}

// A plain white form at (100, 100) on which each test puts the controls it needs.
class ControlPackTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = application.CreateForm<TForm>();
    form->SetBounds(100, 100, 300, 200);
    form->SetColor(clWhite);
  }

  template <class T>
  T* Add(TWinControl* parent, TRect bounds) {
    T* control = TComponent::Create<T>(form);
    control->SetParent(parent);
    control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    return control;
  }
  void ShowForm() {
    form->Show();
    Pump();
  }
  static POINT Middle(const TControl* control) {
    const TPoint p = control->ClientToScreen({control->Width() / 2, control->Height() / 2});
    return {p.X, p.Y};
  }
  uint32_t PixelOf(const TControl* control, int x, int y) {
    const TPoint p = control->ClientToScreen({x, y});
    return ScreenPixel(p.X, p.Y);
  }

  TForm* form = nullptr;
};

TEST_F(ControlPackTest, ASkinPanelPaintsItsColourItsPictureOrNothing) {
  TPNGObject png;
  png.CreateBlank(COLOR_RGB, 8, 2, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) png.Scanline(y)[4 * x + 1] = 0xFF;  // green
  auto* plain = Add<TSkinPanel>(form, Bounds(0, 0, 50, 50));
  plain->SetColor(clRed);
  auto* stretched = Add<TSkinPanel>(form, Bounds(60, 0, 50, 50));
  stretched->Picture().SetGraphic(&png);
  stretched->SetStretch(true);
  auto* corner = Add<TSkinPanel>(form, Bounds(120, 0, 50, 50));
  corner->SetColor(clBlue);
  corner->Picture().SetGraphic(&png);
  auto* clear = Add<TSkinPanel>(form, Bounds(180, 0, 50, 50));
  clear->SetColor(clRed);
  clear->SetTransparent(true);
  ShowForm();

  EXPECT_EQ(PixelOf(plain, 25, 25), 0xFF0000u);
  EXPECT_EQ(PixelOf(stretched, 49, 49), 0x00FF00u) << "stretched over the whole panel";
  EXPECT_EQ(PixelOf(corner, 1, 1), 0x00FF00u) << "at the top-left corner";
  EXPECT_EQ(PixelOf(corner, 10, 10), 0x0000FFu) << "the colour around it";
  EXPECT_EQ(PixelOf(clear, 25, 25), 0xFFFFFFu) << "the form shows through";
}

TEST_F(ControlPackTest, RadioButtonsFormOneGroupPerParent) {
  auto* left = Add<TSkinPanel>(form, Bounds(0, 0, 100, 100));
  auto* right = Add<TSkinPanel>(form, Bounds(100, 0, 100, 100));
  auto* a = Add<TFlatRadioButton>(left, Bounds(0, 0, 80, 17));
  auto* b = Add<TFlatRadioButton>(left, Bounds(0, 20, 80, 17));
  auto* c = Add<TFlatRadioButton>(right, Bounds(0, 0, 80, 17));
  a->SetCaption("&Alpha");
  int clicks = 0;
  b->SetOnClick([&](TObject*) { ++clicks; });
  a->SetChecked(true);
  c->SetChecked(true);
  ShowForm();

  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(c->Checked()) << "another parent, another group";
  EXPECT_EQ(clicks, 0) << "checked in code: no click";

  b->SetFocus();
  screen.PressKey(winsys::VK_SPACE, u' ');
  Pump();
  EXPECT_EQ(clicks, 1);

  screen.KeyDown(winsys::VK_MENU);
  screen.PressKey('A');
  screen.KeyUp(winsys::VK_MENU);
  Pump();
  EXPECT_TRUE(a->Checked()) << "its access key checks it";
  EXPECT_FALSE(b->Checked());
  EXPECT_EQ(form->ActiveControl(), a);
}

class SpeedButtonTest : public ControlPackTest {
 protected:
  void SetUp() override {
    ControlPackTest::SetUp();
    button = Add<TModalSpeedButton>(form, Bounds(20, 20, 80, 30));
    button->SetCaption("确定(&O)");
    button->SetFlat(true);
    button->SetFaceColor(RGB(66, 139, 202));
    button->SetPressedColor(RGB(0, 50, 100));
    button->SetHotTrackColor(RGB(14, 97, 185));
    button->SetLightColor(RGB(66, 139, 202));
    button->SetShadowColor(RGB(66, 139, 202));
    button->SetModalResult(mrOk);
    button->Font().SetColor(clWhite);
    button->SetOnClick([this](TObject*) { ++clicks; });
    other = Add<TFlatEdit>(form, Bounds(20, 100, 80, 23));
    ShowForm();
  }

  TModalSpeedButton* button = nullptr;
  TFlatEdit* other = nullptr;
  int clicks = 0;
};

TEST_F(SpeedButtonTest, EnterAndSpacePressTheFocusedButtonOnly) {
  for (const winsys::UINT key : {winsys::VK_RETURN, winsys::VK_SPACE}) {
    clicks = 0;
    form->SetModalResult(mrNone);
    other->SetFocus();
    screen.PressKey(key);
    Pump();
    EXPECT_EQ(clicks, 0) << key;
    button->SetFocus();
    screen.PressKey(key);
    Pump();
    EXPECT_EQ(clicks, 1) << key;
    EXPECT_EQ(form->ModalResult(), mrOk) << key;
  }
}

TEST_F(SpeedButtonTest, AButtonWithoutModalResultLeavesTheFormsAlone) {
  button->SetModalResult(mrNone);
  form->SetModalResult(mrCancel);
  screen.Click(Middle(button));
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(SpeedButtonTest, ADisabledButtonTakesNoAccessKey) {
  button->SetEnabled(false);
  screen.PressKey('O', u'o');
  Pump();
  EXPECT_EQ(clicks, 0);
}

TEST_F(SpeedButtonTest, TheFocusShowsAsADottedRectangle) {
  ASSERT_EQ(form->ActiveControl(), button);
  EXPECT_EQ(PixelOf(button, 3, 3), 0xFFFFFFu) << "a dot in the font's white";
  EXPECT_EQ(PixelOf(button, 4, 3), 0x428BCAu) << "the face between the dots";
  other->SetFocus();
  Pump();
  EXPECT_EQ(PixelOf(button, 3, 3), 0x428BCAu);
}

TEST_F(SpeedButtonTest, TheFaceFollowsTheMouse) {
  EXPECT_EQ(PixelOf(button, 5, 5), 0x428BCAu) << "face";
  screen.MovePointer(Middle(button));
  Pump();
  EXPECT_EQ(PixelOf(button, 5, 5), 0x0E61B9u) << "hot-track";
  screen.PressButton(Middle(button));
  Pump();
  EXPECT_EQ(PixelOf(button, 5, 5), 0x003264u) << "pressed";
  // Held and dragged off the button: it no longer looks pressed, and the release clicks not.
  screen.MovePointer({5, 5});
  screen.ReleaseButton({5, 5});
  Pump();
  EXPECT_EQ(PixelOf(button, 5, 5), 0x428BCAu);
  EXPECT_EQ(clicks, 0);
}

class FlatEditTest : public ControlPackTest {
 protected:
  void SetUp() override {
    ControlPackTest::SetUp();
    edit = Add<TFlatEdit>(form, Bounds(10, 10, 200, 23));
    edit->SetBorderColor(RGB(200, 200, 200));
    edit->SetOnChange([this](TObject*) { ++changes; });
    ShowForm();
    edit->SetFocus();
  }

  TFlatEdit* edit = nullptr;
  int changes = 0;
};

TEST_F(FlatEditTest, KeysEditAtTheCaret) {
  using namespace winsys;
  struct Step {
    std::u16string typed;    // typed first
    std::vector<UINT> keys;  // then these keys
  };
  struct Case {
    std::vector<Step> steps;
    const char* text;
  };
  const std::vector<Case> cases = {
      {{{u"ac", {VK_LEFT}}, {u"b", {}}}, "abc"},
      {{{u"abc", {VK_HOME}}, {u"x", {VK_END}}, {u"y", {}}}, "xabcy"},
      {{{u"abc", {VK_BACK, VK_HOME, VK_DELETE}}}, "b"},
      {{{u"ab", {VK_HOME, VK_BACK, VK_END, VK_DELETE, VK_RIGHT, VK_LEFT, VK_LEFT, VK_LEFT}},
        {u"-", {}}},
       "-ab"},
      // A Chinese character is one step of the caret and one Backspace.
      {{{u"保存路径", {VK_LEFT, VK_BACK}}, {u"到", {}}}, "保存到径"},
      // A character outside the basic plane arrives in two halves.
      {{{u"a\U0001F600b", {VK_LEFT, VK_BACK}}}, "ab"},
  };
  for (const Case& c : cases) {
    edit->SetText("");
    for (const Step& step : c.steps) {
      screen.Type(step.typed);
      for (const UINT key : step.keys) screen.PressKey(key);
    }
    Pump();
    EXPECT_EQ(edit->Text(), c.text);
  }
}

TEST_F(FlatEditTest, AReadOnlyBoxMovesItsCaretButKeepsItsText) {
  edit->SetText("fixed");
  edit->SetReadOnly(true);
  changes = 0;
  screen.Type(u"zz");
  screen.PressKey(winsys::VK_BACK);
  screen.PressKey(winsys::VK_HOME);
  screen.PressKey(winsys::VK_DELETE);
  Pump();
  EXPECT_EQ(edit->Text(), "fixed");
  EXPECT_EQ(changes, 0);
}

TEST_F(FlatEditTest, AClickPutsTheCaretAtTheNearestCharacter) {
  edit->SetText("0123456789");
  // The text starts four pixels in; a click at the very left comes before the first digit, one
  // far to the right after the last.
  screen.Click({100 + 10 + 1, 100 + 10 + 11});
  screen.Type(u"<");
  screen.Click({100 + 10 + 190, 100 + 10 + 11});
  screen.Type(u">");
  Pump();
  EXPECT_EQ(edit->Text(), "<0123456789>");
}

TEST_F(FlatEditTest, ItPaintsItsBorderTextAndCaretInsideItsBox) {
  edit->SetText("W");
  Pump();
  EXPECT_EQ(PixelOf(edit, 0, 0), 0xC8C8C8u) << "border";
  EXPECT_EQ(PixelOf(edit, 199, 22), 0xC8C8C8u);
  EXPECT_EQ(PixelOf(edit, 100, 11), 0xFFFFFFu) << "inside";
  // A text far longer than the box scrolls to keep the caret (at its end) in view and never
  // paints over the border.
  edit->SetText(std::string(80, 'W'));
  screen.PressKey(winsys::VK_END);
  Pump();
  EXPECT_EQ(PixelOf(edit, 195, 11), 0x000000u) << "the caret at the end, in view";
  EXPECT_EQ(PixelOf(edit, 198, 11), 0xFFFFFFu) << "no text beyond the inside";
  EXPECT_EQ(PixelOf(edit, 199, 11), 0xC8C8C8u);
}

}  // namespace
