#include "framework/TBitmap.h"

#include <algorithm>

#include "framework/TPNGObject.h"

TBitmap::TBitmap() {
  canvas_.Attach(&buffer_);
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : TBitmap() {
  pixelFormat_ = format;
  SetSize(width, height);
}

void TBitmap::SetSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  winsys::PixelBuffer resized(width, height);
  const int rows = std::min(resized.height, buffer_.height);
  const int rowBytes = std::min(resized.width, buffer_.width) * 4;
  for (int y = 0; y < rows; ++y) std::copy_n(buffer_.Row(y), rowBytes, resized.Row(y));
  buffer_ = std::move(resized);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
  if (pixelFormat_ == value) return;
  pixelFormat_ = value;
  Changed();
}

void TBitmap::SetAlphaFormat(TAlphaFormat value) {
  if (alphaFormat_ == value) return;
  alphaFormat_ = value;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (Empty()) return clDefault;
  const uint8_t* p = buffer_.Pixel(0, Height() - 1);
  return RGB(p[2], p[1], p[0]);
}

void TBitmap::SetTransparentColor(TColor value) {
  transparentColor_ = value;
  transparentMode_ = tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
  if (transparentMode_ == value) return;
  transparentMode_ = value;
  Changed();
}

TDrawMode TBitmap::DrawMode() const {
  if (Transparent()) return TDrawMode::KeyColor;
  if (pixelFormat_ == pf32bit && alphaFormat_ == afDefined) return TDrawMode::Blend;
  return TDrawMode::Opaque;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) const {
  canvas.DrawPixels(rect, Pixels(), DrawMode(), TransparentColor());
}

TPixelSource TBitmap::Pixels() const {
  return {buffer_.bytes.data(), buffer_.width, buffer_.height, buffer_.Stride()};
}

void TBitmap::Assign(const TGraphic* source) {
  if (source == this) return;
  if (!source) {
    buffer_ = winsys::PixelBuffer();
  } else if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    buffer_ = bitmap->buffer_;
    pixelFormat_ = bitmap->pixelFormat_;
    alphaFormat_ = bitmap->alphaFormat_;
    transparentMode_ = bitmap->transparentMode_;
    transparentColor_ = bitmap->transparentColor_;
    SetTransparent(bitmap->Transparent());
  } else if (auto* png = dynamic_cast<const TPNGObject*>(source)) {
    png->AssignTo(*this);
    return;
  } else {
    throw EInvalidGraphic("a bitmap cannot take this kind of picture");
  }
  Changed();
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(this);
  return copy;
}

void TBitmap::LoadFromBytes(std::span<const uint8_t> bytes) {
  TPNGObject png;
  png.LoadFromBytes(bytes);
  png.AssignTo(*this);
  if (!png.HasAlpha()) {
    SetPixelFormat(pf24bit);
    SetAlphaFormat(afIgnored);
  }
}

std::vector<uint8_t> TBitmap::SaveToBytes() const {
  TPNGObject png;
  png.Assign(this);
  return png.SaveToBytes();
}
