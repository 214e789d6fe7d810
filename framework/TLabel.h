#pragma once

#include "framework/StandardControlTypes.h"
#include "framework/TGraphicControl.h"

// A line or block of text in the control's font.
//
// AutoSize (on by default) sizes the label from its font: without WordWrap it takes the width
// and height of the caption on one line; with WordWrap it keeps its width and takes the height
// of the wrapped caption. An empty caption is one line high. The size follows changes of the
// caption, the font, WordWrap and AutoSize, and a wrapped label's height follows a new width;
// a height (or an unwrapped label's width) set explicitly is kept until the next such change,
// so a caller may size a label itself. A right-justified label keeps its right edge when it
// sizes itself on one line.
//
// A transparent label (the default) shows its parent through; an opaque one fills with Color.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* AOwner);
  std::string ClassName() const override { return "TLabel"; }

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;
  void FontChanged() override;
  void Loaded() override;

 private:
  void AdjustBounds();
  TTextFormat Format() const;

  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
};
