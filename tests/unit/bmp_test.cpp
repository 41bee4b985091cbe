// `.BMP` decoding of every supported layout, rejection of malformed files, loading by game path,
// 24-bit encoding and PNG snapshots.
#include "host/bmp.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "host/error.hpp"
#include "host/files.hpp"
#include "host/png.hpp"

namespace zav3::host {
namespace {

using ByteVector = std::vector<std::uint8_t>;

constexpr std::uint32_t red = 0xFFFF0000u, green = 0xFF00FF00u, blue = 0xFF0000FFu,
                        white = 0xFFFFFFFFu, black = 0xFF000000u;

void put16(ByteVector& v, std::uint32_t x) {
  v.push_back(static_cast<std::uint8_t>(x));
  v.push_back(static_cast<std::uint8_t>(x >> 8));
}
void put32(ByteVector& v, std::uint32_t x) {
  put16(v, x & 0xFFFF);
  put16(v, x >> 16);
}

// A picture file built field by field.
struct BmpSpec {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  int bits = 24;
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> palette;  // 0xRRGGBB entries
  std::uint32_t coloursUsed = 0;
  std::vector<std::uint32_t> masks;  // red, green, blue: after a 40-byte header, else inside
  ByteVector data;
};

ByteVector build(const BmpSpec& s) {
  ByteVector header;
  const bool core = s.headerSize == 12;
  put32(header, s.headerSize);
  if (core) {
    put16(header, static_cast<std::uint32_t>(s.width));
    put16(header, static_cast<std::uint32_t>(s.height));
    put16(header, 1);
    put16(header, static_cast<std::uint32_t>(s.bits));
  } else {
    put32(header, static_cast<std::uint32_t>(s.width));
    put32(header, static_cast<std::uint32_t>(s.height));
    put16(header, 1);
    put16(header, static_cast<std::uint32_t>(s.bits));
    put32(header, s.compression);
    put32(header, static_cast<std::uint32_t>(s.data.size()));
    put32(header, 3780);
    put32(header, 3780);
    put32(header, s.coloursUsed);
    put32(header, 0);
    if (s.headerSize > 40) {
      for (std::size_t i = 0; i < 4; ++i) put32(header, i < s.masks.size() ? s.masks[i] : 0);
      header.resize(s.headerSize, 0);
    } else {
      for (std::uint32_t m : s.masks) put32(header, m);
    }
  }
  for (std::uint32_t c : s.palette) {
    header.push_back(static_cast<std::uint8_t>(c));
    header.push_back(static_cast<std::uint8_t>(c >> 8));
    header.push_back(static_cast<std::uint8_t>(c >> 16));
    if (!core) header.push_back(0);
  }
  ByteVector file = {'B', 'M'};
  put32(file, static_cast<std::uint32_t>(14 + header.size() + s.data.size()));
  put32(file, 0);
  put32(file, static_cast<std::uint32_t>(14 + header.size()));
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), s.data.begin(), s.data.end());
  return file;
}

// Expects `bytes` to be rejected as a bad picture (and nothing worse).
void expectBad(const ByteVector& bytes, const char* what) {
  try {
    decodeBmp(bytes);
    ADD_FAILURE() << what << ": accepted";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), err::badPicture) << what;
  }
}

// Decodes, or rejects with the picture error; any other outcome fails.
void expectDecodesOrBad(const ByteVector& bytes) {
  try {
    decodeBmp(bytes, 1 << 20);
  } catch (const RuntimeError& e) {
    ASSERT_EQ(e.number(), err::badPicture);
  }
}

std::vector<std::uint32_t> rowOf(const Surface& s, int y) {
  return {s.row(y), s.row(y) + s.width()};
}

// 3 x 2 at 8 bits, bottom-up: top row red green blue, bottom row white black red.
BmpSpec eightBit() {
  BmpSpec s;
  s.width = 3;
  s.height = 2;
  s.bits = 8;
  s.palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000};
  s.coloursUsed = 5;
  s.data = {3, 4, 0, 0, /**/ 0, 1, 2, 0};
  return s;
}

TEST(BmpDecode, PalettedPicturesOfOneFourAndEightBits) {
  {
    BmpSpec s;  // 1 bit, 10 x 1: bits 1011001110 then padding
    s.width = 10;
    s.bits = 1;
    s.palette = {0x123456, 0xABCDEF};
    s.data = {0b10110011, 0b10000000, 0, 0};
    BmpImage img = decodeBmp(build(s));
    const std::uint32_t a = 0xFF123456u, b = 0xFFABCDEFu;
    EXPECT_EQ(rowOf(img.surface, 0), (std::vector<std::uint32_t>{b, a, b, b, a, a, b, b, b, a}));
    EXPECT_EQ(img.palette, (std::vector<std::uint32_t>{a, b}));
    EXPECT_EQ(img.bitCount, 1);
  }
  {
    BmpSpec s;  // 4 bits, 3 x 1: indexes 1 2 15
    s.width = 3;
    s.bits = 4;
    s.palette.assign(16, 0);
    s.palette[1] = 0xFF0000;
    s.palette[2] = 0x00FF00;
    s.palette[15] = 0xFFFFFF;
    s.data = {0x12, 0xF0, 0, 0};
    BmpImage img = decodeBmp(build(s));
    EXPECT_EQ(rowOf(img.surface, 0), (std::vector<std::uint32_t>{red, green, white}));
    EXPECT_EQ(img.palette.size(), 16u);
  }
  BmpImage img = decodeBmp(build(eightBit()));
  ASSERT_EQ(img.surface.width(), 3);
  ASSERT_EQ(img.surface.height(), 2);
  EXPECT_EQ(rowOf(img.surface, 0), (std::vector<std::uint32_t>{red, green, blue}));
  EXPECT_EQ(rowOf(img.surface, 1), (std::vector<std::uint32_t>{white, black, red}));
  EXPECT_EQ(img.palette.size(), 5u);  // the colours-used count, not 256
  EXPECT_EQ(img.palette[2], blue);

  // Without a count the table is 256 entries, or fewer when the pixel data starts earlier.
  BmpSpec s = eightBit();
  s.coloursUsed = 0;
  EXPECT_EQ(decodeBmp(build(s)).palette.size(), 5u);
  s.palette.resize(256, 0x010203);
  img = decodeBmp(build(s));
  EXPECT_EQ(img.palette.size(), 256u);
  EXPECT_EQ(img.palette[255], 0xFF010203u);
}

TEST(BmpDecode, TopDownRowsAndCoreHeader) {
  BmpSpec s = eightBit();
  s.height = -2;  // the same bytes read top-down swap the rows
  BmpImage img = decodeBmp(build(s));
  EXPECT_EQ(rowOf(img.surface, 0), (std::vector<std::uint32_t>{white, black, red}));
  EXPECT_EQ(rowOf(img.surface, 1), (std::vector<std::uint32_t>{red, green, blue}));

  BmpSpec core = eightBit();  // 12-byte header, 3-byte palette entries, always 256 of them
  core.headerSize = 12;
  core.palette.resize(256, 0x808080);
  img = decodeBmp(build(core));
  EXPECT_EQ(rowOf(img.surface, 0), (std::vector<std::uint32_t>{red, green, blue}));
  EXPECT_EQ(img.palette.size(), 256u);
  EXPECT_EQ(img.palette[200], 0xFF808080u);
}

TEST(BmpDecode, RleEightAndFour) {
  BmpSpec s;
  s.width = 6;
  s.height = 3;
  s.bits = 8;
  s.compression = 1;
  s.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  s.data = {
      4, 1, 0, 0,        // bottom row: 4 red, end of line (2 left black)
      0, 3, 2, 3, 1, 0,  // absolute: green blue red, padded
      0, 2, 1, 1,        // delta: right 1, up 1 -> x 4 of the top row
      2, 3,              // 2 blue
      0, 1,              // end of picture
  };
  BmpImage img = decodeBmp(build(s));
  EXPECT_EQ(rowOf(img.surface, 2), (std::vector<std::uint32_t>{red, red, red, red, black, black}));
  EXPECT_EQ(rowOf(img.surface, 1),
            (std::vector<std::uint32_t>{green, blue, red, black, black, black}));
  EXPECT_EQ(rowOf(img.surface, 0),
            (std::vector<std::uint32_t>{black, black, black, black, blue, blue}));

  s.bits = 4;
  s.compression = 2;
  s.height = 1;
  s.data = {5, 0x12, 0, 3, 0x31, 0x00, 0, 1};  // red green red green red, then blue red green
  s.width = 8;
  img = decodeBmp(build(s));
  EXPECT_EQ(rowOf(img.surface, 0),
            (std::vector<std::uint32_t>{red, green, red, green, red, blue, red, black}));
}

TEST(BmpDecode, SixteenTwentyFourAndThirtyTwoBits) {
  {
    BmpSpec s;  // 5-5-5: white, pure red, pure blue
    s.width = 3;
    s.bits = 16;
    s.data = {0xFF, 0x7F, 0x00, 0x7C, 0x1F, 0x00, 0, 0};
    EXPECT_EQ(rowOf(decodeBmp(build(s)).surface, 0),
              (std::vector<std::uint32_t>{white, red, blue}));
    s.compression = 3;  // 5-6-5 bit fields: pure green, then a mid grey
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.width = 2;
    s.data = {0xE0, 0x07, 0x10, 0x84};  // 0x07E0, 0x8410 = r16 g32 b16
    EXPECT_EQ(rowOf(decodeBmp(build(s)).surface, 0),
              (std::vector<std::uint32_t>{green, 0xFF848284u}));
  }
  {
    BmpSpec s;  // 24 bits, 2 x 2 with row padding
    s.width = 2;
    s.height = 2;
    s.data = {0x00,      0x00, 0xFF, 0xFF, 0x00, 0x00, 0, 0,
              /**/ 0x01, 0x02, 0x03, 0x00, 0xFF, 0x00, 0, 0};
    BmpImage img = decodeBmp(build(s));
    EXPECT_EQ(rowOf(img.surface, 1), (std::vector<std::uint32_t>{red, blue}));
    EXPECT_EQ(rowOf(img.surface, 0), (std::vector<std::uint32_t>{0xFF030201u, green}));
    EXPECT_TRUE(img.palette.empty());
  }
  {
    BmpSpec s;  // 32 bits plain: the fourth byte is not alpha
    s.width = 1;
    s.bits = 32;
    s.data = {0x10, 0x20, 0x30, 0x00};
    EXPECT_EQ(decodeBmp(build(s)).surface.at(0, 0), 0xFF302010u);
    for (std::uint32_t size : {40u, 108u, 124u}) {  // bit fields, masks after or in the header
      s.headerSize = size;
      s.compression = 3;
      s.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // R G B stored in byte order
      EXPECT_EQ(decodeBmp(build(s)).surface.at(0, 0), 0xFF102030u) << size;
    }
  }
}

TEST(BmpDecode, EncodedTwentyFourBitsRoundTrips) {
  Surface s(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      s.set(x, y, 0xFF000000u | static_cast<std::uint32_t>(x * 0x102030 + y * 0x50));
  ByteVector bytes = encodeBmp24(s);
  EXPECT_EQ(bytes.size(), 54u + 3 * 16);  // rows of 15 bytes padded to 16
  BmpImage back = decodeBmp(bytes);
  EXPECT_EQ(back.surface.pixels(), s.pixels());
  EXPECT_EQ(back.bitCount, 24);
}

TEST(BmpDecode, MalformedFilesAreBadPictures) {
  expectBad({}, "empty");
  ByteVector good = build(eightBit());
  ByteVector noSignature = good;
  noSignature[0] = 'X';
  expectBad(noSignature, "signature");
  // Every truncation of the headers, the colour table or the pixels (only the padding byte of
  // the last row may be missing).
  for (std::size_t n = 0; n + 1 < good.size(); ++n)
    expectBad(ByteVector(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)), "truncated");

  auto bad = [](BmpSpec s, const char* what) { expectBad(build(s), what); };
  BmpSpec s = eightBit();
  s.data[0] = 5;  // index 5 of a 5-colour table
  bad(s, "index outside the table");
  s = eightBit();
  s.width = 100000;
  s.height = 100000;
  bad(s, "huge");
  s.width = 0x7FFFFFFF;
  s.height = static_cast<std::int32_t>(0x80000000u);  // most negative: top-down, still huge
  bad(s, "overflowing product");
  s = eightBit();
  s.width = 0;
  bad(s, "zero width");
  for (int bits : {0, 2, 7, 48}) {
    s = eightBit();
    s.bits = bits;
    bad(s, "bit count");
  }
  s = eightBit();
  s.compression = 4;  // embedded JPEG
  bad(s, "compression");
  s.compression = 2;  // RLE4 on 8 bits
  bad(s, "RLE4 with 8 bits");
  s = BmpSpec{};
  s.headerSize = 20;
  bad(s, "header size");

  BmpSpec rle;
  rle.width = 4;
  rle.height = 2;
  rle.bits = 8;
  rle.compression = 1;
  rle.palette = {0, 0xFFFFFF};
  rle.data = {5, 1, 0, 1};  // 5 pixels on a row of 4
  bad(rle, "RLE run past the row");
  rle.data = {0, 3, 1, 1, 1, 1, 1, 0, 0, 1};  // absolute run past the row... of 5
  rle.data[1] = 5;
  bad(rle, "RLE absolute run past the row");
  rle.data = {0, 0, 0, 0, 1, 1, 0, 1};  // two end-of-lines, then a pixel above the top
  bad(rle, "RLE past the top");
  rle.data = {0, 2, 1, 9, 0, 1};
  bad(rle, "RLE delta past the picture");
  rle.data = {0, 2, 1};
  bad(rle, "truncated delta");
  rle.data = {0, 4, 1, 1};
  bad(rle, "truncated absolute run");
  rle.height = -2;
  rle.data = {0, 1};
  bad(rle, "top-down RLE");
}

TEST(BmpDecode, MutatedFilesNeverCrash) {
  std::vector<ByteVector> seeds = {build(eightBit())};
  BmpSpec rle;
  rle.width = 6;
  rle.height = 3;
  rle.bits = 8;
  rle.compression = 1;
  rle.palette = {0, 0xFF, 0xFF00, 0xFF0000};
  rle.data = {4, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 2, 1, 1, 2, 3, 0, 1};
  seeds.push_back(build(rle));
  rle.bits = 4;
  rle.compression = 2;
  seeds.push_back(build(rle));
  BmpSpec fields;
  fields.width = 3;
  fields.height = 2;
  fields.bits = 16;
  fields.compression = 3;
  fields.masks = {0xF800, 0x07E0, 0x001F};
  fields.data.assign(16, 0x5A);
  seeds.push_back(build(fields));
  std::mt19937 random(12345);
  for (const ByteVector& seed : seeds) {
    for (int round = 0; round < 3000; ++round) {
      ByteVector b = seed;
      int edits = 1 + static_cast<int>(random() % 4);
      for (int e = 0; e < edits; ++e) b[random() % b.size()] = static_cast<std::uint8_t>(random());
      if (random() % 4 == 0) b.resize(random() % b.size());
      expectDecodesOrBad(b);
    }
  }
}

class PictureFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("zav3_bmp_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(PictureFiles, LoadsByGamePathWithFileErrors) {
  FileSystem files;
  ByteVector bytes = build(eightBit());
  std::ofstream(dir_ / "PIC.BMP", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  Bytes folder = files.paths().toGame(dir_);
  ASSERT_FALSE(folder.empty());
  BmpImage img = loadBmp(files, folder + "\\pic.bmp");  // names match case-insensitively
  EXPECT_EQ(rowOf(img.surface, 0), (std::vector<std::uint32_t>{red, green, blue}));

  auto errorOf = [&](const Bytes& path) {
    try {
      loadBmp(files, path);
    } catch (const RuntimeError& e) {
      return e.number();
    }
    return 0;
  };
  EXPECT_EQ(errorOf(folder + "\\MISSING.BMP"), err::fileNotFound);
  EXPECT_EQ(errorOf(folder + "\\NOFOLDER\\PIC.BMP"), err::pathNotFound);
  std::ofstream(dir_ / "BROKEN.BMP") << "not a picture";
  EXPECT_EQ(errorOf(folder + "\\BROKEN.BMP"), err::badPicture);
}

TEST_F(PictureFiles, PngSnapshotsRoundTrip) {
  Surface s(7, 4, 0xFF102030u);
  s.set(6, 3, 0xFFFFFFFFu);
  s.set(0, 0, 0xFF800000u);
  ASSERT_TRUE(writePng(s, dir_ / "snap.png"));
  std::optional<Surface> back = readPng(dir_ / "snap.png");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->pixels(), s.pixels());
  EXPECT_FALSE(readPng(dir_ / "missing.png"));
  EXPECT_FALSE(writePng(s, dir_ / "no" / "such" / "folder.png"));
}

}  // namespace
}  // namespace zav3::host
