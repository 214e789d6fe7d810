#include "framework/TCheckBox.h"

#include <algorithm>

#include "framework/TCanvas.h"

namespace {

constexpr int kBox = 13;
constexpr int kCaptionGap = 4;

// A tick: down from the left, then up to the right, three pixels thick.
void PaintTick(TCanvas& canvas, const TRect& box, TColor color) {
  const int x0 = box.Left + 3, y0 = box.Top + 5;
  for (int i = 0; i < 7; ++i) {
    const int y = i < 3 ? y0 + i : y0 + 4 - i;
    for (int t = 0; t < 3; ++t) canvas.SetPixel(x0 + i, y + t, color);
  }
}

}  // namespace

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCheckBox::SetChecked(bool value) {
  if (FChecked == value) return;
  FChecked = value;
  Invalidate();
}

void TCheckBox::Click() {
  SetChecked(!FChecked);
  TWinControl::Click();
}

void TCheckBox::DblClick() {
  Click();
  TWinControl::DblClick();
}

void TCheckBox::KeyDown(winsys::WORD& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key == winsys::VK_SPACE) {
    Key = 0;
    Click();
  }
}

void TCheckBox::DoEnter() {
  Invalidate();
  TWinControl::DoEnter();
}

void TCheckBox::DoExit() {
  Invalidate();
  TWinControl::DoExit();
}

void TCheckBox::PaintBackground(TCanvas& canvas) {
  TWinControl::PaintBackground(canvas);
  const TRect box = Bounds(0, std::max(0, (Height() - kBox) / 2), kBox, kBox);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Enabled() ? clWindow : clBtnFace);
  canvas.Pen().SetColor(clBtnShadow);
  canvas.Rectangle(box);
  if (FChecked) PaintTick(canvas, box, Enabled() ? clWindowText : clGrayText);

  canvas.Font().Assign(Font());
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  canvas.Brush().SetStyle(bsClear);
  const TRect text{kBox + kCaptionGap, 0, Width(), Height()};
  const TRect used = canvas.DrawText(Caption(), text, tfCalcRect);
  canvas.DrawText(Caption(), text, tfVerticalCenter);
  if (Focused() && !Caption().empty()) {
    const int top = text.Top + (text.Height() - used.Height()) / 2;
    canvas.Pen().SetStyle(psDash);
    canvas.Pen().SetWidth(1);
    canvas.Rectangle(
        {text.Left - 1, top, std::min(Width(), text.Left + used.Width() + 1), top + used.Height()});
    canvas.Pen().SetStyle(psSolid);
  }
}
