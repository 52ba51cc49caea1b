/** @file MediaFixture.h What the sound, settings-dialog and title tests share: a game folder with sounds, settings in memory, a recording sound device, a fake main window, a virtual clock. */
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "TempFolder.h"
#include "app/CIniFile.h"
#include "app/Media.h"
#include "app/SettingKeys.h"
#include "app/basQz.h"
#include "platform/Audio.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Surface.h"
#include "runtime/Clock.h"

/// The main window as the media see it: what was switched, by control name.
class FakeMediaHost : public MediaHost {
 public:
  void SetEffect(std::string_view control, bool on) override { effect[std::string(control)] = on; }
  void SetActive(std::string_view control, bool on) override { active[std::string(control)] = on; }
  bool MainWindowActive() override { return windowActive; }
  void SetBattleOptions(const BattleOptions& options) override { battle = options; }

  std::map<std::string, bool> effect, active;
  bool windowActive = true;
  BattleOptions battle{false, false, false, 0};
};

/// A picture file of one colour (PNG inside: the loader goes by the contents, not the name).
inline void WritePicture(const std::filesystem::path& file, int w, int h, plat::Colour colour) {
  plat::Surface s(w, h);
  s.Fill(colour);
  std::string error;
  ASSERT_TRUE(plat::SavePng(s, file.string(), error)) << error;
}

/// The smallest wave file the sound device decodes: 8-bit mono, two samples.
inline std::string TinyWave() {
  return std::string("RIFF\x26\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0\x01\0\x08\0"
                     "data\x02\0\0\0\x80\x80",
                     46);
}

/// An output volume as upper-case hexadecimal digits.
inline std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", v);
  return text;
}

/// A game folder (the program's folder while the test runs) with every sound file,
/// the settings' defaults in gIni, the MCI path, and a sound service over a recording device.
class MediaFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    rt::SetClock(&clock_);
    plat::SetProgramFolder(Folder());
    std::filesystem::create_directories(Folder() / "sound");
    for (const char* f : kSoundFiles) WriteSound(f, TinyWave());
    for (const char* f : {"map2.mid", "battle.mid", "test.mid"}) WriteSound(f, std::string("MThd\0\0\0\x06", 8));
    NewAudio();
    gIni = std::make_shared<CIniFile>();
    InitSettingIni(*gIni, "999999");
    gDX8 = false;
    for (int i = 0; i < 18; ++i) gReportNames[i] = "報告" + std::to_string(i);
  }
  void TearDown() override {
    if (media) media->EndDX8Sound();
    media.reset();
    plat::SetAudio(nullptr);
    gIni.reset();
    gDX8 = false;
    plat::SetProgramFolder({});
    rt::SetClock(nullptr);
  }

  const std::filesystem::path& Folder() const { return dir_.Path(); }
  std::string Sound(const std::string& file) const { return (Folder() / "sound" / file).string(); }
  void WriteSound(const std::string& file, const std::string& head) {
    std::ofstream(Folder() / "sound" / file, std::ios::binary) << head << std::string(32, '\0');
  }
  /// The media of a main window on the given path, its sound table filled and its audio set up
  /// as the main window's load does.
  Media& MakeMedia(bool dx8) {
    gDX8 = dx8;
    media = std::make_unique<Media>(host);
    media->FillSEPath();
    if (dx8) media->InitDX8Sound();
    else media->OpenMIDI();
    return *media;
  }
  /// A fresh sound service over a recording device (no tune open).
  void NewAudio() {
    auto device = std::make_unique<plat::AudioFakeDevice>();
    fake = device.get();
    plat::SetAudio(std::make_unique<plat::AudioSystem>(std::move(device)));
  }
  /// What the recording device was asked since the last call, one line each, sound folder left out.
  std::string TakeLog() {
    const std::string prefix = (Folder() / "sound").string() + "/";
    std::string text;
    for (std::string entry : fake->log) {
      if (size_t p = entry.find(prefix); p != std::string::npos) entry.erase(p, prefix.size());
      text += entry + "\n";
    }
    fake->log.clear();
    return text;
  }

  rt::VirtualClock clock_;
  plat::AudioFakeDevice* fake = nullptr;
  FakeMediaHost host;
  std::unique_ptr<Media> media;

 private:
  TempFolder dir_;
};
