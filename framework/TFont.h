#pragma once

#include <string>

#include "framework/Graphics.h"
#include "framework/TObject.h"

namespace gfx {
class FontFace;
}

// A font description. Height is the character (em) height in pixels; its sign is ignored, so
// the form descriptions' pixel heights and the negative "character height" convention give the
// same font. Size is in points at 96 pixels per inch (Height = Size * 96 / 72, rounded).
// "微软雅黑" and "Microsoft YaHei" are rendered with WenQuanYi Micro Hei, the font that carries
// the same glyph set here. The font has no bold face: bold is emboldened synthetically.
class TFont : public TObject {
 public:
  TFont() = default;
  void Assign(const TFont& other);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& value);
  int Height() const { return height_; }
  void SetHeight(int value);
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value);
  // Stored for the form descriptions; glyph choice depends on the font, not on it.
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset value);

  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

  // The rasterised face of this description, from the process-wide cache. Raises EFontError
  // when no font file can be found for the name.
  gfx::FontFace& Face() const;

  friend bool operator==(const TFont& a, const TFont& b);

 private:
  void Changed();

  std::string name_ = "微软雅黑";
  int height_ = 12;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  TFontCharset charset_ = DEFAULT_CHARSET;
  TNotifyEvent onChange_;
};
