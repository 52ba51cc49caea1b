/** @file clsMngUnitItems.h The standard equipment of each unit class, kept between runs in the setting "UnitItem". */
#pragma once
#include <string>
#include <vector>

#include "army/clsItem.h"
#include "army/clsUnitItem.h"
#include "runtime/Collection.h"

class clsDB;

/// One entry per (class, slot): the item last sent into battle there. The text form is
/// "class:slot:item" entries joined by "/".
class clsMngUnitItems {
 public:
  /// Appends the entries of a settings text. The file is the player's to edit: an element
  /// without three non-empty fields is skipped, and a later entry for the same class and slot
  /// replaces the earlier one.
  void SetUnitItemData(const std::string& pData);
  /// The settings text of every entry, in order.
  std::string GetUnitItemData() const;
  /// Remembers one choice; the entry of that class and slot keeps its place.
  void SetUnitItem(const std::string& UnitType, const std::string& UnitCategory, const std::string& ItemName);
  /// The remembered items of a class that the catalogue still knows, keyed by slot word, with
  /// their stock.
  rt::Collection<clsItem> GetUnitItem(clsDB& db, const std::string& UnitType) const;

  const std::vector<clsUnitItem>& Entries() const { return items_; }

 private:
  static bool GetItemData(clsDB& db, const std::string& ItemName, const std::string& Category, clsItem& item);
  std::vector<clsUnitItem> items_;
};
