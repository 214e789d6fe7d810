#pragma once

#include <string>
#include <vector>

#include "framework/TImageList.h"
#include "framework/TListItems.h"
#include "framework/TRowControl.h"

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

struct TListColumn {
  std::string Caption;
  int Width = 50;
};

// The columns of a list view, left to right.
class TListColumns : public TObject {
 public:
  int Add(const std::string& caption, int width);
  int Count() const { return static_cast<int>(FColumns.size()); }
  const TListColumn& Items(int index) const { return FColumns.at(static_cast<size_t>(index)); }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }

 private:
  std::vector<TListColumn> FColumns;
  TNotifyEvent FOnChange;
};

// Rows of items, each with a small image, its caption and its sub-items. Every style shows
// one row per item with the small image and the caption; the report style adds the column
// headers and the sub-items in the columns after the first.
class TListView : public TRowControl {
 public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;
  std::string ClassName() const override { return "TListView"; }

  TListItems& Items() { return FItems; }
  TListColumns& Columns() { return FColumns; }
  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle value);
  // Not owned; cleared when the image list goes.
  TImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TImageList* value);

 protected:
  int RowCount() const override { return FItems.Count(); }
  int RowHeight() const override;
  void PaintRow(TCanvas& canvas, int row, const TRect& rect) override;
  int HeaderHeight() const override;
  void PaintHeader(TCanvas& canvas, const TRect& rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // The column rectangles of a row (or of the header) spanning rect.
  std::vector<TRect> ColumnRects(const TRect& rect) const;

  TListItems FItems;
  TListColumns FColumns;
  TViewStyle FViewStyle = vsIcon;
  TImageList* FSmallImages = nullptr;
};
