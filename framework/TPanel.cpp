#include "framework/TPanel.h"

#include <algorithm>

#include "framework/TCanvas.h"

namespace {

// One bevel of width pixels along the inside of rect; rect shrinks past it.
void Frame3D(TCanvas& canvas, TRect& rect, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  const TColor topLeft = cut == bvRaised ? clBtnHighlight : clBtnShadow;
  const TColor bottomRight = cut == bvRaised ? clBtnShadow : clBtnHighlight;
  for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
    canvas.Brush().SetColor(topLeft);
    canvas.FillRect({rect.Left, rect.Top, rect.Right, rect.Top + 1});
    canvas.FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom});
    canvas.Brush().SetColor(bottomRight);
    canvas.FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom});
    canvas.FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom});
    rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  }
}

}  // namespace

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelInner(TBevelCut value) {
  if (FBevelInner == value) return;
  FBevelInner = value;
  BevelsChanged();
}

void TPanel::SetBevelOuter(TBevelCut value) {
  if (FBevelOuter == value) return;
  FBevelOuter = value;
  BevelsChanged();
}

void TPanel::SetBevelWidth(int value) {
  if (value < 1 || FBevelWidth == value) return;
  FBevelWidth = value;
  BevelsChanged();
}

void TPanel::SetAlignment(TAlignment value) {
  if (FAlignment == value) return;
  FAlignment = value;
  Invalidate();
}

void TPanel::BevelsChanged() {
  Realign();
  Invalidate();
}

TRect TPanel::ClientRect() const {
  const int inset = FBevelWidth * ((FBevelInner != bvNone) + (FBevelOuter != bvNone));
  return {inset, inset, std::max(inset, Width() - inset), std::max(inset, Height() - inset)};
}

void TPanel::PaintBackground(TCanvas& canvas) {
  TRect rect = Rect(0, 0, Width(), Height());
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(rect);
  Frame3D(canvas, rect, FBevelOuter, FBevelWidth);
  Frame3D(canvas, rect, FBevelInner, FBevelWidth);
  if (Caption().empty()) return;
  canvas.Font().Assign(Font());
  const TTextFormat align = FAlignment == taCenter         ? tfCenter
                            : FAlignment == taRightJustify ? tfRight
                                                           : 0u;
  canvas.DrawText(Caption(), rect, align | tfVerticalCenter);
}
