/** @file ctrGraphicalLabelEX.cpp The gauge's segment lengths and their tints. */
#include "controls/ctrGraphicalLabelEX.h"

#include <algorithm>
#include <cmath>

#include "controls/Win32API.h"

namespace {
int SegmentsInUse(int16_t imageNum) { return std::clamp<int>(imageNum, 0, 4); }
}  // namespace

void ctrGraphicalLabelEX::RePaint() {
  plat::Surface& dest = Image();
  plat::BitBlt(dest, 0, 0, dest.Width(), dest.Height(), BackImage(), 0, 0);
  DrawValues();
  DrawFrameLines(dest, frameWidth_, color_.ColorAsLong(frameColor_));
  Refresh();
}

std::array<int, 4> ctrGraphicalLabelEX::SegmentLengths() const {
  std::array<int, 4> len{0, 0, 0, 0};
  const int n = SegmentsInUse(imageNum_);
  const int range = max_ - min_;
  if (range == 0) return len;  // no scale: nothing to show
  const int full = Width() - 2 * frameWidth_;
  int sum = 0;
  for (int i = 0; i < n; ++i) {
    len[i] = static_cast<int>(std::floor(static_cast<double>(value_[i]) / range * full));
    sum += len[i];
  }
  if (sum != full && n != 1) {
    int longest = -1;  // the first of the longest; only lengths above 0 count
    for (int i = 0; i < n; ++i)
      if (len[i] > 0 && (longest < 0 || len[i] > len[longest])) longest = i;
    if (longest >= 0) len[longest] += full - sum;
  }
  return len;
}

// Each segment is cut to the bar, so that values outside the range (a poisoned unit's counter
// below 0, a quick one's above the maximum) never tint the frame or past the picture.
void ctrGraphicalLabelEX::DrawValues() {
  plat::Surface& dest = Image();
  const int n = SegmentsInUse(imageNum_);
  const int full = Width() - 2 * frameWidth_;
  const int top = frameWidth_, height = Height() - 2 * frameWidth_;
  const std::array<int, 4> len = SegmentLengths();
  auto tint = [&](int i, int pos) {
    if (len[i] == 0) return;
    const int from = std::max(pos, static_cast<int>(frameWidth_));
    const int to = std::min(pos + len[i], frameWidth_ + full);
    if (to <= from) return;
    Win32API::SemiTransRect(dest, color_.ColorAsLong(semiTrans_[i]), ap_[i], from, to - from, top, height);
  };
  if (horizon_ != 1) {
    int pos = frameWidth_;
    for (int i = 0; i < n; ++i) {
      tint(i, pos);
      if (i != n - 1) pos += len[i];
    }
  } else {  // the first segment ends at the right end, the others follow it leftwards
    int pos = full - len[0] + frameWidth_;
    for (int i = 0; i < n; ++i) {
      tint(i, pos);
      if (i != n - 1) pos -= len[i + 1];
    }
  }
}
