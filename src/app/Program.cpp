/** @file Program.cpp The vesk program: every part joined to start-up, the title shown, the loop run to the end. */
#include "app/Program.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "app/Media.h"
#include "app/Screens.h"
#include "app/basQz.h"
#include "app/frmSetting.h"
#include "app/frmTitle.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "db/clsDB.h"
#include "db/clsFile.h"
#include "mainscreen/frmMain2.h"
#include "platform/Audio.h"
#include "platform/EventLoop.h"
#include "platform/MessageBox.h"

namespace {

std::unique_ptr<frmTitle> gTitle;
std::unique_ptr<frmMain2> gMain;
bool gStartFailed = false;  ///< 開始 could not load the main screen: the program ends non-zero

// What the window's close keeps: the main window's unload (its database writes, its place and
// the equipment sets, then the shutdown), or the title's place and the shutdown. The shutdown
// writes vesk.ini and closes the database; a week cut short is rolled back with the connection.
void SaveLikeAClose() {
  if (gMain && gMain->IsShown()) gMain->Form_Unload();  // shown: its load went through
  else if (gTitle) gTitle->KeepPosition();
  AppEnd();
}

}  // namespace

void JoinGame() {
  plat::SetApplicationTitle(std::string(kAppTitle));
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
  Hooks().ShowTitle = [] {
    gTitle = std::make_unique<frmTitle>();
    gTitle->Show();
  };
  Hooks().ShowError = [](const std::string& message) { plat::MsgBox(message, plat::vbOKOnly | plat::vbCritical); };
  Screens().ShowSettings = ShowSettingDialog;
  Screens().ShowMainScreen = [](TitleScreen& title) {
    frmMain2::Links links;
    links.ProgressMSG = [&title](const std::string& text) { title.ProgressMSG(text); };
    // The load asks the title to go at its end; the title goes itself once the load returns.
    gMain = std::make_unique<frmMain2>(links);
    if (gMain->Form_Load()) {
      gMain->Show();
      return StartOutcome::Started;
    }
    if (gMain->StartRefused()) {
      gMain.reset();
      return StartOutcome::Refused;
    }
    gStartFailed = true;
    return StartOutcome::Failed;
  };
}

frmTitle* TitleScreenWindow() { return gTitle.get(); }

frmMain2* MainScreenWindow() { return gMain.get(); }

bool RunGameLoop() {
  std::string error;
  try {
    plat::RunLoop();
    return true;
  } catch (const std::exception& e) {
    error = DescribeError(e);
    std::fprintf(stderr, "vesk: %s\n", e.what());  // the player reads Japanese; the error's own words stay here
  }
  // The state the error left may fail again on the way out: each step is tried on its own, and
  // the settings are written whatever happened before.
  try {
    plat::MsgBox("予期しないエラーが起きたため、ゲームを終了します。\r\n" + error, plat::vbOKOnly | plat::vbCritical);
  } catch (const std::exception&) {
  }
  try {
    if (gMain && gMain->IsShown()) gMain->Form_Unload();  // shown: its load went through
  } catch (const std::exception&) {
  }
  AppEnd();
  return false;
}

void EndGame() {
  gMain.reset();
  gTitle.reset();
  plat::SetAudio(nullptr);
}

int RunGame() {
  gStartFailed = false;
  // Before anything is written: without a desktop the program would wait for ever, unseen.
  std::string error;
  if (!plat::OpenDisplay(error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  JoinGame();
  // A lost display or a SIGTERM refused by a busy window ends the game here, saved as a close saves.
  plat::SetEndAtOnce(SaveLikeAClose);
  switch (Main()) {
    case StartResult::AnotherCopy: return 0;
    case StartResult::Failed:
      EndGame();
      return 1;
    case StartResult::Started: break;
  }
  const bool ended = RunGameLoop();
  EndGame();
  return ended && !gStartFailed ? 0 : 1;
}
