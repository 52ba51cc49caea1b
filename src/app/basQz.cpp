/** @file basQz.cpp Start-up and shutdown of the program, and its global objects. */
#include "app/basQz.h"

#include <exception>
#include <iostream>
#include <variant>

#include "app/SettingKeys.h"
#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"
#include "platform/clsReg.h"
#include "runtime/VbError.h"

std::shared_ptr<clsDB> gDB;
std::shared_ptr<clsAppInfo> gAppInfo;
std::shared_ptr<clsBattle> gBattle;
std::shared_ptr<clsFile> gFile;
std::shared_ptr<clsMngUnitItems> gMngUnitItems;
bool gEnding = false;
std::shared_ptr<CIniFile> gIni;
bool gDX8 = false;
int16_t gGridHeight = 480;
std::array<std::string, 18> gReportNames;

namespace {

constexpr std::array<const char*, 18> kReportNames = {
    "新エリア発見",   "エリアアイテム発見",     "アイテム発明",           "モンスターの巣発見",
    "交易国紹介",     "建設可能,建物",          "エリア探索レベルアップ", "アイテム研究レベルアップ",
    "食糧消費",       "住民増減",               "住民が建物から逃亡",     "税金",
    "アイテム生産",   "建設建物完成",           "交易",                   "連続アイテム売買",
    "アイテム輸入",   "アイテム輸出"};

void ShowError(const std::string& message) {
  if (Hooks().ShowError) {
    Hooks().ShowError(message);
  } else {
    std::cerr << "vesk: " << message << std::endl;
  }
}

std::filesystem::path IniPath() { return plat::ProgramFolder() / (std::string(kAppTitle) + ".ini"); }

}  // namespace

StartupHooks& Hooks() {
  static StartupHooks hooks;
  return hooks;
}

StartResult Main() {
  // Only one copy may be starting at a time; the lock goes when start-up ends, either way.
  plat::InstanceLock lock(plat::ProgramFolder() / (std::string(kAppTitle) + ".lock"));
  if (lock.GetState() == plat::InstanceLock::State::Busy) return StartResult::AnotherCopy;
  if (!lock.Held()) {
    ShowError("起動できません。ゲームのフォルダーにファイルを作れません: " + lock.Message());
    return StartResult::Failed;
  }

  const char* step = "データベースの準備";
  try {
    if (Hooks().MakeDB) Hooks().MakeDB();

    step = "ゲームの部品の準備";
    gAppInfo = std::make_shared<clsAppInfo>();
    if (Hooks().MakeObjects) Hooks().MakeObjects();
    gEnding = false;
    gIni = std::make_shared<CIniFile>();

    step = "音声の方式の判定";
    gDX8 = IsDirectX8();

    step = "設定の読み込み";
    if (gIni->Load(IniPath().string())) {
      gIni->NowSection(kSettingSection);
      InitSettingIni(gIni->Data("Version"));
    } else {
      InitSettingIni("999999");
    }
    if (SettingBool(*gIni, "NotDX8")) gDX8 = false;
    LoadGridRows();

    step = "音量の設定";
    if (!gDX8 && Hooks().SetVolumes)
      Hooks().SetVolumes(static_cast<int16_t>(SettingNumber(*gIni, "SE")),
                         static_cast<int16_t>(SettingNumber(*gIni, "BGM")));

    for (size_t i = 0; i < kReportNames.size(); ++i) gReportNames[i] = kReportNames[i];

    step = "タイトル画面の表示";
    if (Hooks().ShowTitle) Hooks().ShowTitle();
  } catch (const std::exception& e) {
    ShowError(std::string("起動できません（") + step + "）: " + DescribeError(e));
    return StartResult::Failed;
  }
  return StartResult::Started;
}

bool AppEnd() {
  if (gEnding && !gIni) return true;  // already shut down
  gEnding = true;
  gBattle.reset();
  gFile.reset();
  gDB.reset();  // closes the database
  gMngUnitItems.reset();
  if (gIni && gAppInfo) {
    gIni->NowSection(kSettingSection);
    gIni->Data("Version", gAppInfo->Version(0, "."));
  }
  gAppInfo.reset();
  if (!gDX8 && Hooks().RestoreVolumes) {
    // The settings are still written when the sound layer fails here.
    try {
      Hooks().RestoreVolumes();
    } catch (const std::exception& e) {
      ShowError(std::string("音量を元に戻せません: ") + DescribeError(e));
    }
  }
  bool saved = true;
  if (gIni) {
    saved = gIni->Save();
    if (!saved) ShowError("設定ファイルを書き込めません: " + gIni->LastError());
  }
  gIni.reset();
  return saved;
}

bool IsDirectX8() {
  plat::clsReg reg;
  plat::RegValue value = reg.RegGetValue(plat::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX", "Version",
                                         plat::REG_SZ, std::string());
  const auto* text = std::get_if<std::string>(&value);
  // 4.08.00.0400 and later carry DirectX 8 audio.
  return text && DotlessNumber(*text).value_or(0) >= 408000400;
}

void LoadGridRows() {
  // Not a number reads as the default 0; any number is brought into the 16-bit range.
  int32_t n = gIni ? SettingNumber(*gIni, "GridRows") : 0;
  if (n == 0 || n > 24) gGridHeight = 480;
  else if (n < 10) gGridHeight = 200;
  else gGridHeight = static_cast<int16_t>(n * 20);
}

void InitSettingIni(std::string_view Version) {
  if (!gIni) gIni = std::make_shared<CIniFile>();
  InitSettingIni(*gIni, Version);
}
