/** @file Production.cpp The week's production of the producers' buildings and processing by the engineers. */
#include <cmath>
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

double NumD(const std::string& text) { return text.empty() ? 0.0 : rt::CDbl(text); }

// Crops and livestock: harvested when the weeks since the product was chosen are a multiple of
// the cycle. A cycle of 0 or less in the catalogue never harvests.
void Harvest(WeekContext& ctx, TurnLog& Log, const std::string& area, const std::string& building,
             const std::string& product, int16_t workers, int32_t startWeek, bool livestock) {
  const int32_t D = rt::SubL(ctx.state.mTurn, startWeek);
  const auto rows = QueryRows(ctx.db, std::string("SELECT Cycle,Product,Coefficient FROM ") +
                                          (livestock ? "animal " : "grain ") + "WHERE Name=" + SqlText(product) +
                                          " AND Cycle>0 AND " + rt::CStr(D) + " % Cycle = 0");
  if (rows.empty()) return;
  std::string text = area + "の" + building + "で" + std::string(kCrLf);
  for (size_t k = 0; k < rows.size(); ++k) {
    const int32_t amount = rt::CLng(rt::Fix(workers / 100.0 * NumD(rows[k][2])));
    ItemProductAdd(ctx.db, rows[k][1], amount);
    text += rows[k][1] + "を" + rt::CStr(amount) + (k + 1 < rows.size() ? "個、" : "個生産しました");
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
std::vector<Building> StaffedBuildings(clsDB& db, std::string_view occupation) {
  std::vector<Building> buildings;
  for (const auto& row : QueryRows(db, "SELECT NofProduction,construction.Name,Product,StartWeek,area.Name FROM "
                                       "construct,construction,area WHERE construct.Name=construction.Name AND "
                                       "construct.Occupation=" + SqlText(occupation) +
                                       " AND area.Name=construction.Area AND construct.Area=area.Type "
                                       "AND construction.NofProduction>0 AND Product<>''"))
    buildings.push_back({TextI(row[0]), row[1], row[2], row[4], TextL(row[3])});
  return buildings;
}

}  // namespace

void TurnEnd_ItemProduction(WeekContext& ctx, TurnLog& Log) {
  for (const Building& b : StaffedBuildings(ctx.db, "Producer")) {
    if (!QueryRow(ctx.db, "SELECT Production,Class FROM item WHERE Name=" + SqlText(b.product))) {
      ctx.MsgBox("アイテム生産数取得エラー:TurnEnd_ItemProduction");
      return;
    }
    const int16_t P = DataI(ctx.db, 0);
    if (P < 1) {
      Harvest(ctx, Log, b.area, b.name, b.product, b.workers, b.startWeek, ctx.db.Data(1) == "動物");
      continue;
    }
    const int32_t N = WholeWithDraw(b.workers / 100.0 * P, true);
    Log.Add("itemproduct", b.area + "の" + b.name + "で" + std::string(kCrLf) + b.product + "を" + rt::CStr(N) +
                               "個生産しました");
    ItemProductAdd(ctx.db, b.product, N);
  }
}

void TurnEnd_ItemProcess(WeekContext& ctx, TurnLog& Log) {
  for (const Building& b : StaffedBuildings(ctx.db, "Engineer")) {
    if (!QueryRow(ctx.db, "SELECT Production FROM item WHERE Name=" + SqlText(b.product))) {
      ctx.MsgBox("アイテム加工数取得エラー:TurnEnd_ItemProcess");
      return;
    }
    const int32_t P = DataL(ctx.db, 0);
    const auto recipe = QueryRows(ctx.db, "SELECT ItemName,ItemAmount FROM synthesisitem WHERE Name=" +
                                              SqlText(b.product) + " AND ItemAmount>0");
    if (recipe.empty()) {
      ctx.MsgBox("加工アイテム取得エラー:TurnEnd_ItemProcess");
      return;
    }
    // F: the share of a full staff of 100 that works, cut so no ingredient is used beyond its stock.
    double F = b.workers / 100.0;
    bool idle = false;
    for (const auto& ing : recipe) {
      if (!QueryRow(ctx.db, "SELECT Storage FROM itemdata WHERE Name=" + SqlText(ing[0])) || DataL(ctx.db, 0) < 1) {
        idle = true;
        break;
      }
      const double ratio = static_cast<double>(DataL(ctx.db, 0)) / TextI(ing[1]);
      if (ratio < F) F = ratio;
    }
    if (idle) continue;

    const int32_t N = WholeWithDraw(P * F, false);
    if (N == 0) continue;

    std::string text = b.area + "の" + b.name + "で" + std::string(kCrLf);
    for (size_t k = 0; k < recipe.size(); ++k) {
      const int32_t used = rt::CLng(TextI(recipe[k][1]) * F);
      TurnEnd_ItemConsume(ctx, recipe[k][0], used);
      text += recipe[k][0] + "を" + rt::CStr(used) + (k + 1 < recipe.size() ? "個、" : "個消費し、");
    }
    ItemProductAdd(ctx.db, b.product, N);
    Log.Add("itemproduct", text + b.product + "を" + rt::CStr(N) + "個生産しました");
  }
}

}  // namespace sim
