#pragma once

#include <string>
#include <vector>

#include "framework/TControl.h"
#include "platform/winsys/Types.h"

// What a windowed control asks of the window system when its window is made.
struct TCreateParams {
  std::string Caption;
  winsys::DWORD Style = 0;
  winsys::DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  winsys::HWND WndParent = nullptr;  // the owner window
  winsys::UINT ClassStyle = 0;
};

// A control that holds other controls, can take the keyboard focus and, when it has no parent
// control, has a window of its own (forms, and the layered shadow). Controls inside a window
// have none: they paint into the window's picture and get their input from it.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const { return FControls[index]; }
  // The visible, enabled control deepest under point p (client coordinates); this control
  // itself when no child is there.
  TControl* ControlAtPos(TPoint p, bool allowDisabled = false);

  // The window of a control without parent: made on first need through CreateParams.
  winsys::HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  virtual void DestroyHandle();

  void SetParent(TWinControl* AParent) override;
  bool Showing() const override;
  void SetVisible(bool value) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool value) override;
  void Invalidate() override;
  // Marks a part of this control (client coordinates) for painting.
  void InvalidateArea(const TRect& rect);
  void Realign();

  // Focus and keys.
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool value) { FTabStop = value; }
  int TabOrder() const;
  void SetTabOrder(int value);
  // Windowed children in tab order.
  const std::vector<TWinControl*>& TabList() const { return FTabList; }
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  void SetOnEnter(TNotifyEvent e) { FOnEnter = std::move(e); }
  void SetOnExit(TNotifyEvent e) { FOnExit = std::move(e); }
  void SetOnKeyDown(TKeyEvent e) { FOnKeyDown = std::move(e); }
  void SetOnKeyPress(TKeyPressEvent e) { FOnKeyPress = std::move(e); }

  // Keys reach the focused control through these; a handler that takes the key sets it to 0.
  virtual void KeyDown(winsys::WORD& Key, TShiftState Shift);
  virtual void KeyPress(char16_t& Key);

  // Paints the background (unless the control is transparent) and then every child.
  void PaintTo(TCanvas& canvas) override;
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
  // Children paint over what this control painted.
  void PaintControls(TCanvas& canvas);

  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // Offers a character to this control and all its children as an access key.
  bool DialogChar(TMessage& Message);

 protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  // Alignment waits while a description loads: the children are placed once it is done.
  void Loaded() override;
  // The background of the control's rectangle; a transparent control paints none.
  virtual void PaintBackground(TCanvas& canvas);
  virtual void DoEnter();
  virtual void DoExit();
  // Showing changed: windows are shown or hidden here.
  virtual void CMShowingChanged(TMessage& Message);
  void FontChanged() override;
  void UpdateShowing();
  // The window's client size changed to (w, h): bounds follow and children realign.
  void WindowSized(int w, int h);
  void WindowMoved(int x, int y);

  TNotifyEvent FOnEnter, FOnExit;
  TKeyEvent FOnKeyDown;
  TKeyPressEvent FOnKeyPress;

 private:
  friend class TControl;
  friend class TCustomForm;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void AlignControls();
  // Input of a window: mouse messages go to the control under the pointer or to the one that
  // holds the mouse, with enter and leave notices.
  void RouteMouse(TMessage& Message);
  void TrackMouseControl(TControl* control);
  void MainWndProc(winsys::HWND hwnd, TMessage& Message);
  void PaintWindow();

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  winsys::HWND FHandle = nullptr;
  bool FTabStop = false;
  bool FShowing = false;
  bool FDoubleBuffered = false;
  bool FAligning = false;
  int FAlignedWidth = 0, FAlignedHeight = 0;  // the client size the children were placed for
  TControl* FMouseControl = nullptr;          // under the pointer
  TControl* FCaptureControl = nullptr;        // holds the mouse while a button is down
  bool FSyncingBounds = false;                // bounds taken from the window: no SetWindowPos back
};
