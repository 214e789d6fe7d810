#include "app/f_Info.h"

#include <memory>

#include "app/f_WindowDrag.h"
#include "controls/f_PNGImageButton.h"
#include "controls/f_ShadowFrame.h"
#include "framework/TFormLoader.h"
#include "framework/TImage.h"
#include "framework/TLabel.h"
#include "framework/TSkinPanel.h"

Tfrm_Info::Tfrm_Info(TComponent* AOwner) : TForm(AOwner) {
  TFormLoader loader(*this);
  loader.Field("pnl_Titile", pnl_Titile);
  loader.Field("lblSysTitle", lblSysTitle);
  loader.Field("pnlMinClose", pnlMinClose);
  loader.Field("btnClose", btnClose);
  loader.Field("Image1", Image1);
  loader.Field("Label1", Label1);
  loader.Field("pnl_bottom", pnl_bottom);
  loader.Field("btnUseIE", btnUseIE);
  loader.Field("btnReLoad", btnReLoad);
  loader.Handler("FormCreate", this, &Tfrm_Info::FormCreate);
  loader.Handler("FormShow", this, &Tfrm_Info::FormShow);
  loader.Handler("btnCloseClick", this, &Tfrm_Info::btnCloseClick);
  loader.Handler("btnUseIEClick", this, &Tfrm_Info::btnUseIEClick);
  loader.Handler("btnReLoadClick", this, &Tfrm_Info::btnReLoadClick);
  loader.Handler("pnl_TitileMouseDown", this, &Tfrm_Info::pnl_TitileMouseDown);
  loader.Load("frm_Info.form");
}

void Tfrm_Info::FormCreate(TObject*) {
  FShadow = TComponent::Create<TFormShadow>(this);
  FShadow->SetForm(this);
}

void Tfrm_Info::FormShow(TObject*) {
  FShadow->SetActive(true);
}

void Tfrm_Info::Finish(int32_t result) {
  FResult = result;
  Close();
}

void Tfrm_Info::btnCloseClick(TObject*) {
  Finish(0);
}
void Tfrm_Info::btnUseIEClick(TObject*) {
  Finish(1);
}
void Tfrm_Info::btnReLoadClick(TObject*) {
  Finish(2);
}

void Tfrm_Info::pnl_TitileMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  StartWindowDrag(*this);
}

int32_t ShowInfoDialog() {
  const std::unique_ptr<Tfrm_Info> dialog = std::make_unique<Tfrm_Info>(nullptr);
  dialog->ShowModal();
  return dialog->FResult;
}
