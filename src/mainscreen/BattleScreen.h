/** @file BattleScreen.h The battle on the main window: field, parties in formation, attack animation, status panel. */
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "army/BattleDisplay.h"
#include "platform/Control.h"
#include "platform/Surface.h"

class clsBattle;
class clsUnitver2;
class ctrGraphicalLabel;
class ctrGraphicalLabelEX;
class ctrGraphicalLabelLite;

/// Which side of the field a party stands on: the army left, the monster right.
constexpr int kLeftSide = -1, kRightSide = 1;

/// Where each figure of a unit stands, column by column (first column nearest the enemy).
/// A unit without soldiers has no figures.
using Formation = std::vector<std::vector<plat::Point>>;
Formation StandingFormation(const clsUnitver2& unit, int side);
/// The figures at step k of an advance of m steps: 20 pixels per step towards the enemy, the
/// figures of a column spreading around its middle as they go.
Formation AdvanceFormation(const clsUnitver2& unit, int side, int k, int m);
/// The frame a unit stands in on its side.
int StandingFrame(const clsUnitver2& unit, int side);

/// What one of the eight gauges of the status panel is given. Max and Colour 0: the gauge keeps its own.
struct GaugeReading {
  int First = 0, Second = 0, Third = 0, Fourth = 0;
  int Max = 0;
  int Colour = 0;  ///< colour number of the first segment
  bool operator==(const GaugeReading&) const = default;
};
/// The eight gauges in the order the panel sets them: party 1's physical strength, fatigue,
/// soldiers and counter, then party 2's. Values are kept inside the gauge's range.
std::array<GaugeReading, 8> StatusGauges(const BattleStatusView& view);

/// The battle's controls on the main window; the window keeps them. Any may be missing.
struct BattleControls {
  ctrGraphicalLabel* Message = nullptr;              ///< cGL
  std::array<ctrGraphicalLabelLite*, 3> Buttons{};   ///< GLItem1, GLItem2, GLRetreat
  std::array<ctrGraphicalLabelEX*, 8> Gauges{};      ///< cGLEx1 to cGLEx8
};

/// The pictures of the main window the battle draws with; the window keeps them.
struct BattlePictures {
  plat::Surface* WS = nullptr;        ///< work surface: the field's background
  plat::Control* Display = nullptr;   ///< what the player sees
  plat::Surface* TMP = nullptr;       ///< snapshot between the impact frames
  plat::Surface* BattleTMP = nullptr; ///< the field under the battle's controls (picBattleTMP)
  const plat::Surface* Unit = nullptr;
  std::array<const plat::Surface*, 4> Monster{};  ///< by the monster's sheet number 1 to 4
  const plat::Surface* Effect = nullptr;
  const plat::Surface* Status = nullptr;
  std::array<const plat::Surface*, 6> Nest{};     ///< 森, 洞窟1, 屋敷, 池, 塔, 洞窟2
  const plat::Surface* MonField = nullptr;        ///< every other field
};

/// One drawing step, as a test or a check reads it back.
struct BattleBlit {
  enum Kind { Copy, Mask, Image, Stretch, Text, Refresh };
  Kind kind = Copy;
  int x = 0, y = 0, w = 0, h = 0;        ///< on the target
  const plat::Surface* src = nullptr;
  int sx = 0, sy = 0;
  int64_t ms = 0;                        ///< the clock when drawn
  std::string text{};
  plat::Colour colour = 0;
};

/// The battle's display. The driver calls it; it draws on the window's pictures, waits and
/// raises sounds through the driver, and shows the message, the command buttons and the gauges
/// on the window's controls.
class BattleScreen : public BattleDisplay {
 public:
  /// The buttons' clicks and hovers, and the mouse over the field, go to the driver from now on.
  BattleScreen(clsBattle& battle, const BattlePictures& pictures, const BattleControls& controls = {});

  /// Paints the field of that name into `target`, stretched to 800 x 600.
  void PaintField(const std::string& name, plat::Surface& target) const;
  /// The driver's current field into the window's battle backdrop, 800 x 600, from which the
  /// gauges, the message and the command buttons then take their backgrounds. Done with every
  /// new field (PaintBattleField), before the battle's first picture.
  void DrawBattleField(plat::Surface& picBattleTMP) const;

  /// While set, every drawing step is appended to it.
  std::vector<BattleBlit>* Trace = nullptr;

  void ShowMessage(const std::string& text) override;
  void SetCommandButton(BattleCommand which, const std::string& text, bool enabled) override;
  void SelectCommandButton(BattleCommand which, bool selected) override;
  void ShowBattlefield() override;
  void PaintBattleField(const std::string& name) override;
  void InitImage() override;
  void DrawUnits(const clsUnitver2& party1, const clsUnitver2& party2) override;
  void DrawAttackAnime(const std::string& party, bool ownAttack, const std::string& material) override;
  void DrawStatus(const BattleStatusView& view) override;

 private:
  plat::Surface& Dest();
  const plat::Surface* SheetOf(const clsUnitver2& unit, int side) const;
  void Record(BattleBlit b);
  void Clear();
  void Snapshot();
  void Restore();
  void Refresh();
  /// A sprite in two passes: the mask ORed in, then the image ANDed over it.
  void Masked(int x, int y, int w, int h, const plat::Surface* src, int mx, int my, int ix, int iy);
  void Figures(const clsUnitver2& unit, int side, const Formation& f, int frame);
  void Standing(const clsUnitver2& unit, int side, int frame);

  clsBattle& battle_;
  BattlePictures pics_;
  BattleControls controls_;
};
