/** @file StatusPanels.h The status panels: they fill the kingdom, people and occupation views and the three progress labels, and keep the figures they show as game state. */
#pragma once
#include <string>

#include "sim/GameState.h"

namespace sim {

/// Every occupation's people-panel cell (and, with Flag, its own view), then the kingdom panel.
void ShowPeopleAll(WeekContext& ctx, bool Flag);
/// One occupation: with Flag False its people-panel cell "employed/people", with Flag True its own view.
void ShowOccupation(WeekContext& ctx, const std::string& Occupation, bool Flag);
/// The kingdom panel: date, population, averages, palace, money and food; loads mTurn.
void ShowKingdom(WeekContext& ctx);
/// The exploration label "探索:area(level)".
void ShowAreaResearch(WeekContext& ctx);
/// The research label "研究:item(level)".
void ShowItemResearch(WeekContext& ctx);
/// The construction label "建設:name(area)" or "改修:name(area)".
void ShowConstruct(WeekContext& ctx);

/// The view of an occupation.
ViewId OccupationView(PanelOcc o);

}  // namespace sim
