/** @file clsMngUnitItems.cpp The standard equipment of each unit class and its settings text. */
#include "army/clsMngUnitItems.h"

#include "db/clsDB.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"
#include "sim/SimDb.h"

namespace {

// A field that would split the text form when written back.
bool Writable(const std::string& field) {
  return !field.empty() && field.find(':') == std::string::npos && field.find('/') == std::string::npos;
}

}  // namespace

void clsMngUnitItems::SetUnitItemData(const std::string& pData) {
  if (pData.empty()) return;
  for (const std::string& element : rt::Split(pData, "/")) {
    if (element.empty()) continue;
    const auto fields = rt::Split(element, ":");
    if (fields.size() < 3 || fields[0].empty() || fields[1].empty() || fields[2].empty()) continue;
    SetUnitItem(fields[0], fields[1], fields[2]);
  }
}

std::string clsMngUnitItems::GetUnitItemData() const {
  std::string out;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (i > 0) out += "/";
    out += items_[i].UnitType + ":" + items_[i].Category + ":" + items_[i].ItemName;
  }
  return out;
}

void clsMngUnitItems::SetUnitItem(const std::string& UnitType, const std::string& UnitCategory,
                                  const std::string& ItemName) {
  if (!Writable(UnitType) || !Writable(UnitCategory) || !Writable(ItemName)) return;
  for (auto& entry : items_) {
    if (entry.Category == UnitCategory && entry.UnitType == UnitType) {
      entry.ItemName = ItemName;
      return;
    }
  }
  items_.push_back({ItemName, UnitCategory, UnitType});
}

rt::Collection<clsItem> clsMngUnitItems::GetUnitItem(clsDB& db, const std::string& UnitType) const {
  rt::Collection<clsItem> result;
  for (const auto& entry : items_) {
    if (entry.UnitType != UnitType || result.Exists(entry.Category)) continue;
    clsItem item;
    if (GetItemData(db, entry.ItemName, entry.Category, item)) result.Add(item, entry.Category);
  }
  return result;
}

bool clsMngUnitItems::GetItemData(clsDB& db, const std::string& ItemName, const std::string& Category,
                                  clsItem& item) {
  if (!sim::QueryRow(db, "SELECT item.Name,Category,Power,Weight,Storage,Effect FROM item,itemdata "
                         "WHERE item.Name=itemdata.Name AND item.Name=" + SqlText(ItemName)))
    return false;
  try {
    item.Item = Category;
    item.Name = db.Data(0);
    item.Category = db.Data(1);
    item.Power = sim::TextI(db.Data(2));
    item.Weight = sim::TextI(db.Data(3));
    item.Storage = sim::TextL(db.Data(4));
    item.Effect = db.Data(5);
    return true;
  } catch (const rt::VbError&) {
    return false;  // a damaged catalogue row is skipped like a missing one
  }
}
