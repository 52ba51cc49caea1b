/** @file GameScreen.h What the week, the panels and the economy need of the screen, the settings and the army: small interfaces, so a week runs headless. */
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

class TurnLog;
struct WeekContext;

/// Button sets of the main screen's message box.
inline constexpr int32_t kMsgNoButton = 0;  ///< show and return 0 at once (progress texts)
inline constexpr int32_t kMsgClose = 1;     ///< one button "閉じる"
inline constexpr int32_t kMsgYesNo = 6;     ///< "はい" and "いいえ"
/// Answers of the message box.
inline constexpr int32_t kAnsNone = 0;
inline constexpr int32_t kAnsClose = 1;
inline constexpr int32_t kAnsYes = 2;
inline constexpr int32_t kAnsNo = 4;

/// An owner-drawn table: cells addressed (row, column), both 1-based; nothing shows until RePaint.
class IView {
 public:
  virtual ~IView() = default;
  virtual std::string HeaderText(int16_t pRow, int16_t pCol) const = 0;
  virtual void HeaderText(int16_t pRow, int16_t pCol, const std::string& text) = 0;
  virtual void RePaint() = 0;
};

/// A status label with a caption, a second text and a gauge.
class ILabel {
 public:
  virtual ~ILabel() = default;
  virtual std::string MainText() const = 0;
  virtual void MainText(const std::string& text) = 0;
  virtual void SubText(const std::string& text) = 0;  ///< the panels set "100"; repaints
  virtual void SetValue(int16_t pValue) = 0;
};

/// The views and labels the status panels write.
enum class ViewId { Kingdom, People, Producer, Merchant, Engineer, Constructor, Soldier };
enum class LabelId { AreaResearch, ItemResearch, Construct };

/// The main screen as the game logic sees it.
class IGameScreen {
 public:
  virtual ~IGameScreen() = default;
  /// The main screen's message box. Msg lines are split at CR LF. Buttons kMsgNoButton returns
  /// at once; kMsgClose and kMsgYesNo wait for the player (yielding to the event loop).
  /// With Hide the panel is sent back afterwards. Use WeekContext::ShowMSGBox, which keeps the
  /// close refused during the wait.
  virtual int32_t ShowMSGBox(const std::string& Msg, int32_t Buttons, bool Hide) = 0;
  /// The standard message box with an OK button only (data errors); "" leaves the window's own title.
  virtual void MsgBox(const std::string& text, const std::string& title) = 0;
  virtual IView& View(ViewId id) = 0;
  virtual ILabel& Label(LabelId id) = 0;
  /// Game over: hide the message box's buttons, disable the message panel and the backdrop,
  /// bring the backdrop to the front, and yield to the event loop once.
  virtual void GameOverLock() = 0;
  /// Send the message panel behind the screen (the end of a normal week).
  virtual void SendMessagePanelBack() = 0;
};

/// The settings store as the game logic uses it (section "Setting"); values are texts.
class ISettings {
 public:
  virtual ~ISettings() = default;
  /// "" when the key is missing.
  virtual std::string Get(const std::string& key) = 0;
  virtual void Set(const std::string& key, const std::string& value) = 0;
};

/// An item as the battle side sees it (filled by RetclsItem): a new one holds 0, 0 and "".
struct clsItemValues {
  std::string Name;
  int16_t Power = 0;
  int16_t Weight = 0;
  std::string Effect;
};

/// One row of `unit` ready to become a battle unit. The army's adapter turns it into its
/// battle unit: SetUnit (+ equipment setters) for an ally, SetMonster from monsterRow otherwise.
struct BattleUnitSetup {
  std::vector<std::string> unitRow;     ///< the `unit` row, by position
  bool ally = false;                    ///< Distinction is "Ally"
  // Ally only: SetUnit(ID, UnitName, UnitClass, Soldiers, Education) and the equipment.
  std::string id, unitName, unitClass;
  int16_t soldiers = 0, education = 0;
  clsItemValues arms, subArms, protector, accessory, item1, item2;
  bool hasSubArms = false;              ///< archers ("アーチャー") and riders ("ライダー")
  // Monsters only: the `monster` row named by the unit's column 1 (empty when there is none).
  std::vector<std::string> monsterRow;
};

/// What the week needs of the army and battle subsystem.
class IArmy {
 public:
  virtual ~IArmy() = default;
  /// The week's army step: march, fight, bring home, through ctx (database, mData, message box,
  /// SoldierAdd and the storage routines). May append the game-over entry to Log.
  virtual void TurnEnd_Conquest(WeekContext& ctx, TurnLog& Log) = 0;
  /// Hand a rebuilt battle unit to the battle engine under pName.
  virtual void UnitAdd(const BattleUnitSetup& pUnit, const std::string& pName) = 0;
};

}  // namespace sim
