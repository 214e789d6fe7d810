#include "framework/TextLayout.h"

#include <algorithm>

namespace gfx {

namespace {

bool IsCjk(char32_t c) {
  return c >= 0x2E80;
}

// Punctuation that may not start a line, and punctuation that may not end one.
bool IsClosingPunctuation(char32_t c) {
  static constexpr std::u32string_view kClosing = U"。，、！？；：）》」』】”’…";
  return kClosing.find(c) != std::u32string_view::npos;
}
bool IsOpeningPunctuation(char32_t c) {
  static constexpr std::u32string_view kOpening = U"（《「『【“‘";
  return kOpening.find(c) != std::u32string_view::npos;
}

bool MayBreakBefore(std::u32string_view text, size_t i) {
  const char32_t before = text[i - 1];
  const char32_t after = text[i];
  if (after == U' ') return false;
  if (before == U' ') return true;
  if (IsClosingPunctuation(after) || IsOpeningPunctuation(before)) return false;
  return IsCjk(before) || IsCjk(after);
}

class Wrapper {
 public:
  Wrapper(FontFace& face, bool bold, int maxWidth, std::vector<TextLine>& lines)
      : face_(face), bold_(bold), maxWidth_(maxWidth), lines_(lines) {}

  void Paragraph(std::u32string_view text) {
    if (maxWidth_ < 0 || text.empty()) {
      Emit(text);
      return;
    }
    size_t start = 0;
    while (true) {
      int width = 0;
      size_t end = start;
      size_t lastBreak = start;
      for (; end < text.size(); ++end) {
        if (end > start && MayBreakBefore(text, end)) lastBreak = end;
        const int advance = face_.GetGlyph(text[end], bold_).advance;
        if (end > start && width + advance > maxWidth_) break;
        width += advance;
      }
      if (end == text.size()) {
        Emit(text.substr(start));
        return;
      }
      size_t next;
      if (text[end] == U' ') {
        next = end;
      } else if (lastBreak > start) {
        end = next = lastBreak;
      } else {
        next = end;  // a word wider than the line is cut where it overflows
      }
      size_t kept = end;
      while (kept > start && text[kept - 1] == U' ') --kept;
      Emit(text.substr(start, kept - start));
      while (next < text.size() && text[next] == U' ') ++next;
      if (next == text.size()) return;
      start = next;
    }
  }

 private:
  void Emit(std::u32string_view line) {
    lines_.push_back(TextLine{std::u32string(line), face_.TextWidth(line, bold_)});
  }

  FontFace& face_;
  bool bold_;
  int maxWidth_;
  std::vector<TextLine>& lines_;
};

}  // namespace

std::vector<TextLine> LayoutText(FontFace& face, bool bold, std::u32string_view text,
                                 int maxWidth) {
  std::vector<TextLine> lines;
  Wrapper wrapper(face, bold, maxWidth, lines);
  size_t start = 0;
  while (true) {
    const size_t newline = text.find(U'\n', start);
    std::u32string_view paragraph = text.substr(start, newline - start);
    if (!paragraph.empty() && paragraph.back() == U'\r') paragraph.remove_suffix(1);
    wrapper.Paragraph(paragraph);
    if (newline == std::u32string_view::npos) break;
    start = newline + 1;
  }
  return lines;
}

}  // namespace gfx
