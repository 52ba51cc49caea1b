/** @file SliderTest.cpp The slider: knob places and values, steps by click, the host's accept and refuse, freezing and letting go. */
#include <cmath>
#include <string>
#include <tuple>

#include "ControlsFixture.h"
#include "controls/ctrPicSliderBar.h"

using plat::Rect;
using plat::Rgb;

namespace {

constexpr plat::Colour kBody = Rgb(200, 180, 120);

class Slider : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    plat::Surface image(50, 34), mask(50, 34), line(300, 16);
    mask.Fill(plat::kBlack);
    const Rect body{2, 2, 48, 32};
    image.FillRect(body, kBody);
    mask.FillRect(body, plat::kWhite);
    line.Fill(Rgb(200, 185, 140));
    s.SetSliderImage(image);
    s.SetImageMask(mask);
    s.SetBottomLineImage(line);
    Start(100, 5);
    s.SetActive(true);
    s.ValueChenge = [this](int32_t v, bool& flg) {
      log.seen.push_back(std::to_string(v) + (flg ? " hand" : " code"));
      if (flg && refuseAbove >= 0 && v > refuseAbove) flg = false;
    };
    s.Sound = log.Sound();
  }
  void Start(int32_t max, int32_t value) {
    s.SetParent(win.get());
    s.SetBounds(10, 100, 330, 64);
    s.BackImageCopy(win->Image(), 10, 100);
    s.SetMax(max);
    s.SetValue(value);
    s.SetText("兵士");
    s.ControlStart();
    log.Take();
  }
  // The knob's middle and a point on it, in window pixels.
  int KnobX(int dx = 25) const { return 10 + s.Knob().Left() + dx; }
  int KnobY() const { return 100 + s.Knob().Top() + 15; }
  void ClickKnob(int button = plat::kLeftButton) { Click(KnobX(), KnobY(), button); }
  // Presses the knob at x 25 within it; drags its left edge to `left`.
  void Hold() { Down(KnobX(), KnobY()); }
  void DragTo(int left) { Move(10 + left + 25, KnobY()); }
  ctrPicSliderBar s;
  EventLog log;
  int refuseAbove = -1;
};

}  // namespace

TEST_F(Slider, KnobPlacesLooksAndTheValuesTheyMapTo) {
  // The knob over the backdrop, its number centred in (2, 5, 47, 28), the caption on the track.
  const auto& knob = s.Knob().Image();
  const Rect digits = Ink(knob, Rect{2, 5, 47, 28}, kBody);
  EXPECT_EQ(std::tuple(knob.GetPixel(0, 0), knob.GetPixel(3, 3), std::abs((digits.left - 2) - (47 - digits.right)) < 3,
                       Ink(s.Track().Image(), Rect{0, 0, 296, 16}, Rgb(200, 185, 140)).Empty()),
            std::tuple(kGrey, kBody, true, false));

  // The travel is 330 - 50 = 280 pixels; 2.8 per unit as a single-precision number is a hair
  // below 2.8, so 50 of 100 stands at 139.
  struct Case { int32_t max, value; int left; } places[] = {{100, 50, 139}, {100, 100, 279}, {7, 7, 280}, {0, 3, 0}};
  for (const auto& c : places) {
    Start(c.max, c.value);
    EXPECT_EQ(std::tuple(s.Knob().Left(), s.Knob().Top(), s.Value()), std::tuple(c.left, 10, c.value)) << c.max << " " << c.value;
  }
  EXPECT_EQ(std::tuple(s.Track().Left(), s.Track().Top(), s.Track().Width(), s.Track().Height()), std::tuple(17, 48, 296, 16));

  // Dragged places back to values, halves to even; the far left counts as pixel 1.
  struct Drag { int32_t max, from; int left; int32_t value; } drags[] = {
      {100, 3, 140, 50}, {4, 1, 35, 0}, {4, 3, 105, 2}, {1000, 3, 0, 4}, {4, 3, 280, 4}};
  for (const auto& d : drags) {
    Start(d.max, d.from);
    Hold();
    EXPECT_EQ(s.Knob().Top(), 0);  // held: raised
    DragTo(d.left);
    Up(10 + d.left + 25, KnobY());
    EXPECT_EQ(std::tuple(s.Value(), s.Knob().Top()), std::tuple(d.value, 10)) << d.max << " at " << d.left;
  }
}

TEST_F(Slider, ClicksStepByOneAndTheHostMayRefuse) {
  ClickKnob();
  EXPECT_EQ(std::tuple(log.Take(), s.Value()), std::tuple(Log{"4 hand", "sound 3"}, 4));
  ClickKnob(plat::kRightButton);
  EXPECT_EQ(s.Value(), 5);
  Start(100, 0);
  ClickKnob();  // at Min: offered unchanged
  EXPECT_EQ(std::tuple(log.Take(), s.Value()), std::tuple(Log{"0 hand", "sound 3"}, 0));
  Start(100, 100);
  ClickKnob(plat::kRightButton);
  EXPECT_EQ(std::tuple(log.Take(), s.Value()), std::tuple(Log{"100 hand", "sound 3"}, 100));

  refuseAbove = 4;
  Start(100, 4);
  ClickKnob(plat::kRightButton);
  EXPECT_EQ(std::tuple(log.Take(), s.Value(), s.Knob().Left()), std::tuple(Log{"5 hand", "sound 3"}, 4, 11));
  s.SetValue(60);  // from code: offered, the answer ignored
  EXPECT_EQ(std::tuple(log.Take(), s.Value()), std::tuple(Log{"60 code"}, 60));
}

TEST_F(Slider, DragsAreOfferedAndARefusedOneKeepsTheKnob) {
  refuseAbove = 20;
  Hold();
  DragTo(28);  // 10
  DragTo(84);  // 30: refused, the knob stays at 10's place
  EXPECT_EQ(std::tuple(log.Take(), s.Value(), s.Knob().Left()), std::tuple(Log{"10 hand", "30 hand"}, 10, 28));
  Move(10 + 400, KnobY());  // past the right end: the maximum is offered, refused, and then the
  Up(10 + 400, KnobY());    // values on the way; no step: the drag changed the value
  Log offered{"100 hand"};
  for (int v = 11; v <= 21; ++v) offered.push_back(std::to_string(v) + " hand");
  offered.push_back("sound 3");
  EXPECT_EQ(std::tuple(log.Take(), s.Value(), s.Knob().Left(), s.Knob().Top()), std::tuple(offered, 20, 55, 10));
}

// Past an end whose value the host refuses (the allocation past the free workers) the knob stops
// where a slow hand would have: at the value nearest that end the host accepts, which the host
// saw last. The hand moves from the knob far past the end in one move.
TEST_F(Slider, PastTheEndTheKnobStopsAtTheMostTheHostAccepts) {
  struct Case {
    int32_t from;
    int refuseAbove;
    int dx;  // the one move, from the knob
    int32_t value;
  } cases[] = {
      {0, 20, 600, 20},   // the free workers, not back at 0
      {0, 99, 600, 99},   // one short of the end
      {20, 20, 600, 20},  // already at the most: stays
      {30, 20, 600, 30},  // set from code above what the hand may take: the hand takes nothing
      {60, 20, -600, 0},  // the other end, accepted at once
  };
  for (const Case& c : cases) {
    Start(100, c.from);
    refuseAbove = c.refuseAbove;
    Hold();
    Move(KnobX() + c.dx, KnobY());
    Up(KnobX(), KnobY());
    int lastAccepted = c.from;
    for (const std::string& e : log.Take())
      if (e.ends_with(" hand") && std::stoi(e) <= c.refuseAbove) lastAccepted = std::stoi(e);
    EXPECT_EQ(std::tuple(s.Value(), lastAccepted, s.Knob().Left(), s.Knob().Top()),
              std::tuple(c.value, c.value, static_cast<int>(std::floor(static_cast<double>(2.8f) * c.value)), 10))
        << c.from << " refusing above " << c.refuseAbove;
  }
}

// A fast hand: the last move inside the travel fell short of the end, the next is far beyond it.
TEST_F(Slider, AFastDragPastEitherEndReachesThatEndsValue) {
  Start(35, 5);
  Hold();
  DragTo(250);               // 31 of 35
  Move(10 + 600, KnobY());   // far past the right end
  const auto atMax = std::tuple(s.Value(), s.Knob().Left());
  Move(10 - 150, KnobY());   // and back, far past the left end
  const auto atMin = std::tuple(s.Value(), s.Knob().Left());
  Move(10 + 600, KnobY());
  Up(10 + 600, KnobY());
  EXPECT_EQ(std::tuple(atMax, atMin, s.Value(), s.Knob().Left()),
            std::tuple(std::tuple(35, 280), std::tuple(0, 0), 35, 280));
  EXPECT_EQ(log.Take(), (Log{"31 hand", "35 hand", "0 hand", "35 hand", "sound 3"}));

  // The widest slider of the game (430, a 396-pixel track) with a narrower track picture: the
  // picture is drawn over the whole track, no white left at its end.
  s.SetBounds(10, 100, 430, 64);
  s.BackImageCopy(win->Image(), 10, 100);
  s.SetText("小麦");
  const plat::Surface& track = s.Track().Image();
  ASSERT_EQ(track.Width(), 396);
  EXPECT_NE(track.GetPixel(395, 8), plat::kWhite);
}

TEST_F(Slider, FrozenInactiveHiddenAndRangeless) {
  s.SetEnable(false);  // frozen: no press, and silent
  ClickKnob();
  s.SetEnable(true);
  s.SetEffect(false);  // silent, not frozen
  ClickKnob();
  s.SetActive(false);  // inactive: no press
  ClickKnob();
  s.SetActive(true);
  ClickKnob();
  EXPECT_EQ(std::tuple(log.Take(), s.Knob().Top(), s.Value()), std::tuple(Log{"4 hand", "3 hand"}, 10, 3));

  // Hidden while held: it lets go where it stands, and later moves do not drag it.
  Hold();
  DragTo(56);
  s.SetVisible(false);
  s.SetVisible(true);
  Move(10 + 200, KnobY());
  EXPECT_EQ(std::tuple(log.Take(), s.Dragging(), s.Knob().Top(), s.Value()), std::tuple(Log{"20 hand"}, false, 10, 20));

  // Max equal to Min: no scale, the knob stays left and nothing divides by zero.
  Start(0, 0);
  Hold();
  DragTo(100);
  Up(10 + 125, KnobY());
  ClickKnob(plat::kRightButton);
  EXPECT_EQ(std::tuple(log.Take(), s.Value(), s.Knob().Left()), std::tuple(Log{"0 hand", "0 hand"}, 0, 0));
}
