/** @file clsMngUnitItems.cpp The standard equipment of each unit class and its settings text. */
#include "army/clsMngUnitItems.h"

#include "db/clsDB.h"
#include "runtime/Strings.h"
#include "sim/SimDb.h"

namespace {

// A field that would split the text form when written back.
bool Writable(const std::string& field) {
  return !field.empty() && field.find(':') == std::string::npos && field.find('/') == std::string::npos;
}

using sim::Col;

}  // namespace

std::optional<clsItem> ItemFromRow(const std::vector<std::string>& row, const std::string& slot,
                                   const sim::UnreadableField& unreadable) {
  const std::string power = Col(row, 2), weight = Col(row, 3), storage = Col(row, 4);
  const auto p = sim::Figure16(power), w = sim::Figure16(weight);
  const auto s = sim::Amount(storage);
  if (!sim::AllRead(unreadable, {{p.has_value(), "item.Power", power},
                                  {w.has_value(), "item.Weight", weight},
                                  {s.has_value(), "itemdata.Storage", storage}}))
    return std::nullopt;
  clsItem item;
  item.Name = Col(row, 0);
  item.Category = Col(row, 1);
  item.Power = *p;
  item.Weight = *w;
  item.Storage = *s;
  item.Effect = Col(row, 5);
  item.Item = slot;
  return item;
}

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

rt::Collection<clsItem> clsMngUnitItems::GetUnitItem(clsDB& db, const std::string& UnitType,
                                                     const sim::UnreadableField& unreadable) const {
  rt::Collection<clsItem> result;
  for (const auto& entry : items_) {
    if (entry.UnitType != UnitType || result.Exists(entry.Category)) continue;
    if (auto item = GetItemData(db, entry.ItemName, entry.Category, unreadable)) result.Add(*item, entry.Category);
  }
  return result;
}

std::optional<clsItem> clsMngUnitItems::GetItemData(clsDB& db, const std::string& ItemName,
                                                    const std::string& Category, const sim::UnreadableField& unreadable) {
  const auto rows = sim::QueryRows(db, "SELECT item.Name,Category,Power,Weight,Storage,Effect FROM item,itemdata "
                                       "WHERE item.Name=itemdata.Name AND item.Name=" + SqlText(ItemName));
  if (rows.empty()) return std::nullopt;
  return ItemFromRow(rows.front(), Category, unreadable);
}
