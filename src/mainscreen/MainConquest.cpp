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

void frmMain2::HideBattleDisp() { BattleDisp.SetVisible(false); }
