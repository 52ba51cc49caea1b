/** @file Control.h A rectangle on a window with its own picture: position, size, visibility, z-order, mouse events. */
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Surface.h"

namespace plat {

class Window;

/// Mouse buttons as the events report them (a mask in MouseMove).
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

/// One mouse event. `button`: the button that went down or up; in a move, the buttons held.
/// `shift`: 1 Shift, 2 Ctrl, 4 Alt held.
/// `x`, `y`: the pointer in the receiving control's own pixels (outside it while captured).
struct MouseEvent {
  int button = 0;
  int shift = 0;
  int x = 0;
  int y = 0;
};

/// A control: a rectangle inside a window or inside another control (a container), with its
/// own picture `Image()` that the window shows, children on top of it in z-order.
/// The owner keeps the object; destroying it takes it off the screen and out of every routing.
/// Mouse events reach the topmost visible, enabled control under the pointer, or the control
/// holding the capture. A handler may hide, move, refill or destroy any control, this one too.
class Control {
 public:
  explicit Control(Control* parent = nullptr);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Geometry, in the parent's pixels. A new size keeps the picture's shared part; new area is white.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Move(int left, int top);
  void Resize(int width, int height);
  void SetBounds(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);  ///< hiding releases a capture held by it or inside it
  /// Visible and every container up to a shown window visible too.
  bool IsShown() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);  ///< a disabled control's mouse goes to its container

  Control* Parent() const { return parent_; }
  void SetParent(Control* parent);  ///< on top of the new parent's other children
  const std::vector<Control*>& Children() const { return children_; }
  /// 0 brings the control in front of its siblings, 1 sends it behind them.
  void ZOrder(int position = 0);
  /// The window this control is on, or nullptr while it is not inside one.
  Window* GetWindow() const;

  /// The control's picture: draw on it, then call Refresh() to show the change.
  Surface& Image() { return image_; }
  const Surface& Image() const { return image_; }
  void Refresh();  ///< the window shows the new picture at its next present

  /// The pointer's position in this control's pixels: where it was last seen over one of the
  /// program's windows, or, that window gone, at the same place on the screen. None before the
  /// pointer was seen at all, or while this control is on no window.
  std::optional<Point> CursorPos() const;
  /// The origin of this control in its window's client pixels.
  Point OriginInWindow() const;
  /// Routes all mouse events to this control until ReleaseCapture() or until it is hidden.
  void SetCapture();
  static void ReleaseCapture();
  bool HasCapture() const;

  /// Events, for hosts that set handlers rather than derive.
  std::function<void(const MouseEvent&)> MouseDown;
  std::function<void(const MouseEvent&)> MouseUp;
  std::function<void(const MouseEvent&)> MouseMove;
  std::function<void()> Click;                 ///< left press and release on the control
  std::function<void(int direction)> Wheel;    ///< +1 away from the user, -1 towards

  uint64_t Id() const { return id_; }
  /// The live control with this id, or nullptr once it is gone.
  static Control* FromId(uint64_t id);

  // What the router calls; derived controls override these (the defaults raise the events).
  virtual void HandleMouseDown(const MouseEvent& e);
  virtual void HandleMouseUp(const MouseEvent& e);
  virtual void HandleMouseMove(const MouseEvent& e);
  virtual void HandleClick();
  virtual void HandleWheel(int direction);
  /// The capture this control held was taken away because it or a container was hidden or
  /// disabled, or a modal window now blocks it (not called on an ordinary release): a control
  /// that keeps a pressed or hover state while it holds the mouse drops it here.
  virtual void HandleCaptureCancelled() {}

 protected:
  /// Called after the size changed (the picture already has the new size).
  virtual void Resized() {}
  /// Called after Enabled changed (standard controls redraw their look).
  virtual void EnabledChanged() {}
  virtual bool IsWindow() const { return false; }

 private:
  friend class Window;
  void DetachChild(Control* c);
  bool IsInside(const Control* ancestor) const;
  void CancelCaptureInside();

  uint64_t id_;
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  Surface image_;
};

/// Finds the topmost visible, enabled control at (x, y) of `root` (its own pixels); nullptr
/// when the point is outside it.
Control* HitTest(Control& root, int x, int y);

}  // namespace plat
