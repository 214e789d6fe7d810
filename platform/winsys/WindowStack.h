#pragma once

#include <functional>
#include <vector>

#include "platform/winsys/Window.h"

namespace winsys {

// The z-order of the top-level windows, top first, with the platform's rules: topmost windows
// above all others, owned windows above their owner (they move along with it), and a window
// inserted after another one lands directly below it.
class WindowStack {
 public:
  using Lookup = std::function<const Window*(HWND)>;
  explicit WindowStack(Lookup lookup) : lookup_(std::move(lookup)) {}

  const std::vector<HWND>& TopDown() const { return order_; }
  void Add(HWND hwnd);
  void Remove(HWND hwnd);
  // `after` is HWND_TOP, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST or a window; the caller has
  // already set the window's topmost style. Answers whether the order changed.
  bool Place(HWND hwnd, HWND after);

 private:
  bool OwnedBy(HWND hwnd, HWND owner) const;
  size_t BandStart(bool topmost) const;
  size_t BandEnd(bool topmost) const;

  Lookup lookup_;
  std::vector<HWND> order_;
};

}  // namespace winsys
