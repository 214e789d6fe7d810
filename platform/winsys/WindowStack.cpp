#include "platform/winsys/WindowStack.h"

#include <algorithm>

namespace winsys {

void WindowStack::Add(HWND hwnd) {
  order_.insert(order_.begin(), hwnd);
  Place(hwnd, HWND_TOP);
}

void WindowStack::Remove(HWND hwnd) {
  std::erase(order_, hwnd);
}

bool WindowStack::OwnedBy(HWND hwnd, HWND owner) const {
  for (const Window* w = lookup_(hwnd); w != nullptr && w->owner != nullptr;
       w = lookup_(w->owner)) {
    if (w->owner == owner) return true;
  }
  return false;
}

size_t WindowStack::BandStart(bool topmost) const {
  if (topmost) return 0;
  auto it =
      std::find_if(order_.begin(), order_.end(), [this](HWND h) { return !lookup_(h)->Topmost(); });
  return static_cast<size_t>(it - order_.begin());
}

size_t WindowStack::BandEnd(bool topmost) const {
  return topmost ? BandStart(false) : order_.size();
}

bool WindowStack::Place(HWND hwnd, HWND after) {
  const Window* window = lookup_(hwnd);
  std::vector<HWND> before = order_;
  // The window travels with everything it owns, which keeps its place above it.
  std::vector<HWND> group;
  for (HWND h : order_) {
    if (OwnedBy(h, hwnd)) group.push_back(h);
  }
  group.push_back(hwnd);
  std::erase_if(order_, [&group](HWND h) { return std::ranges::find(group, h) != group.end(); });

  bool topmost = window->Topmost();
  size_t start = BandStart(topmost);
  size_t end = BandEnd(topmost);
  size_t index = start;
  if (after == HWND_BOTTOM) {
    index = end;
  } else if (after != HWND_TOP && after != HWND_TOPMOST && after != HWND_NOTOPMOST) {
    auto it = std::ranges::find(order_, after);
    if (it != order_.end()) index = static_cast<size_t>(it - order_.begin()) + 1;
  }
  index = std::clamp(index, start, end);
  if (window->owner != nullptr) {
    auto it = std::ranges::find(order_, window->owner);
    if (it != order_.end()) index = std::min(index, static_cast<size_t>(it - order_.begin()));
  }
  order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(index), group.begin(), group.end());
  return order_ != before;
}

}  // namespace winsys
