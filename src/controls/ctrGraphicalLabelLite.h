/** @file ctrGraphicalLabelLite.h The text button: a tinted, framed piece of the backdrop with one centred line of text. */
#pragma once
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "controls/OwnerDrawn.h"

/// Three looks: idle (the plain or, when Selected, the selected tint) and mouse over. The button
/// reports mouse-ups to its host and never acts by itself. Events: Click (left button released
/// over it), RightClick, MouseMove (the mouse moved inside; the event's fields are not used) and
/// Sound (kSoundClick, kSoundMouseOver) while SoundEffect is on. A disabled button (Enable false)
/// keeps its look and stays silent.
class ctrGraphicalLabelLite : public OwnerDrawn {
 public:
  explicit ctrGraphicalLabelLite(plat::Control* parent = nullptr);

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);  ///< repaints with the idle look

  // Colour numbers and the share of the backdrop (per cent) that shows through each tint.
  int32_t SemiTrans() const { return semiTrans_; }
  void SetSemiTrans(int32_t n) { semiTrans_ = n; }
  int32_t MouseMoveSemiTransColor() const { return mouseMoveColor_; }
  void SetMouseMoveSemiTransColor(int32_t n) { mouseMoveColor_ = n; }
  int32_t SelectTransColor() const { return selectColor_; }
  void SetSelectTransColor(int32_t n) { selectColor_ = n; }
  int16_t SemiTransAP() const { return semiTransAP_; }
  void SetSemiTransAP(int16_t percent) { semiTransAP_ = percent; }
  int16_t MouseMoveSemiTransAP() const { return mouseMoveAP_; }
  void SetMouseMoveSemiTransAP(int16_t percent) { mouseMoveAP_ = percent; }
  int16_t SelectSemiTransAP() const { return selectAP_; }
  void SetSelectSemiTransAP(int16_t percent) { selectAP_ = percent; }
  int32_t FrameColor() const { return frameColor_; }
  void SetFrameColor(int32_t n) { frameColor_ = n; }
  /// Frame line width in pixels, 0 for none. The text rectangle follows at the next BackImageCopy.
  int16_t FrameWidth() const { return frameWidth_; }
  void SetFrameWidth(int16_t width) { frameWidth_ = width; }
  int32_t FontColor() const { return fontColor_; }
  void SetFontColor(int32_t n) { fontColor_ = n; }
  int16_t FontSize() const { return fontSize_; }  ///< points
  void SetFontSize(int16_t points) { fontSize_ = points; }

  bool Selected() const { return selected_; }
  /// Repaints with the idle look at once, also while the mouse is over the button.
  void SetSelected(bool selected);
  bool SelectEnable() const { return selectEnable_; }  ///< a mouse-up toggles Selected
  void SetSelectEnable(bool on) { selectEnable_ = on; }
  bool Enable() const { return enable_; }
  void SetEnable(bool on) { enable_ = on; }
  /// Shows or hides the button. A hidden button shown here under the pointer takes no click
  /// whose press comes within AppearGuard milliseconds: the second press of a double-click on
  /// whatever stood in its place before must not reach it.
  void Reveal(bool visible);
  int32_t AppearGuard() const { return appearGuard_; }
  void SetAppearGuard(int32_t ms) { appearGuard_ = ms; }  ///< 0 (at first): every press counts
  bool SoundEffect() const { return Effect(); }
  void SetSoundEffect(bool on) { SetEffect(on); }
  // Kept for the host; the button never reads them.
  const std::string& ClickSoundPath() const { return clickSoundPath_; }
  void SetClickSoundPath(const std::string& path) { clickSoundPath_ = path; }
  const std::string& MouoseMoveSoundPath() const { return mouseMoveSoundPath_; }
  void SetMouoseMoveSoundPath(const std::string& path) { mouseMoveSoundPath_ = path; }

  /// Where the caption is centred, in the button's pixels (set by BackImageCopy).
  const plat::Rect& TextRect() const { return textRect_; }
  bool MouseOver() const { return mouseOver_; }

  /// Draws the idle look and forgets the mouse.
  void MouseLeave() override;

  std::function<void()> RightClick;

  void HandleMouseDown(const plat::MouseEvent& e) override;
  void HandleMouseMove(const plat::MouseEvent& e) override;
  void HandleMouseUp(const plat::MouseEvent& e) override;
  void HandleClick() override {}  // the button's Click comes from the mouse-up
  void HandleCaptureCancelled() override { MouseLeave(); }

 protected:
  void BackImageChanged() override;

 private:
  enum class Look { Idle, MouseOver, Untinted };
  void DrawState(Look look);
  void DrawLabelText();
  void CalcTextRect();
  bool Inside(const plat::MouseEvent& e) const;

  std::string text_;
  int32_t semiTrans_ = 5;
  int32_t mouseMoveColor_ = 6;
  int32_t selectColor_ = 108;
  int16_t semiTransAP_ = 50;
  int16_t mouseMoveAP_ = 50;
  int16_t selectAP_ = 50;
  int32_t frameColor_ = 1;
  int16_t frameWidth_ = 1;
  int32_t fontColor_ = 4;
  int16_t fontSize_ = 14;
  bool selected_ = false;
  bool selectEnable_ = false;
  bool enable_ = true;
  bool mouseOver_ = false;
  int32_t appearGuard_ = 0;
  int64_t appearedAt_ = std::numeric_limits<int64_t>::min() / 2;  // when Reveal showed it under the pointer
  bool guardedPress_ = false;  // the press being held came within the guard time
  std::string clickSoundPath_;
  std::string mouseMoveSoundPath_;
  plat::Rect textRect_;
};
