/** @file MessagePanelTest.cpp The message panel: lines stacked from the bottom, wrapping, narrow panels. */
#include <tuple>

#include "ControlsFixture.h"
#include "controls/ctrGraphicalMSG.h"

using plat::Rect;
using plat::Rgb;

namespace {

class MessagePanel : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    m.SetFontSize(11);  // 15-pixel lines, as the tooltip
    Place(m, 5, 100, 200, 180);
  }
  // For each 15-pixel band above the bottom of the text rectangle (178), the last first:
  // whether text was drawn in it.
  std::string Bands(int count) const {
    std::string s;
    for (int i = 0; i < count; ++i) {
      const int bottom = 178 - 15 * i;
      s += Ink(m.Image(), Rect{1, std::max(bottom - 15, 1), 198, bottom}, kShade).Empty() ? '.' : 'T';
    }
    return s;
  }
  static constexpr plat::Colour kShade = Rgb(50, 50, 50);  // black over grey 100 at 50 %
  ctrGraphicalMSG m;
};

}  // namespace

TEST_F(MessagePanel, LinesStackUpFromTheBottom) {
  struct Case { const char* text; const char* bands; } cases[] = {
      {"一行目\r\n二行目\r\n三行目", "TTT...."},
      {"一行目\r\n", ".T....."},  // an empty last line keeps its height at the bottom
      // About one and a half widths: two line heights reserved, wrapped into them.
      {"兵士が足りません。兵舎で兵士を募集してください。", "TT....."},
      {"見出し\r\n兵士が足りません。兵舎で兵士を募集してください。", "TTT...."},
      // Just narrower than the rectangle but wider than the width it wraps at: its tail takes
      // a line of its own rather than falling below the bottom.
      {"見出し\r\n週あたりの生産量は合計で12", "TTT...."},
      {"", "......."},
  };
  for (const auto& c : cases) {
    m.SetText(c.text);
    EXPECT_EQ(Bands(7), c.bands) << c.text;
  }
  EXPECT_EQ(m.TextRect(), (Rect{1, 1, 198, 178}));
}

TEST_F(MessagePanel, NarrowPanels) {
  // Narrower than twice the frame: no width to wrap into, and no endless placing of the line.
  for (auto [width, frame] : {std::pair(2, 1), std::pair(1, 1), std::pair(10, 6), std::pair(0, 0)}) {
    m.SetFrameSize(static_cast<int16_t>(frame));
    m.SetBounds(5, 100, width, 40);
    m.BackImageCopy(win->Image(), 5, 100);
    m.SetText("とても長い一行の文章です");
    EXPECT_EQ(m.Text(), "とても長い一行の文章です");
  }
}
