#include "framework/TListView.h"

#include <algorithm>

#include "framework/FontFace.h"
#include "framework/TCanvas.h"

int TListColumns::Add(const std::string& caption, int width) {
  FColumns.push_back({caption, width});
  if (FOnChange) FOnChange(this);
  return Count() - 1;
}

TListView::TListView(TComponent* AOwner) : TRowControl(AOwner) {
  SetBounds(0, 0, 250, 150);
  FItems.SetOnChange([this](TObject*) { RowsChanged(); });
  FColumns.SetOnChange([this](TObject*) { Invalidate(); });
}

TListView::~TListView() {
  if (FSmallImages) FSmallImages->RemoveFreeNotification(this);
}

void TListView::SetViewStyle(TViewStyle value) {
  if (FViewStyle == value) return;
  FViewStyle = value;
  RowsChanged();
}

void TListView::SetSmallImages(TImageList* value) {
  if (FSmallImages == value) return;
  if (FSmallImages) FSmallImages->RemoveFreeNotification(this);
  FSmallImages = value;
  if (FSmallImages) FSmallImages->FreeNotification(this);
  RowsChanged();
}

void TListView::Notification(TComponent* AComponent, TOperation Operation) {
  TRowControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FSmallImages) {
    FSmallImages = nullptr;
    RowsChanged();
  }
}

int TListView::RowHeight() const {
  return std::max(Font().Face().LineHeight(), FSmallImages ? FSmallImages->Height() : 0) + 1;
}

int TListView::HeaderHeight() const {
  return FViewStyle == vsReport ? Font().Face().LineHeight() + 4 : 0;
}

std::vector<TRect> TListView::ColumnRects(const TRect& rect) const {
  std::vector<TRect> columns;
  if (FViewStyle != vsReport || FColumns.Count() == 0) {
    columns.push_back(rect);
    return columns;
  }
  int x = rect.Left;
  for (int i = 0; i < FColumns.Count(); ++i) {
    columns.push_back({x, rect.Top, x + FColumns.Items(i).Width, rect.Bottom});
    x += FColumns.Items(i).Width;
  }
  return columns;
}

void TListView::PaintHeader(TCanvas& canvas, const TRect& rect) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBtnFace);
  canvas.FillRect(rect);
  canvas.Pen().SetColor(clBtnShadow);
  const std::vector<TRect> columns = ColumnRects(rect);
  for (int i = 0; i < FColumns.Count(); ++i) {
    const TRect column = columns[static_cast<size_t>(i)].Intersect(rect);
    if (column.IsEmpty()) continue;
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(column);
    canvas.DrawText(FColumns.Items(i).Caption,
                    {column.Left + 4, column.Top, column.Right - 2, column.Bottom},
                    tfVerticalCenter);
  }
}

void TListView::PaintRow(TCanvas& canvas, int row, const TRect& rect) {
  const TListItem& item = *FItems.Item(row);
  const std::vector<TRect> columns = ColumnRects(rect);
  TRect first = columns.front();
  if (FSmallImages) {
    FSmallImages->Draw(canvas, first.Left, first.Top, item.ImageIndex());
    first.Left += FSmallImages->Width() + 2;
  }
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawText(item.Caption(), first, tfVerticalCenter);
  for (size_t i = 1; i < columns.size() && int(i) <= item.SubItems().Count(); ++i) {
    const TRect& column = columns[i];
    canvas.DrawText(item.SubItems().Strings(int(i) - 1),
                    {column.Left + 4, column.Top, column.Right, column.Bottom}, tfVerticalCenter);
  }
}
