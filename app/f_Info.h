#pragma once

#include <cstdint>

#include "framework/TCustomForm.h"

class TFormShadow;
class TImage;
class TLabel;
class TPNGImageButtonEx;
class TSkinPanel;

// Shows the download-failure dialog modally and answers the user's choice: 0 to give up (also
// for any closing without a button), 1 to open the package's address in the browser, 2 to
// download again.
int32_t ShowInfoDialog();

class Tfrm_Info : public TForm {
 public:
  explicit Tfrm_Info(TComponent* AOwner);
  std::string ClassName() const override { return "Tfrm_Info"; }

  int32_t FResult = 0;
  TFormShadow* FShadow = nullptr;

  TSkinPanel* pnl_Titile = nullptr;
  TLabel* lblSysTitle = nullptr;
  TSkinPanel* pnlMinClose = nullptr;
  TPNGImageButtonEx* btnClose = nullptr;
  TImage* Image1 = nullptr;
  TLabel* Label1 = nullptr;
  TSkinPanel* pnl_bottom = nullptr;
  TImage* btnUseIE = nullptr;
  TImage* btnReLoad = nullptr;

 private:
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void btnCloseClick(TObject* Sender);
  void btnUseIEClick(TObject* Sender);
  void btnReLoadClick(TObject* Sender);
  void pnl_TitileMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Finish(int32_t result);
};
