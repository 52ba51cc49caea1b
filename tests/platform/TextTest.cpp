/** @file TextTest.cpp Japanese text: the font match, measuring, wrapping, alignment, clipping and the cache. */
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/Text.h"

using namespace plat;

namespace {

// The bounding box of every pixel that is no longer white.
Rect Ink(const Surface& s) {
  Rect r{s.Width(), s.Height(), 0, 0};
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.GetPixel(x, y) != kWhite) {
        r.left = std::min(r.left, x); r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1); r.bottom = std::max(r.bottom, y + 1);
      }
  return r;
}

}  // namespace

TEST(Text, FontCoversJapaneseAndKeepsItsCellHeight) {
  EXPECT_FALSE(JapaneseFontPath().empty());
  // 9 points; 16 points, 21.33; 11 points, 14.67
  EXPECT_EQ((std::vector<int>{PointsToCellHeight(9), PointsToCellHeight(16), PointsToCellHeight(11)}), (std::vector<int>{12, 21, 15}));
  for (int cell : {12, 15, 16, 18, 21}) {
    Font f(cell);
    EXPECT_EQ(f.LineHeight(), cell);
    Rect r{0, 0, 500, 0};
    EXPECT_EQ(MeasureText(f, "国王軍", r, DT_SINGLELINE), cell);
  }
}

TEST(Text, MeasuringCountsLinesAndWidths) {
  Font f(16);
  const int lh = f.LineHeight();
  const int kanji = f.TextWidth("国");

  Rect r{10, 20, 10, 20};  // an empty rectangle: single-line measure gives the text's size
  EXPECT_EQ(MeasureText(f, "食料が不足しています", r, DT_SINGLELINE), lh);
  EXPECT_EQ(r, (Rect{10, 20, 10 + f.TextWidth("食料が不足しています"), 20 + lh}));

  const int space = f.TextWidth("aaaa bbbb");
  struct Case { const char* text; int width, flags, lines; } cases[] = {
      // Without word break lines end only at line breaks (an empty line still takes one); with DT_SINGLELINE never.
      {"一行目\r\n二行目\r\n三行目", 1000, 0, 3}, {"一行目\n\n三行目", 1000, 0, 3},
      {"一行目\r\n二行目", 1000, DT_SINGLELINE, 1}, {"", 1000, 0, 1}, {"長い長い長い長い長い長い", 10, 0, 1},
      // Latin text wraps at spaces; a word wider than the line is cut between characters.
      {"aaaa bbbb cccc dddd", space, DT_WORDBREAK, 2}, {"aaaa bbbb cccc dddd", space - 1, DT_WORDBREAK, 4},
      {"abcdefghijklmnopqrstuvwxyz", f.TextWidth("abcdefghij"), DT_WORDBREAK, 3},
      // Wrapping applies to each line; a closing mark stays with the text before it.
      {"国王軍国王軍\r\n国", kanji * 3, DT_WORDBREAK, 3}, {"あいうえお。", kanji * 5, DT_WORDBREAK, 2},
  };
  for (const auto& c : cases) EXPECT_EQ(CountLines(f, c.text, c.width, c.flags), c.lines) << c.text << " in " << c.width;

  // Japanese wraps between any two characters: 12 kanji in a 5-kanji width take 3 lines.
  Rect w{0, 0, kanji * 5, 0};
  EXPECT_EQ(MeasureText(f, "国王軍国王軍国王軍国王軍", w, DT_WORDBREAK), 3 * lh);
  EXPECT_LE(w.Width(), kanji * 5);
  EXPECT_EQ(w.bottom, 3 * lh);
  Rect k{0, 0, kanji * 4, 0};
  MeasureText(f, "あいうえ。お", k, DT_WORDBREAK);
  EXPECT_EQ(k.Height(), 2 * lh);
}

TEST(Text, DrawingIsAlignedAndClippedToTheRectangle) {
  Font f(16);
  const Colour ink = Rgb(200, 0, 0);
  auto within = [](const Rect& in, const Rect& out) {
    return !in.Empty() && in.left >= out.left && in.top >= out.top && in.right <= out.right && in.bottom <= out.bottom;
  };

  Surface s(200, 60);
  Rect box{20, 10, 180, 50};
  DrawText(s, f, "右", box, DT_RIGHT | DT_SINGLELINE | DT_VCENTER, ink);
  EXPECT_TRUE(within(Ink(s), Rect{180 - f.TextWidth("右"), 10 + (40 - 16) / 2, 180, 10 + (40 - 16) / 2 + 16}));

  Surface c(200, 60);
  Rect centre{0, 0, 200, 60};
  DrawText(c, f, "中央", centre, DT_CENTER | DT_BOTTOM | DT_SINGLELINE, ink);
  Rect r = Ink(c);
  EXPECT_NEAR((r.left + r.right) / 2.0, 100, 3);
  EXPECT_GE(r.top, 60 - 16);

  // Text larger than its rectangle leaves everything outside the rectangle untouched.
  Surface clip(200, 100);
  Rect small{30, 30, 70, 45};
  DrawText(clip, f, "国王軍の兵士が出発しました\r\n二行目\r\n三行目", small, DT_WORDBREAK, ink);
  EXPECT_TRUE(within(Ink(clip), small));

  // Measuring draws nothing; transparent background keeps what was under the letters.
  Surface m(100, 30), blue(100, 30);
  m.Fill(Rgb(0, 0, 255));
  blue.Fill(Rgb(0, 0, 255));
  Rect mr{0, 0, 100, 30};
  DrawText(m, f, "計測", mr, DT_CALCRECT, ink);
  EXPECT_TRUE(std::equal(m.Bits(), m.Bits() + m.ByteCount(), blue.Bits()));
  Rect dr{0, 0, 100, 30};
  DrawText(m, f, "計測", dr, DT_SINGLELINE, ink);
  EXPECT_EQ(m.GetPixel(99, 29), Rgb(0, 0, 255));
  // A text drawn past the picture's edge is cut there, without a fault.
  Rect off{-50, -8, 400, 400};
  DrawText(m, f, "はみ出す文字列", off, DT_NOCLIP, ink);
}

TEST(Text, CachedTextInAnotherColourDrawsAsFreshlyRenderedText) {
  Font f(15);
  Surface s(100, 20), a(100, 20), b(100, 20);
  Rect r{0, 0, 100, 20};
  DrawText(s, f, "同じ", r, DT_SINGLELINE, Rgb(255, 0, 0));
  DrawText(a, f, "同じ", r, DT_SINGLELINE, kBlack);  // from the cache, in black
  ClearTextCache();
  DrawText(b, f, "同じ", r, DT_SINGLELINE, kBlack);
  EXPECT_EQ(std::vector<uint8_t>(a.Bits(), a.Bits() + a.ByteCount()),
            std::vector<uint8_t>(b.Bits(), b.Bits() + b.ByteCount()));
  // Bytes that are not UTF-8 are drawn as replacement marks, never read past the text.
  DrawText(s, f, std::string("\xE5\x9B", 2), r, DT_SINGLELINE, kBlack);
}
