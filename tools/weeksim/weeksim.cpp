/** @file weeksim.cpp Runs N weeks of the game headless on a game database (in place), answering every message box, and prints each week's figures. */
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "army/Conquest.h"
#include "army/UnitFormation.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "db/CreateDB.h"
#include "db/GameDbBuilder.h"
#include "db/clsDB.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "runtime/Clock.h"
#include "runtime/Convert.h"
#include "runtime/Random.h"
#include "runtime/VbError.h"
#include "sim/Economy.h"
#include "sim/GameState.h"
#include "sim/IniSettings.h"
#include "sim/SimDb.h"
#include "sim/TurnEnd.h"

namespace {

const char kUsage[] =
    "使い方: weeksim [--seed N] [--weeks N] [--answer yes|no] [--supply] [--recruit MASK] [--conquest NEST]\n"
    "               [--new DATADIR] [--trace FILE] [--said FILE] DATABASE\n"
    "  DATABASE のゲームを N 週 (既定 52) 進めます。DATABASE はその場で書き換わります。\n"
    "  --new DATADIR  DATADIR から新しいゲームの DATABASE を作ってから始めます (既にあるときは中止)\n"
    "  --trace FILE   実行した SQL 文を一行ずつ FILE に書く\n"
    "  --said FILE    プレイヤーが読む文 (メッセージボックス・戦闘のメッセージ・週の報告) を一行ずつ FILE に書く\n"
    "  --answer       はい/いいえの問いへの答え (既定 yes)\n"
    "  --supply       食料不足の警告のあと、倉庫の穀物・肉類を全部領土へ供給する (既定はしない)\n"
    "  --recruit MASK 始めに募集する職種 (1 生産者, 2 商人, 4 技術者, 8 建設者, 16 兵士 の和; 既定は保存のまま)\n"
    "  --conquest NEST 始めに兵舎の兵士全員のセイバー隊を最強装備で編成し、NEST へ出陣させる\n"
    "                 (NEST が未発見なら発見済みにする)。帰還した週に兵士と装備の収支を確かめる。\n"
    "                 出陣できないときはその理由を標準エラーに出して週を進める\n"
    "  エラーのメッセージは標準エラーに出ます。開けないデータベースや続けられないゲームでは 1、\n"
    "  出陣できなかったか、週の途中でエラーが表示されたかデータベースのエラーが DBerr.log\n"
    "  (DATABASE と同じフォルダ) に記録されたときは 3、\n"
    "  それ以外のエラーで止まったときは 4 で終わります。\n";

/// Writes a text the player would read to the --said file, each of its lines on a line of its own.
void Say(std::FILE* said, const std::string& text) {
  if (!said) return;
  std::string lines;
  for (char c : text)
    if (c != '\r') lines += c;
  std::fprintf(said, "%s\n", lines.c_str());
}

/// The standard message box of a run nobody watches: on standard error, and said.
class SaidMessageBox : public plat::StderrMessageBox {
 public:
  SaidMessageBox(int yesNoAnswer, std::FILE* said) : plat::StderrMessageBox(yesNoAnswer), said_(said) {}
  int Show(const std::string& prompt, int style, const std::string& title) override {
    Say(said_, prompt);
    return plat::StderrMessageBox::Show(prompt, style, title);
  }

 private:
  std::FILE* said_;
};

/// The battle's message line, said; nothing is drawn.
class SaidBattleDisplay : public RecordingBattleDisplay {
 public:
  explicit SaidBattleDisplay(std::FILE* said) : said_(said) {}
  void ShowMessage(const std::string& text) override { Say(said_, text); }

 private:
  std::FILE* said_;
};

/// A screen with no window: panels keep their texts, message boxes are answered at once and
/// error boxes go to standard error.
class ConsoleScreen : public sim::IGameScreen {
 public:
  class CellView : public sim::IView {
   public:
    std::string HeaderText(int16_t r, int16_t c) const override {
      auto it = cells.find({r, c});
      return it == cells.end() ? std::string() : it->second;
    }
    void HeaderText(int16_t r, int16_t c, const std::string& t) override { cells[{r, c}] = t; }
    void RePaint() override {}
    std::map<std::pair<int16_t, int16_t>, std::string> cells;
  };
  class TextLabel : public sim::ILabel {
   public:
    std::string MainText() const override { return main; }
    void MainText(const std::string& t) override { main = t; }
    void SubText(const std::string&) override {}
    void SetValue(int16_t) override {}
    std::string main;
  };

  ConsoleScreen(int32_t yesNo, std::FILE* said) : said(said), yesNo_(yesNo) {}
  int32_t ShowMSGBox(const std::string& msg, int32_t buttons, bool) override {
    Say(said, msg);
    if (buttons == sim::kMsgNoButton) return sim::kAnsNone;
    ++waited;
    lastShown = OneLine(msg);
    if (buttons == sim::kMsgYesNo) {
      int32_t answer = yesNo_;
      if (answerYesOnce) answer = sim::kAnsYes, answerYesOnce = false;
      // A battle left undecided is fought again at most kReBattles times, as a patient player would.
      if (msg.rfind("決着がつきませんでした", 0) == 0) {
        if (answer == sim::kAnsYes && ++reBattles > kReBattles) answer = sim::kAnsNo;
      } else {
        reBattles = 0;
      }
      std::cout << "  ? " << OneLine(msg) << (answer == sim::kAnsYes ? " -> はい\n" : " -> いいえ\n");
      return answer;
    }
    // The conquest reports its battles, treasure and wounded here rather than in the week's log.
    if (state && state->mTurnRunning) std::printf("  %-18s %s\n", "conquest", OneLine(msg).c_str());
    return sim::kAnsClose;
  }
  void MsgBox(const std::string& text, const std::string&) override {
    Say(said, text);
    ++errors;
    std::fflush(stdout);  // in order with the week it belongs to
    std::cerr << "  ! " << OneLine(text) << "\n";
  }
  sim::IView& View(sim::ViewId id) override { return views_[id]; }
  sim::ILabel& Label(sim::LabelId id) override { return labels_[id]; }
  void GameOverLock() override {}
  void SendMessagePanelBack() override {}

  std::FILE* said;  ///< where the texts a player would read go; null for nowhere
  int waited = 0;
  int errors = 0;
  std::string lastShown;  ///< the last message that waited for an answer
  const sim::GameState* state = nullptr;
  bool answerYesOnce = false;  ///< the next question is answered はい, whatever --answer says

 private:
  static constexpr int kReBattles = 9;
  int reBattles = 0;
  static std::string OneLine(std::string s) {
    for (size_t p; (p = s.find("\r\n")) != std::string::npos;) s.replace(p, 2, " / ");
    return s;
  }
  int32_t yesNo_;
  std::map<sim::ViewId, CellView> views_;
  std::map<sim::LabelId, TextLabel> labels_;
};

/// The statements run: counted, and with --trace each written on a line of its own.
struct Statements {
  long count = 0;
  std::FILE* trace = nullptr;
};

int CountStatement(unsigned, void* context, void*, void* sql) {
  auto* s = static_cast<Statements*>(context);
  ++s->count;
  if (s->trace) std::fprintf(s->trace, "%s\n", static_cast<const char*>(sql));
  return 0;
}

/// What a player does after the low-food warning: every grain and meat item in the warehouse
/// goes into the kingdom's stores, as the supply command moves it. A stock or store that is no
/// count is left where it is.
void SupplyAllFood(clsDB& db) {
  auto rows = sim::QueryRows(db,
                             "SELECT itemdata.Name,itemdata.Storage,item.Category FROM itemdata,item "
                             "WHERE itemdata.Name=item.Name AND item.Category IN ('穀物','肉類') AND itemdata.Storage>0");
  for (const auto& row : rows) {
    const std::string column = row[2] == "穀物" ? "Grain" : "Meat";
    const auto amount = sim::Amount(row[1]);
    if (!amount || !sim::QueryRow(db, "SELECT " + column + " FROM home")) continue;
    const auto held = sim::Amount(db.Data(0));
    if (!held) continue;
    const int64_t stores = std::min<int64_t>(int64_t{*held} + *amount, 9999999);
    db.Excute("UPDATE itemdata SET Storage=0 WHERE Name=" + SqlText(row[0]));
    db.Excute("UPDATE home SET " + column + "=" + std::to_string(stores));
    std::printf("  (supply)           %s %d -> %s\n", row[0].c_str(), *amount, column.c_str());
  }
}


/// The formation's window parts with no window: lists keep their rows, the slider its value.
class ConsoleFormationHost : public army::IFormationHost {
 public:
  ConsoleFormationHost() { army::WriteSlotLabels(unit); }
  sim::IView& UnitView() override { return unit; }
  void ShowList(army::FormationGrid g, army::FormationColumns, int, int, int, int,
                std::shared_ptr<RecordSet> rows) override {
    lists[g] = std::move(rows);
  }
  void HideList(army::FormationGrid g) override { lists.erase(g); }
  void ShowSlider(int, int, int, int, int32_t max, const std::string&) override { sliderMax = max, slider = 0; }
  int32_t SliderValue() override { return slider; }
  void ShowCountButton(const std::string&) override {}
  void HideCommandPanel(const std::string&, bool) override {}

  ConsoleScreen::CellView unit;
  std::map<army::FormationGrid, std::shared_ptr<RecordSet>> lists;
  int32_t slider = 0, sliderMax = 0;
};

/// Forms the army of --conquest as a player would on the 討伐 screen; false after a message.
bool SendArmy(sim::WeekContext& ctx, ConsoleScreen& screen, clsBattle& battle, clsMngUnitItems& unitItems,
              const std::string& nest) {
  if (!sim::QueryRow(ctx.db, "SELECT Open FROM nest WHERE Name=" + SqlText(nest))) {
    std::cerr << "そのモンスターの巣はありません: " << nest << "\n";
    return false;
  }
  const auto open = sim::Flag(ctx.db.Data(0));
  if (!open) {
    std::cerr << "そのモンスターの巣は発見済みかどうかが読めません: nest.Open=" << ctx.db.Data(0) << "\n";
    return false;
  }
  if (!*open) {
    ctx.db.Excute("UPDATE nest SET Open=True WHERE Name=" + SqlText(nest));
    std::printf("  (conquest)         %s を発見済みにしました\n", nest.c_str());
  }
  ConsoleFormationHost host;
  army::clsUnitFormation formation(ctx, host, battle, unitItems);
  if (!formation.ShowNestList("討伐")) {
    std::cerr << "出陣できません: " << screen.lastShown << "\n";
    return false;
  }
  std::vector<std::string> nestRow;
  const auto& nests = host.lists.at(army::FormationGrid::Sub2);
  for (long r = 0; r < nests->RowCount(); ++r)
    if (nests->Value(r, 0) == nest) nestRow = nests->Row(r);
  if (nestRow.empty()) {
    std::cerr << nest << " へは出陣できません (既に軍が向かっています)\n";
    return false;
  }
  formation.ShowStandardEquipment({"セイバー"});
  formation.SetBestEquipment();
  host.slider = host.sliderMax;
  screen.answerYesOnce = true;  // the march was asked for on the command line
  const std::string message = formation.SetBattle(nestRow);
  if (!message.empty()) {
    Say(screen.said, message);
    std::cerr << "出陣できません: " << message << "\n";
    return false;
  }
  std::printf("  (conquest)         %s %d人 [%s/%s] -> %s\n", host.unit.HeaderText(1, 1).c_str(), host.slider,
              host.unit.HeaderText(2, 2).c_str(), host.unit.HeaderText(4, 2).c_str(), nest.c_str());
  return true;
}

/// The army with a balance check around each conquest step: soldiers who come home go to the
/// barracks or are counted lost, and no item changes but the returning equipment and the treasure.
class CheckedArmy : public sim::IArmy {
 public:
  explicit CheckedArmy(army::Army& army) : army_(army) {}
  void UnitAdd(const sim::BattleUnitSetup& unit, const std::string& name) override { army_.UnitAdd(unit, name); }
  void TurnEnd_Conquest(sim::WeekContext& ctx, sim::TurnLog& Log) override {
    // The armies that fight this week: soldiers, equipment, the nest's treasure.
    const auto fighting = sim::QueryRows(ctx.db,
                                         "SELECT unit.Number,Arms,Protector,Accessory,Item1,Item2,SubArms,Treasure "
                                         "FROM unit,nest WHERE unit.RootName=nest.Name AND Position<2");
    const Figures before = Read(ctx.db);
    army_.TurnEnd_Conquest(ctx, Log);
    if (fighting.empty()) return;
    const Figures after = Read(ctx.db);

    // Counted wide: a damaged head count may be near the 32-bit end, and the armies add up.
    int64_t left = 0;
    std::set<std::string> carried, treasure;
    for (const auto& row : fighting) {
      left += sim::WholeNumber(row[0]).value_or(0);
      for (size_t c = 1; c <= 6; ++c)
        if (!row[c].empty()) carried.insert(row[c]);
      if (!row[7].empty()) treasure.insert(row[7]);
    }
    const int64_t home = after.barracks - before.barracks, lost = before.soldiers - after.soldiers;
    bool ok = home + lost == left && lost >= 0;
    std::string items;
    for (const auto& [name, stock] : after.stock) {
      auto it = before.stock.find(name);
      const int64_t delta = stock - (it == before.stock.end() ? 0 : it->second);
      if (delta == 0) continue;
      items += " " + name + (delta > 0 ? "+" : "") + std::to_string(delta);
      if (treasure.count(name)) continue;
      if (!carried.count(name) || delta < 0 || delta > left) ok = false;
    }
    std::printf("  %-18s 出陣 %lld人 = 兵舎へ %lld人 + 失った %lld人;%s %s\n", "(check)", static_cast<long long>(left),
                static_cast<long long>(home), static_cast<long long>(lost), items.c_str(), ok ? "収支一致" : "収支不一致");
    if (!ok) ++mismatches;
  }
  int mismatches = 0;

 private:
  struct Figures {
    int64_t soldiers = 0, barracks = 0;
    std::map<std::string, int64_t> stock;
  };
  static Figures Read(clsDB& db) {
    Figures f;
    auto number = [&](const std::string& sql) {
      return sim::QueryRow(db, sql) ? sim::WholeNumber(db.Data(0)).value_or(0) : 0;
    };
    f.soldiers = number("SELECT Number FROM people WHERE Occupation='Soldier'");
    f.barracks = number("SELECT SUM(NofProduction) FROM construction,construct "
                        "WHERE construction.Name=construct.Name AND construct.Occupation='Soldier'");
    // A stock that is no number is the week's to report; the check counts it as none.
    for (const auto& row : sim::QueryRows(db, "SELECT Name,Storage FROM itemdata"))
      f.stock[row[0]] += sim::WholeNumber(row[1]).value_or(0);
    return f;
  }
  army::Army& army_;
};

std::optional<long long> Number(const std::string& text) {
  try {
    size_t used = 0;
    long long n = std::stoll(text, &used);
    if (used == text.size()) return n;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

}  // namespace

int Run(int argc, char** argv) {
  uint64_t seed = 1;
  long weeks = 52;
  int32_t yesNo = sim::kAnsYes;
  bool supply = false;  // the plain rules; --supply plays the player's answer to the food warning
  long recruit = -1;     // the player's recruitment toggles; -1 keeps the saved set
  std::string database, newFrom, conquest, tracePath, saidPath;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (a == "--supply") {
      supply = true;
      continue;
    }
    if (a.rfind("--", 0) != 0) {
      if (!database.empty()) {
        std::cerr << "データベースは一つだけ指定してください: " << a << "\n" << kUsage;
        return 2;
      }
      database = a;
      continue;
    }
    if (i + 1 >= argc) {
      std::cerr << a << " に値がありません\n" << kUsage;
      return 2;
    }
    std::string v = argv[++i];
    auto n = Number(v);
    if (a == "--seed" && n && *n >= 0) {
      seed = static_cast<uint64_t>(*n);
    } else if (a == "--weeks" && n && *n >= 1 && *n <= 100000) {
      weeks = static_cast<long>(*n);
    } else if (a == "--recruit" && n && *n >= 0 && *n <= 31) {
      recruit = static_cast<long>(*n);
    } else if (a == "--conquest" && !v.empty()) {
      conquest = v;
    } else if (a == "--new") {
      newFrom = v;
    } else if (a == "--trace") {
      tracePath = v;
    } else if (a == "--said") {
      saidPath = v;
    } else if (a == "--answer" && (v == "yes" || v == "no")) {
      yesNo = v == "yes" ? sim::kAnsYes : sim::kAnsNo;
    } else {
      std::cerr << a << " の値が正しくありません: " << v << "\n" << kUsage;
      return 2;
    }
  }
  if (database.empty()) {
    std::cerr << kUsage;
    return 2;
  }

  if (!newFrom.empty()) {
    if (std::filesystem::exists(database)) {
      std::cerr << "既にあるファイルには新しいゲームを作りません: " << database << "\n";
      return 2;
    }
    try {
      BuildGameDatabase(newFrom, database);
    } catch (const std::exception& e) {
      std::cerr << "新しいゲームを作れません: " << e.what() << "\n";
      return 1;
    }
  }

  using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
  auto open = [](const std::string& path) {
    return File(path.empty() ? nullptr : std::fopen(path.c_str(), "w"), [](std::FILE* f) { return f ? std::fclose(f) : 0; });
  };
  File said = open(saidPath);
  if (!saidPath.empty() && !said) {
    std::cerr << "書き込めません: " << saidPath << "\n";
    return 2;
  }

  // Nobody is there to close a box: it goes to standard error with the options' answer.
  plat::SetApplicationTitle("weeksim");
  SaidMessageBox stderrBox(yesNo == sim::kAnsYes ? plat::vbYes : plat::vbNo, said.get());
  plat::MessageBoxScope useStderr(&stderrBox);
  // DBerr.log goes beside the database whose errors it records.
  plat::SetProgramFolder(std::filesystem::absolute(database).parent_path());

  // A virtual clock makes the steps' re-seeding from the clock repeatable for a given seed.
  rt::VirtualClock clock(static_cast<int64_t>(seed % 86400) * 1000, 1700000000);
  rt::SetClock(&clock);
  rt::RandomizeSeed(seed);

  // Before the connection, which reports every statement to them until it closes.
  Statements statements;
  File trace = open(tracePath);
  if (!tracePath.empty() && !trace) {
    std::cerr << "書き込めません: " << tracePath << "\n";
    return 2;
  }
  statements.trace = trace.get();
  bool opened = false;
  auto conn = CreateDB::OpenDB(database, CreateDB::kScrambledPassword, opened);
  // The box has said why; a damaged file or a missing table is refused there too, as it would
  // fail on every statement of every week.
  if (!opened || !conn) return 1;
  sqlite3_trace_v2(conn->Handle(), SQLITE_TRACE_STMT, CountStatement, &statements);
  auto db = std::make_unique<clsDB>();
  if (!db->DBSet(conn)) {
    std::cerr << "データベースを使えません: " << db->GetErrMSG() << "\n";
    return 1;
  }

  sim::clsData data;
  sim::GameState state;
  sim::MemorySettings settings;  // every report switch off: the entries are printed below
  ConsoleScreen screen(yesNo, said.get());
  screen.state = &state;
  clsBattle battle;
  SaidBattleDisplay battleDisplay(said.get());
  battle.Init(&battleDisplay, nullptr);
  army::Army army(battle, nullptr);
  CheckedArmy checked(army);
  clsMngUnitItems unitItems;
  sim::WeekContext ctx{*db, data, state, settings, screen, &checked, ""};

  // What the main screen does at load; an error thrown out of it would end the game there too.
  if (!sim::LoadGameState(ctx)) return 1;  // it has named what the game cannot do without
  if (recruit >= 0) {
    for (sim::PanelOcc o : sim::kAllPanelOcc) sim::SetRecruiting(ctx, o, (recruit & sim::RecruitBit(o)) != 0);
    sim::SaveHomeSetting(ctx);  // kept also when the run ends in a game over
  }
  std::printf("weeksim: %s, seed %llu, %ld weeks, week %d, money %d, people %d\n", database.c_str(),
              static_cast<unsigned long long>(seed), weeks, state.mTurn, data.Money(), data.Population());
  // A march refused is told, and the weeks go on as the player's would.
  const bool refused = !conquest.empty() && !SendArmy(ctx, screen, battle, unitItems, conquest);

  double totalMs = 0;
  long totalStatements = 0;
  long run = 0;
  for (; run < weeks && !state.mQuitAfterTurn; ++run) {
    const long before = statements.count;
    const auto t0 = std::chrono::steady_clock::now();
    sim::TurnEnd(ctx);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    const long stmts = statements.count - before;
    totalMs += ms;
    totalStatements += stmts;
    clock.Advance(7 * 1000);

    sim::TurnLog log;
    log.Text() = state.lastTurnLog;
    const std::string grain = sim::QueryRow(*db, "SELECT Grain,Meat FROM home") ? db->Data(0) : "?";
    const std::string meat = db->GetRowCount() > 0 ? db->Data(1) : "?";
    std::printf("week %4d  money %7d  grain %8s  meat %8s  people %5d  %7.2f ms  %5ld SQL\n", state.mTurn,
                data.Money(), grain.c_str(), meat.c_str(), state.panels.population, ms, stmts);
    for (const auto& [kind, text] : log.Entries()) {
      std::string line = text;
      for (size_t p; (p = line.find("\r\n")) != std::string::npos;) line.replace(p, 2, " / ");
      std::printf("  %-18s %s\n", kind.c_str(), line.c_str());
      Say(said.get(), text);
    }
    // As the week's own warning: a store below what the people eat in five weeks.
    if (supply && !state.mQuitAfterTurn && sim::QueryRow(*db, "SELECT Meat,Grain FROM home")) {
      const int64_t need = 5 * int64_t{data.Population()};
      const auto meat = sim::WholeNumber(db->Data(0)), grain = sim::WholeNumber(db->Data(1));
      if ((meat && *meat < need) || (grain && *grain < need)) SupplyAllFood(*db);
    }
  }
  if (state.mQuitAfterTurn) std::printf("game over in week %d\n", state.mTurn);
  else sim::SaveHomeSetting(ctx);  // as the main screen does when it closes
  if (run > 0)
    std::printf("%ld weeks: %.2f ms per week, %.0f SQL statements per week, %d errors shown, %lld database errors\n",
                run, totalMs / run, static_cast<double>(totalStatements) / run, screen.errors, static_cast<long long>(db->FailCount()));
  const bool failed = refused || screen.errors > 0 || db->FailCount() > 0 || stderrBox.shown > 0;
  db.reset();
  rt::SetClock(nullptr);
  if (checked.mismatches > 0) std::printf("%d conquest balances did not match\n", checked.mismatches);
  return failed || checked.mismatches > 0 ? 3 : 0;
}

int main(int argc, char** argv) {
  // Whatever stops the run is said, and the run fails, as the game ends on an error it did not
  // expect: never an abort.
  try {
    return Run(argc, argv);
  } catch (const rt::VbError& e) {
    std::fflush(stdout);
    std::cerr << "weeksim: エラー " << e.Number() << ":" << e.what() << "\n";
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::cerr << "weeksim: エラー " << e.what() << "\n";
  }
  return 4;
}
