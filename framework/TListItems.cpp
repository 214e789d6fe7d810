#include "framework/TListItems.h"

#include <stdexcept>

TListItem::TListItem(TListItems& owner) : FOwner(owner) {
  FSubItems.SetOnChange([this](TObject*) { FOwner.Changed(); });
}

void TListItem::SetCaption(const std::string& value) {
  FCaption = value;
  FOwner.Changed();
}

void TListItem::SetImageIndex(int value) {
  FImageIndex = value;
  FOwner.Changed();
}

int TListItem::Index() const {
  return FOwner.IndexOf(this);
}

TListItem* TListItems::Add() {
  FItems.push_back(std::make_unique<TListItem>(*this));
  Changed();
  return FItems.back().get();
}

void TListItems::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TListItems::Delete");
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TListItems::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TListItems::IndexOf(const TListItem* item) const {
  for (int i = 0; i < Count(); ++i) {
    if (FItems[static_cast<size_t>(i)].get() == item) return i;
  }
  return -1;
}

void TListItems::Changed() {
  if (FOnChange) FOnChange(this);
}
