/** @file Economy.cpp Loading and saving the people and money, the quarterly tax, the form state kept in home, item look-up for the battle units. */
#include "sim/Economy.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "runtime/Convert.h"
#include "runtime/VbError.h"
#include "sim/SimDb.h"
#include "sim/StatusPanels.h"

namespace sim {
namespace {

// The two cells that show an occupation's recruiting state.
void WriteRecruitingCells(WeekContext& ctx, PanelOcc o, bool on) {
  const std::string text = on ? kRecruitingText : kNotRecruitingText;
  ctx.screen.View(OccupationView(o)).HeaderText(4, 3, text);
  ctx.screen.View(ViewId::People).HeaderText(PeopleRow(o), 3, text);
}

// An empty equipment slot has no item to look up.
clsItemValues SlotItem(WeekContext& ctx, const std::string& name) {
  return name.empty() ? clsItemValues{} : RetclsItem(ctx, name);
}

// A number the battle unit takes from a stored row; one it cannot take stops the unit.
int16_t UnitFigure(const std::string& text, const char* column) {
  const auto n = Figure16(text);
  if (!n) throw UnreadableValue(column, text);
  return *n;
}

}  // namespace

std::optional<int16_t> AttributeValue(std::string_view text) {
  const auto n = Figure(text);
  if (!n) return std::nullopt;
  return static_cast<int16_t>(std::clamp<int32_t>(*n, 0, 100));
}

UnreadableValue::UnreadableValue(std::string c, std::string v)
    : rt::VbError(rt::kErrTypeMismatch), column(std::move(c)), value(std::move(v)) {}

void LoadPeopleData(WeekContext& ctx) {
  // Each value is clamped to 0..100 on the way in; one that is no whole number is shown and
  // the occupation keeps the value it had.
  const std::string peopleError = "職種別人口取得エラー:LoadPeopleData";
  for (const auto& row : QueryRows(ctx.db, "SELECT * FROM people")) {
    const std::string name = Col(row, 0);
    auto read = [&](size_t col, const char* column, const std::function<void(int)>& set) {
      const std::string text = Col(row, col);
      const auto value = AttributeValue(text);
      if (value) set(*value);
      else BadValue(ctx, peopleError, column, text);
    };
    read(2, "people.Affluence", [&](int v) { ctx.data.Affluence(name, v); });
    read(3, "people.Education", [&](int v) { ctx.data.Education(name, v); });
    read(4, "people.Trust", [&](int v) { ctx.data.Trust(name, v); });
  }
  // The treasury is read once per load; from then on mData holds the master copy. One that
  // cannot be read is tried again next time and never written over meanwhile.
  if (!ctx.state.moneyLoaded && QueryRow(ctx.db, "SELECT [Money] FROM home")) {
    const auto money = WholeNumber(ctx.db.Data(0));
    if (money) {
      ctx.data.Money(*money);
      ctx.state.moneyLoaded = true;
    } else {
      BadValue(ctx, "お金取得エラー:LoadPeopleData", "home.Money", ctx.db.Data(0));
    }
  }
  if (QueryRow(ctx.db, "SELECT SUM(Number) FROM people")) {
    const auto population = WholeNumber16(ctx.db.Data(0));
    if (population)
      ctx.data.Population(*population);
    else
      BadValue(ctx, "住民数取得エラー:LoadPeopleData", "SUM(people.Number)", ctx.db.Data(0));
  }
}

void SavePeopleData(WeekContext& ctx) {
  for (int16_t n = 0; n <= 4; ++n) ctx.db.Excute(ctx.data.CreateSQL(n));
  if (ctx.state.moneyLoaded) ctx.db.Excute("UPDATE home SET [Money]=" + rt::CStr(ctx.data.Money()));
}

void TurnEnd_Tax(WeekContext& ctx, TurnLog& Log) {
  if (rt::Mod(ctx.state.mTurn, 13) != 0) return;
  const int16_t A = ctx.data.Affluence("Merchant");
  const int16_t E = ctx.data.Education("Merchant");
  const int16_t T = ctx.data.Trust("Merchant");
  // The merchants' head count as the people panel showed it at the week's start.
  const int16_t M = ctx.state.panels.People(PanelOcc::Merchant);
  const int16_t S = rt::AddI(rt::AddI(rt::MulI(3, A), E), T);
  const int16_t U = rt::AddI(rt::AddI(A, E), T);
  const int16_t Q = static_cast<int16_t>(S / 5);
  const int32_t tax = rt::CLng((Q / 12.0 * M) * (U / 60.0));
  ctx.data.MoneyAdd(tax);
  Log.Add("tax", "税金が" + rt::CStr(tax) + "入りました");
}

void InitGameData(WeekContext& ctx) {
  int16_t R = 0;
  if (QueryRow(ctx.db, "SELECT TurnBuy,TurnSell,Recruitment FROM home")) {
    // A mark that cannot be read counts as not used; a mask that is no whole number recruits nobody.
    const std::string buy = ctx.db.Data(0), sell = ctx.db.Data(1), recruitment = ctx.db.Data(2);
    const auto bought = Flag(buy), sold = Flag(sell);
    const auto mask = Figure(recruitment);
    AllRead(ctx, "ゲームの状態取得エラー:InitGameData",
            {{bought.has_value(), "home.TurnBuy", buy}, {sold.has_value(), "home.TurnSell", sell},
             {mask.has_value(), "home.Recruitment", recruitment}});
    ctx.state.mTurnBuy = bought.value_or(false);
    ctx.state.mTurnSell = sold.value_or(false);
    R = static_cast<int16_t>(mask && *mask > 0 ? std::min(*mask, 31) : 0);
  }
  if (R >= 1) {
    for (PanelOcc o : {PanelOcc::Soldier, PanelOcc::Constructor, PanelOcc::Engineer, PanelOcc::Merchant,
                       PanelOcc::Producer}) {
      if (R >= RecruitBit(o)) {
        ctx.state.panels.recruiting[Index(o)] = true;
        WriteRecruitingCells(ctx, o, true);
        R = static_cast<int16_t>(R - RecruitBit(o));
      }
    }
    ctx.screen.View(ViewId::People).RePaint();
  }

  if (!ctx.army) return;
  // The rows are copied first: the item and monster look-ups replace the current query. A row
  // that cannot be read makes no unit and keeps the game loadable; the conquest removes it,
  // with a message, when its army arrives.
  const std::string unitError = "軍データ取得エラー:InitGameData";
  for (const auto& row : QueryRows(ctx.db, "SELECT * FROM unit")) {
    try {
      ctx.army->UnitAdd(UnitSetupFromRow(ctx, row), Col(row, 1) + Col(row, 0));
    } catch (const UnreadableValue& e) {
      BadValue(ctx, unitError, e.column, e.value);
    } catch (const rt::VbError&) {
      BadValue(ctx, unitError, "unit.ID", Col(row, 0));
    }
  }
}

BattleUnitSetup UnitSetupFromRow(WeekContext& ctx, const std::vector<std::string>& row) {
  BattleUnitSetup unit;
  unit.unitRow = row;
  unit.ally = Col(row, 2) == "Ally";
  if (unit.ally) {
    unit.id = Col(row, 0);
    unit.unitName = Col(row, 1);
    unit.unitClass = Col(row, 5);
    unit.education = UnitFigure(Col(row, 6), "unit.Education");
    unit.soldiers = UnitFigure(Col(row, 8), "unit.Number");
    unit.arms = SlotItem(ctx, Col(row, 9));
    unit.protector = SlotItem(ctx, Col(row, 10));
    unit.accessory = SlotItem(ctx, Col(row, 11));
    unit.item1 = SlotItem(ctx, Col(row, 12));
    unit.item2 = SlotItem(ctx, Col(row, 13));
    if (unit.unitClass == "アーチャー" || unit.unitClass == "ライダー") {
      unit.hasSubArms = true;
      unit.subArms = SlotItem(ctx, Col(row, 19));
    }
  } else {
    auto monster = QueryRows(ctx.db, "SELECT * FROM monster WHERE Name=" + SqlText(Col(row, 1)));
    if (!monster.empty()) unit.monsterRow = monster.front();
    // The figures a monster's battle unit takes, from its row and from the unit's.
    UnitFigure(Col(row, 6), "unit.Education");
    UnitFigure(Col(row, 8), "unit.Number");
    const auto& m = unit.monsterRow;
    const std::pair<size_t, const char*> figures[] = {{3, "monster.Attack"},     {4, "monster.Defence"},
                                                      {5, "monster.Speed"},      {8, "monster.ImageTable"},
                                                      {9, "monster.ImageRow"},   {10, "monster.ImageCol"}};
    for (const auto& [col, column] : figures) UnitFigure(Col(m, col), column);
  }
  return unit;
}

void SaveHomeSetting(WeekContext& ctx) {
  // A transaction of its own, never a part of a week's (whose rollback would take it along).
  const bool own = ctx.db.BeginTrans();
  ctx.db.Excute("UPDATE home SET TurnBuy=" + rt::CStr(ctx.state.mTurnBuy));
  ctx.db.Excute("UPDATE home SET TurnSell=" + rt::CStr(ctx.state.mTurnSell));
  int32_t R = 0;
  for (PanelOcc o : kAllPanelOcc)
    if (ctx.state.panels.Recruiting(o)) R += RecruitBit(o);
  ctx.db.Excute("UPDATE home SET Recruitment=" + rt::CStr(R));
  // Money spent or earned by commands since the last week lives in mData only: keep it too.
  // Never write a treasury that was not read in the first place.
  if (ctx.state.moneyLoaded) ctx.db.Excute("UPDATE home SET [Money]=" + rt::CStr(ctx.data.Money()));
  if (own) ctx.db.CommitTrans();
}

clsItemValues RetclsItem(WeekContext& ctx, const std::string& Name) {
  clsItemValues item;
  item.Name = Name;
  const std::string message = "アイテム情報取得エラー:RetclsItem:Name=" + Name;
  if (!QueryRow(ctx.db, "SELECT Power,Weight,Effect FROM item WHERE Name=" + SqlText(Name))) {
    ctx.MsgBox(message);
    return item;
  }
  // The item still goes where it is carried and comes home: a figure it lacks counts 0.
  const std::string power = ctx.db.Data(0), weight = ctx.db.Data(1);
  const auto p = Figure16(power), w = Figure16(weight);
  AllRead(ctx, message, {{p.has_value(), "item.Power", power}, {w.has_value(), "item.Weight", weight}});
  item.Power = p.value_or(0);
  item.Weight = w.value_or(0);
  item.Effect = ctx.db.Data(2);
  return item;
}

bool CanLoadGame(WeekContext& ctx) {
  const std::string turnError = "週数取得エラー:LoadGameState";
  const std::string noTurn = "\r\n週数が読めないため、ゲームを終了します";
  if (!QueryRow(ctx.db, "SELECT Turn FROM home")) {
    ctx.MsgBox(turnError + "\r\nhome に行がありません" + noTurn);
    return false;
  }
  if (!WholeNumber(ctx.db.Data(0))) {
    ctx.MsgBox(DataErrorText(turnError, "home.Turn", ctx.db.Data(0)) + noTurn);
    return false;
  }
  if (!QueryRow(ctx.db, "SELECT Occupation FROM people")) {
    ctx.MsgBox("職種別人口取得エラー:LoadGameState\r\npeople に行がありません\r\n国民がいないため、ゲームを終了します");
    return false;
  }
  return true;
}

bool LoadGameState(WeekContext& ctx, const std::function<void(std::string_view)>& progress) {
  if (!CanLoadGame(ctx)) return false;
  LoadPeopleData(ctx);
  ShowGameState(ctx, progress);
  return true;
}

void ShowGameState(WeekContext& ctx, const std::function<void(std::string_view)>& progress) {
  auto say = [&](std::string_view text) {
    if (progress) progress(text);
  };
  // Games saved before the starting barracks had a way up get that kind: a copy of the
  // barracks of the next size that succeeds the starting one. The unlock ladder opens it.
  ctx.db.Excute("INSERT INTO construct (Name,Type,Area,Land,Price,Men,Work,Occupation,Succession,Open) "
                "SELECT '建て直した兵舎',Type,Area,Land,Price,Men,Work,Occupation,'ボロボロの兵舎',False "
                "FROM construct WHERE Name='機能的な兵舎' AND NOT EXISTS "
                "(SELECT * FROM construct WHERE Name='建て直した兵舎')");
  say("GVデータ取得中");
  ShowPeopleAll(ctx, false);
  say("GLデータ取得中");
  ShowAreaResearch(ctx);
  ShowItemResearch(ctx);
  ShowConstruct(ctx);
  say("ゲームのプロパティを設定中");
  InitGameData(ctx);
}

void SetRecruiting(WeekContext& ctx, PanelOcc occupation, bool on) {
  ctx.state.panels.recruiting[Index(occupation)] = on;
  WriteRecruitingCells(ctx, occupation, on);
  ctx.screen.View(ViewId::People).RePaint();
  ctx.screen.View(OccupationView(occupation)).RePaint();
}

}  // namespace sim
