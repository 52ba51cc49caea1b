/** @file UnitFormation.cpp The formation of an army: lists, slots, the status line, the checks and the departure. */
#include "army/UnitFormation.h"

#include <algorithm>
#include <cmath>

#include "army/BattleSetup.h"
#include "army/ItemTexts.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "runtime/VbError.h"
#include "sim/SimDb.h"
#include "sim/StatusPanels.h"
#include "sim/Storage.h"
#include "sim/TurnEnd_People.h"

namespace army {
namespace {

const std::string kConquer = "討伐";
const std::string kArmyName = "国王軍";
const std::string kSaber = "セイバー", kLancer = "ランサー", kRider = "ライダー", kArcher = "アーチャー";

const char kBarracksSql[] =
    "SELECT SUM(construction.NofProduction) FROM construct,construction,area WHERE "
    "construct.Name=construction.Name AND construct.Occupation = 'Soldier' AND "
    "area.Name=construction.Area AND construct.Area=area.Type";

// The slot word of row 3 for a class: its sub-arm, "" when it has none.
std::string SubArmSlot(const std::string& unitClass) {
  if (unitClass == kRider) return "馬";
  if (unitClass == kArcher) return "矢";
  return "";
}

std::string In(std::initializer_list<const char*> categories) {
  std::string out;
  for (const char* c : categories) out += (out.empty() ? "" : ",") + SqlText(c);
  return "Category IN (" + out + ")";
}

using sim::Col;

// An equipment row's number that cannot be read, shown as a data error of the procedure.
sim::UnreadableField Named(sim::WeekContext& ctx, const std::string& procedure) {
  return sim::BadValueOf(ctx, "アイテム情報取得エラー:" + procedure);
}

// The soldiers in the barracks: nothing (after the data error) when their sum is no count.
std::optional<int32_t> BarracksSoldiers(sim::WeekContext& ctx, const std::string& procedure) {
  const std::string sum = sim::QueryRow(ctx.db, kBarracksSql) ? ctx.db.Data(0) : "";
  const auto soldiers = sim::Amount(sum);
  if (!soldiers) sim::BadValue(ctx, "兵士数取得エラー:" + procedure, "SUM(construction.NofProduction)", sum);
  return soldiers;
}

// Rolls the open savepoint back and closes it.
void RollBack(clsDB& db) {
  db.Excute("ROLLBACK TO formation");
  db.Excute("RELEASE formation");
}

}  // namespace

void WriteSlotLabels(sim::IView& unitView) {
  const char* const labels[] = {"武器", "", "防具", "アクセサリ", "アイテム1", "アイテム2"};
  for (int16_t row = 2; row <= 7; ++row) unitView.HeaderText(row, 1, labels[row - 2]);
}

int RetSlotRow(const std::string& Slot) {
  if (Slot == "武器") return 2;
  if (Slot == "矢" || Slot == "馬") return 3;
  if (Slot == "防具") return 4;
  if (Slot == "アクセサリ") return 5;
  if (Slot == "アイテム1") return 6;
  if (Slot == "アイテム2") return 7;
  return 0;
}

std::string SlotCondition(int row, const std::string& unitClass) {
  switch (row) {
    case 2:
      if (unitClass == kSaber) return In({"剣"});
      if (unitClass == kLancer) return In({"槍"});
      if (unitClass == kRider) return In({"剣", "槍"});
      if (unitClass == kArcher) return In({"弓"});
      return "";
    case 3:
      if (unitClass == kRider) return In({"馬"});
      if (unitClass == kArcher) return In({"矢"});
      return "";
    case 4:
      if (unitClass == kSaber || unitClass == kRider) return In({"軽鎧", "重鎧"});
      if (unitClass == kLancer) return In({"軽鎧", "重鎧", "全身鎧"});
      if (unitClass == kArcher) return In({"軽鎧"});
      return "";
    case 5: return In({"兜", "靴", "装飾品"});
    case 6:
    case 7: return In({"食料", "回復薬"});
    default: return "";
  }
}

void ClassCapacity(const std::string& unitClass, int16_t e, int& capacity, int& speed) {
  const double q = std::pow(e / 50.0, 2);
  capacity = speed = 0;
  if (unitClass == kSaber) capacity = rt::CInt(q * 11 + 20), speed = 15;
  else if (unitClass == kArcher) capacity = rt::CInt(q * 9 + 15), speed = 20;
  else if (unitClass == kLancer) capacity = rt::CInt(q * 15 + 25), speed = 10;
}

std::string EquipmentToolTip(const std::vector<std::string>& itemRow) {
  return itemtext::RetItemLines(Col(itemRow, 1), Col(itemRow, 2), Col(itemRow, 3), Col(itemRow, 5),
                                Col(itemRow, 6));
}

std::optional<std::string> NestToolTip(clsDB& db, const std::vector<std::string>& nestRow) {
  const auto monsters = sim::QueryRows(db,
                                       "SELECT monster.Name,Race,Class,Attack,Defence,Speed,"
                                       "AttackEffect,DefenceEffect FROM monster,nest "
                                       "WHERE (monster.Name= nest.AM1 OR monster.Name=nest.AM2 OR monster.Name=nest.AM3) "
                                       "AND nest.Name=" + SqlText(Col(nestRow, 0)),
                                       "NestToolTip");
  if (monsters.empty()) return std::nullopt;
  std::string text;
  const std::string times = Col(nestRow, 3), treasure = Col(nestRow, 4);
  if (rt::Val(times) > 0) text = "討伐" + times + "回:財宝=" + (treasure.empty() ? "なし" : treasure) + "\r\n";
  for (size_t i = 0; i < monsters.size(); ++i) {
    const auto& m = monsters[i];
    if (m.size() < 8) continue;
    text += m[0] + "(" + m[1] + ":" + m[2] + ")\r\n";
    text += "攻撃力:" + m[3] + "/防御力:" + m[4] + "/速さ:" + m[5] + "\r\n";
    const std::string effect = itemtext::RetMonsterEffectText(m[6], m[7]);
    if (!effect.empty()) text += effect + "\r\n";
    if (i + 1 < monsters.size()) text += "\r\n";
  }
  return text;
}

clsUnitFormation::clsUnitFormation(sim::WeekContext& ctx, IFormationHost& host, clsBattle& battle,
                                   clsMngUnitItems& unitItems)
    : ctx_(ctx), host_(host), battle_(battle), unitItems_(unitItems) {}

void clsUnitFormation::ClearItemCells(int fromRow, int toRow) {
  for (int r = fromRow; r <= toRow; ++r)
    for (int c = 2; c <= 4; ++c) View().HeaderText(static_cast<int16_t>(r), static_cast<int16_t>(c), "");
}

void clsUnitFormation::ShowItem(int row, const clsItem& item) {
  const auto r = static_cast<int16_t>(row);
  View().HeaderText(r, 2, item.Name);
  View().HeaderText(r, 3, rt::CStr(item.Power));
  View().HeaderText(r, 4, rt::CStr(item.Storage));
}

void clsUnitFormation::RemoveSlot(const std::string& slot) {
  if (mUnitItems.Exists(slot)) mUnitItems.Remove(slot);
}

bool clsUnitFormation::ShowNestList(const std::string& Command) {
  mCommand = Command;
  mUnitClass.clear();
  mUnitItems.Clear();
  View().HeaderText(1, 1, "");
  ClearItemCells(2, 7);
  View().RePaint();
  if (Command != kConquer) return false;

  clsDB& db = ctx_.db;
  if (!db.GetData("SELECT Name,Coefficient,Distance,Times,Treasure FROM nest "
                  "WHERE NOT EXISTS (SELECT * FROM unit WHERE unit.RootName=nest.Name)"
                  " AND Open=True  ORDER BY Distance,Coefficient",
                  "ShowNestList") ||
      db.GetRowCount() == 0) {
    ctx_.ShowMSGBox("討伐できるモンスターの巣がありません", sim::kMsgClose, true);
    return false;
  }
  auto nests = db.GetRecordSet();
  mSoldierEducation = ctx_.data.Education("Soldier");

  if (!sim::QueryRow(db, kBarracksSql) || db.Data(0).empty()) {
    ctx_.ShowMSGBox("兵舎がありません", sim::kMsgClose, true);
    return false;
  }
  const auto barracks = BarracksSoldiers(ctx_, "ShowNestList");
  if (!barracks) return false;
  const int32_t soldiers = *barracks;
  if (soldiers <= 0) {
    ctx_.ShowMSGBox("兵士がいません", sim::kMsgClose, true);
    return false;
  }
  host_.ShowList(FormationGrid::Sub2, FormationColumns::NestRoute, 550, 470, 260, 120, nests);
  // An army is a 16-bit count of soldiers.
  host_.ShowSlider(210, 510, 330, 64, std::min<int32_t>(soldiers, 32767), "兵士");
  if (db.GetData("SELECT NameJ FROM class", "ShowNestList"))
    host_.ShowList(FormationGrid::Sub1, FormationColumns::UnitClass, 215, 100, 100, 100, db.GetRecordSet());
  return true;
}

void clsUnitFormation::ShowStandardEquipment(const std::vector<std::string>& classRow) {
  mUnitItems.Clear();
  mUnitClass = Col(classRow, 0);
  host_.HideList(FormationGrid::Main);
  ClearItemCells(2, 7);
  View().HeaderText(3, 1, SubArmSlot(mUnitClass));
  View().RePaint();
  host_.ShowCountButton("最強装備");

  for (const auto& [slot, item] : unitItems_.GetUnitItem(ctx_.db, mUnitClass, Named(ctx_, "ShowStandardEquipment"))) {
    // A remembered sub-arm of another class's row 3 is not this class's to carry.
    const int row = RetSlotRow(slot);
    if (row == 0 || (row == 3 && slot != SubArmSlot(mUnitClass))) continue;
    mUnitItems.Add(item, slot);
    ShowItem(row, item);
  }
  View().RePaint();
  CalcUnitStatus();
}

void clsUnitFormation::GVUnit_Click(int16_t row, int16_t) {
  if (View().HeaderText(1, 1).empty()) return;
  const std::string label = View().HeaderText(row, 1);
  const std::string condition = SlotCondition(RetSlotRow(label), mUnitClass);
  if (label.empty() || RetSlotRow(label) != row || condition.empty()) return;
  mUnitSlot = label;

  clsDB& db = ctx_.db;
  if (!db.GetData("SELECT item.Name,Category,Power,Weight,Storage,Effect,Tips FROM item,itemdata "
                  "WHERE item.Name=itemdata.Name AND " + condition + " AND itemdata.Storage>0 ORDER BY 3 DESC",
                  "GVUnit_Click") ||
      db.GetRowCount() == 0) {
    ctx_.ShowMSGBox(mUnitClass + "用の" + mUnitSlot + "がありません", sim::kMsgClose, true);
    host_.HideList(FormationGrid::Main);
    return;
  }
  host_.ShowList(FormationGrid::Main, FormationColumns::Equipment, 215, 250, 500, 200, db.GetRecordSet());
}

void clsUnitFormation::GVUnit_RightClick(int16_t row, int16_t) {
  if (View().HeaderText(1, 1).empty() || View().HeaderText(row, 2).empty()) return;
  RemoveSlot(View().HeaderText(row, 1));
  host_.HideList(FormationGrid::Main);
  ClearItemCells(row, row);
  View().RePaint();
  CalcUnitStatus();
}

void clsUnitFormation::SetUnitEquipment(const std::vector<std::string>& itemRow) {
  const int row = RetSlotRow(mUnitSlot);
  if (row == 0 || itemRow.empty()) return;
  // An item whose figures cannot be read is not taken: the slot stays as it was.
  const auto item = ItemFromRow(itemRow, mUnitSlot, Named(ctx_, "SetUnitEquipment"));
  if (!item) return;
  RemoveSlot(mUnitSlot);
  ShowItem(row, *item);
  View().RePaint();
  mUnitItems.Add(*item, mUnitSlot);
  host_.HideList(FormationGrid::Main);
  CalcUnitStatus();
}

void clsUnitFormation::SetBestEquipment() {
  if (mUnitClass.empty()) return;
  for (const char* slot : {"武器", "矢", "馬", "防具"}) RemoveSlot(slot);
  ClearItemCells(2, 4);
  const std::string slots[] = {"武器", SubArmSlot(mUnitClass), "防具"};
  for (int row = 2; row <= 4; ++row) {
    const std::string& slot = slots[row - 2];
    const std::string condition = SlotCondition(row, mUnitClass);
    if (slot.empty() || condition.empty()) continue;
    const auto rows = sim::QueryRows(ctx_.db,
                                     "SELECT item.Name,Category,Power,Weight,Storage,Effect FROM item,itemdata "
                                     "WHERE item.Name=itemdata.Name AND " + condition +
                                         " AND itemdata.Storage>0 ORDER BY Power DESC",
                                     "SetBestEquipment");
    // The strongest item whose figures can be read; each stronger one that cannot is named.
    for (const auto& itemRow : rows) {
      const auto item = ItemFromRow(itemRow, slot, Named(ctx_, "SetBestEquipment"));
      if (!item) continue;
      ShowItem(row, *item);
      mUnitItems.Add(*item, slot);
      break;
    }
  }
  View().RePaint();
  host_.HideList(FormationGrid::Main);
  CalcUnitStatus();
}

bool clsUnitFormation::CalcUnitStatus() {
  if (mUnitClass.empty()) return false;
  int load = 0, attack = 0, defence = 0, speedEffect = 0;
  const clsItem* horse = nullptr;
  for (const auto& [slot, item] : mUnitItems) {
    if (slot == "馬") horse = &item;
    else load += item.Weight;
    if (slot == "武器" || slot == "矢") attack += item.Power;
    if (slot == "防具" || slot == "アクセサリ") defence += item.Power;
    if (slot == "武器" || slot == "防具" || slot == "アクセサリ") speedEffect += effectstr::RetSpeedEffect(item.Effect);
  }
  int capacity = 0, speed = 0;
  double factor = 1.0;
  if (mUnitClass == kRider) {
    if (horse) capacity = horse->Weight, speed = horse->Power;
  } else {
    ClassCapacity(mUnitClass, mSoldierEducation, capacity, speed);
    if (load > 0) factor = std::min(static_cast<double>(capacity) / load, 1.5);
  }
  if (load > 0) speed = rt::CInt(speed * factor);
  View().HeaderText(1, 1,
                    mUnitClass + "(" + std::to_string(attack) + "/" + std::to_string(defence) + "/" +
                        std::to_string(load) + "/" + std::to_string(capacity) + "/" +
                        std::to_string(speed + speedEffect) + ")");
  View().RePaint();
  return load <= capacity;
}

bool clsUnitFormation::HasStock(const std::string& Name, int32_t Amount) {
  const sim::StockRead s = sim::ReadStock(ctx_.db, Name);
  if (s.damaged) sim::ReportStock(ctx_, "倉庫取得エラー:HasStock", Name);
  return s.row && !s.damaged && s.stock >= Amount;
}

std::string clsUnitFormation::SetBattle(const std::vector<std::string>& nestRow) {
  // Only the conquest command sends an army: no other command names a nest to march on.
  if (mCommand != kConquer) return "討伐先を選んでから出陣してください";
  if (View().HeaderText(1, 1).empty()) return "ユニットのクラスが決まっていません";
  if (View().HeaderText(2, 2).empty()) return "武器が設定されていません";
  if (View().HeaderText(4, 2).empty()) return "防具が設定されていません";
  const std::string subLabel = View().HeaderText(3, 1);
  if (!subLabel.empty() && View().HeaderText(3, 2).empty()) return subLabel + "が設定されていません";
  if (!View().HeaderText(6, 2).empty() && View().HeaderText(6, 2) == View().HeaderText(7, 2))
    return "アイテム1とアイテム2が同じです。違うものを選択してください";
  if (!CalcUnitStatus()) return "装備が重量オーバーです";
  const int32_t s = host_.SliderValue();
  if (s <= 0) return "兵士がいません";

  bool fullArmour = false;
  for (const auto& [slot, item] : mUnitItems)
    if (item.Category == "全身鎧") fullArmour = true;
  if (fullArmour) {
    std::string message;
    for (const auto& [slot, item] : mUnitItems) {
      if (item.Category == "兜") message = "全身鎧を装備しているので兜は装備できません";
      if (item.Category == "靴") message = "全身鎧を装備しているので靴は装備できません";
    }
    if (!message.empty()) return message;
  }
  for (const auto& [slot, item] : mUnitItems)
    if (!HasStock(item.Name, s)) return item.Name + "の数量が足りません";

  const std::string nestName = Col(nestRow, 0);
  if (nestName.empty()) return "討伐するモンスターの巣を選んでください";
  const auto distance = sim::Figure16(Col(nestRow, 2));
  if (!distance) return nestName + "までの距離が読めません";
  if (ctx_.ShowMSGBox(nestName + "へ向けて進軍します", sim::kMsgYesNo, true) == sim::kAnsNo) return "";
  return Depart(nestName, *distance, static_cast<int16_t>(std::min<int32_t>(s, 32767)));
}

std::string clsUnitFormation::Depart(const std::string& nestName, int16_t distance, int16_t s) {
  clsDB& db = ctx_.db;
  auto unit = std::make_shared<clsUnitver2>();
  std::string id;
  // Soldiers and items leave, and the army's row is written, together or not at all.
  if (!db.Excute("SAVEPOINT formation")) return "出陣の準備ができませんでした:" + db.GetErrMSG();
  try {
    for (const auto& [slot, item] : mUnitItems) {
      if (!sim::ItemStorageDif(db, item.Name, s)) {
        RollBack(db);
        return item.Name + "の数量が足りません";
      }
    }
    const auto before = BarracksSoldiers(ctx_, "SetBattle");
    if (!before || *before < s) {
      RollBack(db);
      return "兵舎の兵士が足りません";
    }
    sim::SoldierDif(ctx_, s);
    if (BarracksSoldiers(ctx_, "SetBattle") != *before - s) {
      RollBack(db);
      return "兵舎から兵士を出せませんでした";
    }

    const auto next = sim::NextId(db, "unit");
    if (!next) {
      RollBack(db);
      return "軍を送り出せませんでした:unit.ID";
    }
    id = rt::CStr(*next);
    unit->SetUnit(id, kArmyName, mUnitClass, s, mSoldierEducation);
    for (const auto& [slot, item] : mUnitItems) EquipUnit(*unit, item);
    const std::string sql =
        "INSERT INTO unit VALUES(" + id + "," + SqlText(kArmyName) + ",'Ally'," + SqlText(nestName) + "," +
        rt::CStr(distance) + "," + SqlText(mUnitClass) + "," + rt::CStr(mSoldierEducation) + "," +
        rt::CStr(s) + "," + rt::CStr(s) + "," + SqlText(unit->GetArm()) + "," + SqlText(unit->GetProtect()) + "," +
        SqlText(unit->GetAccessory()) + "," + SqlText(unit->GetItemName1()) + "," +
        SqlText(unit->GetItemName2()) + ",100,1,0,0,0," + SqlText(unit->GetSubArm()) + ")";
    if (!db.Excute(sql)) {
      const std::string why = db.GetErrMSG();
      RollBack(db);
      return "軍を送り出せませんでした:" + why;
    }
    if (!db.Excute("RELEASE formation")) {
      const std::string why = db.GetErrMSG();
      RollBack(db);
      return "軍を送り出せませんでした:" + why;
    }
  } catch (const std::exception& e) {
    RollBack(db);
    return "軍を送り出せませんでした:" + rt::DescribeError(e);
  }

  // Committed: only now does the army exist for the battle engine and the remembered sets.
  battle_.UnitAdd(unit, kArmyName + id);
  sim::ShowOccupation(ctx_, "Soldier", false);
  ctx_.screen.View(sim::ViewId::People).RePaint();
  for (const auto& [slot, item] : mUnitItems) unitItems_.SetUnitItem(mUnitClass, item.Item, item.Name);
  host_.HideCommandPanel(mCommand, false);
  return "";
}

}  // namespace army
