/** @file Storage.h The kingdom's warehouse: the routines that put items in and take them out, and the two market prices. */
#pragma once
#include <cstdint>
#include <string_view>

class clsDB;

namespace sim {

struct WeekContext;

/// Stock raised by production, processing and imports never goes above this.
inline constexpr int32_t kStorageCap = 999999;

/// The unit prices, computed by the database from item.Price and itemdata.DecreaseWeek of the
/// same item (join item.Name=itemdata.Name). Every list, command and step that shows, charges
/// or credits a market price selects one of these.
inline constexpr std::string_view kBuyPriceSql = "ROUND(item.Price*(1+itemdata.DecreaseWeek*0.06),0)";
inline constexpr std::string_view kSellPriceSql = "ROUND(item.Price*(0.5+itemdata.DecreaseWeek*0.04),0)";

/// Purchases and spoils: adds Count with no upper cap; a new row is (Name, Count, 0, 0, "非公開", 21, False).
void ItemStorageAdd(clsDB& db, std::string_view Name, int32_t Count);
/// Sales and equipment: takes Count when the stock covers it (True); otherwise changes nothing (False).
bool ItemStorageDif(clsDB& db, std::string_view Name, int32_t Count);
/// Production, processing and gifts: adds Amount up to 999999; a new row has Synthesis True.
void ItemProductAdd(clsDB& db, std::string_view Name, int32_t Amount);
/// Processing and exports: takes Amount; a missing row or a stock that falls short is shown
/// in the standard message box (the stock then becomes 0).
void TurnEnd_ItemConsume(WeekContext& ctx, std::string_view Name, int32_t Amount);
/// Imports: adds Amount up to 999999; a new row has Synthesis False.
void ItemImport(clsDB& db, std::string_view Name, int32_t Amount);

}  // namespace sim
