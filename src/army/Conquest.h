/** @file Conquest.h The army in the week: marching on the nests, the battles there, and bringing home soldiers, equipment, treasure and the wounded. */
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "sim/GameScreen.h"
#include "sim/GameState.h"
#include "sim/TurnLog.h"

class clsBattle;
class clsUnitver2;

namespace army {

/// What the conquest needs of the main window besides the message box: the music switch, the
/// sound player and the battle picture.
class IConquestHost {
 public:
  virtual ~IConquestHost() = default;
  /// Battle music before the first battle (true), map music after the last (false); the host
  /// switches only when music is playing.
  virtual void BattleMusic(bool battle) = 0;
  virtual void PlaySound(int32_t SoundType) = 0;
  virtual void HideBattleDisp() = 0;
};

/// The battle unit of a stored `unit` row: an army with its equipment, or a monster; null when
/// the row cannot make one. The load and the conquest both build units with it.
std::shared_ptr<clsUnitver2> BuildArmyUnit(const sim::BattleUnitSetup& setup);

/// Healing and loss by the level of the kingdom's hospital: kind 0 light, 1 serious wound;
/// result 0 healed, 1 retired, 2 died, from one percentage draw.
int16_t RetWoundedResult(int16_t level, int16_t kind);
/// The trust lost per retired (kind 0) or dead (kind 1) soldier by the church's level: A for
/// the soldiers, B for the other occupations, both count times the table's factor.
void RetWoundedEffect(int16_t level, int16_t kind, int32_t count, double& A, double& B);

/// The army and battle subsystem as the week sees it.
class Army : public sim::IArmy {
 public:
  /// Takes the battle's Notification and Sound events. The host may be null (no music, no sound).
  Army(clsBattle& battle, IConquestHost* host);
  ~Army() override;
  Army(const Army&) = delete;
  Army& operator=(const Army&) = delete;

  void TurnEnd_Conquest(sim::WeekContext& ctx, sim::TurnLog& Log) override;
  void UnitAdd(const sim::BattleUnitSetup& pUnit, const std::string& pName) override;

  /// Fights every monster of the army's nest in turn; true only when all were beaten. The ID
  /// is a number: it goes into statements.
  bool TurnEnd_ConquestBattle(sim::WeekContext& ctx, int32_t ID);
  /// Heals, retires or buries the wounded of one returning army, with the trust they cost.
  void TurnEnd_WoundedReturn(sim::WeekContext& ctx, sim::TurnLog& Log, int32_t light, int32_t serious,
                             int32_t dead, const std::string& NestName);

  /// The battle's events.
  void pBattle_Notification(const std::string& pstrMSG);
  void pBattle_Sound(int32_t SoundType);

  /// The last battle's result: "Retreat", "Lose", "Win", "ReBattle", or "".
  const std::string& BattleResult() const { return mBattleResult; }

 private:
  /// The army of a row ready in the engine: rebuilt from its row when missing; false when it
  /// cannot be (its row is then removed, with a message).
  bool EnsureArmy(sim::WeekContext& ctx, int32_t ID);
  /// Brings the army home, then removes it from the engine and its row, even when the return fails.
  void Disband(sim::WeekContext& ctx, sim::TurnLog& Log, int32_t ID, const std::string& RootName, bool AllWon);
  /// Equipment, soldiers, after a full victory the treasure and the conquest count, the wounded.
  void ComeHome(sim::WeekContext& ctx, sim::TurnLog& Log, const std::string& key, const std::string& RootName,
                bool AllWon);
  void Treasure(sim::WeekContext& ctx, const clsUnitver2& u, const std::string& RootName);

  clsBattle& battle_;
  IConquestHost* host_;
  sim::WeekContext* ctx_ = nullptr;  ///< the week's context while the conquest runs
  std::string mBattleResult;
};

}  // namespace army
