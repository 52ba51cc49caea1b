/** @file Construction.cpp The week's construction power and the progress, completion and upgrade of the building under construction. */
#include <algorithm>
#include <limits>

#include "db/clsDB.h"
#include "db/SqliteConnection.h"
#include "runtime/Convert.h"
#include "sim/People.h"
#include "sim/SimDb.h"
#include "sim/TurnEnd_People.h"

namespace sim {

int16_t RetConstructPower(WeekContext& ctx) {
  const PanelState& shown = ctx.state.panels;
  // Idle people of the other occupations help a quarter each, employed ones a tenth, at most 100.
  // Counted wide: head counts that add up past 16 bits give the most power there is.
  int32_t employed = 0, idleHelp = 0;
  for (PanelOcc o : {PanelOcc::Producer, PanelOcc::Merchant, PanelOcc::Engineer, PanelOcc::Soldier}) {
    employed += shown.Employed(o);
    idleHelp += shown.Idle(o) / 4;
  }
  const int32_t help = std::min(employed / 10 + idleHelp, 100);
  const int32_t education = ctx.data.Education("Constructor");
  const int32_t power = (education / 14 + 1) * shown.Employed(PanelOcc::Constructor) + help;
  return static_cast<int16_t>(std::clamp<int32_t>(power, 1, std::numeric_limits<int16_t>::max()));
}

void TurnEnd_Construct(WeekContext& ctx, TurnLog& Log) {
  const std::string shown = ctx.state.panels.construction;
  if (shown.empty()) return;  // the panel showed "建設:なし"
  const int16_t power = RetConstructPower(ctx);
  const std::string message = "建設Work取得エラー:TurnEnd_Construct";
  if (!QueryRow(ctx.db, "SELECT Work,[Update] FROM construction,home WHERE home.Construction=construction.ID")) {
    ctx.MsgBox(message);
    return;
  }
  // Work left is a count from 0: a building with another value is neither built on nor finished.
  const auto left = Amount16(ctx.db.Data(0));
  if (!left) return BadValue(ctx, message, "construction.Work", ctx.db.Data(0));
  const int16_t work = *left;
  const std::string update = ctx.db.Data(1);
  if (work - power > 0) {
    ctx.db.Excute("UPDATE construction SET Work=" + rt::CStr(rt::SubI(work, power)) +
                  " WHERE ID=(SELECT Construction FROM home)");
    return;
  }
  ctx.db.Excute("UPDATE construction SET Work=0 WHERE ID=(SELECT Construction FROM home)");
  // A finished upgrade takes its target's name and keeps its ID, area and people.
  if (!update.empty())
    ctx.db.Excute("UPDATE construction SET Name=" + SqlText(update) +
                  ",[Update]='' WHERE ID=(SELECT Construction FROM home)");
  ctx.db.Excute("UPDATE home SET Construction=0");
  Log.Add("construct", shown + "が完成しました");
}

}  // namespace sim
