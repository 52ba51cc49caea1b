/** @file SettingKeys.h Every key of vesk.ini with its default, its range and the version that brought it. */
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CIniFile;

/// The one section of vesk.ini.
inline constexpr std::string_view kSettingSection = "Setting";

/// One settings key. Values are texts; read as numbers they are clamped to [Min, Max].
struct SettingKey {
  std::string Key;
  std::string Default;
  int32_t Gate;  ///< files of a settings version below this get the default written
  int32_t Min = INT32_MIN;
  int32_t Max = INT32_MAX;
};

/// The keys that have defaults, in the order their defaults are written.
const std::vector<SettingKey>& SettingKeys();

/// A version text ("1.09.0037", "4.09.00.0904") with its dots removed, read as a 32-bit integer;
/// nothing when that is not a number.
std::optional<int32_t> DotlessNumber(std::string_view Version);

/// Selects the section "Setting" (made when missing) and writes the default of every key whose
/// gate lies above the settings version `Version`, replacing what the key held.
void InitSettingIni(CIniFile& ini, std::string_view Version);

/// A number setting of the current section, read tolerantly: a value that is not a number
/// counts as the key's default, and any number is brought into the key's range (halves to even).
int32_t SettingNumber(const CIniFile& ini, std::string_view Key);
/// A Boolean setting ("True"/"False" or a number), read tolerantly: an unreadable value counts
/// as the key's default.
bool SettingBool(const CIniFile& ini, std::string_view Key);
