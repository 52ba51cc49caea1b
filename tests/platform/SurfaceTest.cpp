/** @file SurfaceTest.cpp Raster copies and their clipping, stretching, lines, and picture files in and out. */
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/Surface.h"

using namespace plat;
namespace fs = std::filesystem;
using Cs = std::vector<Colour>;

namespace {

// Writes an uncompressed bottom-up 24-bit BMP, as the asset maker does.
void WriteBmp(const std::string& path, int w, int h, const std::vector<uint8_t>& pixelRows) {
  const int rowBytes = ((w * 24 + 31) / 32) * 4;
  std::vector<uint8_t> b;
  auto u16 = [&](int v) { b.push_back(v & 255); b.push_back((v >> 8) & 255); };
  auto u32 = [&](int v) { u16(v & 0xFFFF); u16((v >> 16) & 0xFFFF); };
  b.push_back('B'); b.push_back('M'); u32(54 + rowBytes * h); u32(0); u32(54);
  u32(40); u32(w); u32(h); u16(1); u16(24); u32(0); u32(rowBytes * h); u32(2835); u32(2835); u32(0); u32(0);
  // pixelRows: rows top first, each rowBytes long; the file holds them bottom first.
  for (int y = h - 1; y >= 0; --y) b.insert(b.end(), pixelRows.begin() + y * rowBytes, pixelRows.begin() + (y + 1) * rowBytes);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

std::string TempPath(const std::string& name) {
  return (fs::temp_directory_path() / ("vesk_surface_" + std::to_string(getpid()) + "_" + name)).string();
}

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

TEST(Surface, RasterOperationsDrawASpriteOverItsBackdrop) {
  // The mask ORed (white figure, black around), then the image ANDed (the figure on white); the
  // byte values are chosen so that a plain copy in place of either shows.
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

// Our byte order from a file and back; the decoding of each format is the image library's, and
// the game's own BMP and JPEG pictures are loaded by the main window's tests.
TEST(Surface, PicturesLoadAndSaveBitExact) {
  // 24-bit BMP: colours near the ends of the range must come through unchanged.
  const Cs c24 = {kWhite, kBlack, Rgb(1, 2, 3), Rgb(254, 253, 252), Rgb(255, 0, 255), Rgb(128, 127, 129)};
  std::vector<uint8_t> rows(2 * 12, 0);  // 3 x 2 pixels, 9 bytes + 3 padding per row
  for (int i = 0; i < 6; ++i) {
    uint8_t* p = rows.data() + (i / 3) * 12 + (i % 3) * 3;
    p[0] = BlueOf(c24[i]); p[1] = GreenOf(c24[i]); p[2] = RedOf(c24[i]);
  }
  const std::string bmp = TempPath("24.bmp"), png = TempPath("round.png");
  WriteBmp(bmp, 3, 2, rows);
  Surface s;
  std::string error;
  ASSERT_TRUE(LoadPicture(bmp, s, error)) << error;
  ASSERT_EQ(s.Width() * 10 + s.Height(), 32);
  EXPECT_EQ(At(s, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}), c24);
  for (size_t i = 3; i < s.ByteCount(); i += 4) EXPECT_EQ(s.Bits()[i], 0);

  // PNG out and back in keeps every colour, in our byte order.
  Surface colours(3, 1);
  colours.SetPixel(0, 0, Rgb(1, 2, 3)); colours.SetPixel(2, 0, Rgb(250, 128, 0));
  ASSERT_TRUE(SavePng(colours, png, error)) << error;
  ASSERT_TRUE(LoadPicture(png, s, error)) << error;
  EXPECT_EQ(At(s, {{0, 0}, {1, 0}, {2, 0}}), (Cs{Rgb(1, 2, 3), kWhite, Rgb(250, 128, 0)}));
  EXPECT_EQ(s.Row(0)[3], 0);
  for (const auto& p : {bmp, png}) fs::remove(p);
}

// A missing picture is named by the media test; a broken one here.
TEST(Surface, ABrokenPictureFileIsNamedAndLeavesThePictureAsItWas) {
  Surface kept = Solid(2, 2, Rgb(5, 5, 5));
  std::string error;
  const std::string junk = TempPath("junk.bmp");
  std::ofstream(junk, std::ios::binary) << "BM this is not a bitmap";
  EXPECT_FALSE(LoadPicture(junk, kept, error));
  EXPECT_EQ(error, "画像ファイルを読み込めません: " + junk);  // SDL's English reason goes to standard error
  EXPECT_EQ(kept.Width(), 2);
  EXPECT_EQ(kept.GetPixel(0, 0), Rgb(5, 5, 5));
  fs::remove(junk);
}
