/** @file main.cpp The vesk program: start-up, the game's windows, shutdown. */
#include <iostream>
#include <memory>

#include "app/basQz.h"
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
  // SetVolumes, RestoreVolumes and ShowTitle join with the sound layer and the title screen.
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
