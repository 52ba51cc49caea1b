/** @file ctrGraphicalLabelLite.cpp The text button's looks and its mouse handling. */
#include "controls/ctrGraphicalLabelLite.h"

#include "controls/Win32API.h"
#include "platform/Text.h"
#include "runtime/Clock.h"

ctrGraphicalLabelLite::ctrGraphicalLabelLite(plat::Control* parent) : OwnerDrawn(parent) { SetEffect(false); }

void ctrGraphicalLabelLite::SetText(const std::string& text) {
  text_ = text;
  DrawState(Look::Idle);
}

void ctrGraphicalLabelLite::SetSelected(bool selected) {
  selected_ = selected;
  DrawState(Look::Idle);
}

void ctrGraphicalLabelLite::Reveal(bool visible) {
  if (visible && !Visible()) {
    // A pointer that cannot be placed is taken as elsewhere: a click that follows must count.
    const std::optional<plat::Point> p = CursorPos();
    const bool underPointer = p && p->x >= 0 && p->x < Width() && p->y >= 0 && p->y < Height();
    appearedAt_ = underPointer ? rt::Clock().NowMs() : std::numeric_limits<int64_t>::min() / 2;
  }
  SetVisible(visible);
}

void ctrGraphicalLabelLite::BackImageChanged() {
  CalcTextRect();
  DrawState(Look::Idle);
}

void ctrGraphicalLabelLite::MouseLeave() {
  DrawState(Look::Idle);
  mouseOver_ = false;
}

// Twice the frame on the right and bottom: the game's captions sit that little left of and above
// the middle.
void ctrGraphicalLabelLite::CalcTextRect() {
  textRect_ = plat::Rect{frameWidth_, frameWidth_, Width() - 2 * frameWidth_, Height() - 2 * frameWidth_};
}

// Every look starts from the clean backdrop.
void ctrGraphicalLabelLite::DrawState(Look look) {
  plat::Surface& disp = Image();
  plat::BitBlt(disp, 0, 0, disp.Width(), disp.Height(), BackImage(), 0, 0);
  if (look == Look::Idle && !selected_) Win32API::SemiTransPicture(disp, color_.ColorAsLong(semiTrans_), semiTransAP_);
  else if (look == Look::Idle) Win32API::SemiTransPicture(disp, color_.ColorAsLong(selectColor_), selectAP_);
  else if (look == Look::MouseOver) Win32API::SemiTransPicture(disp, color_.ColorAsLong(mouseMoveColor_), mouseMoveAP_);
  DrawFrameLines(disp, frameWidth_, color_.ColorAsLong(frameColor_));
  DrawLabelText();
  Refresh();
}

void ctrGraphicalLabelLite::DrawLabelText() {
  if (text_.empty()) return;
  const plat::Font font(plat::PointsToCellHeight(fontSize_), 0);
  plat::Rect r = textRect_;
  plat::DrawText(Image(), font, text_, r, plat::DT_CENTER | plat::DT_VCENTER | plat::DT_SINGLELINE,
                 color_.ColorAsLong(fontColor_));
}

// Both edges count as inside: the move that reaches x = Width is still over the button.
bool ctrGraphicalLabelLite::Inside(const plat::MouseEvent& e) const {
  return e.x >= 0 && e.x <= Width() && e.y >= 0 && e.y <= Height();
}

void ctrGraphicalLabelLite::HandleMouseMove(const plat::MouseEvent& e) {
  if (!Active() || !enable_) {
    // Disabled (say by its own click) while it held the mouse: the move that leaves it still
    // lets the mouse go, or no other control of the window would ever see the mouse again.
    if (HasCapture() && !Inside(e)) {
      ReleaseCapture();
      MouseLeave();
    }
    return;
  }
  if (!Inside(e)) {
    ReleaseCapture();
    MouseLeave();
    return;
  }
  SetCapture();  // so that the move that takes the pointer out still comes here
  if (!mouseOver_) {
    DrawState(Look::MouseOver);
    mouseOver_ = true;  // before the request: a host that yields to the loop may see the next move
    RaiseSound(kSoundMouseOver);
  }
  if (auto h = MouseMove) h(e);
}

void ctrGraphicalLabelLite::HandleMouseDown(const plat::MouseEvent& e) {
  guardedPress_ = appearGuard_ > 0 && rt::Clock().NowMs() - appearedAt_ < appearGuard_;
  OwnerDrawn::HandleMouseDown(e);
}

// A release away from the button (pressed on it, let go elsewhere) is no click: the look goes
// back to idle and nothing is reported. Nor is the release of a press that came too soon after
// the button appeared.
void ctrGraphicalLabelLite::HandleMouseUp(const plat::MouseEvent& e) {
  if (!enable_) return;
  if (!Inside(e)) {
    if (HasCapture()) ReleaseCapture();
    MouseLeave();
    return;
  }
  if (guardedPress_) {
    guardedPress_ = false;
    return;
  }
  if (selectEnable_) selected_ = !selected_;  // stored only: a Click handler reads the new value
  RaiseSound(kSoundClick);
  if (e.button == plat::kLeftButton) {
    if (auto h = Click) h();
  } else if (e.button == plat::kRightButton) {
    if (auto h = RightClick) h();
  }
}
