/** @file MainConquest.cpp What the week's conquest asks of the main window: battle music and back, and taking the battle picture away. */
#include "app/SettingKeys.h"
#include "app/basQz.h"
#include "mainscreen/frmMain2.h"

namespace {

// A DirectX 8 tune from its start, at the music volume of the settings.
void PlayDx8(const std::shared_ptr<plat::DxPerformance>& perf, const std::shared_ptr<plat::DxSegment>& seg,
             std::shared_ptr<plat::DxSegmentState>& state, const std::shared_ptr<plat::DxAudioPath>& path) {
  if (!perf || !seg) return;
  if (path) path->SetVolume(SettingNumber(*gIni, "BGMDX8") * 100L);
  state = perf->PlaySegmentEx(seg, 0, 0, path);
}

void StopDx8(const std::shared_ptr<plat::DxPerformance>& perf, const std::shared_ptr<plat::DxSegment>& seg) {
  if (perf && seg) perf->StopEx(seg);
}

}  // namespace

void frmMain2::BattleMusic(bool battle) {
  if (!media.mBGMStarted) return;
  if (battle) {
    media.mBGMMode = "battle";
    if (gDX8) {
      StopDx8(gPerfMap, gSegMap);
      PlayDx8(gPerfBattle, gSegBattle, gSegStateBattle, gAudioPathBattle);
    } else {
      MCISend("stop MIDI2");
      MCISend("play MIDI1 from 0 notify");
    }
    return;
  }
  if (gDX8) {
    StopDx8(gPerfBattle, gSegBattle);
    PlayDx8(gPerfMap, gSegMap, gSegStateMap, gAudioPathMap);
  } else {
    MCISend("stop MIDI1");
    MCISend("play MIDI2 from 0 notify");
    media.mBGMMode = "map";
  }
}

void frmMain2::HideBattleDisp() {
  BattleDisp.SetVisible(false);
  ReleaseBattlePictures();
}

/// The battle engine's display: the window's battle screen, with its pictures made first.
class frmMain2::LazyBattleDisplay : public BattleDisplay {
 public:
  explicit LazyBattleDisplay(frmMain2& w) : w_(w) {}
  void ShowMessage(const std::string& text) override { Screen().ShowMessage(text); }
  void SetCommandButton(BattleCommand which, const std::string& text, bool enabled) override {
    Screen().SetCommandButton(which, text, enabled);
  }
  void SelectCommandButton(BattleCommand which, bool selected) override { Screen().SelectCommandButton(which, selected); }
  void ShowBattlefield() override { Screen().ShowBattlefield(); }
  void PaintBattleField(const std::string& name) override { Screen().PaintBattleField(name); }
  void InitImage() override { Screen().InitImage(); }
  void DrawUnits(const clsUnitver2& party1, const clsUnitver2& party2) override { Screen().DrawUnits(party1, party2); }
  void DrawAttackAnime(const std::string& party, bool ownAttack, const std::string& material) override {
    Screen().DrawAttackAnime(party, ownAttack, material);
  }
  void DrawStatus(const BattleStatusView& view) override { Screen().DrawStatus(view); }

 private:
  BattleScreen& Screen() {
    w_.LoadBattlePictures();
    return *w_.battleScreen_;
  }
  frmMain2& w_;
};

std::unique_ptr<BattleDisplay> frmMain2::MakeBattleDisplay() { return std::make_unique<LazyBattleDisplay>(*this); }

bool frmMain2::IsBattlePicture(size_t index) { return (index >= 1 && index <= 10) || index >= 13; }

void frmMain2::LoadBattlePictures() {
  if (battlePicturesLoaded_) return;
  battlePicturesLoaded_ = true;
  std::string error;
  for (size_t i = 0; i < picImage.size(); ++i)
    if (IsBattlePicture(i) && !media.LoadImage(i, error)) MsgBox(error);  // read at load; gone since
  BattleWS = plat::Surface(800, 600);
  BattleTMP = plat::Surface(800, 600);
  BattleDisp.Resize(800, 600);
}

void frmMain2::ReleaseBattlePictures() {
  if (!battlePicturesLoaded_) return;
  battlePicturesLoaded_ = false;
  for (size_t i = 0; i < picImage.size(); ++i)
    if (IsBattlePicture(i)) picImage[i] = plat::Surface();
  BattleWS = BattleTMP = picBattleTMP = plat::Surface();
  BattleDisp.Resize(0, 0);
}
