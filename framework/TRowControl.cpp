#include "framework/TRowControl.h"

#include <algorithm>

#include "framework/FontFace.h"
#include "framework/TCanvas.h"

using namespace winsys;

namespace {

constexpr int kFrame = 1;
constexpr int kBar = 16;  // thickness of a scroll bar, and the size of its arrow buttons
constexpr int kMinThumb = 8;
constexpr int kPadding = 2;  // between the frame and the text

void Box(TCanvas& canvas, const TRect& rect, TColor fill) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(fill);
  canvas.Pen().SetColor(clBtnShadow);
  canvas.Rectangle(rect);
}

}  // namespace

TRowControl::TRowControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetColor(clWindow);
  SetTabStop(true);
}

void TRowControl::SetScrollBars(TScrollStyle value) {
  if (FScrollBars == value) return;
  FScrollBars = value;
  RowsChanged();
}

void TRowControl::SetTopRow(int value) {
  const int last = std::max(0, RowCount() - VisibleRows());
  value = std::clamp(value, 0, last);
  if (value == FTopRow) return;
  FTopRow = value;
  Invalidate();
}

int TRowControl::RowHeight() const {
  return Font().Face().LineHeight();
}

int TRowControl::VisibleRows() const {
  return std::max(1, RowsRect().Height() / std::max(1, RowHeight()));
}

void TRowControl::RowsChanged() {
  SetTopRow(FTopRow);
  Invalidate();
}

TRect TRowControl::VerticalBar() const {
  if (!HasVertical()) return {};
  return {Width() - kFrame - kBar, kFrame, Width() - kFrame,
          Height() - kFrame - (HasHorizontal() ? kBar : 0)};
}

TRect TRowControl::HorizontalBar() const {
  if (!HasHorizontal()) return {};
  return {kFrame, Height() - kFrame - kBar, Width() - kFrame - (HasVertical() ? kBar : 0),
          Height() - kFrame};
}

TRect TRowControl::RowsRect() const {
  const TRect rows{kFrame + kPadding, kFrame + HeaderHeight(),
                   Width() - kFrame - kPadding - (HasVertical() ? kBar : 0),
                   Height() - kFrame - (HasHorizontal() ? kBar : 0)};
  return rows.IsEmpty() ? TRect{rows.Left, rows.Top, rows.Left, rows.Top} : rows;
}

int TRowControl::RowAt(TPoint p) const {
  const TRect rows = RowsRect();
  if (!rows.Contains(p)) return -1;
  const int row = FTopRow + (p.Y - rows.Top) / std::max(1, RowHeight());
  return row < RowCount() ? row : -1;
}

TRect TRowControl::Thumb() const {
  const TRect bar = VerticalBar();
  const int track = bar.Height() - 2 * kBar;
  if (track <= 0) return {};
  const int rows = std::max(RowCount(), VisibleRows());
  const int length = std::clamp(track * VisibleRows() / rows, std::min(kMinThumb, track), track);
  const int last = std::max(1, RowCount() - VisibleRows());
  const int top = bar.Top + kBar + (track - length) * std::min(FTopRow, last) / last;
  return {bar.Left, top, bar.Right, top + length};
}

void TRowControl::Scroll(WPARAM request) {
  switch (request) {
    case SB_LINEUP:
      SetTopRow(FTopRow - 1);
      break;
    case SB_LINEDOWN:
      SetTopRow(FTopRow + 1);
      break;
    case SB_PAGEUP:
      SetTopRow(FTopRow - VisibleRows());
      break;
    case SB_PAGEDOWN:
      SetTopRow(FTopRow + VisibleRows());
      break;
    case SB_TOP:
      SetTopRow(0);
      break;
    case SB_BOTTOM:
      SetTopRow(RowCount());
      break;
    default:
      break;
  }
}

void TRowControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_VSCROLL) {
    Scroll(LOWORD(Message.WParam));
    Message.Result = 0;
    return;
  }
  TWinControl::WndProc(Message);
}

void TRowControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TRect bar = VerticalBar();
  if (Button == mbLeft && bar.Contains({X, Y})) {
    const TRect thumb = Thumb();
    if (Y < bar.Top + kBar) {
      Perform(WM_VSCROLL, SB_LINEUP, 0);
    } else if (Y >= bar.Bottom - kBar) {
      Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    } else if (Y < thumb.Top) {
      Perform(WM_VSCROLL, SB_PAGEUP, 0);
    } else if (Y >= thumb.Bottom) {
      Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    }
  }
  TWinControl::MouseDown(Button, Shift, X, Y);
}

void TRowControl::PaintBackground(TCanvas& canvas) {
  TWinControl::PaintBackground(canvas);
  const TRect rows = RowsRect();
  TCanvas clipped;
  clipped.Attach(canvas.Buffer(), canvas.Origin(), rows.Intersect(canvas.ClipRect()));
  clipped.Font().Assign(Font());
  const int height = std::max(1, RowHeight());
  for (int row = FTopRow, y = rows.Top; row < RowCount() && y < rows.Bottom; ++row, y += height) {
    PaintRow(clipped, row, {rows.Left, y, rows.Right, y + height});
  }
  if (HeaderHeight() > 0) {
    canvas.Font().Assign(Font());
    PaintHeader(canvas, {kFrame, kFrame, rows.Right + kPadding, kFrame + HeaderHeight()});
  }
  PaintScrollBars(canvas);
  canvas.Brush().SetStyle(bsClear);
  canvas.Pen().SetColor(clBtnShadow);
  canvas.Rectangle(Rect(0, 0, Width(), Height()));
}

void TRowControl::PaintScrollBars(TCanvas& canvas) {
  if (const TRect bar = VerticalBar(); !bar.IsEmpty()) {
    Box(canvas, bar, clScrollBar);
    Box(canvas, {bar.Left, bar.Top, bar.Right, bar.Top + kBar}, clBtnFace);
    Box(canvas, {bar.Left, bar.Bottom - kBar, bar.Right, bar.Bottom}, clBtnFace);
    if (const TRect thumb = Thumb(); !thumb.IsEmpty()) Box(canvas, thumb, clBtnFace);
  }
  if (const TRect bar = HorizontalBar(); !bar.IsEmpty()) {
    Box(canvas, bar, clBtnFace);
  }
  if (HasVertical() && HasHorizontal()) {
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(
        {Width() - kFrame - kBar, Height() - kFrame - kBar, Width() - kFrame, Height() - kFrame});
  }
}
