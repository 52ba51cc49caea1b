/** @file LandCommands.h The land commands: the area and upgrade lists (探索, 建設, 解体, 配分, 改修), what can be done in the chosen area, and building, upgrading, demolishing and staffing. */
#pragma once
#include <string>

#include "commands/CommandHost.h"

namespace cmd {

/// The first list in GGMain: the open areas, or for 改修 the buildings that can be upgraded.
/// False, after a notice, when there is nothing to list.
bool ShowAreaList(CommandContext& c, const std::string& Command);

/// A row of the first list chosen: 探索 sets the exploration target; the other words show in
/// GGSub1 what can be built, demolished, staffed or upgraded there.
void AreaCommand(CommandContext& c);

/// A row of GGSub1 chosen: 解体, 建設 and 改修 act at once (after the player agrees); 配分
/// prepares the staff slider and the product list for the execute button.
void ConstructCommand(CommandContext& c);

/// 配分's commit: the staff of the slider and the product of GLClear into the building.
void AllotCommit(CommandContext& c);

/// GLClear's caption for "no product". A product chosen in GGSub2 during 配分 goes onto GLClear
/// (enabled); GLClear's click puts this back (disabled). The window's handlers do both.
inline constexpr const char* kNoProduct = "生産解除";

}  // namespace cmd
