/** @file FreshGameDb.cpp The shared test fixture's game folder and database. */
#include "FreshGameDb.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "db/CreateDB.h"
#include "db/GameDbBuilder.h"
#include "platform/FileSystem.h"

namespace fs = std::filesystem;

namespace {

fs::path MakeTempFolder(const char* prefix) {
  std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  return pattern;
}

// The new-game database of this test program, built on first use, removed at exit.
class Template {
 public:
  Template() : folder_(MakeTempFolder("vesk-template-")) {
    plat::SetProgramFolder(folder_);
    BuildGameDatabase(fs::path(VESK_SOURCE_DIR) / "data", File());
    plat::SetProgramFolder({});
  }
  ~Template() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  fs::path File() const { return folder_ / "vesk.mdb"; }

 private:
  fs::path folder_;
};

const Template& TheTemplate() {
  static Template t;
  return t;
}

}  // namespace

std::string ReadFileText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileText(const fs::path& file, std::string_view text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
}

void DamagePages(const fs::path& file, size_t first, size_t count) {
  std::string bytes = ReadFileText(file);
  const size_t begin = (first - 1) * 4096, end = begin + count * 4096;
  if (bytes.size() < end) throw std::runtime_error("the database has fewer pages than that");
  for (size_t i = begin; i < end; ++i) bytes[i] = static_cast<char>((i * 7919) >> 3);
  WriteFileText(file, bytes);
}

GameDbFolder::GameDbFolder() {
  const fs::path source = TheTemplate().File();
  folder_ = MakeTempFolder("vesk-game-");
  fs::copy_file(source, DbPath());
  plat::SetProgramFolder(folder_);
}

GameDbFolder::~GameDbFolder() {
  plat::SetProgramFolder({});
  std::error_code ec;
  fs::remove_all(folder_, ec);
}

void FreshGameDb::SetUp() {
  game = std::make_unique<GameDbFolder>();
  ReopenDb();
}

void FreshGameDb::TearDown() {
  CloseDb();
  game.reset();
}

void FreshGameDb::CloseDb() { db.reset(); }

void FreshGameDb::ReopenDb() {
  db = std::make_shared<clsDB>();
  ASSERT_TRUE(CreateDB::DBConnect(*db)) << "cannot open " << game->DbPath();
}

std::string FreshGameDb::Value(std::string_view sql) {
  if (!db->GetData(sql) || db->GetRowCount() == 0) return "";
  return db->Data(0);
}

long FreshGameDb::Rows(std::string_view sql) { return db->GetData(sql) ? db->GetRowCount() : -1; }
