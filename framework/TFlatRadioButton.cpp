#include "framework/TFlatRadioButton.h"

#include <algorithm>
#include <cmath>

#include "framework/AccessKey.h"
#include "framework/FocusRect.h"
#include "framework/TCanvas.h"

namespace {

constexpr int kBoxSize = 13;
constexpr int kCaptionGap = 4;

// A disc of the given diameter centred in the box whose top-left corner is (left, top), drawn
// as one span per row.
void FillDisc(TCanvas& canvas, int left, int top, int diameter, TColor color) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(color);
  const int x0 = left + (kBoxSize - diameter) / 2;
  const int y0 = top + (kBoxSize - diameter) / 2;
  const double radius = diameter / 2.0;
  for (int row = 0; row < diameter; ++row) {
    const double dy = row + 0.5 - radius;
    const double half = std::sqrt(std::max(0.0, radius * radius - dy * dy));
    canvas.FillRect(Rect(x0 + static_cast<int>(std::lround(radius - half)), y0 + row,
                         x0 + static_cast<int>(std::lround(radius + half)), y0 + row + 1));
  }
}

}  // namespace

TFlatRadioButton::TFlatRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(0, 0, 113, 17);
}

void TFlatRadioButton::SetChecked(bool value) {
  if (FChecked == value) return;
  FChecked = value;
  Invalidate();
  if (!value || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TFlatRadioButton*>(Parent()->Controls(i));
    if (other && other != this) other->SetChecked(false);
  }
}

void TFlatRadioButton::SetCheckMarkColor(TColor value) {
  FCheckMarkColor = value;
  Invalidate();
}

void TFlatRadioButton::SetBorderColor(TColor value) {
  FBorderColor = value;
  Invalidate();
}

void TFlatRadioButton::SetTransparent(bool value) {
  FTransparent = value;
  Invalidate();
}

void TFlatRadioButton::Click() {
  SetChecked(true);
  TWinControl::Click();
}

void TFlatRadioButton::KeyDown(winsys::WORD& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key == winsys::VK_SPACE) {
    Key = 0;
    Click();
  }
}

void TFlatRadioButton::CMDialogChar(TMessage& Message) {
  if (!IsAccessKey(Caption(), Message.WParam) || !CanFocus()) return;
  SetFocus();
  Click();
  Message.Result = 1;
}

void TFlatRadioButton::PaintTo(TCanvas& canvas) {
  if (!FTransparent) PaintBackground(canvas);
  canvas.Font().Assign(Font());
  const int top = (Height() - kBoxSize) / 2;
  FillDisc(canvas, 0, top, kBoxSize, Enabled() ? FBorderColor : clSilver);
  FillDisc(canvas, 0, top, kBoxSize - 2, clWhite);
  if (FChecked) FillDisc(canvas, 0, top, kBoxSize - 6, Enabled() ? FCheckMarkColor : clGray);

  const TAccessKeyText text = ParseAccessKey(Caption());
  const TSize extent = canvas.TextExtent(text.Text);
  const int x = kBoxSize + kCaptionGap;
  const int y = (Height() - extent.cy) / 2;
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  canvas.Brush().SetStyle(bsClear);
  DrawAccessText(canvas, x, y, text);
  if (Focused()) {
    DrawFocusRect(
        canvas,
        Rect(x - 2, std::max(0, y - 1), x + extent.cx + 2, std::min(Height(), y + extent.cy + 1)),
        canvas.Font().Color());
  }
  PaintControls(canvas);
}
