#include "framework/TPNGObject.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "framework/TBitmap.h"
#include "framework/TCanvas.h"

namespace {

// Releases what libpng holds for a simplified read or write on every way out.
class PngImage {
 public:
  PngImage() {
    image_.version = PNG_IMAGE_VERSION;
    image_.opaque = nullptr;
  }
  ~PngImage() { png_image_free(&image_); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
  png_image* operator->() { return &image_; }
  png_image* get() { return &image_; }
  [[noreturn]] void Fail(const std::string& what) const {
    throw EInvalidGraphic(what + ": " + image_.message);
  }

 private:
  png_image image_{};
};

bool HasAlphaChannel(uint8_t colorType) {
  return (colorType & 4) != 0;
}

bool ValidDepth(uint8_t colorType, uint8_t bitDepth) {
  switch (colorType) {
    case COLOR_GRAYSCALE:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case COLOR_PALETTE:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case COLOR_RGB:
    case COLOR_GRAYSCALEALPHA:
    case COLOR_RGBALPHA:
      return bitDepth == 8 || bitDepth == 16;
    default:
      return false;
  }
}

uint32_t ReadBigEndian(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

uint32_t Pack(uint8_t b, uint8_t g, uint8_t r, uint8_t a) {
  return uint32_t(b) | uint32_t(g) << 8 | uint32_t(r) << 16 | uint32_t(a) << 24;
}

// Rounds halves to the even neighbour (the default floating-point rounding).
int RoundHalfEven(double value) {
  return int(std::nearbyint(value));
}

}  // namespace

bool TPNGObject::HasAlpha() const {
  return HasAlphaChannel(header_.ColorType) || transparencyTable_;
}

void TPNGObject::Clear() {
  header_ = TPngHeader{};
  palette_.clear();
  transparencyTable_ = false;
  pixels_.clear();
}

void TPNGObject::CreateBlank(uint8_t colorType, uint8_t bitDepth, int width, int height) {
  if (!ValidDepth(colorType, bitDepth))
    throw EInvalidGraphic("PNG has no colour type " + std::to_string(colorType) +
                          " with bit depth " + std::to_string(bitDepth));
  if (width <= 0 || height <= 0)
    throw EInvalidGraphic("a PNG picture needs a width and a height above 0");
  Clear();
  header_ = TPngHeader{width, height, bitDepth, colorType};
  pixels_.assign(size_t(width) * size_t(height) * 4, 0);
  if (!HasAlphaChannel(colorType))
    for (size_t i = 3; i < pixels_.size(); i += 4) pixels_[i] = 255;
  if (colorType == COLOR_PALETTE) palette_.push_back(TPngPaletteEntry{});
  Changed();
}

void TPNGObject::CreateAlpha() {
  switch (header_.ColorType) {
    case COLOR_RGB:
      header_.ColorType = COLOR_RGBALPHA;
      break;
    case COLOR_GRAYSCALE:
      header_.ColorType = COLOR_GRAYSCALEALPHA;
      header_.BitDepth = std::max<uint8_t>(header_.BitDepth, 8);
      break;
    case COLOR_PALETTE:
      if (transparencyTable_) return;
      break;
    default:
      return;
  }
  // A transparent colour of a grey or RGB picture is already in the pixels' alpha: the new
  // channel keeps it.
  transparencyTable_ = header_.ColorType == COLOR_PALETTE;
  Changed();
}

TAlphaRow TPNGObject::AlphaScanline(int row) {
  return HasAlphaChannel(header_.ColorType) ? TAlphaRow(Scanline(row)) : TAlphaRow();
}

TPixelSource TPNGObject::Pixels() const {
  return {pixels_.data(), header_.Width, header_.Height, header_.Width * 4};
}

void TPNGObject::Draw(TCanvas& canvas, const TRect& rect) const {
  canvas.DrawPixels(rect, Pixels(), HasAlpha() ? TDrawMode::Blend : TDrawMode::Opaque);
}

void TPNGObject::Assign(const TGraphic* source) {
  if (source == this) return;
  if (!source) {
    Clear();
  } else if (auto* png = dynamic_cast<const TPNGObject*>(source)) {
    header_ = png->header_;
    palette_ = png->palette_;
    transparencyTable_ = png->transparencyTable_;
    pixels_ = png->pixels_;
  } else if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
    const bool alpha = bitmap->PixelFormat() == pf32bit && bitmap->AlphaFormat() == afDefined;
    Clear();
    if (!bitmap->Empty()) {
      header_ =
          TPngHeader{bitmap->Width(), bitmap->Height(), 8, alpha ? COLOR_RGBALPHA : COLOR_RGB};
      pixels_ = bitmap->Buffer().bytes;
      if (!alpha)
        for (size_t i = 3; i < pixels_.size(); i += 4) pixels_[i] = 255;
    }
  } else {
    throw EInvalidGraphic("a PNG picture cannot take this kind of picture");
  }
  Changed();
}

std::unique_ptr<TGraphic> TPNGObject::Clone() const {
  auto copy = std::make_unique<TPNGObject>();
  copy->Assign(this);
  return copy;
}

void TPNGObject::AssignTo(TBitmap& bitmap) const {
  bitmap.SetSize(Width(), Height());
  std::copy(pixels_.begin(), pixels_.end(), bitmap.Buffer().bytes.begin());
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetAlphaFormat(afDefined);
  bitmap.Changed();
}

void TPNGObject::LoadFromBytes(std::span<const uint8_t> bytes) {
  PngImage png;
  if (!png_image_begin_read_from_memory(png.get(), bytes.data(), bytes.size()))
    png.Fail("the PNG picture cannot be read");
  // libpng has read the header chunk, which follows the 8-byte signature: length, "IHDR",
  // width, height, bit depth, colour type.
  TPngHeader header{int(png->width), int(png->height), bytes[24], bytes[25]};
  if (ReadBigEndian(bytes.data() + 16) != png->width)
    throw EInvalidGraphic("the PNG picture's header is malformed");
  std::vector<TPngPaletteEntry> palette;
  std::vector<uint8_t> pixels(size_t(png->width) * png->height * 4);
  bool transparencyTable = false;
  if (header.ColorType == COLOR_PALETTE) {
    // Read as indices into the file's palette, so that the palette survives.
    png->format = PNG_FORMAT_BGRA | PNG_FORMAT_FLAG_COLORMAP;
    std::vector<uint8_t> indices(PNG_IMAGE_SIZE(*png.get()));
    std::vector<uint8_t> colormap(PNG_IMAGE_COLORMAP_SIZE(*png.get()));
    if (!png_image_finish_read(png.get(), nullptr, indices.data(), 0, colormap.data()))
      png.Fail("the PNG picture's data cannot be read");
    for (unsigned i = 0; i < png->colormap_entries; ++i) {
      const uint8_t* c = colormap.data() + 4 * i;
      palette.push_back(TPngPaletteEntry{c[0], c[1], c[2], c[3]});
      transparencyTable = transparencyTable || c[3] != 255;
    }
    for (size_t i = 0; i < indices.size(); ++i)
      std::copy_n(colormap.data() + 4 * size_t(indices[i]), 4, pixels.data() + 4 * i);
  } else {
    transparencyTable = !HasAlphaChannel(header.ColorType) && (png->format & PNG_FORMAT_FLAG_ALPHA);
    png->format = PNG_FORMAT_BGRA;
    if (!png_image_finish_read(png.get(), nullptr, pixels.data(), 0, nullptr))
      png.Fail("the PNG picture's data cannot be read");
  }
  header_ = header;
  palette_ = std::move(palette);
  transparencyTable_ = transparencyTable;
  pixels_ = std::move(pixels);
  Changed();
}

std::vector<uint8_t> TPNGObject::SaveToBytes() const {
  if (Empty()) throw EInvalidGraphic("an empty PNG picture cannot be saved");
  PngImage png;
  png->width = png_uint_32(Width());
  png->height = png_uint_32(Height());
  std::vector<uint8_t> buffer;
  std::vector<uint8_t> colormap;
  const size_t count = size_t(Width()) * size_t(Height());
  auto channels = [&](std::initializer_list<int> bytes) {
    buffer.reserve(count * bytes.size());
    for (size_t i = 0; i < count; ++i)
      for (int b : bytes) buffer.push_back(pixels_[4 * i + size_t(b)]);
  };
  bool indexed = false;
  if (header_.ColorType == COLOR_PALETTE) {
    // Pixels written through the scan lines may have left the palette: then the picture is
    // saved in true colour.
    std::unordered_map<uint32_t, uint8_t> index;
    for (size_t i = 0; i < palette_.size(); ++i) {
      const TPngPaletteEntry& e = palette_[i];
      index.emplace(Pack(e.Blue, e.Green, e.Red, e.Alpha), uint8_t(i));
      colormap.insert(colormap.end(), {e.Blue, e.Green, e.Red, e.Alpha});
    }
    buffer.resize(count);
    indexed = true;
    for (size_t i = 0; i < count && indexed; ++i) {
      const uint8_t* p = &pixels_[4 * i];
      auto found = index.find(Pack(p[0], p[1], p[2], p[3]));
      indexed = found != index.end();
      if (indexed) buffer[i] = found->second;
    }
    if (indexed) {
      png->format = PNG_FORMAT_BGRA | PNG_FORMAT_FLAG_COLORMAP;
      png->colormap_entries = png_uint_32(palette_.size());
    } else {
      buffer.clear();
      colormap.clear();
    }
  }
  if (!indexed) {
    const bool gray =
        header_.ColorType == COLOR_GRAYSCALE || header_.ColorType == COLOR_GRAYSCALEALPHA;
    if (HasAlpha()) {
      png->format = gray ? PNG_FORMAT_GA : PNG_FORMAT_BGRA;
      channels(gray ? std::initializer_list<int>{1, 3} : std::initializer_list<int>{0, 1, 2, 3});
    } else {
      png->format = gray ? PNG_FORMAT_GRAY : PNG_FORMAT_BGR;
      channels(gray ? std::initializer_list<int>{1} : std::initializer_list<int>{0, 1, 2});
    }
  }
  png_alloc_size_t size = 0;
  const void* map = colormap.empty() ? nullptr : colormap.data();
  if (!png_image_write_to_memory(png.get(), nullptr, &size, 0, buffer.data(), 0, map))
    png.Fail("the PNG picture cannot be written");
  std::vector<uint8_t> bytes(size);
  if (!png_image_write_to_memory(png.get(), bytes.data(), &size, 0, buffer.data(), 0, map))
    png.Fail("the PNG picture cannot be written");
  bytes.resize(size);
  return bytes;
}

void StretchCopy(const TPNGObject& source, TPNGObject* dest, const TRect& destRect,
                 const TRect& sourceRect) {
  if (!dest || destRect.IsEmpty() || sourceRect.IsEmpty() || source.Empty()) return;
  const double xs = double(sourceRect.Width()) / destRect.Width();
  const double ys = double(sourceRect.Height()) / destRect.Height();
  const bool sourceAlpha = source.HasAlpha();
  const bool destAlpha = (dest->Header().ColorType & 4) != 0;
  const TRect inside = destRect.Intersect({0, 0, dest->Width(), dest->Height()});
  // Rounding to the nearest pixel maps the last destination rows of an enlargement onto the row
  // just past the source rectangle. Inside the picture that row is taken as it is (the caps of a
  // stretched button rely on it); past the picture's edge the last row stands in, so no
  // destination row is left unwritten.
  const auto sourceAt = [](int start, double scale, int offset, int size) {
    return std::min(start + RoundHalfEven(scale * offset), size - 1);
  };
  for (int y = inside.Top; y < inside.Bottom; ++y) {
    const int sy = sourceAt(sourceRect.Top, ys, y - destRect.Top, source.Height());
    if (sy < 0) continue;
    const uint8_t* from = source.Scanline(sy);
    uint8_t* to = dest->Scanline(y);
    for (int x = inside.Left; x < inside.Right; ++x) {
      const int sx = sourceAt(sourceRect.Left, xs, x - destRect.Left, source.Width());
      if (sx < 0) continue;
      std::copy_n(from + 4 * sx, 3, to + 4 * x);
      if (destAlpha) to[4 * x + 3] = sourceAlpha ? from[4 * sx + 3] : 255;
    }
  }
}
