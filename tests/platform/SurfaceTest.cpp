/** @file SurfaceTest.cpp Raster copies and their clipping, stretching, lines, and picture files in and out. */
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/Surface.h"

using namespace plat;
namespace fs = std::filesystem;

namespace {

// Writes an uncompressed bottom-up BMP: 24 bits per pixel, or 1/8 bits with a palette.
void WriteBmp(const std::string& path, int w, int h, int bpp, const std::vector<uint8_t>& pixelRows,
              const std::vector<Colour>& palette = {}) {
  const int rowBytes = ((w * bpp + 31) / 32) * 4;
  const int paletteBytes = static_cast<int>(palette.size()) * 4;
  const int offset = 14 + 40 + paletteBytes;
  const int size = offset + rowBytes * h;
  std::vector<uint8_t> b;
  auto u16 = [&](int v) { b.push_back(v & 255); b.push_back((v >> 8) & 255); };
  auto u32 = [&](int v) { u16(v & 0xFFFF); u16((v >> 16) & 0xFFFF); };
  b.push_back('B'); b.push_back('M'); u32(size); u32(0); u32(offset);
  u32(40); u32(w); u32(h); u16(1); u16(bpp); u32(0); u32(rowBytes * h); u32(2835); u32(2835);
  u32(static_cast<int>(palette.size())); u32(0);
  for (Colour c : palette) { b.push_back(BlueOf(c)); b.push_back(GreenOf(c)); b.push_back(RedOf(c)); b.push_back(0); }
  // pixelRows: rows top first, each rowBytes long; the file holds them bottom first.
  for (int y = h - 1; y >= 0; --y) b.insert(b.end(), pixelRows.begin() + y * rowBytes, pixelRows.begin() + (y + 1) * rowBytes);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

std::string TempPath(const std::string& name) {
  return (fs::temp_directory_path() / ("vesk_surface_" + std::to_string(getpid()) + "_" + name)).string();
}

// A 16 x 8 JPEG of the flat colour (200, 100, 50).
const unsigned char kFlatJpeg[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00,
    0xff, 0xdb, 0x00, 0x43, 0x00, 0x03, 0x02, 0x02, 0x03, 0x02, 0x02, 0x03, 0x03, 0x03, 0x03, 0x04, 0x03, 0x03, 0x04, 0x05,
    0x08, 0x05, 0x05, 0x04, 0x04, 0x05, 0x0a, 0x07, 0x07, 0x06, 0x08, 0x0c, 0x0a, 0x0c, 0x0c, 0x0b, 0x0a, 0x0b, 0x0b, 0x0d,
    0x0e, 0x12, 0x10, 0x0d, 0x0e, 0x11, 0x0e, 0x0b, 0x0b, 0x10, 0x16, 0x10, 0x11, 0x13, 0x14, 0x15, 0x15, 0x15, 0x0c, 0x0f,
    0x17, 0x18, 0x16, 0x14, 0x18, 0x12, 0x14, 0x15, 0x14, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x03, 0x04, 0x04, 0x05, 0x04, 0x05,
    0x09, 0x05, 0x05, 0x09, 0x14, 0x0d, 0x0b, 0x0d, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14,
    0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0x14, 0xff, 0xc0,
    0x00, 0x11, 0x08, 0x00, 0x08, 0x00, 0x10, 0x03, 0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xff, 0xc4, 0x00,
    0x1f, 0x00, 0x00, 0x01, 0x05, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01,
    0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0xff, 0xc4, 0x00, 0xb5, 0x10, 0x00, 0x02, 0x01, 0x03, 0x03,
    0x02, 0x04, 0x03, 0x05, 0x05, 0x04, 0x04, 0x00, 0x00, 0x01, 0x7d, 0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21,
    0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15,
    0x52, 0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29,
    0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56,
    0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a,
    0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4,
    0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6,
    0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7,
    0xe8, 0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa, 0xff, 0xc4, 0x00, 0x1f, 0x01, 0x00, 0x03,
    0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05,
    0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0xff, 0xc4, 0x00, 0xb5, 0x11, 0x00, 0x02, 0x01, 0x02, 0x04, 0x04, 0x03, 0x04, 0x07,
    0x05, 0x04, 0x04, 0x00, 0x01, 0x02, 0x77, 0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51,
    0x07, 0x61, 0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0, 0x15,
    0x62, 0x72, 0xd1, 0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35,
    0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59,
    0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x82, 0x83, 0x84,
    0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6,
    0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8,
    0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea,
    0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa, 0xff, 0xda, 0x00, 0x0c, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11,
    0x00, 0x3f, 0x00, 0xa9, 0x45, 0x14, 0x57, 0xe1, 0xe7, 0xf4, 0x81, 0xff, 0xd9,
};

Surface Solid(int w, int h, Colour c) {
  Surface s(w, h);
  s.Fill(c);
  return s;
}

}  // namespace

TEST(Surface, CreatedWhiteFilledAndClipped) {
  Surface s(4, 3);
  ASSERT_EQ(s.ByteCount(), 4u * 3 * 4);
  for (size_t i = 0; i < s.ByteCount(); ++i) EXPECT_EQ(s.Bits()[i], i % 4 == 3 ? 0 : 255) << i;
  s.FillRect(Rect{-5, 1, 2, 99}, Rgb(1, 2, 3));  // runs past the edges
  EXPECT_EQ(s.GetPixel(0, 2), Rgb(1, 2, 3));
  EXPECT_EQ(s.GetPixel(1, 1), Rgb(1, 2, 3));
  EXPECT_EQ(s.GetPixel(2, 1), kWhite);
  EXPECT_EQ(s.GetPixel(0, 0), kWhite);
  const uint8_t* p = s.Row(1);  // bytes are blue, green, red, 0
  EXPECT_EQ(p[0], 3); EXPECT_EQ(p[1], 2); EXPECT_EQ(p[2], 1); EXPECT_EQ(p[3], 0);
  s.Resize(6, 2);  // shared part kept, new part white
  EXPECT_EQ(s.GetPixel(1, 1), Rgb(1, 2, 3));
  EXPECT_EQ(s.GetPixel(5, 0), kWhite);
}

TEST(Surface, RasterOperationsCombineBytes) {
  const Colour under = Rgb(0xF0, 0x0F, 0x55), over = Rgb(0x3C, 0xC3, 0xAA);
  struct Case { Rop rop; Colour expected; } cases[] = {
      {Rop::Copy, over},
      {Rop::Paint, Rgb(0xFC, 0xCF, 0xFF)},
      {Rop::And, Rgb(0x30, 0x03, 0x00)},
  };
  for (const auto& c : cases) {
    Surface dst = Solid(3, 3, under);
    BitBlt(dst, 1, 1, 1, 1, Solid(1, 1, over), 0, 0, c.rop);
    EXPECT_EQ(dst.GetPixel(1, 1), c.expected) << static_cast<int>(c.rop);
    EXPECT_EQ(dst.GetPixel(0, 0), under);
    EXPECT_EQ(dst.GetPixel(2, 2), under);
  }
  // The sprite idiom: the mask ORed (white figure, black around), then the image ANDed
  // (the figure on white).
  Surface field = Solid(2, 1, Rgb(10, 20, 30));
  Surface mask(2, 1), image(2, 1);
  mask.SetPixel(1, 0, kBlack);            // figure at x 0, backdrop at x 1
  image.SetPixel(0, 0, Rgb(200, 0, 0));   // image is white around the figure
  BitBlt(field, 0, 0, 2, 1, mask, 0, 0, Rop::Paint);
  BitBlt(field, 0, 0, 2, 1, image, 0, 0, Rop::And);
  EXPECT_EQ(field.GetPixel(0, 0), Rgb(200, 0, 0));
  EXPECT_EQ(field.GetPixel(1, 0), Rgb(10, 20, 30));
}

TEST(Surface, CopiesAreClippedToBothPictures) {
  Surface src(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) src.SetPixel(x, y, Rgb(x, y, 7));

  Surface dst = Solid(5, 5, kBlack);
  BitBlt(dst, 3, 3, 4, 4, src, 0, 0);  // past the destination's right and bottom edge
  EXPECT_EQ(dst.GetPixel(4, 4), Rgb(1, 1, 7));
  EXPECT_EQ(dst.GetPixel(2, 2), kBlack);

  dst = Solid(5, 5, kBlack);
  BitBlt(dst, -2, -1, 4, 4, src, 0, 0);  // before the destination's left and top edge
  EXPECT_EQ(dst.GetPixel(0, 0), Rgb(2, 1, 7));
  EXPECT_EQ(dst.GetPixel(1, 2), Rgb(3, 3, 7));
  EXPECT_EQ(dst.GetPixel(2, 0), kBlack);

  dst = Solid(5, 5, kBlack);
  BitBlt(dst, 0, 0, 5, 5, src, 2, -1);  // source block runs off the source
  EXPECT_EQ(dst.GetPixel(0, 1), Rgb(2, 0, 7));
  EXPECT_EQ(dst.GetPixel(1, 4), Rgb(3, 3, 7));
  EXPECT_EQ(dst.GetPixel(0, 0), kBlack);  // no source row -1
  EXPECT_EQ(dst.GetPixel(2, 1), kBlack);  // no source column 4

  dst = Solid(5, 5, kBlack);
  BitBlt(dst, 100, 0, 4, 4, src, 0, 0);
  BitBlt(dst, 0, 0, 4, 4, src, 0, 50);
  for (int y = 0; y < 5; ++y) EXPECT_EQ(dst.GetPixel(0, y), kBlack);

  // Overlapping copy inside one picture (scrolling down a row) reads the old rows.
  Surface same = src;
  BitBlt(same, 0, 1, 4, 3, same, 0, 0);
  for (int y = 1; y < 4; ++y) EXPECT_EQ(same.GetPixel(2, y), Rgb(2, y - 1, 7)) << y;
  // OR along its own row reads the old pixels too.
  Surface bits(4, 1);
  for (int x = 0; x < 4; ++x) bits.SetPixel(x, 0, Rgb(1 << x, 0, 0));
  BitBlt(bits, 1, 0, 3, 1, bits, 0, 0, Rop::Paint);
  EXPECT_EQ(bits.GetPixel(3, 0), Rgb(8 | 4, 0, 0));
}

TEST(Surface, StretchFillsExactlyTheTargetRectangle) {
  Surface src(2, 2);
  src.SetPixel(0, 0, Rgb(1, 0, 0)); src.SetPixel(1, 0, Rgb(2, 0, 0));
  src.SetPixel(0, 1, Rgb(3, 0, 0)); src.SetPixel(1, 1, Rgb(4, 0, 0));
  Surface dst = Solid(10, 10, kBlack);
  StretchBlt(dst, 1, 2, 6, 4, src, 0, 0, 2, 2);
  EXPECT_EQ(dst.GetPixel(1, 2), Rgb(1, 0, 0));
  EXPECT_EQ(dst.GetPixel(3, 3), Rgb(1, 0, 0));
  EXPECT_EQ(dst.GetPixel(4, 3), Rgb(2, 0, 0));
  EXPECT_EQ(dst.GetPixel(6, 5), Rgb(4, 0, 0));
  EXPECT_EQ(dst.GetPixel(1, 4), Rgb(3, 0, 0));
  EXPECT_EQ(dst.GetPixel(7, 5), kBlack);  // just right of the target
  EXPECT_EQ(dst.GetPixel(6, 6), kBlack);  // just below it
  EXPECT_EQ(dst.GetPixel(0, 2), kBlack);

  // Shrinking 800 x 600 to 80 x 60 and stretching past the edge stay inside the destination.
  Surface big = Solid(800, 600, Rgb(9, 9, 9));
  Surface small = Solid(100, 100, kBlack);
  StretchBlt(small, 0, 0, 80, 60, big, 0, 0, 800, 600);
  EXPECT_EQ(small.GetPixel(79, 59), Rgb(9, 9, 9));
  EXPECT_EQ(small.GetPixel(80, 59), kBlack);
  StretchBlt(small, 50, 50, 500, 500, big, 0, 0, 800, 600);
  EXPECT_EQ(small.GetPixel(99, 99), Rgb(9, 9, 9));
  StretchBlt(small, 0, 0, 0, 10, big, 0, 0, 800, 600);  // empty size draws nothing
}

TEST(Surface, LinesLeaveOutTheEndPoint) {
  Surface s = Solid(8, 8, kWhite);
  DrawLine(s, 1, 1, 6, 1, kBlack);
  EXPECT_EQ(s.GetPixel(1, 1), kBlack);
  EXPECT_EQ(s.GetPixel(5, 1), kBlack);
  EXPECT_EQ(s.GetPixel(6, 1), kWhite);
  DrawLine(s, 0, 7, 0, 2, kBlack);  // upwards
  EXPECT_EQ(s.GetPixel(0, 7), kBlack);
  EXPECT_EQ(s.GetPixel(0, 3), kBlack);
  EXPECT_EQ(s.GetPixel(0, 2), kWhite);
  DrawLine(s, 2, 2, 5, 5, kBlack);
  EXPECT_EQ(s.GetPixel(4, 4), kBlack);
  EXPECT_EQ(s.GetPixel(5, 5), kWhite);
  DrawLine(s, 7, 1, 7, 1, kBlack);  // a line to its own start draws nothing
  EXPECT_EQ(s.GetPixel(7, 1), kWhite);
  DrawLine(s, -10, 6, 100, 6, kBlack);  // clipped, no crash
  EXPECT_EQ(s.GetPixel(7, 6), kBlack);
  Surface thick = Solid(8, 8, kWhite);
  DrawLine(thick, 0, 3, 8, 3, kBlack, 2);
  EXPECT_EQ(thick.GetPixel(4, 3), kBlack);
  EXPECT_EQ(thick.GetPixel(4, 4), kBlack);
  EXPECT_EQ(thick.GetPixel(4, 5), kWhite);
}

TEST(Surface, BitmapsLoadBitExact) {
  // 24-bit: colours near the ends of the range must come through unchanged.
  const Colour c24[6] = {kWhite, kBlack, Rgb(1, 2, 3), Rgb(254, 253, 252), Rgb(255, 0, 255), Rgb(128, 127, 129)};
  std::vector<uint8_t> rows(2 * 12, 0);  // 3 x 2 pixels, 9 bytes + 3 padding per row
  for (int i = 0; i < 6; ++i) {
    uint8_t* p = rows.data() + (i / 3) * 12 + (i % 3) * 3;
    p[0] = BlueOf(c24[i]); p[1] = GreenOf(c24[i]); p[2] = RedOf(c24[i]);
  }
  const std::string p24 = TempPath("24.bmp");
  WriteBmp(p24, 3, 2, 24, rows);
  Surface s;
  std::string error;
  ASSERT_TRUE(LoadPicture(p24, s, error)) << error;
  ASSERT_EQ(s.Width(), 3);
  ASSERT_EQ(s.Height(), 2);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(s.GetPixel(i % 3, i / 3), c24[i]) << i;
  for (size_t i = 3; i < s.ByteCount(); i += 4) EXPECT_EQ(s.Bits()[i], 0);

  // 1-bit mask: pure black and white, as the sprite masks are drawn.
  const std::string p1 = TempPath("1.bmp");
  std::vector<uint8_t> maskRows = {0b10100000, 0, 0, 0, 0b01010000, 0, 0, 0};  // 4 x 2
  WriteBmp(p1, 4, 2, 1, maskRows, {kBlack, kWhite});
  ASSERT_TRUE(LoadPicture(p1, s, error)) << error;
  const Colour want[2][4] = {{kWhite, kBlack, kWhite, kBlack}, {kBlack, kWhite, kBlack, kWhite}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(s.GetPixel(x, y), want[y][x]) << x << "," << y;

  // 8-bit with a palette.
  const std::string p8 = TempPath("8.bmp");
  WriteBmp(p8, 2, 1, 8, {2, 0, 0, 0}, {kBlack, kWhite, Rgb(17, 34, 51)});
  ASSERT_TRUE(LoadPicture(p8, s, error)) << error;
  EXPECT_EQ(s.GetPixel(0, 0), Rgb(17, 34, 51));
  EXPECT_EQ(s.GetPixel(1, 0), kBlack);

  // PNG out and back in keeps every colour.
  const std::string png = TempPath("round.png");
  Surface colours(3, 1);
  colours.SetPixel(0, 0, Rgb(1, 2, 3)); colours.SetPixel(2, 0, Rgb(250, 128, 0));
  ASSERT_TRUE(SavePng(colours, png, error)) << error;
  ASSERT_TRUE(LoadPicture(png, s, error)) << error;
  EXPECT_EQ(s.GetPixel(0, 0), Rgb(1, 2, 3));
  EXPECT_EQ(s.GetPixel(1, 0), kWhite);
  EXPECT_EQ(s.GetPixel(2, 0), Rgb(250, 128, 0));
  // JPEG is lossy: a flat colour (200, 100, 50) comes back close, in the same layout.
  const std::string jpg = TempPath("flat.jpg");
  std::ofstream(jpg, std::ios::binary)
      .write(reinterpret_cast<const char*>(kFlatJpeg), sizeof kFlatJpeg);
  ASSERT_TRUE(LoadPicture(jpg, s, error)) << error;
  EXPECT_EQ(s.Width(), 16);
  EXPECT_EQ(s.Height(), 8);
  EXPECT_NEAR(RedOf(s.GetPixel(5, 5)), 200, 4);
  EXPECT_NEAR(GreenOf(s.GetPixel(5, 5)), 100, 4);
  EXPECT_NEAR(BlueOf(s.GetPixel(5, 5)), 50, 4);
  EXPECT_EQ(s.Row(5)[5 * 4 + 3], 0);
  for (const auto& p : {p24, p1, p8, png, jpg}) fs::remove(p);
}

TEST(Surface, BadPictureFilesGiveAnErrorNamingTheFile) {
  Surface kept = Solid(2, 2, Rgb(5, 5, 5));
  std::string error;
  const std::string missing = TempPath("missing.bmp");
  EXPECT_FALSE(LoadPicture(missing, kept, error));
  EXPECT_NE(error.find(missing), std::string::npos) << error;
  EXPECT_EQ(kept.GetPixel(0, 0), Rgb(5, 5, 5));  // untouched

  const std::string junk = TempPath("junk.bmp");
  std::ofstream(junk, std::ios::binary) << "BM this is not a bitmap";
  error.clear();
  EXPECT_FALSE(LoadPicture(junk, kept, error));
  EXPECT_NE(error.find(junk), std::string::npos) << error;
  EXPECT_EQ(kept.Width(), 2);
  fs::remove(junk);

  EXPECT_FALSE(SavePng(Surface(), TempPath("empty.png"), error));
  EXPECT_FALSE(SavePng(kept, "/nonexistent-dir/x.png", error));
  EXPECT_NE(error.find("/nonexistent-dir/x.png"), std::string::npos);
}
