#pragma once

#include <vector>

#include "platform/winsys/Types.h"

namespace winsys {

// A set of pixels kept as disjoint rectangles. Disjointness makes the area exact, so a region
// is told to be one rectangle (SIMPLEREGION) by comparing its area with its bounding box,
// however it was put together.
class Region {
 public:
  Region() = default;
  explicit Region(const RECT& r);

  const std::vector<RECT>& Rects() const { return rects_; }
  bool Contains(POINT p) const;
  RECT Box() const;
  int Type() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
  void Offset(int dx, int dy);

  static Region Union(const Region& a, const Region& b);
  static Region Intersection(const Region& a, const Region& b);
  static Region Difference(const Region& a, const Region& b);

 private:
  std::vector<RECT> rects_;
};

// The platform's region calls. A region made by CreateRectRgn belongs to the caller until it is
// given to SetWindowRgn, which takes it over; DeleteObject frees one the caller still owns.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
BOOL DeleteObject(HRGN rgn);
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
int GetRgnBox(HRGN rgn, RECT* box);
BOOL PtInRegion(HRGN rgn, int x, int y);
int OffsetRgn(HRGN rgn, int dx, int dy);

}  // namespace winsys
