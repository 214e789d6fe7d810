#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <vector>

#include "framework/TBitmap.h"
#include "framework/TPNGObject.h"
#include "framework/TPicture.h"

namespace {

// A PNG file written by libpng itself from raw pixels in the given simplified-API format.
std::vector<uint8_t> EncodePng(int width, int height, png_uint_32 format,
                               const std::vector<uint8_t>& pixels,
                               const std::vector<uint8_t>& colormap = {}) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = format;
  image.colormap_entries = png_uint_32(colormap.size() / 4);
  const void* map = colormap.empty() ? nullptr : colormap.data();
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, map));
  std::vector<uint8_t> bytes(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, map));
  bytes.resize(size);
  png_image_free(&image);
  return bytes;
}

std::array<uint8_t, 4> PixelAt(const TPNGObject& png, int x, int y) {
  const uint8_t* p = png.Scanline(y) + 4 * x;
  return {p[0], p[1], p[2], p[3]};
}

struct DecodeCase {
  const char* name;
  png_uint_32 format;
  std::vector<uint8_t> pixels;  // 2 x 1 pixels in that format
  std::vector<uint8_t> colormap;
  uint8_t colorType;
  uint8_t bitDepth;
  bool hasAlpha;
  std::array<uint8_t, 4> second;  // B, G, R, A of pixel (1, 0) after decoding
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
  *os << c.name;
}

class PngDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(PngDecode, GivesStraightBgraAndTheHeader) {
  const DecodeCase& c = GetParam();
  TPNGObject png;
  png.LoadFromBytes(EncodePng(2, 1, c.format, c.pixels, c.colormap));
  EXPECT_EQ(png.Width(), 2);
  EXPECT_EQ(png.Height(), 1);
  EXPECT_EQ(png.Header().ColorType, c.colorType);
  EXPECT_EQ(png.Header().BitDepth, c.bitDepth);
  EXPECT_EQ(png.HasAlpha(), c.hasAlpha);
  EXPECT_EQ(PixelAt(png, 1, 0), c.second);
  EXPECT_EQ(bool(png.AlphaScanline(0)), (c.colorType & 4) != 0);

  // Saving keeps the colour type and the pixels.
  TPNGObject again;
  again.LoadFromBytes(png.SaveToBytes());
  EXPECT_EQ(again.Header().ColorType, c.colorType);
  EXPECT_EQ(PixelAt(again, 0, 0), PixelAt(png, 0, 0));
  EXPECT_EQ(PixelAt(again, 1, 0), c.second);
}

INSTANTIATE_TEST_SUITE_P(
    ColorTypes, PngDecode,
    testing::Values(
        // Straight alpha is not premultiplied: a half-transparent red stays 255 red.
        DecodeCase{"RgbAlpha",
                   PNG_FORMAT_RGBA,
                   {1, 2, 3, 255, 255, 0, 0, 128},
                   {},
                   COLOR_RGBALPHA,
                   8,
                   true,
                   {0, 0, 255, 128}},
        DecodeCase{"Rgb",
                   PNG_FORMAT_RGB,
                   {1, 2, 3, 40, 50, 60},
                   {},
                   COLOR_RGB,
                   8,
                   false,
                   {60, 50, 40, 255}},
        DecodeCase{"GrayAlpha",
                   PNG_FORMAT_GA,
                   {7, 255, 90, 10},
                   {},
                   COLOR_GRAYSCALEALPHA,
                   8,
                   true,
                   {90, 90, 90, 10}},
        DecodeCase{
            "Gray", PNG_FORMAT_GRAY, {7, 90}, {}, COLOR_GRAYSCALE, 8, false, {90, 90, 90, 255}},
        // Indices 1 and 0; entry 0 is half transparent through the transparency table.
        DecodeCase{"PaletteWithTransparency",
                   PNG_FORMAT_RGBA | PNG_FORMAT_FLAG_COLORMAP,
                   {1, 0},
                   {10, 20, 30, 100, 200, 150, 100, 255},
                   COLOR_PALETTE,
                   1,  // two entries need one bit
                   true,
                   {30, 20, 10, 100}}),
    [](const testing::TestParamInfo<DecodeCase>& c) { return std::string(c.param.name); });

TEST(PngDecode, KeepsThePalette) {
  TPNGObject png;
  png.LoadFromBytes(EncodePng(2, 1, PNG_FORMAT_RGBA | PNG_FORMAT_FLAG_COLORMAP, {1, 0},
                              {10, 20, 30, 100, 200, 150, 100, 255}));
  ASSERT_EQ(png.Palette().size(), 2u);
  EXPECT_EQ(png.Palette()[0], (TPngPaletteEntry{30, 20, 10, 100}));
  EXPECT_EQ(png.Palette()[1], (TPngPaletteEntry{100, 150, 200, 255}));
  EXPECT_TRUE(png.HasTransparencyTable());
}

TEST(PngDecode, MalformedFilesFailClearlyAndKeepThePicture) {
  const std::vector<uint8_t> good = EncodePng(2, 1, PNG_FORMAT_RGBA, {1, 2, 3, 4, 5, 6, 7, 8});
  std::vector<uint8_t> badCrc = good;
  badCrc[30] ^= 0xFF;  // inside the header chunk
  const std::vector<std::vector<uint8_t>> malformed = {
      {},
      {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'},
      std::vector<uint8_t>(good.begin(), good.begin() + 20),  // cut inside the header
      std::vector<uint8_t>(good.begin(), good.end() - 20),    // cut inside the data
      badCrc,
  };
  TPNGObject png;
  png.LoadFromBytes(good);
  for (const std::vector<uint8_t>& bytes : malformed) {
    try {
      png.LoadFromBytes(bytes);
      ADD_FAILURE() << "accepted " << bytes.size() << " malformed bytes";
    } catch (const kernel::Exception& e) {
      EXPECT_NE(std::string(e.what()).find("PNG picture"), std::string::npos) << e.what();
      EXPECT_GT(std::string(e.what()).size(),
                std::string("the PNG picture cannot be read: ").size())
          << "no reason given";
    }
    EXPECT_EQ(PixelAt(png, 1, 0), (std::array<uint8_t, 4>{7, 6, 5, 8}));
  }
}

TEST(PngObject, BlankPicturesAndAlphaChannels) {
  TPNGObject png;
  EXPECT_THROW(png.CreateBlank(COLOR_RGB, 4, 2, 2), EInvalidGraphic);
  EXPECT_THROW(png.CreateBlank(COLOR_PALETTE, 16, 2, 2), EInvalidGraphic);
  EXPECT_THROW(png.CreateBlank(5, 8, 2, 2), EInvalidGraphic);
  EXPECT_TRUE(png.Empty());

  png.CreateBlank(COLOR_RGBALPHA, 8, 3, 2);
  EXPECT_EQ(PixelAt(png, 2, 1), (std::array<uint8_t, 4>{0, 0, 0, 0}));

  png.CreateBlank(COLOR_RGB, 8, 3, 2);
  EXPECT_FALSE(png.AlphaScanline(0));
  png.Scanline(1)[4] = 77;
  png.CreateAlpha();
  EXPECT_EQ(png.Header().ColorType, COLOR_RGBALPHA);
  ASSERT_TRUE(png.AlphaScanline(1));
  EXPECT_EQ(png.AlphaScanline(1)[1], 255);
  png.AlphaScanline(1)[1] = 255 / 3;
  EXPECT_EQ(PixelAt(png, 1, 1), (std::array<uint8_t, 4>{77, 0, 0, 85}));

  png.CreateBlank(COLOR_GRAYSCALE, 2, 1, 1);
  png.CreateAlpha();
  EXPECT_EQ(png.Header().ColorType, COLOR_GRAYSCALEALPHA);
  EXPECT_EQ(png.Header().BitDepth, 8);

  png.CreateBlank(COLOR_PALETTE, 8, 1, 1);
  png.CreateAlpha();
  EXPECT_EQ(png.Header().ColorType, COLOR_PALETTE);
  EXPECT_TRUE(png.HasTransparencyTable());
  EXPECT_FALSE(png.AlphaScanline(0));
}

TEST(PngObject, AssignCopiesOrClearsAndTellsEachChange) {
  TPNGObject source;
  source.CreateBlank(COLOR_RGBALPHA, 8, 4, 3);
  TPNGObject png;
  std::vector<TObject*> senders;
  png.SetOnChange([&](TObject* sender) { senders.push_back(sender); });
  png.Assign(&source);
  EXPECT_EQ(png.Width(), 4);
  EXPECT_EQ(png.Height(), 3);
  png.Assign(nullptr);
  EXPECT_TRUE(png.Empty());
  EXPECT_EQ(png.Width(), 0);
  EXPECT_EQ(png.Height(), 0);
  EXPECT_EQ(senders, (std::vector<TObject*>{&png, &png}));
}

TEST(PngObject, PictureLoadsPngBytesAndFollowsChangesOfIt) {
  TPicture picture;
  int changes = 0;
  picture.SetOnChange([&](TObject*) { ++changes; });
  picture.LoadFromBytes(EncodePng(3, 2, PNG_FORMAT_RGBA, std::vector<uint8_t>(24, 9)));
  auto* png = dynamic_cast<TPNGObject*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(picture.Width(), 3);
  png->CreateAlpha();  // has one already: no change
  png->Assign(nullptr);
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(changes, 2);
  EXPECT_THROW(picture.LoadFromBytes(std::vector<uint8_t>(40, 1)), EInvalidGraphic);
}

TEST(PngObject, ConvertsToABitmapWithTheSameAlpha) {
  TPNGObject png;
  png.CreateBlank(COLOR_RGBALPHA, 8, 2, 1);
  uint8_t* row = png.Scanline(0);
  row[4] = 9, row[5] = 8, row[6] = 7, row[7] = 60;
  TBitmap bitmap;
  png.AssignTo(bitmap);
  EXPECT_EQ(bitmap.PixelFormat(), pf32bit);
  EXPECT_EQ(bitmap.AlphaFormat(), afDefined);
  ASSERT_EQ(bitmap.Width(), 2);
  EXPECT_EQ(std::vector<uint8_t>(bitmap.ScanLine(0), bitmap.ScanLine(0) + 8),
            (std::vector<uint8_t>{0, 0, 0, 0, 9, 8, 7, 60}));
}

// One column whose row r holds the value r in every byte.
void NumberRows(TPNGObject& png, int height) {
  png.CreateBlank(COLOR_RGBALPHA, 8, 1, height);
  for (int y = 0; y < height; ++y) std::fill_n(png.Scanline(y), 4, uint8_t(y));
}

TEST(StretchCopy, FixedCapsKeepTheirRowsAndTheMiddleStretches) {
  // A 20-row picture on 40 rows with 5 fixed rows at each end.
  TPNGObject source;
  NumberRows(source, 20);
  TPNGObject dest;
  dest.CreateBlank(COLOR_RGBALPHA, 8, 1, 40);
  StretchCopy(source, &dest, Rect(0, 0, 1, 5), Rect(0, 0, 1, 5));
  StretchCopy(source, &dest, Rect(0, 5, 1, 35), Rect(0, 5, 1, 15));
  StretchCopy(source, &dest, Rect(0, 35, 1, 40), Rect(0, 15, 1, 20));
  std::vector<int> rows;
  for (int y = 0; y < 40; ++y) rows.push_back(dest.Scanline(y)[0]);
  const std::vector<int> expected = {0,  1,  2,  3,  4,                                      //
                                     5,  5,  6,  6,  6,  7,  7,  7,  8,  8,  8,  9,  9,  9,  //
                                     10, 10, 10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14,     //
                                     14, 14, 15,                                             //
                                     15, 16, 17, 18, 19};
  EXPECT_EQ(rows, expected) << "row 34 takes row 5 + 29 * 10 / 30 rounded, that is 15";
  EXPECT_EQ(dest.AlphaScanline(34)[0], 15) << "alpha travels with the pixel";
}

TEST(StretchCopy, HalvesRoundToEvenAndNoRowFallsPastThePicture) {
  // Scale 0.5: offsets 0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5 round to 0, 0, 1, 2, 2, 2, 3, 4.
  TPNGObject source;
  NumberRows(source, 6);
  TPNGObject dest;
  dest.CreateBlank(COLOR_RGB, 8, 1, 9);
  StretchCopy(source, &dest, Rect(0, 1, 1, 9), Rect(0, 1, 1, 5));
  std::vector<int> rows;
  for (int y = 0; y < 9; ++y) rows.push_back(dest.Scanline(y)[0]);
  EXPECT_EQ(rows, (std::vector<int>{0, 1, 1, 2, 3, 3, 3, 4, 5}));
  EXPECT_EQ(dest.Scanline(8)[3], 255) << "a destination without alpha channel stays opaque";

  // Enlarging a whole picture maps the last row past its edge: the last row stands in for it.
  TPNGObject tall;
  tall.CreateBlank(COLOR_RGB, 8, 1, 5);
  StretchCopy(source, &tall, Rect(0, 0, 1, 5), Rect(0, 4, 1, 6));
  rows.clear();
  for (int y = 0; y < 5; ++y) rows.push_back(tall.Scanline(y)[0]);
  EXPECT_EQ(rows, (std::vector<int>{4, 4, 5, 5, 5}));
}

TEST(StretchCopy, GivesOpaqueAlphaFromASourceWithoutAlphaAndIgnoresEmptyArguments) {
  TPNGObject source;
  source.CreateBlank(COLOR_RGB, 8, 2, 2);
  TPNGObject dest;
  dest.CreateBlank(COLOR_RGBALPHA, 8, 2, 2);
  StretchCopy(source, nullptr, Rect(0, 0, 2, 2), Rect(0, 0, 2, 2));
  StretchCopy(source, &dest, Rect(0, 0, 0, 2), Rect(0, 0, 2, 2));
  StretchCopy(source, &dest, Rect(0, 0, 2, 2), Rect(1, 1, 1, 2));
  StretchCopy(TPNGObject(), &dest, Rect(0, 0, 2, 2), Rect(0, 0, 2, 2));
  EXPECT_EQ(PixelAt(dest, 1, 1)[3], 0);
  // Parts outside the destination are left out.
  StretchCopy(source, &dest, Rect(1, 1, 4, 4), Rect(0, 0, 2, 2));
  EXPECT_EQ(PixelAt(dest, 0, 0)[3], 0);
  EXPECT_EQ(PixelAt(dest, 1, 1)[3], 255);
}

}  // namespace
