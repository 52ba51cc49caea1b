/** @file clsUnitver2.h One fighting party of a battle: the player's army or a monster of a nest. */
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "army/clsCommonEffect.h"

/// A battle unit. It reports every step of a fight through its events; it never draws or plays sound.
class clsUnitver2 {
 public:
  // Events, raised in the order the steps run. A host that leaves one empty ignores it.
  std::function<void(const std::string& pstrMSG)> Notification;
  std::function<void(const std::string& pstrMaterial, bool pblOwnAttack)> AttackAnime;
  std::function<void(int pDamageCount)> DamageAnime;

  // Set-up.
  void SetMonster(const std::string& pstrID, const std::string& pstrUnitName, const std::string& pstrUnitRace,
                  const std::string& pstrUnitClass, int pintAttack, int pintDefence, int pintSpeed,
                  const std::string& pstrAttackEffect, const std::string& pstrDefenceEffect, int pintSoldiers,
                  int pintEducation, int pintImageTable, int pintImageRow, int pintImageCol);
  void CounterReset();
  void SetUnit(const std::string& pstrID, const std::string& pstrUnitName, const std::string& pstrUnitClass,
               int pintSoldiers, int pintEducation);
  void SetProtector(const std::string& pstrProtectorName, int pintProtector, int pintProtectorWeight);
  void SetAccessory(const std::string& pstrAccessoryName, int pintAccessory, int pintAccessoryWeight,
                    const std::string& pstrEffect);
  void SetItem1(const std::string& pstrItemName, int pintItemWeight, const std::string& pstrEffect);
  void SetItem2(const std::string& pstrItemName, int pintItemWeight, const std::string& pstrEffect);
  void SetDefenceEffect(const std::string& pstrStatus, const std::string& pstrEffect);
  void SetArms(const std::string& pstrArmsName, int pintArms, int pintArmsWeight);
  void SetSubArms(const std::string& pstrSubArmsName, int pintSubArms, int pintSubArmsWeight);
  void SetAttackEffect(const std::string& pstrStatus, const std::string& pstrEffect);
  /// Every pair of an attack or defence string through the one-pair readers.
  void SetAttackEffects(const std::string& pstrEffect);
  void SetDefenceEffects(const std::string& pstrEffect);

  // Combat.
  int32_t Attack(int pOPSoldiers, int pintProtects, const std::string& pOPMaterialTolerance);
  const EffectList& AttackEffect();
  void StatusRecover();
  void DamegeEffect(const EffectList& pcolAttackEffect);
  void Damege(int pOPSoldiers, int32_t pAttack, int pArms);
  int32_t Defence() const;
  bool StatusCheckAbnormal();
  bool StatusCheckBlindness();
  void Init(const std::string& pOPC, const std::string& pOPRace);
  void UseItem1();
  void UseItem2();
  void CalcInjury(double pdblArms, int pOPSoldiers);
  void CountAdd();

  // Read-only properties.
  const std::string& Item1() const { return item1Name_; }
  const std::string& Item2() const { return item2Name_; }
  bool Retreat() const { return retreat_; }
  int Arms() const;
  int Protects() const { return protectPower_ + accessoryPower_; }
  int RangeofAttack() const { return range_; }
  bool GiveUp() const { return giveUp_; }
  bool GetUseItem1() const { return useItem1_; }
  bool GetUseItem2() const { return useItem2_; }
  /// Spare carrying capacity of the army: what it can still carry home.
  int32_t GetWeight() const;
  bool BattleFLG() const { return battleFlg_; }
  void BattleFLG(bool value) { battleFlg_ = value; }
  int Counter() const { return counter_; }
  int CounterMod() const { return counterMod_; }
  int Injury() const { return injury_; }
  int SeriousInjury() const { return seriousInjury_; }
  int Dead() const { return dead_; }
  int ID() const;
  int Tiredness() const { return fatigue_ - 1; }
  int Physical() const { return physical_; }
  const std::string& GetArm() const { return armName_; }
  const std::string& GetItemName1() const { return item1Name_; }
  const std::string& GetItemName2() const { return item2Name_; }
  const std::string& GetProtect() const { return protectName_; }
  const std::string& GetAccessory() const { return accessoryName_; }
  const std::string& GetSubArm() const { return subArmName_; }
  const std::string& StatusPoison() const { return statusPoison_; }
  const std::string& StatusBlindness() const { return statusBlindness_; }
  const std::string& StatusAbnormal() const { return statusAbnormal_; }
  int Soldiers() const { return soldiers_; }
  int SoldierMax() const { return soldierMax_; }
  const std::string& UnitClass() const { return class_; }
  const std::string& UnitName() const { return name_; }
  const std::string& UnitRace() const { return race_; }
  const std::string& UnitID() const { return id_; }
  const std::string& UnitMaterialTolerance() const { return elementTolerance_; }
  int UnitMove() const { return unitMove_; }
  int ImageUnitCols() const;
  int ImageUnitRows(int pCol) const;
  int ImageTable() const { return imageTable_; }
  int ImageNum() const { return imageNum_; }
  int ImageLeft(int pintIndex) const;
  int ImageTop(int pintIndex) const;
  int MaskImageLeft(int pintIndex) const { return ImageLeft(pintIndex); }
  int MaskImageTop(int pintIndex) const;
  int ImageUnitTopMove() const { return imageTopMove_; }
  int ImageUnitLeftMove() const { return imageLeftMove_; }
  int ImageUnitWidth() const { return imageWidth_; }
  int ImageUnitHeight() const { return imageHeight_; }

  // What the rules keep between steps, readable for the status panel and for checks.
  int Speed() const { return speed_; }
  int SpeedBonus() const { return speedBonus_; }
  int Capacity() const { return capacity_; }
  double ClassFactor() const { return classFactor_; }
  double SoldierFactor() const { return soldierFactor_; }
  double RaceFactor() const { return raceFactor_; }
  const std::string& AttackElement() const { return attackElement_; }
  const std::string& SpecialElement() const { return specialElement_; }
  const EffectList& RaceBonusList() const { return raceBonus_; }
  const EffectList& AttackEffectList() const { return attackEffects_; }
  const EffectList& ToleranceList() const { return tolerances_; }
  const EffectList& Item1List() const { return item1Effects_; }
  const EffectList& Item2List() const { return item2Effects_; }
  int ImageRow() const { return imageRow_; }
  int ImageCol() const { return imageCol_; }

  /// The soldier factor against an opponent of o soldiers (also kept as the current factor).
  double CalcSoldierRate(int o);
  /// The element factor of an attack with `element` against a unit resisting `tolerance`.
  static double ElementFactor(const std::string& tolerance, const std::string& element);

 private:
  void Say(const std::string& text);
  void SpriteLayout(bool large);
  void CalcClassAffinity();
  void GetRaceBonus(const std::string& opRace);
  void AddTiredness(bool attack, int x, int opSoldiers);
  void ApplyEffect(const EffectList& list, const std::string& source);
  void ReadItemEffect(EffectList& list, const std::string& effect);
  void UseItem(EffectList& list, const std::string& name, bool& usable);
  int Load() const;
  int FrameIndex(int i) const { return i > imageNum_ ? imageNum_ : i; }

  std::string id_, name_, class_, race_;
  int education_ = 0;
  int soldierMax_ = 0, soldiers_ = 0;
  std::string armName_, subArmName_, protectName_, accessoryName_;
  int armPower_ = 0, armWeight_ = 0, subArmPower_ = 0, subArmWeight_ = 0;
  int protectPower_ = 0, protectWeight_ = 0, accessoryPower_ = 0, accessoryWeight_ = 0;
  std::string item1Name_, item2Name_;
  int item1Weight_ = 0, item2Weight_ = 0;
  EffectList item1Effects_, item2Effects_;
  bool useItem1_ = false, useItem2_ = false;
  EffectList raceBonus_, attackEffects_, tolerances_;
  int physical_ = 0;
  int fatigue_ = 1;  ///< fatigue level: 1 when fresh, at most 101 (it divides attack and defence)
  int injury_ = 0, seriousInjury_ = 0, dead_ = 0;
  int capacity_ = 0, speed_ = 0, speedBonus_ = 0;
  int counter_ = 0, counterMod_ = 0;
  double classFactor_ = 0, soldierFactor_ = 0, raceFactor_ = 0;
  std::string opponentClass_;
  bool battleFlg_ = false, giveUp_ = false;
  std::string attackElement_, specialElement_, elementTolerance_;
  int range_ = 0;
  bool retreat_ = false;
  std::string statusPoison_, statusBlindness_, statusAbnormal_;
  bool ownAttack_ = false;  ///< the current action strikes the unit's own side
  int imageTable_ = 0, imageRow_ = 0, imageCol_ = 0, imageNum_ = 0;
  int imageWidth_ = 0, imageHeight_ = 0, figureCols_ = 0, figureRows_ = 0, soldiersPerFigure_ = 0;
  int imageTopMove_ = 0, imageLeftMove_ = 0, unitMove_ = 0;
};
