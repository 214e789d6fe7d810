#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/ChromeClasses.h"
#include "dialogs/f_MsgDlgBox.h"
#include "framework/ClassRegistry.h"
#include "framework/TBitmap.h"
#include "framework/TImage.h"
#include "framework/TLabel.h"
#include "framework/TModalSpeedButton.h"
#include "framework/TPanel.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

using winsys::VK_ESCAPE;
using winsys::VK_RETURN;
using winsys::VK_TAB;

class MsgDlgTest : public FrameworkTest {
 protected:
  void SetUp() override { GuardModalLoops(); }

  static void SetUpTestSuite() {
    static const bool registered = (RegisterChromeControls(TClassRegistry::Instance()), true);
    (void)registered;
  }

  // The width of a message on one line in the dialog's message font, with the two spaces the
  // dialog adds.
  static int TextWidth(const std::string& msg) {
    TBitmap probe(1, 1);
    probe.Canvas().Font().SetName("微软雅黑");
    probe.Canvas().Font().SetHeight(15);
    return probe.Canvas().TextWidth(msg + "  ");
  }

  static std::string Chinese(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "安";
    return text;
  }
};

TEST_F(MsgDlgTest, SizesFollowTheMessagesWidth) {
  struct Case {
    const char* name;
    std::string msg;
    std::string detail;
    int width;
    int height;
  };
  const int shortWidth = TextWidth("请选择保存路径。");
  ASSERT_EQ(shortWidth, 128) << "the font this machine has";
  const std::vector<Case> cases = {
      {"short", "请选择保存路径。", "", 300, 183},
      {"short with details", "请选择保存路径。", "第一行\n第二行", 300, 333},
      // Spaces are 4 pixels: 195 + 8 + 8 = 211 still fits 300, 215 widens the dialog.
      {"211 pixels", Chinese(13) + "  ", "", 300, 183},
      {"215 pixels", Chinese(13) + "   ", "", 302, 183},
      // 20 characters of 15 pixels and two spaces: 308 pixels, so 67 + 308 + 20.
      {"308 pixels", Chinese(20), "", 395, 183},
      {"413 pixels", Chinese(27), "", 500, 183},
      {"417 pixels", Chinese(27) + " ", "", 500, 183},
      // 608 pixels wrap onto 2 lines of 413: the label's bottom stays inside the panel.
      {"two lines", Chinese(40), "", 500, 183},
      // 1358 pixels need 4 lines of 18: the label ends at 14 + 72, so the panel grows by 16.
      {"four lines", Chinese(90), "", 500, 199},
      {"four lines with details", Chinese(90), "详细", 500, 349},
  };
  for (const Case& c : cases) {
    const TMsgDlgPtr dialog = CreateMsgDlg(mkInfo, c.msg, c.detail, false, "");
    dialog->FitHeight();
    if (!c.detail.empty()) dialog->sBtnDetail->Click();
    EXPECT_EQ(dialog->Width(), c.width) << c.name;
    EXPECT_EQ(dialog->Height(), c.height) << c.name;
    EXPECT_EQ(dialog->sBtnDetail->Visible(), !c.detail.empty()) << c.name;
  }
}

TEST_F(MsgDlgTest, WrappedMessagesTakeTheirLinesAndTheDetailsButtonToggles) {
  const TMsgDlgPtr dialog = CreateMsgDlg(mkOkCancel, Chinese(60), "line 1\nline 2", false, "");
  EXPECT_TRUE(dialog->lblMsg->WordWrap());
  EXPECT_EQ(dialog->lblMsg->Width(), 413);
  EXPECT_EQ(dialog->lblMsg->Height(), 3 * 18);  // 908 pixels on lines of 413
  EXPECT_EQ(dialog->sBtnDetail->Caption(), "显示详细信息");
  EXPECT_EQ(dialog->sBtnDetail->Left(), dialog->sBtnLeft->Left() - 80 - 8);
  EXPECT_EQ(dialog->sBtnRight->Left(), 500 - 67 - 16);
  EXPECT_EQ(dialog->sBtnLeft->Left(), dialog->sBtnRight->Left() - 67 - 8);
  const int top = dialog->Top();
  dialog->sBtnDetail->Click();
  EXPECT_EQ(dialog->Height(), 333);
  EXPECT_EQ(dialog->Top(), top);
  EXPECT_EQ(dialog->sBtnDetail->Caption(), "隐藏详细信息");
  EXPECT_TRUE(dialog->pnlDetail->Visible());
  dialog->sBtnDetail->Click();
  EXPECT_EQ(dialog->Height(), 183);
  EXPECT_EQ(dialog->sBtnDetail->Caption(), "显示详细信息");
}

TEST_F(MsgDlgTest, TitlesButtonsAndResultsPerKind) {
  struct Case {
    TMsgKind kind;
    const char* title;
    std::vector<std::string> buttons;  // left, centre, right captions; empty: hidden
    std::string remind;
    bool remindChecked;
    std::vector<std::pair<winsys::UINT, char16_t>> keys;
    int32_t result;
  };
  const std::vector<Case> cases = {
      {mkInfo, "提示信息", {"确定(&O)", "", ""}, "", false, {{VK_RETURN, u'\r'}}, 1},
      {mkError, "错误信息", {"确定(&O)", "", ""}, "", false, {{'O', u'o'}}, 1},
      {mkWarning, "警告信息", {"确定(&O)", "", ""}, "", false, {{VK_ESCAPE, 0}}, 3},
      // The remind box takes the focus first; OK of a notice is 1 even with the box ticked.
      {mkInfo,
       "提示信息",
       {"确定(&O)", "", ""},
       "不再提示",
       true,
       {{VK_TAB, 0}, {VK_RETURN, u'\r'}},
       1},
      {mkOkCancel, "确认信息", {"确定(&O)", "", "取消"}, "", false, {{VK_RETURN, u'\r'}}, 1},
      {mkOkCancel,
       "确认信息",
       {"确定(&O)", "", "取消"},
       "",
       false,
       {{VK_TAB, 0}, {VK_RETURN, u'\r'}},
       3},
      {mkOkCancel, "确认信息", {"确定(&O)", "", "取消"}, "不再提示", true, {{'O', u'o'}}, 10},
      {mkOkCancel,
       "确认信息",
       {"确定(&O)", "", "取消"},
       "不再提示",
       true,
       {{VK_TAB, 0}, {VK_TAB, 0}, {VK_RETURN, u'\r'}},
       30},
      {mkOkCancel, "确认信息", {"确定(&O)", "", "取消"}, "不再提示", true, {{VK_ESCAPE, 0}}, 3},
      {mkYesNoCancel, "确认信息", {"是(&Y)", "否(&N)", "取消"}, "", false, {{'N', u'n'}}, 2},
      {mkYesNoCancel, "确认信息", {"是(&Y)", "否(&N)", "取消"}, "", false, {{'Y', u'y'}}, 1},
      {mkYesNo, "确认信息", {"是(&Y)", "", "否(&N)"}, "", false, {{'N', u'n'}}, 3},
      {mkYesNoAlt, "确认信息", {"是(&Y)", "", "否(&N)"}, "", false, {{'Y', u'y'}}, 1},
      {7, "标题", {"", "", ""}, "", false, {{VK_ESCAPE, 0}}, 3},
  };
  for (const Case& c : cases) {
    const std::string name = std::string(c.title) + " kind " + std::to_string(c.kind);
    {
      const TMsgDlgPtr dialog = CreateMsgDlg(c.kind, "消息", "", c.remindChecked, c.remind);
      EXPECT_EQ(dialog->lblSysTitle->Caption(), c.title) << name;
      EXPECT_EQ(dialog->Caption(), c.title) << name;
      const TModalSpeedButton* buttons[] = {dialog->sBtnLeft, dialog->sBtnCenter,
                                            dialog->sBtnRight};
      for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(buttons[i]->Visible(), !c.buttons[i].empty()) << name << " button " << i;
        if (buttons[i]->Visible()) {
          EXPECT_EQ(buttons[i]->Caption(), c.buttons[i]) << name;
        }
      }
    }
    for (const auto& [vk, typed] : c.keys) screen.PressKey(vk, typed);
    EXPECT_EQ(ShowMsgDlg(c.kind, "消息", "", c.remindChecked, c.remind), c.result) << name;
  }
}

TEST_F(MsgDlgTest, TheClosePictureEndsTheDialogWithThree) {
  const TMsgDlgPtr probe = CreateMsgDlg(mkYesNoCancel, "消息", "", false, "");
  const int width = probe->Width();
  const int height = probe->Height();
  // The dialog is centred on the 1280 x 800 screen; the close picture is at its top right.
  const int left = (1280 - width) / 2;
  const int top = (800 - height) / 2;
  // Anchored to the right, it keeps its distance to the right edge as the dialog narrows.
  EXPECT_EQ(probe->Image2->Left(), width - 2 - 29);
  screen.Click({left + 1 + (width - 2) - 29 + 13, top + 1 + 4 + 13});
  EXPECT_EQ(ShowMsgDlg(mkYesNoCancel, "消息", "", false, ""), 3);
}

}  // namespace
