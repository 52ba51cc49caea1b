/** @file SettingKeys.cpp Every key of vesk.ini with its default, its range and the version that brought it. */
#include "app/SettingKeys.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "app/CIniFile.h"
#include "runtime/Convert.h"
#include "runtime/Strings.h"
#include "runtime/VbError.h"

namespace {

std::vector<SettingKey> MakeKeys() {
  std::vector<SettingKey> keys = {
      {"TitleLeft", "400", 1000000},
      {"TitleTop", "2500", 1000000},
      {"MainLeft", "400", 1000000},
      {"MainTop", "2500", 1000000},
      {"SettingLeft", "400", 1000000},
      {"SettingTop", "2500", 1000000},
      {"BGM", "1", 1000000, 1, 10},
      {"SE", "5", 1000000, 1, 10},
      {"OptionBGM", "1", 1000000},
      {"OptionSE", "1", 1000000},
      {"BattleSpeed", "5", 1000000, 1, 20},
      {"BattleAnime", "True", 1000000},
  };
  for (int kind = 0; kind < 18; ++kind)
    keys.push_back({"Report" + std::to_string(kind), "1", 1000000});
  const std::vector<SettingKey> later = {
      {"BGMDX8", "-10", 1000001, -30, 0},
      {"SEDX8", "-10", 1000001, -30, 0},
      {"NotDX8", "False", 1000001},
      {"GridRows", "0", 1000002, INT16_MIN, INT16_MAX},
      {"DBInit", "False", 1000013},
      {"Check1", "False", 1040000},
      {"Check2", "False", 1050000},
      {"Check3", "False", 1070000},
  };
  keys.insert(keys.end(), later.begin(), later.end());
  return keys;
}

std::optional<double> ReadNumber(std::string_view text) {
  if (!rt::IsNumeric(text)) return std::nullopt;
  try {
    double v = rt::CDbl(text);
    if (std::isnan(v)) return std::nullopt;
    return v;
  } catch (const rt::VbError&) {
    return std::nullopt;  // too large even for a double
  }
}

std::optional<bool> ReadBool(std::string_view text) {
  try {
    return rt::CBool(text);
  } catch (const rt::VbError&) {
    return std::nullopt;
  }
}

const SettingKey* FindSettingKey(std::string_view Key) {
  for (const SettingKey& k : SettingKeys())
    if (rt::EqualsNoCase(k.Key, Key)) return &k;
  return nullptr;
}

}  // namespace

const std::vector<SettingKey>& SettingKeys() {
  static const std::vector<SettingKey> keys = MakeKeys();
  return keys;
}

std::optional<int32_t> DotlessNumber(std::string_view Version) {
  std::string digits = rt::Replace(Version, ".", "");
  if (!rt::IsNumeric(digits)) return std::nullopt;
  try {
    return rt::CLng(digits);
  } catch (const rt::VbError&) {
    return std::nullopt;  // more digits than a version has
  }
}

void InitSettingIni(CIniFile& ini, std::string_view Version) {
  ini.NowSection(kSettingSection);
  // A missing or unreadable version counts as 999999, older than every gate.
  int32_t version = DotlessNumber(Version).value_or(999999);
  // The table is in gate order, so the gates are written in ascending order.
  for (const SettingKey& k : SettingKeys())
    if (version < k.Gate) ini.Data(k.Key, k.Default);
}

int32_t SettingNumber(const CIniFile& ini, std::string_view Key) {
  const SettingKey* key = FindSettingKey(Key);
  double lo = key ? key->Min : INT32_MIN, hi = key ? key->Max : INT32_MAX;
  std::optional<double> v = ReadNumber(ini.Data(Key));
  if (!v && key) v = ReadNumber(key->Default);
  if (!v) v = 0;
  return rt::CLng(std::clamp(*v, lo, hi));
}

bool SettingBool(const CIniFile& ini, std::string_view Key) {
  if (std::optional<bool> v = ReadBool(ini.Data(Key))) return *v;
  const SettingKey* key = FindSettingKey(Key);
  return key && ReadBool(key->Default).value_or(false);
}
