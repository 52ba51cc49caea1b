/** @file mkdb.cpp mkdb [--if-missing] DATADIR DBFILE: builds a new game database from the SQL under DATADIR. */
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "db/CreateDB.h"
#include "db/GameDbBuilder.h"
#include "db/SqliteConnection.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  bool ifMissing = false;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--if-missing") {
      ifMissing = true;
    } else {
      args.push_back(a);
    }
  }
  if (args.size() != 2) {
    std::cerr << "usage: mkdb [--if-missing] DATADIR DBFILE\n";
    return 2;
  }
  const fs::path dataDir = args[0];
  const fs::path dbFile = fs::absolute(args[1]);
  std::error_code ec;
  // A saved game is never overwritten by a rebuild.
  if (ifMissing && fs::exists(dbFile, ec)) return 0;
  // A build tool reports on the terminal, never in a window.
  plat::SetApplicationTitle("mkdb");
  plat::StderrMessageBox stderrBox;
  plat::MessageBoxScope useStderr(&stderrBox);
  try {
    fs::create_directories(dbFile.parent_path());
    plat::SetProgramFolder(dbFile.parent_path());  // DBerr.log of the reset lands beside the file
    BuildGameDatabase(dataDir, dbFile);
  } catch (const std::exception& e) {
    std::cerr << "mkdb: " << dbFile.string() << ": " << e.what() << "\n";
    return 1;
  }
  std::cout << "mkdb: " << dbFile.string() << "\n";
  return 0;
}
