/** @file Audio.cpp The program's sound service: device, music stream, channels, output volumes, reports. */
#include "platform/Audio.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/Mci.h"

namespace plat {

int MixerVolumeFromDeviceVolume(uint32_t deviceVolume) {
  const uint32_t louder = std::max(deviceVolume & 0xFFFFu, deviceVolume >> 16);
  return static_cast<int>((louder * kAudioMaxVolume + 0x7FFFu) / 0xFFFFu);
}

int MixerVolumeFromHundredthsDb(long hundredths) {
  if (hundredths >= 0) return kAudioMaxVolume;
  if (hundredths <= -10000) return 0;
  return static_cast<int>(std::lround(kAudioMaxVolume * std::pow(10.0, hundredths / 2000.0)));
}

std::string AudioResolvePath(const std::string& path) {
  std::error_code ec;
  if (path.find('\\') == std::string::npos || std::filesystem::exists(path, ec)) return path;
  std::string slashed = path;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  return std::filesystem::exists(slashed, ec) ? slashed : path;
}

namespace {

// What the player reads of a sound file that failed: missing or not readable, and which. The
// library's own reason is English and means nothing to the player: it goes to standard error.
std::string FileFailure(const char* kind, const std::string& path, const std::string& resolved,
                        const std::string& reason) {
  if (!reason.empty()) std::fprintf(stderr, "%s: %s\n", path.c_str(), reason.c_str());
  std::error_code ec;
  return std::string(kind) + (std::filesystem::exists(resolved, ec) ? "ファイルを読み込めません: " : "ファイルが見つかりません: ") +
         path;
}

}  // namespace

AudioSystem::AudioSystem(std::unique_ptr<IAudioDevice> device)
    : device_(std::move(device)), mci_(std::make_unique<MciInterpreter>(*this)) {}

AudioSystem::~AudioSystem() {
  mci_.reset();  // frees its tunes while the device is still open
  if (ready_) device_->Close();
}

bool AudioSystem::Ready(std::string* report) {
  if (!tried_) {
    tried_ = true;
    std::string error;
    ready_ = device_->Open(kAudioChannels, error);
    if (!ready_) {
      if (!error.empty()) std::fprintf(stderr, "sound: %s\n", error.c_str());
      std::string text = ReportOnce("device", kNoSoundDeviceText);
      if (report) *report = text;
      return false;
    }
    ApplyMusicVolume();
    for (int ch = 0; ch < kAudioChannels; ++ch) ApplyChannelVolume(ch);
  }
  return ready_;
}

std::string AudioSystem::ReportOnce(const std::string& key, const std::string& text) {
  return FirstReport(key) ? text : std::string();
}

bool AudioSystem::FirstReport(const std::string& key) { return reported_.insert(key).second; }

int AudioSystem::LoadMusic(const std::string& path, std::string* report) {
  if (!Ready(report)) return 0;
  std::string error;
  const std::string resolved = AudioResolvePath(path);
  int music = device_->LoadMusic(resolved, error);
  if (music == 0 && FirstReport("file:" + resolved)) {
    const std::string text = FileFailure("音楽", path, resolved, error);
    if (report) *report = text;
  }
  return music;
}

void AudioSystem::FreeMusic(int music) {
  if (music != 0) device_->FreeMusic(music);
}

long AudioSystem::StartMusic(int music, int plays, int gain) {
  if (music == 0 || !ready_) return 0;
  std::string error;
  if (!device_->PlayMusic(music, plays, error)) return 0;
  playGain_.clear();
  currentPlay_ = nextPlay_++;
  playGain_[currentPlay_] = std::clamp(gain, 0, kAudioMaxVolume);
  ApplyMusicVolume();
  return currentPlay_;
}

bool AudioSystem::MusicPlaying(long play) {
  return play != 0 && play == currentPlay_ && ready_ && device_->MusicPlaying();
}

void AudioSystem::StopMusic(long play) {
  if (play == 0 || play != currentPlay_) return;
  device_->HaltMusic();
  currentPlay_ = 0;
}

void AudioSystem::SetMusicGain(long play, int gain) {
  if (play == 0 || play != currentPlay_) return;
  playGain_[play] = std::clamp(gain, 0, kAudioMaxVolume);
  ApplyMusicVolume();
}

int AudioSystem::LoadSound(const std::string& path, std::string* report) {
  if (!Ready(report)) return 0;
  std::string error;
  const std::string resolved = AudioResolvePath(path);
  int sound = device_->LoadSound(resolved, error);
  if (sound == 0 && FirstReport("file:" + resolved)) {
    const std::string text = FileFailure("効果音", path, resolved, error);
    if (report) *report = text;
  }
  return sound;
}

void AudioSystem::FreeSound(int sound) {
  if (sound != 0) device_->FreeSound(sound);
}

void AudioSystem::PlayOnChannel(int channel, int sound, bool loop) {
  if (sound == 0 || !ready_) return;
  std::string error;
  device_->PlaySound(channel, sound, loop, error);
}

void AudioSystem::HaltChannel(int channel) {
  if (ready_) device_->HaltChannel(channel);
}

bool AudioSystem::ChannelPlaying(int channel) { return ready_ && device_->ChannelPlaying(channel); }

void AudioSystem::SetChannelGain(int channel, int gain) {
  channelGain_[channel] = std::clamp(gain, 0, kAudioMaxVolume);
  ApplyChannelVolume(channel);
}

bool AudioSystem::PlaySoundAsync(const std::string& path, bool loop, std::string* report) {
  if (path.empty()) {
    HaltChannel(kAudioSimpleChannel);
    return true;
  }
  if (!Ready(report)) return false;
  auto found = simpleSounds_.find(path);
  if (found == simpleSounds_.end()) found = simpleSounds_.emplace(path, LoadSound(path, report)).first;
  if (found->second == 0) return false;
  PlayOnChannel(kAudioSimpleChannel, found->second, loop);
  return true;
}

void AudioSystem::SetWaveVolume(uint32_t volume) {
  waveVolume_ = volume;
  for (int ch = 0; ch < kAudioChannels; ++ch) ApplyChannelVolume(ch);
}

void AudioSystem::SetMidiVolume(uint32_t volume) {
  midiVolume_ = volume;
  ApplyMusicVolume();
}

MciInterpreter& AudioSystem::Mci() { return *mci_; }

void AudioSystem::ApplyMusicVolume() {
  if (!ready_) return;
  auto gain = playGain_.find(currentPlay_);
  const int g = gain == playGain_.end() ? kAudioMaxVolume : gain->second;
  device_->SetMusicVolume(MixerVolumeFromDeviceVolume(midiVolume_) * g / kAudioMaxVolume);
}

void AudioSystem::ApplyChannelVolume(int channel) {
  if (!ready_) return;
  auto gain = channelGain_.find(channel);
  const int g = gain == channelGain_.end() ? kAudioMaxVolume : gain->second;
  device_->SetChannelVolume(channel, MixerVolumeFromDeviceVolume(waveVolume_) * g / kAudioMaxVolume);
}

namespace {
std::unique_ptr<AudioSystem>& TheAudio() {
  static std::unique_ptr<AudioSystem> audio;
  return audio;
}
}  // namespace

AudioSystem& Audio() {
  auto& audio = TheAudio();
  if (!audio) audio = std::make_unique<AudioSystem>(MakeSdlAudioDevice());
  return *audio;
}

void SetAudio(std::unique_ptr<AudioSystem> audio) { TheAudio() = std::move(audio); }

bool SndPlaySound(const std::string& path, uint32_t flags, std::string* report) {
  return Audio().PlaySoundAsync(path, (flags & kSndLoop) != 0, report);
}

uint32_t WaveOutGetVolume(int, uint32_t& volume) {
  volume = Audio().WaveVolume();
  return 0;
}

uint32_t WaveOutSetVolume(int, uint32_t volume) {
  Audio().SetWaveVolume(volume);
  return 0;
}

uint32_t MidiOutGetVolume(int, uint32_t& volume) {
  volume = Audio().MidiVolume();
  return 0;
}

uint32_t MidiOutSetVolume(int, uint32_t volume) {
  Audio().SetMidiVolume(volume);
  return 0;
}

}  // namespace plat
