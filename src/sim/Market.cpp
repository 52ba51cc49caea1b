/** @file Market.cpp The market's weekly steps: continuing purchases and sales, and the fading of the novelty premium. */
#include <string>
#include <vector>

#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "sim/SimDb.h"
#include "sim/Storage.h"
#include "sim/TurnEnd_Market.h"

namespace sim {
namespace {

constexpr std::string_view kCrLf = "\r\n";

const std::string kOrderError = "継続売買取得エラー:TurnEnd_ContinueItem";

// The unit price of one item, or false when the item has no catalogue or itemdata row or its
// price is no whole number from 0 (shown as a data error of the orders).
bool UnitPrice(WeekContext& ctx, std::string_view expression, const std::string& Item, int32_t& price) {
  const std::string sql = "SELECT " + std::string(expression) +
                          " FROM item,itemdata WHERE item.Name=itemdata.Name AND itemdata.Name=" + SqlText(Item);
  if (!QueryRow(ctx.db, sql)) return false;
  const auto read = Amount(ctx.db.Data(0));
  if (!read) {
    BadValue(ctx, kOrderError, "単価(" + Item + ")", ctx.db.Data(0));
    return false;
  }
  price = *read;
  return true;
}

// An order whose item's stock is damaged is not carried out.
bool StockUsable(WeekContext& ctx, const std::string& Item) {
  if (!ReadStock(ctx.db, Item).damaged) return true;
  ReportStock(ctx, kOrderError, Item);
  return false;
}

void ContinueItemSell(WeekContext& ctx, const std::string& Item, int16_t Amount, TurnLog& Log, int16_t Remaining) {
  int32_t price = 0;
  if (!UnitPrice(ctx, kSellPriceSql, Item, price) || !StockUsable(ctx, Item)) return;
  std::string text;
  if (!ItemStorageDif(ctx.db, Item, Amount)) {
    text = "【" + Item + "】が倉庫に" + rt::CStr(Amount) + "ないため、売却を実行できませんでした";
  } else {
    const int64_t Gain = int64_t{Amount} * price;
    ctx.data.MoneyAdd(Gain);
    text = "【" + Item + "】を" + rt::CStr(Amount) + "、" + rt::CStr(Gain) + "で売却しました";
  }
  Log.Add("continueitem", text + std::string(kCrLf) + "残り売却回数は" + rt::CStr(Remaining) + "回です");
}

void ContinueItemBuy(WeekContext& ctx, const std::string& Item, int16_t Amount, TurnLog& Log, int16_t Remaining) {
  int32_t price = 0;
  if (!UnitPrice(ctx, kBuyPriceSql, Item, price) || !StockUsable(ctx, Item)) return;
  const int64_t Cost = int64_t{price} * Amount;
  std::string text;
  // A cost beyond the treasury (also one beyond 32 bits) cannot be paid.
  if (Cost > ctx.data.Money() || !ctx.data.MoneyDif(static_cast<int32_t>(Cost))) {
    text = "【" + Item + "】を" + rt::CStr(Amount) + "、購入する資金がないため実行できませんでした";
  } else {
    ItemStorageAdd(ctx.db, Item, Amount);
    text = "【" + Item + "】を" + rt::CStr(Amount) + "、" + rt::CStr(Cost) + "で購入しました";
  }
  Log.Add("continueitem", text + std::string(kCrLf) + "残り購入回数は" + rt::CStr(Remaining) + "回です");
}

struct Order {
  int32_t id = 0;
  std::string item, type;
  int16_t amount = 0;
  int16_t count = 0;
};

// The order of a row; false (after the data error) when its ID, amount or count is unusable.
bool ReadOrder(WeekContext& ctx, const std::vector<std::string>& row, Order& o) {
  const auto id = WholeNumber(row[0]);
  const auto amount = Amount16(row[3]);
  const auto count = Count16(row[4]);
  if (!AllRead(ctx, kOrderError,
               {{bool(id), "continueitem.ID", row[0]},
                {bool(amount), "continueitem.Amount", row[3]},
                {bool(count), "continueitem.Count", row[4]}}))
    return false;
  o = {*id, row[1], row[2], *amount, *count};
  return true;
}

}  // namespace

void TurnEnd_ContinueItem(WeekContext& ctx, TurnLog& Log) {
  // Every order is read before any runs: the workers run queries of their own. An order that
  // cannot be read stays as it is and does nothing.
  std::vector<Order> orders;
  for (const auto& row : QueryRows(ctx.db, "SELECT * FROM continueitem")) {
    Order o;
    if (row.size() >= 5 && ReadOrder(ctx, row, o)) orders.push_back(o);
  }
  for (const Order& o : orders) {
    const int16_t Remaining = static_cast<int16_t>(o.count - 1);
    if (o.type == "購入")
      ContinueItemBuy(ctx, o.item, o.amount, Log, Remaining);
    else
      ContinueItemSell(ctx, o.item, o.amount, Log, Remaining);
  }
  // An order counts down whether or not this week's execution succeeded.
  for (const Order& o : orders) {
    if (o.count < 2)
      ctx.db.Excute("DELETE FROM continueitem WHERE ID=" + rt::CStr(o.id));
    else
      ctx.db.Excute("UPDATE continueitem SET Count=" + rt::CStr(o.count - 1) + " WHERE ID=" + rt::CStr(o.id));
  }
}

void TurnEnd_DecreaseWeek(WeekContext& ctx) {
  const auto rows = QueryRows(ctx.db,
                              "SELECT item.Name,itemdata.DecreaseWeek FROM item,itemdata WHERE "
                              "item.Name=itemdata.Name AND itemdata.Open='公開' AND itemdata.DecreaseWeek>0");
  for (const auto& row : rows) {
    const auto week = Amount16(row[1]);
    if (!week) {
      BadValue(ctx, "アイテム情報取得エラー:TurnEnd_DecreaseWeek", "itemdata.DecreaseWeek", row[1]);
      continue;
    }
    ctx.db.Excute("UPDATE itemdata SET DecreaseWeek=" + rt::CStr(*week - 1) + " WHERE Name=" + SqlText(row[0]));
  }
}

}  // namespace sim
