/** @file Exploration.cpp Exploration of the target area: points, area levels and every discovery. */
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "runtime/Random.h"
#include "sim/SimDb.h"
#include "sim/Storage.h"
#include "sim/TurnEnd_Market.h"

namespace sim {
namespace {

enum class Found { Nest, Area, Shipwreck };

struct Discovery {
  std::string_view area;
  int16_t level;
  std::string_view name;
  Found kind;
};

// What a level reached in an area reveals: at most one thing per level-up.
constexpr Discovery kDiscoveries[] = {
    {"リュシーレ平原", 1, "ゴブリンの巣", Found::Nest},
    {"リュシーレ平原", 2, "レディクスの森", Found::Area},
    {"リュシーレ平原", 3, "ルイン平原", Found::Area},
    {"リュシーレ平原", 5, "湿った洞窟", Found::Nest},
    {"リュシーレ平原", 6, "ソールズ平原", Found::Area},
    {"レディクスの森", 3, "妖しく蠢く森", Found::Nest},
    {"レディクスの森", 5, "森に隠れた屋敷", Found::Nest},
    {"レディクスの森", 6, "ソリート丘陵", Found::Area},
    {"レディクスの森", 7, "森深くにある巣", Found::Nest},
    {"ルイン平原", 2, "崩れた屋敷", Found::Nest},
    {"ルイン平原", 3, "ミスリルの坑道", Found::Nest},
    {"ルイン平原", 4, "ナハムルト海岸", Found::Area},
    {"ソールズ平原", 2, "唸り声が響く洞窟", Found::Nest},
    {"ソールズ平原", 4, "平原深くにある巣", Found::Nest},
    {"ソールズ平原", 7, "ダンプリー丘陵", Found::Area},
    {"ソールズ平原", 8, "赤の洞窟", Found::Nest},
    {"ソリート丘陵", 3, "獣人族の巣", Found::Nest},
    {"ソリート丘陵", 6, "レンテン山", Found::Area},
    {"レンテン山", 2, "絶壁の細道", Found::Nest},
    {"レンテン山", 4, "グレムリンの巣", Found::Nest},
    {"ナハムルト海岸", 1, "カルセーダス王国", Found::Shipwreck},
    {"ナハムルト海岸", 2, "海岸線の洞窟", Found::Nest},
    {"ダンプリー丘陵", 3, "鉄の坑道", Found::Nest},
    {"ダンプリー丘陵", 6, "ウーリーの森", Found::Area},
    {"ダンプリー丘陵", 7, "魔術師の前庭", Found::Nest},
    {"ウーリーの森", 8, "バシュラール山", Found::Area},
};

// Ores: opened once the area is explored far enough and the mine's nest conquered often enough.
struct OreRule {
  std::string_view resource, area;
  int16_t level;
  std::string_view nest;
  int16_t times;
};
constexpr OreRule kOres[] = {
    {"ミスリル", "ルイン平原", 3, "ミスリルの坑道", 10},
    {"銅", "ソリート丘陵", 4, "銅の坑道", 15},
    {"鉄", "ダンプリー丘陵", 5, "鉄の坑道", 20},
};

// Follow-up nests: opened once the area is explored far enough and the previous nest conquered often enough.
struct NestRule {
  std::string_view nest, area;
  int16_t level;
  std::string_view previous;
  int16_t times;
};
constexpr NestRule kNests[] = {
    {"屋敷の地下室", "ルイン平原", 4, "崩れた屋敷", 5},
    {"銅の坑道", "ソリート丘陵", 3, "獣人族の巣", 8},
    {"錆びた坑道", "ソリート丘陵", 5, "銅の坑道", 10},
    {"銀の迷宮", "レンテン山", 7, "グレムリンの巣", 20},
    {"河口付近の巣", "ナハムルト海岸", 5, "海岸線の洞窟", 10},
    {"海神が住む洞窟", "ナハムルト海岸", 8, "河口付近の巣", 15},
    {"腐臭のする沼", "ダンプリー丘陵", 9, "魔術師の前庭", 10},
    {"魔術師の塔下層", "ウーリーの森", 3, "魔術師の前庭", 20},
    {"魔術師の塔中層", "ウーリーの森", 5, "魔術師の塔下層", 14},
    {"魔術師の塔上層", "ウーリーの森", 7, "魔術師の塔中層", 13},
    {"魔術師の神殿", "バシュラール山", 4, "魔術師の塔上層", 15},
    {"虹色の湖", "バシュラール山", 7, "魔術師の神殿", 20},
};

// The first field of a query reaches `least` (false without a row or a whole number, as a rule
// whose row is missing stops for the week).
bool Reaches(clsDB& db, const std::string& sql, int32_t least) {
  if (!QueryRow(db, sql)) return false;
  const auto n = WholeNumber(db.Data(0));
  return n && *n >= least;
}

// The area's level reaches `level`.
bool AreaReached(clsDB& db, std::string_view area, int16_t level) {
  return Reaches(db, "SELECT AreaLevel FROM area WHERE Name=" + SqlText(area), level);
}

// The nest was conquered at least `times` times.
bool NestConquered(clsDB& db, std::string_view nest, int32_t times) {
  return Reaches(db, "SELECT Times FROM nest WHERE Name=" + SqlText(nest), times);
}

void AreaItemFind(WeekContext& ctx, TurnLog& Log, const OreRule& r) {
  clsDB& db = ctx.db;
  if (!AreaReached(db, r.area, r.level) || !NestConquered(db, r.nest, r.times)) return;
  // The ore's row in the rule's area only, as for the resources found by exploring.
  const std::string row = " WHERE Name=" + SqlText(r.resource) + " AND Area=" + SqlText(r.area);
  if (!QueryRow(db, "SELECT Open FROM areaitem" + row) || TextB(db.Data(0))) return;
  db.Excute("UPDATE areaitem SET Open=True" + row);
  Log.Add("areaitem", std::string(r.area) + "で" + std::string(r.resource) + "を発見しました");
}

void NestOpen(WeekContext& ctx, TurnLog& Log, const NestRule& r) {
  clsDB& db = ctx.db;
  if (QueryRow(db, "SELECT * FROM nest WHERE Name=" + SqlText(r.nest) + " AND Open=True")) return;
  if (!AreaReached(db, r.area, r.level) || !NestConquered(db, r.previous, r.times)) return;
  db.Excute("UPDATE nest SET Open=True WHERE Name=" + SqlText(r.nest));
  Log.Add("newnest", std::string(r.nest) + "を発見しました");
}

void AreaMineFind(WeekContext& ctx, TurnLog& Log) {
  for (const OreRule& r : kOres) AreaItemFind(ctx, Log, r);
}

void NestFind(WeekContext& ctx, TurnLog& Log) {
  for (const NestRule& r : kNests) NestOpen(ctx, Log, r);
}

void Discover(WeekContext& ctx, TurnLog& Log, const std::string& area, int16_t level) {
  for (const Discovery& d : kDiscoveries) {
    if (d.area != area || d.level != level) continue;
    const std::string name(d.name);
    switch (d.kind) {
      case Found::Area:
        ctx.db.Excute("UPDATE area SET Open=True,Development=5 WHERE Name=" + SqlText(name));
        Log.Add("newarea", "新しいエリア、" + name + "を発見しました");
        break;
      case Found::Nest:
        ctx.db.Excute("UPDATE nest SET Open=True WHERE Name=" + SqlText(name));
        Log.Add("newnest", name + "を発見しました");
        break;
      case Found::Shipwreck:
        Log.Add("newcountry", "探索中、難破船を発見し救助しました\r\n" + name + "と交易できるようになりました");
        ctx.db.Excute("UPDATE country SET Acquaintance=True WHERE Nation=" + SqlText(name));
        break;
    }
    return;
  }
}

// The area's resources up to the level reached, ores aside (they have rules of their own).
// Only the explored area's row opens, even when other areas list the same resource.
void FindAreaItems(WeekContext& ctx, TurnLog& Log, const std::string& area, int16_t level) {
  const auto rows = QueryRows(ctx.db, "SELECT Name FROM areaitem WHERE Area=" + SqlText(area) +
                                          " AND Open=False AND Level<=" + rt::CStr(level) +
                                          " AND Name NOT IN ('鉄','銅','ミスリル')");
  for (const auto& row : rows) {
    ctx.db.Excute("UPDATE areaitem SET Open=True WHERE Name=" + SqlText(row[0]) + " AND Area=" + SqlText(area));
    ItemStorageAdd(ctx.db, row[0], 0);
    Log.Add("areaitem", area + "で" + row[0] + "を発見しました");
  }
}

}  // namespace

void TurnEnd_AreaResearch(WeekContext& ctx, TurnLog& Log) {
  const std::string area = ctx.state.panels.areaResearch;
  if (area.empty() || area == "なし") return;

  const PanelState& k = ctx.state.panels;
  int32_t S = 0;
  for (int16_t F : {k.affluence, k.education, k.trust})
    S += rt::CInt(std::sqrt(static_cast<double>(F < 0 ? 0 : F)) * (rt::Rnd() + 1));

  const std::string message = "エリア情報取得エラー:TurnEnd_AreaResearch";
  if (!QueryRow(ctx.db, "SELECT AreaLevel,Research,Development FROM area WHERE Name=" + SqlText(area))) {
    ctx.MsgBox(message);
    return;
  }
  // Levels, points and development are counts from 0: an area with another value is not explored.
  const auto level = Amount16(ctx.db.Data(0));
  const auto research = Amount(ctx.db.Data(1));
  const auto development = Amount16(ctx.db.Data(2));
  if (!level) return BadValue(ctx, message, "area.AreaLevel", ctx.db.Data(0));
  if (!research) return BadValue(ctx, message, "area.Research", ctx.db.Data(1));
  if (!development) return BadValue(ctx, message, "area.Development", ctx.db.Data(2));
  int16_t L = *level;
  int64_t R = *research;
  int16_t D = *development;
  if (S > 100) S = 100;

  bool levelled = false;
  if (L < 10) {
    const int32_t need = (L + 1) * 100;
    if (R + S >= need) {
      R = R + S - need;  // the whole surplus carries over
      L = static_cast<int16_t>(L + 1);
      D = static_cast<int16_t>(std::min(D + 1, INT16_MAX));
      if (L == 10) R = 1100;
      levelled = true;
      Log.Add("arealevelup", area + "の探索レベルが" + rt::CStr(L) + "になりました");
    } else {
      R += S;
    }
    ctx.db.Excute("UPDATE area SET AreaLevel=" + rt::CStr(L) + ",Research=" + rt::CStr(R) +
                  ",Development=" + rt::CStr(D) + " WHERE Name=" + SqlText(area));
  }
  if (levelled) {
    Discover(ctx, Log, area, L);
    FindAreaItems(ctx, Log, area, L);
  }
  NestFind(ctx, Log);
  AreaMineFind(ctx, Log);
}

}  // namespace sim
