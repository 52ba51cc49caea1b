/** @file MainWindowFixture.h What the main window's tests share: a fresh game folder with the game's pictures and sounds, start-up done, and the window loaded on request. */
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Screens.h"
#include "app/basQz.h"
#include "army/clsBattle.h"
#include "army/clsMngUnitItems.h"
#include "db/clsDB.h"
#include "mainscreen/frmMain2.h"
#include "platform/Audio.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/UiFixture.h"
#include "support/FreshGameDb.h"

class MainWindowFixture : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    game = std::make_unique<GameDbFolder>();
    for (const char* sub : {"image", "sound"})
      std::filesystem::copy(std::filesystem::path(VESK_GAME_DIR) / sub, game->Folder() / sub,
                            std::filesystem::copy_options::recursive);
    Hooks() = StartupHooks{};
    Hooks().MakeDB = [] { gDB = std::make_shared<clsDB>(); };
    Hooks().MakeObjects = [] {
      gBattle = std::make_shared<clsBattle>();
      gMngUnitItems = std::make_shared<clsMngUnitItems>();
    };
    ASSERT_EQ(Main(), StartResult::Started);
  }
  void TearDown() override {
    if (main && main->IsShown()) main->Close();  // the unload lets go of the sound buffers
    main.reset();
    AppEnd();
    plat::SetAudio(nullptr);
    Hooks() = StartupHooks{};
    Screens() = ScreenHooks{};
    game.reset();
    UiTest::TearDown();
  }
  /// Loads the main window and shows it; the steps and progress texts land in `steps`, `progress`.
  bool Load() {
    main = std::make_unique<frmMain2>(frmMain2::Links{[this](const std::string& t) { progress.push_back(t); },
                                                      [this] { progress.push_back("(title closed)"); }});
    main->trace = [this](std::string_view s) { steps.emplace_back(s); };
    if (!main->Form_Load()) return false;
    main->Show();
    return true;
  }
  /// Queues a click at window pixels (x, y), delivered at the next pump.
  void QueueClick(int x, int y) {
    plat::input::MouseMove(*main, x, y);
    plat::input::MouseDown(*main, x, y);
    plat::input::MouseUp(*main, x, y);
  }
  std::string Ini() { return plat::ReadWholeFile(game->Folder() / "vesk.ini").value_or(""); }

  std::unique_ptr<GameDbFolder> game;
  std::unique_ptr<frmMain2> main;
  std::vector<std::string> steps, progress;
  plat::ScriptedMessageBox boxes;
};
