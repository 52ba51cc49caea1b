/** @file Canvas.h An RGB picture drawn by code, written as a 24-bit BMP or a baseline JPEG. */
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

/// Blend a toward b by t (0: a, 1: b).
Rgb Mix(Rgb a, Rgb b, double t);
/// A repeatable hash of a position to [0, 1): the texture of grass, rock and flames.
double Hash01(int x, int y, int seed);
/// Smooth value noise in [0, 1) with the given cell size.
double Noise(double x, double y, double cell, int seed);

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill = {255, 255, 255});
  int Width() const { return w_; }
  int Height() const { return h_; }
  Rgb Get(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
  void Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[static_cast<size_t>(y) * w_ + x] = c;
  }
  void Blend(int x, int y, Rgb c, double alpha);

  void FillRect(int x, int y, int w, int h, Rgb c);
  void FillEllipse(double cx, double cy, double rx, double ry, Rgb c);
  void FillCircle(double cx, double cy, double r, Rgb c) { FillEllipse(cx, cy, r, r, c); }
  /// A filled polygon (even-odd rule) through the points x0, y0, x1, y1, ...
  void FillPolygon(const std::vector<double>& points, Rgb c);
  /// A line of the given thickness (a row of discs).
  void Line(double x0, double y0, double x1, double y1, double thickness, Rgb c);
  /// Top-to-bottom gradient over rows y0 .. y1 - 1.
  void VerticalGradient(int y0, int y1, Rgb top, Rgb bottom);
  /// Copies `part` with its top-left corner at (x, y).
  void Paste(const Canvas& part, int x, int y);

  std::string Bmp() const;                 ///< 24-bit uncompressed, bottom-up
  std::string Jpeg(int quality = 90) const;  ///< baseline, 4:4:4

 private:
  int w_, h_;
  std::vector<Rgb> px_;
};
