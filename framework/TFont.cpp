#include "framework/TFont.h"

#include <cmath>
#include <cstdlib>

#include "framework/FontFace.h"

namespace {
constexpr int kPixelsPerInch = 96;
}

void TFont::Assign(const TFont& other) {
  if (*this == other) return;
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  style_ = other.style_;
  charset_ = other.charset_;
  Changed();
}

void TFont::SetName(const std::string& value) {
  if (name_ == value) return;
  name_ = value;
  Changed();
}

void TFont::SetHeight(int value) {
  if (height_ == value) return;
  height_ = value;
  Changed();
}

int TFont::Size() const {
  return int(std::lround(std::abs(height_) * 72.0 / kPixelsPerInch));
}

void TFont::SetSize(int points) {
  SetHeight(int(std::lround(std::abs(points) * double(kPixelsPerInch) / 72.0)));
}

void TFont::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  Changed();
}

void TFont::SetStyle(TFontStyles value) {
  if (style_ == value) return;
  style_ = value;
  Changed();
}

void TFont::SetCharset(TFontCharset value) {
  if (charset_ == value) return;
  charset_ = value;
  Changed();
}

gfx::FontFace& TFont::Face() const {
  // Height 0 asks for the default size.
  const int pixels = height_ == 0 ? 12 : std::abs(height_);
  return gfx::FontFace::For(name_, pixels);
}

bool operator==(const TFont& a, const TFont& b) {
  return a.name_ == b.name_ && a.height_ == b.height_ && a.color_ == b.color_ &&
         a.style_ == b.style_ && a.charset_ == b.charset_;
}

void TFont::Changed() {
  if (onChange_) onChange_(this);
}
