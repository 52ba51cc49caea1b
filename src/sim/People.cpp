/** @file People.cpp The people's weekly food, recruitment into the houses and workplaces, and the staffing of workers and soldiers. */
#include "sim/People.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "db/SqliteConnection.h"
#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "runtime/Random.h"
#include "runtime/Strings.h"
#include "sim/SimDb.h"
#include "sim/TurnEnd_People.h"

namespace sim {
namespace {

constexpr std::array<std::string_view, 5> kOccupationJ = {"生産者", "商人", "技術者", "建設者", "兵士"};

// The joins that tie a building to its catalogue row on its area's type. Buildings are taken
// oldest first, so that who moves where does not depend on the query plan.
constexpr const char* kByAge = " ORDER BY construction.ID";
constexpr const char* kHousesSql =
    "SELECT construction.NofProduction,construct.Men,ID FROM construct,construction,area "
    "WHERE construct.Name=construction.Name AND "
    "construction.Area=Area.Name AND "
    "construct.Area=area.Type AND construct.Type='住宅地'";

std::string Col(const std::vector<std::string>& row, size_t i) { return i < row.size() ? row[i] : std::string(); }

void SetNof(WeekContext& ctx, const std::string& id, int32_t value) {
  ctx.db.Excute("UPDATE construction SET NofProduction=" + rt::CStr(value) + " WHERE ID=" + id);
}

// The occupation's buildings as (ID, NofProduction, Men), in result order.
std::vector<std::vector<std::string>> Workplaces(WeekContext& ctx, const std::string& occupation) {
  return QueryRows(ctx.db, "SELECT ID,NofProduction,Men FROM "
                           "construct,construction,area "
                           "WHERE construct.Name=construction.Name AND "
                           "construct.Occupation = " + SqlText(occupation) +
                               " AND area.Name=construction.Area "
                               "AND construct.Area=area.Type" + kByAge);
}

}  // namespace

std::string_view OccupationJ(PanelOcc o) { return kOccupationJ[Index(o)]; }

void TurnEnd_Consuming(WeekContext& ctx, TurnLog& Log, bool& Fed) {
  Fed = true;
  const auto people = QueryRows(ctx.db, "SELECT Occupation,Number FROM people");
  if (people.empty()) {
    ctx.MsgBox("職種別人口取得エラー:TurnEnd_Consuming");
    return;
  }
  // A soldier eats twice. Found by name, so the rows' order does not matter.
  int32_t need = 0;
  for (const auto& row : people) {
    const int16_t n = TextI(Col(row, 1));
    need = rt::AddL(need, rt::EqualsNoCase(Col(row, 0), "Soldier") ? rt::MulL(2, n) : n);
  }
  if (!QueryRow(ctx.db, "SELECT Grain,Meat FROM home")) {
    ctx.MsgBox("食料取得エラー:TurnEnd_Consuming");
    return;
  }
  const int32_t grain = DataL(ctx.db, 0);
  const int32_t meat = DataL(ctx.db, 1);
  // Each stock is taken by itself: one that suffices is eaten even when the other falls short.
  if (grain >= need) ctx.db.Excute("UPDATE home SET Grain=" + rt::CStr(rt::SubL(grain, need)));
  else Fed = false;
  if (meat >= need) ctx.db.Excute("UPDATE home SET Meat=" + rt::CStr(rt::SubL(meat, need)));
  else Fed = false;
  if (!Fed) Log.GameOver();
}

void TurnEnd_Recruitment(WeekContext& ctx, TurnLog& Log) {
  const PanelState& shown = ctx.state.panels;
  bool any = false;
  for (PanelOcc o : kAllPanelOcc) any = any || shown.Recruiting(o);
  if (!any) return;

  if (!QueryRow(ctx.db, "SELECT SUM(Number) FROM people")) {
    ctx.MsgBox("住民数取得エラー:TurnEnd_Recruitment");
    return;
  }
  const int16_t P = DataI(ctx.db, 0);
  // Every house counts, also one still being built.
  if (!QueryRow(ctx.db, "SELECT SUM(construct.Men) FROM construct,construction,area "
                        "WHERE construct.Name=construction.Name AND "
                        "construction.Area=Area.Name AND "
                        "construct.Area=area.Type AND construct.Type='住宅地'")) {
    ctx.MsgBox("住宅地数取得エラー:TurnEnd_Recruitment");
    return;
  }
  const int16_t H = DataI(ctx.db, 0);
  if (H <= P) return;

  const int16_t A = shown.affluence, E = shown.education, T = shown.trust;
  rt::Randomize();
  const double r = rt::Rnd();
  auto share = [](int16_t v) { return v > 0 ? static_cast<int16_t>(v / 30) : int16_t{0}; };
  const double root = rt::Round(std::sqrt(static_cast<double>(std::max(0, A + E + T))));
  int16_t N = rt::AddI(rt::CInt(rt::Int(root * r)), share(A) + share(E) + share(T));
  if (P + N > H) N = static_cast<int16_t>(H - P);
  if (N < 1) return;

  // Each newcomer picks an occupation; one that is not recruiting turns the newcomer away.
  std::array<int16_t, 5> add{};
  bool came = false;
  for (int16_t k = 0; k < N; ++k) {
    const auto j = static_cast<size_t>(rt::Round(rt::Rnd() * 4));
    if (j < add.size() && shown.recruiting[j]) {
      ++add[j];
      came = true;
    }
  }
  if (!came) return;

  for (PanelOcc o : kAllPanelOcc) {
    int16_t n = add[Index(o)];
    if (n < 1) continue;
    const std::string name(Name(o));
    const int16_t cap = RetOccupationCapacity(ctx, name);
    if (!QueryRow(ctx.db, "SELECT [Number] FROM people WHERE Occupation=" + SqlText(name))) {
      ctx.MsgBox("職業別住民数取得エラー:TurnEnd_Recruitment");
      return;
    }
    const int16_t cur = DataI(ctx.db, 0);
    // An occupation never grows beyond the places in its usable buildings.
    if (n + cur > cap) n = static_cast<int16_t>(cap - cur);
    if (n < 1) continue;
    ctx.db.Excute("UPDATE people SET [Number]=" + rt::CStr(rt::AddI(cur, n)) + " WHERE Occupation=" + SqlText(name));
    if (o == PanelOcc::Merchant || o == PanelOcc::Constructor) OccupationAdd(ctx, name, n);
    else if (o == PanelOcc::Soldier) SoldierAdd(ctx, n);
    int16_t residents = n;
    TurnEnd_ResidentialAdd(ctx, residents);
    Log.Add("people", std::string(OccupationJ(o)) + "が" + rt::CStr(n) + "人増えました");
  }
}

int16_t RetOccupationCapacity(WeekContext& ctx, const std::string& Occupation) {
  // A building under its first construction has no places yet; one being upgraded keeps its own.
  if (!QueryRow(ctx.db, "SELECT SUM(construct.Men) FROM construct,construction,area "
                        "WHERE construct.Name=construction.Name AND "
                        "construction.Area=area.Name AND "
                        "construct.Area=area.Type AND "
                        "construct.Occupation=" + SqlText(Occupation) + " AND "
                        "(construction.Work=0 OR construction.[Update]<>'')"))
    return 0;
  const std::string sum = ctx.db.Data(0);
  return rt::IsNumeric(sum) ? rt::CInt(sum) : int16_t{0};
}

void TurnEnd_ResidentialAdd(WeekContext& ctx, int16_t& Count) {
  if (Count == 0) return;
  const std::string sql = std::string(kHousesSql) + kByAge;
  const auto houses = QueryRows(ctx.db, sql);
  if (houses.empty()) {
    ctx.MsgBox("住宅地数取得エラー:TurnEnd_ResidentialAdd\r\n" + sql);
    return;
  }
  for (const auto& h : houses) {
    const int16_t nof = TextI(Col(h, 0)), men = TextI(Col(h, 1));
    if (nof + Count <= men) {
      SetNof(ctx, Col(h, 2), nof + Count);
      Count = 0;
      return;
    }
    SetNof(ctx, Col(h, 2), men);
    Count = rt::SubI(rt::AddI(nof, Count), men);
  }
  ctx.MsgBox("住宅地不足エラー:TurnEnd_ResidentialAdd\r\n不足人数＝" + rt::CStr(Count));
}

void TurnEnd_ResidentialDif(WeekContext& ctx, int16_t& Count) {
  const std::string sql = std::string(kHousesSql) + " AND construction.Work=0" + kByAge;
  const auto houses = QueryRows(ctx.db, sql);
  if (houses.empty()) {
    ctx.MsgBox("住宅地数取得エラー:TurnEnd_ResidentialDif\r\n" + sql);
    return;
  }
  for (const auto& h : houses) {
    const int16_t nof = TextI(Col(h, 0));
    if (nof - Count >= 0) {
      SetNof(ctx, Col(h, 2), nof - Count);
      Count = 0;
      return;
    }
    SetNof(ctx, Col(h, 2), 0);
    Count = rt::SubI(Count, nof);
  }
  ctx.MsgBox("住宅地住民マイナスエラー:TurnEnd_ResidentialDif\r\n不足人数＝" + rt::CStr(Count));
}

void OccupationAdd(WeekContext& ctx, const std::string& Occupation, int16_t Count) {
  if (Count < 1) return;
  int16_t rest = Count;
  for (const auto& b : Workplaces(ctx, Occupation)) {
    const int16_t nof = TextI(Col(b, 1));
    const int16_t free = rt::SubI(TextI(Col(b, 2)), nof);
    if (free >= rest) {
      SetNof(ctx, Col(b, 0), nof + rest);
      return;
    }
    if (free > 0) {
      SetNof(ctx, Col(b, 0), nof + free);
      rest = static_cast<int16_t>(rest - free);
    }
  }
  // Workers who find no place stay unemployed.
}

void SoldierAdd(WeekContext& ctx, int16_t Count) {
  if (Count < 1) return;
  const auto barracks = Workplaces(ctx, "Soldier");
  if (barracks.empty()) {
    ctx.MsgBox("");
    return;
  }
  // Every barracks is written: one above its capacity is cut back and its surplus moves on.
  int16_t rest = Count;
  for (const auto& b : barracks) {
    const int16_t nof = TextI(Col(b, 1)), men = TextI(Col(b, 2));
    const int16_t free = rt::SubI(men, nof);
    if (free < rest) {
      SetNof(ctx, Col(b, 0), men);
      rest = rt::SubI(rest, free);
    } else {
      SetNof(ctx, Col(b, 0), nof + rest);
      rest = 0;
    }
  }
}

void SoldierDif(WeekContext& ctx, int16_t Count) {
  if (Count < 1) return;
  const auto barracks = Workplaces(ctx, "Soldier");
  if (barracks.empty()) {
    ctx.MsgBox("");
    return;
  }
  int16_t rest = Count;
  for (const auto& b : barracks) {
    const int16_t nof = TextI(Col(b, 1));
    if (nof < rest) {
      SetNof(ctx, Col(b, 0), 0);
      rest = static_cast<int16_t>(rest - nof);
    } else {
      SetNof(ctx, Col(b, 0), nof - rest);
      return;
    }
  }
}

}  // namespace sim
