/** @file Trade.h A nation's friendship, kept within its bounds. */
#pragma once
#include <cstdint>
#include <string_view>

class clsDB;

namespace sim {

inline constexpr int16_t kFriendshipMin = -399;
inline constexpr int16_t kFriendshipMax = 400;

/// The only writer of country.Friendship: clamps Friendship to -399..400, stores it and
/// returns the value stored.
int16_t SetFriendship(clsDB& db, std::string_view Nation, int64_t Friendship);

}  // namespace sim
