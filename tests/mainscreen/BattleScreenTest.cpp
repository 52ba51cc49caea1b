// The battle's drawing: formation, standing frames, advance, impacts and the status panel, read
// back from the drawing trace on a virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "army/clsBattle.h"
#include "controls/ctrGraphicalLabel.h"
#include "controls/ctrGraphicalLabelEX.h"
#include "mainscreen/BattleScreen.h"
#include "platform/Text.h"
#include "runtime/Clock.h"

namespace {

using Points = std::vector<plat::Point>;
using Sounds = std::vector<std::pair<int, int64_t>>;

std::shared_ptr<clsUnitver2> Army(const std::string& cls, int soldiers) {
  auto u = std::make_shared<clsUnitver2>();
  u->SetUnit("1", "国王軍", cls, soldiers, 50);
  return u;
}

std::shared_ptr<clsUnitver2> Monster(const std::string& name, int soldiers, int table, int row = 1, int col = 1,
                                     const std::string& cls = "セイバー") {
  auto m = std::make_shared<clsUnitver2>();
  m->SetMonster("2", name, "獣", cls, 10, 10, 10, "", "", soldiers, 50, table, row, col);
  return m;
}

class BattleScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rt::SetClock(&clock);
    display.Resize(800, 600);
    pics.WS = &ws;
    pics.Display = &display;
    pics.TMP = &tmp;
    pics.Unit = &unit;
    for (int i = 0; i < 4; ++i) pics.Monster[i] = &mon[i];
    pics.Effect = &effect;
    pics.Status = &status;
    screen = std::make_unique<BattleScreen>(battle, pics);
    screen->Trace = &trace;
    battle.Init(screen.get(), nullptr);
    battle.Effect(true);
    battle.BattleSpeed(0);
    battle.Sound = [this](int s) { sounds.emplace_back(s, clock.NowMs()); };
  }
  void TearDown() override { rt::SetClock(nullptr); }

  /// Sets up the two parties as the driver holds them: a battle that ends before any cycle.
  void Parties(std::shared_ptr<clsUnitver2> a, std::shared_ptr<clsUnitver2> m) {
    battle.UnitAdd(a, "国王軍1");
    battle.UnitAdd(m, m->UnitName() + "2");
    battle.EndMSG("end");
    ASSERT_TRUE(battle.StartBattle("国王軍1", m->UnitName() + "2", "draw"));
    trace.clear();
    sounds.clear();
  }
  std::vector<BattleBlit> Blits(BattleBlit::Kind kind, const plat::Surface* src = nullptr) const {
    std::vector<BattleBlit> out;
    for (const auto& b : trace)
      if (b.kind == kind && (!src || b.src == src)) out.push_back(b);
    return out;
  }
  static Points Where(const std::vector<BattleBlit>& bs) {
    Points p;
    for (const auto& b : bs) p.push_back({b.x, b.y});
    return p;
  }

  rt::VirtualClock clock;
  plat::Surface ws{800, 600}, tmp{800, 600}, unit{720, 128}, mon[4] = {{576, 320}, {576, 384}, {192, 128}, {420, 170}};
  plat::Surface effect{1152, 1312}, status{140, 40};
  plat::Control display;
  BattlePictures pics;
  clsBattle battle;
  std::unique_ptr<BattleScreen> screen;
  std::vector<BattleBlit> trace;
  Sounds sounds;
};

TEST(BattleFormation, ColumnsOfEveryLength) {
  auto flat = [](const Formation& f) {
    std::vector<Points> out(f.begin(), f.end());
    return out;
  };
  // 301 soldiers: a full column of five and one figure pushed back by 20.
  EXPECT_EQ(flat(StandingFormation(*Army("セイバー", 301), kLeftSide)),
            (std::vector<Points>{{{160, 330}, {150, 370}, {140, 410}, {130, 450}, {120, 490}}, {{90, 410}}}));
  // A large monster's column of three is pushed out by 10 and steps by 60 down and 2 out.
  EXPECT_EQ(flat(StandingFormation(*Monster("クラーケン", 400, 4), kRightSide)),
            (std::vector<Points>{{{610, 350}, {612, 410}, {614, 470}}}));
  // Columns of one and two figures, on either side.
  EXPECT_EQ(flat(StandingFormation(*Army("ランサー", 59), kLeftSide)), (std::vector<Points>{{{140, 410}}}));
  EXPECT_EQ(flat(StandingFormation(*Monster("ゴブリン", 61, 1), kRightSide)),
            (std::vector<Points>{{{610, 370}, {620, 410}}}));
  EXPECT_TRUE(StandingFormation(*Army("セイバー", 0), kLeftSide).empty());
  // The last step of an advance: 20 pixels a step, the column spread by 20 a row about its middle.
  EXPECT_EQ(flat(AdvanceFormation(*Army("セイバー", 179), kLeftSide, 22, 22)),
            (std::vector<Points>{{{570, 370}, {580, 410}, {590, 450}}}));
  EXPECT_EQ(AdvanceFormation(*Monster("ゴブリン", 61, 1), kRightSide, 11, 22).front(),
            (Points{{400, 370}, {400, 410}}));
}

TEST_F(BattleScreenTest, PartiesStandInTheirFrames) {
  struct Case {
    std::shared_ptr<clsUnitver2> army, monster;
    int armyX, monsterX;  // the image's x in the sheet: the frame
    const plat::Surface* sheet;
  };
  const Case cases[] = {
      {Army("セイバー", 100), Monster("ゴブリン", 100, 1, 1, 1), 48, 48, &mon[0]},         // frame 2 both
      {Army("アーチャー", 100), Monster("スライム", 100, 1, 1, 2), 48 * 9, 48 * 3, &mon[0]},  // frame 1 both
      {Army("ライダー", 100), Monster("獣人の戦士", 100, 3, 1, 2), 48 * 7, 48, &mon[2]},     // one-frame sheet
  };
  for (const auto& c : cases) {
    Parties(c.army, c.monster);
    screen->DrawUnits(*c.army, *c.monster);
    ASSERT_EQ(trace.front().src, &ws);
    auto army = Blits(BattleBlit::Image, &unit), monster = Blits(BattleBlit::Image, c.sheet);
    ASSERT_EQ(army.size(), 2u);
    ASSERT_EQ(monster.size(), 2u);
    EXPECT_EQ(std::make_pair(army[0].sx, army[0].sy), std::make_pair(c.armyX, 64)) << c.army->UnitClass();
    EXPECT_EQ(monster[0].sx, c.monsterX) << c.monster->UnitName();
    EXPECT_EQ(Blits(BattleBlit::Mask, &unit)[0].sy, 0);
  }
  // No soldiers, or no sheet for the monster: that party is left out.
  Parties(Army("セイバー", 0), Monster("ゴブリン", 100, 5));
  screen->DrawUnits(*battle.Party1(), *battle.Party2());
  EXPECT_EQ(trace.size(), 1u);
}

TEST_F(BattleScreenTest, ArmyAdvancesThenStrikes) {
  Parties(Army("セイバー", 179), Monster("ゴブリン", 100, 1));
  screen->DrawAttackAnime("Party1", false, "");
  // 22 steps, each on a cleared field, with the walk frames 2, 3, 1, ... and a footstep every third.
  auto steps = Blits(BattleBlit::Image, &unit);
  ASSERT_EQ(steps.size(), 22u * 3);
  EXPECT_EQ((std::vector<int>{steps[0].sx, steps[3].sx, steps[6].sx}), (std::vector<int>{48, 96, 0}));
  EXPECT_EQ(std::make_pair(steps.back().x, steps.back().y), std::make_pair(590, 450));
  EXPECT_GE(steps[3].ms - steps[0].ms, 75);
  Sounds walk(sounds.begin(), sounds.begin() + 7);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(walk[i].first, 11);
  // The strike: 8 frames of the army's strip on the monster's first column, 10 ms apart, ken at the third.
  auto strikes = Blits(BattleBlit::Image, &effect);
  ASSERT_EQ(strikes.size(), 8u * 2);
  EXPECT_EQ(std::make_pair(strikes[0].x, strikes[0].y), std::make_pair(610, 370));
  EXPECT_EQ(std::make_pair(strikes[2].sx, strikes[2].sy), std::make_pair(48, 96 + 48));
  EXPECT_EQ(strikes[2].ms - strikes[0].ms, 10);
  ASSERT_EQ(sounds.size(), 8u);
  EXPECT_EQ(sounds.back().first, 6);
  EXPECT_EQ(trace.back().kind, BattleBlit::Refresh);

  // A rider's hooves sound at the first step and every eleventh; the monster's at the same steps.
  Parties(Army("ライダー", 100), Monster("ゴブリン", 100, 1));
  screen->DrawAttackAnime("Party1", false, "");
  screen->DrawAttackAnime("Party2", false, "");
  std::vector<int> codes;
  for (auto& s : sounds) codes.push_back(s.first);
  EXPECT_EQ(codes, (std::vector<int>{12, 12, 12, 6, 14, 14, 14, 10}));
}

TEST_F(BattleScreenTest, ImpactsPlaceTimeAndSound) {
  // A monster's fire on the army: eight 128 x 128 frames at (51, 366), 0.2 s each, its sound first.
  Parties(Army("セイバー", 100), Monster("火蜥蜴", 100, 2));
  screen->DrawAttackAnime("Party2", false, "炎");
  auto fire = Blits(BattleBlit::Image, &effect);
  ASSERT_EQ(fire.size(), 8u);
  EXPECT_EQ((std::vector<int>{fire[0].x, fire[0].y, fire[0].w, fire[0].sx, fire[0].sy, fire[7].sx}),
            (std::vector<int>{51, 366, 128, 0, 576 + 128, 7 * 128}));
  EXPECT_EQ(fire[1].ms - fire[0].ms, 200);
  EXPECT_EQ(sounds.back().first, 7);
  EXPECT_LE(sounds.back().second, fire[0].ms);
  // Own attack: ice and thunder land on the right; the display is restored after every frame.
  for (auto [word, x, y, code] : {std::tuple{"氷", 597, 382, 8}, std::tuple{"雷", 613, 310, 9}}) {
    trace.clear();
    screen->DrawAttackAnime("Party2", true, word);
    EXPECT_EQ(Where(Blits(BattleBlit::Image, &effect)).front(), (plat::Point{x, y})) << word;
    EXPECT_EQ(Blits(BattleBlit::Copy, &tmp).size(), 8u);
    EXPECT_EQ(sounds.back().first, code);
  }
  // A confused army of swordsmen strikes itself without advancing, from the strip at y 192.
  trace.clear();
  sounds.clear();
  screen->DrawAttackAnime("Party1", true, "");
  auto self = Blits(BattleBlit::Image, &effect);
  EXPECT_TRUE(Blits(BattleBlit::Image, &unit).empty());
  EXPECT_EQ((std::vector<int>{self[0].x, self[0].y, self[0].sy}), (std::vector<int>{150, 370, 192 + 48}));

  // Archers: five volley frames 0.25 s apart, the bow's sound after them, then arrows on each
  // figure (offset to the hit figure's foot), the string's swish at the third frame.
  Parties(Army("アーチャー", 100), Monster("ゴブリン", 100, 1));
  screen->DrawAttackAnime("Party1", false, "");
  auto volley = Blits(BattleBlit::Image, &unit);
  ASSERT_EQ(volley.size(), 5u * 2);
  EXPECT_EQ((std::vector<int>{volley[0].sx, volley[8].sx}), (std::vector<int>{48 * 9, 48 * 13}));
  EXPECT_EQ(volley[2].ms - volley[0].ms, 250);
  auto arrows = Blits(BattleBlit::Image, &effect);
  ASSERT_EQ(arrows.size(), 8u * 2);
  EXPECT_EQ(Where({arrows[0], arrows[1]}), (Points{{610 - 48, 370 - 32}, {620 - 48, 410 - 32}}));
  EXPECT_EQ(std::make_pair(arrows[0].sx, arrows[0].sy), std::make_pair(384, 96));
  EXPECT_EQ((std::vector<int>{sounds[0].first, sounds[1].first}), (std::vector<int>{5, 13}));
  // A monster archer's arrows on the army come from the left strip, unshifted sideways; the
  // archers take them standing in frame 1.
  Parties(Army("アーチャー", 100), Monster("亡霊", 100, 1, 2, 3, "アーチャー"));
  screen->DrawAttackAnime("Party2", false, "");
  auto onArmy = Blits(BattleBlit::Image, &effect);
  EXPECT_EQ((std::vector<int>{onArmy[0].x, onArmy[0].y, onArmy[0].sy}), (std::vector<int>{150, 370 - 32, 192 + 96}));
  for (const auto& b : Blits(BattleBlit::Image, &unit)) EXPECT_EQ(b.sx, 48 * 9);

}

TEST_F(BattleScreenTest, StatusPanelTextsIconsAndGauges) {
  BattleStatusView view;
  view.Party1 = {.Physical = 24, .Tiredness = 3, .Soldiers = 280, .Injury = 15, .SeriousInjury = 4, .Dead = 1,
                 .SoldierMax = 300, .Counter = 100, .StatusPoison = "弱毒", .StatusBlindness = "暗闇", .StatusAbnormal = "混乱"};
  view.Party2 = {.Physical = 49, .Tiredness = 120, .Soldiers = 0, .SoldierMax = 0, .Counter = -20,
                 .StatusPoison = "猛毒", .StatusBlindness = "暗闇", .StatusAbnormal = "混乱"};
  std::array<ctrGraphicalLabelEX, 8> bars;  // cGLEx1 to cGLEx8: the army's and the monster's in turn
  for (auto& bar : bars) bar.Resize(200, 16);
  BattleScreen panel(battle, pics, {.Gauges = {&bars[0], &bars[1], &bars[2], &bars[3], &bars[4], &bars[5], &bars[6], &bars[7]}});
  panel.Trace = &trace;
  for (const char* field : {"草原", "平原"}) {
    trace.clear();
    view.BattleField = field;
    panel.DrawStatus(view);
    auto texts = Blits(BattleBlit::Text);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[0].colour, std::string(field) == "草原" ? plat::kBlack : plat::kWhite);
  }
  auto texts = Blits(BattleBlit::Text);
  EXPECT_EQ((std::vector<std::string>{texts[0].text, texts[5].text, texts[6].text, texts[7].text}),
            (std::vector<std::string>{"24", "120", "280", "兵士数"}));
  EXPECT_EQ(std::make_pair(texts[6].x, texts[6].w), std::make_pair(309, 41));
  // Party 1's icons overlap by 5 pixels; party 2's stand 35 apart; a poison word other than the two shows none.
  auto icons = Blits(BattleBlit::Image, &status);
  EXPECT_EQ(Where(icons), (Points{{265, 150}, {280, 150}, {500, 150}, {535, 150}, {570, 150}}));
  EXPECT_EQ((std::vector<int>{icons[0].sx, icons[1].sx, icons[2].sx, icons[2].sy}), (std::vector<int>{40, 100, 20, 20}));
  EXPECT_EQ(trace.back().kind, BattleBlit::Refresh);

  // Gauges: red below 25, orange below 50, blue from 50; nothing outside the gauge's range,
  // and a scale for a party that has no soldiers.
  EXPECT_EQ((std::vector<int>{bars[0].FirstValue(), bars[0].FirstSemiTrans(), bars[4].Max(), bars[4].ThirdValue(),
                              bars[6].FirstValue(), bars[1].FirstSemiTrans(), bars[3].FirstValue(), bars[5].Max(),
                              bars[7].FirstValue()}),
            (std::vector<int>{24, 2, 300, 4, 100, 108, 100, 1, 0}));
  view.Party1.Physical = 50;
  view.Party2.Physical = -3;
  auto g = StatusGauges(view);
  EXPECT_EQ(std::make_pair(g[0].Colour, g[4].First), std::make_pair(5, 0));
}

// Whatever the numbers' widths, both parties' numbers stand as far from their bars (the army's
// end at x 300, the monster's begin at x 500).
TEST_F(BattleScreenTest, BothPartiesNumbersKeepTheSameGapToTheirBars) {
  BattleScreen panel(battle, pics);
  ws.Fill(plat::kWhite);
  const plat::Font digits(16, 600);
  auto inkX = [&](int y0, int x0, int x1) {  // leftmost and rightmost dark column
    int lo = x1, hi = x0 - 1;
    for (int y = y0; y < y0 + 16; ++y)
      for (int x = x0; x < x1; ++x)
        if (plat::RedOf(display.Image().GetPixel(x, y)) < 128) lo = std::min(lo, x), hi = std::max(hi, x);
    return std::make_pair(lo, hi);
  };
  for (auto [army, monster] : {std::pair{100, 0}, std::pair{7, 145}, std::pair{281, 1}}) {
    BattleStatusView view;
    view.BattleField = "草原";  // black numbers
    view.Party1.Physical = view.Party1.Soldiers = army;
    view.Party2.Physical = view.Party2.Soldiers = monster;
    panel.DrawStatus(view);
    for (int y : {50, 100}) {
      const auto armyInk = inkX(y, 300, 350), monsterInk = inkX(y, 450, 500);
      const int armyGap = armyInk.first - 300, monsterGap = 500 - 1 - monsterInk.second;
      EXPECT_NEAR(armyGap, monsterGap, 1) << army << " and " << monster << " at y " << y;
      EXPECT_GE(monsterGap, 5);
      // Only the new numbers: the ones drawn before are gone.
      EXPECT_LE(armyInk.second - armyInk.first, digits.TextWidth(std::to_string(army)));
      EXPECT_LE(monsterInk.second - monsterInk.first, digits.TextWidth(std::to_string(monster)));
    }
  }
}

// The panel is in step with the messages: whenever the battle waits (a message on screen, an
// animation step), the figures last drawn are the parties' own, down to the last message
// ("...の兵士が0人になった" beside 兵士数 0).
TEST_F(BattleScreenTest, ThePanelShowsTheFiguresEachMessageTellsOf) {
  struct Pump : BattleEventPump {
    std::function<void()> onWait;
    void DoEvents() override { onWait(); }
  } check;
  int checks = 0;
  std::string lagging;
  check.onWait = [&] {
    auto p1 = battle.Party1(), p2 = battle.Party2();
    if (!p1 || !p2 || !battle.Fighting()) return;
    std::map<std::pair<int, int>, std::string> shown;  // the last text drawn at each place
    for (const auto& b : trace)
      if (b.kind == BattleBlit::Text) shown[{b.x, b.y}] = b.text;
    const std::pair<std::pair<int, int>, int> figures[] = {
        {{309, 50}, p1->Physical()}, {{309, 100}, p1->Soldiers()}, {{450, 50}, p2->Physical()}, {{450, 100}, p2->Soldiers()}};
    ++checks;
    for (const auto& [at, value] : figures)
      if (shown.count(at) && shown[at] != std::to_string(value) && lagging.empty())
        lagging = "shown " + shown[at] + " where the party has " + std::to_string(value);
  };
  battle.Init(screen.get(), &check);
  battle.BattleSpeed(0.05f);
  battle.UnitAdd(Army("セイバー", 300), "国王軍1");
  battle.UnitAdd(Monster("ゴブリン", 4, 1), "ゴブリン2");
  ASSERT_TRUE(battle.StartBattle("国王軍1", "ゴブリン2"));
  EXPECT_TRUE(battle.Party2()->GiveUp());
  EXPECT_GT(checks, 10);
  EXPECT_EQ(lagging, "");
}

// The message line (340 wide, 14 points) writes a message too long for it smaller, and the next
// short one at its own size again.
TEST_F(BattleScreenTest, ALongMessageIsWrittenSmallerRatherThanCut) {
  ctrGraphicalLabel line;
  line.SetBounds(230, 200, 340, 50);
  line.SetFontMainText(14);
  line.SetSeparator(100);
  line.Setting();
  BattleScreen s(battle, pics, {.Message = &line});
  std::vector<int> sizes;
  for (const char* text : {"ゴブリンは戦闘可能な兵士がいなくなった", "戦闘開始"}) {
    s.ShowMessage(text);
    const plat::Font& font = line.ShownMainFont();
    EXPECT_LE(font.TextWidth(text), line.MainRect().Width() - 4) << text;
    sizes.push_back(font.CellHeight());
  }
  EXPECT_LT(sizes[0], plat::PointsToCellHeight(14));
  EXPECT_EQ(sizes[1], plat::PointsToCellHeight(14));
  EXPECT_EQ(line.FontMainText(), 14);
}

TEST_F(BattleScreenTest, FieldChoiceAndClearing) {
  plat::Surface forest(80, 60), plain(40, 30);
  forest.Fill(plat::Rgb(0, 120, 0));
  plain.Fill(plat::Rgb(200, 200, 0));
  pics.Nest[0] = &forest;
  pics.MonField = &plain;
  plat::Surface battleTmp;
  pics.BattleTMP = &battleTmp;
  ctrGraphicalLabelEX gauge;  // takes its background from the battle backdrop
  gauge.SetBounds(100, 50, 200, 16);
  BattleScreen s(battle, pics, {.Gauges = {&gauge}});
  std::vector<plat::Colour> shown;
  for (const char* name : {"森", "森林", "洞窟2"}) {  // 洞窟2 has no picture here: the field stays
    ws.Fill(plat::kWhite);
    battle.SetBattleField(name);
    s.PaintBattleField(name);
    shown.push_back(ws.GetPixel(799, 599));
    if (shown.size() == 1) shown.push_back(gauge.BackImage().GetPixel(150, 8));
  }
  s.InitImage();
  shown.push_back(display.Image().GetPixel(400, 300));
  EXPECT_EQ(shown, (std::vector<plat::Colour>{plat::Rgb(0, 120, 0), plat::Rgb(0, 120, 0), plat::Rgb(200, 200, 0),
                                              plat::kWhite, plat::kWhite}));
}

}  // namespace
