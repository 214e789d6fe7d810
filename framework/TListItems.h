#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/TStrings.h"

class TListItems;

// One row of a list view: its caption in the first column, the sub-items in the next ones,
// and the index of its small image (-1 for none).
class TListItem : public TObject {
 public:
  explicit TListItem(TListItems& owner);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  TStrings& SubItems() { return FSubItems; }
  const TStrings& SubItems() const { return FSubItems; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  int Index() const;

 private:
  TListItems& FOwner;
  std::string FCaption;
  TStrings FSubItems;
  int FImageIndex = -1;
};

// The rows of a list view, owned; every change is told through OnChange.
class TListItems : public TObject {
 public:
  TListItem* Add();
  void Delete(int index);
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  TListItem* Item(int index) const { return FItems.at(static_cast<size_t>(index)).get(); }
  int IndexOf(const TListItem* item) const;

  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }

 private:
  friend class TListItem;
  void Changed();

  std::vector<std::unique_ptr<TListItem>> FItems;
  TNotifyEvent FOnChange;
};
