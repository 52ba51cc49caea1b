/** @file Conquest.cpp The weekly conquest: marching, the battles at a nest, and the army's return. */
#include "army/Conquest.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "army/BattleSetup.h"
#include "army/clsBattle.h"
#include "db/clsDB.h"
#include "db/clsFile.h"
#include "platform/FileSystem.h"
#include "runtime/Convert.h"
#include "runtime/Random.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "sim/Economy.h"
#include "sim/SimDb.h"
#include "sim/Storage.h"
#include "sim/TurnEnd_People.h"

namespace army {
namespace {

const std::string kArmyName = "国王軍";

clsItem Equipment(const sim::clsItemValues& v, const std::string& slot) {
  clsItem item;
  item.Name = v.Name;
  item.Power = v.Power;
  item.Weight = v.Weight;
  item.Effect = v.Effect;
  item.Item = slot;
  return item;
}

// Equipment back to storage, one piece per soldier who can carry it; an empty slot adds nothing.
// A stock that is damaged takes nothing, and says so.
void Return(sim::WeekContext& ctx, const std::string& name, int32_t count) {
  if (!name.empty() && count > 0 && !sim::ItemStorageAdd(ctx.db, name, count))
    sim::ReportStock(ctx, "倉庫取得エラー:TurnEnd_Conquest", name);
}

// A factor held in single precision and its product rounded to single precision.
double SingleProduct(int32_t count, float factor) {
  return static_cast<double>(static_cast<float>(static_cast<float>(count) * factor));
}

}  // namespace

std::shared_ptr<clsUnitver2> BuildArmyUnit(const sim::BattleUnitSetup& setup) {
  auto unit = std::make_shared<clsUnitver2>();
  if (setup.ally) {
    // An army of fewer than no soldiers would bring home more than it took.
    if (setup.id.empty() || setup.unitClass.empty() || setup.soldiers < 0) return nullptr;
    unit->SetUnit(setup.id, setup.unitName, setup.unitClass, setup.soldiers, setup.education);
    const std::pair<const sim::clsItemValues*, const char*> slots[] = {
        {&setup.arms, "武器"}, {&setup.protector, "防具"}, {&setup.accessory, "アクセサリ"},
        {&setup.item1, "アイテム1"}, {&setup.item2, "アイテム2"}};
    for (const auto& [values, slot] : slots)
      if (!values->Name.empty()) EquipUnit(*unit, Equipment(*values, slot));
    if (setup.hasSubArms && !setup.subArms.Name.empty())
      EquipUnit(*unit, Equipment(setup.subArms, setup.unitClass == "ライダー" ? "馬" : "矢"));
    return unit;
  }
  const auto& m = setup.monsterRow;
  const auto& r = setup.unitRow;
  if (m.size() < 11 || r.size() < 9) return nullptr;
  unit->SetMonster(r[0], r[1], m[1], m[2], sim::TextI(m[3]), sim::TextI(m[4]), sim::TextI(m[5]), m[6], m[7],
                   sim::TextI(r[8]), sim::TextI(r[6]), sim::TextI(m[8]), sim::TextI(m[9]), sim::TextI(m[10]));
  return unit;
}

int16_t RetWoundedResult(int16_t level, int16_t kind) {
  static constexpr int16_t kTable[4][2][2] = {
      {{40, 30}, {10, 20}}, {{60, 40}, {20, 60}}, {{80, 20}, {30, 35}}, {{100, 0}, {60, 30}}};
  int16_t P = 0, R = 0;
  if (level >= 0 && level <= 3 && (kind == 0 || kind == 1)) {
    P = kTable[level][kind][0];
    R = kTable[level][kind][1];
  }
  const int r = rt::RndPercent();
  if (r <= P) return 0;
  if (r <= P + R) return 1;
  return 2;
}

void RetWoundedEffect(int16_t level, int16_t kind, int32_t count, double& A, double& B) {
  static constexpr float kTable[4][2][2] = {{{-0.25f, -0.5f}, {-1.0f, -2.0f}},
                                            {{-0.1f, -0.25f}, {-0.5f, -1.0f}},
                                            {{0.0f, -0.1f}, {-0.25f, -0.5f}},
                                            {{0.0f, 0.0f}, {-0.1f, -0.25f}}};
  A = B = 0;
  if (count == 0 || level < 0 || level > 3 || (kind != 0 && kind != 1)) return;
  A = SingleProduct(count, kTable[level][kind][0]);
  B = SingleProduct(count, kTable[level][kind][1]);
}

Army::Army(clsBattle& battle, IConquestHost* host) : battle_(battle), host_(host) {
  battle_.Notification = [this](const std::string& msg) { pBattle_Notification(msg); };
  battle_.Sound = [this](int type) { pBattle_Sound(type); };
}

Army::~Army() {
  battle_.Notification = nullptr;
  battle_.Sound = nullptr;
}

void Army::UnitAdd(const sim::BattleUnitSetup& pUnit, const std::string& pName) {
  if (auto unit = BuildArmyUnit(pUnit)) battle_.UnitAdd(unit, pName);
}

void Army::pBattle_Notification(const std::string& pstrMSG) {
  if (pstrMSG != "BattleEND") return;
  mBattleResult.clear();
  if (battle_.IsRetreat()) {
    mBattleResult = "Retreat";
  } else if (battle_.IsBattle()) {
    const int32_t answer =
        ctx_ ? ctx_->ShowMSGBox("決着がつきませんでした。続けますか？\r\nいいえを押すと退却します", sim::kMsgYesNo, true)
             : sim::kAnsNo;
    mBattleResult = answer == sim::kAnsYes ? "ReBattle" : "Retreat";
  } else {
    mBattleResult = battle_.Winner() == kArmyName ? "Win" : "Lose";
  }
}

void Army::pBattle_Sound(int32_t SoundType) {
  if (host_) host_->PlaySound(SoundType);
}

void Army::TurnEnd_Conquest(sim::WeekContext& ctx, sim::TurnLog& Log) {
  struct Scope {
    Army& a;
    ~Scope() { a.ctx_ = nullptr; }
  } scope{*this};
  ctx_ = &ctx;

  // Every army of ours: also one whose nest or side cannot be read, which would otherwise stay
  // in the field for ever without a word.
  const auto armies = sim::QueryRows(ctx.db,
                                     "SELECT ID,Position,RootName,Distinction,"
                                     "EXISTS (SELECT * FROM nest WHERE unit.RootName=nest.Name) FROM unit "
                                     "WHERE Distinction='Ally' OR UnitName=" + SqlText(kArmyName),
                                     "TurnEnd_Conquest");
  for (const auto& row : armies) {
    if (row.size() < 5) continue;
    // An army whose ID or position cannot be read stays where it is: an ID goes into the
    // statements below only as a number.
    const auto id = sim::WholeNumber(row[0]);
    const auto position = sim::WholeNumber16(row[1]);
    if (!id || !position) {
      sim::BadValue(ctx, "ルート取得エラー:TurnEnd_Conquest", id ? "unit.Position" : "unit.ID", id ? row[1] : row[0],
                    "Error");
      continue;
    }
    const int32_t ID = *id;
    const std::string& RootName = row[2];
    // Neither marching nor fighting: said every week, the army left as it is.
    const std::string army = kArmyName + rt::CStr(ID);
    if (!rt::EqualsNoCase(row[3], "Ally")) {
      sim::BadValue(ctx, army + "の所属取得エラー:TurnEnd_Conquest", "unit.Distinction", row[3], "Error");
      continue;
    }
    if (row[4] != "1") {
      sim::BadValue(ctx, army + "のモンスターの巣取得エラー:TurnEnd_Conquest", "unit.RootName", RootName, "Error");
      continue;
    }
    if (*position >= 2) {
      ctx.db.Excute("UPDATE unit SET Position=" + rt::CStr(*position - 1) + " WHERE ID=" + rt::CStr(ID));
      continue;
    }
    if (!EnsureArmy(ctx, ID)) continue;
    const bool AllWon = TurnEnd_ConquestBattle(ctx, ID);
    Disband(ctx, Log, ID, RootName, AllWon);
  }
}

bool Army::EnsureArmy(sim::WeekContext& ctx, int32_t id) {
  const std::string ID = rt::CStr(id);
  if (battle_.UnitGet(kArmyName + ID)) return true;
  std::shared_ptr<clsUnitver2> unit;
  const auto rows = sim::QueryRows(ctx.db, "SELECT * FROM unit WHERE ID=" + ID, "TurnEnd_Conquest");
  if (!rows.empty()) {
    try {
      unit = BuildArmyUnit(sim::UnitSetupFromRow(ctx, rows.front()));
    } catch (const rt::VbError&) {
      unit = nullptr;
    }
  }
  if (unit && unit->UnitName() + unit->UnitID() == kArmyName + ID) {
    battle_.UnitAdd(unit, kArmyName + ID);
    return true;
  }
  ctx.db.Excute("DELETE FROM unit WHERE ID=" + ID);
  ctx.MsgBox(kArmyName + ID + "の記録が壊れていたため、この軍を解散しました:TurnEnd_Conquest");
  return false;
}

bool Army::TurnEnd_ConquestBattle(sim::WeekContext& ctx, int32_t id) {
  const std::string ID = rt::CStr(id);
  bool AllWon = false;
  if (!sim::QueryRow(ctx.db, "SELECT RootName FROM unit WHERE ID=" + ID)) {
    ctx.MsgBox("ルート取得エラー:TurnEnd_ConquestBattle", "Error");
    return false;
  }
  const std::string RootName = ctx.db.Data(0);
  const auto nest = LoadNest(ctx.db, RootName);
  if (!nest) {
    ctx.MsgBox("モンスターの巣取得エラー:TurnEnd_ConquestBattle", "Error");
    return false;
  }
  if (nest->Monsters.empty()) return false;

  if (host_) host_->BattleMusic(true);
  const std::string armyKey = kArmyName + ID;
  const size_t last = nest->Monsters.size() - 1;
  for (size_t i = 0; i <= last; ++i) {
    const std::string& Mi = nest->Monsters[i];
    const std::string MonsterID = rt::CStr(int64_t{ctx.db.GetMax("unit", "ID")} + 1);
    auto monster = LoadMonster(ctx.db, Mi, MonsterID, nest->Soldiers);
    if (!monster) {
      ctx.MsgBox("モンスター取得エラー:TurnEnd_ConquestBattle", "Error");
      break;
    }
    const std::string monsterKey = Mi + MonsterID;
    battle_.UnitAdd(monster, monsterKey);
    battle_.SetBattleField(nest->BattleField);
    battle_.InitImage();

    bool stop = false;
    for (;;) {
      mBattleResult.clear();
      if (!battle_.StartBattle(armyKey, monsterKey, "")) {
        stop = true;  // a unit went missing: nothing to fight with
        break;
      }
      if (mBattleResult == "ReBattle") continue;
      if (mBattleResult == "Retreat") {
        ctx.ShowMSGBox("国王軍は退却しました", sim::kMsgClose, true);
        stop = true;
      } else if (mBattleResult == "Win") {
        if (i < last) {
          if (ctx.ShowMSGBox("戦闘に勝利しました。軍を先に進めますか?\r\nいいえを押すと退却します", sim::kMsgYesNo,
                             false) == sim::kAnsNo) {
            ctx.screen.SendMessagePanelBack();
            stop = true;
          }
        } else {
          AllWon = true;
        }
      } else {
        ctx.ShowMSGBox("国王軍は敗れました", sim::kMsgClose, true);
        stop = true;
      }
      break;
    }
    battle_.UnitRemove(monsterKey);
    if (stop) break;
  }
  if (host_) host_->BattleMusic(false);
  ctx.screen.SendMessagePanelBack();
  return AllWon;
}

void Army::Disband(sim::WeekContext& ctx, sim::TurnLog& Log, int32_t id, const std::string& RootName, bool AllWon) {
  const std::string ID = rt::CStr(id);
  const std::string key = kArmyName + ID;
  // Once it starts home the army is gone, whatever fails on the way: left in the field it
  // would bring its soldiers and equipment home a second time.
  auto gone = [&] {
    battle_.UnitRemove(key);
    ctx.db.Excute("DELETE FROM unit WHERE ID=" + ID);
    if (host_) host_->HideBattleDisp();
  };
  try {
    ComeHome(ctx, Log, key, RootName, AllWon);
  } catch (...) {
    gone();
    throw;
  }
  gone();
}

void Army::ComeHome(sim::WeekContext& ctx, sim::TurnLog& Log, const std::string& key, const std::string& RootName,
                    bool AllWon) {
  if (auto u = battle_.UnitGet(key)) {
    const int32_t n = u->Soldiers();
    Return(ctx, u->GetArm(), n);
    Return(ctx, u->GetProtect(), n);
    if (u->UnitClass() == "ライダー") Return(ctx, u->GetSubArm(), n);  // arrows are spent, a horse comes home
    Return(ctx, u->GetAccessory(), n);
    if (u->GetUseItem1()) Return(ctx, u->GetItemName1(), n);
    if (u->GetUseItem2()) Return(ctx, u->GetItemName2(), n);
    if (n > 0) sim::SoldierAdd(ctx, static_cast<int16_t>(std::min<int32_t>(n, 32767)));

    if (AllWon) {
      Treasure(ctx, *u, RootName);
      const std::string sql = "SELECT Times FROM nest WHERE Name=" + SqlText(RootName);
      const std::string message = "モンスターの巣討伐回数取得エラー:TurnEnd_Conquest\r\n" + sql;
      if (!sim::QueryRow(ctx.db, sql)) {
        ctx.MsgBox(message);
      } else if (const auto times = sim::Amount(ctx.db.Data(0)); !times || ctx.db.Data(0).empty()) {
        sim::BadValue(ctx, message, "nest.Times", ctx.db.Data(0));
      } else {
        // The count stays within its 32 bits.
        const int64_t next = std::min<int64_t>(int64_t{*times} + 1, INT32_MAX);
        ctx.db.Excute("UPDATE nest SET Times=" + rt::CStr(next) + " WHERE Name=" + SqlText(RootName));
      }
    }
    TurnEnd_WoundedReturn(ctx, Log, u->Injury(), u->SeriousInjury(), u->Dead(), RootName);
  }
}

void Army::Treasure(sim::WeekContext& ctx, const clsUnitver2& u, const std::string& RootName) {
  std::string sql = "SELECT Treasure,Coefficient FROM nest WHERE Name=" + SqlText(RootName);
  if (!sim::QueryRow(ctx.db, sql)) {
    ctx.MsgBox("お宝取得エラー:TurnEnd_Conquest\r\n" + sql);
    return;
  }
  const std::string treasure = ctx.db.Data(0);
  // The coefficient is a count of Integer size from 0: a nest with another gives no treasure.
  const double coefficient = rt::Val(ctx.db.Data(1));
  if (coefficient < 0 || coefficient > INT16_MAX) {
    sim::BadValue(ctx, "お宝取得エラー:TurnEnd_Conquest\r\n" + sql, "nest.Coefficient", ctx.db.Data(1));
    return;
  }
  const int32_t limit = rt::CInt(coefficient) * 2;
  if (treasure.empty()) return;
  sql = "SELECT Weight FROM item WHERE Name=" + SqlText(treasure);
  if (!sim::QueryRow(ctx.db, sql)) {
    ctx.MsgBox("お宝アイテム情報取得エラー:TurnEnd_Conquest\r\n" + sql);
    return;
  }
  const auto read = sim::WholeNumber(ctx.db.Data(0));
  if (!read) {
    sim::BadValue(ctx, "お宝アイテム情報取得エラー:TurnEnd_Conquest\r\n" + sql, "item.Weight", ctx.db.Data(0));
    return;
  }
  const int32_t weight = *read;
  // An overloaded army still carries one; a weightless treasure is carried up to the limit.
  const int32_t spare = std::max<int32_t>(u.GetWeight(), 1);
  int32_t n = weight > 0 ? spare / weight : limit;
  if (n == 0) n = 1;
  n = std::min(n, limit);
  if (!sim::ItemStorageAdd(ctx.db, treasure, n)) return sim::ReportStock(ctx, "お宝取得エラー:TurnEnd_Conquest", treasure);
  ctx.ShowMSGBox(RootName + "から" + treasure + "を" + rt::CStr(n) + "個、入手しました", sim::kMsgClose, true);
}

void Army::TurnEnd_WoundedReturn(sim::WeekContext& ctx, sim::TurnLog& Log, int32_t light, int32_t serious,
                                 int32_t dead, const std::string& NestName) {
  // Counts below 0 would bring soldiers back who never left.
  light = std::max(light, 0), serious = std::max(serious, 0), dead = std::max(dead, 0);
  if (light == 0 && serious == 0 && dead == 0) return;
  const int32_t total = light + serious + dead;
  // A level that is no whole number falls into the tables' "any other" rows.
  auto level = [&](const char* type) -> int16_t {
    if (!sim::QueryRow(ctx.db, std::string("SELECT MAX(Land) FROM construction,construct "
                                           "WHERE construction.Name=construct.Name AND construct.Type=") +
                                   SqlText(type)))
      return 0;
    const std::string text = ctx.db.Data(0);
    if (text.empty()) return 0;
    return static_cast<int16_t>(std::clamp<int32_t>(sim::WholeNumber(text).value_or(-1), -1, 32767));
  };
  const int16_t church = level("教会");
  const int16_t hospital = level("病院");

  // One re-seeding, then every wounded soldier's own draw.
  rt::Randomize();
  int32_t healed = 0, retired = 0, died = 0;
  for (int k = 0; k < 2; ++k) {
    for (int32_t s = 0; s < (k == 0 ? light : serious); ++s) {
      switch (RetWoundedResult(hospital, static_cast<int16_t>(k))) {
        case 0: ++healed; break;
        case 1: ++retired; break;
        default: ++died; break;
      }
    }
  }
  died += dead;
  double A = 0, B = 0, a = 0, b = 0;
  RetWoundedEffect(church, 0, retired, a, b);
  A += a, B += b;
  RetWoundedEffect(church, 1, died, a, b);
  A += a, B += b;

  if (healed > 0) sim::SoldierAdd(ctx, static_cast<int16_t>(std::min<int32_t>(healed, 32767)));
  const std::string msg = NestName + "から帰還した負傷兵" + rt::CStr(total) + "人は\r\n" + rt::CStr(healed) +
                          "人が回復し、" + rt::CStr(retired) + "人がリタイアし、" + rt::CStr(died) + "人が死亡しました";
  ctx.ShowMSGBox(msg, sim::kMsgClose, true);
  if (ctx.db.DebugMode()) {
    const std::filesystem::path dir = ctx.appDir.empty() ? plat::ProgramFolder() : std::filesystem::path(ctx.appDir);
    clsFile().FileWriteAppend((dir / "MSG.log").string(), msg);
  }

  const int32_t lost = retired + died;
  if (sim::QueryRow(ctx.db, "SELECT Number FROM people WHERE Occupation='Soldier'")) {
    if (const auto soldiers = sim::Amount16(ctx.db.Data(0)))
      ctx.db.Excute("UPDATE people SET [Number] =" + rt::CStr(std::max<int32_t>(*soldiers - lost, 0)) +
                    " WHERE Occupation='Soldier'");
    else
      sim::BadValue(ctx, "兵士数取得エラー:TurnEnd_Conquest", "people.Number", ctx.db.Data(0));
  }
  if (lost > 0) {
    int16_t count = static_cast<int16_t>(std::min<int32_t>(lost, 32767));
    sim::TurnEnd_ResidentialDif(ctx, count);
  }

  // Trust stays within 0 to 100, so a loss beyond that range changes nothing more; held there,
  // the loss of a very large army does not overflow 16 bits.
  auto loss = [](double x) { return rt::CInt(std::clamp(x, -1000.0, 1000.0)); };
  for (int j = 0; j <= 4; ++j) {
    const double change = j < 4 ? B : A;
    ctx.data.Trust(sim::clsData::RetOccupationName(j), ctx.data.TrustASNumber(j) + loss(change));
    if (ctx.data.TrustASNumber(j) == 0) Log.GameOver();
  }
  // The soldiers bear their comrades' loss once more.
  ctx.data.Trust("Soldier", ctx.data.TrustASNumber(4) + loss(A));
}

}  // namespace army
