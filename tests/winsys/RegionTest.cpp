#include "tests/winsys/WinsysFixture.h"

namespace winsys::testing {
namespace {

struct RegionCase {
  const char* name;
  RECT a;
  RECT b;
  int mode;
  int type;
};

class RegionType : public ::testing::TestWithParam<RegionCase> {};

TEST_P(RegionType, IsToldByItsShapeNotByHowItWasMade) {
  const RegionCase& c = GetParam();
  HRGN a = CreateRectRgn(c.a.left, c.a.top, c.a.right, c.a.bottom);
  HRGN b = CreateRectRgn(c.b.left, c.b.top, c.b.right, c.b.bottom);
  HRGN result = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(result, a, b, c.mode), c.type);
  DeleteObject(a);
  DeleteObject(b);
  DeleteObject(result);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, RegionType,
    ::testing::Values(RegionCase{"Halves", {0, 0, 10, 10}, {10, 0, 20, 10}, RGN_OR, SIMPLEREGION},
                      RegionCase{
                          "Overlapping", {0, 0, 10, 10}, {5, 0, 15, 10}, RGN_OR, SIMPLEREGION},
                      RegionCase{"LShape", {0, 0, 10, 10}, {0, 10, 5, 20}, RGN_OR, COMPLEXREGION},
                      RegionCase{"Hole", {0, 0, 10, 10}, {4, 4, 6, 6}, RGN_DIFF, COMPLEXREGION},
                      RegionCase{"Strip", {0, 0, 10, 10}, {0, 5, 10, 10}, RGN_DIFF, SIMPLEREGION},
                      RegionCase{"Apart", {0, 0, 10, 10}, {20, 0, 30, 10}, RGN_AND, NULLREGION},
                      RegionCase{"Overlap", {0, 0, 10, 10}, {5, 5, 30, 10}, RGN_AND, SIMPLEREGION}),
    [](const ::testing::TestParamInfo<RegionCase>& param) { return param.param.name; });

TEST_F(WinsysTest, WindowRegionShapesHitTestingAndIsCopiedOut) {
  HWND below = Make(RECT{0, 0, 100, 100});
  HWND shaped = Make(RECT{0, 0, 100, 100});
  HRGN copy = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(GetWindowRgn(shaped, copy), ERROR);

  // A window with a notch in its top-left corner.
  HRGN shape = CreateRectRgn(0, 0, 100, 100);
  HRGN notch = CreateRectRgn(0, 0, 20, 20);
  CombineRgn(shape, shape, notch, RGN_DIFF);
  DeleteObject(notch);
  SetWindowRgn(shaped, CreateRectRgn(0, 0, 50, 50), false);
  SetWindowRgn(shaped, shape, false);  // the first region is freed by the window
  EXPECT_EQ(GetWindowRgn(shaped, copy), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(copy, 30, 5));
  EXPECT_FALSE(PtInRegion(copy, 5, 5));
  DeleteObject(copy);

  log.clear();
  screen.Click(POINT{50, 50});
  screen.Click(POINT{5, 5});  // through the notch (and raising the window below)
  Pump();
  EXPECT_EQ(Of(below, WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(Of(shaped, WM_LBUTTONDOWN).size(), 1u);
}

}  // namespace
}  // namespace winsys::testing
