/** @file BattleScreen.cpp Drawing a battle: formation, advance, volley, impacts and the status panel. */
#include "mainscreen/BattleScreen.h"

#include <algorithm>

#include "army/clsBattle.h"
#include "army/clsUnitver2.h"
#include "controls/ctrGraphicalLabel.h"
#include "controls/ctrGraphicalLabelEX.h"
#include "controls/ctrGraphicalLabelLite.h"
#include "platform/Text.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"

namespace {

const std::string kArcher = "アーチャー";
const std::string kRider = "ライダー";
constexpr int kFieldW = 800, kFieldH = 600;

Formation Layout(const clsUnitver2& u, int side, int k, int m) {
  Formation f;
  if (u.Soldiers() <= 0) return f;
  const int w = u.ImageUnitWidth(), t = u.ImageUnitTopMove(), l = u.ImageUnitLeftMove();
  for (int c = 1; c <= u.ImageUnitCols(); ++c) {
    const int n = u.ImageUnitRows(c);
    int x = 380 + 220 * side + side * (c - 1) * (w + 2);
    if (n < 4) x += side * (20 - (n / 2) * 10);  // short columns stand further back
    int y = 410 - (n / 2) * t;
    x -= side * 20 * k;
    std::vector<plat::Point> column;
    for (int j = 0, o = -(n / 2); j < n; ++j, ++o) {
      column.push_back({m > 0 ? rt::CLng(x + (o * 20.0 / m) * k * -side) : x, y});
      y += t;
      x += side * l;
    }
    f.push_back(std::move(column));
  }
  return f;
}

/// The attack's frame list: one frame for a figure that has only one, else the walk 1, 2, 3.
std::array<int, 3> FrameList(const clsUnitver2& u) {
  if (u.ImageNum() == 1) return {1, 1, 1};
  return {1, 2, 3};
}

struct Strip {
  int x0, y0, w, h;
};

Strip ElementStrip(const std::string& material) {
  if (material == "炎") return {0, 576, 128, 128};
  if (material == "氷") return {384, 384, 96, 96};
  if (material == "雷") return {0, 832, 64, 240};
  return {0, 0, 0, 0};
}

/// Icon x in the status sheet, or -1 for no icon.
int PoisonIcon(const std::string& s) { return s == "毒" ? 0 : s == "猛毒" ? 20 : -1; }
int AbnormalIcon(const std::string& s) {
  if (s == "睡眠") return 60;
  if (s == "麻痺") return 80;
  if (s == "混乱") return 100;
  if (s == "魅了") return 120;
  return -1;
}

int PhysicalColour(int v) { return v < 25 ? 2 : v < 50 ? 108 : 5; }

}  // namespace

Formation StandingFormation(const clsUnitver2& unit, int side) { return Layout(unit, side, 0, 0); }

Formation AdvanceFormation(const clsUnitver2& unit, int side, int k, int m) { return Layout(unit, side, k, m); }

int StandingFrame(const clsUnitver2& unit, int side) {
  if (side == kLeftSide) return unit.UnitClass() == kArcher ? 1 : 2;
  return unit.UnitName() == "スライム" || unit.ImageNum() == 1 ? 1 : 2;
}

std::array<GaugeReading, 8> StatusGauges(const BattleStatusView& view) {
  std::array<GaugeReading, 8> g;
  const BattlePartyStatus* parties[2] = {&view.Party1, &view.Party2};
  for (int p = 0; p < 2; ++p) {
    const BattlePartyStatus& s = *parties[p];
    // A gauge of 100 takes nothing outside 0..100 (a fast unit's counter, a poisoned one's
    // strength); the soldiers' gauge needs a scale even for a party that started with none.
    const int max = std::clamp(s.SoldierMax, 1, 32767);
    g[p * 4 + 0] = {.First = std::clamp(s.Physical, 0, 100), .Colour = PhysicalColour(s.Physical)};
    g[p * 4 + 1] = {.First = std::clamp(s.Tiredness, 0, 100)};
    g[p * 4 + 2] = {.First = std::clamp(s.Soldiers, 0, max),
                    .Second = std::clamp(s.Injury, 0, max),
                    .Third = std::clamp(s.SeriousInjury, 0, max),
                    .Fourth = std::clamp(s.Dead, 0, max),
                    .Max = max};
    g[p * 4 + 3] = {.First = std::clamp(s.Counter, 0, 100)};
  }
  return g;
}

BattleScreen::BattleScreen(clsBattle& battle, const BattlePictures& pictures, const BattleControls& controls)
    : battle_(battle), pics_(pictures), controls_(controls) {
  const auto& b = controls_.Buttons;
  if (b[0]) b[0]->Click = [&battle] { battle.Item1_Click(); };
  if (b[1]) b[1]->Click = [&battle] { battle.Item2_Click(); };
  if (b[2]) b[2]->Click = [&battle] { battle.Retreat_Click(); };
  if (b[0]) b[0]->MouseMove = [&battle](const plat::MouseEvent&) { battle.Item1_MouseMove(); };
  if (b[1]) b[1]->MouseMove = [&battle](const plat::MouseEvent&) { battle.Item2_MouseMove(); };
  if (b[2]) b[2]->MouseMove = [&battle](const plat::MouseEvent&) { battle.Retreat_MouseMove(); };
  pics_.Display->MouseMove = [&battle](const plat::MouseEvent&) { battle.Battlefield_MouseMove(); };
}

plat::Surface& BattleScreen::Dest() { return pics_.Display->Image(); }

const plat::Surface* BattleScreen::SheetOf(const clsUnitver2& unit, int side) const {
  if (side == kLeftSide) return pics_.Unit;
  const int table = unit.ImageTable();
  return table >= 1 && table <= 4 ? pics_.Monster[table - 1] : nullptr;  // no sheet: not drawn
}

void BattleScreen::Record(BattleBlit b) {
  if (!Trace) return;
  b.ms = rt::Clock().NowMs();
  Trace->push_back(std::move(b));
}

void BattleScreen::Clear() {
  plat::Surface& d = Dest();
  plat::BitBlt(d, 0, 0, d.Width(), d.Height(), *pics_.WS, 0, 0);
  Record({.kind = BattleBlit::Copy, .w = d.Width(), .h = d.Height(), .src = pics_.WS});
}

void BattleScreen::Snapshot() {
  plat::BitBlt(*pics_.TMP, 0, 0, pics_.TMP->Width(), pics_.TMP->Height(), Dest(), 0, 0);
}

void BattleScreen::Restore() {
  plat::Surface& d = Dest();
  plat::BitBlt(d, 0, 0, d.Width(), d.Height(), *pics_.TMP, 0, 0);
  Record({.kind = BattleBlit::Copy, .w = d.Width(), .h = d.Height(), .src = pics_.TMP});
}

void BattleScreen::Refresh() {
  pics_.Display->Refresh();
  Record({.kind = BattleBlit::Refresh});
}

void BattleScreen::Masked(int x, int y, int w, int h, const plat::Surface* src, int mx, int my, int ix, int iy) {
  if (!src || w <= 0 || h <= 0) return;
  plat::Surface& d = Dest();
  plat::BitBlt(d, x, y, w, h, *src, mx, my, plat::Rop::Paint);
  plat::BitBlt(d, x, y, w, h, *src, ix, iy, plat::Rop::And);
  Record({.kind = BattleBlit::Mask, .x = x, .y = y, .w = w, .h = h, .src = src, .sx = mx, .sy = my});
  Record({.kind = BattleBlit::Image, .x = x, .y = y, .w = w, .h = h, .src = src, .sx = ix, .sy = iy});
}

void BattleScreen::Figures(const clsUnitver2& unit, int side, const Formation& f, int frame) {
  const plat::Surface* sheet = SheetOf(unit, side);
  const int w = unit.ImageUnitWidth(), h = unit.ImageUnitHeight();
  for (const auto& column : f)
    for (const plat::Point& p : column)
      Masked(p.x, p.y, w, h, sheet, unit.MaskImageLeft(frame), unit.MaskImageTop(frame), unit.ImageLeft(frame),
             unit.ImageTop(frame));
}

void BattleScreen::Standing(const clsUnitver2& unit, int side, int frame) {
  Figures(unit, side, StandingFormation(unit, side), frame);
}

// ---- the driver's calls ----

void BattleScreen::ShowMessage(const std::string& text) {
  // A message too long for the line ("ゴブリンは戦闘可能な兵士がいなくなった") is written
  // smaller by the line itself rather than cut at both ends.
  if (ctrGraphicalLabel* m = controls_.Message) m->SetMainText(text);
  // A message tells what has just happened to the parties: the panel shows the figures it
  // speaks of ("...の兵士が0人になった" beside 兵士数 0), the last ones of a battle included.
  if (battle_.Fighting()) battle_.DrawStatus();
}

void BattleScreen::SetCommandButton(BattleCommand which, const std::string& text, bool enabled) {
  if (ctrGraphicalLabelLite* b = controls_.Buttons[static_cast<int>(which)]) {
    b->SetEnable(enabled);
    b->SetText(text);
  }
}

void BattleScreen::SelectCommandButton(BattleCommand which, bool selected) {
  if (ctrGraphicalLabelLite* b = controls_.Buttons[static_cast<int>(which)]) b->SetSelected(selected);
}

void BattleScreen::ShowBattlefield() {
  pics_.Display->SetVisible(true);
  pics_.Display->ZOrder(0);
}

void BattleScreen::PaintField(const std::string& name, plat::Surface& target) const {
  static const char* const kNests[6] = {"森", "洞窟1", "屋敷", "池", "塔", "洞窟2"};
  const plat::Surface* src = pics_.MonField;
  for (int i = 0; i < 6; ++i)
    if (name == kNests[i]) src = pics_.Nest[i];
  if (!src || src->Empty()) return;  // a picture that failed to load leaves the old field
  plat::StretchBlt(target, 0, 0, kFieldW, kFieldH, *src, 0, 0, src->Width(), src->Height());
}

void BattleScreen::DrawBattleField(plat::Surface& picBattleTMP) const {
  picBattleTMP = plat::Surface(kFieldW, kFieldH);
  PaintField(battle_.SetBattleField(), picBattleTMP);
  auto copy = [&picBattleTMP](OwnerDrawn* c) {
    if (c) c->BackImageCopy(picBattleTMP, c->Left(), c->Top());
  };
  for (ctrGraphicalLabelEX* g : controls_.Gauges) {
    copy(g);
    if (g && g == controls_.Gauges[0]) g->RePaint();
  }
  copy(controls_.Message);
  if (controls_.Message) controls_.Message->Setting();
  for (ctrGraphicalLabelLite* b : controls_.Buttons) copy(b);
}

void BattleScreen::PaintBattleField(const std::string& name) {
  PaintField(name, *pics_.WS);
  if (pics_.BattleTMP) DrawBattleField(*pics_.BattleTMP);
  Record({.kind = BattleBlit::Stretch, .w = kFieldW, .h = kFieldH, .text = name});
}

void BattleScreen::InitImage() { Clear(); }

void BattleScreen::DrawUnits(const clsUnitver2& party1, const clsUnitver2& party2) {
  Clear();
  Standing(party1, kLeftSide, StandingFrame(party1, kLeftSide));
  Standing(party2, kRightSide, StandingFrame(party2, kRightSide));
}

void BattleScreen::DrawAttackAnime(const std::string& party, bool ownAttack, const std::string& material) {
  auto p1 = battle_.Party1(), p2 = battle_.Party2();
  if (!p1 || !p2) return;
  const bool byArmy = party == "Party1";
  const clsUnitver2& attacker = byArmy ? *p1 : *p2;
  const clsUnitver2& defender = byArmy ? *p2 : *p1;
  const int s = byArmy ? kLeftSide : kRightSide;
  const std::array<int, 3> own = FrameList(attacker);
  std::array<int, 3> other = FrameList(defender);
  if (p1->UnitClass() == kArcher && !byArmy) other = {1, 1, 1};  // archers take the blow standing

  const int m = attacker.UnitMove();
  if (!ownAttack && m != 0) {
    for (int k = 1; k <= m; ++k) {
      Clear();
      Figures(attacker, s, AdvanceFormation(attacker, s, k, m), own[k % 3]);
      if (!byArmy) {
        if (k == 1 || k % 11 == 0) battle_.RaiseSound(14);
      } else if (attacker.UnitClass() == kRider) {
        if (k == 1 || k % 11 == 0) battle_.RaiseSound(12);
      } else if (k % 3 == 0) {
        battle_.RaiseSound(11);
      }
      Standing(defender, -s, other[k % 3]);
      battle_.DrawStatus();
      battle_.WaitTime(0.075);
    }
  } else if (m == 0) {
    for (int i = 1; i <= 5; ++i) {
      Clear();
      Standing(attacker, s, i);
      Standing(defender, -s, other[i % 3]);
      battle_.DrawStatus();
      battle_.WaitTime(0.25);
    }
    battle_.RaiseSound(5);
  }

  Snapshot();
  const clsUnitver2& hit = ownAttack ? attacker : defender;
  const int t = byArmy != ownAttack ? kRightSide : kLeftSide;
  if (!material.empty()) {
    const Strip e = ElementStrip(material);
    const double cx = ownAttack ? 645 : 115;
    const int x = rt::CLng(cx - e.w / 2.0), y = rt::CLng(430 - e.h / 2.0);
    battle_.RaiseSound(material == "炎" ? 7 : material == "氷" ? 8 : 9);
    for (int f = 1; f <= 8; ++f) {
      const int fx = e.x0 + (f - 1) * e.w;
      Masked(x, y, e.w, e.h, pics_.Effect, fx, e.y0, fx, e.y0 + e.h);
      Refresh();
      battle_.WaitTime(0.2);
      Restore();
    }
  } else if (attacker.UnitClass() == kArcher) {
    const Strip e = {384, t == kRightSide ? 0 : 192, 96, 96};
    int dx = t == kRightSide ? 96 - hit.ImageUnitWidth() : 0, dy = 96 - hit.ImageUnitHeight();
    if (hit.ImageTable() == 4) dx = dy = 0;
    const Formation f = StandingFormation(hit, t);
    for (int n = 1; n <= 8; ++n) {
      const int fx = e.x0 + (n - 1) * e.w;
      for (const auto& column : f)
        for (const plat::Point& p : column) Masked(p.x - dx, p.y - dy, e.w, e.h, pics_.Effect, fx, e.y0, fx, e.y0 + e.h);
      Refresh();
      battle_.WaitTime(0.05);
      Restore();
      if (n == 3) battle_.RaiseSound(13);
    }
  } else {
    const Strip e = {0, !byArmy ? 0 : ownAttack ? 192 : 96, 48, 48};
    const Formation f = StandingFormation(hit, t);
    for (int n = 1; n <= 8; ++n) {
      const int fx = e.x0 + (n - 1) * e.w;
      if (!f.empty())
        for (const plat::Point& p : f.front()) Masked(p.x, p.y, e.w, e.h, pics_.Effect, fx, e.y0, fx, e.y0 + e.h);
      Refresh();
      battle_.WaitTime(0.01);
      Restore();
      if (n == 3) battle_.RaiseSound(byArmy ? 6 : 10);
    }
  }
  Refresh();
  battle_.DoEvents();
}

void BattleScreen::DrawStatus(const BattleStatusView& view) {
  struct Cell {
    plat::Rect r;
    unsigned flags;
  };
  // Each party's numbers stand the same 9 pixels from its bars, whatever their width: the
  // army's begin right of its bars (which end at x 300), the monster's end left of its bars
  // (which begin at x 500).
  static const Cell kCells[9] = {
      {{309, 50, 350, 76}, plat::DT_SINGLELINE | plat::DT_LEFT},   {{350, 50, 450, 76}, plat::DT_SINGLELINE | plat::DT_CENTER},
      {{450, 50, 491, 76}, plat::DT_SINGLELINE | plat::DT_RIGHT},  {{309, 75, 350, 91}, plat::DT_SINGLELINE | plat::DT_LEFT},
      {{350, 75, 450, 91}, plat::DT_SINGLELINE | plat::DT_CENTER}, {{450, 75, 491, 91}, plat::DT_SINGLELINE | plat::DT_RIGHT},
      {{309, 100, 350, 116}, plat::DT_SINGLELINE | plat::DT_LEFT}, {{350, 100, 450, 116}, plat::DT_SINGLELINE | plat::DT_CENTER},
      {{450, 100, 491, 116}, plat::DT_SINGLELINE | plat::DT_RIGHT},
  };

  // The panel's own places first get the bare field back, so that new figures never stand over
  // the old ones (the panel is drawn again with each message, not only on a cleared field).
  static const plat::Rect kPanel[2] = {{300, 50, 500, 116}, {230, 150, 590, 170}};
  for (const plat::Rect& r : kPanel) {
    plat::BitBlt(Dest(), r.left, r.top, r.Width(), r.Height(), *pics_.WS, r.left, r.top);
    Record({.kind = BattleBlit::Copy, .x = r.left, .y = r.top, .w = r.Width(), .h = r.Height(), .src = pics_.WS,
            .sx = r.left, .sy = r.top});
  }
  const BattlePartyStatus& a = view.Party1;
  const BattlePartyStatus& b = view.Party2;
  const std::string texts[9] = {std::to_string(a.Physical),  "体力",   std::to_string(b.Physical),
                                std::to_string(a.Tiredness), "疲労",   std::to_string(b.Tiredness),
                                std::to_string(a.Soldiers),  "兵士数", std::to_string(b.Soldiers)};
  static const plat::Font font(16, 600);
  const plat::Colour colour = view.BattleField == "草原" ? plat::kBlack : plat::kWhite;
  for (int i = 0; i < 9; ++i) {
    plat::Rect r = kCells[i].r;
    plat::DrawText(Dest(), font, texts[i], r, kCells[i].flags, colour);
    Record({.kind = BattleBlit::Text, .x = r.left, .y = r.top, .w = r.Width(), .h = r.Height(), .text = texts[i],
            .colour = colour});
  }

  const int places[2][3] = {{230, 265, 280}, {500, 535, 570}};
  const BattlePartyStatus* parties[2] = {&a, &b};
  for (int p = 0; p < 2; ++p) {
    const int icons[3] = {PoisonIcon(parties[p]->StatusPoison), parties[p]->StatusBlindness.empty() ? -1 : 40,
                          AbnormalIcon(parties[p]->StatusAbnormal)};
    for (int k = 0; k < 3; ++k)
      if (icons[k] >= 0) Masked(places[p][k], 150, 20, 20, pics_.Status, icons[k], 0, icons[k], 20);
  }

  // The panel's order is the army's four, then the monster's; the gauges alternate sides.
  static const int kGaugeOf[8] = {0, 2, 4, 6, 1, 3, 5, 7};
  const auto readings = StatusGauges(view);
  for (int i = 0; i < 8; ++i) {
    ctrGraphicalLabelEX* g = controls_.Gauges[kGaugeOf[i]];
    if (!g) continue;
    const GaugeReading& r = readings[i];
    g->SetFirstValue(static_cast<int16_t>(r.First));
    if (r.Colour) g->SetFirstSemiTrans(r.Colour);
    if (r.Max) {  // the soldiers' gauge
      g->SetSecondValue(static_cast<int16_t>(r.Second));
      g->SetThirdValue(static_cast<int16_t>(r.Third));
      g->SetFourthValue(static_cast<int16_t>(r.Fourth));
      g->SetMax(static_cast<int16_t>(r.Max));
    }
    g->RePaint();
  }
  Refresh();
}
