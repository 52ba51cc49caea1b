/** @file ctrGraphicalLabelEX.h The gauge: up to four tinted segments laid end to end over the backdrop. */
#pragma once
#include <array>
#include <cstdint>

#include "controls/OwnerDrawn.h"

/// A horizontal bar of up to four segments (First to Fourth), each a value tinted in its own
/// colour number at its own share of backdrop (per cent). Max - Min fills the whole bar.
/// Horizon 1 runs the segments from the right end leftwards, any other value from the left
/// end rightwards. It raises no events; the picture changes only on RePaint.
class ctrGraphicalLabelEX : public OwnerDrawn {
 public:
  explicit ctrGraphicalLabelEX(plat::Control* parent = nullptr) : OwnerDrawn(parent) {}

  void RePaint();

  int16_t FirstValue() const { return value_[0]; }
  int16_t SecondValue() const { return value_[1]; }
  int16_t ThirdValue() const { return value_[2]; }
  int16_t FourthValue() const { return value_[3]; }
  void SetFirstValue(int16_t v) { value_[0] = v; }
  void SetSecondValue(int16_t v) { value_[1] = v; }
  void SetThirdValue(int16_t v) { value_[2] = v; }
  void SetFourthValue(int16_t v) { value_[3] = v; }
  int32_t FirstSemiTrans() const { return semiTrans_[0]; }
  int32_t SecondSemiTrans() const { return semiTrans_[1]; }
  int32_t ThirdSemiTrans() const { return semiTrans_[2]; }
  int32_t FourthSemiTrans() const { return semiTrans_[3]; }
  void SetFirstSemiTrans(int32_t c) { semiTrans_[0] = c; }
  void SetSecondSemiTrans(int32_t c) { semiTrans_[1] = c; }
  void SetThirdSemiTrans(int32_t c) { semiTrans_[2] = c; }
  void SetFourthSemiTrans(int32_t c) { semiTrans_[3] = c; }
  int16_t FirstAP() const { return ap_[0]; }
  int16_t SecondAP() const { return ap_[1]; }
  int16_t ThirdAP() const { return ap_[2]; }
  int16_t FourthAP() const { return ap_[3]; }
  void SetFirstAP(int16_t p) { ap_[0] = p; }
  void SetSecondAP(int16_t p) { ap_[1] = p; }
  void SetThirdAP(int16_t p) { ap_[2] = p; }
  void SetFourthAP(int16_t p) { ap_[3] = p; }

  int16_t Min() const { return min_; }
  void SetMin(int16_t v) { min_ = v; }
  int16_t Max() const { return max_; }
  void SetMax(int16_t v) { max_ = v; }
  int16_t ImageNum() const { return imageNum_; }  ///< segments in use, 1 to 4
  void SetImageNum(int16_t n) { imageNum_ = n; }
  int32_t Horizon() const { return horizon_; }
  void SetHorizon(int32_t h) { horizon_ = h; }
  int32_t FrameColor() const { return frameColor_; }
  void SetFrameColor(int32_t n) { frameColor_ = n; }
  int16_t FrameWidth() const { return frameWidth_; }  ///< pixels, 0 for none
  void SetFrameWidth(int16_t w) { frameWidth_ = w; }

  /// The segments' lengths in pixels as RePaint draws them, before they are cut to the bar:
  /// each value's share of the bar rounded down, and, with two or more segments, the rounding
  /// loss (or excess) given to the longest one so that together they fill the bar exactly.
  std::array<int, 4> SegmentLengths() const;

 private:
  void DrawValues();

  std::array<int16_t, 4> value_{0, 0, 0, 0};
  std::array<int32_t, 4> semiTrans_{5, 146, 108, 2};
  std::array<int16_t, 4> ap_{50, 50, 50, 50};
  int16_t min_ = 0;
  int16_t max_ = 100;
  int16_t imageNum_ = 4;
  int32_t horizon_ = 1;
  int32_t frameColor_ = 1;
  int16_t frameWidth_ = 1;
};
