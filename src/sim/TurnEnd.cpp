/** @file TurnEnd.cpp The week driver and the occupation check. */
#include "sim/TurnEnd.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <limits>
#include <optional>

#include "db/clsFile.h"
#include "platform/FileSystem.h"
#include "runtime/Convert.h"
#include "runtime/FlagScope.h"
#include "runtime/VbError.h"
#include "sim/Economy.h"
#include "sim/SimDb.h"
#include "sim/StatusPanels.h"
#include "sim/TurnEnd_Market.h"
#include "sim/TurnEnd_People.h"

namespace sim {

// The week as one transaction: on disk it has happened whole or not at all. A week that does
// not reach its commit (an error thrown out of it, a failed commit, the program's end) leaves
// the database and the figures in memory as they were before it; a killed program leaves the
// file so by itself.
class WeekTransaction {
 public:
  explicit WeekTransaction(WeekContext& ctx)
      : ctx_(ctx), data_(ctx.data), state_(ctx.state), owned_(ctx.db.BeginTrans()) {
    ctx_.week = this;
  }
  ~WeekTransaction() {
    if (owned_) Undo();
    ctx_.week = nullptr;
  }
  WeekTransaction(const WeekTransaction&) = delete;
  WeekTransaction& operator=(const WeekTransaction&) = delete;

  void Commit() {
    if (!owned_) return;
    owned_ = false;
    if (ctx_.db.CommitTrans()) return;
    const std::string why = ctx_.db.GetErrMSG();
    RestoreMemory();
    ctx_.MsgBox("週の結果を保存できませんでした。週は進んでいません\r\n" + why);
    RunStep(ctx_, "LoadGameState", [&] { LoadGameState(ctx_); });
  }
  void Undo() {
    if (!owned_) return;
    owned_ = false;
    ctx_.db.Rollback();
    RestoreMemory();
  }

 private:
  void RestoreMemory() {
    ctx_.data = data_;
    const bool quit = ctx_.state.mQuitAfterTurn;
    ctx_.state = state_;
    ctx_.state.mWeekRunning = true;  // still inside TurnEnd
    ctx_.state.mQuitAfterTurn = quit && state_.mQuitAfterTurn;
  }

  WeekContext& ctx_;
  const clsData data_;
  const GameState state_;
  bool owned_;
};

namespace {

// The occupations the week puts to work itself, in this order.
const char* const kCheckedOccupations[] = {"Constructor", "Merchant", "Soldier"};

void Progress(WeekContext& ctx, int dots) { ctx.ShowMSGBox(ProgressText(dots), kMsgNoButton, false); }

// Each part on its own: a panel that cannot be read must neither lose the save nor leave the
// other panels (and the targets they hold for next week) as they were.
void WeekClose(WeekContext& ctx) {
  RunStep(ctx, "SavePeopleData", [&] { SavePeopleData(ctx); });
  RunStep(ctx, "ShowPeopleAll", [&] { ShowPeopleAll(ctx, false); });
  RunStep(ctx, "ShowAreaResearch", [&] { ShowAreaResearch(ctx); });
  RunStep(ctx, "ShowItemResearch", [&] { ShowItemResearch(ctx); });
  RunStep(ctx, "ShowConstruct", [&] { ShowConstruct(ctx); });
}

void Conquest(WeekContext& ctx, TurnLog& Log) {
  if (ctx.army) ctx.army->TurnEnd_Conquest(ctx, Log);
}

void WriteMessageLog(WeekContext& ctx, const TurnLog& Log) {
  const std::filesystem::path dir = ctx.appDir.empty() ? plat::ProgramFolder() : std::filesystem::path(ctx.appDir);
  const std::string path = (dir / "MSG.log").string();
  clsFile file;
  file.FileWriteAppend(path, rt::CStr(ctx.state.mTurn));
  file.FileWriteAppend(path, Log.Text());
}

void FoodCheck(WeekContext& ctx) {
  const std::string sql = "SELECT Meat,Grain FROM home";
  if (!QueryRow(ctx.db, sql)) {
    ctx.MsgBox("食料データ取得エラー\r\n" + sql);
    return;
  }
  const auto meat = WholeNumber(ctx.db.Data(0)), grain = WholeNumber(ctx.db.Data(1));
  if (!meat || !grain)
    return BadValue(ctx, "食料データ取得エラー\r\n" + sql, meat ? "home.Grain" : "home.Meat",
                    meat ? ctx.db.Data(1) : ctx.db.Data(0));
  const int32_t need = 5 * ctx.data.Population();
  if (*meat < need || *grain < need)
    ctx.ShowMSGBox("食料が不足しています\r\n領土から供給を選択してください", kMsgClose, true);
}

bool HasGameOver(const std::vector<std::pair<std::string, std::string>>& entries) {
  for (const auto& [kind, text] : entries)
    if (kind == kGameOverKey) return true;
  return false;
}

// Shows the game-over message and locks the screen; true when the week ended the game.
bool GameOverScan(WeekContext& ctx, const std::vector<std::pair<std::string, std::string>>& entries) {
  for (const auto& [kind, text] : entries) {
    if (kind != kGameOverKey) continue;
    ctx.ShowMSGBox(text, kMsgClose, false);
    ctx.settings.Set("DBInit", "True");  // the next start resets the game database
    ctx.screen.GameOverLock();
    ctx.state.mQuitAfterTurn = true;
    return true;
  }
  return false;
}

// Entries grouped by kind in report order, in writing order within a kind; only kinds switched on.
void ShowReport(WeekContext& ctx, const std::vector<std::pair<std::string, std::string>>& entries) {
  for (size_t i = 0; i < kReportKeys.size(); ++i) {
    if (ctx.settings.Get("Report" + std::to_string(i)) != "1") continue;
    for (const auto& [kind, text] : entries)
      if (kind == kReportKeys[i]) ctx.ShowMSGBox(text, kMsgClose, false);
  }
}

}  // namespace

std::string ProgressText(int dots) {
  std::string text = "処理中";
  for (int i = 0; i < dots; ++i) text += "･";
  return text;
}

const WeekSteps& DefaultWeekSteps() {
  static const WeekSteps steps = [] {
    WeekSteps s;
    s.LoadPeopleData = LoadPeopleData;
    s.TurnEnd_ContinueItem = TurnEnd_ContinueItem;
    s.TurnEnd_OccupationCheck = TurnEnd_OccupationCheck;
    s.TurnEnd_Conquest = Conquest;
    s.TurnEnd_Consuming = TurnEnd_Consuming;
    s.TurnEnd_Recruitment = TurnEnd_Recruitment;
    s.TurnEnd_Tax = TurnEnd_Tax;
    s.TurnEnd_Trade = TurnEnd_Trade;
    s.TurnEnd_OpenCountry = TurnEnd_OpenCountry;
    s.TurnEnd_AreaResearch = TurnEnd_AreaResearch;
    s.TurnEnd_ItemResearchAll = TurnEnd_ItemResearchAll;
    s.TurnEnd_Construct = TurnEnd_Construct;
    s.TurnEnd_ItemProduction = TurnEnd_ItemProduction;
    s.TurnEnd_ItemProcess = TurnEnd_ItemProcess;
    s.TurnEnd_ItemResearch = TurnEnd_ItemResearch;
    s.TurnEnd_DecreaseWeek = TurnEnd_DecreaseWeek;
    s.TurnEnd_Facility = TurnEnd_Facility;
    s.TurnEnd_ConstructOpen = TurnEnd_ConstructOpen;
    s.WeekClose = WeekClose;
    return s;
  }();
  return steps;
}

void AbandonWeek(WeekContext& ctx) {
  if (ctx.week) ctx.week->Undo();
}

void RunStep(WeekContext& ctx, const char* name, const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    // The player reads the error in Japanese; the runtime's own words stay in standard error.
    std::fprintf(stderr, "vesk: %s: %s\n", name, e.what());
    ctx.MsgBox(std::string("週の処理でエラーが発生しました:") + name + "\r\n" + rt::DescribeError(e));
  }
}

void TurnEnd(WeekContext& ctx, const WeekSteps& s) {
  rt::FlagScope week(ctx.state.mWeekRunning);
  WeekTransaction transaction(ctx);
  TurnLog Log;
  GameState& st = ctx.state;

  RunStep(ctx, "LoadPeopleData", [&] { s.LoadPeopleData(ctx); });
  RunStep(ctx, "TurnEnd_ContinueItem", [&] { s.TurnEnd_ContinueItem(ctx, Log); });
  RunStep(ctx, "TurnEnd_OccupationCheck", [&] { s.TurnEnd_OccupationCheck(ctx); });
  {
    rt::FlagScope conquest(st.mTurnRunning);
    RunStep(ctx, "TurnEnd_Conquest", [&] { s.TurnEnd_Conquest(ctx, Log); });
  }
  Progress(ctx, 0);
  RunStep(ctx, "TurnEnd", [&] {
    // The last week there is stays the week: the count has no number after it.
    if (st.mTurn == std::numeric_limits<int32_t>::max())
      return BadValue(ctx, "週数取得エラー:TurnEnd", "home.Turn", rt::CStr(st.mTurn));
    st.mTurn += 1;
    ctx.db.Excute("UPDATE home SET Turn=" + rt::CStr(st.mTurn));
  });

  bool fed = false;
  RunStep(ctx, "TurnEnd_Consuming", [&] { s.TurnEnd_Consuming(ctx, Log, fed); });
  if (fed) RunStep(ctx, "TurnEnd_Recruitment", [&] { s.TurnEnd_Recruitment(ctx, Log); });
  Progress(ctx, 1);
  RunStep(ctx, "TurnEnd_Tax", [&] { s.TurnEnd_Tax(ctx, Log); });
  bool openCountry = false;
  RunStep(ctx, "TurnEnd_Trade", [&] { s.TurnEnd_Trade(ctx, Log, openCountry); });
  if (openCountry) RunStep(ctx, "TurnEnd_OpenCountry", [&] { s.TurnEnd_OpenCountry(ctx, Log); });
  Progress(ctx, 2);
  RunStep(ctx, "TurnEnd_AreaResearch", [&] { s.TurnEnd_AreaResearch(ctx, Log); });
  Progress(ctx, 3);
  RunStep(ctx, "TurnEnd_ItemResearchAll", [&] { s.TurnEnd_ItemResearchAll(ctx, Log); });
  Progress(ctx, 4);
  RunStep(ctx, "TurnEnd_Construct", [&] { s.TurnEnd_Construct(ctx, Log); });
  Progress(ctx, 5);
  RunStep(ctx, "TurnEnd_ItemProduction", [&] { s.TurnEnd_ItemProduction(ctx, Log); });
  Progress(ctx, 6);
  RunStep(ctx, "TurnEnd_ItemProcess", [&] { s.TurnEnd_ItemProcess(ctx, Log); });
  Progress(ctx, 7);
  RunStep(ctx, "TurnEnd_ItemResearch", [&] { s.TurnEnd_ItemResearch(ctx, Log); });
  Progress(ctx, 8);
  RunStep(ctx, "TurnEnd_DecreaseWeek", [&] { s.TurnEnd_DecreaseWeek(ctx); });
  Progress(ctx, 9);
  RunStep(ctx, "TurnEnd_Facility", [&] { s.TurnEnd_Facility(ctx, Log); });
  Progress(ctx, 10);
  RunStep(ctx, "TurnEnd_ConstructOpen", [&] { s.TurnEnd_ConstructOpen(ctx, Log); });
  Progress(ctx, 11);

  st.lastTurnLog = Log.Text();
  if (ctx.db.DebugMode()) RunStep(ctx, "TurnEnd", [&] { WriteMessageLog(ctx, Log); });
  RunStep(ctx, "TurnEnd", [&] { FoodCheck(ctx); });

  const auto entries = Log.Entries();
  if (HasGameOver(entries)) {
    transaction.Commit();  // the lost week stays, as the next start resets the game
    GameOverScan(ctx, entries);
    return;  // no report, no save, no refresh
  }
  ShowReport(ctx, entries);

  s.WeekClose(ctx);
  transaction.Commit();
  st.mTurnBuy = false;
  st.mTurnSell = false;
  ctx.screen.SendMessagePanelBack();
}

std::vector<std::pair<std::string, int16_t>> OccupationShortfall(WeekContext& ctx) {
  const std::string message = "職種別従事数取得エラー:TurnEnd_OccupationCheck";
  // A figure that is no count up to `max` leaves its occupation as it is this week; none counts 0.
  auto count = [&](const std::string& sql, const char* column, int32_t max) -> std::optional<int32_t> {
    if (!QueryRow(ctx.db, sql)) return 0;
    const auto n = Amount(ctx.db.Data(0), max);
    if (!n) BadValue(ctx, message, column, ctx.db.Data(0));
    return n;
  };
  constexpr int32_t kSum = std::numeric_limits<int32_t>::max(), kHead = std::numeric_limits<int16_t>::max();
  std::vector<std::pair<std::string, int16_t>> out;
  for (const std::string occupation : kCheckedOccupations) {
    const auto placed = count("SELECT SUM(construction.NofProduction) FROM construct,construction,area "
                              "WHERE construct.Name=construction.Name AND construct.Occupation=" + SqlText(occupation) +
                                  " AND area.Name=construction.Area AND construct.Area=area.Type",
                              "SUM(construction.NofProduction)", kSum);
    // The soldiers in the field are employed too.
    const auto away = occupation == "Soldier" ? count("SELECT SUM([Number]) FROM unit ", "SUM(unit.Number)", kSum) : 0;
    const auto people = count("SELECT [Number] FROM people WHERE Occupation=" + SqlText(occupation), "people.Number", kHead);
    if (!placed || !away || !people) continue;
    // Counted wide: head counts that add up past 16 bits are more than enough workers.
    const int64_t employed = int64_t{*placed} + *away;
    if (employed < *people) out.emplace_back(occupation, static_cast<int16_t>(*people - employed));
  }
  return out;
}

void TurnEnd_OccupationCheck(WeekContext& ctx) {
  for (const auto& [occupation, count] : OccupationShortfall(ctx)) OccupationAdd(ctx, occupation, count);
}

}  // namespace sim
