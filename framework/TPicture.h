#pragma once

#include <memory>
#include <span>
#include <string>

#include "framework/TGraphic.h"

class TBitmap;

// Holds one picture of any kind (owned) and tells about changes of it.
class TPicture : public TObject {
 public:
  TPicture() = default;
  ~TPicture() override;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Holds a copy of graphic; nullptr empties the picture.
  void SetGraphic(const TGraphic* graphic);
  void Assign(const TPicture* source) { SetGraphic(source ? source->Graphic() : nullptr); }
  // The held bitmap; any other graphic is first replaced by an empty bitmap.
  TBitmap& Bitmap();

  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  bool Empty() const { return !graphic_ || graphic_->Empty(); }

  // A PNG file becomes a TPNGObject; anything else raises EInvalidGraphic.
  void LoadFromBytes(std::span<const uint8_t> bytes);
  void LoadFromFile(const std::string& path);

  // Also after changes made to the held graphic.
  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

 private:
  void Hold(std::unique_ptr<TGraphic> graphic);
  void Changed();

  std::unique_ptr<TGraphic> graphic_;
  TNotifyEvent onChange_;
};
