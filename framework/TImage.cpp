#include "framework/TImage.h"

#include <optional>

#include "framework/TBitmap.h"
#include "framework/TPNGObject.h"

namespace {

// The pixels of a picture that does not blend by itself, and the colour a transparent image
// leaves out of it; nothing for pictures that carry their own alpha.
struct TKeyedPixels {
  TPixelSource pixels;
  TColor key = clNone;
};

TColor BottomLeft(const TPixelSource& pixels) {
  const uint8_t* p = pixels.bits + ptrdiff_t(pixels.height - 1) * pixels.stride;
  return RGB(p[2], p[1], p[0]);
}

std::optional<TKeyedPixels> KeyedPixels(const TGraphic& graphic) {
  if (const auto* bitmap = dynamic_cast<const TBitmap*>(&graphic)) {
    if (bitmap->DrawMode() == TDrawMode::Blend) return std::nullopt;
    return TKeyedPixels{bitmap->Pixels(), bitmap->TransparentColor()};
  }
  if (const auto* png = dynamic_cast<const TPNGObject*>(&graphic)) {
    if (png->HasAlpha()) return std::nullopt;
    return TKeyedPixels{png->Pixels(), BottomLeft(png->Pixels())};
  }
  return std::nullopt;
}

}  // namespace

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 105, 105);
  FPicture.SetOnChange([this](TObject*) { PictureChanged(); });
}

void TImage::SetStretch(bool value) {
  if (FStretch == value) return;
  FStretch = value;
  Invalidate();
}

void TImage::SetCenter(bool value) {
  if (FCenter == value) return;
  FCenter = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  if (FTransparent == value) return;
  FTransparent = value;
  Invalidate();
}

void TImage::SetAutoSize(bool value) {
  FAutoSize = value;
  if (value) PictureChanged();
}

void TImage::PictureChanged() {
  if (FAutoSize && !FPicture.Empty()) {
    SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
  }
  Invalidate();
}

TRect TImage::DestRect() const {
  if (FStretch) return ClientRect();
  const int w = FPicture.Width(), h = FPicture.Height();
  if (FCenter) return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
  return Bounds(0, 0, w, h);
}

void TImage::Paint() {
  if (FPicture.Empty()) return;
  const TGraphic& graphic = *FPicture.Graphic();
  const std::optional<TKeyedPixels> keyed = FTransparent ? KeyedPixels(graphic) : std::nullopt;
  if (keyed) {
    Canvas().DrawPixels(DestRect(), keyed->pixels, TDrawMode::KeyColor, keyed->key);
  } else {
    Canvas().StretchDraw(DestRect(), graphic);
  }
}
