/** @file clsUnitItem.h One remembered equipment choice: the item a unit class last took into battle in a slot. */
#pragma once
#include <string>

class clsUnitItem {
 public:
  std::string ItemName;
  std::string Category;  ///< the slot word ("武器", "矢", "馬", "防具", "アクセサリ", "アイテム1", "アイテム2")
  std::string UnitType;  ///< the unit class (class.NameJ)
};
