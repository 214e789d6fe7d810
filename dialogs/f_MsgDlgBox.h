#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/TCustomForm.h"

class TCheckBox;
class TFormShadow;
class TImage;
class TLabel;
class TModalSpeedButton;
class TPanel;
class TRichEdit;

// What a message dialog is for: its title, icon and buttons.
using TMsgKind = uint8_t;
constexpr TMsgKind mkInfo = 0;
constexpr TMsgKind mkError = 1;
constexpr TMsgKind mkWarning = 2;
constexpr TMsgKind mkOkCancel = 3;
constexpr TMsgKind mkYesNoCancel = 4;
constexpr TMsgKind mkYesNo = 5;
constexpr TMsgKind mkYesNoAlt = 6;

// Shows a message modally and answers which button ended it: 1 for OK or Yes, 2 for No of
// mkYesNoCancel, 3 for Cancel, No of mkYesNo and any other closing; with the remind box ticked
// OK gives 10 and Cancel 30 for the question kinds. A blank Detail shows no details button, a
// blank RemindText no remind box.
int32_t ShowMsgDlg(TMsgKind Kind, const std::string& Msg, const std::string& Detail,
                   bool RemindChecked, const std::string& RemindText);

class Tfrm_MsgDlg;

// The dialog is freed with the pointer, on every way out.
struct TMsgDlgFreer {
  void operator()(Tfrm_MsgDlg* dialog) const;
};
using TMsgDlgPtr = std::unique_ptr<Tfrm_MsgDlg, TMsgDlgFreer>;

// The dialog of one ShowMsgDlg call, arranged for its message but not yet shown.
TMsgDlgPtr CreateMsgDlg(TMsgKind Kind, const std::string& Msg, const std::string& Detail,
                        bool RemindChecked, const std::string& RemindText);

class Tfrm_MsgDlg : public TForm {
 public:
  explicit Tfrm_MsgDlg(TComponent* AOwner);
  std::string ClassName() const override { return "Tfrm_MsgDlg"; }

  void ArrangeDialog();
  void MeasureMessage();
  void FitHeight();

  TFormShadow* FShadow = nullptr;
  TMsgKind FKind = mkInfo;
  int32_t FResultCode = 0;
  bool FHasDetail = false;

  TImage* img1 = nullptr;
  TPanel* pnl_body = nullptr;
  TPanel* pnl_title = nullptr;
  TImage* Image1 = nullptr;
  TLabel* lblSysTitle = nullptr;
  TImage* Image2 = nullptr;
  TPanel* pnlMsg = nullptr;
  TLabel* lblMsg = nullptr;
  TImage* imgWarn = nullptr;
  TImage* imgError = nullptr;
  TImage* imgInfo = nullptr;
  TImage* imgConfirm = nullptr;
  TPanel* pnlRemind = nullptr;
  TCheckBox* cbxRemind = nullptr;
  TLabel* lblRemind = nullptr;
  TPanel* pnlDetail = nullptr;
  TPanel* Panel3 = nullptr;
  TRichEdit* moInfo = nullptr;
  TPanel* pnlButton = nullptr;
  TImage* Image3 = nullptr;
  TModalSpeedButton* sBtnLeft = nullptr;
  TModalSpeedButton* sBtnCenter = nullptr;
  TModalSpeedButton* sBtnRight = nullptr;
  TModalSpeedButton* sBtnDetail = nullptr;

 protected:
  void CreateParams(TCreateParams& Params) override;

 private:
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormKeyDown(TObject* Sender, winsys::WORD& Key, TShiftState Shift);
  void sBtnLeftClick(TObject* Sender);
  void sBtnCenterClick(TObject* Sender);
  void sBtnRightClick(TObject* Sender);
  void sBtnDetailClick(TObject* Sender);
  void Image1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Image1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Image2MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void Image2Click(TObject* Sender);
  // Places the visible answer buttons from the right edge leftwards, 8 pixels apart.
  void PlaceButtonsFromRight(std::initializer_list<TModalSpeedButton*> rightToLeft);
};
