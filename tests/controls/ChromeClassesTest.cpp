#include <gtest/gtest.h>

#include <vector>

#include "controls/ChromeClasses.h"
#include "framework/ClassRegistry.h"
#include "framework/Resources.h"
#include "framework/TFormLoader.h"
#include "tests/controls/ButtonFixture.h"

namespace {

// The title-bar pictures, as complete PNG files embedded beside the description.
void EmbedPictures() {
  static const std::vector<uint8_t> normal = SolidPng(30, 27, 0xFF0000)->SaveToBytes();
  static const std::vector<uint8_t> over = SolidPng(30, 27, 0x00FF00)->SaveToBytes();
  static const TResource pictures[] = {{"chrome-test/close.png", normal},
                                       {"chrome-test/close_over.png", over}};
  RegisterResources(pictures);
}

struct Handlers {
  int clicks = 0;
  void btnCloseClick(TObject*) { ++clicks; }
};

TEST_F(ButtonTest, FormDescriptionsCreateImageButtonsWithTheirPictures) {
  EmbedPictures();
  RegisterChromeControls(TClassRegistry::Instance());
  TPNGImageButtonEx* btnClose = nullptr;
  Handlers handlers;
  TFormLoader loader(*form);
  loader.Field("btnClose", btnClose);
  loader.Handler("btnCloseClick", &handlers, &Handlers::btnCloseClick);
  loader.LoadFromText(R"(TForm frm_Test {
  TPNGImageButtonEx btnClose {
    Left = 170
    Top = 0
    Width = 30
    Height = 27
    PngOver.Data = png("chrome-test/close_over.png")
    PngImg.Data = png("chrome-test/close.png")
    Alignment = taLeftJustify
    GroupIndex = 2
    FixedHeight = -4
    Stretch = true
    OnClick = btnCloseClick
  }
}
)",
                      "frm_Test.form");
  ASSERT_NE(btnClose, nullptr);
  EXPECT_EQ(btnClose->BoundsRect(), Rect(170, 0, 200, 27));
  EXPECT_EQ(btnClose->PngOver()->Width(), 30);
  EXPECT_EQ(btnClose->PngImg()->Scanline(0)[2], 255) << "red, as stored";
  EXPECT_EQ(btnClose->Alignment(), taLeftJustify);
  EXPECT_EQ(btnClose->GroupIndex(), 2);
  EXPECT_EQ(btnClose->FixedHeight(), 0);
  EXPECT_TRUE(btnClose->Stretch());

  Pump();
  screen.MovePointer({180, 10});
  Pump();
  EXPECT_EQ(ScreenPixel(180, 10), 0x00FF00u) << "the pointer picture";
  screen.Click({180, 10});
  Pump();
  EXPECT_EQ(handlers.clicks, 1);
}

TEST_F(ButtonTest, AWrongPictureNamesTheLineOfTheDescription) {
  RegisterChromeControls(TClassRegistry::Instance());
  TFormLoader loader(*form);
  try {
    loader.LoadFromText(
        "TForm f {\n  TPNGImageButton b {\n    PngImg.Data = png(\"none.png\")\n"
        "  }\n}\n",
        "f.form");
    FAIL() << "loaded";
  } catch (const EFormError& e) {
    EXPECT_EQ(e.Message(), "f.form:3: no embedded picture none.png");
  }
}

}  // namespace
