#include "platform/winsys/Region.h"

#include <algorithm>

#include "platform/kernel/LastError.h"
#include "platform/winsys/Styles.h"

namespace winsys {
namespace {

RECT Intersect(const RECT& a, const RECT& b) {
  return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
}

// The parts of r outside cut: up to four rectangles (above, below, left, right of it).
void Subtract(const RECT& r, const RECT& cut, std::vector<RECT>& out) {
  RECT overlap = Intersect(r, cut);
  if (overlap.Empty()) {
    out.push_back(r);
    return;
  }
  if (r.top < overlap.top) out.push_back({r.left, r.top, r.right, overlap.top});
  if (overlap.bottom < r.bottom) out.push_back({r.left, overlap.bottom, r.right, r.bottom});
  if (r.left < overlap.left) out.push_back({r.left, overlap.top, overlap.left, overlap.bottom});
  if (overlap.right < r.right) out.push_back({overlap.right, overlap.top, r.right, overlap.bottom});
}

std::vector<RECT> SubtractAll(std::vector<RECT> pieces, const std::vector<RECT>& cuts) {
  for (const RECT& cut : cuts) {
    std::vector<RECT> next;
    for (const RECT& piece : pieces) Subtract(piece, cut, next);
    pieces = std::move(next);
  }
  return pieces;
}

}  // namespace

Region::Region(const RECT& r) {
  if (!r.Empty()) rects_.push_back(r);
}

bool Region::Contains(POINT p) const {
  return std::any_of(rects_.begin(), rects_.end(), [p](const RECT& r) { return r.Contains(p); });
}

RECT Region::Box() const {
  if (rects_.empty()) return RECT{};
  RECT box = rects_.front();
  for (const RECT& r : rects_) {
    box = RECT{std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
               std::max(box.bottom, r.bottom)};
  }
  return box;
}

int Region::Type() const {
  if (rects_.empty()) return NULLREGION;
  int64_t area = 0;
  for (const RECT& r : rects_) area += int64_t{r.Width()} * r.Height();
  RECT box = Box();
  return area == int64_t{box.Width()} * box.Height() ? SIMPLEREGION : COMPLEXREGION;
}

void Region::Offset(int dx, int dy) {
  for (RECT& r : rects_) r = RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

Region Region::Union(const Region& a, const Region& b) {
  Region result = a;
  std::vector<RECT> rest = SubtractAll(b.rects_, a.rects_);
  result.rects_.insert(result.rects_.end(), rest.begin(), rest.end());
  return result;
}

Region Region::Intersection(const Region& a, const Region& b) {
  Region result;
  for (const RECT& ra : a.rects_) {
    for (const RECT& rb : b.rects_) {
      RECT overlap = Intersect(ra, rb);
      if (!overlap.Empty()) result.rects_.push_back(overlap);
    }
  }
  return result;
}

Region Region::Difference(const Region& a, const Region& b) {
  Region result;
  result.rects_ = SubtractAll(a.rects_, b.rects_);
  return result;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return new Region(RECT{left, top, right, bottom});
}

BOOL DeleteObject(HRGN rgn) {
  if (rgn == nullptr) return false;
  delete rgn;
  return true;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
  if (dest == nullptr || a == nullptr || (mode != RGN_COPY && b == nullptr)) {
    kernel::SetLastError(ERROR_INVALID_PARAMETER);
    return ERROR;
  }
  switch (mode) {
    case RGN_COPY:
      *dest = *a;
      break;
    case RGN_OR:
      *dest = Region::Union(*a, *b);
      break;
    case RGN_AND:
      *dest = Region::Intersection(*a, *b);
      break;
    case RGN_DIFF:
      *dest = Region::Difference(*a, *b);
      break;
    default:
      kernel::SetLastError(ERROR_INVALID_PARAMETER);
      return ERROR;
  }
  return dest->Type();
}

int GetRgnBox(HRGN rgn, RECT* box) {
  if (rgn == nullptr || box == nullptr) return ERROR;
  *box = rgn->Box();
  return rgn->Type();
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  return rgn != nullptr && rgn->Contains(POINT{x, y});
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  if (rgn == nullptr) return ERROR;
  rgn->Offset(dx, dy);
  return rgn->Type();
}

}  // namespace winsys
