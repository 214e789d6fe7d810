#include "framework/TSkinPanel.h"

#include "framework/TCanvas.h"

TSkinPanel::TSkinPanel(TComponent* AOwner) : TWinControl(AOwner) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
  FPicture.SetOnChange([this](TObject*) { Invalidate(); });
}

void TSkinPanel::SetStretch(bool value) {
  if (FStretch == value) return;
  FStretch = value;
  Invalidate();
}

void TSkinPanel::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  Invalidate();
}

void TSkinPanel::PaintBackground(TCanvas& canvas) {
  if (!FTransparent) TWinControl::PaintBackground(canvas);
  const TGraphic* picture = FPicture.Graphic();
  if (!picture || picture->Empty()) return;
  if (FStretch) {
    canvas.StretchDraw(ClientRect(), *picture);
  } else {
    canvas.Draw(0, 0, *picture);
  }
}
