/** @file Control.cpp Controls: the tree of rectangles, their pictures, capture and the cursor position. */
#include "platform/Control.h"

#include <algorithm>

#include "platform/UiState.h"
#include "platform/Window.h"

namespace plat {

using detail::Ui;

Control::Control(Control* parent) : id_(Ui().nextId++) {
  Ui().controls[id_] = this;
  if (parent) SetParent(parent);
}

Control::~Control() {
  auto& ui = Ui();
  if (ui.capture == id_) ui.capture = 0;
  if (ui.pressed == id_) ui.pressed = 0;
  Refresh();
  if (parent_) parent_->DetachChild(this);
  for (Control* c : children_) c->parent_ = nullptr;
  ui.controls.erase(id_);
}

Control* Control::FromId(uint64_t id) {
  auto& m = Ui().controls;
  auto it = m.find(id);
  return it == m.end() ? nullptr : it->second;
}

void Control::DetachChild(Control* c) {
  children_.erase(std::remove(children_.begin(), children_.end(), c), children_.end());
}

void Control::Move(int left, int top) { SetBounds(left, top, width_, height_); }
void Control::Resize(int width, int height) { SetBounds(left_, top_, width, height); }

void Control::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Refresh();
  left_ = left;
  top_ = top;
  bool sized = width != width_ || height != height_;
  width_ = width;
  height_ = height;
  if (sized) {
    image_.Resize(width, height);
    Resized();
  }
  Refresh();
}

bool Control::IsInside(const Control* ancestor) const {
  for (const Control* c = this; c; c = c->parent_)
    if (c == ancestor) return true;
  return false;
}

// Takes the mouse capture from a holder inside this control; the holder is told last, as its
// handler may do anything.
void Control::CancelCaptureInside() {
  auto& ui = Ui();
  Control* holder = FromId(ui.capture);
  if (!holder || !holder->IsInside(this)) return;
  ui.capture = 0;
  ui.captureImplicit = false;
  holder->HandleCaptureCancelled();
}

void Control::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (parent_) parent_->Refresh();
  Refresh();
  if (!visible) CancelCaptureInside();
}

bool Control::IsShown() const {
  if (!visible_) return false;
  if (parent_) return parent_->IsShown();
  return IsWindow();
}

void Control::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  EnabledChanged();
  Refresh();
  if (!enabled) CancelCaptureInside();
}

void Control::SetParent(Control* parent) {
  if (parent == parent_) return;
  Refresh();
  if (parent_) parent_->DetachChild(this);
  parent_ = parent;
  if (parent_) parent_->children_.push_back(this);
  Refresh();
}

void Control::ZOrder(int position) {
  if (!parent_) return;
  auto& sib = parent_->children_;
  sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
  if (position == 0) sib.push_back(this);
  else sib.insert(sib.begin(), this);
  Refresh();
}

Window* Control::GetWindow() const {
  const Control* c = this;
  while (c->parent_) c = c->parent_;
  return c->IsWindow() ? static_cast<Window*>(const_cast<Control*>(c)) : nullptr;
}

void Control::Refresh() {
  if (Window* w = GetWindow()) w->MarkDirty();
}

Point Control::OriginInWindow() const {
  Point p;
  for (const Control* c = this; c && c->parent_; c = c->parent_) {
    p.x += c->left_;
    p.y += c->top_;
  }
  return p;
}

std::optional<Point> Control::CursorPos() const {
  auto& ui = Ui();
  Window* mine = GetWindow();
  if (!mine) return std::nullopt;
  Point screen;
  if (Window* seen = Window::FromSdlId(ui.pointerWindow)) {
    const Point a = seen->Position();
    screen = Point{ui.pointer.x + a.x, ui.pointer.y + a.y};
  } else if (ui.pointerOnScreen) {
    screen = *ui.pointerOnScreen;
  } else {
    return std::nullopt;
  }
  const Point b = mine->Position(), o = OriginInWindow();
  return Point{screen.x - b.x - o.x, screen.y - b.y - o.y};
}

void Control::SetCapture() {
  Ui().capture = id_;
  Ui().captureImplicit = false;
}

void Control::ReleaseCapture() {
  Ui().capture = 0;
  Ui().captureImplicit = false;
}

bool Control::HasCapture() const { return Ui().capture == id_; }

// Handlers are copied before the call: a handler may replace itself or destroy this control.
void Control::HandleMouseDown(const MouseEvent& e) {
  if (auto h = MouseDown) h(e);
}
void Control::HandleMouseUp(const MouseEvent& e) {
  if (auto h = MouseUp) h(e);
}
void Control::HandleMouseMove(const MouseEvent& e) {
  if (auto h = MouseMove) h(e);
}
void Control::HandleClick() {
  if (auto h = Click) h();
}
void Control::HandleWheel(int direction) {
  if (auto h = Wheel) h(direction);
}

Control* HitTest(Control& root, int x, int y) {
  if (!root.Visible() || !root.Enabled()) return nullptr;
  if (x < 0 || y < 0 || x >= root.Width() || y >= root.Height()) return nullptr;
  const auto& kids = root.Children();
  for (auto it = kids.rbegin(); it != kids.rend(); ++it)
    if (Control* hit = HitTest(**it, x - (*it)->Left(), y - (*it)->Top())) return hit;
  return &root;
}

}  // namespace plat
