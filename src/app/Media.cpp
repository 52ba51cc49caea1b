/** @file Media.cpp Sound, music and pictures: the output volumes, the music objects, and the main window's sound table, music, timers and pictures. */
#include "app/Media.h"

#include <algorithm>
#include <cstdio>

#include "app/SettingKeys.h"
#include "app/basQz.h"
#include "platform/Audio.h"
#include "platform/FileSystem.h"
#include "platform/Mci.h"
#include "platform/MessageBox.h"
#include "runtime/Strings.h"

std::string gSavedWaveVolume;
std::string gSavedMidiVolume;

std::shared_ptr<plat::DxAudio> gDirectX;
std::shared_ptr<plat::DxLoader> gLoaderMap, gLoaderBattle, gLoaderTest;
std::shared_ptr<plat::DxPerformance> gPerfMap, gPerfBattle, gPerfTest;
std::shared_ptr<plat::DxSegment> gSegMap, gSegBattle, gSegTest;
std::shared_ptr<plat::DxSegmentState> gSegStateMap, gSegStateBattle, gSegStateTest;
std::shared_ptr<plat::DxAudioPath> gAudioPathMap, gAudioPathBattle, gAudioPathTest;
std::shared_ptr<plat::DxSound> gDSound;
plat::DxBufferDesc gSEBufferDesc;
std::array<std::shared_ptr<plat::DxSoundBuffer>, 15> gSEBuffer;

namespace {

std::string Title() { return std::string(kAppTitle); }

std::string SoundPath(const std::string& file) { return (plat::ProgramFolder() / "sound" / file).string(); }

int32_t Setting(std::string_view key) { return gIni ? SettingNumber(*gIni, key) : 0; }
std::string SettingText(std::string_view key) { return gIni ? gIni->Data(key) : ""; }

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", value);
  return text;
}

// One MCI-path output: nothing while its option is "0"; a step 1 to 10 gives x = step * 6553 + 5
// on both channels (10 is full volume); 0 puts back what start-up found.
void SetOutputVolume(std::string_view option, int16_t Volume, const std::string& saved,
                     uint32_t (*set)(int, uint32_t), int device) {
  if (!gIni || Setting(option) == 0) return;
  if (Volume != 0) {
    const uint32_t x = static_cast<uint32_t>(std::clamp<int>(Volume, 1, 10)) * 6553 + 5;
    set(device, (x << 16) | x);
  } else if (!saved.empty()) {
    set(device, static_cast<uint32_t>(std::stoul(saved, nullptr, 16)));
  }
}

constexpr std::array<const char*, 3> kTunes = {"battle.mid", "map2.mid", "test.mid"};  // MIDI1 to MIDI3

}  // namespace

std::string MCISend(const std::string& Command, uint32_t* Result) {
  std::string reply;
  const uint32_t code = plat::MciSendString(Command, reply);
  if (Result) *Result = code;
  if (code != plat::kMciOk) {
    plat::MsgBox(plat::MciGetErrorString(code), plat::vbOKOnly, Title());
    return "";
  }
  return rt::LCase(rt::Left(Command, 6)) == "status" ? reply : "";
}

void SaveVolume() {
  uint32_t volume = 0;
  plat::WaveOutGetVolume(0, volume);
  gSavedWaveVolume = Hex(volume);
  plat::MidiOutGetVolume(1, volume);
  gSavedMidiVolume = Hex(volume);
}

void SetSEVolume(int16_t Volume) { SetOutputVolume("OptionSE", Volume, gSavedWaveVolume, plat::WaveOutSetVolume, 0); }

void SetBGMVolume(int16_t Volume) {
  SetOutputVolume("OptionBGM", Volume, gSavedMidiVolume, plat::MidiOutSetVolume, 1);
}

void SetBGMVolumeDX8(int16_t Volume) {
  for (const auto& path : {gAudioPathMap, gAudioPathBattle, gAudioPathTest})
    if (path) path->SetVolume(Volume, 0);
}

void SetSEVolumeDX8(int16_t Volume) {
  for (const auto& buffer : gSEBuffer)
    if (buffer) buffer->SetVolume(Volume);
}

Media::Media(MediaHost& host) : host_(host) {
  Timer1.SetInterval(50);
  Timer1.Tick = [this] { Timer1_Timer(); };
  Timer1.SetEnabled(true);
  Timer2.SetInterval(100);
  Timer2.Tick = [this] { Timer2_Timer(); };
  Timer3.SetInterval(100);
  Timer3.Tick = [this] { Timer3_Timer(); };
}

Media::~Media() = default;

void Media::FillSEPath() {
  for (size_t i = 0; i < kSoundFiles.size(); ++i) mSEPath[i] = SoundPath(kSoundFiles[i]);
}

std::string Media::ReportSoundFiles() {
  std::string lines;
  for (size_t i = 0; i < kSoundFiles.size(); ++i) {
    const std::string path = mSEPath[i].empty() ? SoundPath(kSoundFiles[i]) : mSEPath[i];
    // Read whole, as the sound device will read it: a good header over a broken body is broken.
    std::string reason;
    if (plat::WaveFileDecodes(path, reason)) continue;
    std::fprintf(stderr, "%s: %s\n", path.c_str(), reason.c_str());  // the reader's own words
    std::error_code ec;
    lines += (std::filesystem::exists(path, ec) ? "効果音ファイルを読み込めません: " : "効果音ファイルが見つかりません: ") + path + "\n";
  }
  if (lines.empty()) return "";
  const std::string text = lines + "これらの効果音は鳴らさずに続けます。";
  plat::MsgBox(text, plat::vbOKOnly, Title());
  return text;
}

bool Media::LoadImage(size_t index, std::string& error) {
  return plat::LoadPicture((plat::ProgramFolder() / "image" / kImageFiles.at(index)).string(), picImage.at(index),
                           error);
}

void Media::OpenMIDI() {
  const char* types[3] = {"MPEGVideo", "MPEGVIdeo", "MPEGVIdeo"};
  for (int i = 0; i < 3; ++i)
    MCISend("Open \"" + SoundPath(kTunes[i]) + "\" alias MIDI" + std::to_string(i + 1) + " type " + types[i]);
  for (int i = 1; i <= 3; ++i) MCISend("Set MIDI" + std::to_string(i) + " time format milliseconds");
}

void Media::InitDX8Sound() {
  // A failing tune or device is told once, together.
  std::string reports;
  auto note = [&reports](const std::string& report) {
    if (!report.empty() && reports.find(report) == std::string::npos) reports += report + "\n";
  };
  gDirectX = std::make_shared<plat::DxAudio>();
  struct Tune {
    const char* file;
    std::shared_ptr<plat::DxLoader>& loader;
    std::shared_ptr<plat::DxPerformance>& perf;
    std::shared_ptr<plat::DxSegment>& seg;
    std::shared_ptr<plat::DxAudioPath>& path;
    long repeats;
  };
  const Tune tunes[] = {
      {"map2.mid", gLoaderMap, gPerfMap, gSegMap, gAudioPathMap, plat::kDxRepeatInfinite},
      {"battle.mid", gLoaderBattle, gPerfBattle, gSegBattle, gAudioPathBattle, plat::kDxRepeatInfinite},
      {"test.mid", gLoaderTest, gPerfTest, gSegTest, gAudioPathTest, 0},
  };
  for (const Tune& t : tunes) {
    std::string report;
    t.loader = gDirectX->CreateLoader();
    t.perf = gDirectX->CreatePerformance();
    t.perf->InitAudio(plat::kDxAudioFeaturesAll, plat::kDxAudioPathDynamic3D, 16, &report);
    note(report);
    t.perf->SetMasterAutoDownload(true);
    report.clear();
    t.seg = t.loader->LoadSegment(SoundPath(t.file), &report);
    note(report);
    t.seg->SetStartPoint(0);
    t.seg->SetRepeats(t.repeats);
    t.path = t.perf->CreateStandardAudioPath(plat::kDxAudioPathDynamic3D, 64, true);
  }
  std::string report;
  gDSound = gDirectX->CreateSound(&report);
  note(report);
  gDSound->SetCooperativeLevel(plat::kDxCoopPriority);
  gSEBufferDesc.lFlags = plat::kDxBufferCtrlVolume;
  // The effects' files were told by ReportSoundFiles: a buffer whose file fails stays silent.
  for (size_t i = 0; i < gSEBuffer.size(); ++i) gSEBuffer[i] = gDSound->CreateSoundBufferFromFile(mSEPath[i], gSEBufferDesc);
  SetSEVolumeDX8(static_cast<int16_t>(Setting("SEDX8") * 100));
  if (reports.empty()) return;
  reports.pop_back();  // the last line's end
  // The device's own text says that the game goes on without sound; a tune's does not.
  if (reports != plat::kNoSoundDeviceText) reports += "\n鳴らせない音楽は鳴らさずに続けます。";
  plat::MsgBox(reports, plat::vbOKOnly, Title());
}

void Media::EndDX8Sound() {
  for (auto& buffer : gSEBuffer) buffer.reset();
  gDSound.reset();
  if (gPerfBattle) gPerfBattle->CloseDown();
  if (gPerfMap) gPerfMap->CloseDown();
  gAudioPathBattle.reset();
  gSegBattle.reset();
  gSegStateBattle.reset();
  gPerfBattle.reset();
  gLoaderBattle.reset();
  if (mMapSegPlayed) gSegStateMap.reset();
  gAudioPathMap.reset();
  gSegMap.reset();
  gPerfMap.reset();
  gLoaderMap.reset();
  gAudioPathTest.reset();
  gSegTest.reset();
  gSegStateTest.reset();
  gPerfTest.reset();
  gLoaderTest.reset();
  gDirectX.reset();
}

void Media::PlaySound(int32_t SE) {
  if (SE < 0 || SE >= static_cast<int32_t>(mSEPath.size())) return;
  if (!gDX8) {
    plat::SndPlaySound(mSEPath[SE], plat::kSndAsync);
    return;
  }
  if (const auto& buffer = gSEBuffer[SE]) {
    // A sound still playing in its buffer starts again from the beginning.
    buffer->Stop();
    buffer->SetCurrentPosition(0);
    buffer->Play(0);
  }
}

void Media::SettingIni() {
  const bool se = SettingText("OptionSE") != "0";
  const bool bgm = SettingText("OptionBGM") != "0";
  for (const char* control : kSoundControls) host_.SetEffect(control, se);
  host_.SetBattleOptions({se, SettingText("BattleAnime") != "0", bgm, static_cast<float>(Setting("BattleSpeed")) / 10.0f});

  if (!bgm && mBGMStarted) {
    mBGMStarted = false;
    if (!gDX8) {
      Timer3.SetEnabled(false);
      MCISend("stop MIDI2");
    } else if (gPerfMap) {
      gPerfMap->StopEx(gSegMap, 0, 0);
    }
  } else if (bgm && !mBGMStarted) {
    if (gDX8) {
      mMapSegPlayed = true;
      if (gPerfMap) gSegStateMap = gPerfMap->PlaySegmentEx(gSegMap, 0, 0, gAudioPathMap);
      SetBGMVolumeDX8(static_cast<int16_t>(Setting("BGMDX8") * 100));
      mBGMStarted = true;
    } else {
      mBGMMode = "map";
      Timer3.SetEnabled(true);  // the tune starts on the next tick
    }
  } else if (!bgm && !gDX8) {
    Timer3.SetEnabled(false);  // switched on and off again before its first tick
  }
}

void Media::StopMusic() {
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  Timer3.SetEnabled(false);
  if (!mBGMStarted) return;
  if (gDX8) {
    if (gPerfMap && gPerfMap->IsPlaying(gSegMap, gSegStateMap)) gPerfMap->StopEx(gSegStateMap, 0, 0);
  } else if (mBGMMode == "map") {
    for (const char* command : {"Stop MIDI2", "Close MIDI1", "Close MIDI2", "Close MIDI3"}) MCISend(command);
  }
}

void Media::Timer1_Timer() {
  const bool active = host_.MainWindowActive();
  for (const char* control : kActiveControls) host_.SetActive(control, active);
}

void Media::Timer3_Timer() {
  if (!mBGMStarted) {
    mBGMStarted = true;
    StartTune("MIDI2");  // the map tune, whatever the mode says
  } else if (mBGMMode == "battle") {
    RestartTune("MIDI1");
  } else if (mBGMMode == "map") {
    RestartTune("MIDI2");
  }
}

void Media::RestartTune(const std::string& alias) {
  if (brokenTunes_.count(alias)) return;
  uint32_t code = 0;
  const std::string mode = MCISend("Status " + alias + " mode", &code);
  if (code != 0) brokenTunes_.insert(alias);
  else if (rt::LCase(rt::Left(mode, 7)) == "stopped") StartTune(alias);
}

void Media::StartTune(const std::string& alias) {
  if (brokenTunes_.count(alias)) return;
  uint32_t code = 0;
  MCISend("Play " + alias + " from 0 notify", &code);
  if (code == 0 && rt::LCase(MCISend("Status " + alias + " mode", &code)) == "stopped") {
    // The device took the command but the tune does not sound: tell it once.
    const char* file = kTunes[alias == "MIDI1" ? 0 : alias == "MIDI2" ? 1 : 2];
    plat::MsgBox("音楽を再生できません: " + SoundPath(file), plat::vbOKOnly, Title());
    code = plat::kMciErrInvalidFile;
  }
  if (code != 0) brokenTunes_.insert(alias);  // left alone from now on
}
