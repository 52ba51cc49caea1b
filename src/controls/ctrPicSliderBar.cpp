/** @file ctrPicSliderBar.cpp The slider's scale, its knob sprite and caption, and the player's hand on the knob. */
#include "controls/ctrPicSliderBar.h"

#include <cmath>

#include "runtime/Convert.h"

namespace {

constexpr int kRestTop = 10, kTrackLeft = 17, kTrackTop = 48;
constexpr unsigned kCentred = plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE;
const plat::Rect kKnobText{2, 5, 47, 28};

}  // namespace

/// The knob or the track: a picture on the slider; the knob hands its mouse to the slider.
class ctrPicSliderBar::Part : public plat::Control {
 public:
  Part(ctrPicSliderBar* slider, bool knob) : plat::Control(slider), slider_(slider), knob_(knob) {}
  void HandleMouseDown(const plat::MouseEvent& e) override {
    if (knob_) slider_->Press(e);
  }
  void HandleMouseMove(const plat::MouseEvent&) override {
    if (knob_) slider_->Drag();
  }
  void HandleMouseUp(const plat::MouseEvent& e) override {
    if (knob_) slider_->Release(e);
  }
  void HandleCaptureCancelled() override {
    if (knob_) slider_->CancelDrag();
  }

 private:
  ctrPicSliderBar* slider_;
  bool knob_;
};

ctrPicSliderBar::ctrPicSliderBar(plat::Control* parent)
    : OwnerDrawn(parent),
      font_(15, 700),
      knob_(std::make_unique<Part>(this, true)),
      track_(std::make_unique<Part>(this, false)) {
  SetActive(false);
  track_->SetBounds(kTrackLeft, kTrackTop, 0, 16);
}

ctrPicSliderBar::~ctrPicSliderBar() = default;

const plat::Control& ctrPicSliderBar::Knob() const { return *knob_; }
const plat::Control& ctrPicSliderBar::Track() const { return *track_; }

void ctrPicSliderBar::SetSliderImage(const plat::Surface& pic) {
  sliderImage_ = pic;
  knob_->Resize(pic.Width(), pic.Height());
}

void ctrPicSliderBar::BackImageChanged() {
  plat::BitBlt(Image(), 0, 0, Width(), Height(), BackImage(), 0, 0);
  Refresh();
  knobLeft_ = 0;
  knobTop_ = kRestTop;
  knob_->SetBounds(knobLeft_, knobTop_, sliderImage_.Width(), sliderImage_.Height());
  const int trackHeight = bottomLineImage_.Empty() ? track_->Height() : bottomLineImage_.Height();
  track_->SetBounds(kTrackLeft, kTrackTop, Width() - 2 * kTrackLeft, trackHeight);
}

int ctrPicSliderBar::Travel() const { return Width() - sliderImage_.Width(); }

// Pixels per unit, as the single-precision figure the knob's places were always worked out
// with. 0 when Max does not lie above Min: there is no scale, and the knob stays at the left.
double ctrPicSliderBar::Scale() const {
  const int64_t range = int64_t{max_} - min_;
  if (range <= 0) return 0;
  return static_cast<float>(static_cast<double>(Travel()) / static_cast<double>(range));
}

// The far left counts as pixel 1.
int32_t ctrPicSliderBar::PositionToValue(int left) const {
  const double scale = Scale();
  if (scale <= 0) return value_;
  return rt::CLng((left == 0 ? 1 : left) / scale);
}

void ctrPicSliderBar::PlaceForValue() {
  knobLeft_ = static_cast<int>(std::floor(Scale() * value_));
  accepted_ = value_;
}

void ctrPicSliderBar::DrawKnob() {
  knob_->SetBounds(knobLeft_, knobTop_, sliderImage_.Width(), sliderImage_.Height());
  plat::Surface& disp = knob_->Image();
  plat::BitBlt(disp, 0, 0, disp.Width(), disp.Height(), Image(), knobLeft_, knobTop_);
  plat::BitBlt(disp, 0, 0, disp.Width(), disp.Height(), imageMask_, 0, 0, plat::Rop::Paint);
  plat::BitBlt(disp, 0, 0, disp.Width(), disp.Height(), sliderImage_, 0, 0, plat::Rop::And);
  plat::Rect r = kKnobText;
  plat::DrawText(disp, font_, std::to_string(value_), r, kCentred, plat::kBlack);
  knob_->Refresh();
}

void ctrPicSliderBar::ControlStart() { DrawKnob(); }

void ctrPicSliderBar::SetText(const std::string& text) {
  text_ = text;
  plat::Surface& line = track_->Image();
  // The picture is drawn to the track's width, whatever width the slider was given.
  if (bottomLineImage_.Empty()) line.Fill(plat::kWhite);
  else
    plat::StretchBlt(line, 0, 0, line.Width(), line.Height(), bottomLineImage_, 0, 0, bottomLineImage_.Width(),
                     bottomLineImage_.Height());
  plat::Rect r{0, 0, line.Width(), line.Height()};
  plat::DrawText(line, font_, text_ + "(" + std::to_string(max_) + ")", r, kCentred, plat::kBlack);
  track_->Refresh();
}

// Raises ValueChenge; true when the handler left the flag as it came. False also when the
// handler ended the slider.
bool ctrPicSliderBar::Raise(int32_t value, bool flg) {
  const uint64_t id = Id();
  if (auto h = ValueChenge) h(value, flg);
  return FromId(id) && flg;
}

void ctrPicSliderBar::SetValue(int32_t v) {
  value_ = v;
  PlaceForValue();
  const uint64_t id = Id();
  Raise(value_, false);
  if (FromId(id)) DrawKnob();
}

void ctrPicSliderBar::Press(const plat::MouseEvent& e) {
  if (!Active() || !enable_) return;
  dragging_ = true;
  clicked_ = true;
  grab_ = e.x;
  knobTop_ = 0;
  DrawKnob();
}

// Follows the pointer while held. A pointer beyond either end of the travel stands for that
// end's value: a fast drag whose last move inside the travel fell short of the end still
// reaches Min or Max, or, where the host refuses that, the nearest value to it that the host
// accepts.
void ctrPicSliderBar::Drag() {
  const std::optional<plat::Point> pointer = CursorPos();
  if (!dragging_ || Scale() <= 0 || !pointer) return;
  int left = pointer->x - grab_;
  const bool pastEnd = left < 0 || left > Travel();
  if (left < 0) {
    left = 0;
    value_ = min_;
  } else if (left > Travel()) {
    left = Travel();
    value_ = max_;
  } else {
    value_ = PositionToValue(left);
  }
  if (value_ != accepted_) {
    clicked_ = false;
    const uint64_t id = Id();
    const bool accept = Raise(value_, true);
    if (!FromId(id)) return;
    if (accept) {
      accepted_ = value_;
      knobLeft_ = left;
    } else if (pastEnd) {
      if (!OfferTowards(value_)) return;
    } else {
      value_ = accepted_;
    }
    DrawKnob();
  }
}

// The host refused `end`: the values from the accepted one towards it are offered one by one, as
// a slow hand passes them, and the knob stops at the last the host accepts (the allocation's
// slider at the free workers rather than back at 0). False when a handler ended the slider.
bool ctrPicSliderBar::OfferTowards(int32_t end) {
  const uint64_t id = Id();
  const int32_t step = end > accepted_ ? 1 : -1;
  for (int32_t v = accepted_ + step; v != end; v += step) {
    const bool accept = Raise(v, true);
    if (!FromId(id)) return false;
    if (!accept) break;
    accepted_ = v;
  }
  value_ = accepted_;
  PlaceForValue();
  return true;
}

void ctrPicSliderBar::Release(const plat::MouseEvent& e) {
  if (!Active()) return;  // the knob stays raised until a release while active
  dragging_ = false;
  knobTop_ = kRestTop;
  const uint64_t id = Id();
  if (clicked_) {
    if (e.button == plat::kLeftButton && value_ != min_) --value_;
    if (e.button == plat::kRightButton && value_ != max_) ++value_;
    clicked_ = false;
    if (!Raise(value_, true)) {
      if (!FromId(id)) return;
      value_ = accepted_;
    }
    PlaceForValue();
  }
  if (enable_) RaiseSound(kSoundSliderRelease);  // a frozen slider stays silent, as it always did
  if (FromId(id)) DrawKnob();
}

// Hidden or disabled while held: the knob lets go where it stands, without a step or an event.
void ctrPicSliderBar::CancelDrag() {
  if (!dragging_) return;
  dragging_ = false;
  clicked_ = false;
  knobTop_ = kRestTop;
  DrawKnob();
}
