/** @file Storage.h The kingdom's warehouse: the routines that put items in and take them out, and the two market prices. */
#pragma once
#include <cstdint>
#include <string>
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

// A stored stock that is not a whole number from 0 within 32 bits is damaged: no routine here
// writes to it, so the damage is reported by the caller rather than carried further. Amounts
// below 0 are the callers' data errors and never reach these routines (a negative one throws).

/// The item's stock as these routines read it.
struct StockRead {
  bool row = false;      ///< the kingdom has a row for the item
  bool damaged = false;  ///< the row's stock is no stock
  int32_t stock = 0;
  std::string stored;    ///< the stock as stored
};
StockRead ReadStock(clsDB& db, std::string_view Name);
/// Shows an item whose stock is damaged: the step's message, then the stored value.
void ReportStock(WeekContext& ctx, const std::string& message, std::string_view Name);

/// Purchases and spoils: adds Count with no upper cap but the 32 bits of the column; a new
/// row is (Name, Count, 0, 0, "非公開", 21, False). False (nothing written) for a damaged stock.
bool ItemStorageAdd(clsDB& db, std::string_view Name, int32_t Count);
/// Sales and equipment: takes Count when the stock covers it (True); otherwise changes nothing (False).
bool ItemStorageDif(clsDB& db, std::string_view Name, int32_t Count);
/// Production, processing and gifts: adds Amount up to 999999; a new row has Synthesis True.
/// False (nothing written) for a damaged stock.
bool ItemProductAdd(clsDB& db, std::string_view Name, int32_t Amount);
/// Processing and exports: takes Amount; a missing row, a damaged stock or a stock that falls
/// short is shown in the standard message box (a short stock then becomes 0).
void TurnEnd_ItemConsume(WeekContext& ctx, std::string_view Name, int32_t Amount);
/// Imports: adds Amount up to 999999; a new row has Synthesis False. False for a damaged stock.
bool ItemImport(clsDB& db, std::string_view Name, int32_t Amount);

}  // namespace sim
