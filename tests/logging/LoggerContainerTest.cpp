#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "framework/TBitmap.h"
#include "framework/TCheckBox.h"
#include "framework/TListBox.h"
#include "framework/TListView.h"
#include "framework/TMemo.h"
#include "framework/TPanel.h"
#include "framework/TRichEdit.h"
#include "logging/f_Logger.h"
#include "platform/kernel/Exception.h"
#include "tests/support/TempDir.h"

namespace {

constexpr const char* kStamp = "2024/12/09 14:03:07.125 ";

class LoggerContainerTest : public testing::Test {
 protected:
  TLogger::TClock Clock() {
    return [] { return kernel::SystemTime{2024, 12, 1, 9, 14, 3, 7, 125}; };
  }

  // Counts the line-down requests that reach the control.
  void CountScrolls(TControl& control) {
    const TWndMethod original = control.WindowProc();
    control.SetWindowProc([this, original](TMessage& m) {
      if (m.Msg == winsys::WM_VSCROLL && m.WParam == SB_LINEDOWN && m.LParam == 0) ++scrolls;
      original(m);
    });
  }

  TempDir dir;
  TComponent owner{nullptr};
  int scrolls = 0;
};

struct LineContainer {
  const char* name;
  std::function<TWinControl*(TComponent*)> make;
  std::function<TStrings&(TWinControl*)> lines;
};

TEST_F(LoggerContainerTest, MemoAndListBoxAreEmptiedByTheLineThatFindsAThousand) {
  for (const LineContainer& c : {
           LineContainer{
               "memo", [](TComponent* o) { return TComponent::Create<TMemo>(o); },
               [](TWinControl* w) -> TStrings& { return static_cast<TMemo*>(w)->Lines(); }},
           LineContainer{
               "rich edit", [](TComponent* o) { return TComponent::Create<TRichEdit>(o); },
               [](TWinControl* w) -> TStrings& { return static_cast<TRichEdit*>(w)->Lines(); }},
           LineContainer{
               "list box", [](TComponent* o) { return TComponent::Create<TListBox>(o); },
               [](TWinControl* w) -> TStrings& { return static_cast<TListBox*>(w)->Items(); }},
       }) {
    scrolls = 0;
    TWinControl* box = c.make(&owner);
    CountScrolls(*box);
    TLogger logger(box, dir.Path(), Clock());
    for (int i = 0; i < 1000; ++i) logger.WriteLog("line " + std::to_string(i), -1);
    TStrings& lines = c.lines(box);
    ASSERT_EQ(lines.Count(), 1000) << c.name;
    EXPECT_EQ(lines.Strings(0), std::string(kStamp) + "line 0") << c.name;
    EXPECT_EQ(lines.Strings(999), std::string(kStamp) + "line 999") << c.name;

    logger.WriteLog("line 1000", llInformation);
    EXPECT_EQ(lines.Count(), 0) << c.name << ": the new line goes too";
    EXPECT_EQ(scrolls, 1001) << c.name;
    EXPECT_FALSE(logger.FileName().empty()) << c.name << ": the file step still runs";
    owner.DestroyComponent(box);
  }
}

TEST_F(LoggerContainerTest, AListViewIsEmptiedWhenItsThousandthItemArrives) {
  auto* view = TComponent::Create<TListView>(&owner);
  view->SetViewStyle(vsReport);
  CountScrolls(*view);
  TLogger logger(view, dir.Path(), Clock());
  for (int i = 0; i < 999; ++i) logger.WriteLog("item " + std::to_string(i), -1);
  ASSERT_EQ(view->Items().Count(), 999);
  const TListItem& first = *view->Items().Item(0);
  EXPECT_EQ(first.Caption(), "2024/12/09 14:03:07.125");
  ASSERT_EQ(first.SubItems().Count(), 1);
  EXPECT_EQ(first.SubItems().Strings(0), "item 0");
  EXPECT_EQ(first.ImageIndex(), -1) << "no image list";

  logger.WriteLog("item 999", -1);
  EXPECT_EQ(view->Items().Count(), 0);
  EXPECT_EQ(scrolls, 1000);
}

TEST_F(LoggerContainerTest, AnItemShowsTheImageOfItsLevelWhenTheListHasOne) {
  auto* view = TComponent::Create<TListView>(&owner);
  auto* images = TComponent::Create<TImageList>(&owner);
  const TBitmap picture(16, 16);
  images->Add(picture);
  images->Add(picture);
  view->SetSmallImages(images);
  TLogger logger(view, dir.Path(), Clock());
  struct Case {
    int32_t level;
    int imageIndex;
  };
  for (const Case& c : {Case{llInformation, 0}, Case{llNotice, 1}, Case{llWarning, -1}, Case{7, -1},
                        Case{-1, -1}}) {
    logger.WriteLog("x", c.level);
    EXPECT_EQ(view->Items().Item(view->Items().Count() - 1)->ImageIndex(), c.imageIndex) << c.level;
  }
}

TEST_F(LoggerContainerTest, AnyOtherContainerFailsWithItsClassNameAndNothingReachesTheFile) {
  for (TWinControl* control : {static_cast<TWinControl*>(TComponent::Create<TPanel>(&owner)),
                               static_cast<TWinControl*>(TComponent::Create<TCheckBox>(&owner))}) {
    TLogger logger(control, dir.Path(), Clock());
    try {
      logger.WriteLog("text", llError);
      ADD_FAILURE() << "no exception for " << control->ClassName();
    } catch (const kernel::Exception& e) {
      EXPECT_EQ(std::string(e.what()), "日志容器类型不支持:" + control->ClassName());
    }
    EXPECT_TRUE(logger.FileName().empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
  }
}

}  // namespace
