/** @file Repairs.h The one-time repairs of saved games made by older versions, each guarded by a settings flag. */
#pragma once

class clsDB;
namespace sim {
class ISettings;
}

namespace mainscreen {

/// Runs each repair whose flag ("Check1", "Check2", "Check3") is not "True", then sets the
/// flag, whatever the statements did: a failed statement is only logged by the database.
void Check1(clsDB& db, sim::ISettings& settings);  ///< the palace area's land back to 10
void Check2(clsDB& db, sim::ISettings& settings);  ///< the builder's yard upgrades from the right kind
void Check3(clsDB& db, sim::ISettings& settings);  ///< work left on buildings that are not the job under way

}  // namespace mainscreen
