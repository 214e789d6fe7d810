#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/TBitmap.h"
#include "framework/TCheckBox.h"
#include "framework/TCustomForm.h"
#include "framework/TListBox.h"
#include "framework/TListView.h"
#include "framework/TMemo.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

constexpr int kFormX = 100, kFormY = 50;

TEST(StringsTest, TextSplitsAtEveryKindOfLineBreak) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
    const char* back;
  };
  for (const Case& c :
       {Case{"", {}, ""}, Case{"a", {"a"}, "a\n"}, Case{"a\nb", {"a", "b"}, "a\nb\n"},
        Case{"a\r\nb\r\n", {"a", "b"}, "a\nb\n"}, Case{"a\rb", {"a", "b"}, "a\nb\n"},
        Case{"a\n\nb", {"a", "", "b"}, "a\n\nb\n"}, Case{"\n", {""}, "\n"}}) {
    TStrings strings;
    strings.SetText(c.text);
    std::vector<std::string> lines;
    for (int i = 0; i < strings.Count(); ++i) lines.push_back(strings.Strings(i));
    EXPECT_EQ(lines, c.lines) << c.text;
    EXPECT_EQ(strings.Text(), c.back);
  }
}

class RowControlsTest : public FrameworkTest {
 protected:
  void SetUp() override {
    form = application.CreateForm<TForm>();
    form->SetBounds(kFormX, kFormY, 400, 200);
    form->SetColor(clWhite);
    form->Show();
    Pump();
  }

  template <class T>
  T* Make(TRect bounds) {
    T* control = TComponent::Create<T>(form);
    control->SetParent(form);
    control->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    // Rows of 18 pixels; they start inside a one-pixel frame.
    control->Font().SetHeight(15);
    return control;
  }

  // The composed pixels of a rectangle of the form's client area, row by row, as 0xRRGGBB.
  std::vector<uint32_t> Pixels(const TRect& r) {
    Pump();
    const winsys::PixelBuffer& desktop = screen.Compose();
    std::vector<uint32_t> out;
    for (int y = r.Top; y < r.Bottom; ++y) {
      for (int x = r.Left; x < r.Right; ++x) {
        const uint8_t* p = desktop.Pixel(kFormX + x, kFormY + y);
        out.push_back(uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]);
      }
    }
    return out;
  }

  TForm* form = nullptr;
};

TEST_F(RowControlsTest, LineScrollingMovesTheTopLineAsFarAsTheLastLineReachingTheBottom) {
  auto* memo = Make<TMemo>(Bounds(0, 0, 120, 3 * 18 + 2));
  memo->SetScrollBars(ssVertical);
  memo->Lines().SetText("一\n二\n三\n四\n五");
  ASSERT_EQ(memo->VisibleRows(), 3);
  struct Step {
    winsys::WPARAM request;
    int top;
  };
  for (const Step& s :
       {Step{SB_LINEDOWN, 1}, Step{SB_LINEDOWN, 2}, Step{SB_LINEDOWN, 2}, Step{SB_LINEUP, 1},
        Step{SB_BOTTOM, 2}, Step{SB_TOP, 0}, Step{SB_LINEUP, 0}}) {
    memo->Perform(winsys::WM_VSCROLL, s.request, 0);
    EXPECT_EQ(memo->TopRow(), s.top) << s.request;
  }
  memo->Perform(winsys::WM_VSCROLL, SB_BOTTOM, 0);
  memo->Lines().Clear();
  EXPECT_EQ(memo->TopRow(), 0) << "the top line follows the lines going away";
}

TEST_F(RowControlsTest, AScrolledMemoShowsItsLinesFromTheTopLine) {
  auto* scrolled = Make<TMemo>(Bounds(0, 0, 120, 2 * 18 + 2));
  auto* plain = Make<TMemo>(Bounds(200, 0, 120, 2 * 18 + 2));
  scrolled->Lines().SetText("一\n二\n三");
  plain->Lines().SetText("二\n三");
  const std::vector<uint32_t> expected = Pixels(Rect(200, 0, 320, 38));
  EXPECT_NE(Pixels(Rect(0, 0, 120, 38)), expected);
  scrolled->Perform(winsys::WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Pixels(Rect(0, 0, 120, 38)), expected);
}

TEST_F(RowControlsTest, APressOnTheScrollBarsArrowsScrolls) {
  auto* list = Make<TListBox>(Bounds(10, 10, 100, 2 * 18 + 2));
  list->SetScrollBars(ssVertical);
  for (const char* item : {"a", "b", "c", "d"}) list->Items().Add(item);
  screen.Click({kFormX + 10 + 100 - 5, kFormY + 10 + 2 * 18 - 3});
  Pump();
  EXPECT_EQ(list->TopRow(), 1);
  screen.Click({kFormX + 10 + 100 - 5, kFormY + 10 + 3});
  Pump();
  EXPECT_EQ(list->TopRow(), 0);
}

TEST_F(RowControlsTest, AClickSelectsTheListBoxItemUnderThePointer) {
  auto* list = Make<TListBox>(Bounds(10, 10, 100, 80));
  for (const char* item : {"a", "b", "c"}) list->Items().Add(item);
  screen.Click({kFormX + 30, kFormY + 10 + 1 + 18 + 5});
  Pump();
  EXPECT_EQ(list->ItemIndex(), 1);
  screen.Click({kFormX + 30, kFormY + 10 + 70});
  Pump();
  EXPECT_EQ(list->ItemIndex(), 1) << "below the last item";
  list->Items().Delete(2);
  list->Items().Delete(1);
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(RowControlsTest, ListViewItemsKeepTheirSubItemsAndImages) {
  auto* view = Make<TListView>(Bounds(0, 0, 300, 100));
  view->SetViewStyle(vsReport);
  view->Columns().Add("时间", 150);
  view->Columns().Add("信息", 150);
  TListItem* first = view->Items().Add();
  first->SetCaption("one");
  first->SubItems().Add("text");
  first->SetImageIndex(1);
  view->Items().Add()->SetCaption("two");
  EXPECT_EQ(view->Items().Count(), 2);
  EXPECT_EQ(view->Items().Item(0)->SubItems().Strings(0), "text");
  EXPECT_EQ(view->Items().Item(1)->Index(), 1);
  view->Items().Delete(0);
  EXPECT_EQ(view->Items().Item(0)->Caption(), "two");
  EXPECT_THROW(view->Items().Delete(1), std::out_of_range);
  view->Items().Clear();
  EXPECT_EQ(view->Items().Count(), 0);
}

TEST_F(RowControlsTest, AListViewForgetsItsImageListWhenTheListGoes) {
  auto* view = Make<TListView>(Bounds(0, 0, 300, 100));
  auto* images = TComponent::Create<TImageList>(form);
  TBitmap red(16, 16);
  red.Canvas().Brush().SetColor(clRed);
  red.Canvas().FillRect(Rect(0, 0, 16, 16));
  EXPECT_EQ(images->Add(red), 0);
  view->SetSmallImages(images);
  TListItem* item = view->Items().Add();
  item->SetImageIndex(0);
  EXPECT_EQ(Pixels(Rect(3, 1, 4, 2)), std::vector<uint32_t>{0xFF0000u});

  form->DestroyComponent(images);
  EXPECT_EQ(view->SmallImages(), nullptr);
  EXPECT_NE(Pixels(Rect(3, 1, 4, 2)), std::vector<uint32_t>{0xFF0000u});
}

TEST_F(RowControlsTest, ACheckBoxTogglesByClickAndBySpaceAndTellsOnClick) {
  auto* box = Make<TCheckBox>(Bounds(10, 10, 100, 17));
  box->SetCaption("不再提醒");
  std::vector<bool> clicks;
  box->SetOnClick([&](TObject*) { clicks.push_back(box->Checked()); });
  const std::vector<uint32_t> unticked = Pixels(Rect(10, 12, 23, 25));

  screen.Click({kFormX + 15, kFormY + 15});
  Pump();
  EXPECT_TRUE(box->Focused());
  EXPECT_NE(Pixels(Rect(10, 12, 23, 25)), unticked) << "the tick shows";
  screen.PressKey(winsys::VK_SPACE, u' ');
  Pump();
  box->SetChecked(true);
  EXPECT_EQ(clicks, (std::vector<bool>{true, false}));
  EXPECT_TRUE(box->Checked());

  // The second press of a quick pair arrives as a double press, and toggles too.
  box->Perform(winsys::WM_LBUTTONDBLCLK, winsys::MK_LBUTTON, winsys::MAKELPARAM(5, 5));
  box->Perform(winsys::WM_LBUTTONUP, 0, winsys::MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, (std::vector<bool>{true, false, false}));
}

}  // namespace
