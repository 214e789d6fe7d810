#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/TCustomForm.h"
#include "framework/TFormLoader.h"
#include "framework/TImage.h"
#include "framework/TLabel.h"
#include "framework/TPNGObject.h"
#include "framework/TPageControl.h"
#include "framework/TPanel.h"
#include "platform/kernel/Exception.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

constexpr int kFormX = 100, kFormY = 50;

uint32_t Rgb(TColor color) {
  const TColor c = ColorToRGB(color);
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

// A shown white form at (100, 50) to put controls on.
class StandardControlsTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = application.CreateForm<TForm>();
    form->SetBounds(kFormX, kFormY, 300, 200);
    form->SetColor(clWhite);
    form->Show();
    Pump();
  }

  template <class T>
  T* Make(TWinControl* parent, TRect bounds) {
    T* control = TComponent::Create<T>(form);
    control->SetParent(parent);
    control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    return control;
  }

  // The form's pixel at a point of its client area.
  uint32_t At(int x, int y) {
    Pump();
    return ScreenPixel(kFormX + x, kFormY + y);
  }

  TForm* form = nullptr;
};

// --- TLabel ---

TEST_F(StandardControlsTest, AnAutoSizedLabelTakesItsTextsSizeFromTheFont) {
  struct Case {
    const char* caption;
    bool wordWrap;
    int width;  // before sizing; kept with word wrap
    TSize expected;
  };
  // CJK glyphs are 15 wide at 15 px, a space 4; a line is 18 high.
  for (const Case& c : {Case{"请选择保存路径。  ", false, 10, {128, 18}},
                        Case{"", false, 50, {0, 18}}, Case{"下载\n下载下载", false, 10, {60, 36}},
                        Case{"下载下载下载下载下载下载下载下载下载下载", true, 100, {100, 72}},
                        Case{"", true, 100, {100, 18}}}) {
    auto* label = Make<TLabel>(form, Bounds(0, 0, c.width, 5));
    label->SetWordWrap(c.wordWrap);
    label->Font().SetHeight(15);
    label->SetCaption(c.caption);
    EXPECT_EQ((TSize{label->Width(), label->Height()}), c.expected) << c.caption;
    form->DestroyComponent(label);
  }
}

TEST_F(StandardControlsTest, AWrappedLabelFollowsItsWidthAndKeepsAHeightItsCallerSets) {
  auto* label = Make<TLabel>(form, Bounds(67, 14, 10, 10));
  label->Font().SetHeight(15);
  std::string text;
  for (int i = 0; i < 40; ++i) text += "下";
  label->SetCaption(text);
  EXPECT_EQ(label->Width(), 600);

  label->SetWordWrap(true);
  label->SetWidth(413);
  EXPECT_EQ((TSize{label->Width(), label->Height()}), (TSize{413, 36})) << "27 glyphs a line";
  label->SetHeight(3 * 18);
  EXPECT_EQ((TSize{label->Width(), label->Height()}), (TSize{413, 54}));

  label->SetCaption("短");
  EXPECT_EQ((TSize{label->Width(), label->Height()}), (TSize{413, 18}));
}

TEST_F(StandardControlsTest, ARightJustifiedLabelKeepsItsRightEdgeWhenItSizesItself) {
  auto* label = Make<TLabel>(form, Bounds(100, 0, 50, 18));
  label->SetAlignment(taRightJustify);
  label->Font().SetHeight(15);
  label->SetCaption("下载");
  EXPECT_EQ(label->Left() + label->Width(), 150);
  EXPECT_EQ(label->Width(), 30);
}

TEST_F(StandardControlsTest, ALoadedLabelSizesWithTheFontItWasGivenAfterItsCaption) {
  TFormLoader loader(*form);
  loader.LoadFromText(R"(TForm f {
    TLabel lbl {
      Caption = "请选择保存路径。  "
      Font.Height = 15
    }
  })",
                      "label.form");
  auto* label = dynamic_cast<TLabel*>(form->FindComponent("lbl"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ((TSize{label->Width(), label->Height()}), (TSize{128, 18}));
}

TEST_F(StandardControlsTest, AnOpaqueLabelFillsWithItsColourATransparentOneShowsItsParent) {
  auto* label = Make<TLabel>(form, Bounds(10, 10, 40, 20));
  label->SetAutoSize(false);
  label->SetColor(clRed);
  EXPECT_EQ(At(12, 12), 0xFFFFFFu);
  label->SetTransparent(false);
  EXPECT_EQ(At(12, 12), 0xFF0000u);
}

// --- TImage ---

// A picture whose pixels are given as 0xAARRGGBB, left to right, one row.
std::unique_ptr<TPNGObject> Row(std::initializer_list<uint32_t> pixels, bool alpha) {
  auto png = std::make_unique<TPNGObject>();
  png->CreateBlank(alpha ? COLOR_RGBALPHA : COLOR_RGB, 8, int(pixels.size()), 1);
  uint8_t* p = png->Scanline(0);
  for (const uint32_t argb : pixels) {
    *p++ = uint8_t(argb);
    *p++ = uint8_t(argb >> 8);
    *p++ = uint8_t(argb >> 16);
    if (alpha) *p = uint8_t(argb >> 24);
    ++p;
  }
  return png;
}

TEST_F(StandardControlsTest, APngWithAlphaBlendsOverTheImagesParent) {
  auto* image = Make<TImage>(form, Bounds(10, 10, 3, 1));
  const auto png = Row({0xFF0000FF, 0x000000FF, 0x800000FF}, true);
  image->Picture().SetGraphic(png.get());
  EXPECT_EQ(At(10, 10), 0x0000FFu);
  EXPECT_EQ(At(11, 10), 0xFFFFFFu);
  const uint32_t half = At(12, 10);
  EXPECT_NEAR(int(half >> 16), 127, 1);
  EXPECT_NEAR(int((half >> 8) & 0xFF), 127, 1);
  EXPECT_EQ(half & 0xFF, 0xFFu);
}

TEST_F(StandardControlsTest, ATransparentImageLeavesOutItsBottomLeftColourUntilSwitchedOff) {
  auto* image = Make<TImage>(form, Bounds(10, 10, 2, 1));
  const auto png = Row({0xFF00FF00, 0xFFFF0000}, false);
  image->Picture().SetGraphic(png.get());
  image->SetTransparent(true);
  EXPECT_EQ(At(10, 10), 0xFFFFFFu);
  EXPECT_EQ(At(11, 10), 0xFF0000u);
  image->SetTransparent(false);
  EXPECT_EQ(At(10, 10), 0x00FF00u);
}

TEST_F(StandardControlsTest, AnUnstretchedPictureShowsAsFarAsTheImageIsWide) {
  auto* image = Make<TImage>(form, Bounds(10, 10, 0, 1));
  const auto fill = Row({0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF}, false);
  image->Picture().SetGraphic(fill.get());
  EXPECT_EQ(At(10, 10), 0xFFFFFFu);
  image->SetWidth(2);
  EXPECT_EQ(At(11, 10), 0x0000FFu);
  EXPECT_EQ(At(12, 10), 0xFFFFFFu);
  image->SetWidth(10);
  EXPECT_EQ(At(13, 10), 0x0000FFu);
  EXPECT_EQ(At(14, 10), 0xFFFFFFu) << "beyond the picture";
  image->SetStretch(true);
  EXPECT_EQ(At(19, 10), 0x0000FFu);
}

// --- TPanel ---

TEST_F(StandardControlsTest, APanelsBevelsFrameItAndKeepAlignedChildrenInside) {
  auto* panel = Make<TPanel>(form, Bounds(10, 10, 100, 50));
  EXPECT_EQ(At(10, 10), Rgb(clBtnHighlight)) << "raised by default";
  EXPECT_EQ(At(109, 59), Rgb(clBtnShadow));
  EXPECT_EQ(At(50, 30), Rgb(clBtnFace));

  panel->SetBevelOuter(bvLowered);
  panel->SetBevelInner(bvRaised);
  auto* inner = Make<TPanel>(panel, Bounds(0, 0, 10, 10));
  inner->SetAlign(alClient);
  EXPECT_EQ(inner->BoundsRect(), Rect(2, 2, 98, 48));
  EXPECT_EQ(At(10, 10), Rgb(clBtnShadow));

  panel->SetBevelOuter(bvNone);
  panel->SetBevelInner(bvNone);
  EXPECT_EQ(inner->BoundsRect(), Rect(0, 0, 100, 50));
}

// --- TPageControl ---

class PageControlTest : public StandardControlsTest {
 protected:
  void SetUp() override {
    StandardControlsTest::SetUp();
    pages = Make<TPageControl>(form, Bounds(0, 0, 200, 100));
    for (const char* name : {"TS1", "TS2", "TS3"}) {
      auto* sheet = TComponent::Create<TTabSheet>(form);
      sheet->SetName(name);
      sheet->SetCaption(name);
      sheet->SetParent(pages);
      sheet->SetOnShow([this](TObject* s) { shown += static_cast<TTabSheet*>(s)->Name() + " "; });
    }
  }
  TTabSheet* Page(int i) { return pages->Pages(i); }

  TPageControl* pages = nullptr;
  std::string shown;
};

TEST_F(PageControlTest, OnlyTheActivePageShowsAndItsOnShowFires) {
  pages->SetActivePage(Page(1));
  pages->SetActivePageIndex(2);
  pages->SetActivePage(Page(2));
  EXPECT_EQ(shown, "TS2 TS3 ");
  EXPECT_FALSE(Page(0)->Visible());
  EXPECT_FALSE(Page(1)->Visible());
  EXPECT_TRUE(Page(2)->Showing());

  form->Hide();
  pages->SetActivePage(Page(0));
  EXPECT_EQ(shown, "TS2 TS3 ") << "a page of a hidden form does not show";
  form->Show();
  EXPECT_EQ(shown, "TS2 TS3 TS1 ");
}

TEST_F(PageControlTest, HiddenTabsLeaveNoStripAndThePagesFillTheControl) {
  pages->SetActivePage(Page(0));
  Page(0)->SetColor(clRed);
  EXPECT_EQ(Page(0)->BoundsRect(), Rect(0, 22, 200, 100));
  EXPECT_NE(At(5, 5), 0xFF0000u);

  for (int i = 0; i < pages->PageCount(); ++i) Page(i)->SetTabVisible(false);
  EXPECT_EQ(Page(0)->BoundsRect(), Rect(0, 0, 200, 100));
  EXPECT_EQ(At(5, 5), 0xFF0000u);
  pages->SetBounds(0, 0, 150, 80);
  EXPECT_EQ(Page(2)->BoundsRect(), Rect(0, 0, 150, 80));
}

TEST_F(PageControlTest, AClickOnATabActivatesItsPage) {
  pages->SetActivePage(Page(0));
  Page(1)->SetTabVisible(false);
  // The tabs of TS1 and TS3 follow each other; a click well right of the first lands on TS3.
  screen.Click({kFormX + 60, kFormY + 10});
  Pump();
  EXPECT_EQ(pages->ActivePage(), Page(2));
}

TEST_F(PageControlTest, ADescriptionNamesTheActivePageBeforeThePagesExist) {
  TFormLoader loader(*form);
  loader.LoadFromText(R"(TForm f {
    TPageControl PC2 {
      ActivePage = P2
      Style = tsFlatButtons
      TTabSheet P1 { TabVisible = false }
      TTabSheet P2 { TabVisible = false }
    }
  })",
                      "pages.form");
  auto* pc = dynamic_cast<TPageControl*>(form->FindComponent("PC2"));
  ASSERT_NE(pc, nullptr);
  EXPECT_EQ(pc->ActivePage(), form->FindComponent("P2"));
  EXPECT_EQ(pc->Style(), tsFlatButtons);

  TFormLoader wrong(*form);
  EXPECT_THROW(wrong.LoadFromText("TForm f { TPageControl PC3 { ActivePage = P9 } }", "bad.form"),
               kernel::Exception);
}

TEST_F(PageControlTest, APageFreedFirstLeavesThePageControl) {
  pages->SetActivePage(Page(1));
  form->DestroyComponent(Page(1));
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(pages->ActivePage(), nullptr);
  EXPECT_EQ(Page(1)->Name(), "TS3");
}

}  // namespace
