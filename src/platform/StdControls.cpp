/** @file StdControls.cpp Drawing and mouse handling of the plain standard controls. */
#include "platform/StdControls.h"

#include <algorithm>

namespace plat {

namespace {

constexpr Colour kLight = Rgb(255, 255, 255);
constexpr Colour kShadow = Rgb(160, 160, 160);
constexpr Colour kDark = Rgb(105, 105, 105);
constexpr Colour kTrack = Rgb(228, 228, 228);
constexpr Colour kThumb = Rgb(205, 205, 205);

void Bevel(Surface& s, const Rect& r, bool raised) {
  Colour tl = raised ? kLight : kDark, br = raised ? kDark : kLight;
  s.FillRect(Rect{r.left, r.top, r.right, r.top + 1}, tl);
  s.FillRect(Rect{r.left, r.top, r.left + 1, r.bottom}, tl);
  s.FillRect(Rect{r.left, r.bottom - 1, r.right, r.bottom}, br);
  s.FillRect(Rect{r.right - 1, r.top, r.right, r.bottom}, br);
}

// A small filled triangle pointing left (dir -1) or right (dir +1), centred in r.
void Arrow(Surface& s, const Rect& r, int dir, Colour c) {
  const int cx = r.left + r.Width() / 2, cy = r.top + r.Height() / 2;
  const int size = std::max(2, std::min(r.Width(), r.Height()) / 4);
  for (int i = 0; i <= size; ++i) {  // column i from the tip, i pixels up and down
    int x = dir < 0 ? cx - size / 2 + i : cx + size / 2 - i;
    s.FillRect(Rect{x, cy - i, x + 1, cy + i + 1}, c);
  }
}

}  // namespace

const Font& DialogFont() {
  static const Font font(12, 400, true);
  return font;
}

StdControl::StdControl(Control* parent, std::string caption) : Control(parent), caption_(std::move(caption)) {}

void StdControl::SetCaption(const std::string& caption) {
  caption_ = caption;
  Redraw();
}

void Frame::Draw() {
  Surface& s = Image();
  s.Fill(kDialogFace);
  const int half = DialogFont().LineHeight() / 2;
  DrawFrame(s, Rect{0, half, Width(), Height()}, kShadow);
  DrawFrame(s, Rect{1, half + 1, Width() - 1, Height() - 1}, kLight);
  if (Caption().empty()) return;
  Rect text{8, 0, Width() - 8, DialogFont().LineHeight()};
  Rect measure = text;
  MeasureText(DialogFont(), Caption(), measure, DT_SINGLELINE);
  s.FillRect(Rect{6, 0, std::min(measure.right + 2, Width()), text.bottom}, kDialogFace);
  DrawText(s, DialogFont(), Caption(), text, DT_SINGLELINE, TextColour());
}

void Label::SetAlignment(int alignment) {
  alignment_ = alignment;
  Redraw();
}

void Label::SetBackColour(Colour c) {
  back_ = c;
  Redraw();
}

void Label::SetForeColour(Colour c) {
  fore_ = c;
  Redraw();
}

void Label::SetFont(const Font& font) {
  font_ = font;
  Redraw();
}

void Label::Draw() {
  Surface& s = Image();
  s.Fill(back_);
  Rect r = s.Bounds();
  unsigned flags = DT_WORDBREAK | (alignment_ == 1 ? DT_RIGHT : alignment_ == 2 ? DT_CENTER : DT_LEFT);
  DrawText(s, font_, Caption(), r, flags, Enabled() ? fore_ : kDialogGrey);
}

void CheckBox::SetValue(int value) {
  value = value ? 1 : 0;
  if (value == value_) return;
  value_ = value;
  Redraw();
  if (auto h = Click) h();
}

void CheckBox::HandleClick() { SetValue(1 - value_); }

void CheckBox::Draw() {
  Surface& s = Image();
  s.Fill(kDialogFace);
  const int box = 13, y = (Height() - box) / 2;
  Rect r = RectXYWH(0, y, box, box);
  s.FillRect(r, Enabled() ? kLight : kDialogFace);
  DrawFrame(s, r, kDark);
  if (value_) {
    const Colour c = TextColour();
    for (int k = 0; k < 2; ++k) {  // a tick, two pixels thick
      DrawLine(s, 3, y + 6 + k, 6, y + 9 + k, c);
      DrawLine(s, 6, y + 9 + k, 11, y + 4 + k, c);
    }
  }
  Rect text{box + 4, 0, Width(), Height()};
  DrawText(s, DialogFont(), Caption(), text, DT_SINGLELINE | DT_VCENTER, TextColour());
}

void OptionButton::SetValue(bool value) {
  if (value) {
    if (!value_) Select(true);
    return;
  }
  if (value_) {
    value_ = false;
    Redraw();
  }
}

void OptionButton::Select(bool raise) {
  if (Parent())
    for (Control* c : Parent()->Children())
      if (auto* o = dynamic_cast<OptionButton*>(c); o && o != this && o->value_) {
        o->value_ = false;
        o->Redraw();
      }
  value_ = true;
  Redraw();
  if (raise)
    if (auto h = Click) h();
}

void OptionButton::HandleClick() { Select(true); }

void OptionButton::Draw() {
  Surface& s = Image();
  s.Fill(kDialogFace);
  const int d = 12, y0 = (Height() - d) / 2;
  const double r = d / 2.0, cx = r, cy = y0 + r;
  for (int y = y0; y < y0 + d; ++y)
    for (int x = 0; x < d; ++x) {
      double dx = x + 0.5 - cx, dy = y + 0.5 - cy, dist = dx * dx + dy * dy;
      if (dist <= r * r) s.SetPixel(x, y, dist >= (r - 1.2) * (r - 1.2) ? kDark : (Enabled() ? kLight : kDialogFace));
      if (value_ && dist <= 2.6 * 2.6) s.SetPixel(x, y, TextColour());
    }
  Rect text{d + 4, 0, Width(), Height()};
  DrawText(s, DialogFont(), Caption(), text, DT_SINGLELINE | DT_VCENTER, TextColour());
}

HScrollBar::HScrollBar(Control* parent) : StdControl(parent) {}

void HScrollBar::SetRange(int min, int max) {
  // A scroll bar's range is 16-bit, which also keeps the thumb arithmetic in range.
  min = std::clamp(min, -32768, 32767);
  max = std::clamp(max, -32768, 32767);
  min_ = std::min(min, max);
  max_ = std::max(min, max);
  int v = std::clamp(value_, min_, max_);
  if (v != value_) SetValue(v);
  else Redraw();
}

void HScrollBar::SetValue(int value) { SetValueRaising(value, false); }

void HScrollBar::SetValueRaising(int value, bool scrolling) {
  value = std::clamp(value, min_, max_);
  if (value == value_) return;
  value_ = value;
  Redraw();
  if (scrolling) {
    if (auto h = Scroll) h();
  } else if (auto h = Change) {
    h();
  }
}

Rect HScrollBar::ThumbRect() const {
  const int arrow = Height(), track = std::max(0, Width() - 2 * arrow);
  const int range = max_ - min_;
  const int64_t page = std::max(large_, 1);
  int thumb = range > 0 ? std::max(Height(), static_cast<int>(track * page / (range + page))) : track;
  thumb = std::min(thumb, track);
  const int travel = track - thumb;
  const int left = arrow + (range > 0 ? static_cast<int>(static_cast<int64_t>(travel) * (value_ - min_) / range) : 0);
  return Rect{left, 0, left + thumb, Height()};
}

int HScrollBar::ValueAt(int thumbLeft) const {
  const int arrow = Height(), track = std::max(0, Width() - 2 * arrow);
  Rect t = ThumbRect();
  const int travel = track - t.Width();
  if (travel <= 0) return value_;
  const int pos = std::clamp(thumbLeft - arrow, 0, travel);
  return min_ + static_cast<int>((static_cast<int64_t>(pos) * (max_ - min_) + travel / 2) / travel);
}

void HScrollBar::HandleMouseDown(const MouseEvent& e) {
  if (e.button != kLeftButton) return;
  const int arrow = Height();
  Rect thumb = ThumbRect();
  if (e.x < arrow) SetValue(value_ - small_);
  else if (e.x >= Width() - arrow) SetValue(value_ + small_);
  else if (e.x < thumb.left) SetValue(value_ - large_);
  else if (e.x >= thumb.right) SetValue(value_ + large_);
  else {
    dragging_ = true;
    grab_ = e.x - thumb.left;
    dragStart_ = value_;
  }
}

void HScrollBar::HandleMouseMove(const MouseEvent& e) {
  if (dragging_) SetValueRaising(ValueAt(e.x - grab_), true);
}

void HScrollBar::HandleMouseUp(const MouseEvent& e) {
  if (e.button != kLeftButton || !dragging_) return;
  dragging_ = false;
  if (value_ != dragStart_)
    if (auto h = Change) h();
}

void HScrollBar::Draw() {
  Surface& s = Image();
  s.Fill(kTrack);
  const int arrow = Height();
  const Colour ink = Enabled() ? kDark : kShadow;
  for (Rect r : {Rect{0, 0, arrow, Height()}, Rect{Width() - arrow, 0, Width(), Height()}}) {
    s.FillRect(r, kDialogFace);
    Bevel(s, r, true);
  }
  Arrow(s, Rect{0, 0, arrow, Height()}, -1, ink);
  Arrow(s, Rect{Width() - arrow, 0, Width(), Height()}, 1, ink);
  if (Enabled() && max_ > min_) {
    Rect t = ThumbRect();
    s.FillRect(t, kThumb);
    Bevel(s, t, true);
  }
}

void CommandButton::HandleMouseDown(const MouseEvent& e) {
  if (e.button != kLeftButton) return;
  pressed_ = true;
  Redraw();
}

void CommandButton::HandleMouseMove(const MouseEvent& e) {
  if (!(e.button & kLeftButton) || !HasCapture()) return;
  bool inside = e.x >= 0 && e.y >= 0 && e.x < Width() && e.y < Height();
  if (inside != pressed_) {
    pressed_ = inside;
    Redraw();
  }
}

void CommandButton::HandleMouseUp(const MouseEvent& e) {
  if (e.button != kLeftButton) return;
  pressed_ = false;
  Redraw();
}

void CommandButton::Draw() {
  Surface& s = Image();
  s.Fill(kDialogFace);
  Rect r = s.Bounds();
  DrawFrame(s, r, kDark);
  Rect inner{1, 1, Width() - 1, Height() - 1};
  Bevel(s, inner, !pressed_);
  DrawFace(inner, pressed_);
}

void CommandButton::DrawFace(const Rect& inner, bool pressed) {
  Rect text = inner;
  if (pressed) { text.left += 1; text.top += 1; text.right += 1; text.bottom += 1; }
  DrawText(Image(), DialogFont(), Caption(), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER, TextColour());
}

void PictureButton::SetPicture(const Surface& picture) {
  picture_ = picture;
  Redraw();
}

void PictureButton::DrawFace(const Rect& inner, bool pressed) {
  if (picture_.Empty()) return;
  int x = inner.left + (inner.Width() - picture_.Width()) / 2 + (pressed ? 1 : 0);
  int y = inner.top + (inner.Height() - picture_.Height()) / 2 + (pressed ? 1 : 0);
  Rect clip = inner.Intersect(RectXYWH(x, y, picture_.Width(), picture_.Height()));
  BitBlt(Image(), clip.left, clip.top, clip.Width(), clip.Height(), picture_, clip.left - x, clip.top - y);
  if (!Enabled())  // greyed: every other pixel takes the face colour
    for (int yy = clip.top; yy < clip.bottom; ++yy)
      for (int xx = clip.left + ((yy + clip.left) & 1); xx < clip.right; xx += 2) Image().SetPixel(xx, yy, kDialogFace);
}

}  // namespace plat
