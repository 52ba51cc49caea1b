/** @file CreateDB.cpp Opening vesk.mdb and the connection of the game's database object. */
#include "db/CreateDB.h"

#include "db/basEnc.h"
#include "db/clsDB.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace fs = std::filesystem;

namespace {

// Every table the weeks and the commands read or write.
const char* const kGameTables[] = {"home",     "people",    "construction", "itemdata",      "trade",
                                   "tradedata", "continueitem", "unit",    "construct",     "area",
                                   "areaitem", "item",      "synthesisitem", "grain",       "animal",
                                   "nest",     "monster",   "country",      "friendship",    "tradecategory",
                                   "tradeitem", "worker",   "class"};

CreateDB::MessageHandler& Handler() {
  static CreateDB::MessageHandler handler;
  return handler;
}

fs::path ExecutablePath() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe;
}

void ShowMessage(const std::string& text) {
  std::string title = ExecutablePath().stem().string();
  if (title.empty()) title = "vesk";
  if (Handler()) {
    Handler()(text, title);
  } else {
    plat::MsgBox(text, plat::vbOKOnly | plat::vbCritical, title);
  }
}

}  // namespace

namespace CreateDB {

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

std::string OpenFailureMessage(const DbOpenError& error, const fs::path& path) {
  const std::string file = path.string();
  switch (error.Kind()) {
    case DbOpenFailure::Missing:
      return "データベースファイルが見つかりません。\n" + file;
    case DbOpenFailure::NotADatabase:
      return "データベースファイルが壊れているか、ゲームのデータベースではありません。\n" + file;
    case DbOpenFailure::Locked:
      return "データベースファイルは使用中です。ゲームがすでに起動していないか確かめてください。\n" + file;
    case DbOpenFailure::ReadOnly:
      return "データベースファイルが読み取り専用のため、ゲームを保存できません。\n" + file;
    case DbOpenFailure::Other:
      break;
  }
  return "データベースファイルを開けません(" + error.PlayerText() + ")。\n" + file;
}

std::string CheckGameDatabase(SqliteConnection& db) {
  try {
    auto check = db.Query("PRAGMA quick_check(1)");
    if (check->RowCount() != 1 || check->Value(0, 0) != "ok")
      return "データベースファイルが壊れています(" + (check->RowCount() ? check->Value(0, 0) : std::string()) + ")。";
    std::string missing;
    for (const char* table : kGameTables) {
      if (db.Query("SELECT name FROM sqlite_master WHERE type='table' AND name=" + SqlText(table))->RowCount() == 0)
        missing += std::string(missing.empty() ? "" : ", ") + table;
    }
    if (!missing.empty()) return "データベースにゲームのテーブルがありません: " + missing;
  } catch (const DbError& e) {
    return "データベースファイルが壊れています(" + e.Text() + ")。";
  }
  return "";
}

std::shared_ptr<SqliteConnection> OpenDBOrThrow(const fs::path& Path, std::string_view Password) {
  // SQLite has no password; the de-scrambling still runs so that a bad literal shows here.
  if (!Password.empty()) basEnc::Descramble(Password);
  return SqliteConnection::Open(Path);
}

std::shared_ptr<SqliteConnection> OpenDB(const fs::path& Path, std::string_view Password, bool& Opened) {
  Opened = false;
  try {
    auto db = OpenDBOrThrow(Path, Password);
    Opened = true;
    return db;
  } catch (const DbOpenError& e) {
    ShowMessage(OpenFailureMessage(e, Path));
  } catch (const std::exception& e) {
    ShowMessage(std::string("データベースファイルを開けません(") + e.what() + ")。\n" + Path.string());
  }
  return nullptr;
}

bool DBConnect(clsDB& db) {
  bool opened = false;
  auto conn = OpenDB(plat::ProgramFolder() / "vesk.mdb", kScrambledPassword, opened);
  if (opened) db.DBSet(conn);
  return opened;
}

}  // namespace CreateDB
