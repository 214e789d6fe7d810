#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/FontFace.h"
#include "framework/TCanvas.h"
#include "tests/framework/FrameworkFixture.h"
#include "tests/framework/SampleForm.h"

namespace {

using winsys::POINT;

class SampleFormTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = application.CreateForm<TSampleForm>();
    form->Show();
    Pump();
  }

  static POINT Middle(const TControl* control) {
    const TPoint p = control->ClientToScreen({control->Width() / 2, control->Height() / 2});
    return {p.X, p.Y};
  }
  // The screen colour at a point of a control, as 0xRRGGBB.
  uint32_t PixelOf(const TControl* control, int x, int y) {
    const TPoint p = control->ClientToScreen({x, y});
    return ScreenPixel(p.X, p.Y);
  }
  std::string FocusedName() const {
    return form->ActiveControl() ? form->ActiveControl()->Name() : "(none)";
  }

  TSampleForm* form = nullptr;
};

uint8_t Red(uint32_t rgb) {
  return uint8_t(rgb >> 16);
}

TEST_F(SampleFormTest, LoadsItsComponentsWithTheirPlacesAndFonts) {
  EXPECT_EQ(form->ClientWidth(), 620);
  EXPECT_EQ(form->ClientHeight(), 416);
  EXPECT_EQ(form->pnlBack->Width(), 620) << "aligned to the whole form";
  EXPECT_EQ(form->labTitle->Caption(), "示例窗口");
  EXPECT_EQ(form->btnOk->Caption(), "确定(&O)");
  EXPECT_EQ(form->edtDir->Text(), "/home/user/Veltrane/");
  EXPECT_TRUE(form->edtDir->ReadOnly());
  EXPECT_EQ(form->btnOk->ModalResult(), mrOk);
  EXPECT_TRUE(form->rdbDX->Checked());
  EXPECT_FALSE(form->RdbLT->Checked());

  // Each label takes the size of its caption in its own font: 15, 13 and 12 pixels.
  for (const TLabel* label : {form->labTitle, form->labSub, form->labLine}) {
    TCanvas measure;
    measure.Font().Assign(label->Font());
    EXPECT_EQ(label->Width(), measure.TextWidth(label->Caption())) << label->Name();
    EXPECT_EQ(label->Height(), label->Font().Face().LineHeight()) << label->Name();
  }
  EXPECT_GT(form->labTitle->Height(), form->labSub->Height());
  EXPECT_GT(form->labSub->Height(), form->labLine->Height());

  // With every tab hidden there is no tab strip: the pages fill the page control.
  EXPECT_EQ(form->PC->ActivePage()->Name(), "TS1");
  EXPECT_EQ(form->PC->DisplayRect(), form->PC->ClientRect());
}

TEST_F(SampleFormTest, PaintsTheSkinWithItsPicturesBlended) {
  // The stretched background ends in white at the form's bottom.
  EXPECT_EQ(PixelOf(form->pnlBack, 5, 415), 0xFFFFFFu);
  // The logo's middle is opaque orange; its transparent corner shows the banner below it.
  EXPECT_EQ(PixelOf(form->imgLogo, 24, 24), 0xF28C28u);
  EXPECT_EQ(PixelOf(form->imgLogo, 0, 0), PixelOf(form->imgBanner, 23, 36));
  // The banner's bottom is blue only in part: the background shows through it.
  const uint32_t banner = PixelOf(form->imgBanner, 300, 118);
  const uint32_t background = PixelOf(form->pnlBack, 300, 125);
  EXPECT_GT(Red(banner), 46);
  EXPECT_LT(Red(banner), Red(background));
  // A transparent panel leaves its red colour out: the white page shows through.
  EXPECT_EQ(PixelOf(form->pnlRdbtn, 140, 4), 0xFFFFFFu);
  // The checked radio button has the navy dot in its box; the other one none.
  EXPECT_EQ(PixelOf(form->rdbDX, 6, 8), 0x000080u);
  EXPECT_EQ(PixelOf(form->RdbLT, 6, 8), 0xFFFFFFu);
}

TEST_F(SampleFormTest, ClicksCheckOneRadioButtonOfThePairAtATime) {
  screen.Click(Middle(form->RdbLT));
  Pump();
  EXPECT_TRUE(form->RdbLT->Checked());
  EXPECT_FALSE(form->rdbDX->Checked());
  EXPECT_EQ(FocusedName(), "RdbLT");
  EXPECT_EQ(PixelOf(form->RdbLT, 6, 8), 0x000080u);
  EXPECT_EQ(PixelOf(form->rdbDX, 6, 8), 0xFFFFFFu);

  // A second click on the checked one keeps it checked.
  screen.Click(Middle(form->RdbLT));
  screen.Click(Middle(form->rdbDX));
  Pump();
  EXPECT_TRUE(form->rdbDX->Checked());
  EXPECT_FALSE(form->RdbLT->Checked());
}

TEST_F(SampleFormTest, TheAccessKeyPressesTheButtonWithOrWithoutAlt) {
  struct Case {
    bool alt;
    char16_t typed;
  };
  for (const Case c : {Case{false, u'o'}, Case{false, u'O'}, Case{true, 0}}) {
    form->okClicks = 0;
    form->SetModalResult(mrNone);
    if (c.alt) screen.KeyDown(winsys::VK_MENU);
    screen.PressKey('O', c.typed);
    if (c.alt) screen.KeyUp(winsys::VK_MENU);
    Pump();
    EXPECT_EQ(form->okClicks, 1) << "alt " << c.alt << " typed " << char(c.typed);
    EXPECT_EQ(form->ModalResult(), mrOk);
  }
}

TEST_F(SampleFormTest, LettersTypedIntoAnEditBoxAreNoAccessKeys) {
  screen.Click(Middle(form->edtName));
  screen.Type(u"ok");
  Pump();
  EXPECT_EQ(form->edtName->Text(), "ok");
  EXPECT_EQ(form->okClicks, 0);
  EXPECT_EQ(form->nameChanges, 2);

  // A read-only box keeps its text and swallows the letters all the same.
  screen.Click(Middle(form->edtDir));
  screen.Type(u"o");
  Pump();
  EXPECT_EQ(form->edtDir->Text(), "/home/user/Veltrane/");
  EXPECT_EQ(form->okClicks, 0);

  // With Alt the letter is the button's again.
  screen.KeyDown(winsys::VK_MENU);
  screen.PressKey('O');
  screen.KeyUp(winsys::VK_MENU);
  Pump();
  EXPECT_EQ(form->okClicks, 1);
}

TEST_F(SampleFormTest, TabMovesTheFocusInTabOrderAndBack) {
  EXPECT_EQ(FocusedName(), "rdbDX") << "the first control that can take the focus";
  std::vector<std::string> seen;
  for (int i = 0; i < 5; ++i) {
    screen.PressKey(winsys::VK_TAB);
    Pump();
    seen.push_back(FocusedName());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"RdbLT", "edtDir", "edtName", "btnOk", "rdbDX"}));
  EXPECT_EQ(form->dirExits, 1);

  screen.KeyDown(winsys::VK_SHIFT);
  screen.PressKey(winsys::VK_TAB);
  screen.KeyUp(winsys::VK_SHIFT);
  Pump();
  EXPECT_EQ(FocusedName(), "btnOk");
  screen.PressKey(winsys::VK_RETURN);
  Pump();
  EXPECT_EQ(form->okClicks, 1) << "Enter presses the focused button";
}

TEST_F(SampleFormTest, WritesItsPictureOfTheDesktop) {
  // Point at the button, so that the picture shows its hot-track face too.
  screen.MovePointer(Middle(form->btnOk));
  Pump();
  const char* folder = std::getenv("TMPDIR");
  const std::filesystem::path path =
      std::filesystem::path(folder && *folder ? folder : ".") / "sample_form.png";
  screen.WritePng(path.string());
  EXPECT_GT(std::filesystem::file_size(path), 1000u);
  EXPECT_EQ(PixelOf(form->btnOk, 5, 5), 0x0E61B9u) << "the face under the mouse";
}

}  // namespace
