/** @file ctrPicSliderBar.h The quantity slider: a knob dragged along a track to a whole number that the host may refuse. */
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/OwnerDrawn.h"
#include "platform/Text.h"

/// The knob (SliderImage over the backdrop through ImageMask) shows Value and rests at top 10;
/// held, it rises to top 0. Dragging offers each new value through ValueChenge(pValue, pFLG)
/// with pFLG true; a handler that sets pFLG false keeps the previous value, except past an end,
/// where the knob stops at the value nearest the end that the handler accepts. A press and release
/// without a change steps the value down (left button) or up (right button) by one. Setting
/// Value from code raises ValueChenge with pFLG false, whose answer is ignored. Sound
/// (kSoundSliderRelease) comes at each release while Effect is on and the slider is not frozen
/// (Enable false). Active starts false: the host's timer sets it.
class ctrPicSliderBar : public OwnerDrawn {
 public:
  explicit ctrPicSliderBar(plat::Control* parent = nullptr);
  ~ctrPicSliderBar() override;

  /// Draws the knob ready for use with the current settings.
  void ControlStart();

  int32_t Value() const { return value_; }
  void SetValue(int32_t v);
  int32_t Min() const { return min_; }
  void SetMin(int32_t v) { min_ = v; }
  int32_t Max() const { return max_; }  ///< shows in the caption at the next Text set
  void SetMax(int32_t v) { max_ = v; }
  /// The caption; the track shows it followed by "(" Max ")".
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  bool Enable() const { return enable_; }
  void SetEnable(bool on) { enable_ = on; }

  void SetSliderImage(const plat::Surface& pic);  ///< the knob on a white ground
  const plat::Surface& SliderImage() const { return sliderImage_; }
  void SetImageMask(const plat::Surface& pic) { imageMask_ = pic; }  ///< white where the knob is, black elsewhere
  const plat::Surface& ImageMask() const { return imageMask_; }
  void SetBottomLineImage(const plat::Surface& pic) { bottomLineImage_ = pic; }  ///< the track's picture
  void SetsndDownPath(const std::string& path) { sndDownPath_ = path; }  ///< kept for the host only

  std::function<void(int32_t pValue, bool& pFLG)> ValueChenge;

  // What the player sees, for the host and for checks.
  const plat::Control& Knob() const;
  const plat::Control& Track() const;
  bool Dragging() const { return dragging_; }

 protected:
  void BackImageChanged() override;

 private:
  class Part;
  int Travel() const;
  double Scale() const;
  int32_t PositionToValue(int left) const;
  void PlaceForValue();
  void DrawKnob();
  bool Raise(int32_t value, bool flg);
  void Press(const plat::MouseEvent& e);
  void Drag();
  bool OfferTowards(int32_t end);
  void Release(const plat::MouseEvent& e);
  void CancelDrag();

  int32_t value_ = 0;
  int32_t accepted_ = 0;
  int32_t min_ = 0;
  int32_t max_ = 100;
  std::string text_;
  bool enable_ = true;
  bool dragging_ = false;
  bool clicked_ = false;  // pressed, and no value change by dragging yet
  int grab_ = 0;          // the pointer's x within the knob at the press
  int knobLeft_ = 0;
  int knobTop_ = 10;
  std::string sndDownPath_;
  plat::Surface sliderImage_, imageMask_, bottomLineImage_;
  plat::Font font_;
  std::unique_ptr<Part> knob_, track_;
};
