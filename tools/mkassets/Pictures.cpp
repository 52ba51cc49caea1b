/** @file Pictures.cpp The game's backdrops, battlefields and control pictures, drawn by code. */
#include <algorithm>
#include <cmath>

#include "Assets.h"

namespace {

constexpr int kW = 800, kH = 600;

/// Rolling ground from row `y` down: a noise-shaped hill line, shaded downwards.
void Hills(Canvas& c, double y, double amplitude, Rgb top, Rgb bottom, int seed) {
  for (int x = 0; x < c.Width(); ++x) {
    const double edge = y + amplitude * (Noise(x, 0, 160, seed) - 0.5) * 2 + 8 * (Noise(x, 0, 40, seed + 1) - 0.5);
    for (int yy = std::max(0, static_cast<int>(edge)); yy < c.Height(); ++yy) {
      const double t = (yy - edge) / std::max(1.0, c.Height() - edge);
      Rgb col = Mix(top, bottom, t);
      col = Mix(col, {0, 0, 0}, 0.15 * Noise(x, yy, 12, seed + 2));
      c.Set(x, yy, col);
    }
  }
}

void Tree(Canvas& c, double x, double base, double size, Rgb leaves) {
  c.FillRect(static_cast<int>(x - size * 0.08), static_cast<int>(base - size * 0.5), static_cast<int>(size * 0.16) + 1,
             static_cast<int>(size * 0.5), {80, 55, 35});
  for (int k = 0; k < 3; ++k) {
    const double w = size * (0.5 - k * 0.12), top = base - size * (0.45 + k * 0.3);
    c.FillPolygon({x - w, top + size * 0.4, x, top - size * 0.2, x + w, top + size * 0.4}, Mix(leaves, {0, 0, 0}, k * 0.08));
  }
}

void Stars(Canvas& c, int count, int maxY, int seed) {
  for (int k = 0; k < count; ++k) {
    const int x = static_cast<int>(Hash01(k, 0, seed) * c.Width()), y = static_cast<int>(Hash01(k, 1, seed) * maxY);
    c.Blend(x, y, {255, 255, 230}, 0.5 + 0.5 * Hash01(k, 2, seed));
  }
}

void Castle(Canvas& c, double x, double base, double s, Rgb wall) {
  c.FillRect(static_cast<int>(x), static_cast<int>(base - 60 * s), static_cast<int>(120 * s), static_cast<int>(60 * s), wall);
  for (int k = 0; k < 3; ++k) {
    const double tx = x + k * 50 * s;
    c.FillRect(static_cast<int>(tx), static_cast<int>(base - 100 * s), static_cast<int>(20 * s), static_cast<int>(100 * s), wall);
    c.FillPolygon({tx - 4 * s, base - 100 * s, tx + 10 * s, base - 125 * s, tx + 24 * s, base - 100 * s}, Mix(wall, {120, 30, 30}, 0.6));
  }
  c.FillEllipse(x + 60 * s, base - 12 * s, 10 * s, 14 * s, Mix(wall, {0, 0, 0}, 0.6));
}

Canvas Backdrop() {  // the main screen: a kingdom under a morning sky, calm enough to read over
  Canvas c(kW, kH);
  c.VerticalGradient(0, kH, {120, 160, 210}, {235, 225, 200});
  Hills(c, 330, 40, {110, 150, 80}, {70, 100, 55}, 3);
  Hills(c, 420, 30, {90, 130, 65}, {60, 85, 45}, 5);
  Castle(c, 600, 345, 1.0, {170, 160, 150});
  for (int k = 0; k < 14; ++k) Tree(c, 40 + k * 37 + 15 * Hash01(k, 0, 9), 470 + 30 * Hash01(k, 1, 9), 40, {50, 100, 50});
  return c;
}

Canvas MessageLayer() {  // behind the message frame: the kingdom at dusk
  Canvas c(kW, kH);
  c.VerticalGradient(0, kH, {25, 30, 70}, {90, 60, 80});
  Stars(c, 300, 300, 4);
  Hills(c, 380, 40, {40, 45, 60}, {20, 22, 35}, 8);
  Castle(c, 560, 395, 1.2, {55, 55, 75});
  return c;
}

Canvas Battlefield(int kind) {
  Canvas c(kW, kH);
  switch (kind) {
    case 0:  // open field (every field without a picture of its own): the battle's white numbers
             // and messages stand on a deep blue sky that pales only towards the horizon
      c.VerticalGradient(0, 420, {35, 70, 135}, {170, 200, 230});
      Hills(c, 290, 20, {120, 175, 80}, {85, 140, 55}, 21);
      break;
    case 1:  // forest
      c.VerticalGradient(0, 420, {60, 90, 70}, {110, 140, 100});
      Hills(c, 300, 15, {60, 100, 50}, {35, 65, 30}, 22);
      for (int k = 0; k < 22; ++k) Tree(c, k * 38 + 12 * Hash01(k, 0, 2), 300 + 20 * Hash01(k, 1, 2), 120 + 60 * Hash01(k, 2, 2), {35, 80, 40});
      break;
    case 2:  // cave
    case 6:  // deep cave
      c.VerticalGradient(0, kH, kind == 2 ? Rgb{60, 50, 45} : Rgb{35, 45, 70}, kind == 2 ? Rgb{30, 25, 20} : Rgb{15, 20, 35});
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) c.Blend(x, y, {0, 0, 0}, 0.5 * Noise(x, y, 50, 30 + kind));
      c.FillEllipse(400, 260, 140, 110, {10, 8, 8});
      if (kind == 6)
        for (int k = 0; k < 12; ++k) {
          const double x = 60 + k * 62, y = 420 + 60 * Hash01(k, 0, 6);
          c.FillPolygon({x - 12, y, x, y - 50 - 30 * Hash01(k, 1, 6), x + 12, y}, {90, 170, 210});
        }
      Hills(c, 470, 15, kind == 2 ? Rgb{90, 75, 60} : Rgb{60, 70, 95}, {30, 28, 30}, 31 + kind);
      break;
    case 3:  // mansion at night
      c.VerticalGradient(0, 420, {30, 20, 50}, {80, 50, 90});
      Stars(c, 150, 250, 12);
      c.FillCircle(650, 90, 40, {240, 235, 200});
      c.FillRect(180, 140, 440, 200, {50, 40, 55});
      c.FillPolygon({160, 140, 400, 60, 640, 140}, {70, 35, 45});
      // The windows sit below the battle's message so that its white text never crosses a lit one.
      for (int k = 0; k < 6; ++k) c.FillRect(210 + k * 70, 262, 30, 45, k % 2 ? Rgb{220, 190, 90} : Rgb{30, 25, 35});
      Hills(c, 330, 8, {60, 70, 50}, {30, 35, 25}, 13);
      break;
    case 4:  // pond at sunset: the battle's white numbers stand at the top of the sky
      c.VerticalGradient(0, 420, {60, 85, 140}, {215, 175, 140});
      Hills(c, 270, 25, {100, 150, 80}, {70, 120, 60}, 14);
      c.FillEllipse(400, 470, 330, 90, {60, 110, 160});
      for (int y = 390; y < 560; y += 9) c.Line(180 + (y % 37), y, 300 + (y % 53), y, 1, {120, 170, 210});
      for (int k = 0; k < 20; ++k) c.Line(40 + k * 38, 600, 45 + k * 38, 520 - 30 * Hash01(k, 0, 15), 3, {70, 110, 50});
      break;
    default:  // tower
      // A storm sky, dark enough for the battle's white text; the door below the message.
      c.VerticalGradient(0, kH, {45, 45, 65}, {120, 115, 120});
      for (int y = 0; y < 400; ++y)
        for (int x = 0; x < kW; ++x) c.Blend(x, y, {150, 150, 165}, 0.35 * Noise(x, y, 90, 16));
      c.FillRect(300, 20, 200, 380, {100, 95, 100});
      for (int y = 40; y < 400; y += 24) c.Line(300, y, 500, y, 1, {75, 70, 75});
      c.FillEllipse(400, 320, 30, 45, {30, 25, 30});
      Hills(c, 390, 10, {110, 105, 95}, {70, 65, 60}, 17);
      break;
  }
  return c;
}

Canvas Title() {  // the title window: a castle under the stars; the buttons sit on the left
  Canvas c(500, 320);
  c.VerticalGradient(0, 320, {15, 20, 55}, {90, 70, 110});
  Stars(c, 160, 200, 40);
  c.FillCircle(420, 60, 26, {245, 240, 210});
  c.FillCircle(430, 54, 22, {40, 40, 85});
  Hills(c, 250, 20, {40, 50, 60}, {15, 18, 25}, 41);
  Castle(c, 300, 262, 1.1, {45, 45, 70});
  return c;
}

Canvas Panel(int w, int h, Rgb face, Rgb edge) {
  Canvas c(w, h, edge);
  for (int y = 2; y < h - 2; ++y)
    for (int x = 2; x < w - 2; ++x) c.Set(x, y, Mix(face, {255, 255, 255}, 0.35 * (1.0 - static_cast<double>(y) / h)));
  return c;
}

Canvas MessageFrame() {  // laid over the message layer; white would be see-through, so none is used
  Canvas c(400, 230, {120, 85, 30});
  for (int y = 4; y < 226; ++y)
    for (int x = 4; x < 396; ++x) c.Set(x, y, Mix({250, 240, 215}, {225, 205, 165}, 0.6 * Noise(x, y, 60, 50)));
  for (int k = 0; k < 4; ++k) c.FillCircle(k % 2 ? 392 : 8, k / 2 ? 222 : 8, 6, {200, 160, 60});
  return c;
}

Canvas SliderKnob(bool mask) {  // the quantity slider's knob (white ground) and its mask (white knob)
  Canvas c(50, 34, mask ? Rgb{0, 0, 0} : Rgb{255, 255, 255});
  const Rgb face = mask ? Rgb{255, 255, 255} : Rgb{215, 190, 120};
  c.FillEllipse(25, 17, 24, 16, face);
  if (!mask) c.FillEllipse(25, 17, 21, 13, {240, 225, 170});
  return c;
}

// The slider's track carries its caption across its whole height: a shaded strip without edge
// lines for the letters to run into. As wide as the widest track (the 430-wide slider's 396), so
// that it is whole at its own size wherever the slider stands.
Canvas SliderTrack() {
  constexpr int kWidth = 396;
  Canvas c(kWidth, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < kWidth; ++x) c.Set(x, y, Mix({235, 222, 185}, {200, 182, 135}, y / 15.0));
  return c;
}

Canvas ScrollThumb() {
  Canvas c(16, 480);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 16; ++x) c.Set(x, y, Mix({230, 200, 110}, {140, 100, 40}, std::abs(x - 7.5) / 8));
  return c;
}

}  // namespace

std::vector<AssetFile> Pictures() {
  std::vector<AssetFile> files;
  auto jpg = [&files](const char* name, const Canvas& c) { files.push_back({"image", name, c.Jpeg(90)}); };
  auto bmp = [&files](const char* name, const Canvas& c) { files.push_back({"image", name, c.Bmp()}); };
  jpg("a001.jpg", Backdrop());
  jpg("a006.jpg", MessageLayer());
  jpg("BattleField.jpg", Battlefield(0));
  const char* nests[] = {"nest1.jpg", "nest2.jpg", "nest3.jpg", "nest4.jpg", "nest5.jpg", "nest6.jpg"};
  for (int k = 0; k < 6; ++k) jpg(nests[k], Battlefield(k + 1));
  bmp("unit.bmp", UnitSheet());
  const char* monsters[] = {"monster1.bmp", "monster2.bmp", "monster3.bmp", "monster4.bmp"};
  for (int t = 1; t <= 4; ++t) bmp(monsters[t - 1], MonsterSheet(t));
  bmp("battleeffect.bmp", EffectSheet());
  bmp("status.bmp", StatusSheet());
  bmp("msgimage2.bmp", MessageFrame());
  bmp("title.bmp", Title());
  bmp("menuback.bmp", Panel(90, 32, {200, 170, 100}, {110, 80, 30}));
  // Mid-toned, so that both the black caption and the white one under the mouse read on it.
  bmp("submenuimage1.bmp", Panel(90, 28, {135, 100, 55}, {80, 55, 25}));
  bmp("submenuback2.bmp", Panel(100, 200, {90, 70, 45}, {60, 45, 25}));
  bmp("gridscroll.bmp", ScrollThumb());
  bmp("sdimage.bmp", SliderKnob(false));
  bmp("sdmask.bmp", SliderKnob(true));
  bmp("sliderbottomline.bmp", SliderTrack());
  return files;
}
