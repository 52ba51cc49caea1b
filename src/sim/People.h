/** @file People.h The helpers behind the population, construction, facility and unlock steps that other screens and tests call directly. */
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/GameState.h"
#include "sim/TurnLog.h"

namespace sim {

/// The Japanese word of an occupation in the panels' order, as the report names it.
std::string_view OccupationJ(PanelOcc o);

/// Places in the occupation's finished buildings and in those being upgraded; 0 without any.
int16_t RetOccupationCapacity(WeekContext& ctx, const std::string& Occupation);
/// Moves Count newcomers into the houses; leaves in Count what found no room.
void TurnEnd_ResidentialAdd(WeekContext& ctx, int16_t& Count);

/// The week's construction power from the last shown people figures; at least 1.
int16_t RetConstructPower(WeekContext& ctx);

/// One facility's effect by building name; a name not in its table does nothing.
void HospitalEffect(WeekContext& ctx, const std::string& Name);
void ChurchEffect(WeekContext& ctx, const std::string& Name);
void SchoolEffect(WeekContext& ctx, const std::string& Name);
void HospitalEffectApply(WeekContext& ctx, int16_t Limit, int16_t Chance);
void ChurchEffectApply(WeekContext& ctx, int16_t Limit, int16_t Chance);
/// Occupation is clsData's number, or -1 for all five.
void SchoolEffectApply(WeekContext& ctx, int16_t Occupation, int16_t Limit, int16_t Chance);

/// Opens Name when its condition building count and both needs hold (a Need of 0 is none).
/// CondKind "Name" counts finished buildings of that name, anything else of that Type.
void TurnEnd_ConstructCondition(WeekContext& ctx, const std::string& Name, int32_t Need1, int32_t Have1,
                                int32_t Need2, int32_t Have2, const std::string& CondText, int16_t CondCount,
                                const std::string& CondKind, TurnLog& Log);
/// Offers to develop Next for Price once District holds Count buildings.
void AreaDevelop(WeekContext& ctx, const std::string& District, int16_t Count, int32_t Price,
                 const std::string& Next);

}  // namespace sim
