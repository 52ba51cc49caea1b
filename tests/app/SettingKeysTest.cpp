/** @file SettingKeysTest.cpp Defaults by settings version, and tolerant reading of settings. */
#include <gtest/gtest.h>

#include <set>

#include "app/CIniFile.h"
#include "app/SettingKeys.h"

namespace {

// The keys whose value InitSettingIni replaced, for a file of settings version `version` that
// held "old" in every key.
std::set<std::string> KeysDefaulted(const std::string& version) {
  CIniFile ini;
  ini.NowSection("Setting");
  for (const SettingKey& k : SettingKeys()) ini.Data(k.Key, "old");
  InitSettingIni(ini, version);
  std::set<std::string> changed;
  for (const SettingKey& k : SettingKeys()) {
    if (ini.Data(k.Key) == k.Default) changed.insert(k.Key);
    else EXPECT_EQ(ini.Data(k.Key), "old") << k.Key;
  }
  return changed;
}

using Names = std::set<std::string>;

}  // namespace

TEST(SettingKeys, AVersionBelowAGateGetsExactlyThatGatesDefaults) {
  EXPECT_EQ(KeysDefaulted("1.04.0000"), Names({"Check2", "Check3"}));
  EXPECT_EQ(KeysDefaulted("1.00.0001"), Names({"GridRows", "DBInit", "Check1", "Check2", "Check3"}));
  EXPECT_EQ(KeysDefaulted("1.00.0000"),
            Names({"BGMDX8", "SEDX8", "NotDX8", "GridRows", "DBInit", "Check1", "Check2", "Check3"}));
  EXPECT_EQ(KeysDefaulted("1.06.9999"), Names({"Check3"}));
  EXPECT_EQ(KeysDefaulted("1.07.0000"), Names({}));
  // Missing, unreadable and absurd versions count as older than every gate.
  for (const char* version : {"", "abc", "1.09b", "99999999999"})
    EXPECT_EQ(KeysDefaulted(version).size(), SettingKeys().size()) << version;
}

TEST(SettingKeys, UnreadableValuesCountAsDefaultsAndNumbersAreClamped) {
  CIniFile ini;
  ini.NowSection("Setting");
  struct Case { const char* key; const char* value; int32_t expected; };
  for (auto c : {Case{"SE", "0", 1}, Case{"SE", "6.5", 6}, Case{"BattleSpeed", "25", 20},
                 Case{"BGMDX8", "-99", -30}, Case{"SEDX8", "x", -10}, Case{"TitleLeft", "1e20", 2147483647}}) {
    ini.Data(c.key, c.value);
    EXPECT_EQ(SettingNumber(ini, c.key), c.expected) << c.key << "=" << c.value;
  }
  struct BoolCase { const char* key; const char* value; bool expected; };
  for (auto c : {BoolCase{"NotDX8", "true", true}, BoolCase{"NotDX8", "maybe", false},
                 BoolCase{"BattleAnime", "maybe", true}, BoolCase{"BattleAnime", "0", false}}) {
    ini.Data(c.key, c.value);
    EXPECT_EQ(SettingBool(ini, c.key), c.expected) << c.key << "=" << c.value;
  }
}
