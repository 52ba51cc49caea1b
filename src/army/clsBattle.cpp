/** @file clsBattle.cpp The battle loop, its pacing, commands and messages. */
#include "army/clsBattle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "runtime/Clock.h"
#include "runtime/FlagScope.h"
#include "runtime/Random.h"
#include "runtime/VbError.h"

namespace {
const std::string kArmy = "国王軍";
const std::string kArcher = "アーチャー";
}  // namespace

clsBattle::clsBattle() = default;

clsBattle::~clsBattle() { Disconnect(); }

void clsBattle::Init(BattleDisplay* display, BattleEventPump* pump) {
  display_ = display;
  pump_ = pump;
  anime_ = true;
}

// ---- units ----

void clsBattle::UnitAdd(std::shared_ptr<clsUnitver2> pUnit, const std::string& pName) {
  for (long i = units_.Count(); i >= 1; --i) {
    const auto& u = units_.Item(i);
    // Anything under that key goes too, so that the key stays unique.
    if (u->UnitName() + u->UnitID() == pName || rt::EqualsNoCase(units_.KeyAt(i), pName)) units_.Remove(i);
  }
  units_.Add(std::move(pUnit), pName);
}

std::shared_ptr<clsUnitver2> clsBattle::UnitGet(const std::string& strUnit) const {
  for (const auto& [key, u] : units_)
    if (u->UnitName() + u->UnitID() == strUnit) return u;
  return nullptr;
}

void clsBattle::UnitRemove(const std::string& pName) {
  if (units_.Exists(pName)) units_.Remove(pName);
}

std::string clsBattle::GetItemName(const std::string& pUnitID) const {
  std::string result;
  for (const auto& [key, u] : units_)
    if (u->UnitID() == pUnitID) result = u->GetItemName1() + ":" + u->GetItemName2();
  return result;
}

BattleResult clsBattle::Result() const {
  if (isRetreat_) return BattleResult::Retreat;
  if (isBattle_) return BattleResult::Undecided;
  return winner_ == kArmy ? BattleResult::Win : BattleResult::Lose;
}

// ---- display and pacing ----

void clsBattle::DoEvents() {
  if (pump_) pump_->DoEvents();
}

void clsBattle::WaitTime(double seconds) {
  // On the monotonic clock, so a wait across midnight lasts as long as any other.
  auto end = rt::Clock().NowMs() + static_cast<int64_t>(std::llround(seconds * 1000));
  while (rt::Clock().NowMs() < end) {
    DoEvents();
    rt::Sleep(10);
  }
}

void clsBattle::ShowMessage(const std::string& text) {
  if (display_) display_->ShowMessage(text);
  WaitTime(battleSpeed_);
}

void clsBattle::InitImage() {
  if (display_) display_->InitImage();
  ShowMessage("");
}

void clsBattle::SetBattleField(const std::string& pstrBF) {
  battleField_ = pstrBF;
  if (display_) display_->PaintBattleField(pstrBF);
}

void clsBattle::DrawUnits() {
  if (display_ && party1_ && party2_) display_->DrawUnits(*party1_, *party2_);
}

void clsBattle::DrawStatus() {
  if (!party1_ || !party2_) return;
  if (display_) {
    auto status = [](const clsUnitver2& u) {
      BattlePartyStatus s;
      s.Physical = u.Physical();
      s.Tiredness = u.Tiredness();
      s.Soldiers = u.Soldiers();
      s.Injury = u.Injury();
      s.SeriousInjury = u.SeriousInjury();
      s.Dead = u.Dead();
      s.SoldierMax = u.SoldierMax();
      s.Counter = std::clamp(u.Counter(), 0, 100);  // poison can push the counter below the gauge
      s.StatusPoison = u.StatusPoison();
      s.StatusBlindness = u.StatusBlindness();
      s.StatusAbnormal = u.StatusAbnormal();
      return s;
    };
    BattleStatusView view{status(*party1_), status(*party2_), battleField_};
    display_->DrawStatus(view);
  }
  DoEvents();
}

void clsBattle::RaiseSound(int soundType) {
  if (effect_ && Sound) Sound(soundType);
}

void clsBattle::SetButton(BattleCommand which, const std::string& text, bool enable) {
  auto& b = ButtonOf(which);
  b.Text = text;
  b.Enable = enable;
  if (display_) display_->SetCommandButton(which, text, enable);
}

void clsBattle::SelectButton(BattleCommand which, bool selected) {
  ButtonOf(which).Selected = selected;
  if (display_) display_->SelectCommandButton(which, selected);
}

// ---- unit events ----

void clsBattle::Connect(clsUnitver2& unit, bool party1) {
  unit.Notification = [this](const std::string& text) { ShowMessage(text); };
  if (party1)
    unit.AttackAnime = [this](const std::string& m, bool own) { Party1_AttackAnime(m, own); };
  else
    unit.AttackAnime = [this](const std::string& m, bool own) { Party2_AttackAnime(m, own); };
}

void clsBattle::Disconnect() {
  for (auto* u : {party1_.get(), party2_.get()}) {
    if (!u) continue;
    u->Notification = nullptr;
    u->AttackAnime = nullptr;
  }
}

void clsBattle::Party1_AttackAnime(const std::string& /*pstrMaterial*/, bool pblOwnAttack) {
  ShowMessage(party1_->UnitName() + (pblOwnAttack ? "は混乱で同士討ち。" : "の攻撃。"));
  if (anime_) {
    if (display_) display_->DrawAttackAnime("Party1", pblOwnAttack, "");
  } else if (effect_) {
    if (party1_->UnitClass() != kArcher) {
      RaiseSound(6);
    } else {
      RaiseSound(5);
      WaitTime(0.2);
      RaiseSound(13);
    }
  }
}

void clsBattle::Party2_AttackAnime(const std::string& pstrMaterial, bool pblOwnAttack) {
  std::string text = party2_->UnitName() + (pblOwnAttack ? "は混乱で同士討ち。" : "の攻撃。");
  if (pstrMaterial == "炎") text += "炎を吐いた";
  else if (pstrMaterial == "氷") text += "空気を氷結させた";
  else if (pstrMaterial == "雷") text += "雷を呼び寄せた";
  ShowMessage(text);
  if (anime_) {
    if (display_) display_->DrawAttackAnime("Party2", pblOwnAttack, pstrMaterial);
  } else if (effect_) {
    if (pstrMaterial == "炎") RaiseSound(7);
    else if (pstrMaterial == "氷") RaiseSound(8);
    else if (pstrMaterial == "雷") RaiseSound(9);
    else if (pstrMaterial.empty()) RaiseSound(10);
  }
}

// ---- command buttons ----

void clsBattle::ToggleCommand(BattleCommand which, const std::string& value) {
  bool choose = command_ != value;
  command_ = choose ? value : std::string();
  SelectButton(which, choose);
  DoEvents();
}

void clsBattle::Item1_Click() {
  SelectButton(BattleCommand::Item2, false);
  if (ButtonOf(BattleCommand::Retreat).Enable) SelectButton(BattleCommand::Retreat, false);
  ToggleCommand(BattleCommand::Item1, "item1");
}

void clsBattle::Item2_Click() {
  SelectButton(BattleCommand::Item1, false);
  if (ButtonOf(BattleCommand::Retreat).Enable) SelectButton(BattleCommand::Retreat, false);
  ToggleCommand(BattleCommand::Item2, "item2");
}

void clsBattle::Retreat_Click() {
  if (!ButtonOf(BattleCommand::Retreat).Enable) return;
  SelectButton(BattleCommand::Item1, false);
  SelectButton(BattleCommand::Item2, false);
  ToggleCommand(BattleCommand::Retreat, "retreat");
}

void clsBattle::Item1_MouseMove() {
  hovered_ = "item1";
  DoEvents();
}

void clsBattle::Item2_MouseMove() {
  hovered_ = "item2";
  DoEvents();
}

void clsBattle::Retreat_MouseMove() {
  if (!ButtonOf(BattleCommand::Retreat).Enable) return;
  hovered_ = "retreat";
  DoEvents();
}

void clsBattle::Battlefield_MouseMove() {
  if (hovered_ == "item1" || hovered_ == "item2" || hovered_ == "retreat") DoEvents();
}

// ---- the battle ----

void clsBattle::Strike(clsUnitver2& x, clsUnitver2& y) {
  int32_t a = x.Attack(y.Soldiers(), y.Protects(), y.UnitMaterialTolerance());
  y.Damege(x.Soldiers(), a, x.Arms());
  y.DamegeEffect(x.AttackEffect());
}

void clsBattle::NormalAction(clsUnitver2& x, clsUnitver2& y) {
  bool ownSide = x.StatusCheckAbnormal();
  if (x.BattleFLG()) {
    if (x.StatusCheckBlindness()) {
      // missed this turn
    } else if (ownSide) {
      ShowMessage(x.UnitName() + "は混乱して自分たちを攻撃した");
      x.Init(x.UnitClass(), x.UnitRace());
      int32_t a = x.Attack(x.Soldiers(), x.Protects(), x.UnitMaterialTolerance());
      x.Damege(x.Soldiers(), a, x.Arms());
      x.Init(y.UnitClass(), y.UnitRace());
      x.DamegeEffect(x.AttackEffect());
    } else {
      Strike(x, y);
    }
  }
  if (x.BattleFLG()) x.BattleFLG(false);
}

bool clsBattle::CommandAction() {
  clsUnitver2& x = *party1_;
  if (command_ == "item1" || command_ == "item2") {
    bool first = command_ == "item1";
    if (first) x.UseItem1();
    else x.UseItem2();
    BattleCommand button = first ? BattleCommand::Item1 : BattleCommand::Item2;
    SetButton(button, "空", false);
    SelectButton(button, false);
  } else if (command_ == "retreat") {
    isRetreat_ = true;
    return false;
  }
  x.BattleFLG(false);
  command_.clear();
  DoEvents();
  return true;
}

void clsBattle::Fight(clsUnitver2& p1, clsUnitver2& p2, const std::string& pBattleMSG) {
  p1.Init(p2.UnitClass(), p2.UnitRace());
  p2.Init(p1.UnitClass(), p1.UnitRace());

  isBattle_ = true;
  ShowMessage("戦闘開始");
  DrawUnits();
  DrawStatus();
  DoEvents();
  rt::Sleep(10);
  if (display_) display_->ShowBattlefield();

  // Ranged phase: the longer reach shoots first, once per step of difference.
  if (pBattleMSG != "draw" && p1.RangeofAttack() != p2.RangeofAttack()) {
    clsUnitver2& attacker = p1.RangeofAttack() > p2.RangeofAttack() ? p1 : p2;
    clsUnitver2& defender = &attacker == &p1 ? p2 : p1;
    int n = std::abs(p1.RangeofAttack() - p2.RangeofAttack());
    for (int i = 1; i <= n; ++i) {
      ShowMessage(std::to_string(i) + "回目の" + attacker.UnitName() + "の遠距離攻撃");
      if (i == 1) {
        DrawUnits();
        DrawStatus();
      }
      Strike(attacker, defender);
      DrawUnits();
      DrawStatus();
      // The shooter too may fall here (poison or a status kept from an earlier battle).
      if (defender.GiveUp() || attacker.GiveUp()) {
        isBattle_ = false;
        break;
      }
      if (endMsg_ == "end") break;
    }
  }

  isRetreat_ = false;
  p1.CounterReset();
  p2.CounterReset();
  DrawUnits();
  DrawStatus();
  if (p1.GiveUp() || p2.GiveUp()) {
    isBattle_ = false;  // decided: whoever gave up has lost, whenever it happened
  } else {
    for (int c = 1; c <= 30 && endMsg_ != "end"; ++c) {
      p1.CountAdd();
      p2.CountAdd();
      DrawUnits();
      DrawStatus();

      bool ready1 = p1.BattleFLG(), ready2 = p2.BattleFLG();
      clsUnitver2* first = nullptr;
      clsUnitver2* second = nullptr;
      std::string marker;
      if (ready1 && !ready2) {
        first = &p1, second = &p2, marker = "first";
      } else if (!ready1 && ready2) {
        first = &p2, second = &p1;
      } else if (ready1 && ready2) {
        bool p1First;
        if (p1.CounterMod() != p2.CounterMod()) {
          p1First = p1.CounterMod() > p2.CounterMod();
        } else {
          rt::Randomize();
          p1First = static_cast<int>(std::floor(rt::Rnd() * 10 + 1)) % 2 == 0;
        }
        if (p1First) first = &p1, second = &p2, marker = "first";
        else first = &p2, second = &p1, marker = "second";
      }

      if (first) {
        if (marker == "first" && !command_.empty()) {
          if (!CommandAction()) break;
        } else {
          NormalAction(*first, *second);
        }
        if (ready1 && ready2 && !p1.GiveUp() && !p2.GiveUp()) {
          if (marker == "second" && !command_.empty()) {
            if (!CommandAction()) break;
          } else {
            NormalAction(*second, *first);
          }
        }
      }
      if (p1.GiveUp() || p2.GiveUp()) {
        isBattle_ = false;
        break;
      }
      if (c == 30) winner_.clear();
      DoEvents();
    }
  }
}

bool clsBattle::StartBattle(const std::string& strParty1, const std::string& strParty2,
                            const std::string& pBattleMSG) {
  if (!units_.Exists(strParty1) || !units_.Exists(strParty2)) return false;
  const rt::FlagScope fighting(fighting_);
  Disconnect();
  party1_ = units_.Item(strParty1);
  party2_ = units_.Item(strParty2);
  clsUnitver2& p1 = *party1_;
  clsUnitver2& p2 = *party2_;
  Connect(p1, true);
  if (&p2 != &p1) Connect(p2, false);
  command_.clear();
  winner_.clear();

  SelectButton(BattleCommand::Item1, false);
  if (!p1.Item1().empty() && p1.GetUseItem1()) SetButton(BattleCommand::Item1, p1.Item1(), true);
  else SetButton(BattleCommand::Item1, "空", false);
  SelectButton(BattleCommand::Item2, false);
  if (!p1.Item2().empty() && p1.GetUseItem2()) SetButton(BattleCommand::Item2, p1.Item2(), true);
  else SetButton(BattleCommand::Item2, "空", false);
  SelectButton(BattleCommand::Retreat, false);
  if (p1.Retreat()) SetButton(BattleCommand::Retreat, "退却", true);
  else SetButton(BattleCommand::Retreat, "退却不可", false);

  try {
    Fight(p1, p2, pBattleMSG);
  } catch (const std::exception& e) {
    // Whatever the units' figures, an error ends the battle here and not the week: the army
    // falls back as from a retreat.
    isBattle_ = isRetreat_ = true;
    std::fprintf(stderr, "vesk: StartBattle: %s\n", e.what());  // the runtime's own words
    try {
      // The reason on a line of its own: the message line has room for one of them at a time.
      ShowMessage(p1.UnitName() + "は戦闘を続けられず退却した");
      ShowMessage(rt::DescribeError(e));
    } catch (const std::exception&) {
    }
  }

  const bool bothFell = p1.GiveUp() && p2.GiveUp();
  if (!bothFell && p1.GiveUp()) winner_ = p2.UnitName();
  else if (!bothFell && p2.GiveUp()) winner_ = p1.UnitName();
  try {
    if (bothFell) ShowMessage("共に倒れた");
    DrawUnits();
    DrawStatus();
  } catch (const std::exception&) {
    // The result stands; only its last picture is missing.
  }
  rt::Sleep(50);
  command_.clear();
  if (Notification) Notification("BattleEND");
  return true;
}
