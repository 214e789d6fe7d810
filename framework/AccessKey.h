#pragma once

#include <string>

#include "platform/winsys/Types.h"

class TCanvas;

// A caption marks its access key with "&" before the letter ("确定(&O)"); "&&" stands for a
// plain "&". The "&" itself is never shown.
struct TAccessKeyText {
  std::string Text;      // the caption as shown
  size_t KeyOffset = 0;  // byte offset of the access letter in Text
  size_t KeyLength = 0;  // its length in bytes; 0 when the caption has no access key
  char32_t Key = 0;
};

TAccessKeyText ParseAccessKey(const std::string& caption);
// Whether ch, the character of a CM_DIALOGCHAR, is the caption's access key; Latin letters
// match in either case, since Alt with a letter arrives in lower case.
bool IsAccessKey(const std::string& caption, winsys::WPARAM ch);
// The caption's text at (x, y) in the canvas font, its access letter underlined.
void DrawAccessText(TCanvas& canvas, int x, int y, const TAccessKeyText& text);
