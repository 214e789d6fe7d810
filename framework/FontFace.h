#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace gfx {

// One rendered glyph: a grey-scale coverage mask placed relative to the pen position on the
// baseline (left to the right, top upwards).
struct Glyph {
  int advance = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;  // width * height bytes, rows top-down
};

// A font file's face at one pixel size, hinted, with its rendered glyphs cached (keyed by code
// point and boldness), so that measuring and drawing text renders each glyph once.
class FontFace {
 public:
  struct Impl;
  explicit FontFace(std::unique_ptr<Impl> impl);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // Rounded line metrics in pixels: ascender above the baseline, descender below it (negative),
  // and the distance from one baseline to the next.
  int Ascender() const;
  int Descender() const;
  int LineHeight() const;

  const Glyph& GetGlyph(char32_t codePoint, bool bold);
  // The sum of the advances.
  int TextWidth(std::u32string_view text, bool bold);

  // The face for a font name at a pixel size, from the process-wide cache (user-interface
  // thread only). Raises EFontError when no font file can be found or opened.
  static FontFace& For(const std::string& name, int pixelSize);

 private:
  std::unique_ptr<Impl> impl_;
  std::unordered_map<uint64_t, Glyph> glyphs_;
};

// Narrow (UTF-8) text as code points.
std::u32string CodePoints(std::string_view utf8);

}  // namespace gfx
