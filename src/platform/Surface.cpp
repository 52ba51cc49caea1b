/** @file Surface.cpp Memory pictures, raster copies, lines, and picture files in and out. */
#include "platform/Surface.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace plat {

Rect Rect::Intersect(const Rect& o) const {
  Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
         std::min(bottom, o.bottom)};
  if (r.Empty()) return Rect{};
  return r;
}

Surface::Surface(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      bytes_(static_cast<size_t>(width_) * height_ * 4, 255) {
  Fill(kWhite);
}

void Surface::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  Surface bigger(width, height);
  BitBlt(bigger, 0, 0, std::min(width, width_), std::min(height, height_), *this, 0, 0);
  *this = std::move(bigger);
}

Colour Surface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
  const uint8_t* p = Row(y) + x * 4;
  return Rgb(p[2], p[1], p[0]);
}

void Surface::SetPixel(int x, int y, Colour c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* p = Row(y) + x * 4;
  p[0] = static_cast<uint8_t>(BlueOf(c));
  p[1] = static_cast<uint8_t>(GreenOf(c));
  p[2] = static_cast<uint8_t>(RedOf(c));
  p[3] = 0;
}

void Surface::Fill(Colour c) { FillRect(Bounds(), c); }

void Surface::FillRect(const Rect& r, Colour c) {
  Rect clip = r.Intersect(Bounds());
  if (clip.Empty()) return;
  const uint8_t px[4] = {static_cast<uint8_t>(BlueOf(c)), static_cast<uint8_t>(GreenOf(c)),
                         static_cast<uint8_t>(RedOf(c)), 0};
  uint8_t* first = Row(clip.top) + clip.left * 4;
  for (int x = 0; x < clip.Width(); ++x) std::memcpy(first + x * 4, px, 4);
  for (int y = clip.top + 1; y < clip.bottom; ++y)
    std::memcpy(Row(y) + clip.left * 4, first, static_cast<size_t>(clip.Width()) * 4);
}

namespace {

// Clips a w x h block at (sx, sy) in src and (dx, dy) in dst to both pictures; false if nothing is left.
bool ClipBlock(int dw, int dh, int sw, int sh, int& dx, int& dy, int& w, int& h, int& sx, int& sy) {
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min({w, sw - sx, dw - dx});
  h = std::min({h, sh - sy, dh - dy});
  return w > 0 && h > 0;
}

void CombineRow(uint8_t* d, const uint8_t* s, size_t n, Rop rop) {
  switch (rop) {
    case Rop::Copy: std::memmove(d, s, n); break;
    case Rop::Paint: for (size_t i = 0; i < n; ++i) d[i] |= s[i]; break;
    case Rop::And: for (size_t i = 0; i < n; ++i) d[i] &= s[i]; break;
  }
}

// What the player reads of a picture that failed; SDL's own reason is English: standard error.
std::string PictureFailure(const char* what, const std::string& path) {
  std::fprintf(stderr, "%s: %s\n", path.c_str(), SDL_GetError());
  return std::string(what) + ": " + path;
}

}  // namespace

void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy, Rop rop) {
  if (!ClipBlock(dst.Width(), dst.Height(), src.Width(), src.Height(), dx, dy, w, h, sx, sy)) return;
  if (&dst == &src && rop != Rop::Copy) {  // OR and AND within one row would read their own output
    const Surface copy = src;
    BitBlt(dst, dx, dy, w, h, copy, sx, sy, rop);
    return;
  }
  const size_t n = static_cast<size_t>(w) * 4;
  if (&dst == &src && dy > sy) {  // overlapping: walk rows bottom up
    for (int y = h - 1; y >= 0; --y) CombineRow(dst.Row(dy + y) + dx * 4, src.Row(sy + y) + sx * 4, n, rop);
    return;
  }
  for (int y = 0; y < h; ++y) CombineRow(dst.Row(dy + y) + dx * 4, src.Row(sy + y) + sx * 4, n, rop);
}

void StretchBlt(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy,
                int sw, int sh, Rop rop) {
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || src.Empty()) return;
  if (&dst == &src) {
    Surface copy = src;
    StretchBlt(dst, dx, dy, dw, dh, copy, sx, sy, sw, sh, rop);
    return;
  }
  Rect clip = RectXYWH(dx, dy, dw, dh).Intersect(dst.Bounds());
  if (clip.Empty()) return;
  std::vector<int> srcX(clip.Width());
  for (int x = clip.left; x < clip.right; ++x) {
    int64_t fx = sx + static_cast<int64_t>(x - dx) * sw / dw;
    srcX[x - clip.left] = static_cast<int>(fx);
  }
  static const uint8_t kOutside[4] = {0, 0, 0, 0};
  for (int y = clip.top; y < clip.bottom; ++y) {
    int fy = static_cast<int>(sy + static_cast<int64_t>(y - dy) * sh / dh);
    uint8_t* d = dst.Row(y) + clip.left * 4;
    for (int i = 0; i < clip.Width(); ++i, d += 4) {
      int fx = srcX[i];
      const uint8_t* s = (fx < 0 || fy < 0 || fx >= src.Width() || fy >= src.Height())
                             ? kOutside
                             : src.Row(fy) + fx * 4;
      CombineRow(d, s, 4, rop);
    }
  }
}

void DrawLine(Surface& dst, int x0, int y0, int x1, int y1, Colour c, int width) {
  width = std::max(width, 1);
  const int ax = std::abs(x1 - x0), ay = std::abs(y1 - y0);
  const int stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
  int err = ax - ay;
  int x = x0, y = y0;
  const int half = (width - 1) / 2;
  while (!(x == x1 && y == y1)) {  // the end point itself is not drawn
    if (width == 1) dst.SetPixel(x, y, c);
    else dst.FillRect(RectXYWH(x - half, y - half, width, width), c);
    int e2 = 2 * err;
    if (e2 > -ay) { err -= ay; x += stepX; }
    if (e2 < ax) { err += ax; y += stepY; }
  }
}

void DrawFrame(Surface& dst, const Rect& r, Colour c) {
  if (r.Empty()) return;
  dst.FillRect(Rect{r.left, r.top, r.right, r.top + 1}, c);
  dst.FillRect(Rect{r.left, r.bottom - 1, r.right, r.bottom}, c);
  dst.FillRect(Rect{r.left, r.top, r.left + 1, r.bottom}, c);
  dst.FillRect(Rect{r.right - 1, r.top, r.right, r.bottom}, c);
}

bool LoadPicture(const std::string& path, Surface& out, std::string& error) {
  {
    std::ifstream probe(path, std::ios::binary);
    if (!probe) {
      error = "画像ファイルが見つかりません: " + path;
      return false;
    }
  }
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) {
    error = PictureFailure("画像ファイルを読み込めません", path);
    return false;
  }
  // RGB888 is stored as B, G, R, X bytes on this little-endian machine: our own layout.
  SDL_Surface* conv = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(loaded);
  if (!conv) {
    error = PictureFailure("画像ファイルを変換できません", path);
    return false;
  }
  Surface result(conv->w, conv->h);
  SDL_LockSurface(conv);
  for (int y = 0; y < conv->h; ++y) {
    const uint8_t* s = static_cast<const uint8_t*>(conv->pixels) + static_cast<size_t>(y) * conv->pitch;
    uint8_t* d = result.Row(y);
    std::memcpy(d, s, static_cast<size_t>(conv->w) * 4);
    for (int x = 0; x < conv->w; ++x) d[x * 4 + 3] = 0;
  }
  SDL_UnlockSurface(conv);
  SDL_FreeSurface(conv);
  out = std::move(result);
  return true;
}

bool SavePng(const Surface& s, const std::string& path, std::string& error) {
  if (s.Empty()) {
    error = "空の画像は保存できません: " + path;
    return false;
  }
  SDL_Surface* rgb = SDL_CreateRGBSurfaceWithFormat(0, s.Width(), s.Height(), 24, SDL_PIXELFORMAT_RGB24);
  if (!rgb) {
    error = std::string("画像を作れません: ") + SDL_GetError();
    return false;
  }
  for (int y = 0; y < s.Height(); ++y) {
    const uint8_t* src = s.Row(y);
    uint8_t* d = static_cast<uint8_t*>(rgb->pixels) + static_cast<size_t>(y) * rgb->pitch;
    for (int x = 0; x < s.Width(); ++x) {
      d[x * 3] = src[x * 4 + 2];
      d[x * 3 + 1] = src[x * 4 + 1];
      d[x * 3 + 2] = src[x * 4];
    }
  }
  bool ok = IMG_SavePNG(rgb, path.c_str()) == 0;
  if (!ok) error = "画像ファイルを書き込めません: " + path + " (" + SDL_GetError() + ")";
  SDL_FreeSurface(rgb);
  return ok;
}

}  // namespace plat
