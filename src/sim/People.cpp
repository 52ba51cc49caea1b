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

// A building as the staffing sees it: its ID, the people in it and its places.
struct Place {
  int32_t id = 0;
  int16_t nof = 0;
  int16_t men = 0;
};

// The rows' buildings, in order. A row whose ID or counts cannot be used is shown with the
// procedure's message and left out: nobody is moved into or out of it.
std::vector<Place> Places(WeekContext& ctx, const std::vector<std::vector<std::string>>& rows, size_t idCol,
                          size_t nofCol, size_t menCol, const std::string& message) {
  std::vector<Place> places;
  for (const auto& row : rows) {
    const auto id = WholeNumber(Col(row, idCol));
    const auto nof = Amount16(Col(row, nofCol));
    const auto men = Amount16(Col(row, menCol));
    if (AllRead(ctx, message,
                {{bool(id), "construction.ID", Col(row, idCol)},
                 {bool(nof), "construction.NofProduction", Col(row, nofCol)},
                 {bool(men), "construct.Men", Col(row, menCol)}}))
      places.push_back({*id, *nof, *men});
  }
  return places;
}

void SetNof(WeekContext& ctx, int32_t id, int32_t value) {
  ctx.db.Excute("UPDATE construction SET NofProduction=" + rt::CStr(value) + " WHERE ID=" + rt::CStr(id));
}

// The occupation's buildings, in result order.
std::vector<Place> Workplaces(WeekContext& ctx, const std::string& occupation, const std::string& message) {
  const auto rows = QueryRows(ctx.db, "SELECT ID,NofProduction,Men FROM "
                                      "construct,construction,area "
                                      "WHERE construct.Name=construction.Name AND "
                                      "construct.Occupation = " + SqlText(occupation) +
                                          " AND area.Name=construction.Area "
                                          "AND construct.Area=area.Type" + kByAge);
  return Places(ctx, rows, 0, 1, 2, message);
}

// A remainder of people kept within the 16 bits of a head count.
int16_t Head(int32_t n) { return static_cast<int16_t>(std::clamp<int32_t>(n, 0, INT16_MAX)); }

}  // namespace

std::string_view OccupationJ(PanelOcc o) { return kOccupationJ[Index(o)]; }

void TurnEnd_Consuming(WeekContext& ctx, TurnLog& Log, bool& Fed) {
  Fed = true;
  const std::string peopleError = "職種別人口取得エラー:TurnEnd_Consuming";
  const auto people = QueryRows(ctx.db, "SELECT Occupation,Number FROM people");
  if (people.empty()) {
    ctx.MsgBox(peopleError);
    return;
  }
  // A soldier eats twice. Found by name, so the rows' order does not matter.
  int32_t need = 0;
  for (const auto& row : people) {
    const auto n = Amount16(Col(row, 1));
    if (!n) {
      BadValue(ctx, peopleError, "people.Number", Col(row, 1));
      continue;
    }
    need += rt::EqualsNoCase(Col(row, 0), "Soldier") ? 2 * *n : *n;
  }
  const std::string foodError = "食料取得エラー:TurnEnd_Consuming";
  if (!QueryRow(ctx.db, "SELECT Grain,Meat FROM home")) {
    ctx.MsgBox(foodError);
    return;
  }
  // A stock that is no count of food is shown and nothing is eaten, as when there is no row.
  const std::string grainText = ctx.db.Data(0), meatText = ctx.db.Data(1);
  const auto grain = Amount(grainText), meat = Amount(meatText);
  if (!grain || !meat) {
    BadValue(ctx, foodError, grain ? "home.Meat" : "home.Grain", grain ? meatText : grainText);
    return;
  }
  // Each stock is taken by itself: one that suffices is eaten even when the other falls short.
  if (*grain >= need) ctx.db.Excute("UPDATE home SET Grain=" + rt::CStr(*grain - need));
  else Fed = false;
  if (*meat >= need) ctx.db.Excute("UPDATE home SET Meat=" + rt::CStr(*meat - need));
  else Fed = false;
  if (!Fed) Log.GameOver();
}

void TurnEnd_Recruitment(WeekContext& ctx, TurnLog& Log) {
  const PanelState& shown = ctx.state.panels;
  bool any = false;
  for (PanelOcc o : kAllPanelOcc) any = any || shown.Recruiting(o);
  if (!any) return;

  const std::string peopleSql = "SELECT SUM(Number) FROM people";
  if (!QueryRow(ctx.db, peopleSql)) {
    ctx.MsgBox("住民数取得エラー:TurnEnd_Recruitment");
    return;
  }
  const auto P = Amount16(ctx.db.Data(0));
  if (!P) return BadValue(ctx, "住民数取得エラー:TurnEnd_Recruitment", "SUM(people.Number)", ctx.db.Data(0));
  // Every house counts, also one still being built.
  const std::string housesSql = "SELECT SUM(construct.Men) FROM construct,construction,area "
                                "WHERE construct.Name=construction.Name AND "
                                "construction.Area=Area.Name AND "
                                "construct.Area=area.Type AND construct.Type='住宅地'";
  if (!QueryRow(ctx.db, housesSql)) {
    ctx.MsgBox("住宅地数取得エラー:TurnEnd_Recruitment");
    return;
  }
  const auto H = Amount16(ctx.db.Data(0));
  if (!H) return BadValue(ctx, "住宅地数取得エラー:TurnEnd_Recruitment", "SUM(construct.Men)", ctx.db.Data(0));
  if (*H <= *P) return;

  const int16_t A = shown.affluence, E = shown.education, T = shown.trust;
  rt::Randomize();
  const double r = rt::Rnd();
  auto share = [](int16_t v) { return v > 0 ? static_cast<int16_t>(v / 30) : int16_t{0}; };
  const double root = rt::Round(std::sqrt(static_cast<double>(std::max(0, A + E + T))));
  int16_t N = rt::AddI(rt::CInt(rt::Int(root * r)), share(A) + share(E) + share(T));
  if (*P + N > *H) N = static_cast<int16_t>(*H - *P);
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
    const std::string countError = "職業別住民数取得エラー:TurnEnd_Recruitment";
    if (!QueryRow(ctx.db, "SELECT [Number] FROM people WHERE Occupation=" + SqlText(name))) {
      ctx.MsgBox(countError);
      return;
    }
    const auto read = Amount16(ctx.db.Data(0));
    if (!read) return BadValue(ctx, countError, "people.Number", ctx.db.Data(0));
    const int16_t cur = *read;
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
  // No building, or a sum that is no count of places, gives no places.
  return Amount16(ctx.db.Data(0)).value_or(0);
}

void TurnEnd_ResidentialAdd(WeekContext& ctx, int16_t& Count) {
  if (Count == 0) return;
  const std::string sql = std::string(kHousesSql) + kByAge;
  const std::string message = "住宅地数取得エラー:TurnEnd_ResidentialAdd";
  const auto rows = QueryRows(ctx.db, sql);
  if (rows.empty()) {
    ctx.MsgBox(message + "\r\n" + sql);
    return;
  }
  for (const Place& h : Places(ctx, rows, 2, 0, 1, message)) {
    if (h.nof + Count <= h.men) {
      SetNof(ctx, h.id, h.nof + Count);
      Count = 0;
      return;
    }
    SetNof(ctx, h.id, h.men);
    Count = Head(h.nof + Count - h.men);
  }
  ctx.MsgBox("住宅地不足エラー:TurnEnd_ResidentialAdd\r\n不足人数＝" + rt::CStr(Count));
}

void TurnEnd_ResidentialDif(WeekContext& ctx, int16_t& Count) {
  const std::string sql = std::string(kHousesSql) + " AND construction.Work=0" + kByAge;
  const std::string message = "住宅地数取得エラー:TurnEnd_ResidentialDif";
  const auto rows = QueryRows(ctx.db, sql);
  if (rows.empty()) {
    ctx.MsgBox(message + "\r\n" + sql);
    return;
  }
  for (const Place& h : Places(ctx, rows, 2, 0, 1, message)) {
    if (h.nof - Count >= 0) {
      SetNof(ctx, h.id, h.nof - Count);
      Count = 0;
      return;
    }
    SetNof(ctx, h.id, 0);
    Count = static_cast<int16_t>(Count - h.nof);
  }
  ctx.MsgBox("住宅地住民マイナスエラー:TurnEnd_ResidentialDif\r\n不足人数＝" + rt::CStr(Count));
}

void OccupationAdd(WeekContext& ctx, const std::string& Occupation, int16_t Count) {
  if (Count < 1) return;
  int32_t rest = Count;
  for (const Place& b : Workplaces(ctx, Occupation, "職業別建物取得エラー:OccupationAdd")) {
    const int32_t free = b.men - b.nof;
    if (free >= rest) {
      SetNof(ctx, b.id, b.nof + rest);
      return;
    }
    if (free > 0) {
      SetNof(ctx, b.id, b.men);
      rest -= free;
    }
  }
  // Workers who find no place stay unemployed.
}

void SoldierAdd(WeekContext& ctx, int16_t Count) {
  if (Count < 1) return;
  const auto barracks = Workplaces(ctx, "Soldier", "兵舎取得エラー:SoldierAdd");
  if (barracks.empty()) {
    // The soldiers stay in the people's count without a place; the box says why, never empty.
    ctx.MsgBox("兵舎がありません:SoldierAdd");
    return;
  }
  // Every barracks is written: one above its capacity is cut back and its surplus moves on.
  int32_t rest = Count;
  for (const Place& b : barracks) {
    const int32_t free = b.men - b.nof;
    if (free < rest) {
      SetNof(ctx, b.id, b.men);
      rest -= free;
    } else {
      SetNof(ctx, b.id, b.nof + rest);
      rest = 0;
    }
  }
}

void SoldierDif(WeekContext& ctx, int16_t Count) {
  if (Count < 1) return;
  const auto barracks = Workplaces(ctx, "Soldier", "兵舎取得エラー:SoldierDif");
  if (barracks.empty()) {
    ctx.MsgBox("兵舎がありません:SoldierDif");
    return;
  }
  int32_t rest = Count;
  for (const Place& b : barracks) {
    if (b.nof < rest) {
      SetNof(ctx, b.id, 0);
      rest -= b.nof;
    } else {
      SetNof(ctx, b.id, b.nof - rest);
      return;
    }
  }
}

}  // namespace sim
