/** @file OwnerDrawn.h What every owner-drawn control shares: backdrop copy, hover leave, sound requests, Active. */
#pragma once
#include <functional>

#include "controls/clsColor.h"
#include "platform/Control.h"
#include "platform/Surface.h"

/// Codes of the sound requests a control raises; the host turns them into sounds.
enum SoundCode : int { kSoundClick = 0, kSoundMouseOver = 1, kSoundWheel = 2, kSoundSliderRelease = 3, kSoundSort = 4 };

/// Base of the game's owner-drawn controls. The control's visible picture is Image(); the
/// backdrop copy is kept in BackImage() and every look is built from it.
class OwnerDrawn : public plat::Control {
 public:
  explicit OwnerDrawn(plat::Control* parent = nullptr) : plat::Control(parent) {}

  /// Copies the host's backdrop under the control (its own size, at left, top) into BackImage()
  /// and lets the control rebuild its looks. Call after the control was placed. Every control
  /// takes the position left first (the grid keeps a wider copy in its own BackImageCopy).
  void BackImageCopy(const plat::Surface& backdrop, int left, int top);
  const plat::Surface& BackImage() const { return back_; }

  /// The host calls it when the mouse has moved onto something else: the hover look goes.
  virtual void MouseLeave() {}

  /// While true, the control raises Sound with a SoundCode; it never plays anything itself.
  bool Effect() const { return effect_; }
  void SetEffect(bool on) { effect_ = on; }
  std::function<void(int code)> Sound;

  /// Set by the host's timer to whether the main window is active; inactive controls ignore
  /// the mouse as each control says.
  bool Active() const { return active_; }
  void SetActive(bool active) { active_ = active; }

 protected:
  void RaiseSound(int code);
  /// The frame most controls draw: four lines of a pen `width` pixels wide from (0, 0) to
  /// (W, 0) and (0, H), from (W - width, 0) to (W - width, H) and from (0, H - width) to
  /// (W - width, H - width). Width 0 draws nothing.
  static void DrawFrameLines(plat::Surface& pic, int width, plat::Colour colour);
  /// Called after BackImageCopy: draw the looks again from the new backdrop.
  virtual void BackImageChanged() {}
  clsColor color_;

 private:
  plat::Surface back_;
  bool effect_ = true;
  bool active_ = true;
};
