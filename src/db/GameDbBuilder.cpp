/** @file GameDbBuilder.cpp Builds a new game database from the schema and catalogue SQL under data/. */
#include "db/GameDbBuilder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "db/QzDataInit.h"
#include "db/SqliteConnection.h"

namespace fs = std::filesystem;

namespace {

std::string ReadScript(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw DbError(14, "読み込めません: " + file.string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void RunScript(SqliteConnection& db, const fs::path& file) {
  try {
    db.ExecuteScript(ReadScript(file));
  } catch (const DbError& e) {
    throw DbError(e.Number(), file.string() + ": " + e.what());
  }
}

}  // namespace

void BuildGameDatabase(const fs::path& dataDir, const fs::path& dbFile) {
  const fs::path temp = dbFile.string() + ".new";
  RemoveWithWal(temp);  // left by a build that stopped halfway
  try {
    {
      auto db = SqliteConnection::Create(temp);
      RunScript(*db, dataDir / "schema.sql");
      std::vector<fs::path> content;
      std::error_code ec;
      for (const auto& entry : fs::directory_iterator(dataDir / "content", ec)) {
        if (entry.is_regular_file() && entry.path().extension() == ".sql") content.push_back(entry.path());
      }
      // Without its catalogue the reset would still succeed and leave a game nobody can play.
      if (ec || content.empty()) throw DbError(14, "カタログの SQL がありません: " + (dataDir / "content").string());
      std::sort(content.begin(), content.end());
      for (const auto& file : content) RunScript(*db, file);
      db->Close();
    }
    std::string why;
    if (!QzDataInit::ResetGameDataAt(temp, &why))
      throw DbError(1, "新しいゲームの初期化に失敗しました (DBerr.log を参照): " + why);
    std::error_code ec;
    fs::rename(temp, dbFile, ec);
    if (ec) throw DbError(ec.value(), "置き換えられません: " + dbFile.string() + ": " + ec.message());
  } catch (...) {
    RemoveWithWal(temp);
    throw;
  }
}
