/** @file Win32API.cpp Blends and tints with the exact byte arithmetic the controls' looks depend on. */
#include "controls/Win32API.h"

#include <algorithm>

#include "platform/MessageBox.h"

namespace Win32API {

namespace {

inline uint8_t Floor(double v) { return static_cast<uint8_t>(static_cast<int>(v)); }  // v lies in 0..255

// One byte of a tint: (1 - p) x over + p x under.
inline uint8_t Tint(double p, int over, int under) { return Floor((1 - p) * over + p * under); }

}  // namespace

plat::Surface CreateMemDC(int Width, int Height) { return plat::Surface(Width, Height); }

void BlendPictures(const plat::Surface& picA, const plat::Surface& picB, plat::Surface& picOut, int16_t Percent) {
  if (Percent < 0 || Percent > 100) return;
  const double p = Percent / 100.0;
  const int w = std::min({picA.Width(), picB.Width(), picOut.Width()});
  const int h = std::min({picA.Height(), picB.Height(), picOut.Height()});
  for (int y = 0; y < h; ++y) {
    const uint8_t* a = picA.Row(y);
    const uint8_t* b = picB.Row(y);
    uint8_t* o = picOut.Row(y);
    for (int i = 0; i < w * 4; ++i) o[i] = Floor(p * a[i] + (1 - p) * b[i]);
  }
}

void ColorToBGRA(int32_t Color, std::vector<uint8_t>& bytes) {
  bytes.assign(4, 0);
  bytes[0] = static_cast<uint8_t>((Color >> 16) & 255);
  bytes[1] = static_cast<uint8_t>((Color >> 8) & 255);
  bytes[2] = static_cast<uint8_t>(Color & 255);
  bytes[3] = 0;
}

void SemiTransDC(plat::Surface& hdc, int32_t Color, int16_t Percent) {
  if (Percent < 0 || Percent > 100) return;
  if (hdc.Empty()) {
    plat::MsgBox("Error", plat::vbOKOnly);
    return;
  }
  const double p = Percent / 100.0;
  std::vector<uint8_t> c;
  ColorToBGRA(Color, c);
  for (int y = 0; y < hdc.Height(); ++y) {
    uint8_t* px = hdc.Row(y);
    for (int x = 0; x < hdc.Width(); ++x, px += 4)
      for (int k = 0; k < 3; ++k) px[k] = Tint(p, c[k], px[k]);
  }
}

void SemiTransRect(plat::Surface& pic, int32_t Color, int16_t Percent, int32_t X, int32_t Width, int32_t Y,
                   int32_t Height) {
  if (Percent < 0 || Percent > 100) return;
  const double p = Percent / 100.0;
  std::vector<uint8_t> c;
  ColorToBGRA(Color, c);
  const int64_t x0 = std::max<int64_t>(X, 0), x1 = std::min<int64_t>(int64_t{X} + Width, pic.Width());
  const int64_t y0 = std::max<int64_t>(Y, 0), y1 = std::min<int64_t>(int64_t{Y} + Height, pic.Height());
  for (int64_t y = y0; y < y1; ++y) {
    uint8_t* row = pic.Row(static_cast<int>(y));
    for (int64_t i = x0 * 4; i < x1 * 4; ++i) row[i] = Tint(p, c[i % 4], row[i]);
  }
}

void SemiTransPicture(plat::Surface& pic, int32_t Color, int16_t Percent) {
  SemiTransRect(pic, Color, Percent, 0, pic.Width(), 0, pic.Height());
}

void SemiTransBlt(plat::Surface& dst, int32_t dstX, int32_t dstY, int32_t Width, int32_t Height,
                  const plat::Surface& src, int32_t srcX, int32_t srcY, int32_t Key, int16_t Percent) {
  const double p = Percent < 0 ? 0.0 : Percent > 100 ? 1.0 : Percent / 100.0;
  Width = std::min(Width, src.Width());
  Height = std::min(Height, src.Height());
  const int64_t rows = std::min<int64_t>(int64_t{dstY} + Height, dst.Height()) - dstY;
  const int64_t cols = int64_t{dstX} + Width <= dst.Width() ? Width : int64_t{dst.Width()} - dstX;
  for (int64_t k = 0; k < rows; ++k) {
    const int64_t dy = dstY + k, sy = srcY + k;
    if (dy < 0 || sy < 0 || sy >= src.Height()) continue;  // outside a picture: left out
    uint8_t* d = dst.Row(static_cast<int>(dy));
    const uint8_t* s = src.Row(static_cast<int>(sy));
    for (int64_t j = 0; j < cols; ++j) {
      const int64_t dx = dstX + j, sx = srcX + j;
      if (dx < 0 || dx >= dst.Width() || sx < 0 || sx >= src.Width()) continue;
      uint8_t* dp = d + dx * 4;
      const uint8_t* sp = s + sx * 4;
      if (sp[2] + 256 * sp[1] + 65536 * sp[0] == Key) continue;
      for (int b = 0; b < 4; ++b) dp[b] = Tint(p, sp[b], dp[b]);
    }
  }
}

}  // namespace Win32API
