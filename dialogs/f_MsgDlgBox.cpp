#include "dialogs/f_MsgDlgBox.h"

#include <cmath>
#include <memory>

#include "controls/f_ShadowFrame.h"
#include "framework/TApplication.h"
#include "framework/TCheckBox.h"
#include "framework/TFormLoader.h"
#include "framework/TImage.h"
#include "framework/TLabel.h"
#include "framework/TModalSpeedButton.h"
#include "framework/TPanel.h"
#include "framework/TRichEdit.h"
#include "platform/winsys/MessageApi.h"
#include "platform/winsys/WindowApi.h"

namespace {

constexpr int kButtonGap = 8;
constexpr int kRightMargin = 16;
constexpr int kDetailHeight = 150;

bool IsBlank(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) > 32) return false;
  }
  return true;
}

struct TKindLook {
  const char* title;
  const char* left;
  const char* center;  // empty: hidden
  const char* right;   // empty: hidden
};

// Kinds 0 to 6; any other kind keeps the design title and shows no button.
const TKindLook kLooks[] = {
    {"提示信息", "确定(&O)", "", ""},         {"错误信息", "确定(&O)", "", ""},
    {"警告信息", "确定(&O)", "", ""},         {"确认信息", "确定(&O)", "", "取消"},
    {"确认信息", "是(&Y)", "否(&N)", "取消"}, {"确认信息", "是(&Y)", "", "否(&N)"},
    {"确认信息", "是(&Y)", "", "否(&N)"},
};

}  // namespace

Tfrm_MsgDlg::Tfrm_MsgDlg(TComponent* AOwner) : TForm(AOwner) {
  TFormLoader loader(*this);
  loader.Field("img1", img1);
  loader.Field("pnl_body", pnl_body);
  loader.Field("pnl_title", pnl_title);
  loader.Field("Image1", Image1);
  loader.Field("lblSysTitle", lblSysTitle);
  loader.Field("Image2", Image2);
  loader.Field("pnlMsg", pnlMsg);
  loader.Field("lblMsg", lblMsg);
  loader.Field("imgWarn", imgWarn);
  loader.Field("imgError", imgError);
  loader.Field("imgInfo", imgInfo);
  loader.Field("imgConfirm", imgConfirm);
  loader.Field("pnlRemind", pnlRemind);
  loader.Field("cbxRemind", cbxRemind);
  loader.Field("lblRemind", lblRemind);
  loader.Field("pnlDetail", pnlDetail);
  loader.Field("Panel3", Panel3);
  loader.Field("moInfo", moInfo);
  loader.Field("pnlButton", pnlButton);
  loader.Field("Image3", Image3);
  loader.Field("sBtnLeft", sBtnLeft);
  loader.Field("sBtnCenter", sBtnCenter);
  loader.Field("sBtnRight", sBtnRight);
  loader.Field("sBtnDetail", sBtnDetail);
  loader.Handler("FormCreate", this, &Tfrm_MsgDlg::FormCreate);
  loader.Handler("FormShow", this, &Tfrm_MsgDlg::FormShow);
  loader.Handler("FormKeyDown", this, &Tfrm_MsgDlg::FormKeyDown);
  loader.Handler("sBtnLeftClick", this, &Tfrm_MsgDlg::sBtnLeftClick);
  loader.Handler("sBtnCenterClick", this, &Tfrm_MsgDlg::sBtnCenterClick);
  loader.Handler("sBtnRightClick", this, &Tfrm_MsgDlg::sBtnRightClick);
  loader.Handler("sBtnDetailClick", this, &Tfrm_MsgDlg::sBtnDetailClick);
  loader.Handler("Image1MouseDown", this, &Tfrm_MsgDlg::Image1MouseDown);
  loader.Handler("Image1MouseMove", this, &Tfrm_MsgDlg::Image1MouseMove);
  loader.Handler("Image2MouseMove", this, &Tfrm_MsgDlg::Image2MouseMove);
  loader.Handler("Image2Click", this, &Tfrm_MsgDlg::Image2Click);
  loader.Load("frm_MsgDlg.form");
}

void Tfrm_MsgDlg::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // A top-level window of its own, without a task-bar entry.
  Params.WndParent = nullptr;
  Params.ExStyle |= winsys::WS_EX_TOOLWINDOW;
}

void Tfrm_MsgDlg::FormCreate(TObject*) {
  SetColor(RGB(142, 142, 142));
  SetWidth(300);
  pnl_body->SetBounds(1, 1, Width() - 2, Height() - 2);
  FShadow = TComponent::Create<TFormShadow>(this);
  FShadow->SetForm(this);
  lblMsg->SetAutoSize(true);
  lblMsg->SetWordWrap(false);
  moInfo->SetColor(clWhite);
  for (TControl* control :
       std::initializer_list<TControl*>{imgInfo, imgError, imgConfirm, imgWarn, sBtnCenter,
                                        sBtnLeft, sBtnRight, sBtnDetail, pnlDetail}) {
    control->Hide();
  }
  moInfo->Lines().Clear();
}

void Tfrm_MsgDlg::FormShow(TObject*) {
  FShadow->SetActive(true);
}

void Tfrm_MsgDlg::MeasureMessage() {
  lblMsg->SetAutoSize(true);
  lblMsg->SetWordWrap(false);
  const int W = lblMsg->Width();
  const int L = lblMsg->Left();
  if (W > 300 - L - 20 && W <= 500 - L - 20) {
    SetWidth(L + W + 20);
  } else if (W > 500 - L - 20) {
    SetWidth(500);
    const int lineHeight = lblMsg->Height();
    lblMsg->SetWordWrap(true);
    lblMsg->SetWidth(480 - L);
    const double lines = std::ceil(static_cast<double>(W) / (480 - L));
    lblMsg->SetHeight(static_cast<int>(lines) * lineHeight);
  }
  const int B = lblMsg->Top() + lblMsg->Height() + 10;
  if (B > 80) pnlMsg->SetHeight(pnlMsg->Height() + (B - 80));
  FitHeight();
}

void Tfrm_MsgDlg::FitHeight() {
  int height = pnl_title->Height() + pnlMsg->Height() + pnlButton->Height();
  if (pnlDetail->Visible()) height += kDetailHeight;
  SetHeight(height);
}

void Tfrm_MsgDlg::PlaceButtonsFromRight(std::initializer_list<TModalSpeedButton*> rightToLeft) {
  int right = Width() - kRightMargin;
  for (TModalSpeedButton* button : rightToLeft) {
    button->Show();
    button->SetLeft(right - button->Width());
    right = button->Left() - kButtonGap;
  }
}

void Tfrm_MsgDlg::ArrangeDialog() {
  MeasureMessage();
  if (FKind < std::size(kLooks)) {
    const TKindLook& look = kLooks[FKind];
    lblSysTitle->SetCaption(look.title);
    TImage* icon = FKind == mkInfo      ? imgInfo
                   : FKind == mkError   ? imgError
                   : FKind == mkWarning ? imgWarn
                                        : imgConfirm;
    icon->Show();
    sBtnLeft->SetCaption(look.left);
    sBtnCenter->SetCaption(look.center);
    sBtnRight->SetCaption(look.right);
    if (*look.center) {
      PlaceButtonsFromRight({sBtnRight, sBtnCenter, sBtnLeft});
    } else if (*look.right) {
      PlaceButtonsFromRight({sBtnRight, sBtnLeft});
    } else {
      PlaceButtonsFromRight({sBtnLeft});
    }
  }
  SetCaption(lblSysTitle->Caption());
  sBtnDetail->SetVisible(FHasDetail);
  if (FHasDetail) {
    sBtnDetail->SetCaption("显示详细信息");
    sBtnDetail->SetLeft(sBtnLeft->Left() - sBtnDetail->Width() - kButtonGap);
  }
  FitHeight();
  SetPosition(poScreenCenter);
}

void Tfrm_MsgDlg::sBtnLeftClick(TObject*) {
  FResultCode = cbxRemind->Checked() ? 10 : 1;
  SetModalResult(1);
}

void Tfrm_MsgDlg::sBtnCenterClick(TObject*) {
  FResultCode = 2;
  SetModalResult(1);
}

void Tfrm_MsgDlg::sBtnRightClick(TObject*) {
  FResultCode = cbxRemind->Checked() ? 30 : 3;
  SetModalResult(1);
}

void Tfrm_MsgDlg::sBtnDetailClick(TObject*) {
  pnlDetail->SetVisible(!pnlDetail->Visible());
  sBtnDetail->SetCaption(pnlDetail->Visible() ? "隐藏详细信息" : "显示详细信息");
  FitHeight();
}

void Tfrm_MsgDlg::FormKeyDown(TObject*, winsys::WORD& Key, TShiftState) {
  if (Key == winsys::VK_ESCAPE) SetModalResult(2);
}

void Tfrm_MsgDlg::Image1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  if (WindowState() != wsNormal) return;
  winsys::ReleaseCapture();
  winsys::SendMessage(Handle(), winsys::WM_SYSCOMMAND, 0xF017, 0);
}

void Tfrm_MsgDlg::Image1MouseMove(TObject*, TShiftState, int, int) {
  Image2->SetTransparent(true);
}

void Tfrm_MsgDlg::Image2MouseMove(TObject*, TShiftState, int, int) {
  Image2->SetTransparent(false);
}

void Tfrm_MsgDlg::Image2Click(TObject*) {
  Close();
  SetModalResult(2);
}

void TMsgDlgFreer::operator()(Tfrm_MsgDlg* dialog) const {
  Application->DestroyComponent(dialog);
}

TMsgDlgPtr CreateMsgDlg(TMsgKind Kind, const std::string& Msg, const std::string& Detail,
                        bool RemindChecked, const std::string& RemindText) {
  TMsgDlgPtr dialog(TComponent::Create<Tfrm_MsgDlg>(Application));
  dialog->FKind = Kind;
  dialog->lblMsg->SetCaption(Msg + "  ");
  dialog->FHasDetail = !IsBlank(Detail);
  if (dialog->FHasDetail) {
    dialog->moInfo->Lines().Clear();
    dialog->moInfo->SetText(Detail);
  }
  if (!IsBlank(RemindText)) {
    dialog->pnlRemind->Show();
    dialog->cbxRemind->SetChecked(RemindChecked);
    dialog->lblRemind->SetCaption(RemindText);
  }
  dialog->ArrangeDialog();
  return dialog;
}

int32_t ShowMsgDlg(TMsgKind Kind, const std::string& Msg, const std::string& Detail,
                   bool RemindChecked, const std::string& RemindText) {
  const TMsgDlgPtr dialog = CreateMsgDlg(Kind, Msg, Detail, RemindChecked, RemindText);
  if (dialog->ShowModal() != 1) return 3;
  return dialog->FKind <= mkWarning ? 1 : dialog->FResultCode;
}
