// The shadow's picture: the blurred template, the composition for a form size, the copy of the
// form into the middle, and the build that follows a window region.
#include <algorithm>

#include "controls/f_ShadowFrame.h"
#include "platform/winsys/WindowApi.h"

using namespace winsys;

namespace {

constexpr int kMargin = 16;
constexpr int kTemplateSize = 135;
// The white square of the template: pixels 16 ... 118 in both directions.
constexpr int kInnerFirst = 16;
constexpr int kInnerEnd = 119;
// Bands repeat this column (top, bottom) or row (left, right) of the template.
constexpr int kBandSource = 65;
constexpr int kCorner = 32;

constexpr TPremulTable MakePremulTable() {
  TPremulTable table{};
  for (int i = 0; i < 256; ++i) {
    for (int j = 0; j < 256; ++j) table[i][j] = uint8_t(i * j / 255);
  }
  return table;
}

// Copies whole B,G,R,A pixels of one template column down the rows [fromY, toY] of the columns
// [fromX, toX]; sourceY(y) names the template row.
template <class SourceRow>
void RepeatColumn(TBitmap& dest, const TBitmap& source, int fromX, int toX, int fromY, int toY,
                  SourceRow sourceY) {
  for (int y = fromY; y <= toY; ++y) {
    const uint8_t* s = source.ScanLine(sourceY(y)) + 4 * kBandSource;
    uint8_t* d = dest.ScanLine(y);
    for (int x = fromX; x <= toX; ++x) std::copy_n(s, 4, d + 4 * x);
  }
}

// Copies one template row to the rows [fromY, toY]; sourceX(x) names the template column of x.
template <class SourceColumn>
void RepeatRow(TBitmap& dest, const TBitmap& source, int fromX, int toX, int fromY, int toY,
               SourceColumn sourceX) {
  const uint8_t* s = source.ScanLine(kBandSource);
  for (int y = fromY; y <= toY; ++y) {
    uint8_t* d = dest.ScanLine(y);
    for (int x = fromX; x <= toX; ++x) std::copy_n(s + 4 * sourceX(x), 4, d + 4 * x);
  }
}

}  // namespace

const TPremulTable PremulTable = MakePremulTable();

void TFormShadow::ColourShadowPixel(uint8_t* pixel, uint8_t alpha) const {
  const TColor rgb = ColorToRGB(FShadowColor);
  pixel[0] = PremulTable[GetBValue(rgb)][alpha];
  pixel[1] = PremulTable[GetGValue(rgb)][alpha];
  pixel[2] = PremulTable[GetRValue(rgb)][alpha];
  pixel[3] = alpha;
}

void TFormShadow::BlurBitmap(TBitmap& Bitmap, int Passes) {
  const int width = Bitmap.Width();
  const int height = Bitmap.Height();
  for (int k = 1; k <= Passes; ++k) {
    // In place: a pixel reads rows above it already blurred by this pass, which is what lets
    // the shadow fall off further below the form than above it.
    for (int y = 0; y < height; ++y) {
      const uint8_t* up = Bitmap.ScanLine(std::max(y - k, 0));
      const uint8_t* down = Bitmap.ScanLine(std::min(y + k, height - 1));
      uint8_t* row = Bitmap.ScanLine(y);
      for (int x = 0; x < width; ++x) {
        const int left = 4 * std::max(x - k, 0);
        const int right = 4 * std::min(x + k, width - 1);
        for (int c = 2; c >= 0; --c) {
          row[4 * x + c] =
              uint8_t((up[left + c] + up[right + c] + down[left + c] + down[right + c]) >> 2);
        }
      }
    }
  }
}

void TFormShadow::BuildRectShadow(int AWidth, int AHeight) {
  if (!FTemplate) {
    FTemplate = std::make_unique<TBitmap>();
    FTemplate->SetPixelFormat(pf32bit);
    FTemplate->SetWidth(kTemplateSize);
    FTemplate->SetHeight(kTemplateSize);
    FNeedsRebuild = true;
    TCanvas& canvas = FTemplate->Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBlack);
    canvas.FillRect(Rect(0, 0, kTemplateSize, kTemplateSize));
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(Rect(kInnerFirst, kInnerFirst, kInnerEnd, kInnerEnd));
    BlurBitmap(*FTemplate, FBlurPasses);
    // The band's alpha is the blurred white; row 16 belongs to it, column 16 does not.
    for (int y = 0; y < kTemplateSize; ++y) {
      uint8_t* row = FTemplate->ScanLine(y);
      for (int x = 0; x < kTemplateSize; ++x) {
        const bool band = x < kInnerFirst || x >= kInnerEnd || y <= kInnerFirst || y >= kInnerEnd;
        if (band) ColourShadowPixel(row + 4 * x, row[4 * x]);
      }
    }
  }
  if (!FActive || !FForm || !FForm->HandleAllocated() || FForm->Parent()) return;
  const int width = AWidth + 2 * kMargin;
  const int height = AHeight + 2 * kMargin;
  if (FShadowBitmap->Width() != width || FShadowBitmap->Height() != height) {
    FNeedsRebuild = true;
    FShadowBitmap->SetWidth(width);
    FShadowBitmap->SetHeight(height);
  } else if (FForm->TransparentColor() && FForm->TransparentColorValue() != FFormKeyColor) {
    FNeedsRebuild = true;
  }
  if (!FNeedsRebuild) return;
  FShaped = false;
  FNeedsRebuild = false;
  FBuiltWidth = AWidth;
  FBuiltHeight = AHeight;
  ComposeRectShadow();
  UpdateShadowWindow();
}

void TFormShadow::ComposeRectShadow() {
  TBitmap& dest = *FShadowBitmap;
  TBitmap& source = *FTemplate;
  const int W = dest.Width();
  const int H = dest.Height();
  const int far = kTemplateSize - kCorner;  // 103: the template's right and bottom corners
  TCanvas& canvas = dest.Canvas();
  BitBlt(canvas, 0, 0, kCorner, kCorner, source.Canvas(), 0, 0);
  BitBlt(canvas, W - kCorner, 0, kCorner, kCorner, source.Canvas(), far, 0);
  BitBlt(canvas, 0, H - kCorner, kCorner, kCorner, source.Canvas(), 0, far);
  BitBlt(canvas, W - kCorner, H - kCorner, kCorner, kCorner, source.Canvas(), far, far);
  if (W >= 64) {
    RepeatColumn(dest, source, 31, W - 33, 0, 16, [](int y) { return y; });
    RepeatColumn(dest, source, 31, W - 33, H - 17, H - 1,
                 [H](int y) { return y + kTemplateSize - H; });
  }
  if (H >= 63) RepeatRow(dest, source, 0, 15, 30, H - 33, [](int x) { return x; });
  if (H >= 64) {
    RepeatRow(dest, source, W - 17, W - 1, 31, H - 33,
              [W](int x) { return x + kTemplateSize - W; });
  }
}

// A shaped form is never copied: its build leaves the form's own painting, at the form's size, in
// FFormPicture, so the size test below stops, and the clear middle stays under the form.
void TFormShadow::CaptureForm() {
  if (!FForm) return;
  if (FFormPicture->Width() == FForm->Width() && FFormPicture->Height() == FForm->Height()) return;
  FFormPicture->SetHeight(FForm->Height());
  FFormPicture->SetWidth(FForm->Width());
  const int width = FFormPicture->Width();
  const int height = FFormPicture->Height();
  BitBlt(FFormPicture->Canvas(), 0, 0, width, height, FForm->Canvas(), 0, 0);
  if (FShadowBitmap->Width() <= width + 17 || FShadowBitmap->Height() <= height + 17) return;
  for (int r = 0; r < height; ++r) {
    const uint8_t* s = FFormPicture->ScanLine(r);
    uint8_t* d = FShadowBitmap->ScanLine(r + kMargin) + 4 * kMargin;
    for (int c = 0; c < width; ++c, s += 4, d += 4) {
      std::copy_n(s, 3, d);
      d[3] = 255;
    }
  }
  UpdateShadowWindow();
}

void TFormShadow::BuildShapedShadow(int, int) {
  const int width = FForm->Width();
  const int height = FForm->Height();
  FShaped = true;
  FNeedsRebuild = false;
  FBuiltWidth = width;
  FBuiltHeight = height;
  FShadowBitmap->SetSize(width + 2 * kMargin, height + 2 * kMargin);
  TCanvas& canvas = FShadowBitmap->Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect(Rect(0, 0, FShadowBitmap->Width(), FShadowBitmap->Height()));
  Region shape = *FFormRegion;
  shape.Offset(kMargin, kMargin);
  canvas.Brush().SetColor(clWhite);
  for (const RECT& r : shape.Rects()) canvas.FillRect(Rect(r.left, r.top, r.right, r.bottom));
  PaintFormShape(*FShadowBitmap);
  BlurBitmap(*FShadowBitmap, FBlurPasses);
  for (int y = 0; y < FShadowBitmap->Height(); ++y) {
    uint8_t* p = FShadowBitmap->ScanLine(y);
    for (int x = 0; x < FShadowBitmap->Width(); ++x, p += 4) {
      // Under the form nothing at all: a clear pixel must be clear in colour too, as the picture
      // is premultiplied.
      if (shape.Contains({x, y})) {
        std::fill_n(p, 4, uint8_t{0});
      } else {
        ColourShadowPixel(p, p[0]);
      }
    }
  }
  UpdateShadowWindow();
}

void TFormShadow::PaintFormShape(TBitmap& Target) {
  FFormPicture->SetSize(FForm->ClientWidth(), FForm->ClientHeight());
  FForm->PaintTo(FFormPicture->Canvas());
  const TPoint client = FForm->ClientToScreen({0, 0});
  const int dx = client.X - FForm->Left() + kMargin;
  const int dy = client.Y - FForm->Top() + kMargin;
  // The form casts a shadow where it shows: everywhere inside its region but on its transparent
  // colour. Its own colours do not count, or a dark edge would cast a weaker shadow.
  const bool keyed = FForm->TransparentColor();
  const TColor key = ColorToRGB(FForm->TransparentColorValue());
  for (int y = 0; y < FFormPicture->Height(); ++y) {
    const uint8_t* s = FFormPicture->ScanLine(y);
    for (int x = 0; x < FFormPicture->Width(); ++x, s += 4) {
      const POINT at{x + dx, y + dy};
      if (!FFormRegion->Contains({x, y}) || !Target.Buffer().Contains(at.x, at.y)) continue;
      const bool transparent = keyed && RGB(s[2], s[1], s[0]) == key;
      std::fill_n(Target.ScanLine(at.y) + 4 * at.x, 3, uint8_t(transparent ? 0 : 255));
    }
  }
}
