/** @file clsItem.h One item as equipped in a slot of an army. */
#pragma once
#include <cstdint>
#include <string>

class clsItem {
 public:
  int32_t Storage = 0;   ///< units in the storehouse
  std::string Category;  ///< the item's own category (a weapon kind, "馬", "回復薬", ...)
  std::string Item;      ///< the slot word it fills: "武器", "矢", "馬", "防具", "アクセサリ", "アイテム1", "アイテム2"
  std::string Effect;    ///< its effect string
  int16_t Weight = 0;
  std::string Name;
  int16_t Power = 0;
};
