#pragma once

#include "framework/TCanvas.h"
#include "framework/TGraphic.h"
#include "platform/winsys/PixelBuffer.h"

// A picture in memory with its own canvas. Rows are top-down and every pixel is four bytes,
// blue, green, red, alpha, whatever the pixel format: pf24bit means the alpha byte carries no
// meaning (the bitmap draws opaque), pf32bit that it is kept for whoever reads it (layered
// pictures, shadows) and, with AlphaFormat afDefined, drawing blends by it (straight alpha).
class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = pf24bit);

  int Width() const override { return buffer_.width; }
  int Height() const override { return buffer_.height; }
  bool Empty() const override { return buffer_.Empty(); }
  // Keeps the pixels of the overlapping top-left part; new pixels are 0 (black, alpha 0).
  void SetSize(int width, int height);
  void SetWidth(int value) { SetSize(value, Height()); }
  void SetHeight(int value) { SetSize(Width(), value); }

  TPixelFormat PixelFormat() const { return pixelFormat_; }
  // The bytes stay as they are.
  void SetPixelFormat(TPixelFormat value);
  TAlphaFormat AlphaFormat() const { return alphaFormat_; }
  void SetAlphaFormat(TAlphaFormat value);

  uint8_t* ScanLine(int row) { return buffer_.Row(row); }
  const uint8_t* ScanLine(int row) const { return buffer_.Row(row); }
  winsys::PixelBuffer& Buffer() { return buffer_; }
  const winsys::PixelBuffer& Buffer() const { return buffer_; }
  TCanvas& Canvas() { return canvas_; }

  // With tmAuto the colour of the bottom-left pixel (clDefault for an empty bitmap); a
  // colour set with SetTransparentColor switches to tmFixed.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor value);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode value);

  // Transparent: pixels of the transparent colour are skipped; afDefined on pf32bit: blended;
  // otherwise opaque.
  void Draw(TCanvas& canvas, const TRect& rect) const override;
  // Takes a bitmap or a PNG picture (through its conversion); nullptr clears.
  void Assign(const TGraphic* source) override;
  std::unique_ptr<TGraphic> Clone() const override;
  // A PNG file: with alpha it becomes pf32bit afDefined, otherwise pf24bit.
  void LoadFromBytes(std::span<const uint8_t> bytes) override;
  // A PNG file: RGB for pf24bit or afIgnored, RGB with alpha for afDefined.
  std::vector<uint8_t> SaveToBytes() const override;

  TPixelSource Pixels() const;
  // How Draw and brush patterns put this bitmap on a canvas.
  TDrawMode DrawMode() const;

 private:
  winsys::PixelBuffer buffer_;
  TCanvas canvas_;
  TPixelFormat pixelFormat_ = pf24bit;
  TAlphaFormat alphaFormat_ = afIgnored;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
};
