#pragma once

#include <string>

#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/TComponent.h"
#include "framework/TFont.h"

class TWinControl;
class TCustomForm;
class TCanvas;

// Stored for the controls that show a menu arrow; the program shows no menus.
class TPopupMenu : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TPopupMenu"; }
};

// A visible element of a form: bounds within its parent, alignment, visibility, colour, font,
// caption and the mouse events. Messages reach a control through WindowProc, which a component
// may replace; WndProc is the control's own handling.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  // The form this control lies on (itself for a form); null when it lies on none.
  TCustomForm* ParentForm() const;

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientSize(int width, int height) { SetBounds(FLeft, FTop, width, height); }

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors value) { FAnchors = value; }

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent up to a shown form.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);

  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value) { FCursor = value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool value) { FShowHint = value; }
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value) { FParentShowHint = value; }
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  virtual void SetPopupMenu(TPopupMenu* value);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle value) { FControlStyle = value; }

  const TWndMethod& WindowProc() const { return FWindowProc; }
  void SetWindowProc(TWndMethod value) { FWindowProc = std::move(value); }
  // Sends a message through WindowProc and answers its result.
  winsys::LRESULT Perform(winsys::UINT Msg, winsys::WPARAM WParam, winsys::LPARAM LParam);

  // Marks the control for painting; it paints with its parent's next paint.
  virtual void Invalidate();
  // Paints the control now.
  void Repaint();

  // Coordinates: client of this control <-> client of its top-level window, and the screen.
  TPoint ClientOrigin() const;  // in the top-level window's client coordinates
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent e) { FOnClick = std::move(e); }
  void SetOnDblClick(TNotifyEvent e) { FOnDblClick = std::move(e); }
  void SetOnMouseDown(TMouseEvent e) { FOnMouseDown = std::move(e); }
  void SetOnMouseUp(TMouseEvent e) { FOnMouseUp = std::move(e); }
  void SetOnMouseMove(TMouseMoveEvent e) { FOnMouseMove = std::move(e); }
  void SetOnMouseEnter(TNotifyEvent e) { FOnMouseEnter = std::move(e); }
  void SetOnMouseLeave(TNotifyEvent e) { FOnMouseLeave = std::move(e); }

  // The control's own handling of a message, after WindowProc: mouse and notice messages go to
  // the virtual handlers below; the rest to DefaultHandler.
  virtual void WndProc(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // Paints the control into canvas, whose origin is the control's top-left corner and whose
  // clip is the part to paint. Graphic controls paint into their parent's buffer this way.
  virtual void PaintTo(TCanvas& canvas) { (void)canvas; }
  // Controls that paint every pixel of their rectangle hide what lies below them.
  bool Opaque() const { return (FControlStyle & csOpaque) != 0; }

  virtual void Click();
  virtual void DblClick();

 protected:
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMDialogChar(TMessage& Message) { (void)Message; }
  // The font of the parent changed, or ParentFont was switched on.
  virtual void ParentFontChanged();
  virtual void FontChanged() { Invalidate(); }
  // Called when the parent's client size changed by (dx, dy): anchors move or stretch it.
  void ApplyAnchors(int dx, int dy);
  void Loaded() override;

  TNotifyEvent FOnClick, FOnDblClick, FOnMouseEnter, FOnMouseLeave;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;

 private:
  friend class TWinControl;
  void HandleMouse(TMessage& Message);
  void RequestAlign();
  void WatchFont();

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors = akLeft | akTop;
  bool FVisible = true;
  bool FEnabled = true;
  TCursor FCursor = crDefault;
  TColor FColor = clBtnFace;
  TFont FFont;
  bool FParentFont = true;
  std::string FCaption;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TPopupMenu* FPopupMenu = nullptr;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
  bool FClicked = false;  // a left press began on this control
  TWndMethod FWindowProc;
};
