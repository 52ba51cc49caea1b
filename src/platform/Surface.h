/** @file Surface.h Memory pictures (32-bit pixels, bytes B, G, R, X) and the raster operations on them. */
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

/// A colour value as the game stores it: red + 256 * green + 65536 * blue.
using Colour = uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
constexpr int RedOf(Colour c) { return c & 255; }
constexpr int GreenOf(Colour c) { return (c >> 8) & 255; }
constexpr int BlueOf(Colour c) { return (c >> 16) & 255; }
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

/// A rectangle with an exclusive right and bottom edge.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  Rect Intersect(const Rect& o) const;
  bool operator==(const Rect&) const = default;
};
inline Rect RectXYWH(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }

/// Raster operations of the copies: plain copy, OR (sprite masks) and AND (sprite images).
enum class Rop { Copy, Paint, And };

/// A picture in memory. Pixels are 4 bytes each, blue, green, red and a fourth byte that is never
/// alpha (kept 0 by everything here); rows are packed top first, Stride() = 4 * Width().
class Surface {
 public:
  Surface() = default;
  Surface(int width, int height);  ///< created white

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return width_ * 4; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  size_t ByteCount() const { return bytes_.size(); }
  uint8_t* Bits() { return bytes_.data(); }
  const uint8_t* Bits() const { return bytes_.data(); }
  uint8_t* Row(int y) { return bytes_.data() + static_cast<size_t>(y) * Stride(); }
  const uint8_t* Row(int y) const { return bytes_.data() + static_cast<size_t>(y) * Stride(); }
  Rect Bounds() const { return Rect{0, 0, width_, height_}; }

  /// New size; the part that both sizes share is kept, the rest becomes white.
  void Resize(int width, int height);
  Colour GetPixel(int x, int y) const;  ///< black outside the picture
  void SetPixel(int x, int y, Colour c);  ///< ignored outside the picture
  void Fill(Colour c);
  void FillRect(const Rect& r, Colour c);  ///< clipped to the picture

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> bytes_;
};

/// Copies a w x h block of src at (sx, sy) onto dst at (dx, dy), clipped to both pictures
/// (a part that falls outside either one is left out). src and dst may be the same picture.
void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy,
            Rop rop = Rop::Copy);
/// Stretches the source rectangle onto the destination rectangle (nearest pixel), clipped to
/// the destination. Sizes must be positive; otherwise nothing is drawn.
void StretchBlt(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                int sw, int sh, Rop rop = Rop::Copy);
/// A line from (x0, y0) to (x1, y1) without its end point, `width` pixels thick, clipped.
void DrawLine(Surface& dst, int x0, int y0, int x1, int y1, Colour c, int width = 1);
/// The outline of a rectangle, one pixel, inside it.
void DrawFrame(Surface& dst, const Rect& r, Colour c);

/// Loads a BMP or JPEG file into `out` in the surface format; colours are taken exactly.
/// On failure returns false and sets `error` to a Japanese text naming the file; `out` is unchanged.
bool LoadPicture(const std::string& path, Surface& out, std::string& error);
/// Saves the picture as a PNG file (24-bit). false and `error` on failure.
bool SavePng(const Surface& s, const std::string& path, std::string& error);

}  // namespace plat
