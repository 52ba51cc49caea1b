/** @file DrawingSupportTest.cpp The colour table, the blends and tints to the byte, and the shared control behaviour. */
#include <gtest/gtest.h>

#include "controls/OwnerDrawn.h"
#include "controls/Win32API.h"
#include "controls/clsColor.h"
#include "platform/MessageBox.h"

using plat::Rgb;
using plat::Surface;

namespace {

Surface Filled(int w, int h, uint8_t byte) {
  Surface s(w, h);
  std::fill(s.Bits(), s.Bits() + s.ByteCount(), byte);
  return s;
}

const uint8_t* Px(const Surface& s, int x, int y) { return s.Row(y) + x * 4; }

// The four bytes (blue, green, red, fourth) of one pixel.
std::vector<int> Bytes(const Surface& s, int x, int y) { return {Px(s, x, y), Px(s, x, y) + 4}; }

// Byte 0 of several pixels.
std::vector<int> Blues(const Surface& s, std::initializer_list<std::pair<int, int>> points) {
  std::vector<int> out;
  for (auto [x, y] : points) out.push_back(Px(s, x, y)[0]);
  return out;
}

using Ints = std::vector<int>;

}  // namespace

TEST(clsColorTest, NumbersOutsideTheTableAreBlack) {
  clsColor c;
  for (int n : {4, 0, -1, 148, 100000}) EXPECT_EQ(c.ColorAsLong(n), 0) << n;
  EXPECT_EQ(c.ColorAsLong(147), 154 + 205 * 256 + 50 * 65536);  // the last entry is still read
}

TEST(Win32APITest, BlendPicturesWeighsThePicturesByteByByte) {
  struct Case { int16_t percent; uint8_t a, b, want; } cases[] = {
      {50, 255, 0, 127},   // 127.5 goes down
      {100, 200, 10, 200},
      {0, 200, 10, 10},
      {75, 255, 0, 191},   // 191.25
      {33, 255, 0, 84},    // 84.15
      {29, 100, 100, 100},
      {99, 1, 255, 3},     // 0.99 + 2.55
  };
  for (const auto& c : cases) {
    Surface a = Filled(3, 2, c.a), b = Filled(3, 2, c.b), out = Filled(3, 2, 7);
    Win32API::BlendPictures(a, b, out, c.percent);
    for (size_t i = 0; i < out.ByteCount(); ++i) ASSERT_EQ(out.Bits()[i], c.want) << c.percent << " byte " << i;
  }
  Surface a = Filled(2, 2, 200), b = Filled(2, 2, 0), out = Filled(2, 2, 7);
  Win32API::BlendPictures(a, b, out, 101);
  Win32API::BlendPictures(a, b, out, -1);
  EXPECT_EQ(Px(out, 1, 1)[0], 7);  // out of range: untouched
  Surface smaller = Filled(1, 1, 0);
  Win32API::BlendPictures(a, smaller, out, 50);  // unequal sizes: only the common part
  EXPECT_EQ(Px(out, 0, 0)[0], 100);
  EXPECT_EQ(Px(out, 1, 1)[0], 7);
}

TEST(Win32APITest, TintsOverPictureRectangleAndDc) {
  std::vector<uint8_t> bgra;
  Win32API::ColorToBGRA(Rgb(10, 20, 30), bgra);
  EXPECT_EQ(bgra, (std::vector<uint8_t>{30, 20, 10, 0}));

  Surface pic = Filled(2, 2, 0);
  Win32API::SemiTransPicture(pic, 0xFFFFFF, 75);  // white over black: 0.25 x 255 = 63.75
  EXPECT_EQ(Bytes(pic, 1, 1), (Ints{63, 63, 63, 0}));
  pic = Filled(2, 2, 200);
  Win32API::SemiTransPicture(pic, Rgb(10, 20, 30), 40);  // 0.6 x colour + 0.4 x 200, the fourth byte too
  EXPECT_EQ(Bytes(pic, 0, 0), (Ints{98, 92, 86, 80}));
  pic = Filled(2, 2, 200);
  Win32API::SemiTransPicture(pic, Rgb(1, 2, 3), 100);
  EXPECT_EQ(Bytes(pic, 1, 0), (Ints{200, 200, 200, 200}));
  Win32API::SemiTransPicture(pic, Rgb(1, 2, 3), 0);
  EXPECT_EQ(Bytes(pic, 1, 0), (Ints{3, 2, 1, 0}));
  Win32API::SemiTransPicture(pic, 0xFFFFFF, 101);  // out of range: untouched
  EXPECT_EQ(Bytes(pic, 1, 0), (Ints{3, 2, 1, 0}));

  // The rectangle: X, Width, Y, Height; only those pixels change; a rectangle past the edge is cut.
  Surface r = Filled(4, 3, 0);
  Win32API::SemiTransRect(r, 0xFFFFFF, 0, 1, 2, 1, 1);
  EXPECT_EQ(Blues(r, {{1, 1}, {2, 1}, {3, 1}, {1, 0}, {1, 2}}), (Ints{255, 255, 0, 0, 0}));
  Win32API::SemiTransRect(r, 0xFFFFFF, 50, 3, 10, 2, 10);
  EXPECT_EQ(Blues(r, {{3, 2}, {0, 0}}), (Ints{127, 0}));

  // The device-context tint keeps the fourth byte and reports an unreadable picture once.
  Surface dc = Filled(2, 1, 100);
  Win32API::SemiTransDC(dc, Rgb(0, 0, 200), 50);
  EXPECT_EQ(Bytes(dc, 0, 0), (Ints{150, 50, 50, 100}));
  plat::ScriptedMessageBox box;
  Surface none;
  Win32API::SemiTransDC(none, 0, 50);
  ASSERT_EQ(box.shown.size(), 1u);
  EXPECT_EQ(box.shown[0].prompt, "Error");
  Win32API::SemiTransDC(none, 0, 150);  // out of range: returns before looking
  EXPECT_EQ(box.shown.size(), 1u);
}

TEST(Win32APITest, KeyedHalfTransparentCopy) {
  Surface src(3, 2);  // white everywhere except two pixels
  src.SetPixel(0, 0, Rgb(10, 20, 30));
  src.SetPixel(2, 1, Rgb(255, 255, 254));
  Surface dst = Filled(4, 3, 50);
  Win32API::SemiTransBlt(dst, 1, 1, 3, 2, src, 0, 0, 0xFFFFFF, 0);
  EXPECT_EQ(Bytes(dst, 1, 1), (Ints{30, 20, 10, 0}));  // copied exactly, the fourth byte too
  // white source: destination kept; nearly white is not the key
  EXPECT_EQ(Blues(dst, {{2, 1}, {3, 2}, {0, 1}}), (Ints{50, 254, 50}));

  // Percent 50, and the clamping of percentages outside 0..100.
  Surface black(1, 1);
  black.SetPixel(0, 0, plat::kBlack);
  Surface d = Filled(1, 1, 101);
  Ints seen;
  for (int percent : {50, 150, -20}) {
    Win32API::SemiTransBlt(d, 0, 0, 1, 1, black, 0, 0, 0xFFFFFF, percent);
    seen.push_back(Px(d, 0, 0)[0]);
  }
  EXPECT_EQ(seen, (Ints{50, 50, 0}));

  // A width larger than the source is cut to it; running past the right edge stops at the row
  // end and never spills into the next row.
  Surface wide = Filled(2, 2, 9);
  Surface target = Filled(5, 3, 200);
  Win32API::SemiTransBlt(target, 0, 0, 100, 1, wide, 0, 0, 0xFFFFFF, 0);
  EXPECT_EQ(Blues(target, {{1, 0}, {2, 0}, {0, 1}}), (Ints{9, 200, 200}));
  Win32API::SemiTransBlt(target, 4, 1, 2, 2, wide, 0, 0, 0xFFFFFF, 0);
  EXPECT_EQ(Blues(target, {{4, 1}, {0, 2}, {4, 2}}), (Ints{9, 200, 9}));
  Win32API::SemiTransBlt(target, -1, -1, 2, 2, wide, 0, 0, 0xFFFFFF, 0);  // before the edges: cut
  EXPECT_EQ(Px(target, 0, 0)[0], 9);
}

TEST(OwnerDrawnTest, BackdropCopyAndSoundRequests) {
  struct Lamp : OwnerDrawn {
    int rebuilt = 0;
    void Ping() { RaiseSound(kSoundClick); }
    void BackImageChanged() override { ++rebuilt; }
  } lamp;
  lamp.SetBounds(0, 0, 4, 3);
  Surface backdrop(10, 10);
  backdrop.SetPixel(6, 5, Rgb(1, 2, 3));
  lamp.BackImageCopy(backdrop, 5, 5);
  EXPECT_EQ(lamp.rebuilt, 1);
  EXPECT_EQ(lamp.BackImage().GetPixel(1, 0), Rgb(1, 2, 3));
  lamp.BackImageCopy(backdrop, 8, 8);  // past the backdrop's edge: the rest stays white
  EXPECT_EQ(lamp.BackImage().GetPixel(3, 2), plat::kWhite);

  std::vector<int> codes;
  lamp.Sound = [&](int code) { codes.push_back(code); };
  lamp.Ping();
  lamp.SetEffect(false);
  lamp.Ping();
  EXPECT_EQ(codes, (std::vector<int>{kSoundClick}));
}
