#include "framework/TLabel.h"

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 17);
  AdjustBounds();
}

void TLabel::SetAutoSize(bool value) {
  if (FAutoSize == value) return;
  FAutoSize = value;
  AdjustBounds();
}

void TLabel::SetWordWrap(bool value) {
  if (FWordWrap == value) return;
  FWordWrap = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  Invalidate();
}

void TLabel::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout value) {
  if (FLayout == value) return;
  FLayout = value;
  Invalidate();
}

void TLabel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool rewrap = FWordWrap && AWidth != Width();
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (rewrap) AdjustBounds();
}

void TLabel::CMTextChanged(TMessage& Message) {
  AdjustBounds();
  TGraphicControl::CMTextChanged(Message);
}

void TLabel::FontChanged() {
  AdjustBounds();
  TGraphicControl::FontChanged();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  // A description sets caption and font one after the other: size once, when all are there.
  if (!FAutoSize || (ComponentState() & csLoading)) return;
  TCanvas measure;
  measure.Font().Assign(Font());
  const TRect text = measure.DrawText(Caption(), Rect(0, 0, FWordWrap ? Width() : 0, 0),
                                      tfCalcRect | (FWordWrap ? tfWordBreak : 0u));
  const int width = FWordWrap ? Width() : text.Width();
  const int left = (FAlignment == taRightJustify && !FWordWrap) ? Left() + Width() - width : Left();
  SetBounds(left, Top(), width, text.Height());
}

TTextFormat TLabel::Format() const {
  TTextFormat format = FWordWrap ? tfWordBreak : 0u;
  if (FAlignment == taCenter) format |= tfCenter;
  if (FAlignment == taRightJustify) format |= tfRight;
  if (FLayout == tlCenter) format |= tfVerticalCenter;
  if (FLayout == tlBottom) format |= tfBottom;
  return format;
}

void TLabel::Paint() {
  if (!FTransparent) {
    Canvas().Brush().SetColor(Color());
    Canvas().Brush().SetStyle(bsSolid);
    Canvas().FillRect(ClientRect());
  }
  if (!Enabled()) Canvas().Font().SetColor(clGrayText);
  Canvas().DrawText(Caption(), ClientRect(), Format());
}
