/** @file AudioFakeDevice.cpp A sound output that plays nothing and records what it was asked. */
#include <algorithm>

#include "platform/AudioDevice.h"

namespace plat {

bool AudioFakeDevice::Open(int channels, std::string& error) {
  ++openCount;
  if (noDevice) {
    error = "no sound device";
    return false;
  }
  open_ = true;
  channels_ = channels;
  return true;
}

void AudioFakeDevice::Close() {
  open_ = false;
  musicPlaying_ = false;
  channelSound_.clear();
  paths_.clear();
}

int AudioFakeDevice::LoadMusic(const std::string& path, std::string& error) {
  ++loadCount;
  if (!open_ || failingPaths.count(path)) {
    error = "cannot load " + path;
    return 0;
  }
  paths_[next_] = path;
  return next_++;
}

void AudioFakeDevice::FreeMusic(int music) {
  if (music == music_) musicPlaying_ = false;
  paths_.erase(music);
}

bool AudioFakeDevice::PlayMusic(int music, int plays, std::string& error) {
  if (!paths_.count(music)) {
    error = "no such tune";
    return false;
  }
  log.push_back("PlayMusic " + paths_[music] + " " + std::to_string(plays));
  music_ = music;
  musicPlaying_ = true;
  return true;
}

void AudioFakeDevice::HaltMusic() {
  if (musicPlaying_) log.push_back("HaltMusic");
  musicPlaying_ = false;
}

bool AudioFakeDevice::MusicPlaying() { return musicPlaying_; }

void AudioFakeDevice::SetMusicVolume(int volume) { musicVolume = std::clamp(volume, 0, kAudioMaxVolume); }

int AudioFakeDevice::LoadSound(const std::string& path, std::string& error) { return LoadMusic(path, error); }

void AudioFakeDevice::FreeSound(int sound) {
  std::erase_if(channelSound_, [sound](const auto& entry) { return entry.second == sound; });
  paths_.erase(sound);
}

bool AudioFakeDevice::PlaySound(int channel, int sound, bool loop, std::string& error) {
  if (!paths_.count(sound) || channel < 0 || channel >= channels_) {
    error = "no such sound or channel";
    return false;
  }
  log.push_back("PlaySound " + std::to_string(channel) + " " + paths_[sound] + (loop ? " loop" : ""));
  channelSound_[channel] = sound;
  return true;
}

void AudioFakeDevice::HaltChannel(int channel) {
  if (channelSound_.erase(channel)) log.push_back("HaltChannel " + std::to_string(channel));
}

bool AudioFakeDevice::ChannelPlaying(int channel) { return channelSound_.count(channel) != 0; }

void AudioFakeDevice::SetChannelVolume(int channel, int volume) {
  channelVolume[channel] = std::clamp(volume, 0, kAudioMaxVolume);
}

std::string AudioFakeDevice::PlayingMusicPath() const {
  if (!musicPlaying_) return "";
  auto it = paths_.find(music_);
  return it == paths_.end() ? "" : it->second;
}

}  // namespace plat
