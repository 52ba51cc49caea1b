/** @file MediaTest.cpp Output volumes, the sound options, effects, the music restart and the sound files. */
#include <cstdio>

#include "MediaFixture.h"

using namespace std::string_literals;

namespace {

using MediaTest = MediaFixture;

}  // namespace

TEST_F(MediaTest, VolumesOnBothPaths) {
  plat::ScriptedMessageBox boxes;
  plat::Audio().SetWaveVolume(0xC000);
  plat::Audio().SetMidiVolume(0x12345678);
  SaveVolume();
  EXPECT_EQ(gSavedWaveVolume + " " + gSavedMidiVolume, "C000 12345678");
  std::string seen;
  for (int16_t step : {1, 5, 10, 0}) {
    SetSEVolume(step);
    seen += Hex(plat::Audio().WaveVolume()) + " ";
  }
  SetBGMVolume(3);
  seen += Hex(plat::Audio().MidiVolume()) + " ";
  gIni->Data("OptionBGM", "0");  // an option that is off keeps its device as it is
  SetBGMVolume(9);
  SetBGMVolume(0);
  seen += Hex(plat::Audio().MidiVolume());
  EXPECT_EQ(seen, "199E199E 80028002 FFFFFFFF C000 4CD04CD0 4CD04CD0");

  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MediaTest, SettingIniSwitchesControlsBattleAndMusicOnBothPaths) {
  plat::ScriptedMessageBox boxes;
  MakeMedia(false);
  TakeLog();
  gIni->Data("OptionSE", "0");
  gIni->Data("BattleAnime", "0");
  gIni->Data("BattleSpeed", "20");
  media->SettingIni();
  EXPECT_EQ(std::count_if(host.effect.begin(), host.effect.end(), [](auto& e) { return e.second; }), 0);
  EXPECT_FALSE(host.effect.count("GLMenu") || host.effect.count("GLTurnEnd"));
  EXPECT_EQ(host.battle, (BattleOptions{false, false, true, 2.0f}));
  media->Timer3_Timer();  // the tune starts on the timer's tick: the music restart test
  TakeLog();

  // Any text but "0" is on; music off stops the tune and the timer, once.
  gIni->Data("OptionSE", "");
  gIni->Data("BattleSpeed", "5");
  gIni->Data("OptionBGM", "0");
  media->SettingIni();
  media->SettingIni();
  EXPECT_TRUE(host.effect["GGMain"] && host.effect["PSMain"]);
  EXPECT_EQ(host.battle, (BattleOptions{true, false, false, 0.5f}));
  EXPECT_EQ(TakeLog(), "HaltMusic\n");
  EXPECT_FALSE(media->Timer3.Enabled() || media->mBGMStarted);

  host.windowActive = false;
  media->Timer1_Timer();
  EXPECT_FALSE(host.active.empty() || host.active["GVProducer"] || host.active["PSMain"]);

  // DirectX 8: the map tune starts at once, endless, at "BGMDX8".
  media.reset();
  MakeMedia(true);
  TakeLog();
  gIni->Data("OptionBGM", "1");
  gIni->Data("BGMDX8", "-20");
  media->SettingIni();
  EXPECT_EQ(TakeLog(), "PlayMusic map2.mid -1\n");
  EXPECT_TRUE(media->mBGMStarted && media->mMapSegPlayed && !media->Timer3.Enabled());
  EXPECT_EQ(std::to_string(gAudioPathMap->GetVolume()) + " " + std::to_string(gAudioPathBattle->GetVolume()) + " " +
                std::to_string(gAudioPathTest->GetVolume()),
            "-2000 -2000 -2000");
  gIni->Data("OptionBGM", "0");
  media->SettingIni();
  EXPECT_EQ(TakeLog(), "HaltMusic\n");
  EXPECT_FALSE(media->mBGMStarted);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MediaTest, PlaySoundChannelsAndCodes) {
  MakeMedia(false);
  for (int code : {7, 0, -1, 15}) media->PlaySound(code);
  EXPECT_EQ(TakeLog(), "PlaySound 15 fire02.wav\nPlaySound 15 clap01.wav\n");

  media.reset();
  MakeMedia(true);
  TakeLog();
  for (int code : {7, 7, 14, 15}) media->PlaySound(code);
  // The second 7 starts its buffer again from the beginning.
  EXPECT_EQ(TakeLog(), "PlaySound 7 fire02.wav\nHaltChannel 7\nPlaySound 7 fire02.wav\nPlaySound 14 step12.wav\n");
}

TEST_F(MediaTest, MusicRestartsWhenStoppedAndAFailingTuneIsToldOnce) {
  plat::ScriptedMessageBox boxes;
  MakeMedia(false);
  media->SettingIni();
  media->Timer3_Timer();
  media->Timer3_Timer();  // still playing: nothing
  fake->FinishMusic();
  media->Timer3_Timer();
  // The battle switches the tune and the mode; the timer then keeps the battle tune going.
  MCISend("stop MIDI2");
  MCISend("play MIDI1 from 0 notify");
  media->mBGMMode = "battle";
  fake->FinishMusic();
  media->Timer3_Timer();
  EXPECT_EQ(TakeLog(), "PlayMusic map2.mid 1\nPlayMusic map2.mid 1\nHaltMusic\nPlayMusic battle.mid 1\nPlayMusic battle.mid 1\n");

  // A missing tune: one message at the open, then silence on every tick.
  media.reset();
  NewAudio();
  std::filesystem::remove(Folder() / "sound" / "map2.mid");
  MakeMedia(false);
  media->SettingIni();
  for (int i = 0; i < 20; ++i) media->Timer3_Timer();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_NE(boxes.shown[0].prompt.find("map2.mid"), std::string::npos) << boxes.shown[0].prompt;
  EXPECT_EQ(TakeLog(), "");
}

// Each missing or broken file is named once, in Japanese, and its sound plays nothing (the
// device fails to load what does not decode: the sound device's test); the tunes of the
// DirectX 8 path in its own box (the MCI path's open tells them: the test above). A wave
// header over a broken body is broken.
TEST_F(MediaTest, MissingOrBrokenSoundFilesAreNamedOnceAndPlayNothing) {
  plat::ScriptedMessageBox boxes;
  std::filesystem::remove(Folder() / "sound" / "ken.wav");
  std::filesystem::remove(Folder() / "sound" / "map2.mid");
  WriteSound("yumi.wav", std::string("RIFF\x24\0\0\0WAVE", 12) + "garbage, no fmt chunk");
  WriteSound("fire02.wav", "<html>");
  for (const char* file : {"yumi.wav", "ken.wav", "fire02.wav", "map2.mid"}) fake->failingPaths.insert(Sound(file));
  gDX8 = true;
  media = std::make_unique<Media>(host);
  media->FillSEPath();
  EXPECT_EQ(media->ReportSoundFiles(), "効果音ファイルを読み込めません: " + Sound("yumi.wav") +
                                           "\n効果音ファイルが見つかりません: " + Sound("ken.wav") +
                                           "\n効果音ファイルを読み込めません: " + Sound("fire02.wav") +
                                           "\nこれらの効果音は鳴らさずに続けます。");
  media->InitDX8Sound();
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].prompt,
            "音楽ファイルが見つかりません: " + Sound("map2.mid") + "\n鳴らせない音楽は鳴らさずに続けます。");
  TakeLog();
  for (int code : {5, 6, 7, 0}) media->PlaySound(code);
  media->SettingIni();  // the map tune: nothing to play
  EXPECT_EQ(TakeLog(), "PlaySound 0 clap01.wav\n");
  EXPECT_EQ(boxes.shown.size(), 2u);

  // All there: nothing to tell.
  std::filesystem::remove(Folder() / "sound" / "fire02.wav");
  for (const char* f : {"yumi.wav", "ken.wav", "fire02.wav"}) WriteSound(f, TinyWave());
  EXPECT_EQ(media->ReportSoundFiles(), "");
  EXPECT_EQ(boxes.shown.size(), 2u);
}
