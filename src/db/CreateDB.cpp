/** @file CreateDB.cpp Opening vesk.mdb and the connection of the game's database object. */
#include "db/CreateDB.h"

#include <sqlite3.h>

#include <optional>

#include "db/basEnc.h"
#include "db/clsDB.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "runtime/VbError.h"

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

// The open for a caller whose player is told here: a failure becomes `failure` and its message.
std::shared_ptr<SqliteConnection> OpenAndTell(const fs::path& path, std::string_view password,
                                              std::optional<DbOpenError>& failure) {
  try {
    return CreateDB::OpenDBOrThrow(path, password);
  } catch (const DbOpenError& e) {
    failure = e;
  } catch (const std::exception& e) {
    failure = DbOpenError(DbOpenFailure::Other, 0, rt::DescribeError(e));
  }
  ShowMessage(CreateDB::OpenFailureMessage(*failure, path));
  return nullptr;
}

}  // namespace

namespace CreateDB {

void SetMessageHandler(MessageHandler handler) { Handler() = std::move(handler); }

std::string OpenFailureMessage(const DbOpenError& error, const fs::path& path) {
  const std::string file = path.string();
  switch (error.Kind()) {
    case DbOpenFailure::Missing:
      return "データベースファイルが見つかりません。\n" + file;
    case DbOpenFailure::Folder:
      return "データベースファイルの場所にフォルダーがあります。\n" + file;
    case DbOpenFailure::NoPermission:
      return "データベースファイルを使う権限がありません。\n" + file;
    case DbOpenFailure::NotADatabase:
      return "データベースファイルが壊れているか、ゲームのデータベースではありません。\n" + file;
    case DbOpenFailure::Damaged:
      return "データベースファイルが壊れています。\n「データ初期化」で新しい王国を始められます。\n" + file;
    case DbOpenFailure::MissingTables:
      return std::string(error.what()) + "\n" + file;
    case DbOpenFailure::Locked:
      return "データベースファイルは使用中です。ゲームがすでに起動していないか確かめてください。\n" + file;
    case DbOpenFailure::ReadOnly:
      return "データベースファイルが読み取り専用のため、ゲームを保存できません。\n" + file;
    case DbOpenFailure::Other:
      break;
  }
  return "データベースファイルを開けません(" + error.PlayerText() + ")。\n" + file;
}

std::string FailureMessage(const std::exception& error, const fs::path& path) {
  if (const auto* open = dynamic_cast<const DbOpenError*>(&error)) return OpenFailureMessage(*open, path);
  if (const auto* db = dynamic_cast<const DbError*>(&error)) return db->PlayerDescription();
  return rt::DescribeError(error);
}

void CheckGameDatabase(SqliteConnection& db) {
  try {
    // The engine reports damage as rows, or fails on a page it cannot read at all.
    auto check = db.Query("PRAGMA quick_check");
    if (check->RowCount() != 1 || check->Value(0, 0) != "ok") {
      std::string words;
      for (long r = 0; r < check->RowCount(); ++r) words += (r ? "\r\n" : "") + check->Value(r, 0);
      throw DbOpenError(DbOpenFailure::Damaged, SQLITE_CORRUPT, words, true);
    }
    auto tables = db.Query("SELECT name FROM sqlite_master WHERE type='table'");
    std::string missing;
    for (const char* table : kGameTables) {
      long r = 0;
      while (r < tables->RowCount() && tables->Value(r, 0) != table) ++r;
      if (r == tables->RowCount()) missing += std::string(missing.empty() ? "" : ", ") + table;
    }
    if (!missing.empty())
      throw DbOpenError(DbOpenFailure::MissingTables, SQLITE_ERROR, "データベースにゲームのテーブルがありません: " + missing);
  } catch (const DbOpenError&) {
    throw;
  } catch (const DbError& e) {
    throw DbOpenError(DbOpenFailure::Damaged, e.Number(), e.what(), e.EngineWords());
  }
}

std::shared_ptr<SqliteConnection> OpenDBOrThrow(const fs::path& Path, std::string_view Password) {
  // SQLite has no password; the de-scrambling still runs so that a bad literal shows here.
  if (!Password.empty()) basEnc::Descramble(Password);
  return SqliteConnection::Open(Path, CheckGameDatabase);
}

std::shared_ptr<SqliteConnection> OpenDB(const fs::path& Path, std::string_view Password, bool& Opened) {
  std::optional<DbOpenError> failure;
  auto db = OpenAndTell(Path, Password, failure);
  Opened = db != nullptr;
  return db;
}

bool DBConnect(clsDB& db, DbOpenFailure* why) {
  std::optional<DbOpenError> failure;
  if (auto conn = OpenAndTell(plat::ProgramFolder() / "vesk.mdb", kScrambledPassword, failure)) {
    db.DBSet(std::move(conn));
    return true;
  }
  db.DBSetFailed(*failure);
  if (why) *why = failure->Kind();
  return false;
}

}  // namespace CreateDB
