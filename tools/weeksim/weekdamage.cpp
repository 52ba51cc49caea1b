/** @file weekdamage.cpp Damages copies of a game in progress, one value, row or table at a time, runs weeksim on each and checks that the damage did not spread. */
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "db/GameDbBuilder.h"
#include "runtime/VbError.h"

namespace fs = std::filesystem;

namespace {

const char kUsage[] =
    "使い方: weekdamage --weeksim WEEKSIM --data DATADIR [--sample N] [--weeks N] [--seed N] [--jobs N]\n"
    "                   [--keep DIR]\n"
    "  DATADIR から進行中のゲームを作り、そのコピーの値・行・列・テーブルを一つずつ壊して (NULL, '', -1, 0,\n"
    "  16・32・64ビットの端, 1e15, 1e308, 1.5, 2.4, BLOB, 'abc', 10万文字, 引用符を含む文字列, 無い名前;\n"
    "  行の削除と重複; 列とテーブルの削除) WEEKSIM で始め (ゲームの読み込みと編成) から N 週 (既定 10) 進めます。\n"
    "  異常終了・サニタイザーの報告・時間切れ、処理されないエラーでの停止 (終了コード 4)、メッセージの無い\n"
    "  エラー終了や文の無いエラーのメッセージ、プレイヤーが読む文に混じったランタイムやライブラリの英語、\n"
    "  範囲を外れた在庫・お金・人数が残ったものを報告します。\n"
    "  --sample N  決まった再現例と、残りを --seed で選んだ計 N 個だけ試す (既定は全部)\n"
    "  --keep DIR  問題のあったコピーを DIR に残す\n"
    "  --verbose   すべてのコピーの結果と weeksim の最後のエラーを一行ずつ書く\n"
    "  問題が無ければ 0、あれば 1 で終わります。\n";

struct Options {
  std::string weeksim, data, keep;
  long sample = 0;  ///< 0: every damage
  int weeks = 10;
  uint64_t seed = 1;
  int jobs = 4;
  int timeoutSeconds = 300;
  bool verbose = false;  ///< a line for every copy, not only for those with findings
};

/// A game in progress: every weekly step has something to do, an army fights in the first
/// week and another in the third.
const char* const kInProgress[] = {
    "UPDATE home SET Arearesearch='リュシーレ平原',Itemresearch='木刀',Construction=8",
    "INSERT INTO construction VALUES(8,'小さな住宅地','中央市街','',0,0,200,'')",
    "UPDATE construction SET Product='布' WHERE ID=4",
    "DELETE FROM continueitem",
    "INSERT INTO continueitem VALUES(1,'木刀','購入',2,30),(2,'羊毛','売却',1,30)",
    "UPDATE country SET Acquaintance=True WHERE Nation='カルセーダス王国'",
    "INSERT INTO trade VALUES('カルセーダス王国',30,1)",
    "INSERT INTO tradedata VALUES('カルセーダス王国','輸出','木の矢',1),('カルセーダス王国','輸出','お金',5),"
    "('カルセーダス王国','輸入','木材',3),('カルセーダス王国','輸入','お金',10)",
    "UPDATE nest SET Open=True WHERE Name IN ('ゴブリンの巣','妖しく蠢く森')",
    "INSERT INTO unit VALUES(1,'国王軍','Ally','妖しく蠢く森',1,'セイバー',10,10,10,'木刀','布の服','','','',100,1,0,0,0,''),"
    "(2,'国王軍','Ally','ゴブリンの巣',3,'セイバー',10,10,10,'木刀','布の服','','','',100,1,0,0,0,'')",
};

/// The rows of a table that the week works on, where it works on few of many.
const std::map<std::string, std::string> kUsedRows = {
    {"item", "Name IN (SELECT Name FROM itemdata UNION SELECT Product FROM construction)"},
    {"construct", "Name IN (SELECT Name FROM construction)"},
    {"area", "Name IN (SELECT Area FROM construction) OR Open=1"},
    {"areaitem", "Area='リュシーレ平原'"},
    {"grain", "Name IN (SELECT Product FROM construction)"},
    {"animal", "Name IN (SELECT Product FROM construction)"},
    {"synthesisitem", "Name IN (SELECT Product FROM construction) OR ItemName='木刀'"},
    {"nest", "Open=1 OR Name IN (SELECT RootName FROM unit)"},
    {"monster", "Name IN (SELECT AM1 FROM nest WHERE Open=1)"},
    {"country", "Acquaintance=1 OR Nation IN (SELECT Nation FROM trade)"},
};

/// The values put into one cell, as SQL literals.
const std::vector<std::pair<std::string, std::string>> kValues = {
    {"NULL", "NULL"},
    {"''", "''"},
    {"-1", "-1"},
    {"0", "0"},
    {"32767", "32767"},
    {"32768", "32768"},
    {"2147483647", "2147483647"},
    {"-2147483648", "-2147483648"},
    {"9223372036854775807", "9223372036854775807"},
    {"1e15", "1e15"},
    {"1e308", "1e308"},
    {"1.5", "1.5"},
    {"2.4", "2.4"},  // an ID near another row's
    {"X'32'", "X'32'"},  // the blob of the text "2"
    {"'abc'", "'abc'"},
    {"10万文字", "'" + std::string(100000, 'x') + "'"},
    {"引用符", "'2 OR 1=1'' OR ''1''=''1'"},
    {"無い名前", "'どこにも無い名前'"},
};

/// The nest every copy's new army marches on: the formation runs on each copy.
const char kConquestNest[] = "湿った洞窟";

struct Damage {
  std::string table, column;  ///< column empty for a whole row or table
  std::string kind;           ///< a value's name, or "削除", "重複", "列削除", "テーブル削除"
  std::string literal;        ///< the value put in
  std::string where;          ///< the row, as a condition; empty for a table
  std::vector<std::string> options;  ///< weeksim's options beyond the weeks and the seed
  bool fixed = false;         ///< one of the issue's reproducers, always in a sample

  /// What a damaged text looks like where it was pasted into a statement rather than quoted:
  /// its start up to its first quote; "" for a damage that puts no text.
  std::string Needle() const {
    if (literal.size() < 3 || literal.front() != '\'') return "";
    const std::string text = literal.substr(1, literal.size() - 2);
    return text.substr(0, std::min<size_t>(text.find('\''), 20));
  }

  std::string Text() const {
    std::string t = table + (column.empty() ? "" : "." + column) + " " + kind + (where.empty() ? "" : " [" + where + "]");
    for (const auto& o : options) t += " " + o;
    return t;
  }
};

/// A small wrapper over a connection of sqlite3, independent of the game's own.
class Db {
 public:
  explicit Db(const fs::path& file) {
    if (sqlite3_open_v2(file.c_str(), &h_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) ok_ = false;
  }
  ~Db() { sqlite3_close(h_); }
  Db(const Db&) = delete;
  Db& operator=(const Db&) = delete;
  bool Exec(const std::string& sql) {
    char* err = nullptr;
    const bool done = ok_ && sqlite3_exec(h_, sql.c_str(), nullptr, nullptr, &err) == SQLITE_OK;
    if (err) error_ = err;
    sqlite3_free(err);
    return done;
  }
  /// Every row as texts; a NULL is nothing; each value keeps its storage class in `types`.
  std::vector<std::vector<std::optional<std::string>>> Query(const std::string& sql,
                                                             std::vector<std::vector<int>>* types = nullptr) {
    std::vector<std::vector<std::optional<std::string>>> rows;
    sqlite3_stmt* st = nullptr;
    if (!ok_ || sqlite3_prepare_v2(h_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) return rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
      std::vector<std::optional<std::string>> row;
      std::vector<int> rowTypes;
      for (int c = 0; c < sqlite3_column_count(st); ++c) {
        const int type = sqlite3_column_type(st, c);
        rowTypes.push_back(type);
        if (type == SQLITE_NULL) row.emplace_back();
        else row.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
      }
      rows.push_back(std::move(row));
      if (types) types->push_back(std::move(rowTypes));
    }
    sqlite3_finalize(st);
    return rows;
  }
  const std::string& Error() const { return error_; }

 private:
  sqlite3* h_ = nullptr;
  bool ok_ = true;
  std::string error_;
};

std::string Q(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("''") : std::string(1, c);
  return out + "'";
}

/// Every damage of the sweep, in a fixed order; the row of a value's damage is drawn with `seed`.
std::vector<Damage> AllDamages(const fs::path& base, uint64_t seed) {
  Db db(base);
  std::mt19937_64 rng(seed);
  std::vector<Damage> all;
  for (const auto& t : db.Query("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name")) {
    const std::string table = *t[0];
    auto used = kUsedRows.count(table) ? kUsedRows.at(table) : std::string("1");
    std::vector<std::string> rowids;
    for (const auto& r : db.Query("SELECT rowid FROM " + table + " WHERE " + used)) rowids.push_back(*r[0]);
    if (rowids.empty())
      for (const auto& r : db.Query("SELECT rowid FROM " + table)) rowids.push_back(*r[0]);
    auto row = [&] { return rowids.empty() ? std::string("rowid=0") : "rowid=" + rowids[rng() % rowids.size()]; };
    for (const auto& c : db.Query("SELECT name FROM pragma_table_info(" + Q(table) + ")")) {
      for (const auto& [kind, literal] : kValues) all.push_back({table, *c[0], kind, literal, row(), {}});
      all.push_back({table, *c[0], "列削除", "", "", {}});
    }
    all.push_back({table, "", "削除", "", row(), {}});
    all.push_back({table, "", "重複", "", row(), {}});
    all.push_back({table, "", "テーブル削除", "", "", {}});
  }
  // The player's supply of food has its share.
  for (size_t i = 0; i < all.size(); i += 3) all[i].options.push_back("--supply");
  return all;
}

/// Known faults, each with the damage and the options that showed it.
std::vector<Damage> Reproducers() {
  const std::string weapon = "Name='木刀'";  // the one sword in store: the new army's best
  return {
      // An ID or a count that only looks like another row's.
      {"unit", "ID", "2.4", "2.4", "ID=1", {}, true},
      {"unit", "ID", "X'32'", "X'32'", "ID=1", {}, true},
      {"continueitem", "ID", "2.4", "2.4", "ID=1", {}, true},
      {"continueitem", "Count", "X'32'", "X'32'", "ID=2", {}, true},
      {"continueitem", "Count", "0.5", "0.5", "ID=2", {}, true},
      {"construction", "ID", "2.4", "2.4", "ID=8", {}, true},
      {"construction", "ID", "X'32'", "X'32'", "ID=8", {}, true},
      {"trade", "Count", "1.5", "1.5", "1", {}, true},
      // Values the main window's load, the formation and the week's sums read.
      {"home", "Turn", "'abc'", "'abc'", "1", {}, true},
      {"home", "Turn", "2147483647", "2147483647", "1", {}, true},
      {"home", "Construction", "2147483648", "2147483648", "1", {}, true},
      {"people", "Trust", "2147483647", "2147483647", "Occupation='Soldier'", {}, true},
      {"construction", "Work", "''", "''", "ID=8", {}, true},
      {"unit", "Number", "40000", "40000", "ID=2", {}, true},
      {"unit", "Number", "2147483647", "2147483647", "ID=1", {}, true},
      {"item", "Weight", "2147483647", "2147483647", weapon, {}, true},
      {"item", "Power", "1e15", "1e15", weapon, {}, true},
      {"itemdata", "Storage", "'abc'", "'abc'", weapon, {}, true},
      // Soldiers coming home to a kingdom whose one barracks was demolished meanwhile.
      {"construction", "", "削除", "", "Name='ボロボロの兵舎'", {}, true},
      // The building unlocks' flags.
      {"construct", "Open", "'abc'", "'abc'", "Name='限られた畑'", {}, true},
      {"construct", "Open", "X'32'", "X'32'", "Name='中くらいの住宅地'", {}, true},
      {"area", "Open", "'abc'", "'abc'", "Name='ナハムルト海岸'", {}, true},
      {"area", "Open", "X'32'", "X'32'", "Name='東市街'", {}, true},
      {"nest", "Open", "'abc'", "'abc'", "Name='銀の迷宮'", {}, true},
      {"construction", "ID", "'2 OR 1=1'", "'2 OR 1=1'", "ID=2", {}, true},
      {"unit", "ID", "'1 OR 1=1'", "'1 OR 1=1'", "ID=1", {}, true},
      {"continueitem", "Amount", "-1", "-1", "ID=2", {}, true},
      {"tradedata", "Amount", "-2147483648", "-2147483648", "Item='木材'", {}, true},
      {"tradedata", "Amount", "-2147483648", "-2147483648", "Item='木の矢'", {}, true},
      {"grain", "Coefficient", "-2147483648", "-2147483648", "Name='貧しい麦'", {}, true},
      {"people", "Number", "-1", "-1", "Occupation='Merchant'", {}, true},
      {"home", "Turn", "-2147483648", "-2147483648", "1", {}, true},
      {"home", "Grain", "'abc'", "'abc'", "1", {"--supply"}, true},
      {"home", "Meat", "1e15", "1e15", "1", {"--supply"}, true},
      {"nest", "Open", "'abc'", "'abc'", "Name='湿った洞窟'", {}, true},
  };
}

bool Apply(const fs::path& file, const Damage& d, std::string& error) {
  Db db(file);
  bool done = false;
  if (d.kind == "テーブル削除") done = db.Exec("DROP TABLE " + d.table);
  else if (d.kind == "列削除") done = db.Exec("ALTER TABLE " + d.table + " DROP COLUMN [" + d.column + "]");
  else if (d.kind == "削除") done = db.Exec("DELETE FROM " + d.table + " WHERE " + d.where);
  else if (d.kind == "重複") done = db.Exec("INSERT INTO " + d.table + " SELECT * FROM " + d.table + " WHERE " + d.where);
  else done = db.Exec("UPDATE " + d.table + " SET [" + d.column + "]=" + d.literal + " WHERE " + d.where);
  error = db.Error();
  return done;
}

/// A column the week keeps within bounds: stocks, money, head counts and the like.
struct Bound {
  const char* table;
  const char* column;
  long long low, high;
};
const Bound kBounds[] = {
    {"itemdata", "Storage", 0, 2147483647},  {"home", "Money", -2147483648LL, 999999},
    {"home", "Grain", 0, 9999999},           {"home", "Meat", 0, 9999999},
    {"home", "Turn", -2147483648LL, 2147483647}, {"people", "Number", 0, 32767},
    {"construction", "NofProduction", 0, 32767}, {"unit", "Number", 0, 32767},
    {"continueitem", "Count", 0, 32767},     {"trade", "Count", 0, 32767},
    {"nest", "Times", 0, 2147483647},        {"country", "Friendship", -399, 400},
    {"itemdata", "ItemLevel", 0, 10},        {"area", "AreaLevel", 0, 10},
};

/// The bounded values that the run left out of bounds, but for the damaged cell itself if the
/// week never wrote to it. A damaged column need only hold whole numbers of 32 bits: the rules
/// may lower a treasury put above its cap, and nothing raises it back.
std::vector<std::string> OutOfBounds(const fs::path& file, const Damage& d) {
  Db db(file);
  std::vector<std::string> found;
  for (Bound b : kBounds) {
    if (d.table == b.table && d.column == b.column) b.low = -2147483648LL, b.high = 2147483647;
    std::vector<std::vector<int>> types;
    const std::string sql = std::string("SELECT rowid,") + b.column + "," +
                            (d.column == b.column && d.table == b.table
                                 ? "(" + std::string(b.column) + " IS " + d.literal + " AND " + d.where + ")"
                                 : std::string("0")) +
                            " FROM " + b.table;
    const auto rows = db.Query(sql, &types);
    for (size_t r = 0; r < rows.size(); ++r) {
      if (rows[r][2] && *rows[r][2] == "1") continue;  // the damage as it was put there
      const auto& v = rows[r][1];
      const bool whole = types[r][1] == SQLITE_INTEGER;
      const long long n = whole ? std::stoll(*v) : 0;
      if (!whole || n < b.low || n > b.high)
        found.push_back(std::string(b.table) + "." + b.column + "=" + (v ? v->substr(0, 40) : "NULL") + " (rowid " +
                        *rows[r][0] + ")");
    }
  }
  return found;
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string LastLine(const std::string& text) {
  std::string t = text;
  while (!t.empty() && (t.back() == '\n' || t.back() == '\r')) t.pop_back();
  const size_t p = t.rfind('\n');
  return p == std::string::npos ? t : t.substr(p + 1);
}

/// A statement with its quoted texts blanked out: what is left was written as SQL.
std::string Unquoted(const std::string& sql) {
  std::string out;
  bool quoted = false;
  for (char c : sql) {
    if (c == '\'') quoted = !quoted;  // a doubled quote inside a text closes and opens again
    out += quoted || c == '\'' ? ' ' : c;
  }
  return out;
}

/// The first statement run into which the damaged text went unquoted.
std::optional<std::string> Pasted(const fs::path& trace, const std::string& needle) {
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);)
    if (Unquoted(line).find(needle) != std::string::npos) return line.substr(0, 200);
  return std::nullopt;
}

/// Words of the old runtime, the database engine and the C++ library that the game never shows
/// a player: its messages name what went wrong in Japanese.
std::vector<std::string> ForeignWords() {
  std::vector<std::string> words = {"no such table", "no such column", "syntax error", "constraint failed",
                                    "database is locked", "disk I/O error", "malformed", "datatype mismatch",
                                    "too big", "SQL logic error", "out of memory", "std::", "bad_alloc",
                                    "basic_string", "stoi", "stoll", "out_of_range", "invalid_argument"};
  for (int n : {0, 5, 6, 9, 11, 13, 53, 75, 457}) words.push_back(rt::ErrorDescription(n));
  return words;
}

/// Whether a line the player reads holds a runtime's or a library's English: one of their own
/// texts, or a sentence in ASCII (two words, one of three letters or more and written small,
/// with a blank between). What follows "=" is data (a column's damaged value, a name) and a
/// statement the message quotes is the game's own: neither counts.
bool Foreign(std::string_view line) {
  static const std::vector<std::string> words = ForeignWords();
  line = line.substr(0, std::min(line.find('='), line.find("＝")));
  for (const char* sql : {"SELECT ", "UPDATE ", "INSERT ", "DELETE "}) line = line.substr(0, line.find(sql));
  for (const auto& w : words)
    if (line.find(w) != std::string_view::npos) return true;
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  struct Word {
    size_t begin, end;
    bool small;
  };
  std::optional<Word> last;
  for (size_t i = 0; i < line.size();) {
    if (!letter(line[i])) {
      ++i;
      continue;
    }
    Word w{i, i, false};
    for (; w.end < line.size() && letter(line[w.end]); ++w.end) w.small = w.small || (line[w.end] >= 'a');
    const bool joined = last && last->end + 1 == w.begin && line[last->end] == ' ';
    const bool longer = w.end - w.begin >= 3 || (last && last->end - last->begin >= 3);
    if (joined && longer && (w.small || last->small)) return true;
    last = w;
    i = w.end;
  }
  return false;
}

/// The first line of the said file that a player should not read.
std::optional<std::string> ForeignLine(const fs::path& said) {
  std::ifstream in(said);
  for (std::string line; std::getline(in, line);)
    if (Foreign(line)) return line.substr(0, 200);
  return std::nullopt;
}

struct Outcome {
  std::string kind;                   ///< "exit N", "abort", "sanitizer", "timeout"
  std::vector<std::string> findings;  ///< what is wrong with this copy
};

/// Whether weeksim said why it failed: an error on standard error, or in its closing lines a
/// database error or a conquest whose soldiers and items did not add up.
bool SaidWhy(const std::string& out, const std::string& err) {
  if (!err.empty() || out.find("conquest balances did not match") != std::string::npos) return true;
  const size_t p = out.rfind(" database errors");
  if (p == std::string::npos) return false;
  const size_t b = out.rfind(' ', p - 1);
  return b != std::string::npos && out.substr(b + 1, p - b - 1) != "0";
}

/// Checks one finished run of weeksim.
Outcome Judge(const fs::path& dir, const Damage& d, int status, bool timedOut) {
  Outcome o;
  const std::string err = ReadAll(dir / "err.txt");
  const std::string out = ReadAll(dir / "out.txt");
  const bool sanitizer = err.find("Sanitizer") != std::string::npos || err.find("runtime error:") != std::string::npos;
  if (timedOut) {
    o.kind = "timeout";
    o.findings.push_back("時間切れ");
  } else if (sanitizer) {
    o.kind = "sanitizer";
    // The report's own line: AddressSanitizer's "ERROR:", UndefinedBehaviorSanitizer's "runtime error:".
    const size_t at = std::min(err.find("ERROR"), err.find("runtime error:"));
    o.findings.push_back("サニタイザーの報告: " + LastLine(err.substr(0, err.find('\n', at))));
  } else if (WIFSIGNALED(status)) {
    o.kind = "abort";
    o.findings.push_back("シグナル " + std::to_string(WTERMSIG(status)) + ": " + LastLine(err));
  } else {
    const int code = WEXITSTATUS(status);
    o.kind = "exit " + std::to_string(code);
    if (!d.Needle().empty())
      if (const auto sql = Pasted(dir / "trace.txt", d.Needle())) o.findings.push_back("SQL に貼り込まれた値: " + *sql);
    if (const auto line = ForeignLine(dir / "said.txt")) o.findings.push_back("プレイヤーが読む英語: " + *line);
    if (code == 4) o.findings.push_back("処理されないエラーで止まりました: " + LastLine(err));
    if (("\n" + err).find("\n  ! \n") != std::string::npos) o.findings.push_back("文の無いエラーのメッセージ");
    if (code == 0 || code == 3 || code == 4) {
      if (code == 3 && !SaidWhy(out, err))
        o.findings.push_back("終了コード 3 なのにメッセージがありません");
      for (const auto& v : OutOfBounds(dir / "game.mdb", d)) o.findings.push_back("範囲外: " + v);
    } else if (code == 1) {
      if (err.empty()) o.findings.push_back("終了コード 1 なのにメッセージがありません");
    } else {
      o.findings.push_back("思わぬ終了コード " + std::to_string(code) + ": " + LastLine(err));
    }
  }
  return o;
}

pid_t Start(const Options& opt, const fs::path& dir, const Damage& d, size_t index) {
  std::vector<std::string> args = {opt.weeksim,  "--weeks", std::to_string(opt.weeks), "--seed", std::to_string(index + 1),
                                   "--conquest", kConquestNest, "--said", (dir / "said.txt").string()};
  args.insert(args.end(), d.options.begin(), d.options.end());
  if (!d.Needle().empty()) args.insert(args.end(), {"--trace", (dir / "trace.txt").string()});
  args.push_back((dir / "game.mdb").string());
  std::cout.flush();  // nothing buffered is written twice by the child
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  FILE* out = std::freopen((dir / "out.txt").c_str(), "w", stdout);
  FILE* err = std::freopen((dir / "err.txt").c_str(), "w", stderr);
  if (!out || !err) _exit(125);
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(126);
}

std::optional<long long> Number(const std::string& text) {
  try {
    size_t used = 0;
    const long long n = std::stoll(text, &used);
    if (used == text.size()) return n;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

int Run(int argc, char** argv) {
  Options opt;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (a == "--verbose") {
      opt.verbose = true;
      continue;
    }
    if (i + 1 >= argc) {
      std::cerr << a << " に値がありません\n" << kUsage;
      return 2;
    }
    const std::string v = argv[++i];
    const auto n = Number(v);
    if (a == "--weeksim") opt.weeksim = v;
    else if (a == "--data") opt.data = v;
    else if (a == "--keep") opt.keep = v;
    else if (a == "--sample" && n && *n >= 1) opt.sample = static_cast<long>(*n);
    else if (a == "--weeks" && n && *n >= 1 && *n <= 1000) opt.weeks = static_cast<int>(*n);
    else if (a == "--seed" && n && *n >= 0) opt.seed = static_cast<uint64_t>(*n);
    else if (a == "--jobs" && n && *n >= 1 && *n <= 64) opt.jobs = static_cast<int>(*n);
    else {
      std::cerr << a << " の値が正しくありません: " << v << "\n" << kUsage;
      return 2;
    }
  }
  if (opt.weeksim.empty() || opt.data.empty()) {
    std::cerr << kUsage;
    return 2;
  }

  std::string pattern = (fs::temp_directory_path() / "weekdamage-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::cerr << "作業フォルダを作れません\n";
    return 2;
  }
  const fs::path work = pattern;
  const fs::path base = work / "base.mdb";
  BuildGameDatabase(opt.data, base);
  {
    Db db(base);
    for (const char* sql : kInProgress)
      if (!db.Exec(sql)) {
        std::cerr << "進行中のゲームを作れません: " << sql << ": " << db.Error() << "\n";
        return 2;
      }
  }

  std::vector<Damage> damages = Reproducers();
  {
    // A reproducer's row by its rowid, which the damage (of an ID, say) does not change.
    Db db(base);
    for (Damage& d : damages) {
      const auto rows = db.Query("SELECT rowid FROM " + d.table + " WHERE " + d.where);
      d.where = rows.empty() ? "rowid=0" : "rowid=" + *rows[0][0];
    }
  }
  std::vector<Damage> all = AllDamages(base, opt.seed);
  if (opt.sample > 0 && static_cast<size_t>(opt.sample) < damages.size() + all.size()) {
    // Every kind of damage in turn, each on columns drawn with the seed.
    std::mt19937_64 rng(opt.seed);
    std::map<std::string, std::vector<Damage>> byKind;
    for (const Damage& d : all) byKind[d.kind].push_back(d);
    for (auto& [kind, list] : byKind) std::shuffle(list.begin(), list.end(), rng);
    const size_t wanted = static_cast<size_t>(opt.sample) - std::min(damages.size(), static_cast<size_t>(opt.sample));
    all.clear();
    for (size_t round = 0; all.size() < wanted; ++round)
      for (auto& [kind, list] : byKind)
        if (round < list.size() && all.size() < wanted) all.push_back(list[round]);
  }
  damages.insert(damages.end(), all.begin(), all.end());

  struct Running {
    pid_t pid;
    size_t index;
    std::chrono::steady_clock::time_point started;
  };
  std::vector<Running> running;
  std::map<std::string, long> exits;
  long findings = 0, failedCopies = 0;
  size_t next = 0;
  const auto t0 = std::chrono::steady_clock::now();
  auto finish = [&](const Running& r, int status, bool timedOut) {
    const Damage& d = damages[r.index];
    const fs::path dir = work / std::to_string(r.index);
    const Outcome o = Judge(dir, d, status, timedOut);
    ++exits[o.kind];
    if (opt.verbose)
      std::cout << r.index << "\t" << o.kind << "\t" << d.Text() << "\t" << LastLine(ReadAll(dir / "err.txt")) << "\n";
    if (!o.findings.empty()) {
      ++failedCopies;
      findings += static_cast<long>(o.findings.size());
      std::cout << "問題 " << r.index << ": " << d.Text() << "\n";
      for (const auto& f : o.findings) std::cout << "    " << f << "\n";
      if (!opt.keep.empty()) fs::copy(dir, fs::path(opt.keep) / std::to_string(r.index), fs::copy_options::recursive);
    }
    fs::remove_all(dir);
  };

  while (next < damages.size() || !running.empty()) {
    while (next < damages.size() && running.size() < static_cast<size_t>(opt.jobs)) {
      const fs::path dir = work / std::to_string(next);
      fs::create_directories(dir);
      fs::copy_file(base, dir / "game.mdb");
      std::string error;
      if (!Apply(dir / "game.mdb", damages[next], error)) {
        std::cerr << "壊せません: " << damages[next].Text() << ": " << error << "\n";
        fs::remove_all(dir);
        ++exits["壊せない"];
        ++next;
        continue;
      }
      running.push_back({Start(opt, dir, damages[next], next), next, std::chrono::steady_clock::now()});
      ++next;
    }
    bool reaped = false;
    for (size_t i = 0; i < running.size(); ++i) {
      int status = 0;
      const pid_t done = waitpid(running[i].pid, &status, WNOHANG);
      const bool late = std::chrono::steady_clock::now() - running[i].started > std::chrono::seconds(opt.timeoutSeconds);
      if (done == 0 && !late) continue;
      if (done == 0) {
        kill(running[i].pid, SIGKILL);
        waitpid(running[i].pid, &status, 0);
      }
      finish(running[i], status, done == 0);
      running.erase(running.begin() + static_cast<long>(i));
      --i;
      reaped = true;
    }
    if (!reaped) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  fs::remove_all(work);

  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::cout << "weekdamage: " << damages.size() << " copies, " << opt.weeks << " weeks each, " << seconds << " s;";
  for (const auto& [kind, count] : exits) std::cout << " " << kind << ": " << count << ",";
  std::cout << " " << findings << " findings\n";
  std::cout << (damages.size() - static_cast<size_t>(failedCopies)) << " passed, " << failedCopies << " failed\n";
  return failedCopies == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "weekdamage: " << e.what() << "\n";
    return 2;
  }
}
