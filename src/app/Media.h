/** @file Media.h Sound, music and pictures: the output volumes, the music objects, and the main window's sound table, music, timers and pictures. */
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "platform/DxAudio.h"
#include "platform/EventLoop.h"
#include "platform/Surface.h"

// ---- Start-up's sound procedures and the music objects, shared by the main window, the
// ---- settings dialog, the battle and shutdown.

/// Sends one MCI command. A failure shows the MCI error text in the standard message box and
/// gives ""; `Result` (when given) gets the result code. The reply only for "status" commands.
std::string MCISend(const std::string& Command, uint32_t* Result = nullptr);
/// Keeps the wave and MIDI output volumes in force now (before start-up sets its own).
void SaveVolume();
/// Output volumes of the MCI path: 1 to 10, or 0 for the volume saved at start. Nothing happens
/// while the option ("OptionSE" / "OptionBGM") is "0".
void SetSEVolume(int16_t Volume);
void SetBGMVolume(int16_t Volume);
/// Volumes of the DirectX 8 path, in hundredths of a decibel (-3000 to 0): the three tunes'
/// audio paths, and the 15 effect buffers.
void SetBGMVolumeDX8(int16_t Volume);
void SetSEVolumeDX8(int16_t Volume);

/// The output volumes start-up found, as upper-case hexadecimal text.
extern std::string gSavedWaveVolume;
extern std::string gSavedMidiVolume;

/// The DirectX 8 path's objects, made by Media::InitDX8Sound and released by EndDX8Sound.
extern std::shared_ptr<plat::DxAudio> gDirectX;
extern std::shared_ptr<plat::DxLoader> gLoaderMap, gLoaderBattle, gLoaderTest;
extern std::shared_ptr<plat::DxPerformance> gPerfMap, gPerfBattle, gPerfTest;
extern std::shared_ptr<plat::DxSegment> gSegMap, gSegBattle, gSegTest;
extern std::shared_ptr<plat::DxSegmentState> gSegStateMap, gSegStateBattle, gSegStateTest;
extern std::shared_ptr<plat::DxAudioPath> gAudioPathMap, gAudioPathBattle, gAudioPathTest;
extern std::shared_ptr<plat::DxSound> gDSound;
extern plat::DxBufferDesc gSEBufferDesc;
extern std::array<std::shared_ptr<plat::DxSoundBuffer>, 15> gSEBuffer;

// ---- The main window's media.

/// The files of the sound table, by sound code, and the pictures, by index.
inline constexpr std::array<const char*, 15> kSoundFiles = {
    "clap01.wav", "buble04.wav", "neji01.wav",           "wood05.wav",  "pi42.wav",
    "yumi.wav",   "ken.wav",     "fire02.wav",           "freeze10.wav", "tm2_lightning000.wav",
    "monatt.wav", "step10_a.wav", "step02.wav",          "swing08.wav", "step12.wav"};
inline constexpr std::array<const char*, 17> kImageFiles = {
    "a001.jpg",     "BattleField.jpg", "nest1.jpg",        "nest2.jpg",  "unit.bmp",     "monster1.bmp",
    "monster2.bmp", "monster3.bmp",    "monster4.bmp",     "battleeffect.bmp", "status.bmp", "msgimage2.bmp",
    "a006.jpg",     "nest3.jpg",       "nest4.jpg",        "nest5.jpg",  "nest6.jpg"};
/// The sound code of the settings dialog's effect test (fire02.wav).
inline constexpr int kSoundTest = 7;

/// The main window's controls whose sound requests SettingIni switches, in its order; the text
/// buttons among them take it as SoundEffect. GLMenu, GLSubMenu, GLSubMenu3 and GLTurnEnd keep
/// their own setting.
inline constexpr std::array<const char*, 30> kSoundControls = {
    "GGMain",        "GGSub1",     "GGSub2",    "cGL",        "GLAreaResearch", "GLConstruct",
    "GLExcute",      "GLItem1",    "GLItem2",   "GLItemResearch", "GLClear",    "GLMSG(0)",
    "GLMSG(1)",      "GLMSG(2)",   "GLMSG(3)",  "GLMSG(4)",   "GLRestruct",     "GLRetreat",
    "GLSubMenu2",    "GMenu",      "GVConstructor", "GVEngineer", "GVKingdom",  "GVMerchant",
    "GVPeople",      "GVProducer", "GVSoldier", "GVTrade",    "GVUnit",         "PSMain"};
/// The controls that follow the main window's activity (Timer1), in its order.
inline constexpr std::array<const char*, 13> kActiveControls = {
    "GVProducer", "GVMerchant", "GVEngineer", "GVConstructor", "GVSoldier", "GMenu", "GGMain",
    "GVPeople",   "GVUnit",     "GGSub1",     "GGSub2",        "GLExcute",  "PSMain"};

/// The battle engine's options as SettingIni sets them.
struct BattleOptions {
  bool Effect = true;        ///< the engine raises sound requests
  bool Anime = true;         ///< attack animations are drawn
  bool BGM = true;           ///< the music option
  float BattleSpeed = 0.5f;  ///< seconds each battle message stays
  bool operator==(const BattleOptions&) const = default;
};

/// What the media switch on the main window: its owner-drawn controls by name and the battle
/// engine. The main window implements it; tests use a fake.
class MediaHost {
 public:
  virtual ~MediaHost() = default;
  /// Effect (SoundEffect on a text button) of one control named in kSoundControls.
  virtual void SetEffect(std::string_view control, bool on) = 0;
  /// Active of one control named in kActiveControls.
  virtual void SetActive(std::string_view control, bool active) = 0;
  /// Whether the main window is the active window.
  virtual bool MainWindowActive() = 0;
  virtual void SetBattleOptions(const BattleOptions& options) = 0;
};

/// The main window's sound table, music, timers and pictures. The main window owns one and calls
/// it from its load and unload; the settings dialog calls PlaySound and SettingIni.
class Media {
 public:
  /// Timer1 (50 ms) runs from here on; Timer2 and Timer3 (100 ms) are off.
  explicit Media(MediaHost& host);
  ~Media();
  Media(const Media&) = delete;
  Media& operator=(const Media&) = delete;

  /// The program's folder + "/sound/" + the file of each code.
  void FillSEPath();
  /// Names, in one message box, each effect whose wave file is missing or does not decode as the
  /// sound device decodes it; those effects then play nothing and the game goes on. The tunes
  /// are told by their own loading (the MCI open, InitDX8Sound). The text shown, "" when every
  /// effect is there.
  std::string ReportSoundFiles();
  /// Loads picture `index` of the 17 into picImage; false with a message naming the file when it
  /// is missing or unreadable. The main window's load reads them one by one, so that it can let
  /// the battle pictures go as soon as each is read.
  bool LoadImage(size_t index, std::string& error);

  /// MCI path: opens battle.mid, map2.mid and test.mid as MIDI1, MIDI2 and MIDI3.
  void OpenMIDI();
  /// DirectX 8 path: the three tunes' performances and the 15 effect buffers, the effect volume
  /// from "SEDX8". A tune that fails and a missing device are told in one message box, each
  /// once; the game goes on without them.
  void InitDX8Sound();
  void EndDX8Sound();
  /// Plays sound code 0 to 14 without waiting; other codes play nothing.
  void PlaySound(int32_t SE);
  /// Applies "OptionSE", "OptionBGM", "BattleAnime" and "BattleSpeed" to the controls and the
  /// battle engine, and starts or stops the map music.
  void SettingIni();
  /// The music part of the main window's unload: the timers off, the map music stopped (MCI:
  /// the devices closed).
  void StopMusic();

  void Timer1_Timer();
  void Timer2_Timer() {}
  void Timer3_Timer();

  std::array<std::string, 15> mSEPath;
  std::array<plat::Surface, 17> picImage;
  plat::Timer Timer1;  ///< 50 ms: the controls' Active
  plat::Timer Timer2;  ///< 100 ms, off: the battle engine's music timer
  plat::Timer Timer3;  ///< 100 ms, off: keeps the MCI music going
  bool mBGMStarted = false;  ///< the map music has been started
  std::string mBGMMode;      ///< "map" or "battle": the tune Timer3 keeps going
  bool mMapSegPlayed = false;

 private:
  /// Timer3: plays a tune from its beginning / again once it has stopped. A tune whose command
  /// failed, or that does not sound after its play, is left alone from then on.
  void StartTune(const std::string& alias);
  void RestartTune(const std::string& alias);

  MediaHost& host_;
  std::set<std::string> brokenTunes_;  ///< aliases Timer3 no longer restarts
};
