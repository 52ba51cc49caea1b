/** @file DrawingSupportTest.cpp The colour table's bounds, the keyed copy, what the blends and tints leave alone, and the backdrop copy. */
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
}

// The blend and tint arithmetic is read to the byte through the controls' looks; here what lies
// outside a picture, a rectangle or a percentage's range.
TEST(Win32APITest, BlendsAndTintsTouchNothingOutsideTheirPictureRectangleOrRange) {
  Surface a = Filled(2, 2, 200), b = Filled(2, 2, 0), out = Filled(2, 2, 7);
  Win32API::BlendPictures(a, b, out, 101);
  Win32API::BlendPictures(a, b, out, -1);
  Win32API::SemiTransPicture(out, 0xFFFFFF, 101);
  EXPECT_EQ(Px(out, 1, 1)[0], 7);
  Surface smaller = Filled(1, 1, 0);
  Win32API::BlendPictures(a, smaller, out, 50);  // unequal sizes: only the common part
  EXPECT_EQ(Blues(out, {{0, 0}, {1, 1}}), (Ints{100, 7}));

  // The rectangle: X, Width, Y, Height; only those pixels change; a rectangle past the edge is cut.
  Surface r = Filled(4, 3, 0);
  Win32API::SemiTransRect(r, 0xFFFFFF, 0, 1, 2, 1, 1);
  EXPECT_EQ(Blues(r, {{1, 1}, {2, 1}, {3, 1}, {1, 0}, {1, 2}}), (Ints{255, 255, 0, 0, 0}));
  Win32API::SemiTransRect(r, 0xFFFFFF, 50, 3, 10, 2, 10);
  EXPECT_EQ(Blues(r, {{3, 2}, {0, 0}}), (Ints{127, 0}));

  // An unreadable picture is reported once, not drawn into; out of range it is not even looked at.
  plat::ScriptedMessageBox box;
  Surface none;
  Win32API::SemiTransDC(none, 0, 50);
  Win32API::SemiTransDC(none, 0, 150);
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

// The backdrop is taken from (left, top) of the host's picture; beyond its edge the copy stays white.
TEST(OwnerDrawnTest, BackdropCopyTakesLeftThenTop) {
  struct Lamp : OwnerDrawn {
  } lamp;
  lamp.SetBounds(0, 0, 4, 3);
  Surface backdrop(10, 10);
  backdrop.SetPixel(6, 2, Rgb(1, 2, 3));
  lamp.BackImageCopy(backdrop, 5, 2);
  EXPECT_EQ(lamp.BackImage().GetPixel(1, 0), Rgb(1, 2, 3));
  lamp.BackImageCopy(backdrop, 8, 8);
  EXPECT_EQ(lamp.BackImage().GetPixel(3, 2), plat::kWhite);
}
