/** @file main.cpp The vesk program: start-up, the game's windows, shutdown. */
#include <iostream>
#include <memory>

#include "app/Media.h"
#include "app/Screens.h"
#include "app/basQz.h"
#include "app/frmSetting.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "db/clsDB.h"
#include "db/clsFile.h"

namespace {

// The objects of the game's other parts, made at their places in start-up.
void JoinStartup() {
  Hooks().MakeDB = [] {
    gDB = std::make_shared<clsDB>();
    gDB->DebugMode(false);
  };
  Hooks().MakeObjects = [] {
    gBattle = std::make_shared<clsBattle>();
    gFile = std::make_shared<clsFile>();
    gMngUnitItems = std::make_shared<clsMngUnitItems>();
  };
  Hooks().SetVolumes = [](int16_t SE, int16_t BGM) {
    SaveVolume();
    SetSEVolume(SE);
    SetBGMVolume(BGM);
  };
  Hooks().RestoreVolumes = [] {
    SetSEVolume(0);
    SetBGMVolume(0);
  };
  Screens().ShowSettings = ShowSettingDialog;
  // ShowTitle joins with the title screen.
}

}  // namespace

int main() {
  JoinStartup();
  switch (Main()) {
    case StartResult::AnotherCopy: return 0;
    case StartResult::Failed: return 1;
    case StartResult::Started: break;
  }
  // The title screen does not exist yet, so there is no window to run: shut down in order.
  std::cout << "vesk: ゲームのウィンドウはまだ作られていません。設定を保存して終了します。" << std::endl;
  return AppEnd() ? 0 : 1;
}
