#pragma once

#include <functional>
#include <string>

#include "framework/TCanvas.h"
#include "framework/TWinControl.h"

enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TBorderStyle { bsNone };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A borderless top-level window: its components come from its form description, it can be
// shown modally, and it routes keys to the focused control (after itself with KeyPreview).
class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  std::string ClassName() const override { return "TCustomForm"; }

  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle value) { FFormStyle = value; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  TBorderStyle BorderStyle() const { return bsNone; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult value) { FModalResult = value; }
  // Shows the form and runs the messages until ModalResult is set; the program's other windows
  // are disabled meanwhile.
  virtual TModalResult ShowModal();
  bool Modal() const { return FModal; }
  // Asks OnCloseQuery and OnClose; a modal form ends with mrCancel, the main form ends the
  // application, any other form hides.
  void Close();

  bool TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(bool value) { FTransparentColor = value; }
  TColor TransparentColorValue() const { return FTransparentColorValue; }
  void SetTransparentColorValue(TColor value) { FTransparentColorValue = value; }
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool value) { FAlphaBlend = value; }
  uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(uint8_t value) { FAlphaBlendValue = value; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState value);

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // Moves the focus to the next (or previous) control in tab order that can take it.
  void SelectNext(bool forward);
  // The first control in tab order that can take the focus, or null.
  TWinControl* FirstFocusable() const;

  // What the window shows, for copying it (the form's own device context).
  TCanvas& Canvas();
  // Paints whatever is invalid now.
  void Update();

  void SetOnCreate(TNotifyEvent e) { FOnCreate = std::move(e); }
  void SetOnShow(TNotifyEvent e) { FOnShow = std::move(e); }
  void SetOnClose(TCloseEvent e) { FOnClose = std::move(e); }
  void SetOnCloseQuery(TCloseQueryEvent e) { FOnCloseQuery = std::move(e); }

  void WndProc(TMessage& Message) override;
  void ControlRemoved(TControl* control);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CMShowingChanged(TMessage& Message) override;
  virtual void DoCreate();
  virtual void DoShow();
  virtual bool CloseQuery();

 private:
  void HandleKey(TMessage& Message);
  void PlaceOnScreen();

  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  bool FKeyPreview = false;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  bool FTransparentColor = false;
  TColor FTransparentColorValue = clBlack;
  bool FAlphaBlend = false;
  uint8_t FAlphaBlendValue = 255;
  TWinControl* FActiveControl = nullptr;
  TCanvas FCanvas;
  TNotifyEvent FOnCreate, FOnShow;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
  friend class TFormLoader;
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
  std::string ClassName() const override { return "TForm"; }
};
