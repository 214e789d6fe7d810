#include "framework/FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <cmath>
#include <map>
#include <tuple>
#include <type_traits>

#include "framework/Graphics.h"
#include "platform/text/Utf.h"

namespace gfx {

namespace {

struct FtLibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FtFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct FcConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct FcPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using FtLibrary = std::unique_ptr<std::remove_pointer_t<FT_Library>, FtLibraryDeleter>;
using FtFacePtr = std::unique_ptr<std::remove_pointer_t<FT_Face>, FtFaceDeleter>;
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;

// Under most locales fontconfig maps these names to a font without Chinese glyphs; the
// WenQuanYi face has the glyphs and metrics the forms were laid out with.
std::string FontconfigFamily(const std::string& name) {
  if (name == "微软雅黑" || name == "Microsoft YaHei") return "WenQuanYi Micro Hei";
  return name;
}

}  // namespace

struct FontFace::Impl {
  FtFacePtr face;
};

namespace {

class FontCache {
 public:
  static FontCache& Instance() {
    static FontCache cache;
    return cache;
  }

  FontFace& Face(const std::string& name, int pixelSize) {
    const Location& location = Locate(name);
    const auto key = std::make_tuple(location.file, location.index, pixelSize);
    auto found = faces_.find(key);
    if (found != faces_.end()) return *found->second;
    FT_Face face = nullptr;
    if (FT_New_Face(library_.get(), location.file.c_str(), location.index, &face) != 0)
      throw EFontError("cannot open the font file " + location.file);
    auto impl = std::make_unique<FontFace::Impl>(FontFace::Impl{FtFacePtr(face)});
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize)) != 0)
      throw EFontError("the font " + name + " has no size " + std::to_string(pixelSize));
    auto inserted = faces_.emplace(key, std::make_unique<FontFace>(std::move(impl)));
    return *inserted.first->second;
  }

 private:
  struct Location {
    std::string file;
    int index = 0;
  };

  FontCache() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) throw EFontError("cannot start the font rasteriser");
    library_.reset(library);
    config_.reset(FcInitLoadConfigAndFonts());
    if (!config_) throw EFontError("cannot load the font configuration");
  }

  const Location& Locate(const std::string& name) {
    auto found = locations_.find(name);
    if (found != locations_.end()) return found->second;
    FcPatternPtr pattern(FcPatternCreate());
    const std::string family = FontconfigFamily(name);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    FcConfigSubstitute(config_.get(), pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    FcPatternPtr match(FcFontMatch(config_.get(), pattern.get(), &result));
    FcChar8* file = nullptr;
    int index = 0;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
      throw EFontError("no font file found for " + name);
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    return locations_.emplace(name, Location{reinterpret_cast<const char*>(file), index})
        .first->second;
  }

  // Declared first, so it is released after every face made with it.
  FtLibrary library_;
  std::unique_ptr<FcConfig, FcConfigDeleter> config_;
  std::map<std::string, Location> locations_;
  std::map<std::tuple<std::string, int, int>, std::unique_ptr<FontFace>> faces_;
};

int FloorPixels(long units, int pixelSize, int unitsPerEm) {
  return int(std::floor(double(units) * pixelSize / unitsPerEm));
}

}  // namespace

FontFace::FontFace(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
FontFace::~FontFace() = default;

FontFace& FontFace::For(const std::string& name, int pixelSize) {
  return FontCache::Instance().Face(name, pixelSize);
}

// From the design units, rounded outwards like the platform's text metrics, so that a line
// holds every glyph: 15 px gives 15 and -4 for this machine's CJK font.
int FontFace::Ascender() const {
  const FT_Face face = impl_->face.get();
  return -FloorPixels(-face->ascender, face->size->metrics.y_ppem, face->units_per_EM);
}

int FontFace::Descender() const {
  const FT_Face face = impl_->face.get();
  return FloorPixels(face->descender, face->size->metrics.y_ppem, face->units_per_EM);
}

int FontFace::LineHeight() const {
  const FT_Face face = impl_->face.get();
  return int(std::lround(double(face->height) * face->size->metrics.y_ppem / face->units_per_EM));
}

const Glyph& FontFace::GetGlyph(char32_t codePoint, bool bold) {
  const uint64_t key = (uint64_t(codePoint) << 1) | (bold ? 1 : 0);
  auto found = glyphs_.find(key);
  if (found != glyphs_.end()) return found->second;

  Glyph glyph;
  const FT_Face face = impl_->face.get();
  const FT_UInt index = FT_Get_Char_Index(face, codePoint);
  // A glyph the font cannot load or render takes no room: one broken glyph must not fail the
  // whole paint of a window.
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) == 0) {
    FT_GlyphSlot slot = face->glyph;
    if (bold) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0) {
      const FT_Bitmap& bitmap = slot->bitmap;
      glyph.advance = int((slot->advance.x + 32) >> 6);
      glyph.left = slot->bitmap_left;
      glyph.top = slot->bitmap_top;
      glyph.width = int(bitmap.width);
      glyph.height = int(bitmap.rows);
      glyph.coverage.resize(size_t(glyph.width) * size_t(glyph.height));
      for (int row = 0; row < glyph.height; ++row) {
        const unsigned char* source = bitmap.buffer + ptrdiff_t(row) * bitmap.pitch;
        std::copy(source, source + glyph.width,
                  glyph.coverage.begin() + ptrdiff_t(row) * glyph.width);
      }
    }
  }
  return glyphs_.emplace(key, std::move(glyph)).first->second;
}

int FontFace::TextWidth(std::u32string_view text, bool bold) {
  int width = 0;
  for (char32_t c : text) width += GetGlyph(c, bold).advance;
  return width;
}

std::u32string CodePoints(std::string_view utf8) {
  const std::u16string utf16 = text::Utf8ToUtf16(utf8);
  std::u32string result;
  result.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    // The conversion only leaves well-formed pairs.
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < utf16.size()) {
      result.push_back(0x10000 + ((char32_t(unit) - 0xD800) << 10) +
                       (char32_t(utf16[++i]) - 0xDC00));
    } else {
      result.push_back(unit);
    }
  }
  return result;
}

}  // namespace gfx
