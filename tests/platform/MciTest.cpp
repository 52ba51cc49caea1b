// Tests of the MCI command interpreter: the replies and errors the game reads, over a fake device.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <vector>

#include "platform/Audio.h"
#include "platform/Mci.h"

namespace fs = std::filesystem;
using namespace plat;

namespace {

class MciTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("vesk-mci-" + std::to_string(getpid()) +
                                        "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_ / "sound");
    for (const char* name : {"battle.mid", "map2.mid", "test.mid"}) std::ofstream(dir_ / "sound" / name) << "MThd";
    auto device = std::make_unique<AudioFakeDevice>();
    fake_ = device.get();
    audio_ = std::make_unique<AudioSystem>(std::move(device));
  }
  void TearDown() override {
    audio_.reset();
    fs::remove_all(dir_);
  }
  uint32_t Send(const std::string& command) { return audio_->Mci().SendString(command, reply_); }
  std::string Mode(const std::string& alias) {
    EXPECT_EQ(Send("Status " + alias + " mode"), 0u) << alias;
    return reply_;
  }
  // The game's own open commands, with the folder joined the old way.
  void OpenAsTheGameDoes() {
    const std::string p = dir_.string();
    ASSERT_EQ(Send("Open \"" + p + "\\sound\\battle.mid\" alias MIDI1 type MPEGVideo"), 0u);
    ASSERT_EQ(Send("Open \"" + p + "\\sound\\map2.mid\" alias MIDI2 type MPEGVIdeo"), 0u);
    ASSERT_EQ(Send("Open \"" + p + "/sound/test.mid\" alias MIDI3 type MPEGVIdeo"), 0u);
    for (const char* alias : {"MIDI1", "MIDI2", "MIDI3"})
      ASSERT_EQ(Send(std::string("Set ") + alias + " time format milliseconds"), 0u);
  }

  fs::path dir_;
  AudioFakeDevice* fake_ = nullptr;
  std::unique_ptr<AudioSystem> audio_;
  std::string reply_;
};

TEST_F(MciTest, GameSequenceGivesTheRepliesTheTimerReads) {
  OpenAsTheGameDoes();
  EXPECT_EQ(Mode("MIDI2"), "stopped");

  EXPECT_EQ(Send("Play MIDI2 from 0 notify"), 0u);
  EXPECT_EQ(reply_, "") << "only status commands reply";
  EXPECT_EQ(fake_->PlayingMusicPath(), (dir_ / "sound" / "map2.mid").string());
  EXPECT_EQ(Mode("midi2"), "playing") << "aliases in any case";

  // A tune that came to its end reads "stopped": the media test's music timer checks it.

  // The battle tune takes over the one stream; stopping the device that lost it leaves it alone.
  EXPECT_EQ(Send("play MIDI1 from 0 notify"), 0u);
  EXPECT_EQ(Mode("MIDI2") + "/" + Mode("MIDI1"), "stopped/playing");
  EXPECT_EQ(Send("stop MIDI2"), 0u);
  const std::string kept = Mode("MIDI1");
  EXPECT_EQ(Send("stop MIDI1"), 0u);
  EXPECT_EQ(kept + "/" + Mode("MIDI1"), "playing/stopped");

  // Unload: stop and close all three; a closed alias is unknown again and its tune is freed.
  for (const char* command : {"Stop MIDI2", "Close MIDI1", "Close MIDI2", "Close MIDI3"})
    EXPECT_EQ(Send(command), 0u) << command;
  EXPECT_EQ(fake_->liveHandles(), 0);
  EXPECT_EQ(Send("Status MIDI2 mode"), kMciErrInvalidDeviceName);
  // An alias can be opened again; "close all" frees everything.
  for (const std::string& command : {"Open \"" + dir_.string() + "/sound/map2.mid\" alias MIDI2", std::string("play MIDI2"), std::string("close all")})
    EXPECT_EQ(Send(command), 0u) << command;
  EXPECT_TRUE(fake_->PlayingMusicPath().empty() && fake_->liveHandles() == 0);
}

TEST_F(MciTest, FailuresAreReportedOnceThenSilent) {
  const std::string missing = dir_.string() + "/sound/nothere.mid";
  const uint32_t code = Send("Open \"" + missing + "\" alias MIDI2 type MPEGVideo");
  ASSERT_EQ(code, kMciErrFileNotFound);
  EXPECT_NE(audio_->Mci().ErrorString(code).find("nothere.mid"), std::string::npos) << "the text names the file";

  // The timer's polling of the failed device shows nothing more and never sounds.
  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_EQ(Send("Play MIDI2 from 0 notify"), 0u);
    EXPECT_EQ(Mode("MIDI2"), "not ready") << "never 'stopped', or the timer would restart it on every tick";
  }
  EXPECT_TRUE(fake_->log.empty());

  // The same file opened again under another alias is not reported a second time.
  EXPECT_EQ(Send("Open \"" + missing + "\" alias MIDI3"), 0u);

  // A file the device cannot decode, and commands on an alias that was never opened.
  const std::string broken = dir_.string() + "/sound/battle.mid";
  fake_->failingPaths.insert(broken);
  const uint32_t invalid = Send("open \"" + broken + "\" alias MIDI1");
  EXPECT_EQ(invalid, kMciErrInvalidFile);
  EXPECT_NE(audio_->Mci().ErrorString(invalid).find("battle.mid"), std::string::npos);
  // Each fault is reported once, then the command is quietly ignored.
  EXPECT_EQ((std::vector<uint32_t>{Send("status NOPE mode"), Send("status NOPE mode"), Send("pause MIDI1"), Send("pause MIDI1")}),
            (std::vector<uint32_t>{kMciErrInvalidDeviceName, 0, kMciErrUnrecognizedCommand, 0}));
  EXPECT_EQ(reply_, "");
  EXPECT_EQ(Send("open \"" + missing + "\" alias MIDI3"), kMciErrDuplicateAlias);
}

TEST_F(MciTest, NoDeviceIsReportedOnceForAllOpens) {
  fake_->noDevice = true;
  const std::string p = dir_.string() + "/sound/";
  const uint32_t first = Send("open \"" + p + "battle.mid\" alias MIDI1 type MPEGVideo");
  EXPECT_EQ(first, kMciErrHardware);
  EXPECT_NE(audio_->Mci().ErrorString(first).find("音声出力デバイス"), std::string::npos);
  EXPECT_EQ((std::vector<uint32_t>{Send("open \"" + p + "map2.mid\" alias MIDI2 type MPEGVideo"),
                                   Send("set MIDI2 time format milliseconds"), Send("play MIDI2 from 0 notify")}),
            (std::vector<uint32_t>{0, 0, 0}));
  EXPECT_EQ(Mode("MIDI2"), "not ready");
  EXPECT_EQ(fake_->openCount, 1) << "the device is not tried again on every command";
}

TEST_F(MciTest, MalformedCommandsAreRefusedAndNeverSound) {
  OpenAsTheGameDoes();
  for (const char* command : {"", "open \"unclosed", "open x.mid type cdaudio", "play MIDI2 from", "play MIDI2 from abc",
                              "play MIDI2 from 1500", "set MIDI2 time format frames", "status MIDI2 length",
                              "stop MIDI2 now"})
    EXPECT_NE(Send(command), 0u) << command;
  EXPECT_TRUE(fake_->log.empty()) << "no malformed command sounds";
  EXPECT_EQ(Send("play MIDI2 from 00"), 0u) << "zero written with more digits is still the beginning";
}

}  // namespace
