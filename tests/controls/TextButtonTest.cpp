/** @file TextButtonTest.cpp The text button: its looks to the pixel, its text rectangle, hover, capture and its events. */
#include <tuple>

#include "ControlsFixture.h"
#include "controls/ctrGraphicalLabelLite.h"

using plat::Rect;
using plat::Rgb;

namespace {

class TextButton : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    Place(b, 50, 50, 110, 20);
    b.SetSoundEffect(true);
    b.Sound = log.Sound();
    b.Click = log.Named("click");
    b.RightClick = log.Named("right");
    b.MouseMove = [this](const plat::MouseEvent&) { log.seen.push_back("move"); };
  }
  plat::Colour Tint() const { return b.Image().GetPixel(5, 3); }  // away from frame and text

  ctrGraphicalLabelLite b;
  EventLog log;
};

// Tints over grey 100 at 50 %: blue (0, 0, 255), green (0, 255, 0), orange (255, 165, 0).
constexpr plat::Colour kIdle = Rgb(50, 50, 177), kOver = Rgb(50, 177, 50), kSelected = Rgb(177, 132, 50);

}  // namespace

TEST_F(TextButton, LooksFrameAndCentredCaption) {
  b.SetText("次の週へ");
  const Rect ink = Ink(b.Image(), Rect{1, 1, 109, 19}, kIdle);
  // Centred in the text rectangle (1, 1, 108, 18): equal margins to a pixel or two.
  EXPECT_EQ(std::tuple(Tint(), b.Image().GetPixel(0, 0), b.Image().GetPixel(109, 19), b.TextRect()),
            std::tuple(kIdle, Rgb(255, 215, 0), Rgb(255, 215, 0), Rect{1, 1, 108, 18}));
  EXPECT_LE(std::abs((ink.left - 1) - (108 - ink.right)) + std::abs((ink.top - 1) - (18 - ink.bottom)), 3)
      << ink.left << ".." << ink.right << ", " << ink.top << ".." << ink.bottom;

  // Without a frame the text rectangle is the whole picture (at the next backdrop copy).
  b.SetFrameWidth(0);
  b.BackImageCopy(win->Image(), 50, 50);
  EXPECT_EQ(std::tuple(b.TextRect(), b.Image().GetPixel(0, 0)), std::tuple(Rect{0, 0, 110, 20}, kIdle));
}

TEST_F(TextButton, HoverCapturesAndAReleaseOutsideIsNoClick) {
  Move(60, 60);
  Move(160, 70);  // x = Width is still inside: no second sound
  EXPECT_EQ(std::tuple(log.Take(), Tint(), b.HasCapture()), std::tuple(Log{"sound 1", "move", "move"}, kOver, true));
  Move(161, 70);  // out: the captured move ends the hover and lets the mouse go
  EXPECT_EQ(std::tuple(log.Take(), Tint(), b.HasCapture()), std::tuple(Log{}, kIdle, false));

  // Pressed on the button, let go beside it, with or without a move out first: no click.
  Move(60, 60);
  Down(60, 60);
  Up(200, 60);
  Move(60, 60);
  Down(60, 60);
  Move(200, 60);
  Up(200, 60);
  EXPECT_EQ(std::tuple(log.Take(), Tint(), b.HasCapture()), std::tuple(Log{"sound 1", "move", "sound 1", "move"}, kIdle, false));
}

TEST_F(TextButton, SelectedTogglesBeforeClickAndEachButtonRaisesItsEvent) {
  b.SetSelectEnable(true);
  b.Click = [this] { log.seen.push_back(b.Selected() ? "click selected" : "click plain"); };
  Move(60, 60);
  Click(60, 60);
  Click(60, 60, plat::kRightButton);
  Click(60, 60, plat::kMiddleButton);  // a sound and the toggle, no event of its own
  EXPECT_EQ(std::tuple(log.Take(), Tint()),
            std::tuple(Log{"sound 1", "move", "sound 0", "click selected", "sound 0", "right", "sound 0"}, kOver));
  Move(300, 200);  // the new look shows when the mouse leaves
  EXPECT_EQ(Tint(), kSelected);

  Move(60, 60);
  b.SetSelected(false);  // while the mouse is over it: the idle tint at once
  EXPECT_EQ(Tint(), kIdle);
  b.SetSoundEffect(false);
  Click(60, 60);
  EXPECT_EQ(log.Take(), (Log{"sound 1", "move", "click selected"}));
}

TEST_F(TextButton, DisabledInactiveAndHiddenButtons) {
  b.SetEnable(false);
  Move(60, 60);
  Click(60, 60);
  b.SetEnable(true);
  b.SetActive(false);  // moves are ignored, a release still counts
  Move(61, 60);
  Click(61, 60);
  EXPECT_EQ(std::tuple(log.Take(), Tint()), std::tuple(Log{"sound 0", "click"}, kIdle));  // no greyed look

  // Hidden while the mouse is over it: it lets the mouse go and shows idle when shown again.
  b.SetActive(true);
  ctrGraphicalLabelLite other;
  Place(other, 200, 50, 110, 20);
  other.MouseMove = [this](const plat::MouseEvent&) { log.seen.push_back("other move"); };
  Move(60, 60);
  b.SetVisible(false);
  Move(210, 60);
  b.SetVisible(true);
  Move(300, 200);
  Move(60, 60);  // entering again sounds again
  EXPECT_EQ(std::tuple(log.Take(), Tint()), std::tuple(Log{"sound 1", "move", "other move", "sound 1", "move"}, kOver));

  // Disabled by its own click while the mouse is over it: the mouse, once it leaves, reaches
  // the rest of the window again.
  b.Click = [this] { b.SetEnable(false); };
  Click(60, 60);
  Move(210, 60);
  Move(211, 60);
  EXPECT_EQ(std::tuple(log.Take(), Tint(), b.HasCapture()), std::tuple(Log{"sound 0", "other move"}, kIdle, false));
}
