/** @file Repairs.cpp The one-time repairs of saved games made by older versions. */
#include "mainscreen/Repairs.h"

#include <optional>
#include <string>
#include <vector>

#include "db/clsDB.h"
#include "runtime/Strings.h"
#include "sim/GameScreen.h"
#include "sim/SimDb.h"

namespace mainscreen {
namespace {

bool Done(sim::ISettings& settings, const char* flag) { return rt::EqualsNoCase(settings.Get(flag), "True"); }

}  // namespace

void Check1(clsDB& db, sim::ISettings& settings) {
  if (Done(settings, "Check1")) return;
  db.Excute("UPDATE area SET Development=10 WHERE Name='王宮'");
  settings.Set("Check1", "True");
}

void Check2(clsDB& db, sim::ISettings& settings) {
  if (Done(settings, "Check2")) return;
  db.Excute("UPDATE construct SET Succession='すこし頼れる建設場' WHERE Name='頼りになる建設場'");
  settings.Set("Check2", "True");
}

void Check3(clsDB& db, sim::ISettings& settings) {
  if (Done(settings, "Check3")) return;
  // A row whose ID is no whole number is left alone: no statement could name it alone.
  std::vector<int32_t> ids;
  for (const auto& row : sim::QueryRows(db, "SELECT * FROM construction WHERE construction.Work>0"))
    if (const auto id = row.empty() ? std::nullopt : sim::WholeNumber(row[0])) ids.push_back(*id);
  if (!ids.empty()) {
    // Only the job under way may carry work; without a kingdom row no job is under way. While
    // the job cannot be read, nothing is cleared and the repair waits for a later start.
    const std::string job = sim::QueryRow(db, "SELECT Construction FROM home") ? db.Data(0) : "";
    const auto current = sim::Figure(job);
    if (!current) return;
    for (const int32_t id : ids)
      if (id != *current) db.Excute("UPDATE construction SET Work=0,[Update]='' WHERE ID=" + std::to_string(id));
  }
  settings.Set("Check3", "True");
}

}  // namespace mainscreen
