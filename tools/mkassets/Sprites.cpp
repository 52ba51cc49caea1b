/** @file Sprites.cpp The battle's sprite sheets: army figures, monsters, effects and status icons, drawn by code. */
#include <algorithm>
#include <cmath>

#include "Assets.h"

namespace {

constexpr Rgb kKey = {255, 255, 255};  // the white ground of a sprite cell; figures never use it
constexpr Rgb kBlack = {0, 0, 0};

/// Moves a drawn cell into a sheet: the mask at (mx, my), the image at (ix, iy).
void PutSprite(Canvas& sheet, const Canvas& cell, int mx, int my, int ix, int iy) {
  for (int y = 0; y < cell.Height(); ++y)
    for (int x = 0; x < cell.Width(); ++x) {
      const Rgb c = cell.Get(x, y);
      sheet.Set(mx + x, my + y, c == kKey ? kBlack : kKey);
      sheet.Set(ix + x, iy + y, c);
    }
}

Rgb Safe(Rgb c) { return c == kKey ? Rgb{250, 250, 250} : c; }

/// Draws in a 48 x 64 design space scaled to the cell, mirrored for figures that face left.
struct Pen {
  Canvas& c;
  bool mirror;
  double sx, sy;
  Pen(Canvas& canvas, bool faceLeft) : c(canvas), mirror(faceLeft), sx(canvas.Width() / 48.0), sy(canvas.Height() / 64.0) {}
  double X(double x) const { return (mirror ? 48 - x : x) * sx; }
  double Y(double y) const { return y * sy; }
  void Ellipse(double x, double y, double rx, double ry, Rgb col) { c.FillEllipse(X(x), Y(y), rx * sx, ry * sy, Safe(col)); }
  void Line(double x0, double y0, double x1, double y1, double t, Rgb col) {
    c.Line(X(x0), Y(y0), X(x1), Y(y1), t * std::min(sx, sy), Safe(col));
  }
  void Poly(std::vector<double> p, Rgb col) {
    for (size_t i = 0; i < p.size(); i += 2) p[i] = X(p[i]), p[i + 1] = Y(p[i + 1]);
    c.FillPolygon(p, Safe(col));
  }
  void Rect(double x, double y, double w, double h, Rgb col) { Poly({x, y, x + w, y, x + w, y + h, x, y + h}, col); }
};

// ---- The player's army: 48 x 64 figures facing right.

void Legs(Pen& p, double hipY, int frame, Rgb col) {
  const double swing = frame == 2 ? 4 : frame == 3 ? -4 : 0;
  p.Line(20, hipY, 20 - swing, 60, 3, col);
  p.Line(25, hipY, 25 + swing, 60, 3, col);
  p.Ellipse(20 - swing, 61, 3, 1.5, {60, 40, 30});
  p.Ellipse(25 + swing, 61, 3, 1.5, {60, 40, 30});
}

void Soldier(Pen& p, double top, Rgb tunic) {
  p.Rect(16, top + 21, 13, 19, tunic);
  p.Rect(16, top + 36, 13, 3, {110, 80, 40});
  p.Ellipse(22.5, top + 14, 6, 6, {240, 200, 160});
  p.Poly({16, top + 13, 22.5, top + 5, 29, top + 13}, {150, 150, 170});
  p.Ellipse(26, top + 14, 1, 1, {30, 30, 30});
}

Canvas ArmyFigure(int column, int frame) {
  Canvas cell(48, 64, kKey);
  Pen p(cell, false);
  const Rgb steel = {200, 200, 215}, wood = {130, 90, 50}, tunic = {40, 70, 170};
  if (column == 3) {  // rider: the horse under a smaller soldier
    const double step = frame == 2 ? 3 : frame == 3 ? -3 : 0;
    const Rgb horse = {120, 80, 40};
    for (double lx : {12.0, 18.0, 30.0, 36.0}) p.Line(lx, 46, lx + (lx < 24 ? step : -step), 62, 3, {90, 60, 30});
    p.Ellipse(24, 44, 16, 7, horse);
    p.Line(37, 42, 43, 32, 5, horse);
    p.Ellipse(44, 31, 4, 3, horse);
    p.Line(8, 42, 3, 50, 2, {60, 40, 20});
    p.Rect(18, 24, 10, 14, tunic);
    p.Ellipse(23, 18, 5, 5, {240, 200, 160});
    p.Poly({18, 17, 23, 10, 28, 17}, {150, 150, 170});
    p.Line(26, 32, 47, 22, 2, wood);
    p.Poly({44, 21, 47, 19, 47, 24}, steel);
    return cell;
  }
  Legs(p, 40, column == 4 ? 1 : frame, {70, 60, 50});  // archers stand still
  Soldier(p, 0, column == 4 ? Rgb{40, 120, 60} : tunic);
  if (column == 1) {  // sword and shield
    const double lift = frame == 2 ? -4 : frame == 3 ? 4 : 0;
    p.Line(29, 30, 41, 16 + lift, 2.5, steel);
    p.Line(27, 31, 31, 28, 3, {100, 70, 30});
    p.Ellipse(15, 30, 4, 7, {150, 40, 30});
  } else if (column == 2) {  // spear
    const double thrust = frame == 2 ? 3 : frame == 3 ? -2 : 0;
    p.Line(22 + thrust, 44, 44 + thrust, 6, 2, wood);
    p.Poly({42 + thrust, 10, 47 + thrust, 1, 45.5 + thrust, 11}, steel);
  } else {  // bow: the string is drawn back over the volley's frames, let go on the fifth
    static const double pull[] = {0, 0, 3, 6, 9, 0, 0};
    const double d = pull[std::clamp(frame, 1, 6)];
    const double bx = 34, by = 28, r = 13;
    for (int a = -60; a < 60; a += 6) {
      const double t0 = a * M_PI / 180, t1 = (a + 6) * M_PI / 180;
      p.Line(bx + r * std::cos(t0) - 8, by + r * std::sin(t0), bx + r * std::cos(t1) - 8, by + r * std::sin(t1), 2, wood);
    }
    const double ex = bx + r * std::cos(M_PI / 3) - 8;
    p.Line(ex, by - r * std::sin(M_PI / 3), ex - d, by, 1, {90, 90, 90});
    p.Line(ex - d, by, ex, by + r * std::sin(M_PI / 3), 1, {90, 90, 90});
    if (frame >= 2 && frame <= 4) p.Line(ex - d, by, bx + r - 4, by, 1.5, {150, 110, 60});
  }
  return cell;
}

// ---- Monsters: facing left, drawn in the 48 x 64 design space.

enum class Kind { Humanoid, Blob, Beast, Plant, Ghost, Golem, Bird, Hydra, Kraken, Wizard, Fairy };

struct Palette {
  Rgb body, dark, eye;
};

void Creature(Canvas& cell, Kind kind, const Palette& pal, int frame) {
  Pen p(cell, true);
  const double bob = frame == 2 ? -1.5 : frame == 3 ? 1.5 : 0;
  const Rgb eye = pal.eye;
  switch (kind) {
    case Kind::Humanoid:
      Legs(p, 42, frame, pal.dark);
      p.Ellipse(23, 32 + bob, 8, 11, pal.body);
      p.Ellipse(23, 17 + bob, 7, 7, pal.body);
      p.Ellipse(27, 15 + bob, 1.5, 1.5, eye);
      p.Line(30, 30 + bob, 40, 22 + bob * 2, 3, pal.dark);
      p.Ellipse(41, 20 + bob * 2, 3, 4, pal.dark);
      break;
    case Kind::Blob:
      p.Ellipse(24, 50 + bob, 18 + bob, 12 - bob, pal.body);
      p.Ellipse(24, 44 + bob, 12, 10, pal.body);
      p.Ellipse(20, 43 + bob, 4, 5, pal.dark);
      p.Ellipse(29, 44 + bob, 2, 2, eye);
      p.Ellipse(34, 44 + bob, 2, 2, eye);
      break;
    case Kind::Beast: {
      const double step = frame == 2 ? 3 : frame == 3 ? -3 : 0;
      for (double lx : {12.0, 18.0, 30.0, 36.0}) p.Line(lx, 48, lx + (lx < 24 ? step : -step), 62, 3, pal.dark);
      p.Ellipse(24, 46 + bob, 16, 8, pal.body);
      p.Ellipse(41, 40 + bob, 6, 5, pal.body);
      p.Poly({38, 36 + bob, 40, 29 + bob, 43, 36 + bob}, pal.dark);
      p.Ellipse(43, 39 + bob, 1.5, 1.5, eye);
      p.Line(8, 44, 2, 38 - bob, 2, pal.dark);
      break;
    }
    case Kind::Plant:
      p.Line(24, 62, 24 + bob, 34, 4, {60, 120, 40});
      p.Ellipse(16, 52, 7, 3, {60, 140, 40});
      p.Ellipse(32, 50, 7, 3, {60, 140, 40});
      p.Ellipse(25 + bob, 26, 12, 10, pal.body);
      p.Poly({30 + bob, 26, 38 + bob, 20 - bob, 38 + bob, 32 + bob}, pal.dark);
      p.Ellipse(27 + bob, 22, 2, 2, eye);
      break;
    case Kind::Ghost:
      p.Poly({12, 58 + bob, 16, 20, 24, 10 + bob, 32, 20, 36, 58 + bob, 30, 52, 24, 58 + bob, 18, 52}, pal.body);
      p.Ellipse(21, 24 + bob, 2.5, 3.5, eye);
      p.Ellipse(28, 24 + bob, 2.5, 3.5, eye);
      p.Ellipse(25, 33 + bob, 3, 2, pal.dark);
      break;
    case Kind::Golem:
      Legs(p, 44, frame, pal.dark);
      p.Rect(11, 22 + bob, 26, 24, pal.body);
      p.Rect(17, 8 + bob, 14, 13, pal.body);
      p.Rect(6, 24 + bob, 5, 18, pal.dark);
      p.Rect(37, 24 + bob, 5, 18, pal.dark);
      p.Rect(25, 12 + bob, 3, 3, eye);
      break;
    case Kind::Bird: {
      const double wing = frame == 2 ? -8 : frame == 3 ? 6 : 0;
      p.Ellipse(24, 38 + bob, 10, 12, pal.body);
      p.Poly({18, 32, 2, 20 + wing, 8, 40}, pal.dark);
      p.Poly({30, 32, 46, 20 + wing, 40, 40}, pal.dark);
      p.Ellipse(24, 22 + bob, 6, 6, pal.body);
      p.Poly({29, 22 + bob, 34, 24 + bob, 29, 26 + bob}, {230, 180, 40});
      p.Ellipse(26, 21 + bob, 1.5, 1.5, eye);
      p.Line(20, 50, 18, 60, 2, pal.dark);
      p.Line(28, 50, 30, 60, 2, pal.dark);
      break;
    }
    case Kind::Hydra:
      p.Ellipse(22, 52, 16, 10, pal.body);
      for (int h = 0; h < 3; ++h) {
        const double hx = 14 + h * 10, hy = 14 + (h % 2) * 8 + bob * (h - 1);
        p.Line(18 + h * 4, 46, hx, hy, 4, pal.body);
        p.Ellipse(hx + 2, hy, 5, 3.5, pal.dark);
        p.Ellipse(hx + 4, hy - 1, 1, 1, eye);
      }
      break;
    case Kind::Kraken:
      for (int t = 0; t < 5; ++t) {
        const double tx = 6 + t * 9;
        p.Line(tx + 4, 40, tx + std::sin(t + frame) * 4, 62, 3, pal.dark);
      }
      p.Ellipse(24, 28 + bob, 15, 16, pal.body);
      p.Ellipse(19, 30 + bob, 3, 3, eye);
      p.Ellipse(29, 30 + bob, 3, 3, eye);
      break;
    case Kind::Wizard:
      p.Poly({10, 62, 24, 16 + bob, 38, 62}, pal.body);
      p.Ellipse(24, 16 + bob, 7, 7, {220, 190, 160});
      p.Poly({15, 12 + bob, 24, -2 + bob, 33, 12 + bob}, pal.dark);
      p.Ellipse(27, 16 + bob, 1.5, 1.5, eye);
      p.Line(36, 60, 42, 10, 2, {110, 80, 40});
      p.Ellipse(42, 9, 3, 3, {120, 220, 255});
      break;
    case Kind::Fairy: {
      const double wing = frame == 2 ? 4 : 0;
      p.Ellipse(14, 26, 10, 14 + wing, {200, 230, 250});
      p.Ellipse(34, 26, 10, 14 + wing, {200, 230, 250});
      p.Poly({16, 62, 24, 24 + bob, 32, 62}, pal.body);
      p.Ellipse(24, 18 + bob, 6, 6, {245, 215, 190});
      p.Poly({18, 12 + bob, 21, 6 + bob, 24, 11 + bob, 27, 6 + bob, 30, 12 + bob}, {240, 200, 40});
      p.Ellipse(27, 18 + bob, 1.2, 1.2, eye);
      break;
    }
  }
}

const Palette kPalettes[] = {
    {{70, 150, 60}, {40, 90, 35}, {230, 40, 30}},    // green
    {{170, 170, 160}, {100, 100, 95}, {220, 30, 30}},  // bone and stone
    {{140, 70, 50}, {80, 40, 30}, {250, 220, 40}},    // brown and red
    {{240, 120, 40}, {60, 150, 220}, {40, 20, 90}},   // the elements
};

Kind MonsterKind(int table, int row, int col) {
  static const Kind t1[] = {Kind::Humanoid, Kind::Blob, Kind::Beast, Kind::Plant};
  static const Kind t2[3][4] = {{Kind::Humanoid, Kind::Humanoid, Kind::Golem, Kind::Beast},
                                {Kind::Humanoid, Kind::Humanoid, Kind::Beast, Kind::Beast},
                                {Kind::Golem, Kind::Humanoid, Kind::Ghost, Kind::Bird}};
  static const Kind t3[] = {Kind::Humanoid, Kind::Ghost, Kind::Golem, Kind::Bird};
  static const Kind t4[] = {Kind::Kraken, Kind::Hydra, Kind::Wizard, Kind::Fairy};
  switch (table) {
    case 1: return t1[col - 1];  // the rows of sheet 1 share one mask per figure: only colours differ
    case 2: return t2[row - 1][col - 1];
    case 3: return t3[col - 1];
    default: return t4[col - 1];
  }
}

}  // namespace

Canvas UnitSheet() {
  // Frame i of class column c at x = 48 * ((c - 1) * 3 + i - 1): masks on row 0, images on row 64.
  Canvas sheet(48 * 15, 128, kBlack);
  for (int c = 1; c <= 4; ++c)
    for (int i = 1; i <= (c == 4 ? 6 : 3); ++i) {
      const int x = 48 * ((c - 1) * 3 + i - 1);
      PutSprite(sheet, ArmyFigure(c, i), x, 0, x, 64);
    }
  return sheet;
}

Canvas MonsterSheet(int table) {
  const int w = table == 4 ? 105 : 48, h = table == 4 ? 85 : 64;
  if (table >= 3) {  // one frame per column, mask at top 0, image at top H
    Canvas sheet(w * 4, h * 2, kBlack);
    for (int c = 1; c <= 4; ++c) {
      Canvas cell(w, h, kKey);
      Creature(cell, MonsterKind(table, 1, c), kPalettes[(c + table) % 4], 1);
      PutSprite(sheet, cell, w * (c - 1), 0, w * (c - 1), h);
    }
    return sheet;
  }
  const int rows = table == 1 ? 4 : 3;
  Canvas sheet(w * 12, table == 1 ? h * (rows + 1) : 2 * h * rows, kBlack);
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= 4; ++c)
      for (int i = 1; i <= 3; ++i) {
        Canvas cell(w, h, kKey);
        Creature(cell, MonsterKind(table, r, c), kPalettes[(r - 1 + (table == 2 ? c : 0)) % 4], i);
        const int x = w * ((c - 1) * 3 + i - 1);
        if (table == 1)
          PutSprite(sheet, cell, x, 0, x, h * r);
        else
          PutSprite(sheet, cell, x, (r - 1) * 2 * h, x, (r - 1) * 2 * h + h);
      }
  return sheet;
}

namespace {

Canvas FireFrame(int f) {
  Canvas cell(128, 128, kKey);
  const double size = 16 + 32 * std::sin(M_PI * f / 9.0), fade = f <= 6 ? 1.0 : (9 - f) / 3.0;
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      const double dx = (x - 64) / size, dy = (y - 84) / (size * 1.5);
      const double d = std::sqrt(dx * dx + (dy < 0 ? dy * dy * 0.6 : dy * dy * 2.5));
      const double n = Noise(x, y + f * 12, 10, 7 + f);
      const double heat = (1.0 - d) * fade + (n - 0.5) * 0.6;
      if (heat <= 0.05) continue;
      cell.Set(x, y, Safe(heat > 0.7 ? Rgb{255, 240, 120} : heat > 0.4 ? Rgb{255, 160, 30} : Rgb{220, 50, 20}));
    }
  return cell;
}

Canvas IceFrame(int f) {
  Canvas cell(96, 96, kKey);
  for (int k = 0; k < std::min(f + 1, 7); ++k) {
    const double a = k * 2.4 + 0.3, r = 10 + 22 * Hash01(k, 1, 3);
    const double cx = 48 + r * std::cos(a), cy = 48 + r * std::sin(a);
    const double s = (f <= 6 ? 4 + f * 2.0 : 16 - (f - 6) * 4.0) * (0.7 + 0.6 * Hash01(k, 2, 3));
    cell.FillPolygon({cx, cy - s * 1.6, cx + s * 0.6, cy, cx, cy + s * 1.6, cx - s * 0.6, cy}, {120, 200, 245});
    cell.FillPolygon({cx, cy - s * 1.2, cx + s * 0.25, cy, cx, cy + s * 0.4, cx - s * 0.25, cy}, {225, 245, 255});
  }
  return cell;
}

Canvas ThunderFrame(int f) {
  Canvas cell(64, 240, kKey);
  if (f == 8) return cell;  // the bolt is gone
  double x = 32, y = 0;
  const double width = f <= 2 ? 2 + f : f >= 6 ? 9 - f : 5;
  while (y < 240) {
    const double nx = std::clamp(x + (Hash01(static_cast<int>(y), f, 11) - 0.5) * 28, 6.0, 58.0), ny = y + 18;
    cell.Line(x, y, nx, ny, width + 3, {250, 220, 60});
    cell.Line(x, y, nx, ny, width, {255, 252, 200});
    x = nx, y = ny;
  }
  return cell;
}

Canvas ArrowFrame(int f, bool toRight) {
  Canvas cell(96, 96, kKey);
  for (int k = 0; k < 4; ++k) {
    const double head = (f - 1) * 12 + 10 + k * 6 - (k % 2) * 10, y = 18 + k * 20 + (f - 1) * 1.5;
    if (head < 8 || head > 100) continue;
    const double hx = toRight ? head : 96 - head, dir = toRight ? 1 : -1;
    cell.Line(hx - dir * 22, y - 4, hx, y, 2, {120, 85, 45});
    cell.FillPolygon({hx + dir * 4, y + 1, hx - dir * 3, y - 4, hx - dir * 2, y + 4}, {90, 90, 100});
    cell.Line(hx - dir * 22, y - 4, hx - dir * 26, y - 8, 2, {200, 40, 40});
  }
  return cell;
}

Canvas StrikeFrame(int f, int kind) {
  Canvas cell(48, 48, kKey);
  if (f == 8) return cell;
  const Rgb colour = kind == 0 ? Rgb{200, 30, 30} : kind == 1 ? Rgb{255, 230, 90} : Rgb{170, 80, 220};
  const double reach = std::min(1.0, f / 4.0), fade = f <= 4 ? 1.0 : (8 - f) / 4.0;
  if (kind == 0) {  // three claw marks
    for (int k = 0; k < 3; ++k) {
      const double x0 = 10 + k * 10;
      cell.Line(x0, 6, x0 + 14 * reach, 6 + 34 * reach, 2 + 2 * fade, colour);
    }
  } else {  // one slash
    for (double a = 0; a < reach * M_PI * 0.8; a += 0.05) {
      const double x = 24 + 20 * std::cos(a + 2.6), y = 24 + 20 * std::sin(a + 2.6) * -1;
      cell.FillCircle(x, y, 1 + 2.5 * fade, colour);
    }
  }
  return cell;
}

}  // namespace

Canvas EffectSheet() {
  Canvas sheet(1152, 1312, kBlack);
  auto strip = [&sheet](int x0, int y0, int w, int h, auto frame) {
    for (int f = 1; f <= 8; ++f) PutSprite(sheet, frame(f), x0 + (f - 1) * w, y0, x0 + (f - 1) * w, y0 + h);
  };
  strip(0, 576, 128, 128, FireFrame);
  strip(384, 384, 96, 96, IceFrame);
  strip(0, 832, 64, 240, ThunderFrame);
  strip(384, 0, 96, 96, [](int f) { return ArrowFrame(f, true); });
  strip(384, 192, 96, 96, [](int f) { return ArrowFrame(f, false); });
  for (int kind = 0; kind < 3; ++kind) strip(0, kind * 96, 48, 48, [kind](int f) { return StrikeFrame(f, kind); });
  return sheet;
}

Canvas StatusSheet() {
  Canvas sheet(140, 40, kBlack);
  for (int k = 0; k < 7; ++k) {
    Canvas cell(20, 20, kKey);
    switch (k) {
      case 0:
      case 1: {  // poison and strong poison: a drop
        const Rgb c = k == 0 ? Rgb{60, 170, 60} : Rgb{130, 40, 160};
        cell.FillPolygon({10, 1, 15, 11, 5, 11}, c);
        cell.FillCircle(10, 13, 5.5, c);
        cell.FillCircle(8, 12, 1.5, {200, 240, 200});
        break;
      }
      case 2:  // blindness: a struck-out eye
        cell.FillEllipse(10, 10, 9, 5, {60, 60, 70});
        cell.FillCircle(10, 10, 3, {230, 230, 240});
        cell.Line(3, 17, 17, 3, 2, {200, 30, 30});
        break;
      case 3:  // sleep
        cell.Line(4, 5, 14, 5, 2, {60, 90, 200});
        cell.Line(14, 5, 4, 15, 2, {60, 90, 200});
        cell.Line(4, 15, 15, 15, 2, {60, 90, 200});
        break;
      case 4:  // paralysis: a spark
        cell.FillPolygon({11, 1, 4, 11, 10, 11, 8, 19, 16, 8, 10, 8}, {230, 200, 20});
        break;
      case 5:  // confusion: a spiral
        for (double a = 0; a < 4 * M_PI; a += 0.1) cell.FillCircle(10 + a * 0.7 * std::cos(a), 10 + a * 0.7 * std::sin(a), 1, {220, 120, 30});
        break;
      default:  // charm: a heart
        cell.FillCircle(6.5, 7.5, 4.5, {230, 60, 120});
        cell.FillCircle(13.5, 7.5, 4.5, {230, 60, 120});
        cell.FillPolygon({2.2, 9, 17.8, 9, 10, 18.5}, {230, 60, 120});
        break;
    }
    PutSprite(sheet, cell, k * 20, 0, k * 20, 20);
  }
  return sheet;
}
