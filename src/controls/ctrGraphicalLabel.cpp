/** @file ctrGraphicalLabel.cpp The label's layout, its three kinds of drawing and its mouse handling. */
#include "controls/ctrGraphicalLabel.h"

#include <algorithm>

#include "controls/Win32API.h"
#include "runtime/Convert.h"
#include "runtime/VbError.h"

namespace {

unsigned AlignToDTFlags(int32_t align) {
  switch (align) {
    case 1: return plat::DT_VCENTER | plat::DT_SINGLELINE;
    case 2: return plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_CENTER;
    case 3: return plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_RIGHT;
    default: return 0;
  }
}

constexpr int kTextPad = 2;  // texts keep this far from the frame and the separator line
// A text too wide for its part is drawn smaller, down to the smallest size that still reads,
// rather than cut at its ends ("建設:みすぼらしい採取小屋(リュシーレ平原)" in a status label).
constexpr int kSmallestCell = 11;  // pixels

// A text rectangle narrowed by the pad on both sides.
plat::Rect Padded(plat::Rect r) { return plat::Rect{r.left + kTextPad, r.top, r.right - kTextPad, r.bottom}; }

plat::Font FontOfPoints(int16_t points) { return plat::Font(plat::PointsToCellHeight(points), 400); }

// a / b rounded down, b > 0.
int FloorDiv(int a, int b) { return a / b - (a % b != 0 && a < 0 ? 1 : 0); }

}  // namespace

ctrGraphicalLabel::ctrGraphicalLabel(plat::Control* parent)
    : OwnerDrawn(parent), mainFont_(FontOfPoints(16)), subFont_(FontOfPoints(18)), shownMainFont_(mainFont_) {
  SetEffect(false);
}

void ctrGraphicalLabel::SetMainText(const std::string& text) {
  mainText_ = text;
  RePaint();
}

void ctrGraphicalLabel::SetSubText(const std::string& text) {
  subText_ = text;
  RePaint();
}

void ctrGraphicalLabel::SetTransColor(int32_t n) {
  transColor_ = n;
  picTrans_.Fill(color_.ColorAsLong(n));
}

void ctrGraphicalLabel::SetFontMainText(int16_t points) {
  fontMainText_ = points;
  mainFont_ = FontOfPoints(points);
}

void ctrGraphicalLabel::SetFontSubText(int16_t points) {
  fontSubText_ = points;
  subFont_ = FontOfPoints(points);
}

void ctrGraphicalLabel::BackImageChanged() {
  picTrans_ = plat::Surface(Width(), Height());
  picTrans_.Fill(color_.ColorAsLong(transColor_));
  picMouseOver_ = plat::Surface(Width(), Height());
}

void ctrGraphicalLabel::Setting() {
  const int w = Width(), h = Height();
  if (glType_ == kButton) {
    buttonRect_ = plat::Rect{1, 1, w - 1, h - 1};
  } else {
    const int m = rt::CLng(separator_ / 100.0 * w);
    mainRect_ = plat::Rect{1, 1, m, h - 1};
    subRect_ = plat::Rect{m + 1, 1, w - 1, h - 1};
  }
  picMouseOver_.Fill(color_.ColorAsLong(foreColor_));
  RePaint();
}

void ctrGraphicalLabel::RePaint() {
  Win32API::BlendPictures(BackImage(), picTrans_, Image(), 75);
  DrawFrame();
  DrawLabel();
  Refresh();
}

void ctrGraphicalLabel::DrawFrame() {
  plat::Surface& disp = Image();
  const plat::Colour c = color_.ColorAsLong(frameColor_);
  DrawFrameLines(disp, 1, c);
  if (glType_ != kButton && separatorLine_) plat::DrawLine(disp, mainRect_.right, 0, mainRect_.right, mainRect_.bottom, c);
}

// Draws one text in its part, whole; returns the font it was drawn in.
plat::Font ctrGraphicalLabel::DrawPart(const std::string& text, const plat::Rect& part, const plat::Font& font,
                                       int32_t align, int32_t colour) {
  plat::Rect r = Padded(part);
  const unsigned flags = AlignToDTFlags(align);
  plat::Font shown = plat::FittingFont(font, text, r, flags, kSmallestCell);
  plat::DrawText(Image(), shown, text, r, flags, color_.ColorAsLong(colour));
  return shown;
}

void ctrGraphicalLabel::DrawLabel() {
  shownMainFont_ = mainFont_;
  if (glType_ == kButton) {
    shownMainFont_ = DrawPart(mainText_, buttonRect_, mainFont_, mainTextAlign_, mainTextColor_);
    return;
  }
  shownSub_.clear();
  if (glType_ != kLabel && glType_ != kGauge) return;  // a kind of its own: frame and tint only
  shownSub_ = glType_ == kLabel ? subText_ : value_ == 0 ? "0" : DrawGauge();
  shownMainFont_ = DrawPart(mainText_, mainRect_, mainFont_, mainTextAlign_, mainTextColor_);
  if (separator_ < 100) DrawPart(shownSub_, subRect_, subFont_, subTextAlign_, subTextColor_);
}

// The bar, half the fore colour over the panel, and the percentage to show. The percentage is
// worked out in whole numbers (29 of 100 shows 29, where a floating ratio times 100 rounds down
// to 28). A maximum that is not a whole number above 0 shows neither bar nor figure; a value
// above the maximum fills the sub part and no more.
std::string ctrGraphicalLabel::DrawGauge() {
  int max = 0;
  try {
    max = rt::CInt(subText_);
  } catch (const rt::VbError&) {
  }
  if (max <= 0) return "";
  const float ratio = static_cast<float>(static_cast<double>(value_) / max);
  const int span = subRect_.Width();
  const int bar = std::clamp(rt::CLng(ratio * static_cast<double>(span)), 0, std::max(span, 0));
  const int height = subRect_.Height();
  if (bar > 0 && height > 0) {
    plat::Surface& disp = Image();
    plat::Surface ws(bar, height), graph(bar, height);
    plat::BitBlt(ws, 0, 0, bar, height, disp, subRect_.left, subRect_.top);
    graph.Fill(color_.ColorAsLong(foreColor_));
    Win32API::BlendPictures(ws, graph, ws, 50);
    plat::BitBlt(disp, subRect_.left, subRect_.top, bar, height, ws, 0, 0);
  }
  return std::to_string(FloorDiv(value_ * 100, max));
}

void ctrGraphicalLabel::MouseLeave() {
  if (glType_ != kButton) return;
  mouseOver_ = false;
  RePaint();
}

void ctrGraphicalLabel::HandleMouseMove(const plat::MouseEvent& e) {
  if (!Active()) return;
  const uint64_t id = Id();
  if (auto h = MouseMove) h(e);
  if (!FromId(id) || glType_ != kButton || mouseOver_) return;  // the handler may have ended the label
  mouseOver_ = true;
  Win32API::BlendPictures(Image(), picMouseOver_, Image(), 75);
  RaiseSound(kSoundMouseOver);
  Refresh();
}

void ctrGraphicalLabel::HandleClick() {
  if (glType_ != kButton) return;
  RaiseSound(kSoundClick);
  if (auto h = Click) h();
}
