#pragma once

#include <cstdint>
#include <vector>

#include "framework/TCanvas.h"
#include "framework/TGraphic.h"

class TBitmap;

// PNG colour types.
constexpr uint8_t COLOR_GRAYSCALE = 0;
constexpr uint8_t COLOR_RGB = 2;
constexpr uint8_t COLOR_PALETTE = 3;
constexpr uint8_t COLOR_GRAYSCALEALPHA = 4;
constexpr uint8_t COLOR_RGBALPHA = 6;

struct TPngHeader {
  int Width = 0;
  int Height = 0;
  uint8_t BitDepth = 0;
  uint8_t ColorType = COLOR_RGB;
};

// One palette entry, alpha from the transparency table (255 without one).
struct TPngPaletteEntry {
  uint8_t Blue = 0, Green = 0, Red = 0, Alpha = 255;
  friend bool operator==(const TPngPaletteEntry&, const TPngPaletteEntry&) = default;
};

// Writable view of one row's alpha bytes: row[x] is the alpha of pixel x.
class TAlphaRow {
 public:
  explicit TAlphaRow(uint8_t* pixels = nullptr) : pixels_(pixels) {}
  explicit operator bool() const { return pixels_ != nullptr; }
  uint8_t& operator[](int x) const { return pixels_[4 * x + 3]; }

 private:
  uint8_t* pixels_;
};

// A PNG picture. Whatever its colour type and bit depth, the pixels are kept decoded as straight
// alpha B,G,R,A (8 bits a channel) next to the header (colour type, bit depth) and, for palette
// pictures, the palette; the header decides how the picture is saved and what its alpha access
// gives. Saving writes 8 bits a channel (16-bit pictures lose their low bytes).
class TPNGObject : public TGraphic {
 public:
  TPNGObject() = default;

  int Width() const override { return header_.Width; }
  int Height() const override { return header_.Height; }
  bool Empty() const override { return header_.Width == 0 || header_.Height == 0; }
  const TPngHeader& Header() const { return header_; }
  const std::vector<TPngPaletteEntry>& Palette() const { return palette_; }
  // The palette has a transparency table, or a grey or RGB picture a transparent colour.
  bool HasTransparencyTable() const { return transparencyTable_; }
  // An alpha channel or a transparency table: the picture blends when drawn.
  bool HasAlpha() const;

  // A picture of zeros (black; transparent where there is an alpha channel). A colour type and
  // bit depth that PNG does not allow raise EInvalidGraphic. A palette picture gets one black
  // palette entry.
  void CreateBlank(uint8_t colorType, uint8_t bitDepth, int width, int height);
  // Gives the picture an alpha channel, fully opaque: RGB becomes RGB with alpha, grey becomes
  // grey with alpha; a palette picture gets a transparency table instead. Nothing for a picture
  // that already has one.
  void CreateAlpha();

  // Pixels of the row as B,G,R,A. In a picture without an alpha channel write only B,G,R.
  uint8_t* Scanline(int row) { return pixels_.data() + RowOffset(row); }
  const uint8_t* Scanline(int row) const { return pixels_.data() + RowOffset(row); }
  // Alpha of the row; empty (false) unless the colour type has an alpha channel.
  TAlphaRow AlphaScanline(int row);

  void Draw(TCanvas& canvas, const TRect& rect) const override;
  // Takes a PNG picture or a bitmap (pf32bit afDefined as RGB with alpha, otherwise RGB);
  // nullptr clears.
  void Assign(const TGraphic* source) override;
  std::unique_ptr<TGraphic> Clone() const override;
  // A pf32bit bitmap with the same straight alpha, AlphaFormat afDefined (so tiling or drawing
  // it blends as the picture would).
  void AssignTo(TBitmap& bitmap) const;
  void LoadFromBytes(std::span<const uint8_t> bytes) override;
  std::vector<uint8_t> SaveToBytes() const override;

  TPixelSource Pixels() const;

 private:
  size_t RowOffset(int row) const { return size_t(row) * size_t(header_.Width) * 4; }
  void Clear();

  TPngHeader header_;
  std::vector<TPngPaletteEntry> palette_;
  bool transparencyTable_ = false;
  std::vector<uint8_t> pixels_;
};

// Copies the pixels of sourceRect of source onto destRect of dest, scaled by nearest pixel:
// destination row y takes source row round(S.Top + (y - D.Top) * S.height / D.height) with
// halves to the even neighbour (columns alike), limited to the source rectangle's last row
// (column). Colour bytes are copied, and the alpha where dest has an alpha channel (255 when
// source has none). Nothing happens when dest is missing, a rectangle is empty or the source
// has no pixels; destination pixels outside dest and source pixels outside source are skipped.
void StretchCopy(const TPNGObject& source, TPNGObject* dest, const TRect& destRect,
                 const TRect& sourceRect);
