/** @file Screens.h Where the game's windows reach each other across the library order: the title opens the main screen, the main screen opens the settings dialog. */
#pragma once
#include <functional>
#include <string>

class Media;

/// What the main screen's load uses of the title screen.
class TitleScreen {
 public:
  virtual ~TitleScreen() = default;
  /// Shows a progress text on the title, lets the loop run once and pauses 50 ms.
  virtual void ProgressMSG(const std::string& pstrMSG) = 0;
};

/// What became of 開始.
enum class StartOutcome {
  Started,  ///< the main screen has taken over
  Refused,  ///< the save cannot be played as it is (the player was told): the title stays for データ初期化
  Failed,   ///< the main screen could not load (it said why) and the program ends in order
};

/// Filled by the program's entry, which knows every window.
struct ScreenHooks {
  /// The title's 開始: loads and shows the main screen, reporting its steps on `title`. Unset:
  /// the title says the main screen is missing and stays.
  std::function<StartOutcome(TitleScreen& title)> ShowMainScreen;
  /// The main screen's menu word "設定": the settings dialog, modal.
  std::function<void(Media& media)> ShowSettings;
};
ScreenHooks& Screens();
