#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/FontFace.h"

namespace gfx {

struct TextLine {
  std::u32string text;
  int width = 0;
};

// Splits text into lines at "\n" (a "\r" before it is dropped) and, when maxWidth >= 0, wraps
// each line at maxWidth: a line may end after a space (the spaces at the break are dropped) or
// at any boundary next to a CJK character, except before closing and after opening CJK
// punctuation; a word wider than the line is cut between characters. Empty text is one empty
// line.
std::vector<TextLine> LayoutText(FontFace& face, bool bold, std::u32string_view text, int maxWidth);

}  // namespace gfx
