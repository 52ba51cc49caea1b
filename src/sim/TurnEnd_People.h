/** @file TurnEnd_People.h The population steps of the week: food, recruitment, staffing, construction progress, facilities, unlocks. */
#pragma once
#include <cstdint>
#include <string>

#include "sim/GameState.h"
#include "sim/TurnLog.h"

namespace sim {

/// Food consumption; Fed := whether the people were fed (the driver sets it False first).
void TurnEnd_Consuming(WeekContext& ctx, TurnLog& Log, bool& Fed);
/// Recruitment of the recruiting occupations; runs only in a week whose people were fed.
void TurnEnd_Recruitment(WeekContext& ctx, TurnLog& Log);
/// Progress of the building under construction.
void TurnEnd_Construct(WeekContext& ctx, TurnLog& Log);
/// Schools, churches and hospitals.
void TurnEnd_Facility(WeekContext& ctx, TurnLog& Log);
/// Building unlocks and district development.
void TurnEnd_ConstructOpen(WeekContext& ctx, TurnLog& Log);

/// Places Count (>= 1) idle people of Occupation in its buildings, up to each one's capacity.
void OccupationAdd(WeekContext& ctx, const std::string& Occupation, int16_t Count);
/// Puts Count soldiers back into the barracks, building by building.
void SoldierAdd(WeekContext& ctx, int16_t Count);
/// Takes Count soldiers out of the barracks, building by building.
void SoldierDif(WeekContext& ctx, int16_t Count);
/// Removes Count residents from the residential buildings; leaves in Count what it could not remove.
void TurnEnd_ResidentialDif(WeekContext& ctx, int16_t& Count);

}  // namespace sim
