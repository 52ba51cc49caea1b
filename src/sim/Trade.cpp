/** @file Trade.cpp Trade deliveries of the running contracts, and the opening of new partner nations. */
#include "sim/Trade.h"

#include <string>
#include <utility>
#include <vector>

#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "sim/SimDb.h"
#include "sim/Storage.h"
#include "sim/TurnEnd_Market.h"

namespace sim {
namespace {

constexpr std::string_view kMoney = "お金";
constexpr std::string_view kExport = "輸出";

// Friendship gained per delivered contract, by the palace's name.
int16_t PalaceFactor(clsDB& db) {
  if (!QueryRow(db, "SELECT construction.Name FROM construction WHERE Area='王宮'")) return 0;
  const std::string palace = db.Data(0);
  constexpr std::string_view kPalaces[] = {"みすぼらしい王宮", "質素な王宮", "なかなかの王宮", "きらびやかな王宮",
                                           "豪華絢爛な王宮"};
  for (int16_t i = 0; i < 5; ++i)
    if (palace == kPalaces[i]) return static_cast<int16_t>(i + 1);
  return 0;
}

struct Goods {
  std::string type, item;
  int32_t amount = 0;
};

const std::string kTradeDataError = "交易データ取得エラー:TurnEnd_Trade";

// Every export can be handed over. An item the kingdom has no row for counts as stock 0.
bool ExportsCovered(WeekContext& ctx, const std::vector<Goods>& goods) {
  for (const Goods& g : goods) {
    if (g.type != kExport) continue;
    const int32_t stock = g.item == kMoney ? ctx.data.Money() : ReadStock(ctx.db, g.item).stock;
    if (stock < g.amount) return false;
  }
  return true;
}

// The contract's goods; false (after the data error) when an amount is no whole number from 0
// or the stock of one of its items is damaged: such a contract waits, neither delivered nor stopped.
bool ReadGoods(WeekContext& ctx, const std::vector<std::vector<std::string>>& rows, std::vector<Goods>& goods) {
  for (const auto& row : rows) {
    const auto amount = Amount(row[2]);
    if (!amount) {
      BadValue(ctx, kTradeDataError, "tradedata.Amount", row[2]);
      return false;
    }
    if (row[1] != kMoney && ReadStock(ctx.db, row[1]).damaged) {
      ReportStock(ctx, kTradeDataError, row[1]);
      return false;
    }
    goods.push_back({row[0], row[1], *amount});
  }
  return true;
}

// Hands over the exports, receives the imports; returns the import part of the entry.
std::string Deliver(WeekContext& ctx, const std::vector<Goods>& goods) {
  std::string imports;
  for (const Goods& g : goods) {
    const std::string amount = rt::CStr(g.amount);
    if (g.type == kExport) {
      if (g.item == kMoney)
        ctx.data.MoneyDif(g.amount);
      else
        TurnEnd_ItemConsume(ctx, g.item, g.amount);
    } else if (g.item == kMoney) {
      ctx.data.MoneyAdd(g.amount);
      imports += (imports.empty() ? "" : "、") + std::string("お金を") + amount;
    } else {
      ItemImport(ctx.db, g.item, g.amount);
      imports += (imports.empty() ? "" : "、") + g.item + "を" + amount;
    }
  }
  return imports;
}

struct Rule {
  std::string_view referrer;
  int16_t bound;
  std::string_view nation;
};
// A nation opens once the friendship of a nation that knows it reaches the bound.
constexpr Rule kRules[] = {
    {"カルセーダス王国", 75, "アードラー共和国"}, {"アードラー共和国", 125, "ポプン王国"},
    {"ポプン王国", 215, "ルバイ共和国"},         {"カルセーダス王国", 150, "アロイス王国"},
    {"アロイス王国", 80, "バイクーゼ王国"},      {"アロイス王国", 160, "ホーフェン共和国"},
    {"アロイス王国", 220, "ルリエン公国"},       {"アロイス王国", 310, "デザランス王国"},
    {"バイクーゼ王国", 60, "ホーフェン共和国"},  {"ホーフェン共和国", 75, "ルリエン公国"},
    {"ホーフェン共和国", 160, "ヤマナコ公国"},   {"ルリエン公国", 95, "シラリエ王国"},
    {"ルリエン公国", 125, "ヤマナコ公国"},       {"ルリエン公国", 115, "デザランス王国"},
    {"デザランス王国", 80, "ヤマナコ公国"},      {"ヤマナコ公国", 100, "シラリエ王国"},
};

struct Gift {
  std::string_view nation, item;
};
constexpr Gift kGifts[] = {{"アロイス王国", "貧しい稲"}, {"ポプン王国", "貧弱豚"}, {"ヤマナコ公国", "貧弱牛"}};

using FriendshipList = std::vector<std::pair<std::string, int32_t>>;

int32_t TurnEnd_ReturnFriendship(WeekContext& ctx, std::string_view Nation, const FriendshipList& list) {
  for (const auto& [nation, friendship] : list)
    if (nation == Nation) return friendship;
  ctx.MsgBox("存在しない交易国を検索しています:TurnEnd_ReturnFriendship\r\nCountry=" + std::string(Nation));
  return 0;
}

void OpenCountryCheck(WeekContext& ctx, const Rule& r, const FriendshipList& list, TurnLog& Log) {
  const std::string nation(r.nation);
  // A nation missing from the catalogue cannot be opened.
  if (!QueryRow(ctx.db, "SELECT Acquaintance FROM country WHERE Nation=" + SqlText(nation))) return;
  if (TextB(ctx.db.Data(0))) return;
  if (r.bound > TurnEnd_ReturnFriendship(ctx, r.referrer, list)) return;

  Log.Add("newcountry", nation + "と交易できるようになりました");
  ctx.db.Excute("UPDATE country SET Acquaintance=True WHERE Nation=" + SqlText(nation));
  for (const Gift& g : kGifts) {
    if (g.nation != r.nation) continue;
    const std::string item(g.item);
    if (QueryRow(ctx.db, "SELECT * FROM itemdata WHERE Name=" + SqlText(item))) return;
    ItemProductAdd(ctx.db, item, 0);
    Log.Add("newcountry", nation + "から友好の印に\r\n" + item + "をもらいました");
  }
}

}  // namespace

int16_t SetFriendship(clsDB& db, std::string_view Nation, int64_t Friendship) {
  const int16_t value = static_cast<int16_t>(Friendship > kFriendshipMax   ? kFriendshipMax
                                             : Friendship < kFriendshipMin ? kFriendshipMin
                                                                           : Friendship);
  db.Excute("UPDATE country SET Friendship=" + rt::CStr(value) + " WHERE Nation=" + SqlText(Nation));
  return value;
}

void TurnEnd_Trade(WeekContext& ctx, TurnLog& Log, bool& Result) {
  Result = true;
  // A nation without a positive distance never delivers.
  const auto due = QueryRows(ctx.db, "SELECT trade.Nation,Count,StartWeek FROM trade,country WHERE "
                                     "trade.Nation=country.Nation AND Distance>0 AND (" +
                                         rt::CStr(ctx.state.mTurn) + " - StartWeek) % Distance = 0");
  if (due.empty()) {
    Result = false;
    return;
  }
  const int16_t factor = PalaceFactor(ctx.db);

  for (const auto& contract : due) {
    const std::string& Nation = contract[0];
    const auto count = Count16(contract[1]);
    if (!count) {
      BadValue(ctx, kTradeDataError, "trade.Count", contract[1]);
      continue;
    }
    const int16_t Count = *count;
    const std::string goodsSql = "SELECT Type,Item,Amount FROM tradedata WHERE Nation=" + SqlText(Nation);
    const auto rows = QueryRows(ctx.db, goodsSql);
    if (rows.empty()) {
      ctx.MsgBox("\r\n" + goodsSql);
      return;
    }
    std::vector<Goods> goods;
    if (!ReadGoods(ctx, rows, goods)) continue;
    const bool covered = ExportsCovered(ctx, goods);
    const std::string friendshipError = "交易国友好度取得エラー:TurnEnd_Trade";
    if (!QueryRow(ctx.db, "SELECT Friendship FROM country WHERE Nation=" + SqlText(Nation))) {
      ctx.MsgBox(friendshipError);
      return;
    }
    const auto friendship = WholeNumber(ctx.db.Data(0));
    if (!friendship) {
      BadValue(ctx, friendshipError, "country.Friendship", ctx.db.Data(0));
      continue;
    }
    const int64_t Friendship = *friendship;

    if (covered) {
      std::string text = Nation + "と交易をしました。残り" + rt::CStr(static_cast<int32_t>(Count) - 1) + "回です";
      const std::string imports = Deliver(ctx, goods);
      // A contract of exports only has nothing to list after the remaining count.
      if (!imports.empty()) text += "\r\n" + imports + "輸入しました";
      Log.Add("trade", text);
      if (Count <= 1) {
        ctx.db.Excute("DELETE FROM trade WHERE Nation=" + SqlText(Nation));
        ctx.db.Excute("DELETE FROM tradedata WHERE Nation=" + SqlText(Nation));
      } else {
        ctx.db.Excute("UPDATE trade SET Count=" + rt::CStr(Count - 1) + " WHERE Nation=" + SqlText(Nation));
      }
      SetFriendship(ctx.db, Nation, Friendship + factor);
    } else {
      ctx.db.Excute("DELETE FROM trade WHERE Nation=" + SqlText(Nation));
      ctx.db.Excute("DELETE FROM tradedata WHERE Nation=" + SqlText(Nation));
      Log.Add("trade", Nation + "との交易を中止しました");
      SetFriendship(ctx.db, Nation, Friendship - 3 * Count);
      Result = false;
    }
  }
}

void TurnEnd_OpenCountry(WeekContext& ctx, TurnLog& Log) {
  const auto rows = QueryRows(ctx.db, "SELECT Nation,Friendship FROM country");
  if (rows.empty()) {
    ctx.MsgBox("交易国情報取得エラー:TurnEnd_OpenCountry");
    return;
  }
  // Loaded once: every rule of the week sees the friendships as the deliveries left them.
  FriendshipList list;
  for (const auto& row : rows) {
    const auto friendship = WholeNumber(row[1]);
    if (friendship) list.emplace_back(row[0], *friendship);
    else BadValue(ctx, "交易国情報取得エラー:TurnEnd_OpenCountry", "country.Friendship", row[1]);
  }
  for (const Rule& r : kRules) OpenCountryCheck(ctx, r, list, Log);
}

}  // namespace sim
