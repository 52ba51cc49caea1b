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

// The unit price of one item, or false when the item has no catalogue or itemdata row.
bool UnitPrice(clsDB& db, std::string_view expression, const std::string& Item, int32_t& price) {
  const std::string sql = "SELECT " + std::string(expression) +
                          " FROM item,itemdata WHERE item.Name=itemdata.Name AND itemdata.Name=" + SqlText(Item);
  if (!QueryRow(db, sql)) return false;
  price = DataL(db, 0);
  return true;
}

void ContinueItemSell(WeekContext& ctx, const std::string& Item, int16_t Amount, TurnLog& Log, int16_t Remaining) {
  int32_t price = 0;
  if (!UnitPrice(ctx.db, kSellPriceSql, Item, price)) return;
  std::string text;
  if (!ItemStorageDif(ctx.db, Item, Amount)) {
    text = "【" + Item + "】が倉庫に" + rt::CStr(Amount) + "ないため、売却を実行できませんでした";
  } else {
    const int32_t Gain = rt::MulL(Amount, price);
    ctx.data.MoneyAdd(Gain);
    text = "【" + Item + "】を" + rt::CStr(Amount) + "、" + rt::CStr(Gain) + "で売却しました";
  }
  Log.Add("continueitem", text + std::string(kCrLf) + "残り売却回数は" + rt::CStr(Remaining) + "回です");
}

void ContinueItemBuy(WeekContext& ctx, const std::string& Item, int16_t Amount, TurnLog& Log, int16_t Remaining) {
  int32_t price = 0;
  if (!UnitPrice(ctx.db, kBuyPriceSql, Item, price)) return;
  const int32_t Cost = rt::MulL(price, Amount);
  std::string text;
  if (!ctx.data.MoneyDif(Cost)) {
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

}  // namespace

void TurnEnd_ContinueItem(WeekContext& ctx, TurnLog& Log) {
  // Every order is read before any runs: the workers run queries of their own.
  std::vector<Order> orders;
  for (const auto& row : QueryRows(ctx.db, "SELECT * FROM continueitem")) {
    if (row.size() < 5) continue;
    orders.push_back({TextL(row[0]), row[1], row[2], TextI(row[3]), TextI(row[4])});
  }
  for (const Order& o : orders) {
    const int16_t Remaining = rt::SubI(o.count, 1);
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
      ctx.db.Excute("UPDATE continueitem SET Count=" + rt::CStr(rt::SubI(o.count, 1)) +
                    " WHERE ID=" + rt::CStr(o.id));
  }
}

void TurnEnd_DecreaseWeek(WeekContext& ctx) {
  const auto rows = QueryRows(ctx.db,
                              "SELECT item.Name,itemdata.DecreaseWeek FROM item,itemdata WHERE "
                              "item.Name=itemdata.Name AND itemdata.Open='公開' AND itemdata.DecreaseWeek>0");
  for (const auto& row : rows) {
    const int16_t week = rt::CInt(row[1]);
    ctx.db.Excute("UPDATE itemdata SET DecreaseWeek=" + rt::CStr(rt::SubI(week, 1)) + " WHERE Name=" + SqlText(row[0]));
  }
}

}  // namespace sim
