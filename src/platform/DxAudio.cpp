/** @file DxAudio.cpp The DirectX 8-shaped audio objects over the program's sound service. */
#include "platform/DxAudio.h"

#include <algorithm>
#include <array>

namespace plat {

/// What every object of one root shares.
struct DxCore {
  explicit DxCore(AudioSystem& a) : audio(a) {}
  AudioSystem& audio;
  std::weak_ptr<DxSegmentState> holder;     ///< the start last put on the stream here
  std::weak_ptr<DxSegmentState> suspended;  ///< an endless start cut off by another performance
  std::array<bool, kAudioBufferChannels> channelTaken{};

  static int Plays(const DxSegment& segment) {
    return segment.repeats_ < 0 ? -1 : static_cast<int>(std::min<long>(segment.repeats_, 1000000) + 1);
  }

  bool Sounding(const std::shared_ptr<DxSegmentState>& state) {
    return state && audio.MusicPlaying(state->play_);
  }

  void Start(const std::shared_ptr<DxSegmentState>& state) {
    state->play_ = audio.StartMusic(state->segment_->music_, Plays(*state->segment_),
                                    MixerVolumeFromHundredthsDb(state->path_->GetVolume()));
    holder = state;
  }

  void PathVolumeChanged(const DxAudioPath& path) {
    if (auto state = holder.lock(); state && state->path_.get() == &path)
      audio.SetMusicGain(state->play_, MixerVolumeFromHundredthsDb(path.GetVolume()));
  }

  /// The cut-off endless tune comes back once the stream is free.
  void Resume() {
    auto waiting = suspended.lock();
    if (!waiting) return;
    if (audio.MusicPlaying(audio.CurrentPlay())) return;
    suspended.reset();
    Start(waiting);
  }
};

DxSegment::~DxSegment() { core_->audio.FreeMusic(music_); }

std::shared_ptr<DxSegment> DxLoader::LoadSegment(const std::string& path, std::string* report) {
  return std::shared_ptr<DxSegment>(new DxSegment(core_, core_->audio.LoadMusic(path, report)));
}

void DxAudioPath::SetVolume(long hundredths, long) {
  volume_ = std::clamp(hundredths, kDxVolumeMin, 0L);
  core_->Resume();
  core_->PathVolumeChanged(*this);
}

DxPerformance::~DxPerformance() { CloseDown(); }

void DxPerformance::InitAudio(long, long, long, std::string* report) {
  core_->audio.Ready(report);
  if (!defaultPath_) defaultPath_ = CreateStandardAudioPath();
}

std::shared_ptr<DxAudioPath> DxPerformance::CreateStandardAudioPath(long, long, bool) {
  return std::shared_ptr<DxAudioPath>(new DxAudioPath(core_));
}

std::shared_ptr<DxSegmentState> DxPerformance::PlaySegmentEx(const std::shared_ptr<DxSegment>& segment, long, long,
                                                             const std::shared_ptr<DxAudioPath>& path) {
  auto state = std::make_shared<DxSegmentState>();
  state->segment_ = segment;
  state->performance_ = this;
  if (!defaultPath_) defaultPath_ = CreateStandardAudioPath();
  state->path_ = path ? path : defaultPath_;
  if (closed_ || !segment || !segment->Loaded()) return state;

  core_->Resume();
  auto previous = core_->holder.lock();
  if (core_->Sounding(previous) && previous->performance_ != this && previous->segment_->repeats_ < 0)
    core_->suspended = previous;
  else if (auto waiting = core_->suspended.lock(); waiting && waiting->performance_ == this)
    core_->suspended.reset();
  core_->Start(state);
  last_ = state;
  return state;
}

void DxPerformance::StopEx(const std::shared_ptr<DxSegment>& segment, long, long) {
  if (last_ && last_->segment_ == segment) StopEx(last_);
}

void DxPerformance::StopEx(const std::shared_ptr<DxSegmentState>& state, long, long) {
  if (!state || state->performance_ != this) return;
  if (core_->suspended.lock() == state) core_->suspended.reset();
  core_->audio.StopMusic(state->play_);
  core_->Resume();
}

bool DxPerformance::IsPlaying(const std::shared_ptr<DxSegment>& segment, const std::shared_ptr<DxSegmentState>& state) {
  core_->Resume();
  const auto& start = state ? state : last_;
  return start && start->performance_ == this && start->segment_ == segment && core_->Sounding(start);
}

void DxPerformance::CloseDown() {
  if (closed_) return;
  closed_ = true;
  if (auto waiting = core_->suspended.lock(); waiting && waiting->performance_ == this) core_->suspended.reset();
  if (last_) core_->audio.StopMusic(last_->play_);
  last_.reset();
}

DxSoundBuffer::~DxSoundBuffer() {
  if (channel_ >= 0) {
    core_->audio.HaltChannel(channel_);
    core_->channelTaken[channel_] = false;
  }
  core_->audio.FreeSound(sound_);
}

void DxSoundBuffer::Stop() {
  if (channel_ >= 0) core_->audio.HaltChannel(channel_);
  rewound_ = true;
}

void DxSoundBuffer::SetCurrentPosition(long position) {
  if (position == 0) rewound_ = true;
}

void DxSoundBuffer::Play(long flags) {
  if (channel_ < 0 || sound_ == 0) return;
  if (!rewound_ && core_->audio.ChannelPlaying(channel_)) return;
  core_->audio.PlayOnChannel(channel_, sound_, (flags & kDxPlayLooping) != 0);
  rewound_ = false;
}

bool DxSoundBuffer::IsPlaying() const { return channel_ >= 0 && core_->audio.ChannelPlaying(channel_); }

void DxSoundBuffer::SetVolume(long hundredths) {
  volume_ = std::clamp(hundredths, kDxVolumeMin, 0L);
  if (channel_ >= 0) core_->audio.SetChannelGain(channel_, MixerVolumeFromHundredthsDb(volume_));
}

std::shared_ptr<DxSoundBuffer> DxSound::CreateSoundBufferFromFile(const std::string& path, const DxBufferDesc&,
                                                                  std::string* report) {
  auto& taken = core_->channelTaken;
  auto free = std::find(taken.begin(), taken.end(), false);
  if (free == taken.end()) {
    std::string text = core_->audio.ReportOnce("dx:channels", "効果音は同時に 15 個までしか用意できません: " + path);
    if (report) *report = text;
    return std::shared_ptr<DxSoundBuffer>(new DxSoundBuffer(core_, -1, 0));
  }
  const int channel = static_cast<int>(free - taken.begin());
  taken[channel] = true;
  auto buffer = std::shared_ptr<DxSoundBuffer>(new DxSoundBuffer(core_, channel, core_->audio.LoadSound(path, report)));
  core_->audio.SetChannelGain(channel, kAudioMaxVolume);
  return buffer;
}

DxAudio::DxAudio(AudioSystem& audio) : core_(std::make_shared<DxCore>(audio)) {}

std::shared_ptr<DxLoader> DxAudio::CreateLoader() { return std::shared_ptr<DxLoader>(new DxLoader(core_)); }

std::shared_ptr<DxPerformance> DxAudio::CreatePerformance() {
  return std::shared_ptr<DxPerformance>(new DxPerformance(core_));
}

std::shared_ptr<DxSound> DxAudio::CreateSound(std::string* report) {
  core_->audio.Ready(report);
  return std::shared_ptr<DxSound>(new DxSound(core_));
}

}  // namespace plat
