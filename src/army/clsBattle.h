/** @file clsBattle.h The battle driver: runs one battle between the player's army and a monster to its result. */
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "army/BattleDisplay.h"
#include "army/clsUnitver2.h"
#include "runtime/Collection.h"

/// How a battle ended, as the host reads it.
enum class BattleResult { Win, Lose, Retreat, Undecided };

class clsBattle {
 public:
  clsBattle();
  ~clsBattle();
  clsBattle(const clsBattle&) = delete;
  clsBattle& operator=(const clsBattle&) = delete;

  // Events.
  std::function<void(const std::string& pstrMSG)> Notification;  ///< "BattleEND" once a battle is over
  std::function<void(int SoundType)> Sound;                        ///< a sound effect of the main window's table

  /// Runs one battle between the units stored under the two keys; false (and nothing happens)
  /// when a key names no unit. "draw" as the message skips the ranged phase.
  bool StartBattle(const std::string& strParty1, const std::string& strParty2, const std::string& pBattleMSG = "");
  void InitImage();
  void UnitAdd(std::shared_ptr<clsUnitver2> pUnit, const std::string& pName);
  std::shared_ptr<clsUnitver2> UnitGet(const std::string& strUnit) const;
  void UnitRemove(const std::string& pName);
  long UnitCount() const { return units_.Count(); }
  /// Takes the screen and the event loop (either may be null: nothing drawn, nothing pumped).
  void Init(BattleDisplay* display, BattleEventPump* pump);
  BattleDisplay* Display() const { return display_; }

  bool BGM() const { return bgm_; }
  void BGM(bool value) { bgm_ = value; }
  bool Anime() const { return anime_; }
  void Anime(bool value) { anime_ = value; }
  bool Effect() const { return effect_; }
  void Effect(bool value) { effect_ = value; }
  float BattleSpeed() const { return battleSpeed_; }
  void BattleSpeed(float psngSleep) { battleSpeed_ = psngSleep; }
  /// Undecided: set when a battle starts and kept after one that ended without a winner.
  bool IsBattle() const { return isBattle_; }
  /// A battle is being fought right now (inside StartBattle).
  bool Fighting() const { return fighting_; }
  bool IsRetreat() const { return isRetreat_; }
  const std::string& Winner() const { return winner_; }
  const std::string& EndMSG() const { return endMsg_; }
  void EndMSG(const std::string& pstrMSG) { endMsg_ = pstrMSG; }
  void SetBattleField(const std::string& pstrBF);
  const std::string& SetBattleField() const { return battleField_; }
  std::string GetItemName(const std::string& pUnitID) const;
  /// The last battle's outcome: retreat, else undecided while IsBattle, else win when "国王軍" won.
  BattleResult Result() const;

  // The command buttons' events, raised by the screen.
  void Item1_Click();
  void Item2_Click();
  void Retreat_Click();
  void Item1_MouseMove();
  void Item2_MouseMove();
  void Retreat_MouseMove();
  void Battlefield_MouseMove();
  const std::string& PendingCommand() const { return command_; }

  /// For the drawing: request a sound (only while Effect is on), wait keeping the loop alive,
  /// let pending window events run once, and bring the status panel up to date.
  void RaiseSound(int soundType);
  void WaitTime(double seconds);
  void DoEvents();
  void DrawStatus();
  std::shared_ptr<clsUnitver2> Party1() const { return party1_; }
  std::shared_ptr<clsUnitver2> Party2() const { return party2_; }

 private:
  struct ButtonState {
    std::string Text;
    bool Enable = false;
    bool Selected = false;
  };

  void ShowMessage(const std::string& text);
  void DrawUnits();
  void SetButton(BattleCommand which, const std::string& text, bool enable);
  void SelectButton(BattleCommand which, bool selected);
  ButtonState& ButtonOf(BattleCommand which) { return buttons_[static_cast<int>(which)]; }
  /// A command button's click: choose its command, or take it back when it was already chosen.
  void ToggleCommand(BattleCommand which, const std::string& value);
  void Connect(clsUnitver2& unit, bool party1);
  void Disconnect();
  void Party1_AttackAnime(const std::string& pstrMaterial, bool pblOwnAttack);
  void Party2_AttackAnime(const std::string& pstrMaterial, bool pblOwnAttack);
  /// X attacks Y: the attack, Y's damage, then X's effects on itself and on Y.
  void Strike(clsUnitver2& x, clsUnitver2& y);
  void NormalAction(clsUnitver2& x, clsUnitver2& y);
  /// Party 1 carries out the pending command; false when it was a retreat.
  bool CommandAction();
  /// From the units' set-up to the last battle cycle: everything between the buttons and the end.
  void Fight(clsUnitver2& p1, clsUnitver2& p2, const std::string& pBattleMSG);

  rt::Collection<std::shared_ptr<clsUnitver2>> units_;
  std::shared_ptr<clsUnitver2> party1_, party2_;
  BattleDisplay* display_ = nullptr;
  BattleEventPump* pump_ = nullptr;
  ButtonState buttons_[3];
  bool bgm_ = false, anime_ = false, effect_ = false;
  float battleSpeed_ = 0.5f;
  bool isBattle_ = false, isRetreat_ = false, fighting_ = false;
  std::string winner_, endMsg_, command_, hovered_, battleField_;
};
