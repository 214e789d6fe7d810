#include "framework/TFlatEdit.h"

#include <algorithm>
#include <cstdlib>

#include "framework/FontFace.h"
#include "framework/TCanvas.h"
#include "platform/text/Utf.h"

using namespace winsys;

namespace {

constexpr int kPadding = 3;  // between the border and the text

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c < 0xDC00;
}

}  // namespace

TFlatEdit::TFlatEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetColor(clWindow);
  SetCursor(crIBeam);
  SetBounds(0, 0, 121, 21);
}

void TFlatEdit::SetBorderColor(TColor value) {
  FBorderColor = value;
  Invalidate();
}

TRect TFlatEdit::TextArea() const {
  return Rect(1 + kPadding, 1, std::max(1 + kPadding, Width() - 1 - kPadding),
              std::max(1, Height() - 1));
}

size_t TFlatEdit::PreviousBoundary(size_t offset) const {
  if (offset == 0) return 0;
  do {
    --offset;
  } while (offset > 0 && IsContinuation(Text()[offset]));
  return offset;
}

size_t TFlatEdit::NextBoundary(size_t offset) const {
  if (offset >= Text().size()) return Text().size();
  do {
    ++offset;
  } while (offset < Text().size() && IsContinuation(Text()[offset]));
  return offset;
}

void TFlatEdit::MoveCaret(size_t offset) {
  if (offset == FCaret) return;
  FCaret = offset;
  Invalidate();
}

void TFlatEdit::Insert(const std::string& utf8) {
  const size_t caret = FCaret;
  std::string text = Text();
  text.insert(caret, utf8);
  FCaret = caret + utf8.size();
  SetText(text);
}

void TFlatEdit::Erase(size_t from, size_t to) {
  if (from == to) return;
  std::string text = Text();
  text.erase(from, to - from);
  FCaret = from;
  SetText(text);
}

void TFlatEdit::CMTextChanged(TMessage& Message) {
  // Text set from outside may be shorter, or split the character the caret stood before.
  FCaret = std::min(FCaret, Text().size());
  while (FCaret > 0 && FCaret < Text().size() && IsContinuation(Text()[FCaret])) --FCaret;
  TWinControl::CMTextChanged(Message);
  if (FOnChange) FOnChange(this);
}

void TFlatEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_LEFT:
      MoveCaret(PreviousBoundary(FCaret));
      break;
    case VK_RIGHT:
      MoveCaret(NextBoundary(FCaret));
      break;
    case VK_HOME:
      MoveCaret(0);
      break;
    case VK_END:
      MoveCaret(Text().size());
      break;
    case VK_BACK:
      if (!FReadOnly) Erase(PreviousBoundary(FCaret), FCaret);
      break;
    case VK_DELETE:
      if (!FReadOnly) Erase(FCaret, NextBoundary(FCaret));
      break;
    default:
      return;
  }
  Key = 0;
}

void TFlatEdit::KeyPress(char16_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key < 0x20 || Key == 0x7F) return;
  // Printable characters belong to the box even when it is read-only: they must not fall
  // through to the form as access keys of other controls.
  const char16_t typed = Key;
  Key = 0;
  if (IsHighSurrogate(typed)) {
    FHighSurrogate = typed;
    return;
  }
  std::u16string character;
  if (FHighSurrogate) character += FHighSurrogate;
  character += typed;
  FHighSurrogate = 0;
  if (!FReadOnly) Insert(text::Utf16ToUtf8(character));
}

int TFlatEdit::CaretX(const TCanvas& canvas) const {
  return canvas.TextWidth(Text().substr(0, FCaret));
}

void TFlatEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TWinControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TCanvas measure;
  measure.Font().Assign(Font());
  const TRect area = TextArea();
  const int scroll = std::max(0, CaretX(measure) - area.Width() + 1);
  const int target = X - area.Left + scroll;
  // The boundary nearest to the click: the distance falls until the click's place and rises
  // after it, since each character adds to the width.
  size_t best = 0;
  int bestDistance = std::abs(target);
  for (size_t offset = NextBoundary(0); offset > best; offset = NextBoundary(offset)) {
    const int distance = std::abs(measure.TextWidth(Text().substr(0, offset)) - target);
    if (distance >= bestDistance) break;
    best = offset;
    bestDistance = distance;
  }
  MoveCaret(best);
}

void TFlatEdit::PaintTo(TCanvas& canvas) {
  PaintBackground(canvas);
  canvas.Font().Assign(Font());
  if (!Enabled()) canvas.Font().SetColor(clGrayText);
  canvas.Pen().SetColor(FBorderColor);
  canvas.Pen().SetStyle(psSolid);
  canvas.Brush().SetStyle(bsClear);
  canvas.Rectangle(ClientRect());

  const TRect area = TextArea();
  const int lineHeight = canvas.Font().Face().LineHeight();
  const int y = (Height() - lineHeight) / 2;
  const int caretX = CaretX(canvas);
  const int scroll = std::max(0, caretX - area.Width() + 1);
  canvas.TextRect(area, area.Left - scroll, y, Text());
  if (Focused()) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(canvas.Font().Color());
    canvas.FillRect(Rect(area.Left + caretX - scroll, std::max(area.Top, y),
                         area.Left + caretX - scroll + 1, std::min(area.Bottom, y + lineHeight)));
  }
  PaintControls(canvas);
}
