#pragma once

#include "framework/TCustomForm.h"
#include "framework/TFlatEdit.h"
#include "framework/TFlatRadioButton.h"
#include "framework/TFormLoader.h"
#include "framework/TImage.h"
#include "framework/TLabel.h"
#include "framework/TModalSpeedButton.h"
#include "framework/TPageControl.h"
#include "framework/TSkinPanel.h"

// The sample form of the framework: loaded from sample.form, embedded with its pictures.
class TSampleForm : public TForm {
 public:
  explicit TSampleForm(TComponent* owner) : TForm(owner) {
    TFormLoader loader(*this);
    loader.Field("pnlBack", pnlBack);
    loader.Field("pnlRdbtn", pnlRdbtn);
    loader.Field("imgBanner", imgBanner);
    loader.Field("imgLogo", imgLogo);
    loader.Field("labTitle", labTitle);
    loader.Field("labSub", labSub);
    loader.Field("labLine", labLine);
    loader.Field("PC", PC);
    loader.Field("rdbDX", rdbDX);
    loader.Field("RdbLT", RdbLT);
    loader.Field("edtDir", edtDir);
    loader.Field("edtName", edtName);
    loader.Field("btnOk", btnOk);
    loader.Handler("btnOkClick", this, &TSampleForm::btnOkClick);
    loader.Handler("edtDirExit", this, &TSampleForm::edtDirExit);
    loader.Handler("edtNameChange", this, &TSampleForm::edtNameChange);
    loader.Load("sample.form");
  }
  std::string ClassName() const override { return "TSampleForm"; }

  TSkinPanel* pnlBack = nullptr;
  TSkinPanel* pnlRdbtn = nullptr;
  TImage* imgBanner = nullptr;
  TImage* imgLogo = nullptr;
  TLabel* labTitle = nullptr;
  TLabel* labSub = nullptr;
  TLabel* labLine = nullptr;
  TPageControl* PC = nullptr;
  TFlatRadioButton* rdbDX = nullptr;
  TFlatRadioButton* RdbLT = nullptr;
  TFlatEdit* edtDir = nullptr;
  TFlatEdit* edtName = nullptr;
  TModalSpeedButton* btnOk = nullptr;

  int okClicks = 0;
  int dirExits = 0;
  int nameChanges = 0;

 private:
  void btnOkClick(TObject*) { ++okClicks; }
  void edtDirExit(TObject*) { ++dirExits; }
  void edtNameChange(TObject*) { ++nameChanges; }
};
