/** @file Occupations.h The panels' order of the occupations (Producer, Merchant, Engineer, Constructor, Soldier) and its mapping to clsData's numbers. */
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "sim/clsData.h"

namespace sim {

/// Index in the panels' and recruitment's order. Distinct from clsData's numbering on purpose.
enum class PanelOcc : int { Producer = 0, Merchant = 1, Engineer = 2, Constructor = 3, Soldier = 4 };

inline constexpr std::array<std::string_view, 5> kPanelOccupations = {
    "Producer", "Merchant", "Engineer", "Constructor", "Soldier"};
inline constexpr std::array<PanelOcc, 5> kAllPanelOcc = {
    PanelOcc::Producer, PanelOcc::Merchant, PanelOcc::Engineer, PanelOcc::Constructor, PanelOcc::Soldier};

inline constexpr size_t Index(PanelOcc o) { return static_cast<size_t>(o); }
inline constexpr std::string_view Name(PanelOcc o) { return kPanelOccupations[Index(o)]; }
/// Row of the occupation on the people panel GVPeople (2..6).
inline constexpr int16_t PeopleRow(PanelOcc o) { return static_cast<int16_t>(Index(o) + 2); }
/// Recruitment bit of the occupation in home.Recruitment (1, 2, 4, 8, 16).
inline constexpr int16_t RecruitBit(PanelOcc o) { return static_cast<int16_t>(1 << Index(o)); }
/// clsData's number of the occupation.
inline int DataNumber(PanelOcc o) { return clsData::OccupationNumber(Name(o)); }
/// The panel index of a name; false when the name is unknown (case-sensitive).
inline bool PanelOccOf(std::string_view name, PanelOcc& out) {
  for (PanelOcc o : kAllPanelOcc)
    if (Name(o) == name) { out = o; return true; }
  return false;
}

}  // namespace sim
