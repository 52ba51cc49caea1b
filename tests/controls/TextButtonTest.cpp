/** @file TextButtonTest.cpp The text button: its looks to the pixel, its text rectangle, hover, capture and its events. */
#include <gtest/gtest.h>

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
  EXPECT_EQ(std::tuple(Tint(), b.Image().GetPixel(0, 0), b.Image().GetPixel(109, 19), b.TextRect()),
            std::tuple(kIdle, Rgb(255, 215, 0), Rgb(255, 215, 0), Rect{1, 1, 108, 18}));
  EXPECT_TRUE(Ink(b.Image(), Rect{1, 1, 109, 19}, kIdle).Empty());  // no text, no ink

  b.SetText("次の週へ");
  const Rect ink = Ink(b.Image(), Rect{1, 1, 109, 19}, kIdle);
  ASSERT_FALSE(ink.Empty());
  // Centred in (1, 1, 108, 18): equal margins to a pixel or two, and black.
  EXPECT_LE(std::abs((ink.left - 1) - (108 - ink.right)), 2) << ink.left << ".." << ink.right;
  EXPECT_LE(std::abs((ink.top - 1) - (18 - ink.bottom)), 3) << ink.top << ".." << ink.bottom;
  EXPECT_EQ(b.Text(), "次の週へ");

  b.SetSelected(true);
  EXPECT_EQ(Tint(), kSelected);
  b.SetSemiTransAP(75);  // stored only: shows at the next repaint
  b.SetSelected(false);
  EXPECT_EQ(Tint(), Rgb(75, 75, 138));  // 0.25 x 255 + 0.75 x 100

  // A frame two pixels wide reaches the text rectangle at the next backdrop copy; 0 draws none.
  b.SetFrameWidth(2);
  b.BackImageCopy(win->Image(), 50, 50);
  EXPECT_EQ(std::tuple(b.TextRect(), b.Image().GetPixel(1, 1), b.Image().GetPixel(108, 18)),
            std::tuple(Rect{2, 2, 106, 16}, Rgb(255, 215, 0), Rgb(255, 215, 0)));
  b.SetFrameWidth(0);
  b.SetText("");
  b.BackImageCopy(win->Image(), 50, 50);
  EXPECT_EQ(std::tuple(b.TextRect(), b.Image().GetPixel(0, 0)), std::tuple(Rect{0, 0, 110, 20}, Rgb(75, 75, 138)));
}

TEST_F(TextButton, HoverCapturesAndAReleaseOutsideIsNoClick) {
  Move(60, 60);
  Move(70, 60);  // still over it: no second sound
  EXPECT_EQ(std::tuple(log.Take(), Tint(), b.HasCapture()), std::tuple(Log{"sound 1", "move", "move"}, kOver, true));
  Move(160, 70);  // x = Width: still inside
  EXPECT_TRUE(b.MouseOver());
  Move(161, 70);  // out: the captured move ends the hover and lets the mouse go
  EXPECT_EQ(std::tuple(log.Take(), Tint(), b.HasCapture(), b.MouseOver()), std::tuple(Log{"move"}, kIdle, false, false));

  Move(60, 60);
  Click(60, 60);
  EXPECT_EQ(log.Take(), (Log{"sound 1", "move", "sound 0", "click"}));

  // Pressed on the button, let go beside it: no click, and the hover goes.
  Down(60, 60);
  Up(200, 60);
  EXPECT_EQ(std::tuple(log.Take(), Tint(), b.HasCapture()), std::tuple(Log{}, kIdle, false));
  // Pressed, dragged out, released outside: the drag already let the mouse go.
  Move(60, 60);
  Down(60, 60);
  Move(200, 60);
  Up(200, 60);
  EXPECT_EQ(log.Take(), (Log{"sound 1", "move"}));
}

TEST_F(TextButton, SelectedTogglesBeforeClickAndEachButtonRaisesItsEvent) {
  b.SetSelectEnable(true);
  b.Click = [this] { log.seen.push_back(b.Selected() ? "click selected" : "click plain"); };
  Move(60, 60);
  log.Take();
  Click(60, 60);
  EXPECT_EQ(std::tuple(log.Take(), Tint()), std::tuple(Log{"sound 0", "click selected"}, kOver));  // look: at leaving
  Move(300, 200);
  EXPECT_EQ(Tint(), kSelected);

  Move(60, 60);
  Click(60, 60, plat::kRightButton);
  Click(60, 60, plat::kMiddleButton);  // a sound and the toggle, no event of its own
  EXPECT_EQ(std::tuple(log.Take(), b.Selected()), std::tuple(Log{"sound 1", "move", "sound 0", "right", "sound 0"}, true));

  // Selected while the mouse is over it: the idle tint at once.
  b.SetSelected(false);
  EXPECT_EQ(std::tuple(Tint(), b.MouseOver()), std::tuple(kIdle, true));
  b.SetSoundEffect(false);
  Click(60, 60);
  EXPECT_EQ(log.Take(), (Log{"click selected"}));
}

TEST_F(TextButton, DisabledInactiveAndHiddenButtons) {
  b.SetEnable(false);
  Move(60, 60);
  Click(60, 60);
  EXPECT_EQ(std::tuple(log.Take(), Tint()), std::tuple(Log{}, kIdle));  // no greyed look, no events

  b.SetEnable(true);
  b.SetActive(false);  // moves are ignored, a release still counts
  Move(61, 60);
  Click(61, 60);
  EXPECT_EQ(std::tuple(log.Take(), Tint()), std::tuple(Log{"sound 0", "click"}, kIdle));

  // Hidden while the mouse is over it: it lets the mouse go and shows idle when shown again.
  b.SetActive(true);
  ctrGraphicalLabelLite other;
  Place(other, 200, 50, 110, 20);
  other.MouseMove = [this](const plat::MouseEvent&) { log.seen.push_back("other move"); };
  Move(60, 60);
  b.SetVisible(false);
  Move(210, 60);
  b.SetVisible(true);
  EXPECT_EQ(std::tuple(log.Take(), Tint(), b.HasCapture()), std::tuple(Log{"sound 1", "move", "other move"}, kIdle, false));
  Move(300, 200);
  Move(60, 60);  // entering again sounds again
  EXPECT_EQ(log.Take(), (Log{"sound 1", "move"}));
}
