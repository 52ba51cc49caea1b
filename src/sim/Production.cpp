/** @file Production.cpp The week's production of the producers' buildings and processing by the engineers. */
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "runtime/Random.h"
#include "sim/SimDb.h"
#include "sim/Storage.h"
#include "sim/TurnEnd_Market.h"

namespace sim {
namespace {

constexpr std::string_view kCrLf = "\r\n";

const std::string kProductionError = "アイテム生産数取得エラー:TurnEnd_ItemProduction";
const std::string kProcessError = "アイテム加工数取得エラー:TurnEnd_ItemProcess";

// Crops and livestock: harvested when the weeks since the product was chosen are a multiple of
// the cycle. A cycle of 0 or less in the catalogue never harvests; a harvest row whose
// coefficient is no number from 0, or whose yield passes 32 bits, is shown and yields nothing.
void Harvest(WeekContext& ctx, TurnLog& Log, const std::string& area, const std::string& building,
             const std::string& product, int16_t workers, int32_t startWeek, bool livestock) {
  const int64_t D = int64_t{ctx.state.mTurn} - startWeek;
  const std::string table = livestock ? "animal" : "grain";
  const auto rows = QueryRows(ctx.db, "SELECT Cycle,Product,Coefficient FROM " + table + " WHERE Name=" +
                                          SqlText(product) + " AND Cycle>0 AND " + rt::CStr(D) + " % Cycle = 0");
  std::vector<std::pair<std::string, int32_t>> yields;
  for (const auto& row : rows) {
    const double coefficient = rt::IsNumeric(row[2]) ? rt::CDbl(row[2]) : -1;
    const double amount = rt::Fix(workers / 100.0 * coefficient);
    if (coefficient < 0 || amount > std::numeric_limits<int32_t>::max()) {
      BadValue(ctx, kProductionError, table + ".Coefficient", row[2]);
      continue;
    }
    if (ReadStock(ctx.db, row[1]).damaged) {
      ReportStock(ctx, kProductionError, row[1]);
      continue;
    }
    yields.emplace_back(row[1], static_cast<int32_t>(amount));
  }
  if (yields.empty()) return;
  std::string text = area + "の" + building + "で" + std::string(kCrLf);
  for (size_t k = 0; k < yields.size(); ++k) {
    const auto& [item, amount] = yields[k];
    ItemProductAdd(ctx.db, item, amount);
    text += item + "を" + rt::CStr(amount) + (k + 1 < yields.size() ? "個、" : "個生産しました");
  }
  Log.Add("itemproduct", text);
}

// The whole part of X, plus one when the fraction's percentage Q (rounded for production,
// truncated for processing) is at least a fresh percentage draw.
int32_t WholeWithDraw(double X, bool roundFraction) {
  int32_t N = rt::CLng(rt::Fix(X));
  const double R = X - N;
  if (R > 0) {
    const int32_t Q = roundFraction ? rt::CLng(R * 100) : rt::CLng(rt::Fix(R * 100));
    rt::Randomize();
    if (Q >= rt::RndPercent()) N = rt::AddL(N, 1);
  }
  return N;
}

struct Building {
  int16_t workers = 0;
  std::string name, product, area;
  int32_t startWeek = 0;
};

// The staffed buildings of one occupation that have a product, read whole before any is handled.
// A building whose staff or start week is unusable is shown with the step's message and idles.
std::vector<Building> StaffedBuildings(WeekContext& ctx, std::string_view occupation, const std::string& message) {
  std::vector<Building> buildings;
  for (const auto& row : QueryRows(ctx.db, "SELECT NofProduction,construction.Name,Product,StartWeek,area.Name FROM "
                                           "construct,construction,area WHERE construct.Name=construction.Name AND "
                                           "construct.Occupation=" + SqlText(occupation) +
                                           " AND area.Name=construction.Area AND construct.Area=area.Type "
                                           "AND construction.NofProduction>0 AND Product<>''")) {
    const auto workers = Amount16(row[0]);
    const auto startWeek = WholeNumber(row[3]);
    if (AllRead(ctx, message,
                {{bool(workers), "construction.NofProduction", row[0]}, {bool(startWeek), "construction.StartWeek", row[3]}}))
      buildings.push_back({*workers, row[1], row[2], row[4], *startWeek});
  }
  return buildings;
}

}  // namespace

void TurnEnd_ItemProduction(WeekContext& ctx, TurnLog& Log) {
  for (const Building& b : StaffedBuildings(ctx, "Producer", kProductionError)) {
    if (!QueryRow(ctx.db, "SELECT Production,Class FROM item WHERE Name=" + SqlText(b.product))) {
      ctx.MsgBox(kProductionError);
      return;
    }
    const auto P = Amount16(ctx.db.Data(0));
    if (!P) {
      BadValue(ctx, kProductionError, "item.Production", ctx.db.Data(0));
      continue;
    }
    if (*P < 1) {
      Harvest(ctx, Log, b.area, b.name, b.product, b.workers, b.startWeek, ctx.db.Data(1) == "動物");
      continue;
    }
    if (ReadStock(ctx.db, b.product).damaged) {
      ReportStock(ctx, kProductionError, b.product);
      continue;
    }
    const int32_t N = WholeWithDraw(b.workers / 100.0 * *P, true);
    Log.Add("itemproduct", b.area + "の" + b.name + "で" + std::string(kCrLf) + b.product + "を" + rt::CStr(N) +
                               "個生産しました");
    ItemProductAdd(ctx.db, b.product, N);
  }
}

void TurnEnd_ItemProcess(WeekContext& ctx, TurnLog& Log) {
  for (const Building& b : StaffedBuildings(ctx, "Engineer", kProcessError)) {
    if (!QueryRow(ctx.db, "SELECT Production FROM item WHERE Name=" + SqlText(b.product))) {
      ctx.MsgBox(kProcessError);
      return;
    }
    const std::string production = ctx.db.Data(0);
    const auto P = Amount(production);
    const auto rows = QueryRows(ctx.db, "SELECT ItemName,ItemAmount FROM synthesisitem WHERE Name=" +
                                            SqlText(b.product) + " AND ItemAmount>0");
    if (rows.empty()) {
      ctx.MsgBox("加工アイテム取得エラー:TurnEnd_ItemProcess");
      return;
    }
    if (!P) {
      BadValue(ctx, kProcessError, "item.Production", production);
      continue;
    }
    // F: the share of a full staff of 100 that works, cut so no ingredient is used beyond its
    // stock. A recipe or stock that cannot be read idles the building, as an empty stock does.
    double F = b.workers / 100.0;
    bool idle = false;
    std::vector<std::pair<std::string, int16_t>> recipe;
    for (const auto& ing : rows) {
      const auto amount = Amount16(ing[1]);
      if (!amount) {
        BadValue(ctx, kProcessError, "synthesisitem.ItemAmount", ing[1]);
        idle = true;
        break;
      }
      const StockRead stock = ReadStock(ctx.db, ing[0]);
      if (stock.damaged) ReportStock(ctx, kProcessError, ing[0]);
      if (!stock.row || stock.damaged || stock.stock < 1) {
        idle = true;
        break;
      }
      recipe.emplace_back(ing[0], *amount);
      const double ratio = static_cast<double>(stock.stock) / *amount;
      if (ratio < F) F = ratio;
    }
    if (idle) continue;
    if (ReadStock(ctx.db, b.product).damaged) {
      ReportStock(ctx, kProcessError, b.product);
      continue;
    }
    if (*P * F >= std::numeric_limits<int32_t>::max()) {
      BadValue(ctx, kProcessError, "item.Production", production);
      continue;
    }

    const int32_t N = WholeWithDraw(*P * F, false);
    if (N == 0) continue;

    std::string text = b.area + "の" + b.name + "で" + std::string(kCrLf);
    for (size_t k = 0; k < recipe.size(); ++k) {
      const int32_t used = rt::CLng(recipe[k].second * F);
      TurnEnd_ItemConsume(ctx, recipe[k].first, used);
      text += recipe[k].first + "を" + rt::CStr(used) + (k + 1 < recipe.size() ? "個、" : "個消費し、");
    }
    ItemProductAdd(ctx.db, b.product, N);
    Log.Add("itemproduct", text + b.product + "を" + rt::CStr(N) + "個生産しました");
  }
}

}  // namespace sim
