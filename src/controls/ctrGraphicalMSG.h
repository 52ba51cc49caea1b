/** @file ctrGraphicalMSG.h The message panel: a tinted, framed panel whose lines stack up from its bottom edge. */
#pragma once
#include <cstdint>
#include <string>

#include "controls/OwnerDrawn.h"

/// Shows Text (lines separated by CR LF) from the bottom upwards: the last line ends at the
/// bottom of the text rectangle, a line too wide for it wraps into as many lines as it needs.
/// The tint is laid once, when the backdrop is taken; the panel takes no mouse input and
/// raises no events.
class ctrGraphicalMSG : public OwnerDrawn {
 public:
  explicit ctrGraphicalMSG(plat::Control* parent = nullptr) : OwnerDrawn(parent) {}

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);  ///< repaints

  // Colour and share changes show after the next BackImageCopy, the others at the next repaint.
  int32_t SemiTransColor() const { return semiTransColor_; }
  void SetSemiTransColor(int32_t n) { semiTransColor_ = n; }
  int16_t SemiTransColorAP() const { return semiTransColorAP_; }  ///< backdrop showing through, per cent
  void SetSemiTransColorAP(int16_t percent) { semiTransColorAP_ = percent; }
  int32_t FontColor() const { return fontColor_; }
  void SetFontColor(int32_t n) { fontColor_ = n; }
  int32_t FrameColor() const { return frameColor_; }
  void SetFrameColor(int32_t n) { frameColor_ = n; }
  int16_t FrameSize() const { return frameSize_; }  ///< pixels, 0 for none
  void SetFrameSize(int16_t width) { frameSize_ = width; }
  int16_t FontSize() const { return fontSize_; }  ///< points
  void SetFontSize(int16_t points) { fontSize_ = points; }
  // Kept for the host; the panel does not use them.
  bool Enable() const { return enable_; }
  void SetEnable(bool on) { enable_ = on; }

  /// The area of the text as last laid out, in the panel's pixels.
  const plat::Rect& TextRect() const { return textRect_; }

 protected:
  void BackImageChanged() override;

 private:
  void RePaintMsg();
  void DrawMessage();
  void CalcTextRect();

  std::string text_;
  int32_t semiTransColor_ = 4;
  int16_t semiTransColorAP_ = 50;
  int32_t fontColor_ = 1;
  int32_t frameColor_ = 1;
  int16_t frameSize_ = 1;
  int16_t fontSize_ = 16;
  bool enable_ = true;
  plat::Rect textRect_;
  plat::Surface picWork_;  // the backdrop with the tint laid in
};
