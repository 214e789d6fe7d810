#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/FontFace.h"
#include "framework/TBitmap.h"

namespace {

const char* const kFont = "微软雅黑";

struct ExtentCase {
  std::string text;
  int height;
  int width;
};

void PrintTo(const ExtentCase& c, std::ostream* os) {
  *os << '"' << c.text << "\" at " << c.height;
}

class TextExtent : public testing::TestWithParam<ExtentCase> {};

// Layout of the dialogs depends on these exact widths.
TEST_P(TextExtent, MatchesTheHintedAdvances) {
  TBitmap bitmap;
  bitmap.Canvas().Font().SetName(kFont);
  bitmap.Canvas().Font().SetHeight(GetParam().height);
  EXPECT_EQ(bitmap.Canvas().TextExtent(GetParam().text).cx, GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(Widths, TextExtent,
                         testing::Values(ExtentCase{"请选择保存路径。  ", 15, 128},
                                         ExtentCase{"网络异常，请检查网络后重试！  ", 15, 218},
                                         ExtentCase{"请选择保存路径。  ", -15, 128},
                                         ExtentCase{"", 15, 0}));

TEST(FontFace, LineMetricsPerSize) {
  struct Metrics {
    int height, ascender, descender, lineHeight;
  };
  for (const Metrics m : {Metrics{15, 15, -4, 18}, Metrics{12, 12, -3, 14}}) {
    TFont font;
    font.SetName("Microsoft YaHei");
    font.SetHeight(m.height);
    gfx::FontFace& face = font.Face();
    EXPECT_EQ(face.Ascender(), m.ascender) << m.height;
    EXPECT_EQ(face.Descender(), m.descender) << m.height;
    EXPECT_EQ(face.LineHeight(), m.lineHeight) << m.height;
    TBitmap bitmap;
    bitmap.Canvas().Font().Assign(font);
    EXPECT_EQ(bitmap.Canvas().TextHeight("字"), m.lineHeight);
  }
}

TEST(FontFace, UnknownFamilyStillFindsAFontAndSizeIsInPoints) {
  TFont font;
  font.SetSize(9);
  EXPECT_EQ(font.Height(), 12);
  EXPECT_EQ(font.Size(), 9);
  font.SetName("No Such Family");
  EXPECT_GT(font.Face().GetGlyph(U'A', false).advance, 0);
}

// Ink of the text drawn on white: the box it lies in and the darkest value.
struct Ink {
  TRect box{1000, 1000, -1, -1};
  int darkest = 255;
  int pixels = 0;
};

Ink InkOf(TBitmap& bitmap) {
  Ink ink;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      const int v = bitmap.ScanLine(y)[4 * x + 1];
      if (v == 255) continue;
      ink.box = {std::min(ink.box.Left, x), std::min(ink.box.Top, y),
                 std::max(ink.box.Right, x + 1), std::max(ink.box.Bottom, y + 1)};
      ink.darkest = std::min(ink.darkest, v);
      ++ink.pixels;
    }
  return ink;
}

TBitmap& White(TBitmap& bitmap) {
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().Brush().SetStyle(bsSolid);
  bitmap.Canvas().FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
  bitmap.Canvas().Brush().SetStyle(bsClear);
  bitmap.Canvas().Font().SetName(kFont);
  bitmap.Canvas().Font().SetHeight(15);
  bitmap.Canvas().Font().SetColor(clBlack);
  return bitmap;
}

TEST(TextOut, GlyphsLieInTheirLineBoxWithSolidStems) {
  TBitmap bitmap(200, 40);
  White(bitmap).Canvas().TextOut(10, 10, "请选择保存路径");
  const Ink ink = InkOf(bitmap);
  EXPECT_GE(ink.box.Left, 10);
  EXPECT_LE(ink.box.Right, 10 + 7 * 15);
  EXPECT_GE(ink.box.Top, 10);
  EXPECT_LE(ink.box.Bottom, 10 + 15 + 4);
  EXPECT_GT(ink.box.Width(), 6 * 15);
  EXPECT_EQ(ink.darkest, 0) << "hinted stems reach full coverage";

  TBitmap bold(200, 40);
  White(bold).Canvas().Font().SetStyle(fsBold);
  bold.Canvas().TextOut(10, 10, "请选择保存路径");
  EXPECT_GT(InkOf(bold).pixels, ink.pixels * 11 / 10);
  EXPECT_GT(bold.Canvas().TextWidth("请选择保存路径"), bitmap.Canvas().TextWidth("请选择保存路径"));
}

TEST(TextOut, TextRectClipsAndTheSolidBrushFillsTheBox) {
  TBitmap bitmap(100, 30);
  White(bitmap).Canvas().TextRect(Rect(5, 0, 40, 12), 5, 2, "保存路径");
  const Ink ink = InkOf(bitmap);
  EXPECT_GE(ink.box.Left, 5);
  EXPECT_LE(ink.box.Right, 40);
  EXPECT_LE(ink.box.Bottom, 12);
  EXPECT_GT(ink.pixels, 0);

  TBitmap filled(100, 30);
  White(filled).Canvas().Brush().SetStyle(bsSolid);
  filled.Canvas().Brush().SetColor(clNavy);
  filled.Canvas().TextOut(0, 0, "路径");
  EXPECT_EQ(filled.Canvas().Pixel(29, 17), clNavy);
  EXPECT_EQ(filled.Canvas().Pixel(30, 0), clWhite);
  EXPECT_EQ(filled.Canvas().Pixel(0, 18), clWhite);
}

struct WrapCase {
  const char* name;
  std::string text;
  int width;
  TRect expected;  // what the measuring mode gives for a rectangle at (0, 0)
};

void PrintTo(const WrapCase& c, std::ostream* os) {
  *os << c.name;
}

class DrawTextWrap : public testing::TestWithParam<WrapCase> {};

TEST_P(DrawTextWrap, MeasuresTheWrappedLines) {
  TBitmap bitmap(10, 10);
  White(bitmap);
  const TRect measured = bitmap.Canvas().DrawText(
      GetParam().text, Rect(0, 0, GetParam().width, 1000), tfWordBreak | tfCalcRect);
  EXPECT_EQ(measured, GetParam().expected);
  EXPECT_EQ(InkOf(bitmap).pixels, 0) << "measuring draws nothing";
}

// 15 px: CJK characters 15 wide, a space 4, a line 18 high.
INSTANTIATE_TEST_SUITE_P(
    Cases, DrawTextWrap,
    testing::Values(
        WrapCase{"CjkBreaksBetweenCharacters", "请选择保存路径", 50, Rect(0, 0, 45, 54)},
        WrapCase{"ClosingPunctuationStaysOnItsLine", "请选择保存路。", 45, Rect(0, 0, 45, 54)},
        WrapCase{"FitsOnOneLine", "请选择保存路径。  ", 128, Rect(0, 0, 128, 18)},
        WrapCase{"ExplicitLineBreaks", "保存\r\n\n路径", 1000, Rect(0, 0, 30, 54)},
        WrapCase{"EmptyTextIsOneLine", "", 100, Rect(0, 0, 0, 18)}),
    [](const testing::TestParamInfo<WrapCase>& c) { return std::string(c.param.name); });

TEST(DrawText, LatinWordsBreakAtSpacesAndLongWordsAreCut) {
  TBitmap bitmap(10, 10);
  TCanvas& canvas = White(bitmap).Canvas();
  const int twoWords = canvas.TextWidth("hello world");
  EXPECT_EQ(canvas.DrawText("hello world again", Rect(0, 0, twoWords + 3, 1000),
                            tfWordBreak | tfCalcRect),
            Rect(0, 0, twoWords, 36));
  const TRect cut =
      canvas.DrawText("abcdefghijklmnop", Rect(0, 0, 30, 1000), tfWordBreak | tfCalcRect);
  EXPECT_LE(cut.Right, 30);
  EXPECT_GT(cut.Bottom, 18);
}

TEST(DrawText, AlignmentMovesEachLineByItsSpareWidth) {
  const TRect box = Rect(0, 0, 100, 60);
  const auto draw = [&](TTextFormat format) {
    TBitmap bitmap(100, 60);
    White(bitmap).Canvas().DrawText("保存\n保存保存", box, format);
    return InkOf(bitmap).box;
  };
  const TRect left = draw(0);
  const TRect right = draw(tfRight);
  const TRect centre = draw(tfCenter | tfVerticalCenter);
  EXPECT_EQ(right.Right - left.Right, 100 - 60);
  EXPECT_EQ(right.Left - left.Left, 100 - 60) << "the longest line starts the ink";
  EXPECT_EQ(centre.Right - left.Right, (100 - 60) / 2);
  EXPECT_EQ(centre.Left - left.Left, (100 - 60) / 2);
  EXPECT_EQ(centre.Top - left.Top, (60 - 36) / 2);
}

}  // namespace
