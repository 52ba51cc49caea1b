/** @file frmSetting.h The settings dialog: music and effects with their volumes, battle speed and animation, the report switches. */
#pragma once
#include <array>
#include <memory>

#include "platform/StdControls.h"
#include "platform/Window.h"

class Media;

/// The dialog "設定". It reads the settings when it is made; OK writes them into gIni and has
/// the main window apply them (SettingIni); Cancel and the close button write nothing and put
/// the volumes back. Its variant follows the audio path gDX8: volume bars 1 to 10 (MCI), or
/// -30 to 0 decibels with two test buttons (DirectX 8), whose volumes follow the
/// bars at once.
class frmSetting {
 public:
  explicit frmSetting(Media& media);  ///< Form_Load: made hidden, filled from the settings
  ~frmSetting();
  frmSetting(const frmSetting&) = delete;
  frmSetting& operator=(const frmSetting&) = delete;

  /// Shows the dialog modal until OK, Cancel or the close button.
  void ShowModal();
  plat::Window& Form() { return form_; }

  void chkBGM_Click();
  void chkSE_Click();
  void cmdBGMPlay_Click();
  void cmdSEPlay_Click();
  /// 0 OK, 1 Cancel; the dialog closes.
  void cmdExe_Click(int Index);

  // The controls, as the tests and the screen tools reach them. `form_` comes first: the
  // others are made on it.
 private:
  plat::Window form_;

 public:
  plat::Frame Frame1;
  plat::CheckBox chkBGM, chkSE;
  plat::Label lblBGM, lblSE;
  plat::HScrollBar hsrBGM, hsrSE;
  plat::Label lblBGMDX8, lblSEDX8;
  plat::HScrollBar hscrBGMDX8, hscrSEDX8;
  plat::PictureButton cmdBGMPlay, cmdSEPlay;
  plat::Frame Frame2;
  plat::Label Label1, lblBS, Label2;
  plat::HScrollBar hsrBattleSpeed;
  plat::Label Label3, Label4;
  std::array<std::unique_ptr<plat::OptionButton>, 2> optAnime;
  plat::Frame Frame3;
  std::array<std::unique_ptr<plat::CheckBox>, 18> chcReport;
  std::array<std::unique_ptr<plat::CommandButton>, 2> cmdExe;

 private:
  void Form_Load();
  void Form_Unload();
  /// Cancel's volume steps: the volumes in force before the dialog, from the settings.
  void RestoreVolumes();
  void StopTestTune();

  Media& media_;
  bool answered_ = false;  ///< OK or Cancel was chosen
};

/// Opens the dialog modal over the main window (its menu word "設定").
void ShowSettingDialog(Media& media);
