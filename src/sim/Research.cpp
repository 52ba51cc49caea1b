/** @file Research.cpp Item research: the general effort over every public item, the target's own research and the recipes it reveals. */
#include "sim/Research.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "runtime/Strings.h"
#include "sim/SimDb.h"
#include "sim/TurnEnd_Market.h"

namespace sim {
namespace {

// An item row (name, value, level, research); false (after the data error) when a number
// cannot be used: a difficulty must be a whole number, a level and points counts from 0.
bool FromRow(WeekContext& ctx, const std::vector<std::string>& row, const std::string& message,
             clsItemResearch& item) {
  const auto value = WholeNumber16(row[1]);
  const auto level = Amount16(row[2]);
  const auto research = Amount16(row[3]);
  if (!AllRead(ctx, message,
               {{bool(value), "item.Value", row[1]},
                {bool(level), "itemdata.ItemLevel", row[2]},
                {bool(research), "itemdata.Research", row[3]}}))
    return false;
  item = {row[0], *value, *level, *research};
  return true;
}

constexpr std::string_view kResearchColumns =
    "SELECT item.Name,item.Value,itemdata.ItemLevel,itemdata.Research "
    "FROM item,itemdata WHERE item.Name=itemdata.Name AND ";

}  // namespace

void ItemResearchAdd(WeekContext& ctx, clsItemResearch& Item, int32_t Points, TurnLog& Log, bool Capped,
                     int16_t Limit) {
  if (Item.Value < 1) return;  // a catalogue row without a difficulty is not researched
  // Wide first: late in a game the points divided by a small difficulty pass 16 bits.
  int64_t Add = Points / Item.Value;
  if (Capped && Add > Limit) Add = Limit;
  const int32_t L = Item.ItemLevel;
  const int64_t R = Item.ItemResearch;
  if (L >= 10) return;

  std::string sql;
  const int64_t need = (L + 1) * 100;
  if (R + Add < need) {
    sql = "UPDATE itemdata SET Research=" + rt::CStr(R + Add) + " WHERE Name=" + SqlText(Item.Name);
  } else {
    if (L != 9) {
      const int64_t carried = std::min<int64_t>(R + Add - need, 100);
      sql = "UPDATE itemdata SET ItemLevel=" + rt::CStr(int64_t{L + 1}) + ",Research=" + rt::CStr(carried) +
            " WHERE Name=" + SqlText(Item.Name);
    } else {
      sql = "UPDATE itemdata SET ItemLevel=10,Research=1100 WHERE Name=" + SqlText(Item.Name);
    }
    Item.ItemLevel = static_cast<int16_t>(L + 1);
    Log.Add("itemresearch", Item.Name + "の研究レベルが上がって" + rt::CStr(Item.ItemLevel) + "になりました");
  }
  ctx.db.Excute(sql);
}

void TurnEnd_ItemResearchAll(WeekContext& ctx, TurnLog& Log) {
  const auto rows = QueryRows(ctx.db, std::string(kResearchColumns) + "itemdata.Open='公開' AND itemdata.ItemLevel<10");
  std::vector<clsItemResearch> items;
  for (const auto& row : rows) {
    // Keyed by name: a name read twice is researched once.
    const bool seen = std::any_of(items.begin(), items.end(),
                                  [&](const clsItemResearch& i) { return rt::EqualsNoCase(i.Name, row[0]); });
    clsItemResearch item;
    if (!seen && FromRow(ctx, row, "研究アイテム取得エラー:TurnEnd_ItemResearchAll", item)) items.push_back(item);
  }
  if (items.empty()) return;

  const double P = ctx.data.Population();
  const double E = ctx.data.EducationAverage();
  const double K = static_cast<double>(items.size());
  const int32_t Points = rt::CLng(E / 30 * P * std::sqrt(std::max(E, 0.0)) / K);
  if (Points < 1) return;
  for (clsItemResearch& item : items) ItemResearchAdd(ctx, item, Points, Log, true, 25);
}

void TurnEnd_ItemResearch(WeekContext& ctx, TurnLog& Log) {
  const int16_t E = ctx.data.EducationAverage();
  const std::string T = ctx.state.panels.itemResearch;
  if (T.empty() || T == "なし") return;

  const std::string message = "研究アイテム取得エラー:TurnEnd_ItemResearch";
  const auto rows = QueryRows(ctx.db, std::string(kResearchColumns) + "item.Name=" + SqlText(T));
  if (rows.empty()) {
    ctx.MsgBox(message);
    return;
  }
  clsItemResearch item;
  if (!FromRow(ctx, rows.front(), message, item)) return;
  ItemResearchAdd(ctx, item, E, Log, true, 75);
  const int16_t L = item.ItemLevel;

  // Recipes that use the target at a level it has reached and whose product is not yet known.
  const auto products = QueryRows(ctx.db, "SELECT synthesisitem.Name FROM synthesisitem WHERE ItemName=" +
                                               SqlText(T) + " AND ItemLevel<=" + rt::CStr(L) +
                                               " AND Name NOT IN (SELECT itemdata.Name FROM itemdata WHERE Synthesis=True)");
  std::vector<std::string> handled;
  for (const auto& product : products) {
    const std::string& X = product[0];
    // A product named by two rows of the target is looked at once.
    if (std::find(handled.begin(), handled.end(), X) != handled.end()) continue;
    handled.push_back(X);
    const auto others = QueryRows(ctx.db, "SELECT ItemName,ItemLevel FROM synthesisitem WHERE Name=" + SqlText(X) +
                                              " AND ItemName<>" + SqlText(T));
    bool qualifies = true;
    for (const auto& other : others) {
      // A level that is no whole number qualifies as little as a missing row.
      const auto needed = WholeNumber(other[1]);
      const auto held = QueryRow(ctx.db, "SELECT ItemLevel FROM itemdata WHERE Name=" + SqlText(other[0]))
                            ? WholeNumber(ctx.db.Data(0))
                            : std::nullopt;
      if (!needed || !held || *held < *needed) {
        qualifies = false;
        break;
      }
    }
    if (!qualifies) continue;

    if (!QueryRow(ctx.db, "SELECT * FROM itemdata WHERE Name=" + SqlText(X)))
      ctx.db.Excute("INSERT INTO itemdata VALUES(" + SqlText(X) + ",0,0,0,'非公開',21,True)");
    else
      ctx.db.Excute("UPDATE itemdata SET Synthesis=True WHERE Name=" + SqlText(X));
    std::string from;
    for (const auto& other : others) from += other[0] + "と";
    Log.Add("newitem", from + T + "から\r\n【" + X + "】の生産方法を発見しました");
  }
}

}  // namespace sim
