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

// Every export can be handed over. An item the kingdom has no row for counts as stock 0.
bool ExportsCovered(WeekContext& ctx, const std::vector<Goods>& goods) {
  for (const Goods& g : goods) {
    if (g.type != kExport) continue;
    if (g.item == kMoney) {
      if (ctx.data.Money() < g.amount) return false;
    } else {
      const int32_t stock = QueryRow(ctx.db, "SELECT Storage FROM itemdata WHERE Name=" + SqlText(g.item))
                                ? DataL(ctx.db, 0)
                                : 0;
      if (stock < g.amount) return false;
    }
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

using FriendshipList = std::vector<std::pair<std::string, int16_t>>;

int16_t TurnEnd_ReturnFriendship(WeekContext& ctx, std::string_view Nation, const FriendshipList& list) {
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

int16_t SetFriendship(clsDB& db, std::string_view Nation, int32_t Friendship) {
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
    const int16_t Count = TextI(contract[1]);
    const std::string goodsSql = "SELECT Type,Item,Amount FROM tradedata WHERE Nation=" + SqlText(Nation);
    std::vector<Goods> goods;
    for (const auto& row : QueryRows(ctx.db, goodsSql)) goods.push_back({row[0], row[1], TextL(row[2])});
    if (goods.empty()) {
      ctx.MsgBox("\r\n" + goodsSql);
      return;
    }
    const bool covered = ExportsCovered(ctx, goods);
    if (!QueryRow(ctx.db, "SELECT Friendship FROM country WHERE Nation=" + SqlText(Nation))) {
      ctx.MsgBox("交易国友好度取得エラー:TurnEnd_Trade");
      return;
    }
    const int32_t Friendship = DataI(ctx.db, 0);

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
        ctx.db.Excute("UPDATE trade SET Count=" + rt::CStr(rt::SubI(Count, 1)) + " WHERE Nation=" + SqlText(Nation));
      }
      SetFriendship(ctx.db, Nation, Friendship + factor);
    } else {
      ctx.db.Excute("DELETE FROM trade WHERE Nation=" + SqlText(Nation));
      ctx.db.Excute("DELETE FROM tradedata WHERE Nation=" + SqlText(Nation));
      Log.Add("trade", Nation + "との交易を中止しました");
      SetFriendship(ctx.db, Nation, Friendship - 3 * static_cast<int32_t>(Count));
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
  for (const auto& row : rows) list.emplace_back(row[0], TextI(row[1]));
  for (const Rule& r : kRules) OpenCountryCheck(ctx, r, list, Log);
}

}  // namespace sim
