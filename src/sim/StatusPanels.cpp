/** @file StatusPanels.cpp The status panels and the figures they keep as game state. */
#include "sim/StatusPanels.h"

#include <algorithm>
#include <cmath>

#include "runtime/Convert.h"
#include "sim/Economy.h"
#include "sim/SimDb.h"

namespace sim {
namespace {

// Weights of the kingdom's averages, in the panels' order.
constexpr int16_t kAffluenceWeight[5] = {2, 3, 1, 2, 1};
constexpr int16_t kEducationWeight[5] = {2, 1, 3, 1, 1};
constexpr int16_t kTrustWeight[5] = {1, 1, 1, 2, 3};

std::string EmployedSql(const std::string& occupation) {
  return "SELECT SUM(construction.NofProduction) FROM construct,construction,area "
         "WHERE construct.Name=construction.Name AND construct.Occupation = " + SqlText(occupation) +
         " AND area.Name=construction.Area AND construct.Area=area.Type";
}

void ShowProgress(ILabel& label, const std::string& mainText, int16_t value) {
  label.MainText(mainText);
  label.SetValue(value);
  label.SubText("100");
}

int16_t Gauge(double value) { return static_cast<int16_t>(std::clamp(value, 0.0, 100.0)); }

// An exploration or research label: prefix, target and its level, the gauge from the level's
// points. No target, or one the database does not know, shows "なし" and keeps no target.
void ShowTarget(WeekContext& ctx, LabelId id, const std::string& prefix, const std::string& targetSql,
                const std::string& progressSql, std::string& shown) {
  ILabel& label = ctx.screen.Label(id);
  const std::string target = QueryRow(ctx.db, targetSql) ? ctx.db.Data(0) : "";
  if (!target.empty() && QueryRow(ctx.db, progressSql + SqlText(target))) {
    const std::string level = ctx.db.Data(0);
    const int16_t gauge = Gauge(rt::Round(rt::CDbl(ctx.db.Data(1))));
    shown = target;
    ShowProgress(label, prefix + target + "(" + level + ")", gauge);
    return;
  }
  shown.clear();
  ShowProgress(label, prefix + "なし", 0);
}

}  // namespace

ViewId OccupationView(PanelOcc o) {
  switch (o) {
    case PanelOcc::Producer: return ViewId::Producer;
    case PanelOcc::Merchant: return ViewId::Merchant;
    case PanelOcc::Engineer: return ViewId::Engineer;
    case PanelOcc::Constructor: return ViewId::Constructor;
    case PanelOcc::Soldier: return ViewId::Soldier;
  }
  return ViewId::Producer;
}

void ShowPeopleAll(WeekContext& ctx, bool Flag) {
  for (PanelOcc o : kAllPanelOcc) {
    ShowOccupation(ctx, std::string(Name(o)), false);
    if (Flag) ShowOccupation(ctx, std::string(Name(o)), true);
  }
  ShowKingdom(ctx);
  ctx.screen.View(ViewId::People).RePaint();
}

void ShowOccupation(WeekContext& ctx, const std::string& Occupation, bool Flag) {
  PanelOcc o;
  if (!PanelOccOf(Occupation, o)) return;
  int16_t people = 0, affluence = 0, education = 0, trust = 0;
  if (QueryRow(ctx.db, "SELECT * FROM people WHERE Occupation=" + SqlText(Occupation))) {
    people = DataI(ctx.db, 1);
    affluence = DataI(ctx.db, 2);
    education = DataI(ctx.db, 3);
    trust = DataI(ctx.db, 4);
  }
  const int16_t employed = rt::CheckI(QueryNumber(ctx.db, EmployedSql(Occupation)));
  if (!Flag) {
    ctx.state.panels.employed[Index(o)] = employed;
    ctx.state.panels.people[Index(o)] = people;
    ctx.screen.View(ViewId::People).HeaderText(PeopleRow(o), 2, rt::CStr(employed) + "/" + rt::CStr(people));
    return;
  }
  IView& view = ctx.screen.View(OccupationView(o));
  view.HeaderText(2, 4, rt::CStr(employed));
  view.HeaderText(3, 4, rt::CStr(int64_t{people} - employed));
  view.HeaderText(2, 2, rt::CStr(affluence));
  view.HeaderText(3, 2, rt::CStr(education));
  view.HeaderText(4, 2, rt::CStr(trust));
  view.RePaint();
}

void ShowKingdom(WeekContext& ctx) {
  IView& view = ctx.screen.View(ViewId::Kingdom);
  PanelState& shown = ctx.state.panels;
  if (QueryRow(ctx.db, "SELECT * FROM home")) {
    const int32_t turn = DataL(ctx.db, 4);
    const std::string grain = ctx.db.Data(2);
    const std::string meat = ctx.db.Data(3);
    // Wide, with \ and Mod's truncation: the week before the lowest of 32 bits is a week too.
    const int64_t before = int64_t{turn} - 1;
    const int64_t year = before / 52 + 1;
    const int64_t week = before % 52 + 1;
    view.HeaderText(1, 1, "建国" + rt::CStr(year) + "年" + " 第" + rt::CStr(week) + "週");
    view.HeaderText(3, 2, "穀物:" + grain);
    view.HeaderText(3, 3, "肉類:" + meat);
    ctx.state.mTurn = turn;
  }
  view.HeaderText(3, 1, "金:" + rt::CStr(ctx.data.Money()));

  shown.population = QueryNumber(ctx.db, "SELECT SUM(Number) FROM people");
  view.HeaderText(1, 2, "人口:" + rt::CStr(shown.population));

  int16_t num[3] = {0, 0, 0}, den[3] = {0, 0, 0};
  for (const auto& row : QueryRows(ctx.db, "SELECT * FROM people")) {
    PanelOcc o;
    if (row.size() < 5 || !PanelOccOf(row[0], o)) continue;
    if (TextI(row[1]) <= 0) continue;  // occupations without people do not count
    const size_t i = Index(o);
    const int16_t w[3] = {kAffluenceWeight[i], kEducationWeight[i], kTrustWeight[i]};
    for (int k = 0; k < 3; ++k) {
      num[k] = rt::AddI(num[k], rt::MulI(w[k], TextI(row[2 + static_cast<size_t>(k)])));
      den[k] = rt::AddI(den[k], w[k]);
    }
  }
  // A kingdom without people shows 0.
  int16_t avg[3];
  for (int k = 0; k < 3; ++k) avg[k] = den[k] ? static_cast<int16_t>(num[k] / den[k]) : 0;
  shown.affluence = avg[0];
  shown.education = avg[1];
  shown.trust = avg[2];
  view.HeaderText(2, 2, "裕福:" + rt::CStr(avg[0]));
  view.HeaderText(2, 3, "教育:" + rt::CStr(avg[1]));
  view.HeaderText(2, 4, "信頼:" + rt::CStr(avg[2]));

  shown.palace = QueryRow(ctx.db, "SELECT construction.Name FROM construction WHERE Area='王宮'") ? ctx.db.Data(0) : "";
  view.HeaderText(2, 1, shown.palace);
  view.RePaint();
}

void ShowAreaResearch(WeekContext& ctx) {
  ShowTarget(ctx, LabelId::AreaResearch, "探索:", "SELECT Arearesearch FROM home",
             "SELECT area.AreaLevel,area.Research*1.0/(area.AreaLevel+1) FROM area WHERE area.Name=",
             ctx.state.panels.areaResearch);
}

void ShowItemResearch(WeekContext& ctx) {
  ShowTarget(ctx, LabelId::ItemResearch, "研究:", "SELECT Itemresearch FROM home",
             "SELECT itemdata.ItemLevel,ROUND(itemdata.Research*1.0/(itemdata.ItemLevel+1),0) FROM itemdata "
             "WHERE itemdata.Name=",
             ctx.state.panels.itemResearch);
}

void ShowConstruct(WeekContext& ctx) {
  ILabel& label = ctx.screen.Label(LabelId::Construct);
  auto none = [&] {
    ctx.state.panels.construction.clear();
    ShowProgress(label, "建設:なし", 0);
  };
  const int32_t id = QueryRow(ctx.db, "SELECT Construction FROM home") ? DataL(ctx.db, 0) : 0;
  if (id == 0) return none();
  // A job whose building row is gone shows as no job.
  if (!QueryRow(ctx.db, "SELECT [Update] FROM construction WHERE ID=" + rt::CStr(id))) return none();
  const bool upgrade = !ctx.db.Data(0).empty();
  const std::string sql =
      upgrade ? "SELECT construct.Name,construction.Area,construct.Work,construction.Work "
                "FROM construct,construction,area WHERE construct.Succession=construction.Name AND "
                "construct.Name=construction.[Update] AND area.Name=construction.Area AND area.Type=construct.Area "
                "AND construction.ID=" + rt::CStr(id)
              : "SELECT construct.Name,construction.Area,construct.Work,construction.Work "
                "FROM construct,construction,area WHERE construct.Name=construction.Name AND "
                "area.Name=construction.Area AND area.Type=construct.Area AND construction.ID=" + rt::CStr(id);
  if (!QueryRow(ctx.db, sql)) return none();
  const std::string name = ctx.db.Data(0);
  const std::string area = ctx.db.Data(1);
  const double total = rt::CDbl(ctx.db.Data(2));
  const double remaining = rt::CDbl(ctx.db.Data(3));
  // A catalogue row without work counts as done rather than dividing by zero.
  const int16_t gauge = total > 0 ? Gauge(100 - std::floor(remaining / total * 100)) : 100;
  ctx.state.panels.construction = name;
  ShowProgress(label, std::string(upgrade ? "改修:" : "建設:") + name + "(" + area + ")", gauge);
}

}  // namespace sim
