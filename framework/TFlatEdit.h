#pragma once

#include "framework/TWinControl.h"

// A flat one-line edit box: a one-pixel border of BorderColor around the text, clipped to the
// box and scrolled so that the caret stays in view, with the caret shown while focused. Typing
// inserts at the caret; Backspace and Delete remove the character before or after it; Left,
// Right, Home and End move it; a click puts it at the nearest character boundary. A read-only
// box moves its caret but keeps its text. Text is the control's caption; OnChange runs after
// every change of it, typed or set.
class TFlatEdit : public TWinControl {
 public:
  explicit TFlatEdit(TComponent* AOwner);
  std::string ClassName() const override { return "TFlatEdit"; }

  const std::string& Text() const { return Caption(); }
  void SetText(const std::string& value) { SetCaption(value); }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor value);
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

  void PaintTo(TCanvas& canvas) override;
  void KeyDown(winsys::WORD& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;

 protected:
  void CMTextChanged(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  // The box's inside, where the text goes.
  TRect TextArea() const;
  // The caret's distance from the text's start, in pixels.
  int CaretX(const TCanvas& canvas) const;
  void MoveCaret(size_t offset);
  void Insert(const std::string& utf8);
  // Removes the bytes [from, to) of the text and leaves the caret at from.
  void Erase(size_t from, size_t to);
  size_t PreviousBoundary(size_t offset) const;
  size_t NextBoundary(size_t offset) const;

  bool FReadOnly = false;
  TColor FBorderColor = clGray;
  size_t FCaret = 0;            // byte offset into the UTF-8 text, on a character boundary
  char16_t FHighSurrogate = 0;  // the first half of a character typed in two parts
  TNotifyEvent FOnChange;
};
