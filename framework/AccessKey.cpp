#include "framework/AccessKey.h"

#include <algorithm>

#include "framework/FontFace.h"
#include "framework/TCanvas.h"

namespace {

char32_t Fold(char32_t c) {
  return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
}

// The length in bytes of the UTF-8 sequence that starts with lead.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 4;
}

}  // namespace

TAccessKeyText ParseAccessKey(const std::string& caption) {
  TAccessKeyText result;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&' || i + 1 == caption.size()) {
      result.Text += caption[i];
      continue;
    }
    ++i;
    if (caption[i] == '&') {
      result.Text += '&';
      continue;
    }
    const size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(caption[i])), caption.size() - i);
    const std::string letter = caption.substr(i, length);
    if (result.KeyLength == 0) {
      result.KeyOffset = result.Text.size();
      result.KeyLength = length;
      result.Key = gfx::CodePoints(letter).front();
    }
    result.Text += letter;
    i += length - 1;
  }
  return result;
}

bool IsAccessKey(const std::string& caption, winsys::WPARAM ch) {
  const TAccessKeyText text = ParseAccessKey(caption);
  return text.KeyLength != 0 && Fold(text.Key) == Fold(static_cast<char32_t>(ch));
}

void DrawAccessText(TCanvas& canvas, int x, int y, const TAccessKeyText& text) {
  canvas.TextOut(x, y, text.Text);
  if (text.KeyLength == 0) return;
  const int left = x + canvas.TextWidth(text.Text.substr(0, text.KeyOffset));
  const int width = canvas.TextWidth(text.Text.substr(text.KeyOffset, text.KeyLength));
  const int baseline = y + canvas.Font().Face().Ascender();
  const TBrush brush = canvas.Brush();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(canvas.Font().Color());
  canvas.FillRect(Bounds(left, baseline + 1, width, 1));
  canvas.Brush() = brush;
}
