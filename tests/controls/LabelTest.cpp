/** @file LabelTest.cpp The label: its text rectangles, the gauge's bar and percentage, its looks and the lit button. */
#include <tuple>

#include "ControlsFixture.h"
#include "controls/ctrGraphicalLabel.h"

using plat::Rect;
using plat::Rgb;

namespace {

class Label : public ControlsTest {
 protected:
  void Make(int32_t type, int width, int16_t separator = 50) {
    l.SetGLType(type);
    l.SetSeparator(separator);
    Place(l, 20, 100, width, 20);
    l.Setting();
  }
  // Columns of row 1 that carry the bar (the panel's tint blended half and half with white).
  int BarWidth() const {
    int n = 0;
    while (l.Image().GetPixel(l.SubRect().left + n, 1) == kBar) ++n;
    return n;
  }
  // Grey 100 with 25 % gold; the bar: that with 50 % white; lit: that with 25 % white.
  static constexpr plat::Colour kPanel = Rgb(138, 128, 75), kBar = Rgb(196, 191, 165), kLit = Rgb(167, 159, 120);
  static constexpr plat::Colour kGold = Rgb(255, 215, 0);
  ctrGraphicalLabel l;
  EventLog log;
};

}  // namespace

TEST_F(Label, RectanglesSplitAtTheSeparatorRoundedHalfToEven) {
  struct Case { int32_t type; int width; int16_t separator; Rect main, sub; } cases[] = {
      {1, 430, 50, {1, 1, 215, 19}, {216, 1, 429, 19}},
      {2, 5, 50, {1, 1, 2, 19}, {3, 1, 4, 19}},      // 2.5 goes down to even
      {2, 7, 50, {1, 1, 4, 19}, {5, 1, 6, 19}},      // 3.5 goes up to even
      {1, 101, 33, {1, 1, 33, 19}, {34, 1, 100, 19}},
  };
  for (const auto& c : cases) {
    Make(c.type, c.width, c.separator);
    EXPECT_EQ(std::pair(l.MainRect(), l.SubRect()), std::pair(c.main, c.sub)) << c.width << " " << c.separator;
  }
  Make(3, 100);
  EXPECT_EQ(l.ButtonRect(), (Rect{1, 1, 99, 19}));
}

TEST_F(Label, GaugeShowsTheWholePercentageAndABarCutToItsPart) {
  Make(2, 100);  // sub part 51..98: 48 pixels
  l.SetMainText("研究:長弓(2)");
  EXPECT_EQ(std::tuple(l.ShownSubText(), BarWidth()), std::tuple("0", 0));
  struct Case { int16_t value; const char* max; const char* shown; int bar; } cases[] = {
      {29, "100", "29", 14},  // not 28, as 0.29 x 100 in floating point would give
      {57, "100", "57", 27},
      {58, "100", "58", 28},
      {1, "32", "3", 2},      // 1.5 goes up to even
      {3, "32", "9", 4},      // 4.5 goes down to even
      {150, "100", "150", 48},  // above the maximum: the whole part and no further
      {37, "abc", "", 0}, {37, "0", "", 0}, {37, "-5", "", 0},  // no maximum: no division, nothing shown
  };
  for (const auto& c : cases) {
    l.SetValue(c.value);
    l.SetSubText(c.max);
    EXPECT_EQ(std::tuple(l.ShownSubText(), BarWidth(), l.Image().GetPixel(99, 10)), std::tuple(c.shown, c.bar, kGold))
        << c.value << " of " << c.max;
  }
  // The value alone repaints nothing; the texts read back exactly as set.
  l.SetValue(5);
  EXPECT_EQ(std::tuple(l.ShownSubText(), l.MainText(), l.SubText()), std::tuple("", "研究:長弓(2)", "-5"));

  // A plain label: the sub text right-aligned in its part, off the frame; none at separator 100.
  Make(1, 100);
  l.SetMainText("");
  l.SetSubText("12");
  const Rect sub = Ink(l.Image(), l.SubRect(), kPanel);
  EXPECT_EQ(std::tuple(sub.left > 70, sub.right <= 97, l.Image().GetPixel(50, 10)), std::tuple(true, true, kGold));
  l.SetSeparator(100);
  l.Setting();
  EXPECT_TRUE(Ink(l.Image(), Rect{1, 1, 99, 19}, kPanel).Empty());
}

TEST_F(Label, OnlyTheButtonKindLightsUpAndClicks) {
  l.SetEffect(true);
  l.Sound = log.Sound();
  l.Click = log.Named("click");
  l.MouseMove = [this](const plat::MouseEvent&) { log.seen.push_back("move"); };
  Make(1, 100);
  Move(30, 110);
  Click(30, 110);
  EXPECT_EQ(std::tuple(log.Take(), l.Image().GetPixel(5, 10)), std::tuple(Log{"move"}, kPanel));

  Make(3, 100);
  Move(30, 110);
  Move(31, 110);
  Click(31, 110);
  EXPECT_EQ(std::tuple(log.Take(), l.Image().GetPixel(5, 10)), std::tuple(Log{"move", "sound 1", "move", "sound 0", "click"}, kLit));
  l.MouseLeave();
  l.SetActive(false);  // moves are ignored; a click still counts
  Move(30, 110);
  Click(30, 110);
  EXPECT_EQ(std::tuple(log.Take(), l.Image().GetPixel(5, 10)), std::tuple(Log{"sound 0", "click"}, kPanel));
}

// A text too wide for its part is drawn smaller, never cut at its ends: the longest construction
// job in a status label (430 wide, 70 % of it for the text at 11 points, centred, as on the
// screen), and at the edge texts exactly as wide as their part, which keep their size, and a
// pixel wider, which do not; the button kind the same.
TEST_F(Label, ATextTooWideForItsPartIsDrawnSmallerNotCut) {
  const std::string job = "建設:みすぼらしい採取小屋(リュシーレ平原)";
  const plat::Font own(plat::PointsToCellHeight(11));
  const int w = own.TextWidth(job);
  struct Case {
    int32_t type;
    int width;
    int16_t separator;
    bool smaller;
  } cases[] = {
      {2, 430, 70, true},
      {1, w + 5, 100, false}, {1, w + 4, 100, true},  // the main part: the width less frame and pads
      {3, w + 6, 50, false},  {3, w + 4, 50, true},
  };
  l.SetFontMainText(11);
  l.SetMainTextAlign(2);
  for (const Case& c : cases) {
    Make(c.type, c.width, c.separator);
    l.SetMainText(job);
    const Rect part = c.type == 3 ? l.ButtonRect() : l.MainRect();
    const plat::Font& shown = l.ShownMainFont();
    EXPECT_EQ(shown.CellHeight() < own.CellHeight(), c.smaller) << c.width;
    EXPECT_LE(shown.TextWidth(job), part.Width() - 4) << c.width;
    if (c.smaller) {
      // Whole: the ink keeps off both ends of the part, where a cut text would run into them.
      const Rect ink = Ink(l.Image(), Rect{part.left + 2, 2, part.right - 2, 18}, kPanel);
      EXPECT_TRUE(ink.left > part.left + 2 && ink.right < part.right - 2) << c.width;
    }
  }
}
