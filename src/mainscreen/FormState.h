/** @file FormState.h The main window's own form variables: where the mouse is, the controls' sound paths, the message box's answer. */
#pragma once
#include <cstdint>
#include <string>

namespace mainscreen {

/// Indexes of picImage that the window itself uses.
inline constexpr int kPicBackdrop = 0;     ///< the screen's backdrop
inline constexpr int kPicMsgFrame = 11;    ///< the message window's frame
inline constexpr int kPicMsgBackdrop = 12; ///< the message layer's backdrop

/// Which fixed view the mouse is over (mActiveView).
enum ActiveView : int16_t {
  kViewNone = 0, kViewProducer = 1, kViewMerchant = 2, kViewEngineer = 3, kViewConstructor = 4,
  kViewSoldier = 5, kViewPeople = 6, kViewUnit = 7, kViewTrade = 8};

/// The form variables beyond the rules' own game state (sim::GameState holds mTurn,
/// mTurnRunning, mQuitAfterTurn, mTurnBuy, mTurnSell and mConstructPower) and the commands'
/// (cmd::CommandState holds mCommand, the choices kept between a command's steps and the trade
/// being put together). The army formation and the conquest keep their own.
struct FormState {
  int16_t mActiveView = kViewNone;
  bool mMenuHover = false;
  std::string mMouseOnControl;   ///< the grid or button under the mouse, "" when none

  // The sound paths the controls keep (codes 0 to 4). The whole table mSEPath, the music
  // state and the artwork belong to the window's media.
  std::string mClickSoundPath, mMouseOverSoundPath, mSortSoundPath, mScrollSoundPath, mSliderSoundPath;

  int32_t mMsgAnswer = 0;        ///< the message box's answer; 0 none yet

  bool mStartFailed = false;     ///< the database did not open: the unload saves nothing
};

}  // namespace mainscreen
