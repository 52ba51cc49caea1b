/** @file basQz.h Start-up and shutdown of the program, and its global objects. */
#pragma once
#include <array>
#include <exception>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/CIniFile.h"
#include "app/clsAppInfo.h"
#include "runtime/VbError.h"

// The global objects of other parts of the game; each part sets its object through a start-up
// hook below, and AppEnd releases them in order.
class clsDB;
class clsBattle;
class clsFile;
class clsMngUnitItems;

extern std::shared_ptr<clsDB> gDB;                      ///< the database object of the whole program
extern std::shared_ptr<clsAppInfo> gAppInfo;            ///< the version text
extern std::shared_ptr<clsBattle> gBattle;              ///< the battle engine
extern std::shared_ptr<clsFile> gFile;                  ///< file operations for the week's message log
extern std::shared_ptr<clsMngUnitItems> gMngUnitItems;  ///< the standard equipment sets
extern bool gEnding;                                    ///< true from the first step of AppEnd on
extern std::shared_ptr<CIniFile> gIni;                  ///< the settings, current section "Setting"
extern bool gDX8;                                       ///< the DirectX 8 audio path is used
extern int16_t gGridHeight;                             ///< height of the item lists, pixels
extern std::array<std::string, 18> gReportNames;        ///< names of the weekly report kinds

/// The program's short name: the lock file and the settings file are named after it.
inline constexpr std::string_view kAppTitle = "vesk";

/// Where the parts built above the settings store join start-up and shutdown. A hook left empty
/// is skipped. A hook that throws ends start-up with a message naming the step.
struct StartupHooks {
  std::function<void()> MakeDB;       ///< make gDB with DebugMode False
  std::function<void()> MakeObjects;  ///< make gBattle, gFile and gMngUnitItems, in this order
  /// Without DirectX 8: SaveVolume, then SetSEVolume(SE), then SetBGMVolume(BGM).
  std::function<void(int16_t SE, int16_t BGM)> SetVolumes;
  std::function<void()> ShowTitle;       ///< show the title screen, not modally
  std::function<void()> RestoreVolumes;  ///< without DirectX 8: SetSEVolume(0), SetBGMVolume(0)
  /// Shows a start-up or shutdown failure; stderr when empty.
  std::function<void(const std::string& message)> ShowError;
};
StartupHooks& Hooks();

enum class StartResult {
  Started,      ///< the program runs on
  AnotherCopy,  ///< another copy is starting: end quietly
  Failed,       ///< a step failed and its message was shown: end
};

/// Start-up: instance lock, global objects, settings with their defaults, audio path, item-list
/// height, report names, title screen. The lock is held only while this runs.
StartResult Main();
/// Shutdown: releases the global objects, stores the version and writes vesk.ini, whole.
/// False (after showing a message) when the file could not be written.
bool AppEnd();

/// Start-up and shutdown name an error as every message of the game does.
using rt::DescribeError;

/// True when the registry's DirectX version is 4.08.00.0400 or later.
bool IsDirectX8();
/// Sets gGridHeight from the setting "GridRows".
void LoadGridRows();
/// InitSettingIni of SettingKeys.h on gIni.
void InitSettingIni(std::string_view Version);
