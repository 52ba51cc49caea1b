/** @file StdControls.h The plain standard controls of a dialog: frame, label, check box, option button, scroll bar, buttons. */
#pragma once
#include <functional>
#include <string>

#include "platform/Control.h"
#include "platform/Text.h"

namespace plat {

/// Dialog colours and the dialog font (9 points, 12 pixels).
constexpr Colour kDialogFace = Rgb(240, 240, 240);
constexpr Colour kDialogText = Rgb(0, 0, 0);
constexpr Colour kDialogGrey = Rgb(160, 160, 160);
const Font& DialogFont();

/// Converts the twips of a dialog's design (15 per pixel) to pixels.
constexpr int TwipsToPixels(int twips) { return twips / 15; }

/// Base of the standard controls: a caption, drawn anew by Draw() whenever its state changes.
class StdControl : public Control {
 public:
  explicit StdControl(Control* parent, std::string caption = "");
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

 protected:
  virtual void Draw() = 0;
  void Resized() override { Draw(); Refresh(); }
  void EnabledChanged() override { Draw(); }
  void Redraw() { Draw(); Refresh(); }
  Colour TextColour() const { return Enabled() ? kDialogText : kDialogGrey; }

 private:
  std::string caption_;
};

/// A group frame with its caption in the top line; a container for other controls.
class Frame : public StdControl {
 public:
  using StdControl::StdControl;
 protected:
  void Draw() override;
};

/// Static text on the dialog face; wraps at the width. Alignment 0 left, 1 right, 2 centre.
class Label : public StdControl {
 public:
  using StdControl::StdControl;
  void SetAlignment(int alignment);
  void SetBackColour(Colour c);  ///< the dialog face at first
  void SetForeColour(Colour c);  ///< black at first
  void SetFont(const Font& font);  ///< the dialog font at first
 protected:
  void Draw() override;
 private:
  int alignment_ = 0;
  Colour back_ = kDialogFace;
  Colour fore_ = kDialogText;
  Font font_ = DialogFont();
};

/// A check box. Value 0 or 1; Click is raised whenever Value changes, by the user or by code.
class CheckBox : public StdControl {
 public:
  using StdControl::StdControl;
  int Value() const { return value_; }
  void SetValue(int value);
  void HandleClick() override;
 protected:
  void Draw() override;
 private:
  int value_ = 0;
};

/// An option button; selecting one clears the other option buttons of the same container.
/// Click is raised when it becomes selected (by code) and on every click by the user.
class OptionButton : public StdControl {
 public:
  using StdControl::StdControl;
  bool Value() const { return value_; }
  void SetValue(bool value);
  void HandleClick() override;
 protected:
  void Draw() override;
 private:
  void Select(bool raise);
  bool value_ = false;
};

/// A horizontal scroll bar from Min to Max. Change is raised whenever Value changes (code,
/// arrows, track, end of a thumb drag); Scroll while the thumb is dragged.
class HScrollBar : public StdControl {
 public:
  explicit HScrollBar(Control* parent);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Value() const { return value_; }
  void SetRange(int min, int max);  ///< 16-bit; the value is kept inside the new range
  void SetValue(int value);         ///< clamped to the range
  void SetSmallChange(int n) { small_ = n; }
  void SetLargeChange(int n) { large_ = n; }

  std::function<void()> Change;
  std::function<void()> Scroll;

  void HandleMouseDown(const MouseEvent& e) override;
  void HandleMouseMove(const MouseEvent& e) override;
  void HandleMouseUp(const MouseEvent& e) override;
  void HandleClick() override {}

 protected:
  void Draw() override;

 private:
  Rect ThumbRect() const;
  int ValueAt(int thumbLeft) const;
  void SetValueRaising(int value, bool scrolling);
  int min_ = 0, max_ = 32767, value_ = 0, small_ = 1, large_ = 1;
  bool dragging_ = false;
  int grab_ = 0;
  int dragStart_ = 0;
};

/// A push button; Click on release over it. A PictureButton shows a picture instead of text.
class CommandButton : public StdControl {
 public:
  using StdControl::StdControl;
  void HandleMouseDown(const MouseEvent& e) override;
  void HandleMouseMove(const MouseEvent& e) override;
  void HandleMouseUp(const MouseEvent& e) override;
 protected:
  void Draw() override;
  virtual void DrawFace(const Rect& inner, bool pressed);
  bool pressed_ = false;
};

class PictureButton : public CommandButton {
 public:
  explicit PictureButton(Control* parent) : CommandButton(parent) {}
  void SetPicture(const Surface& picture);
 protected:
  void DrawFace(const Rect& inner, bool pressed) override;
 private:
  Surface picture_;
};

}  // namespace plat
