/** @file Facilities.cpp Schools, churches and hospitals raising the people's education, trust and affluence every fourth week. */
#include <array>
#include <functional>

#include "db/clsDB.h"
#include "runtime/Convert.h"
#include "runtime/Random.h"
#include "sim/People.h"
#include "sim/SimDb.h"
#include "sim/TurnEnd_People.h"

namespace sim {
namespace {

constexpr int16_t kAll = -1;

struct Facility {
  std::string_view name;
  int16_t occupation;  ///< clsData's number, kAll for the five (schools only)
  int16_t limit;       ///< below it the value rises for certain
  int16_t chance;      ///< at or above it, the percentage of a rise
};

constexpr Facility kHospitals[] = {
    {"街外れの診療所", kAll, 25, 5},
    {"設備の整った医院", kAll, 50, 5},
    {"信頼される大病院", kAll, 75, 35},
};

constexpr Facility kChurches[] = {
    {"寂れた教会", kAll, 25, 5},
    {"鐘が鳴り響く聖堂", kAll, 50, 5},
    {"荘厳な大聖堂", kAll, 75, 35},
};

// clsData numbers: 0 Producer, 1 Merchant, 2 Constructor, 3 Engineer, 4 Soldier.
constexpr Facility kSchools[] = {
    {"寺子屋", kAll, 25, 5},
    {"生産訓練所", 0, 50, 5},
    {"一般商人養成所", 1, 50, 5},
    {"建設訓練所", 2, 50, 5},
    {"技術訓練所", 3, 50, 5},
    {"兵士訓練所", 4, 50, 5},
    {"高度生産研究所", 0, 75, 30},
    {"エリート商人養成所", 1, 75, 30},
    {"高度建設訓練所", 2, 75, 30},
    {"高度技術訓練所", 3, 75, 30},
    {"練兵場", 4, 75, 30},
};

template <size_t N>
const Facility* Find(const Facility (&table)[N], const std::string& name) {
  for (const Facility& f : table)
    if (f.name == name) return &f;
  return nullptr;
}

// One rule for every facility: below the limit the value rises, at or above it by chance.
void Apply(int16_t occupation, int16_t limit, int16_t chance, const std::function<int16_t(int)>& value,
           const std::function<void(int)>& raise) {
  rt::Randomize();
  const int first = occupation == kAll ? 0 : occupation;
  const int last = occupation == kAll ? 4 : occupation;
  for (int i = first; i <= last; ++i) {
    if (value(i) < limit || rt::RndPercent() <= chance) raise(i);
  }
}

}  // namespace

void HospitalEffectApply(WeekContext& ctx, int16_t Limit, int16_t Chance) {
  clsData& d = ctx.data;
  Apply(kAll, Limit, Chance, [&](int i) { return d.AffluenceASNumber(i); }, [&](int i) { d.AffluenceADD(i); });
}

void ChurchEffectApply(WeekContext& ctx, int16_t Limit, int16_t Chance) {
  clsData& d = ctx.data;
  Apply(kAll, Limit, Chance, [&](int i) { return d.TrustASNumber(i); }, [&](int i) { d.TrustADD(i); });
}

void SchoolEffectApply(WeekContext& ctx, int16_t Occupation, int16_t Limit, int16_t Chance) {
  clsData& d = ctx.data;
  Apply(Occupation, Limit, Chance, [&](int i) { return d.EducationASNumber(i); }, [&](int i) { d.EducationADD(i); });
}

void HospitalEffect(WeekContext& ctx, const std::string& Name) {
  if (const Facility* f = Find(kHospitals, Name)) HospitalEffectApply(ctx, f->limit, f->chance);
}

void ChurchEffect(WeekContext& ctx, const std::string& Name) {
  if (const Facility* f = Find(kChurches, Name)) ChurchEffectApply(ctx, f->limit, f->chance);
}

void SchoolEffect(WeekContext& ctx, const std::string& Name) {
  if (const Facility* f = Find(kSchools, Name)) SchoolEffectApply(ctx, f->occupation, f->limit, f->chance);
}

void TurnEnd_Facility(WeekContext& ctx, TurnLog&) {
  if (rt::Mod(ctx.state.mTurn, 4) != 0) return;
  const struct {
    const char* type;
    void (*effect)(WeekContext&, const std::string&);
  } kinds[] = {{"学校", SchoolEffect}, {"教会", ChurchEffect}, {"病院", HospitalEffect}};
  for (const auto& kind : kinds) {
    // Only finished buildings act; one being upgraded acts again under its new name.
    const auto rows = QueryRows(ctx.db, std::string("SELECT construct.Name FROM construct,construction "
                                                    "WHERE construct.Name=construction.Name AND Type='") +
                                            kind.type + "' AND construction.Work=0 ORDER BY Land");
    for (const auto& row : rows)
      if (!row.empty()) kind.effect(ctx, row[0]);
  }
}

}  // namespace sim
