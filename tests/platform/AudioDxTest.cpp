// Tests of the DirectX 8-shaped audio objects: one stream, repeats, the endless tune's return, path volumes, buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "platform/DxAudio.h"

namespace fs = std::filesystem;
using namespace plat;

namespace {

class AudioDxTest : public ::testing::Test {
 protected:
  AudioDxTest() {
    dir_ = fs::temp_directory_path() / ("vesk-dx-" + std::to_string(getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    auto device = std::make_unique<AudioFakeDevice>();
    fake_ = device.get();
    audio_ = std::make_unique<AudioSystem>(std::move(device));
    dx_ = std::make_unique<DxAudio>(*audio_);
  }
  ~AudioDxTest() override {
    dx_.reset();
    fs::remove_all(dir_);
  }
  std::string File(const std::string& name) {
    std::ofstream(dir_ / name) << "data";
    return (dir_ / name).string();
  }
  int Count(const std::string& entry) const { return static_cast<int>(std::count(fake_->log.begin(), fake_->log.end(), entry)); }

  // One tune as the game sets it up: loader, performance, segment with its repeats, standard path.
  struct Tune {
    std::shared_ptr<DxLoader> loader;
    std::shared_ptr<DxPerformance> perf;
    std::shared_ptr<DxSegment> seg;
    std::shared_ptr<DxAudioPath> path;
    std::shared_ptr<DxSegmentState> state;
  };
  Tune MakeTune(const std::string& file, long repeats) {
    Tune t{dx_->CreateLoader(), dx_->CreatePerformance(), nullptr, nullptr, nullptr};
    t.perf->InitAudio(kDxAudioFeaturesAll, kDxAudioPathDynamic3D, 16);
    t.perf->SetMasterAutoDownload(true);
    t.seg = t.loader->LoadSegment(file);
    t.seg->SetStartPoint(0);
    t.seg->SetRepeats(repeats);
    t.path = t.perf->CreateStandardAudioPath(kDxAudioPathDynamic3D, 64, true);
    return t;
  }
  void Play(Tune& t) { t.state = t.perf->PlaySegmentEx(t.seg, 0, 0, t.path); }
  bool Playing(Tune& t) { return t.perf->IsPlaying(t.seg, t.state); }

  fs::path dir_;
  AudioFakeDevice* fake_ = nullptr;
  std::unique_ptr<AudioSystem> audio_;  // outlives every object of the root below
  std::unique_ptr<DxAudio> dx_;
};

TEST_F(AudioDxTest, PerformancesShareOneStreamAndTheEndlessTuneComesBack) {
  Tune map = MakeTune(File("map2.mid"), kDxRepeatInfinite);
  Tune battle = MakeTune(File("battle.mid"), kDxRepeatInfinite);
  Tune test = MakeTune(File("test.mid"), 0);

  Play(map);
  map.path->SetVolume(-1000, 0);
  EXPECT_TRUE(Playing(map));
  EXPECT_EQ(fake_->log.back(), "PlayMusic " + (dir_ / "map2.mid").string() + " -1") << "repeat -1 plays without end";
  EXPECT_EQ(fake_->musicVolume, 40) << "the path's volume applies at once to its tune";

  // The battle: map stops, battle starts; then back, at the volume its path keeps.
  map.perf->StopEx(map.seg, 0, 0);
  Play(battle);
  EXPECT_TRUE(!Playing(map) && Playing(battle));
  EXPECT_EQ(fake_->musicVolume, 128);
  battle.perf->StopEx(battle.seg, 0, 0);
  Play(map);
  EXPECT_FALSE(Playing(battle));
  EXPECT_EQ(fake_->musicVolume, 40);

  // The settings dialog's test tune takes the stream; the map tune returns when it is stopped.
  const int mapStarts = Count(fake_->log.back());
  const auto mapState = map.state;
  Play(test);
  EXPECT_EQ(fake_->log.back(), "PlayMusic " + (dir_ / "test.mid").string() + " 1") << "repeat 0 plays once";
  EXPECT_TRUE(!Playing(map) && Playing(test));
  test.path->SetVolume(-3000, 0);
  EXPECT_EQ(fake_->musicVolume, 4);
  test.perf->StopEx(test.seg, 0, 0);
  EXPECT_EQ(fake_->PlayingMusicPath(), (dir_ / "map2.mid").string()) << "back at once, not at the next question";
  EXPECT_TRUE(map.perf->IsPlaying(map.seg, mapState)) << "the same segment state reads playing again";
  EXPECT_EQ(Count("PlayMusic " + (dir_ / "map2.mid").string() + " -1"), mapStarts + 1);
  EXPECT_EQ(fake_->musicVolume, 40);

  // The same when the test tune comes to its end by itself.
  Play(test);
  fake_->FinishMusic();
  EXPECT_TRUE(!Playing(test) && Playing(map));

  // A cut-off tune that the game stops itself stays stopped.
  Play(test);
  map.perf->StopEx(map.seg, 0, 0);
  test.perf->StopEx(test.state, 0, 0);
  EXPECT_FALSE(Playing(map));
  EXPECT_EQ(fake_->PlayingMusicPath(), "");

  // Closing down stops the performance's music for good.
  Play(map);
  map.perf->CloseDown();
  const bool afterClose = Playing(map);
  Play(map);
  EXPECT_FALSE(afterClose || Playing(map));
}

TEST_F(AudioDxTest, EffectBuffersRestartOnTheirOwnChannels) {
  std::vector<std::shared_ptr<DxSoundBuffer>> buffers;
  auto sound = dx_->CreateSound();
  sound->SetCooperativeLevel(kDxCoopPriority);
  DxBufferDesc desc;
  desc.lFlags = kDxBufferCtrlVolume;
  for (int i = 0; i < 15; ++i) buffers.push_back(sound->CreateSoundBufferFromFile(File("se" + std::to_string(i) + ".wav"), desc));
  for (int i = 0; i < 15; ++i) EXPECT_EQ(buffers[i]->Channel(), i);

  // PlaySound's steps: stop, rewind, play. A second request restarts the sound.
  auto& fire = buffers[7];
  const std::string play7 = "PlaySound 7 " + (dir_ / "se7.wav").string();
  for (int request = 0; request < 2; ++request) {
    fire->Stop();
    fire->SetCurrentPosition(0);
    fire->Play(0);
  }
  EXPECT_EQ(Count(play7), 2);
  EXPECT_EQ(Count("HaltChannel 7"), 1) << "the second request cut the first one off";
  EXPECT_TRUE(fire->IsPlaying());
  fire->Play(0);
  EXPECT_EQ(Count(play7), 2) << "not rewound: a playing buffer goes on as it is";
  fake_->FinishChannel(7);
  fire->Play(0);
  EXPECT_EQ(Count(play7), 3) << "a finished buffer plays again from its beginning";

  // A buffer's volume, in hundredths of a decibel, reaches its channel (the output volume's part:
  // the sound service's test).
  fire->SetVolume(-3000);
  EXPECT_EQ(fake_->channelVolume[7], 4);

  // A released buffer gives its channel to the next one.
  buffers[3].reset();
  EXPECT_EQ(sound->CreateSoundBufferFromFile(File("again.wav"), desc)->Channel(), 3);
}

TEST_F(AudioDxTest, MissingFilesGiveSilentObjectsReportedOnce) {
  const std::string missing = (dir_ / "nothere.mid").string();
  fake_->failingPaths.insert(missing);
  std::string report;
  auto seg = dx_->CreateLoader()->LoadSegment(missing, &report);
  ASSERT_TRUE(seg);
  EXPECT_FALSE(seg->Loaded());
  EXPECT_NE(report.find("nothere.mid"), std::string::npos) << report;
  report.clear();
  EXPECT_FALSE(dx_->CreateLoader()->LoadSegment(missing, &report)->Loaded());
  EXPECT_EQ(report, "") << "the same file is reported once";

  auto perf = dx_->CreatePerformance();
  perf->InitAudio();
  seg->SetRepeats(kDxRepeatInfinite);
  auto state = perf->PlaySegmentEx(seg, 0, 0, nullptr);
  ASSERT_TRUE(state);
  EXPECT_FALSE(perf->IsPlaying(seg, state));
  perf->StopEx(seg, 0, 0);

  const std::string wave = (dir_ / "nothere.wav").string();
  fake_->failingPaths.insert(wave);
  auto buffer = dx_->CreateSound()->CreateSoundBufferFromFile(wave, {}, &report);
  EXPECT_NE(report.find("nothere.wav"), std::string::npos);
  buffer->Stop();
  buffer->SetCurrentPosition(0);
  buffer->Play(0);
  EXPECT_FALSE(buffer->IsPlaying() || !fake_->log.empty());

  // No device at all: one report, then silence everywhere.
  auto device = std::make_unique<AudioFakeDevice>();
  device->noDevice = true;
  AudioSystem silent(std::move(device));
  {
    DxAudio dx(silent);
    std::string first, second;
    auto p = dx.CreatePerformance();
    p->InitAudio(kDxAudioFeaturesAll, kDxAudioPathDynamic3D, 16, &first);
    auto s = dx.CreateLoader()->LoadSegment(File("map2.mid"), &second);
    EXPECT_TRUE(!first.empty() && second.empty());
    EXPECT_FALSE(p->IsPlaying(s, p->PlaySegmentEx(s)));
  }
}

}  // namespace
