/** @file SurfaceTest.cpp Raster copies and their clipping, stretching, lines, and picture files in and out. */
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/Surface.h"

using namespace plat;
namespace fs = std::filesystem;
using Cs = std::vector<Colour>;
using namespace std::string_literals;

namespace {

// Writes an uncompressed bottom-up BMP: 24 bits per pixel, or 1/8 bits with a palette.
void WriteBmp(const std::string& path, int w, int h, int bpp, const std::vector<uint8_t>& pixelRows,
              const std::vector<Colour>& palette = {}) {
  const int rowBytes = ((w * bpp + 31) / 32) * 4;
  const int offset = 14 + 40 + static_cast<int>(palette.size()) * 4;
  std::vector<uint8_t> b;
  auto u16 = [&](int v) { b.push_back(v & 255); b.push_back((v >> 8) & 255); };
  auto u32 = [&](int v) { u16(v & 0xFFFF); u16((v >> 16) & 0xFFFF); };
  b.push_back('B'); b.push_back('M'); u32(offset + rowBytes * h); u32(0); u32(offset);
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

// A 16 x 8 JPEG of the flat colour (200, 100, 50): the game's backdrops are JPEG files.
const std::string kFlatJpeg =
    "\xff\xd8\xff\xe0\x00\x10\x4a\x46\x49\x46\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xdb\x00\x43\x00\x03\x02"
    "\x02\x03\x02\x02\x03\x03\x03\x03\x04\x03\x03\x04\x05\x08\x05\x05\x04\x04\x05\x0a\x07\x07\x06\x08\x0c\x0a\x0c"
    "\x0c\x0b\x0a\x0b\x0b\x0d\x0e\x12\x10\x0d\x0e\x11\x0e\x0b\x0b\x10\x16\x10\x11\x13\x14\x15\x15\x15\x0c\x0f\x17"
    "\x18\x16\x14\x18\x12\x14\x15\x14\xff\xdb\x00\x43\x01\x03\x04\x04\x05\x04\x05\x09\x05\x05\x09\x14\x0d\x0b\x0d"
    "\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14"
    "\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\x14\xff\xc0\x00\x11"
    "\x08\x00\x08\x00\x10\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01\xff\xc4\x00\x1f\x00\x00\x01\x05\x01\x01\x01\x01"
    "\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\xff\xc4\x00\xb5\x10\x00"
    "\x02\x01\x03\x03\x02\x04\x03\x05\x05\x04\x04\x00\x00\x01\x7d\x01\x02\x03\x00\x04\x11\x05\x12\x21\x31\x41\x06"
    "\x13\x51\x61\x07\x22\x71\x14\x32\x81\x91\xa1\x08\x23\x42\xb1\xc1\x15\x52\xd1\xf0\x24\x33\x62\x72\x82\x09\x0a"
    "\x16\x17\x18\x19\x1a\x25\x26\x27\x28\x29\x2a\x34\x35\x36\x37\x38\x39\x3a\x43\x44\x45\x46\x47\x48\x49\x4a\x53"
    "\x54\x55\x56\x57\x58\x59\x5a\x63\x64\x65\x66\x67\x68\x69\x6a\x73\x74\x75\x76\x77\x78\x79\x7a\x83\x84\x85\x86"
    "\x87\x88\x89\x8a\x92\x93\x94\x95\x96\x97\x98\x99\x9a\xa2\xa3\xa4\xa5\xa6\xa7\xa8\xa9\xaa\xb2\xb3\xb4\xb5\xb6"
    "\xb7\xb8\xb9\xba\xc2\xc3\xc4\xc5\xc6\xc7\xc8\xc9\xca\xd2\xd3\xd4\xd5\xd6\xd7\xd8\xd9\xda\xe1\xe2\xe3\xe4\xe5"
    "\xe6\xe7\xe8\xe9\xea\xf1\xf2\xf3\xf4\xf5\xf6\xf7\xf8\xf9\xfa\xff\xc4\x00\x1f\x01\x00\x03\x01\x01\x01\x01\x01"
    "\x01\x01\x01\x01\x00\x00\x00\x00\x00\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\xff\xc4\x00\xb5\x11\x00"
    "\x02\x01\x02\x04\x04\x03\x04\x07\x05\x04\x04\x00\x01\x02\x77\x00\x01\x02\x03\x11\x04\x05\x21\x31\x06\x12\x41"
    "\x51\x07\x61\x71\x13\x22\x32\x81\x08\x14\x42\x91\xa1\xb1\xc1\x09\x23\x33\x52\xf0\x15\x62\x72\xd1\x0a\x16\x24"
    "\x34\xe1\x25\xf1\x17\x18\x19\x1a\x26\x27\x28\x29\x2a\x35\x36\x37\x38\x39\x3a\x43\x44\x45\x46\x47\x48\x49\x4a"
    "\x53\x54\x55\x56\x57\x58\x59\x5a\x63\x64\x65\x66\x67\x68\x69\x6a\x73\x74\x75\x76\x77\x78\x79\x7a\x82\x83\x84"
    "\x85\x86\x87\x88\x89\x8a\x92\x93\x94\x95\x96\x97\x98\x99\x9a\xa2\xa3\xa4\xa5\xa6\xa7\xa8\xa9\xaa\xb2\xb3\xb4"
    "\xb5\xb6\xb7\xb8\xb9\xba\xc2\xc3\xc4\xc5\xc6\xc7\xc8\xc9\xca\xd2\xd3\xd4\xd5\xd6\xd7\xd8\xd9\xda\xe2\xe3\xe4"
    "\xe5\xe6\xe7\xe8\xe9\xea\xf2\xf3\xf4\xf5\xf6\xf7\xf8\xf9\xfa\xff\xda\x00\x0c\x03\x01\x00\x02\x11\x03\x11\x00"
    "\x3f\x00\xa9\x45\x14\x57\xe1\xe7\xf4\x81\xff\xd9"s;

Surface Solid(int w, int h, Colour c) {
  Surface s(w, h);
  s.Fill(c);
  return s;
}

// The colours at several points, to check them in one assertion.
Cs At(const Surface& s, std::initializer_list<std::pair<int, int>> points) {
  Cs out;
  for (auto [x, y] : points) out.push_back(s.GetPixel(x, y));
  return out;
}

}  // namespace

TEST(Surface, CreatedWhiteFilledAndClipped) {
  Surface s(4, 3);
  ASSERT_EQ(s.ByteCount(), 4u * 3 * 4);
  for (size_t i = 0; i < s.ByteCount(); ++i) EXPECT_EQ(s.Bits()[i], i % 4 == 3 ? 0 : 255) << i;
  s.FillRect(Rect{-5, 1, 2, 99}, Rgb(1, 2, 3));  // runs past the edges
  EXPECT_EQ(At(s, {{0, 2}, {1, 1}, {2, 1}, {0, 0}}), (Cs{Rgb(1, 2, 3), Rgb(1, 2, 3), kWhite, kWhite}));
  const uint8_t* p = s.Row(1);  // bytes are blue, green, red, 0
  EXPECT_EQ(std::vector<uint8_t>(p, p + 4), (std::vector<uint8_t>{3, 2, 1, 0}));
  s.Resize(6, 2);  // shared part kept, new part white
  EXPECT_EQ(At(s, {{1, 1}, {5, 0}}), (Cs{Rgb(1, 2, 3), kWhite}));
}

TEST(Surface, RasterOperationsCombineBytes) {
  const Colour under = Rgb(0xF0, 0x0F, 0x55), over = Rgb(0x3C, 0xC3, 0xAA);
  struct Case { Rop rop; Colour expected; } cases[] = {
      {Rop::Copy, over}, {Rop::Paint, Rgb(0xFC, 0xCF, 0xFF)}, {Rop::And, Rgb(0x30, 0x03, 0x00)}};
  for (const auto& c : cases) {
    Surface dst = Solid(3, 3, under);
    BitBlt(dst, 1, 1, 1, 1, Solid(1, 1, over), 0, 0, c.rop);
    EXPECT_EQ(At(dst, {{1, 1}, {0, 0}, {2, 2}}), (Cs{c.expected, under, under})) << static_cast<int>(c.rop);
  }
  // The sprite idiom: the mask ORed (white figure, black around), then the image ANDed
  // (the figure on white).
  Surface field = Solid(2, 1, Rgb(10, 20, 30));
  Surface mask(2, 1), image(2, 1);
  mask.SetPixel(1, 0, kBlack);            // figure at x 0, backdrop at x 1
  image.SetPixel(0, 0, Rgb(200, 0, 0));   // image is white around the figure
  BitBlt(field, 0, 0, 2, 1, mask, 0, 0, Rop::Paint);
  BitBlt(field, 0, 0, 2, 1, image, 0, 0, Rop::And);
  EXPECT_EQ(At(field, {{0, 0}, {1, 0}}), (Cs{Rgb(200, 0, 0), Rgb(10, 20, 30)}));
}

TEST(Surface, CopiesAreClippedToBothPictures) {
  Surface src(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) src.SetPixel(x, y, Rgb(x, y, 7));
  struct Case { int dx, dy, size, sx, sy; std::initializer_list<std::pair<int, int>> points; Cs want; } cases[] = {
      {3, 3, 4, 0, 0, {{4, 4}, {2, 2}}, {Rgb(1, 1, 7), kBlack}},  // past the right and bottom edge
      {-2, -1, 4, 0, 0, {{0, 0}, {1, 2}, {2, 0}}, {Rgb(2, 1, 7), Rgb(3, 3, 7), kBlack}},  // before left and top
      // the source block runs off the source: no source row -1, no column 4
      {0, 0, 5, 2, -1, {{0, 1}, {1, 4}, {0, 0}, {2, 1}}, {Rgb(2, 0, 7), Rgb(3, 3, 7), kBlack, kBlack}},
      {100, 0, 4, 0, 0, {{0, 0}, {2, 2}, {4, 4}}, {kBlack, kBlack, kBlack}},
      {0, 0, 4, 0, 50, {{0, 0}, {2, 2}, {4, 4}}, {kBlack, kBlack, kBlack}},
  };
  for (const auto& c : cases) {
    Surface dst = Solid(5, 5, kBlack);
    BitBlt(dst, c.dx, c.dy, c.size, c.size, src, c.sx, c.sy);
    EXPECT_EQ(At(dst, c.points), c.want) << c.dx << "," << c.dy << " from " << c.sx << "," << c.sy;
  }
  // Overlapping copy inside one picture (scrolling down a row) reads the old rows.
  Surface same = src;
  BitBlt(same, 0, 1, 4, 3, same, 0, 0);
  EXPECT_EQ(At(same, {{2, 1}, {2, 2}, {2, 3}}), (Cs{Rgb(2, 0, 7), Rgb(2, 1, 7), Rgb(2, 2, 7)}));
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
  // Corners of each quarter, then just right of, below and left of the target.
  EXPECT_EQ(At(dst, {{1, 2}, {3, 3}, {4, 3}, {6, 5}, {1, 4}, {7, 5}, {6, 6}, {0, 2}}),
            (Cs{Rgb(1, 0, 0), Rgb(1, 0, 0), Rgb(2, 0, 0), Rgb(4, 0, 0), Rgb(3, 0, 0), kBlack, kBlack, kBlack}));

  // Shrinking 800 x 600 to 80 x 60 and stretching past the edge stay inside the destination.
  Surface big = Solid(800, 600, Rgb(9, 9, 9));
  Surface small = Solid(100, 100, kBlack);
  StretchBlt(small, 0, 0, 80, 60, big, 0, 0, 800, 600);
  EXPECT_EQ(At(small, {{79, 59}, {80, 59}}), (Cs{Rgb(9, 9, 9), kBlack}));
  StretchBlt(small, 50, 50, 500, 500, big, 0, 0, 800, 600);
  EXPECT_EQ(small.GetPixel(99, 99), Rgb(9, 9, 9));
  StretchBlt(small, 0, 0, 0, 10, big, 0, 0, 800, 600);  // empty size draws nothing
}

TEST(Surface, LinesLeaveOutTheEndPoint) {
  Surface s = Solid(8, 8, kWhite);
  DrawLine(s, 1, 1, 6, 1, kBlack);
  DrawLine(s, 0, 7, 0, 2, kBlack);  // upwards
  DrawLine(s, 2, 2, 5, 5, kBlack);
  DrawLine(s, 7, 1, 7, 1, kBlack);  // a line to its own start draws nothing
  DrawLine(s, -10, 6, 100, 6, kBlack);  // clipped, no crash
  EXPECT_EQ(At(s, {{1, 1}, {5, 1}, {6, 1}, {0, 7}, {0, 3}, {0, 2}, {4, 4}, {5, 5}, {7, 1}, {7, 6}}),
            (Cs{kBlack, kBlack, kWhite, kBlack, kBlack, kWhite, kBlack, kWhite, kWhite, kBlack}));
  Surface thick = Solid(8, 8, kWhite);
  DrawLine(thick, 0, 3, 8, 3, kBlack, 2);
  EXPECT_EQ(At(thick, {{4, 3}, {4, 4}, {4, 5}}), (Cs{kBlack, kBlack, kWhite}));
}

TEST(Surface, BitmapsLoadBitExact) {
  // 24-bit: colours near the ends of the range must come through unchanged.
  const Cs c24 = {kWhite, kBlack, Rgb(1, 2, 3), Rgb(254, 253, 252), Rgb(255, 0, 255), Rgb(128, 127, 129)};
  std::vector<uint8_t> rows(2 * 12, 0);  // 3 x 2 pixels, 9 bytes + 3 padding per row
  for (int i = 0; i < 6; ++i) {
    uint8_t* p = rows.data() + (i / 3) * 12 + (i % 3) * 3;
    p[0] = BlueOf(c24[i]); p[1] = GreenOf(c24[i]); p[2] = RedOf(c24[i]);
  }
  const std::string p24 = TempPath("24.bmp"), p1 = TempPath("1.bmp"), p8 = TempPath("8.bmp"), png = TempPath("round.png");
  WriteBmp(p24, 3, 2, 24, rows);
  Surface s;
  std::string error;
  ASSERT_TRUE(LoadPicture(p24, s, error)) << error;
  ASSERT_EQ(s.Width() * 10 + s.Height(), 32);
  EXPECT_EQ(At(s, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}), c24);
  for (size_t i = 3; i < s.ByteCount(); i += 4) EXPECT_EQ(s.Bits()[i], 0);

  // 1-bit mask: pure black and white, as the sprite masks are drawn.
  WriteBmp(p1, 4, 2, 1, {0b10100000, 0, 0, 0, 0b01010000, 0, 0, 0}, {kBlack, kWhite});
  ASSERT_TRUE(LoadPicture(p1, s, error)) << error;
  EXPECT_EQ(At(s, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {3, 1}}),
            (Cs{kWhite, kBlack, kWhite, kBlack, kBlack, kWhite, kBlack, kWhite}));

  // 8-bit with a palette.
  WriteBmp(p8, 2, 1, 8, {2, 0, 0, 0}, {kBlack, kWhite, Rgb(17, 34, 51)});
  ASSERT_TRUE(LoadPicture(p8, s, error)) << error;
  EXPECT_EQ(At(s, {{0, 0}, {1, 0}}), (Cs{Rgb(17, 34, 51), kBlack}));

  // PNG out and back in keeps every colour, in our byte order.
  Surface colours(3, 1);
  colours.SetPixel(0, 0, Rgb(1, 2, 3)); colours.SetPixel(2, 0, Rgb(250, 128, 0));
  ASSERT_TRUE(SavePng(colours, png, error)) << error;
  ASSERT_TRUE(LoadPicture(png, s, error)) << error;
  EXPECT_EQ(At(s, {{0, 0}, {1, 0}, {2, 0}}), (Cs{Rgb(1, 2, 3), kWhite, Rgb(250, 128, 0)}));
  EXPECT_EQ(s.Row(0)[3], 0);
  // JPEG is lossy: a flat colour comes back close, in the same layout.
  const std::string jpg = TempPath("flat.jpg");
  std::ofstream(jpg, std::ios::binary) << kFlatJpeg;
  ASSERT_TRUE(LoadPicture(jpg, s, error)) << error;
  ASSERT_EQ(s.Width() * 10 + s.Height(), 168);
  const Colour c = s.GetPixel(5, 5);
  EXPECT_TRUE(std::abs(RedOf(c) - 200) <= 4 && std::abs(GreenOf(c) - 100) <= 4 && std::abs(BlueOf(c) - 50) <= 4) << std::hex << c;
  EXPECT_EQ(s.Row(5)[5 * 4 + 3], 0);
  for (const auto& p : {p24, p1, p8, png, jpg}) fs::remove(p);
}

TEST(Surface, BadPictureFilesGiveAnErrorNamingTheFile) {
  Surface kept = Solid(2, 2, Rgb(5, 5, 5));
  std::string error;
  const std::string missing = TempPath("missing.bmp"), junk = TempPath("junk.bmp");
  EXPECT_FALSE(LoadPicture(missing, kept, error));
  EXPECT_NE(error.find(missing), std::string::npos) << error;
  std::ofstream(junk, std::ios::binary) << "BM this is not a bitmap";
  EXPECT_FALSE(LoadPicture(junk, kept, error));
  EXPECT_NE(error.find(junk), std::string::npos) << error;
  EXPECT_EQ(kept.Width(), 2);
  EXPECT_EQ(kept.GetPixel(0, 0), Rgb(5, 5, 5));  // untouched
  fs::remove(junk);

  EXPECT_FALSE(SavePng(Surface(), TempPath("empty.png"), error));
  EXPECT_FALSE(SavePng(kept, "/nonexistent-dir/x.png", error));
  EXPECT_NE(error.find("/nonexistent-dir/x.png"), std::string::npos);
}
