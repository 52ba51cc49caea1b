/** @file clsMngUnitItems.h The standard equipment of each unit class, kept between runs in the setting "UnitItem". */
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "army/clsItem.h"
#include "army/clsUnitItem.h"
#include "runtime/Collection.h"
#include "sim/SimDb.h"

class clsDB;

/// An item of the equipment lists' columns (Name, Category, Power, Weight, Storage, Effect)
/// filling `slot`; nothing when one of its numbers cannot be read, which `unreadable` hears.
std::optional<clsItem> ItemFromRow(const std::vector<std::string>& row, const std::string& slot,
                                   const sim::UnreadableField& unreadable = {});

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
  /// their stock. One whose numbers cannot be read is left out, and `unreadable` hears it.
  rt::Collection<clsItem> GetUnitItem(clsDB& db, const std::string& UnitType,
                                      const sim::UnreadableField& unreadable = {}) const;

  const std::vector<clsUnitItem>& Entries() const { return items_; }

 private:
  static std::optional<clsItem> GetItemData(clsDB& db, const std::string& ItemName, const std::string& Category,
                                            const sim::UnreadableField& unreadable);
  std::vector<clsUnitItem> items_;
};
