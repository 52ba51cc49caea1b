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

// An exploration or research label: prefix, target and its level, the gauge the points within the
// level, a level taking (level + 1) x 100 of them. No target, or one the database does not know,
// shows "なし" and keeps no target. A level or points that cannot be read are named; the target
// stays (the week reads its own), shown without them.
void ShowTarget(WeekContext& ctx, LabelId id, const std::string& prefix, const std::string& targetSql,
                const std::string& progressSql, const std::string& message, const char* levelColumn,
                const char* pointsColumn, std::string& shown) {
  ILabel& label = ctx.screen.Label(id);
  const std::string target = QueryRow(ctx.db, targetSql) ? ctx.db.Data(0) : "";
  if (target.empty() || !QueryRow(ctx.db, progressSql + SqlText(target))) {
    shown.clear();
    ShowProgress(label, prefix + "なし", 0);
    return;
  }
  shown = target;
  const std::string levelText = ctx.db.Data(0), pointsText = ctx.db.Data(1);
  const auto level = Amount(levelText);
  const auto points = Amount(pointsText);
  if (!AllRead(ctx, message, {{level.has_value(), levelColumn, levelText}, {points.has_value(), pointsColumn, pointsText}})) {
    ShowProgress(label, prefix + target + (level ? "(" + levelText + ")" : ""), 0);
    return;
  }
  const double gauge = rt::Round(static_cast<double>(*points) / (int64_t{*level} + 1));
  ShowProgress(label, prefix + target + "(" + levelText + ")", Gauge(gauge));
}

// A kingdom figure the panels show and the week reads; one that cannot be read is named and
// counts 0.
template <typename T>
T Counted(WeekContext& ctx, const std::optional<T>& value, const std::string& message, std::string_view column,
        std::string_view text) {
  if (!value) BadValue(ctx, message, column, text);
  return value.value_or(T{0});
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
  const std::string message = "職種別人口取得エラー:ShowOccupation";
  int16_t people = 0;
  // The attributes as mData takes them; LoadPeopleData names one that cannot be read.
  std::string attribute[3];
  if (QueryRow(ctx.db, "SELECT * FROM people WHERE Occupation=" + SqlText(Occupation))) {
    people = Counted(ctx, Amount16(ctx.db.Data(1)), message, "people.Number", ctx.db.Data(1));
    for (int k = 0; k < 3; ++k)
      if (const auto v = AttributeValue(ctx.db.Data(2 + k))) attribute[k] = rt::CStr(*v);
  }
  const std::string sum = QueryRow(ctx.db, EmployedSql(Occupation)) ? ctx.db.Data(0) : "";
  const int16_t employed =
      Counted(ctx, Amount16(sum), "職種別雇用数取得エラー:ShowOccupation", "SUM(construction.NofProduction)", sum);
  if (!Flag) {
    ctx.state.panels.employed[Index(o)] = employed;
    ctx.state.panels.people[Index(o)] = people;
    ctx.screen.View(ViewId::People).HeaderText(PeopleRow(o), 2, rt::CStr(employed) + "/" + rt::CStr(people));
    return;
  }
  IView& view = ctx.screen.View(OccupationView(o));
  view.HeaderText(2, 4, rt::CStr(employed));
  view.HeaderText(3, 4, rt::CStr(int64_t{people} - employed));
  view.HeaderText(2, 2, attribute[0]);
  view.HeaderText(3, 2, attribute[1]);
  view.HeaderText(4, 2, attribute[2]);
  view.RePaint();
}

void ShowKingdom(WeekContext& ctx) {
  IView& view = ctx.screen.View(ViewId::Kingdom);
  PanelState& shown = ctx.state.panels;
  if (QueryRow(ctx.db, "SELECT * FROM home")) {
    const std::string grain = ctx.db.Data(2);
    const std::string meat = ctx.db.Data(3);
    // A week number that cannot be read leaves the date and the week counter as they were.
    if (const auto turn = WholeNumber(ctx.db.Data(4))) {
      // Wide, with \ and Mod's truncation: the week before the lowest of 32 bits is a week too.
      const int64_t before = int64_t{*turn} - 1;
      const int64_t year = before / 52 + 1;
      const int64_t week = before % 52 + 1;
      view.HeaderText(1, 1, "建国" + rt::CStr(year) + "年" + " 第" + rt::CStr(week) + "週");
      ctx.state.mTurn = *turn;
    } else {
      BadValue(ctx, "週数取得エラー:ShowKingdom", "home.Turn", ctx.db.Data(4));
    }
    view.HeaderText(3, 2, "穀物:" + grain);
    view.HeaderText(3, 3, "肉類:" + meat);
  }
  view.HeaderText(3, 1, "金:" + rt::CStr(ctx.data.Money()));

  const std::string sum = QueryRow(ctx.db, "SELECT SUM(Number) FROM people") ? ctx.db.Data(0) : "";
  shown.population = Counted(ctx, Amount(sum), "住民数取得エラー:ShowKingdom", "SUM(people.Number)", sum);
  view.HeaderText(1, 2, "人口:" + rt::CStr(shown.population));

  // Wide sums: an average of 16-bit values is one itself. A head count or an attribute that
  // cannot be read (ShowOccupation and LoadPeopleData name it) leaves its occupation out.
  int64_t num[3] = {0, 0, 0}, den[3] = {0, 0, 0};
  for (const auto& row : QueryRows(ctx.db, "SELECT * FROM people")) {
    PanelOcc o;
    if (row.size() < 5 || !PanelOccOf(row[0], o)) continue;
    if (Amount16(row[1]).value_or(0) <= 0) continue;  // occupations without people do not count
    const size_t i = Index(o);
    const int16_t w[3] = {kAffluenceWeight[i], kEducationWeight[i], kTrustWeight[i]};
    for (int k = 0; k < 3; ++k) {
      const auto value = AttributeValue(row[2 + static_cast<size_t>(k)]);
      if (!value) continue;
      num[k] += int64_t{w[k]} * *value;
      den[k] += w[k];
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
             "SELECT area.AreaLevel,area.Research FROM area WHERE area.Name=", "探索エリア取得エラー:ShowAreaResearch",
             "area.AreaLevel", "area.Research", ctx.state.panels.areaResearch);
}

void ShowItemResearch(WeekContext& ctx) {
  ShowTarget(ctx, LabelId::ItemResearch, "研究:", "SELECT Itemresearch FROM home",
             "SELECT itemdata.ItemLevel,itemdata.Research FROM itemdata WHERE itemdata.Name=",
             "研究アイテム取得エラー:ShowItemResearch", "itemdata.ItemLevel", "itemdata.Research",
             ctx.state.panels.itemResearch);
}

void ShowConstruct(WeekContext& ctx) {
  ILabel& label = ctx.screen.Label(LabelId::Construct);
  auto none = [&] {
    ctx.state.panels.construction.clear();
    ShowProgress(label, "建設:なし", 0);
  };
  const std::string message = "建設建物取得エラー:ShowConstruct";
  const std::string job = QueryRow(ctx.db, "SELECT Construction FROM home") ? ctx.db.Data(0) : "";
  const auto jobId = Figure(job);
  if (!jobId) {
    BadValue(ctx, message, "home.Construction", job);
    return none();
  }
  const int32_t id = *jobId;
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
  // Works as the week reads them; one that cannot be read is named and the job shows no progress.
  const std::string totalText = ctx.db.Data(2), remainingText = ctx.db.Data(3);
  const auto total = Amount16(totalText), remaining = Amount16(remainingText);
  const bool read = AllRead(ctx, message, {{total.has_value(), "construct.Work", totalText},
                                           {remaining.has_value(), "construction.Work", remainingText}});
  // A catalogue row without work counts as done rather than dividing by zero.
  int16_t gauge = 0;
  if (read) gauge = *total > 0 ? Gauge(100 - std::floor(static_cast<double>(*remaining) / *total * 100)) : 100;
  ctx.state.panels.construction = name;
  ShowProgress(label, std::string(upgrade ? "改修:" : "建設:") + name + "(" + area + ")", gauge);
}

}  // namespace sim
