/** @file BattleSetup.cpp Filling battle units from items and from the game database. */
#include "army/BattleSetup.h"

#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "runtime/VbError.h"

namespace {

/// A whole number read from the database; a damaged or empty field reads as 0.
int Whole(const std::string& text) {
  try {
    return rt::IsNumeric(text) ? rt::CInt(text) : 0;
  } catch (const rt::VbError&) {
    return 0;
  }
}

}  // namespace

void EquipUnit(clsUnitver2& unit, const clsItem& item) {
  if (item.Item == "武器") {
    unit.SetArms(item.Name, item.Power, item.Weight);
    unit.SetAttackEffects(item.Effect);
  } else if (item.Item == "防具") {
    unit.SetProtector(item.Name, item.Power, item.Weight);
    unit.SetDefenceEffects(item.Effect);
  } else if (item.Item == "アクセサリ") {
    unit.SetAccessory(item.Name, item.Power, item.Weight, item.Effect);
  } else if (item.Item == "アイテム1") {
    unit.SetItem1(item.Name, item.Weight, item.Effect);
  } else if (item.Item == "アイテム2") {
    unit.SetItem2(item.Name, item.Weight, item.Effect);
  } else {  // arrows or horse
    unit.SetSubArms(item.Name, item.Power, item.Weight);
    unit.SetAttackEffects(item.Effect);
  }
}

std::shared_ptr<clsUnitver2> LoadMonster(clsDB& db, const std::string& name, const std::string& monsterId,
                                         int soldiers) {
  if (!db.GetData("SELECT * FROM monster WHERE Name=" + SqlText(name), "LoadMonster") || db.GetRowCount() == 0)
    return nullptr;
  auto unit = std::make_shared<clsUnitver2>();
  unit->SetMonster(monsterId, name, db.Data(1), db.Data(2), Whole(db.Data(3)), Whole(db.Data(4)),
                   Whole(db.Data(5)), db.Data(6), db.Data(7), soldiers, 50, Whole(db.Data(8)), Whole(db.Data(9)),
                   Whole(db.Data(10)));
  return unit;
}

std::optional<clsItem> LoadItem(clsDB& db, const std::string& name, const std::string& slot) {
  if (!db.GetData("SELECT Name,Category,Power,Weight,Effect FROM item WHERE Name=" + SqlText(name), "LoadItem") ||
      db.GetRowCount() == 0)
    return std::nullopt;
  clsItem item;
  item.Name = db.Data(0);
  item.Category = db.Data(1);
  item.Power = static_cast<int16_t>(Whole(db.Data(2)));
  item.Weight = static_cast<int16_t>(Whole(db.Data(3)));
  item.Effect = db.Data(4);
  item.Item = slot;
  return item;
}

std::optional<NestMonsters> LoadNest(clsDB& db, const std::string& name) {
  if (!db.GetData("SELECT * FROM nest WHERE Name=" + SqlText(name), "LoadNest") || db.GetRowCount() == 0)
    return std::nullopt;
  NestMonsters nest;
  for (int col = 3; col <= 5; ++col) {
    std::string monster = db.Data(col);
    if (monster.empty()) break;
    nest.Monsters.push_back(monster);
  }
  nest.Soldiers = Whole(db.Data(6));
  nest.BattleField = db.Data(9);
  return nest;
}
