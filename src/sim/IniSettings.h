/** @file IniSettings.h The settings store gIni seen through ISettings (its current section, "Setting"). */
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "app/CIniFile.h"
#include "sim/GameScreen.h"

namespace sim {

class IniSettings : public ISettings {
 public:
  explicit IniSettings(CIniFile& ini) : ini_(ini) {}
  std::string Get(const std::string& key) override { return ini_.Data(key); }
  void Set(const std::string& key, const std::string& value) override { ini_.Data(key, value); }

 private:
  CIniFile& ini_;
};

/// Settings kept in memory only (tools and tests).
class MemorySettings : public ISettings {
 public:
  std::string Get(const std::string& key) override;
  void Set(const std::string& key, const std::string& value) override;

 private:
  std::vector<std::pair<std::string, std::string>> values_;
};

}  // namespace sim
