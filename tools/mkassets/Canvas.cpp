/** @file Canvas.cpp Drawing primitives and the BMP and JPEG writers of the asset maker. */
#include "Canvas.h"

#include <algorithm>
#include <array>
#include <cmath>

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto m = [t](uint8_t p, uint8_t q) { return static_cast<uint8_t>(std::lround(p + (q - p) * t)); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

double Hash01(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / 16777216.0;
}

double Noise(double x, double y, double cell, int seed) {
  const double fx = x / cell, fy = y / cell;
  const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  const double tx = fx - ix, ty = fy - iy;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const double a = Hash01(ix, iy, seed), b = Hash01(ix + 1, iy, seed);
  const double c = Hash01(ix, iy + 1, seed), d = Hash01(ix + 1, iy + 1, seed);
  return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

Canvas::Canvas(int width, int height, Rgb fill) : w_(width), h_(height), px_(static_cast<size_t>(width) * height, fill) {}

void Canvas::Blend(int x, int y, Rgb c, double alpha) {
  if (x >= 0 && y >= 0 && x < w_ && y < h_) Set(x, y, Mix(Get(x, y), c, alpha));
}

void Canvas::FillRect(int x, int y, int w, int h, Rgb c) {
  for (int j = std::max(0, y); j < std::min(h_, y + h); ++j)
    for (int i = std::max(0, x); i < std::min(w_, x + w); ++i) Set(i, j, c);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Rgb c) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) Set(x, y, c);
    }
}

void Canvas::FillPolygon(const std::vector<double>& p, Rgb c) {
  const size_t n = p.size() / 2;
  if (n < 3) return;
  double top = p[1], bottom = p[1];
  for (size_t i = 0; i < n; ++i) top = std::min(top, p[2 * i + 1]), bottom = std::max(bottom, p[2 * i + 1]);
  for (int y = std::max(0, static_cast<int>(std::floor(top))); y <= std::min(h_ - 1, static_cast<int>(std::ceil(bottom))); ++y) {
    const double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const double y0 = p[2 * j + 1], y1 = p[2 * i + 1];
      if ((y0 <= sy) != (y1 <= sy)) xs.push_back(p[2 * j] + (sy - y0) / (y1 - y0) * (p[2 * i] - p[2 * j]));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2)
      for (int x = static_cast<int>(std::ceil(xs[k] - 0.5)); x < static_cast<int>(std::ceil(xs[k + 1] - 0.5)); ++x) Set(x, y, c);
  }
}

void Canvas::Line(double x0, double y0, double x1, double y1, double thickness, Rgb c) {
  const double length = std::hypot(x1 - x0, y1 - y0);
  const int steps = std::max(1, static_cast<int>(length * 2));
  const double r = std::max(0.5, thickness / 2);
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    FillCircle(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, r, c);
  }
}

void Canvas::VerticalGradient(int y0, int y1, Rgb top, Rgb bottom) {
  for (int y = std::max(0, y0); y < std::min(h_, y1); ++y) {
    const Rgb c = Mix(top, bottom, y1 - y0 > 1 ? static_cast<double>(y - y0) / (y1 - y0 - 1) : 0);
    for (int x = 0; x < w_; ++x) Set(x, y, c);
  }
}

void Canvas::Paste(const Canvas& part, int x, int y) {
  for (int j = 0; j < part.h_; ++j)
    for (int i = 0; i < part.w_; ++i) Set(x + i, y + j, part.Get(i, j));
}

namespace {

void Put16(std::string& s, uint32_t v) { s += static_cast<char>(v & 255), s += static_cast<char>((v >> 8) & 255); }
void Put32(std::string& s, uint32_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }
void PutBe16(std::string& s, uint32_t v) { s += static_cast<char>((v >> 8) & 255), s += static_cast<char>(v & 255); }

}  // namespace

std::string Canvas::Bmp() const {
  const uint32_t stride = (static_cast<uint32_t>(w_) * 3 + 3) & ~3u;
  const uint32_t size = stride * h_;
  std::string s = "BM";
  Put32(s, 54 + size), Put32(s, 0), Put32(s, 54);
  Put32(s, 40), Put32(s, w_), Put32(s, h_), Put16(s, 1), Put16(s, 24), Put32(s, 0), Put32(s, size);
  Put32(s, 2835), Put32(s, 2835), Put32(s, 0), Put32(s, 0);
  for (int y = h_ - 1; y >= 0; --y) {
    for (int x = 0; x < w_; ++x) {
      const Rgb c = Get(x, y);
      s += static_cast<char>(c.b), s += static_cast<char>(c.g), s += static_cast<char>(c.r);
    }
    s.append(stride - w_ * 3, '\0');
  }
  return s;
}

// ---- Baseline JPEG: the standard's example quantisation and Huffman tables, no subsampling.

namespace {

constexpr std::array<int, 64> kZigzag = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                         12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                         35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                         58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
constexpr std::array<int, 64> kLumaQ = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                                        14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                                        18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                                        49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> kChromaQ = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
                                          24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
                                          99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                          99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

const std::vector<uint8_t> kDcLumaBits = {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
const std::vector<uint8_t> kDcChromaBits = {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
const std::vector<uint8_t> kDcValues = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
const std::vector<uint8_t> kAcLumaBits = {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d};
const std::vector<uint8_t> kAcLumaValues = {
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71, 0x14,
    0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09,
    0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a,
    0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64, 0x65,
    0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88,
    0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9,
    0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca,
    0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea,
    0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};
const std::vector<uint8_t> kAcChromaBits = {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77};
const std::vector<uint8_t> kAcChromaValues = {
    0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13, 0x22, 0x32,
    0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1, 0x0a, 0x16,
    0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36, 0x37, 0x38, 0x39,
    0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64,
    0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x82, 0x83, 0x84, 0x85, 0x86,
    0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7,
    0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8,
    0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9,
    0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};

struct Huffman {
  std::array<uint16_t, 256> code{};
  std::array<uint8_t, 256> length{};
  Huffman(const std::vector<uint8_t>& bits, const std::vector<uint8_t>& values) {
    uint16_t c = 0;
    size_t k = 0;
    for (int len = 1; len <= 16; ++len) {
      for (int i = 0; i < bits[len - 1]; ++i, ++k) code[values[k]] = c++, length[values[k]] = static_cast<uint8_t>(len);
      c <<= 1;
    }
  }
};

class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}
  void Put(uint32_t bits, int count) {
    for (int i = count - 1; i >= 0; --i) {
      acc_ = static_cast<uint8_t>((acc_ << 1) | ((bits >> i) & 1));
      if (++n_ == 8) Flush();
    }
  }
  void Finish() {
    while (n_ != 0) Put(1, 1);
  }

 private:
  void Flush() {
    out_ += static_cast<char>(acc_);
    if (acc_ == 0xFF) out_ += '\0';
    acc_ = 0, n_ = 0;
  }
  std::string& out_;
  uint8_t acc_ = 0;
  int n_ = 0;
};

int Category(int v) {
  v = std::abs(v);
  int n = 0;
  while (v) ++n, v >>= 1;
  return n;
}

void PutValue(BitWriter& bw, int v, int cat) {
  if (cat) bw.Put(static_cast<uint32_t>(v < 0 ? v - 1 : v) & ((1u << cat) - 1), cat);
}

void PutTable(std::string& s, int id, const std::vector<uint8_t>& bits, const std::vector<uint8_t>& values) {
  s += static_cast<char>(id);
  for (uint8_t b : bits) s += static_cast<char>(b);
  for (uint8_t v : values) s += static_cast<char>(v);
}

}  // namespace

std::string Canvas::Jpeg(int quality) const {
  quality = std::clamp(quality, 1, 100);
  const int scale = quality < 50 ? 5000 / quality : 200 - quality * 2;
  std::array<int, 64> q[2];
  for (int i = 0; i < 64; ++i) {
    q[0][i] = std::clamp((kLumaQ[i] * scale + 50) / 100, 1, 255);
    q[1][i] = std::clamp((kChromaQ[i] * scale + 50) / 100, 1, 255);
  }
  std::string s = "\xFF\xD8\xFF\xE0";
  PutBe16(s, 16);
  s += std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14);
  s += "\xFF\xDB";
  PutBe16(s, 2 + 2 * 65);
  for (int t = 0; t < 2; ++t) {
    s += static_cast<char>(t);
    for (int k = 0; k < 64; ++k) s += static_cast<char>(q[t][kZigzag[k]]);
  }
  s += "\xFF\xC0";
  PutBe16(s, 17);
  s += '\x08';
  PutBe16(s, h_), PutBe16(s, w_);
  s += std::string("\x03\x01\x11\x00\x02\x11\x01\x03\x11\x01", 10);
  s += "\xFF\xC4";
  PutBe16(s, 2 + 4 * 17 + 12 + 12 + 162 + 162);
  PutTable(s, 0x00, kDcLumaBits, kDcValues);
  PutTable(s, 0x10, kAcLumaBits, kAcLumaValues);
  PutTable(s, 0x01, kDcChromaBits, kDcValues);
  PutTable(s, 0x11, kAcChromaBits, kAcChromaValues);
  s += "\xFF\xDA";
  PutBe16(s, 12);
  s += std::string("\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 10);

  const Huffman dc[2] = {{kDcLumaBits, kDcValues}, {kDcChromaBits, kDcValues}};
  const Huffman ac[2] = {{kAcLumaBits, kAcLumaValues}, {kAcChromaBits, kAcChromaValues}};
  double cosines[8][8];
  for (int x = 0; x < 8; ++x)
    for (int u = 0; u < 8; ++u) cosines[x][u] = std::cos((2 * x + 1) * u * M_PI / 16) * (u == 0 ? std::sqrt(0.5) : 1.0);

  BitWriter bw(s);
  int previousDc[3] = {0, 0, 0};
  for (int by = 0; by < h_; by += 8)
    for (int bx = 0; bx < w_; bx += 8) {
      double block[3][8][8];
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          const Rgb c = Get(std::min(bx + x, w_ - 1), std::min(by + y, h_ - 1));
          block[0][y][x] = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b - 128;
          block[1][y][x] = -0.168736 * c.r - 0.331264 * c.g + 0.5 * c.b;
          block[2][y][x] = 0.5 * c.r - 0.418688 * c.g - 0.081312 * c.b;
        }
      for (int comp = 0; comp < 3; ++comp) {
        const int t = comp == 0 ? 0 : 1;
        double rows[8][8];
        for (int y = 0; y < 8; ++y)
          for (int u = 0; u < 8; ++u) {
            double sum = 0;
            for (int x = 0; x < 8; ++x) sum += block[comp][y][x] * cosines[x][u];
            rows[y][u] = sum;
          }
        int coef[64];
        for (int v = 0; v < 8; ++v)
          for (int u = 0; u < 8; ++u) {
            double sum = 0;
            for (int y = 0; y < 8; ++y) sum += rows[y][u] * cosines[y][v];
            coef[v * 8 + u] = static_cast<int>(std::lround(sum / 4 / q[t][v * 8 + u]));
          }
        const int diff = coef[0] - previousDc[comp];
        previousDc[comp] = coef[0];
        const int cat = Category(diff);
        bw.Put(dc[t].code[cat], dc[t].length[cat]);
        PutValue(bw, diff, cat);
        int run = 0;
        for (int k = 1; k < 64; ++k) {
          const int v = coef[kZigzag[k]];
          if (v == 0) {
            ++run;
            continue;
          }
          while (run >= 16) bw.Put(ac[t].code[0xF0], ac[t].length[0xF0]), run -= 16;
          const int vc = Category(v);
          const int symbol = (run << 4) | vc;
          bw.Put(ac[t].code[symbol], ac[t].length[symbol]);
          PutValue(bw, v, vc);
          run = 0;
        }
        if (run) bw.Put(ac[t].code[0], ac[t].length[0]);
      }
    }
  bw.Finish();
  s += "\xFF\xD9";
  return s;
}
