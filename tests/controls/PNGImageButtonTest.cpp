#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "tests/controls/ButtonFixture.h"

namespace {

using winsys::MouseButton;
using winsys::POINT;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;

TEST_F(ButtonTest, ThePictureIsCentredOrSqueezedIntoTheButton) {
  struct Case {
    int width, height;  // of the picture, on a 30 x 27 button
    TRect drawn;        // in the button
  };
  for (const Case& c :
       {Case{30, 27, {0, 0, 30, 27}}, Case{29, 26, {1, 1, 30, 27}}, Case{28, 27, {1, 0, 29, 27}},
        Case{10, 5, {10, 11, 20, 16}}, Case{40, 40, {0, 0, 30, 27}}}) {
    TPNGImageButton* button = MakeButton(20, 10);
    button->SetAutoSize(false);
    button->SetBounds(20, 10, 30, 27);
    const auto picture = SolidPng(c.width, c.height, kRed);
    button->SetPngImg(picture.get());
    Pump();
    EXPECT_EQ(Extent(Rect(10, 0, 60, 50), kRed), c.drawn.Offset(20, 10))
        << c.width << " x " << c.height;
    form->DestroyComponent(button);
    Pump();
  }
}

TEST_F(ButtonTest, WithoutAPictureTheButtonShowsADashedFrame) {
  MakeButton(20, 10);  // 50 x 50
  Pump();
  EXPECT_EQ(ScreenPixel(20, 10), 0u);
  EXPECT_EQ(ScreenPixel(20 + 17, 10), 0u);
  EXPECT_EQ(ScreenPixel(20 + 18, 10), kWhite) << "a gap of the dashes";
  EXPECT_EQ(ScreenPixel(20 + 49, 10 + 49), 0u);
  EXPECT_EQ(ScreenPixel(20 + 25, 10 + 25), kWhite) << "nothing inside";
}

// A picture of 20 rows, each of its own shade of red, on a 40-row button: which source row
// each button row shows.
TEST_F(ButtonTest, FixedCapsKeepTheirRowsWhenStretching) {
  const auto rows = SolidPng(10, 20, 0);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 10; ++x) rows->Scanline(y)[4 * x + 2] = uint8_t(10 * (y + 1));
  }
  struct Case {
    int fixedHeight;
    std::vector<std::pair<int, int>> buttonRowToSourceRow;
  };
  const std::vector<Case> cases = {
      // Caps of 5 rows; the middle maps row 5 + (y - 5) * 10 / 30, halves to even.
      {5, {{0, 0}, {4, 4}, {5, 5}, {6, 5}, {7, 6}, {8, 6}, {20, 10}, {34, 15}, {35, 15}, {39, 19}}},
      // 2 x 20 is not less than 40: the whole picture is scaled.
      {20, {{0, 0}, {1, 0}, {2, 1}, {21, 10}, {39, 19}}},
      {0, {{0, 0}, {2, 1}, {39, 19}}},
  };
  for (const Case& c : cases) {
    TPNGImageButton* button = MakeButton(20, 10);
    button->SetAutoSize(false);
    button->SetBounds(20, 10, 10, 40);
    button->SetStretch(true);
    button->SetFixedHeight(c.fixedHeight);
    button->SetPngImg(rows.get());
    Pump();
    for (const auto& [row, source] : c.buttonRowToSourceRow) {
      EXPECT_EQ(ScreenPixel(25, 10 + row), uint32_t(10 * (source + 1)) << 16)
          << "FixedHeight " << c.fixedHeight << ", row " << row;
    }
    form->DestroyComponent(button);
    Pump();
  }
}

TEST_F(ButtonTest, FixedCapsKeepTheirColumnsAndNegativeOnesBecomeZero) {
  const auto columns = SolidPng(20, 10, 0);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) columns->Scanline(y)[4 * x + 1] = uint8_t(10 * (x + 1));
  }
  TPNGImageButton* button = MakeButton(20, 10);
  button->SetAutoSize(false);
  button->SetBounds(20, 10, 40, 10);
  button->SetStretch(true);
  button->SetFixedWidth(-3);
  EXPECT_EQ(button->FixedWidth(), 0);
  button->SetFixedWidth(5);
  button->SetPngImg(columns.get());
  Pump();
  for (const auto& [column, source] : std::vector<std::pair<int, int>>{
           {0, 0}, {4, 4}, {5, 5}, {7, 6}, {34, 15}, {35, 15}, {39, 19}}) {
    EXPECT_EQ(ScreenPixel(20 + column, 15), uint32_t(10 * (source + 1)) << 8) << column;
  }
}

TEST_F(ButtonTest, TilingRepeatsThePictureOverTheButton) {
  TPNGImageButton* button = MakeButton(20, 10);
  button->SetAutoSize(false);
  button->SetBounds(20, 10, 30, 20);
  button->SetTile(true);
  const auto checker = SolidPng(4, 4, kRed);
  for (int y = 2; y < 4; ++y) std::fill_n(checker->Scanline(y), 16, uint8_t{0});  // clear half
  button->SetPngImg(checker.get());
  Pump();
  EXPECT_EQ(ScreenPixel(20, 10), kRed);
  EXPECT_EQ(ScreenPixel(20 + 29, 10 + 17), kRed);
  EXPECT_EQ(ScreenPixel(20 + 5, 10 + 18), kWhite) << "the clear half shows the form";
}

TEST_F(ButtonTest, IconAndPopupArrowAreDrawnOverThePicture) {
  TPNGImageButton* button = MakeButton(20, 10);
  const auto face = SolidPng(40, 20, kRed);
  button->SetPngImg(face.get());
  TPicture icon, arrow;
  const auto blue = SolidPng(4, 4, 0x0000FF);
  const auto green = SolidPng(6, 2, 0x00FF00);
  icon.SetGraphic(blue.get());
  arrow.SetGraphic(green.get());
  button->SetIcon(&icon);
  button->SetIconOffsetX(3);
  button->SetPopupArrow(&arrow);
  Pump();
  EXPECT_EQ(Extent(Rect(0, 0, 100, 50), 0x00FF00), TRect{}) << "no arrow without a popup menu";
  EXPECT_EQ(Extent(Rect(0, 0, 100, 50), 0x0000FF), Rect(20 + 18 + 3, 10 + 8, 20 + 25, 10 + 12));
  TPopupMenu* menu = TComponent::Create<TPopupMenu>(form);
  button->SetPopupMenu(menu);
  button->SetPopupArrowOffsetY(1);
  Pump();
  // x = 40 - 6 - 5, y = (20 - 2) / 2 + 1
  EXPECT_EQ(Extent(Rect(0, 0, 100, 50), 0x00FF00), Rect(20 + 29, 10 + 10, 20 + 35, 10 + 12));
}

TEST_F(ButtonTest, DisablingShowsPngImgAtAThirdOfItsOpacity) {
  TPNGImageButton* button = MakeButton(20, 10);
  const auto face = SolidPng(30, 27, kRed);
  for (int y = 0; y < 27; ++y) face->AlphaScanline(y)[1] = 100;
  button->SetPngImg(face.get());
  Pump();
  button->SetEnabled(false);
  TPNGObject* disabled = button->PngDisabled();
  ASSERT_EQ(disabled->Width(), 30);
  EXPECT_EQ(button->CurrentPicture(), disabled);
  EXPECT_EQ(disabled->AlphaScanline(5)[0], 85);
  EXPECT_EQ(disabled->AlphaScanline(5)[1], 33);
  EXPECT_EQ(disabled->Scanline(5)[2], 255) << "the colours stay";
  // 255 over white at alpha 85: a light red, drawn at once.
  EXPECT_EQ(ScreenPixel(20, 10), 0xFFAAAAu);

  button->SetEnabled(true);
  EXPECT_EQ(button->CurrentPicture(), button->PngImg());
  EXPECT_EQ(ScreenPixel(20, 10), kRed);
}

TEST_F(ButtonTest, AnAutoSizedButtonFollowsItsPictures) {
  TPNGImageButton* button = MakeButton(20, 10);
  EXPECT_EQ(button->Width(), 50);
  const auto face = SolidPng(30, 27, kRed);
  button->SetPngImg(face.get());
  EXPECT_EQ(button->BoundsRect(), Rect(20, 10, 50, 37));
  const auto wide = SolidPng(40, 20, kRed);
  button->SetPngOver(wide.get());
  EXPECT_EQ(button->BoundsRect(), Rect(20, 10, 60, 37)) << "other pictures only enlarge";

  screen.MovePointer({25, 15});
  Pump();
  ASSERT_EQ(button->CurrentPicture(), button->PngOver());
  button->SetPngImg(nullptr);
  EXPECT_EQ(button->Width(), 0);
  EXPECT_EQ(button->Height(), 0);
}

TEST_F(ButtonTest, TheFocusControlIsForgottenWhenItGoes) {
  TPNGImageButton* button = MakeButton(20, 10);
  TPNGImageButton* other = MakeButton(100, 10);
  button->SetFocusControl(other);
  EXPECT_EQ(button->FocusControl(), other);
  form->DestroyComponent(other);
  EXPECT_EQ(button->FocusControl(), nullptr);
}

// The pictures a button has; each script step is an input on the button or beside it.
struct Script {
  std::string name;
  bool over, down, up;  // which of PngOver, PngDown, PngUp are set (PngImg always)
  bool enabled;
  std::vector<std::string> steps;  // move, leave, press, release, rpress, rrelease
  std::vector<std::string> events;
  std::string current;  // img, over, down, up or disabled
};

class ButtonEventTest : public ButtonTest {
 protected:
  void Play(const std::string& step) {
    const POINT inside{35, 20};
    const POINT outside{150, 80};
    if (step == "move") screen.MovePointer(inside);
    if (step == "leave") screen.MovePointer(outside);
    if (step == "press") screen.PressButton(inside);
    if (step == "release") screen.ReleaseButton(inside);
    if (step == "rpress") screen.PressButton(inside, MouseButton::Right);
    if (step == "rrelease") screen.ReleaseButton(inside, MouseButton::Right);
    Pump();
    clock.Advance(1000);  // no two presses make a double click
  }

  std::string CurrentName(const TPNGImageButton* b) {
    const TPNGObject* current = b->CurrentPicture();
    if (current == b->PngImg()) return "img";
    if (current == b->PngOver()) return "over";
    if (current == b->PngDown()) return "down";
    if (current == b->PngUp()) return "up";
    if (current == b->PngDisabled()) return "disabled";
    return "none";
  }
};

TEST_F(ButtonEventTest, ThePictureAndTheEventsFollowThePointer) {
  const std::vector<Script> scripts = {
      {"title-bar click: released over it, the normal picture comes back",
       true,
       false,
       false,
       true,
       {"move", "press", "release"},
       {"enter", "down", "click", "up"},
       "img"},
      {"pointer over and away",
       true,
       false,
       false,
       true,
       {"move", "leave"},
       {"enter", "leave"},
       "img"},
      {"leaving without a pointer picture still tells",
       false,
       false,
       false,
       true,
       {"move", "leave"},
       {"enter", "leave"},
       "img"},
      {"pressed", true, true, false, true, {"move", "press"}, {"enter", "down"}, "down"},
      {"the release order skips the current picture: first PngUp",
       true,
       false,
       true,
       true,
       {"move", "press", "release"},
       {"enter", "down", "click", "up"},
       "up"},
      {"then PngOver",
       true,
       false,
       true,
       true,
       {"move", "press", "release", "press", "release"},
       {"enter", "down", "click", "up", "down", "click", "up"},
       "over"},
      {"the right button changes nothing",
       true,
       true,
       false,
       true,
       {"move", "rpress", "rrelease"},
       {"enter"},
       "over"},
      {"disabled: no event at all",
       true,
       true,
       true,
       false,
       {"move", "press", "release", "leave"},
       {},
       "disabled"},
  };
  for (const Script& s : scripts) {
    events.clear();
    TPNGImageButton* button = MakeButton(20, 10);
    const auto img = SolidPng(30, 27, kRed), over = SolidPng(30, 27, 0x00FF00),
               down = SolidPng(30, 27, 0x0000FF), up = SolidPng(30, 27, 0x00FFFF);
    button->SetPngImg(img.get());
    if (s.over) button->SetPngOver(over.get());
    if (s.down) button->SetPngDown(down.get());
    if (s.up) button->SetPngUp(up.get());
    button->SetEnabled(s.enabled);
    Watch(button);
    Pump();
    for (const std::string& step : s.steps) Play(step);
    EXPECT_EQ(events, s.events) << s.name;
    EXPECT_EQ(CurrentName(button), s.current) << s.name;
    screen.MovePointer({150, 80});
    Pump();
    form->DestroyComponent(button);
    Pump();
  }
}

TEST_F(ButtonEventTest, PressingOneOfAGroupHoldsItDownAndReleasesTheOthers) {
  const auto img = SolidPng(30, 27, kRed), down = SolidPng(30, 27, 0x0000FF);
  std::vector<TPNGImageButtonEx*> group;
  for (int i = 0; i < 3; ++i) {
    TPNGImageButtonEx* b = MakeButton<TPNGImageButtonEx>(10 + 40 * i, 10);
    b->SetPngImg(img.get());
    b->SetPngDown(down.get());
    b->SetGroupIndex(1);
    Watch(b, std::to_string(i));
    group.push_back(b);
  }
  const auto click = [&](int i) {
    screen.Click({15 + 40 * i, 20});
    Pump();
    clock.Advance(1000);  // no two clicks make a double click
  };
  const auto state = [&] {
    std::string s;
    for (TPNGImageButtonEx* b : group) {
      s += b->Down() ? "D" : "-";
      s += CurrentName(b) + " ";
    }
    return s;
  };
  click(0);
  EXPECT_EQ(state(), "Ddown -img -img ");
  click(1);
  EXPECT_EQ(state(), "-img Ddown -img ");
  events.clear();
  click(1);
  EXPECT_EQ(state(), "-img Ddown -img ") << "a down button stays down";
  EXPECT_EQ(events, (std::vector<std::string>{"1 down", "1 click"})) << "and its release is quiet";

  screen.MovePointer({15 + 40 * 1, 20});
  screen.MovePointer({150, 80});
  events.clear();
  Pump();
  EXPECT_EQ(state(), "-img Ddown -img ") << "pointer moves keep the pressed picture";
  EXPECT_EQ(events, (std::vector<std::string>{"1 leave"}));

  group[2]->SetDown(true);
  EXPECT_EQ(state(), "-img -img Dimg ") << "down from code keeps the picture, releases the rest";
}

// The caption of an image button: where it starts and in which colour.
TEST_F(ButtonTest, TheCaptionIsAlignedOffsetAndGreyWhenDisabled) {
  auto* button = MakeButton<TPNGImageButtonEx>(20, 10);
  button->SetAutoSize(false);
  button->SetBounds(20, 10, 120, 40);
  const auto face = SolidPng(120, 40, kWhite);
  button->SetPngImg(face.get());
  button->Font().SetColor(clBlack);
  button->Font().SetHeight(16);
  const TRect area = Rect(20, 10, 140, 50);
  Pump();
  EXPECT_EQ(Extent(area, 0), TRect{}) << "an empty caption draws nothing";

  button->SetCaption("Hello");
  button->SetAlignment(taLeftJustify);
  button->SetCaptionOffsetX(3);
  Pump();
  const TRect left = Extent(area, 0);
  EXPECT_GE(left.Left, 20 + 2 + 3);
  EXPECT_LE(left.Left, 20 + 2 + 3 + 2) << "the first glyph starts at the offset";
  EXPECT_LE(std::abs((left.Top - 10) - (50 - left.Bottom)), 4) << "centred vertically";

  button->SetAlignment(taRightJustify);
  button->SetCaptionOffsetX(0);
  Pump();
  const TRect right = Extent(area, 0);
  EXPECT_LE(right.Right, 140 - 2);
  EXPECT_GE(right.Right, 140 - 2 - 2);

  button->SetEnabled(false);
  Pump();
  const uint32_t grey = uint32_t(ColorToRGB(clGrayText));
  const uint32_t rgb = (grey & 0xFF) << 16 | (grey & 0xFF00) | (grey >> 16 & 0xFF);
  EXPECT_EQ(Extent(area, 0), TRect{}) << "no black text";
  EXPECT_FALSE(Extent(area, rgb).IsEmpty()) << "grey text";
}

}  // namespace
