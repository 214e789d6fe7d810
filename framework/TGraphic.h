#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "framework/TObject.h"

class TCanvas;

// A picture of any kind that a canvas can draw.
class TGraphic : public TObject {
 public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const = 0;

  // Draws the picture scaled to rect (canvas coordinates). TCanvas::Draw and StretchDraw call it.
  virtual void Draw(TCanvas& canvas, const TRect& rect) const = 0;

  // Copies another picture into this one; nullptr clears it. A kind that cannot be converted
  // raises EInvalidGraphic.
  virtual void Assign(const TGraphic* source) = 0;
  // A new picture of the same kind with the same content (no event handler).
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  // Pictures travel as complete PNG files. A malformed file raises EInvalidGraphic.
  virtual void LoadFromBytes(std::span<const uint8_t> bytes) = 0;
  virtual std::vector<uint8_t> SaveToBytes() const = 0;
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  // Only bitmaps use it: their pixels of the transparent colour are not drawn.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
  // Fires OnChange; call it after writing pixels through scan lines.
  void Changed();

 private:
  bool transparent_ = false;
  TNotifyEvent onChange_;
};
