// How an image button draws itself: composed off-screen over the parent's picture, then shown in
// one step.
#include <algorithm>

#include "controls/f_PNGImageButton.h"
#include "framework/TBitmap.h"

namespace {

// Clears a flag however the scope is left.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
};

void DrawDashedFrame(TCanvas& canvas, int width, int height) {
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetStyle(psDash);
  canvas.Brush().SetStyle(bsClear);
  canvas.Rectangle(Rect(0, 0, width, height));
  canvas.Brush().SetStyle(bsSolid);
}

// Stretch-copies the three parts of one axis: the first `cap` lines unchanged, the middle
// scaled, the last `cap` lines unchanged. span(from, to) makes a rectangle spanning lines
// [from, to) of that axis and the whole other one.
template <class Span>
void CopyCapped(const TPNGObject& source, TPNGObject& dest, int cap, int sourceLength,
                int destLength, Span span) {
  StretchCopy(source, &dest, span(0, cap), span(0, cap));
  StretchCopy(source, &dest, span(cap, destLength - cap), span(cap, sourceLength - cap));
  StretchCopy(source, &dest, span(destLength - cap, destLength),
              span(sourceLength - cap, sourceLength));
}

}  // namespace

std::unique_ptr<TPNGObject> TPNGImageButton::ScaleWithCaps(const TPNGObject& picture,
                                                           const TRect& rect) const {
  std::unique_ptr<TPNGObject> scaled;
  const TPNGObject* current = &picture;
  if (FFixedHeight > 0 && 2 * FFixedHeight < rect.Height()) {
    auto rows = std::make_unique<TPNGObject>();
    rows->CreateBlank(COLOR_RGBALPHA, 8, current->Width(), rect.Height());
    rows->CreateAlpha();
    const int width = current->Width();
    CopyCapped(*current, *rows, FFixedHeight, current->Height(), rect.Height(),
               [width](int from, int to) { return Rect(0, from, width, to); });
    scaled = std::move(rows);
    current = scaled.get();
  }
  if (FFixedWidth > 0 && 2 * FFixedWidth < rect.Width()) {
    auto columns = std::make_unique<TPNGObject>();
    columns->CreateBlank(COLOR_RGBALPHA, 8, rect.Width(), current->Height());
    columns->CreateAlpha();
    const int height = current->Height();
    CopyCapped(*current, *columns, FFixedWidth, current->Width(), rect.Width(),
               [height](int from, int to) { return Rect(from, 0, to, height); });
    scaled = std::move(columns);
  }
  return scaled;
}

void TPNGImageButton::Paint() {
  if (FPainting) return;
  const TFlagScope painting(FPainting);
  if (FCurrent == nullptr || FCurrent->Width() <= 0) FCurrent = FPngImg.get();
  const TPNGObject* picture = FCurrent;
  if (!Enabled() && FPngDisabled->Width() != 0) picture = FPngDisabled.get();
  if (picture == nullptr || picture->Empty()) {
    DrawDashedFrame(Canvas(), Width(), Height());
    return;
  }

  const TRect client = ClientRect();
  TRect r = client;
  if (!FStretch) {
    // An odd remainder puts the extra pixel left and top; a larger picture is squeezed in.
    r.Left = std::max(client.Width() + 1 - picture->Width(), 0) / 2;
    r.Top = std::max(client.Height() + 1 - picture->Height(), 0) / 2;
    r.Right = std::min(r.Left + picture->Width(), client.Width());
    r.Bottom = std::min(r.Top + picture->Height(), client.Height());
  }

  // Composed off-screen over what the parent painted beneath, then shown in one step.
  TBitmap buffer(Width(), Height());
  TCanvas& canvas = buffer.Canvas();
  canvas.CopyRect(client, Canvas(), client);
  if (FTile) {
    TBitmap pattern;
    picture->AssignTo(pattern);
    canvas.Brush().SetBitmap(&pattern);
    canvas.FillRect(client);
    canvas.Brush().SetBitmap(nullptr);
  } else if (FStretch) {
    const std::unique_ptr<TPNGObject> capped = ScaleWithCaps(*picture, r);
    canvas.StretchDraw(r, capped ? *capped : *picture);
  } else {
    canvas.StretchDraw(r, *picture);
  }
  if (Enabled() && PopupMenu() && !FPopupArrow->Empty()) {
    const TGraphic& arrow = *FPopupArrow->Graphic();
    canvas.Draw(buffer.Width() + FPopupArrowOffsetX - arrow.Width() - 5,
                (buffer.Height() - arrow.Height()) / 2 + FPopupArrowOffsetY, arrow);
  }
  if (!FIcon->Empty()) {
    const TGraphic& icon = *FIcon->Graphic();
    canvas.Draw((buffer.Width() - icon.Width()) / 2 + FIconOffsetX,
                (buffer.Height() - icon.Height()) / 2 + FIconOffsetY, icon);
  }
  if (ComponentState() & csDesigning) DrawDashedFrame(canvas, Width(), Height());
  Canvas().Draw(0, 0, buffer);
}

void TPNGImageButtonEx::Paint() {
  Canvas().Font().Assign(Font());
  TPNGImageButton::Paint();
  if (Caption().empty()) return;
  const TSize extent = Canvas().TextExtent(Caption());
  int x = (Width() - extent.cx) / 2;
  if (FAlignment == taLeftJustify) x = 2;
  if (FAlignment == taRightJustify) x = Width() - extent.cx - 2;
  int y = (Height() - extent.cy) / 2;
  if (!Enabled()) Canvas().Font().SetColor(clGrayText);
  Canvas().Brush().SetStyle(bsClear);
  x += FCaptionOffsetX;
  y += FCaptionOffsetY;
  Canvas().TextRect(ClientRect(), x, y, Caption());
}
