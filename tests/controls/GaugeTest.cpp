/** @file GaugeTest.cpp The gauge: segment lengths and the rounding adjustment, their places by direction, values out of range. */
#include <array>
#include <tuple>

#include "ControlsFixture.h"
#include "controls/ctrGraphicalLabelEX.h"

using plat::Rgb;

namespace {

class Gauge : public ControlsTest {
 protected:
  void Set(std::vector<int16_t> values) {
    g.SetImageNum(static_cast<int16_t>(values.size()));
    values.resize(4, 0);
    g.SetFirstValue(values[0]);
    g.SetSecondValue(values[1]);
    g.SetThirdValue(values[2]);
    g.SetFourthValue(values[3]);
  }
  // Which columns of row 5 are tinted in segment 1's blue, segment 2's yellow, or left plain.
  std::string Row() const {
    std::string s;
    for (int x = 0; x < g.Width(); ++x) {
      plat::Colour c = g.Image().GetPixel(x, 5);
      s += c == kBlue ? 'B' : c == kYellow ? 'Y' : c == kGrey ? '.' : c == kGold ? '|' : '?';
    }
    return s;
  }
  static constexpr plat::Colour kBlue = Rgb(50, 50, 177), kYellow = Rgb(177, 177, 50), kGold = Rgb(255, 215, 0);
  ctrGraphicalLabelEX g;
};

}  // namespace

TEST_F(Gauge, LengthsRoundDownAndTheLongestTakesTheRest) {
  struct Case {
    int width;  // the bar is two pixels shorter (frame 1)
    std::vector<int16_t> values;
    int16_t min, max;
    std::array<int, 4> want;
  } cases[] = {
      {103, {50}, 0, 100, {50, 0, 0, 0}},        // one segment: no adjustment
      {101, {30, 70}, 0, 100, {29, 70, 0, 0}},   // 29 + 69: the longer grows
      {101, {50, 50}, 0, 100, {50, 49, 0, 0}},   // first among equals
      {101, {60, 60}, 0, 100, {40, 59, 0, 0}},   // too long together: the longest shrinks
      {101, {0, 0}, 0, 100, {0, 0, 0, 0}},       // no longest segment: nothing to adjust
      {101, {50, 50}, 100, 100, {0, 0, 0, 0}},   // no range
      {101, {120, -30}, 0, 100, {129, -30, 0, 0}},  // out of range: still summing to the bar
      {101, {50}, 50, 150, {49, 0, 0, 0}},       // only Max - Min counts
  };
  for (const auto& c : cases) {
    Place(g, 10, 10, c.width, 16);
    g.SetMin(c.min);
    g.SetMax(c.max);
    Set(c.values);
    EXPECT_EQ(g.SegmentLengths(), c.want) << c.width << " " << c.values[0] << "/" << c.max;
  }
}

TEST_F(Gauge, SegmentsRunFromTheChosenEndAndStayInsideTheFrame) {
  Place(g, 10, 10, 12, 16);  // a bar of 10 inside the frame
  g.SetHorizon(2);
  Set({30, 0, 70});
  g.SetThirdSemiTrans(146);  // the zero-length second segment takes no room
  g.RePaint();
  EXPECT_EQ(Row(), "|BBBYYYYYYY|");
  EXPECT_EQ(g.Image().GetPixel(5, 0), kGold);

  g.SetHorizon(1);  // the first segment ends at the right end
  g.RePaint();
  EXPECT_EQ(Row(), "|YYYYYYYBBB|");
  Set({50});
  g.RePaint();
  EXPECT_EQ(Row(), "|.....BBBBB|");

  // A counter below 0 tints nothing; one above the range fills the bar and no more.
  for (int16_t v : {-20, 150, 32767}) {
    Set({v});
    g.RePaint();
    EXPECT_EQ(Row(), v < 0 ? "|..........|" : "|BBBBBBBBBB|") << v;
  }
  g.SetHorizon(2);
  Set({150, -60});
  g.RePaint();
  EXPECT_EQ(Row(), "|BBBBBBBBBB|");
  g.SetMax(0);  // no range at all
  g.RePaint();
  EXPECT_EQ(Row(), "|..........|");

  // Without a frame the bar spans the whole picture.
  g.SetMax(100);
  g.SetFrameWidth(0);
  Set({50});
  g.RePaint();
  EXPECT_EQ(Row(), "BBBBBB......");
}
