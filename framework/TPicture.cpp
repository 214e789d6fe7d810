#include "framework/TPicture.h"

#include "framework/TBitmap.h"
#include "framework/TPNGObject.h"

TPicture::~TPicture() = default;

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (graphic == graphic_.get() && graphic) return;
  Hold(graphic ? graphic->Clone() : nullptr);
}

TBitmap& TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_.get())) Hold(std::make_unique<TBitmap>());
  return static_cast<TBitmap&>(*graphic_);
}

void TPicture::LoadFromBytes(std::span<const uint8_t> bytes) {
  auto png = std::make_unique<TPNGObject>();
  png->LoadFromBytes(bytes);
  Hold(std::move(png));
}

void TPicture::LoadFromFile(const std::string& path) {
  auto png = std::make_unique<TPNGObject>();
  png->LoadFromFile(path);
  Hold(std::move(png));
}

void TPicture::Hold(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->SetOnChange([this](TObject*) { Changed(); });
  Changed();
}

void TPicture::Changed() {
  if (onChange_) onChange_(this);
}
