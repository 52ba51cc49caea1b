/** @file BattleSetup.h Filling battle units from items and from the game database's nests and monsters. */
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "army/clsItem.h"
#include "army/clsUnitver2.h"

class clsDB;

/// Puts an item into the slot its `Item` names, reading its effect string as that slot does.
void EquipUnit(clsUnitver2& unit, const clsItem& item);

/// A monster as a battle unit, from its row of `monster` (education 50); null when there is no such monster.
std::shared_ptr<clsUnitver2> LoadMonster(clsDB& db, const std::string& name, const std::string& monsterId,
                                         int soldiers);

/// An item of the catalogue (name, category, power, weight, effect) for a slot; nothing when unknown.
std::optional<clsItem> LoadItem(clsDB& db, const std::string& name, const std::string& slot);

/// What a battle at a nest needs of it.
struct NestMonsters {
  std::vector<std::string> Monsters;  ///< in fighting order, up to the first empty name
  int Soldiers = 0;                   ///< of each monster
  std::string BattleField;
};
std::optional<NestMonsters> LoadNest(clsDB& db, const std::string& name);
