// Tests of the sound service: volume mapping, the simple playback call, reporting once, the real device headless.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/Audio.h"

namespace fs = std::filesystem;
using namespace plat;

namespace {

void Put16(std::string& s, int v) { s += static_cast<char>(v & 255), s += static_cast<char>((v >> 8) & 255); }
void Put32(std::string& s, uint32_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }
// A mono 16-bit WAV of a sine tone.
std::string TinyWav(double seconds) {
  const int rate = 22050, samples = static_cast<int>(rate * seconds);
  std::string data;
  for (int i = 0; i < samples; ++i) Put16(data, static_cast<int>(8000 * std::sin(i * 2 * M_PI * 440 / rate)));
  std::string wav = "RIFF";
  Put32(wav, 36 + data.size());
  wav += "WAVEfmt ";
  Put32(wav, 16), Put16(wav, 1), Put16(wav, 1), Put32(wav, rate), Put32(wav, rate * 2), Put16(wav, 2), Put16(wav, 16);
  wav += "data";
  Put32(wav, data.size());
  return wav + data;
}

fs::path TestDir() {
  auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  fs::path dir = fs::temp_directory_path() / ("vesk-audio-" + std::to_string(getpid()) + "-" + info->test_suite_name() + "-" + info->name());
  fs::create_directories(dir);
  return dir;
}

std::string Write(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
  return file.string();
}

// The edges of both mappings; the game's own steps are read through the output volumes below and
// the DirectX-shaped buffers.
TEST(AudioVolume, DeviceAndDecibelVolumesMapToTheMixer) {
  // The louder side of a device volume counts; above 0 dB is full, -100 dB and below silence.
  for (const auto& [device, mixer] : {std::pair(0u, 0), {0xFFFFFFFFu, 128}, {0x0000FFFFu, 128}, {0xFFFF0000u, 128}})
    EXPECT_EQ(MixerVolumeFromDeviceVolume(device), mixer) << std::hex << device;
  for (const auto& [hundredths, mixer] : {std::pair(0L, 128), {500L, 128}, {-600L, 64}, {-10000L, 0}, {-20000L, 0}})
    EXPECT_EQ(MixerVolumeFromHundredthsDb(hundredths), mixer) << hundredths;
}

class AudioSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = TestDir();
    auto device = std::make_unique<AudioFakeDevice>();
    fake_ = device.get();
    SetAudio(std::make_unique<AudioSystem>(std::move(device)));
  }
  void TearDown() override {
    SetAudio(nullptr);
    fs::remove_all(dir_);
  }
  fs::path dir_;
  AudioFakeDevice* fake_ = nullptr;
};

TEST_F(AudioSystemTest, OutputVolumesAreTheMixersAndCombineWithGains) {
  uint32_t volume = 0;
  WaveOutGetVolume(0, volume);
  EXPECT_EQ(volume, 0xFFFFFFFFu) << "full at start, as a saved volume to restore";

  EXPECT_EQ(WaveOutSetVolume(0, 6558u * 0x10001u), 0u);
  WaveOutGetVolume(0, volume);
  EXPECT_EQ(volume, 6558u * 0x10001u) << "a read gives back exactly what was set";
  Audio().Ready();
  EXPECT_EQ(std::pair(fake_->channelVolume[kAudioSimpleChannel], fake_->channelVolume[0]), std::pair(13, 13))
      << "a volume set before the device opened still applies";
  Audio().SetChannelGain(3, 64);
  EXPECT_EQ(fake_->channelVolume[3], 6);
  WaveOutSetVolume(0, 0xFFFFFFFFu);
  EXPECT_EQ(fake_->channelVolume[3], 64) << "a channel's gain survives a change of the output volume";

  const std::string tune = Write(dir_ / "a.mid", "MThd");
  const int music = Audio().LoadMusic(tune);
  ASSERT_NE(music, 0);
  const long play = Audio().StartMusic(music, -1, 40);
  EXPECT_EQ(fake_->musicVolume, 40);
  MidiOutSetVolume(1, 0x7FFF7FFFu);
  MidiOutGetVolume(1, volume);
  EXPECT_EQ(std::pair(fake_->musicVolume, volume), std::pair(20, 0x7FFF7FFFu));
  Audio().SetMusicGain(play, 128);
  EXPECT_EQ(fake_->musicVolume, 64);
  Audio().SetMusicGain(play + 1, 0);
  EXPECT_EQ(fake_->musicVolume, 64) << "a start that does not hold the stream changes nothing";
}

TEST_F(AudioSystemTest, SimplePlaybackCutsOffItsLastSoundAndReportsAMissingFileOnce) {
  const std::string click = Write(dir_ / "clap01.wav", "RIFF");
  const std::string over = Write(dir_ / "buble04.wav", "RIFF");
  EXPECT_TRUE(SndPlaySound(click, kSndAsync) && SndPlaySound(over, kSndAsync) && SndPlaySound(click, kSndAsync));
  ASSERT_EQ(fake_->log.size(), 3u);
  EXPECT_EQ(fake_->log[1], "PlaySound 15 " + over) << "one channel: the next sound replaces the last";

  std::string report;
  const std::string missing = (dir_ / "nothere.wav").string();
  fake_->failingPaths.insert(missing);
  EXPECT_FALSE(SndPlaySound(missing, kSndAsync, &report));
  EXPECT_NE(report.find("nothere.wav"), std::string::npos);
  for (int tick = 0; tick < 3; ++tick) {
    report = "x";
    EXPECT_FALSE(SndPlaySound(missing, kSndAsync, &report));
    EXPECT_EQ(report, "x") << "reported once only";
  }

  EXPECT_TRUE(SndPlaySound("", 0));
  EXPECT_FALSE(Audio().ChannelPlaying(kAudioSimpleChannel)) << "an empty path stops the sound";
}

// The real device on the dummy driver: a written wave plays and restarts on its channel; bad files are named.
TEST(AudioSdlDevice, PlaysWaveHeadless) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const fs::path dir = TestDir();
  AudioSystem audio(MakeSdlAudioDevice());
  std::string report;
  if (!audio.Ready(&report)) GTEST_SKIP() << report;

  const int sound = audio.LoadSound(Write(dir / "tone.wav", TinyWav(1.0)), &report);
  ASSERT_NE(sound, 0) << report;
  audio.PlayOnChannel(7, sound, false);
  audio.PlayOnChannel(7, sound, false);
  EXPECT_TRUE(audio.ChannelPlaying(7)) << "played again on its channel, it starts over";
  audio.HaltChannel(7);
  EXPECT_FALSE(audio.ChannelPlaying(7));
  EXPECT_TRUE(audio.PlaySoundAsync((dir / "tone.wav").string()) && audio.ChannelPlaying(kAudioSimpleChannel));

  report.clear();
  EXPECT_EQ(audio.LoadSound(Write(dir / "junk.wav", "not a wave"), &report), 0);
  EXPECT_NE(report.find("junk.wav"), std::string::npos);

  // The check a game makes at load, before any sound is asked for, agrees with the device: also
  // for a wave header over a broken body, and for a wave file cut short.
  const std::string whole = TinyWav(0.1);
  Write(dir / "broken.wav", whole.substr(0, 12) + "garbage, no fmt chunk");
  Write(dir / "cut.wav", whole.substr(0, 40));
  for (const char* file : {"tone.wav", "junk.wav", "broken.wav", "cut.wav", "none.wav"}) {
    const std::string path = (dir / file).string();
    std::string reason;
    EXPECT_EQ(WaveFileDecodes(path, reason), audio.LoadSound(path) != 0) << file << ": " << reason;
  }
  EXPECT_EQ(audio.LoadMusic((dir / "none.mid").string(), &report), 0);
  EXPECT_NE(report.find("none.mid"), std::string::npos);

  fs::remove_all(dir);
}

}  // namespace
