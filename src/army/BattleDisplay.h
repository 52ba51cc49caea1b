/** @file BattleDisplay.h What the battle driver needs of the screen and of the event loop, and a recording display for headless runs. */
#pragma once
#include <string>
#include <vector>

class clsUnitver2;

/// The three command buttons of a battle.
enum class BattleCommand { Item1, Item2, Retreat };

/// What the status panel shows of one party.
struct BattlePartyStatus {
  int Physical = 0, Tiredness = 0, Soldiers = 0, Injury = 0, SeriousInjury = 0, Dead = 0, SoldierMax = 0;
  int Counter = 0;  ///< already limited to the gauge's range
  std::string StatusPoison, StatusBlindness, StatusAbnormal;
};

struct BattleStatusView {
  BattlePartyStatus Party1, Party2;
  std::string BattleField;  ///< decides the text colour
};

/// The battle's screen: message label, command buttons, field and drawing. A build without a
/// screen passes a display whose operations do nothing.
class BattleDisplay {
 public:
  virtual ~BattleDisplay() = default;
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void SetCommandButton(BattleCommand which, const std::string& text, bool enabled) = 0;
  virtual void SelectCommandButton(BattleCommand which, bool selected) = 0;
  virtual void ShowBattlefield() = 0;  ///< make the field visible and bring it to the front
  virtual void PaintBattleField(const std::string& name) = 0;
  virtual void InitImage() = 0;
  virtual void DrawUnits(const clsUnitver2& party1, const clsUnitver2& party2) = 0;
  virtual void DrawAttackAnime(const std::string& party, bool ownAttack, const std::string& material) = 0;
  virtual void DrawStatus(const BattleStatusView& view) = 0;
};

/// Lets pending window events run once (the platform's event loop; tests pass their own).
class BattleEventPump {
 public:
  virtual ~BattleEventPump() = default;
  virtual void DoEvents() = 0;
};

/// A display that draws nothing and keeps the messages shown, for tests and the simulator.
class RecordingBattleDisplay : public BattleDisplay {
 public:
  struct Button {
    std::string Text;
    bool Enable = false;
    bool Selected = false;
  };

  std::vector<std::string> Messages;  ///< every text shown in the message label, in order
  Button Buttons[3];
  int DrawUnitsCalls = 0, DrawStatusCalls = 0, AnimeCalls = 0, InitImageCalls = 0;
  bool FieldShown = false;
  std::string FieldPainted;
  BattleStatusView LastStatus;

  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  void SetCommandButton(BattleCommand which, const std::string& text, bool enabled) override {
    Buttons[static_cast<int>(which)].Text = text;
    Buttons[static_cast<int>(which)].Enable = enabled;
  }
  void SelectCommandButton(BattleCommand which, bool selected) override {
    Buttons[static_cast<int>(which)].Selected = selected;
  }
  void ShowBattlefield() override { FieldShown = true; }
  void PaintBattleField(const std::string& name) override { FieldPainted = name; }
  void InitImage() override { ++InitImageCalls; }
  void DrawUnits(const clsUnitver2&, const clsUnitver2&) override { ++DrawUnitsCalls; }
  void DrawAttackAnime(const std::string&, bool, const std::string&) override { ++AnimeCalls; }
  void DrawStatus(const BattleStatusView& view) override {
    ++DrawStatusCalls;
    LastStatus = view;
  }
  const Button& ButtonOf(BattleCommand which) const { return Buttons[static_cast<int>(which)]; }
};
