/** @file DxAudio.h Music performances, segments, audio paths and effect buffers in the shape of the old DirectX 8 audio objects. */
#pragma once
#include <memory>
#include <string>

#include "platform/Audio.h"

namespace plat {

// Values of the old interface, accepted for its shape; the mixer needs none of them.
constexpr long kDxAudioFeaturesAll = 63;   ///< InitAudio: every audio feature
constexpr long kDxAudioPathDynamic3D = 6;  ///< the standard audio path type
constexpr long kDxCoopPriority = 2;        ///< SetCooperativeLevel: priority
constexpr long kDxBufferCtrlVolume = 128;  ///< DxBufferDesc flags: volume control
constexpr long kDxPlayLooping = 1;         ///< DxSoundBuffer::Play: repeat until stopped
constexpr long kDxRepeatInfinite = -1;     ///< DxSegment::SetRepeats: without end
/// Volumes are hundredths of a decibel: 0 is full, -10000 silence.
constexpr long kDxVolumeMin = -10000;

class DxPerformance;
class DxSegmentState;
struct DxCore;

/// A tune loaded for a performance. A file that failed to load gives a silent segment.
class DxSegment {
 public:
  ~DxSegment();
  void SetStartPoint(long start) { startPoint_ = start; }  ///< 0: from the beginning (the only start the mixer has)
  long GetStartPoint() const { return startPoint_; }
  /// Times to play again after the first; kDxRepeatInfinite: without end.
  void SetRepeats(long repeats) { repeats_ = repeats; }
  long GetRepeats() const { return repeats_; }
  bool Loaded() const { return music_ != 0; }

 private:
  friend class DxLoader;
  friend class DxPerformance;
  friend struct DxCore;
  DxSegment(std::shared_ptr<DxCore> core, int music) : core_(std::move(core)), music_(music) {}
  std::shared_ptr<DxCore> core_;
  int music_;
  long startPoint_ = 0;
  long repeats_ = 0;
};

/// Loads segments from files.
class DxLoader {
 public:
  /// Never null: a missing or unreadable file (or no device) gives a silent segment, and
  /// `report` gets the failure's text the first time it happens.
  std::shared_ptr<DxSegment> LoadSegment(const std::string& path, std::string* report = nullptr);

 private:
  friend class DxAudio;
  explicit DxLoader(std::shared_ptr<DxCore> core) : core_(std::move(core)) {}
  std::shared_ptr<DxCore> core_;
};

/// The volume of the music played along it.
class DxAudioPath {
 public:
  /// Hundredths of a decibel (kDxVolumeMin to 0); applies at once to its playing tune.
  /// The fade time is accepted and not used (the game always passes 0).
  void SetVolume(long hundredths, long fadeMs = 0);
  long GetVolume() const { return volume_; }

 private:
  friend class DxPerformance;
  explicit DxAudioPath(std::shared_ptr<DxCore> core) : core_(std::move(core)) {}
  std::shared_ptr<DxCore> core_;
  long volume_ = 0;
};

/// One start of a segment on a performance, as returned by PlaySegmentEx.
class DxSegmentState {
 private:
  friend class DxPerformance;
  friend struct DxCore;
  std::shared_ptr<DxSegment> segment_;
  std::shared_ptr<DxAudioPath> path_;
  const DxPerformance* performance_ = nullptr;
  long play_ = 0;  ///< the sound service's number of this start (0: never sounded)
};

/// A music performance. Every performance shares the program's one music stream: starting a
/// segment stops what another performance played. When an endless segment is cut off that way
/// (the settings dialog's test tune over the map tune), it starts again from its beginning once
/// the one that cut it off has been stopped or has ended, and its segment state reads playing
/// again; the check is made at this facade's next call.
class DxPerformance {
 public:
  ~DxPerformance();
  /// Readies the performance (and the sound device; its failure is reported once in `report`).
  void InitAudio(long features = kDxAudioFeaturesAll, long defaultPathType = kDxAudioPathDynamic3D,
                 long channels = 16, std::string* report = nullptr);
  void SetMasterAutoDownload(bool) {}
  std::shared_ptr<DxAudioPath> CreateStandardAudioPath(long type = kDxAudioPathDynamic3D, long channels = 64,
                                                       bool activate = true);
  /// Starts `segment` from its beginning along `path` (the default path when null), at that
  /// path's volume. Flags and start time are accepted for their shape; 0 means now.
  std::shared_ptr<DxSegmentState> PlaySegmentEx(const std::shared_ptr<DxSegment>& segment, long flags = 0,
                                                long startTime = 0,
                                                const std::shared_ptr<DxAudioPath>& path = nullptr);
  /// Stops `segment` (or the one start `state`) on this performance at once.
  void StopEx(const std::shared_ptr<DxSegment>& segment, long time = 0, long flags = 0);
  void StopEx(const std::shared_ptr<DxSegmentState>& state, long time = 0, long flags = 0);
  /// Whether `segment` is sounding on this performance (in the start `state` when given).
  bool IsPlaying(const std::shared_ptr<DxSegment>& segment, const std::shared_ptr<DxSegmentState>& state = nullptr);
  /// Stops its music; afterwards it plays nothing.
  void CloseDown();

 private:
  friend class DxAudio;
  explicit DxPerformance(std::shared_ptr<DxCore> core) : core_(std::move(core)) {}
  std::shared_ptr<DxCore> core_;
  std::shared_ptr<DxAudioPath> defaultPath_;
  std::shared_ptr<DxSegmentState> last_;  ///< its latest start
  bool closed_ = false;
};

struct DxBufferDesc {
  long lFlags = 0;  ///< kDxBufferCtrlVolume; every buffer has volume control anyway
};

/// A sound effect on a mixer channel of its own (channels 0 to 14, in the order made).
class DxSoundBuffer {
 public:
  ~DxSoundBuffer();
  /// Stops it; a later Play starts from the beginning.
  void Stop();
  /// 0 rewinds, so that Play restarts a sound still playing; other positions are not kept.
  void SetCurrentPosition(long position);
  /// Plays from the beginning; while it still plays and has not been rewound, goes on as it is.
  void Play(long flags = 0);
  bool IsPlaying() const;
  /// Hundredths of a decibel (kDxVolumeMin to 0), times the wave output volume.
  void SetVolume(long hundredths);
  long GetVolume() const { return volume_; }
  int Channel() const { return channel_; }  ///< -1 when all 15 were taken (then silent)

 private:
  friend class DxSound;
  DxSoundBuffer(std::shared_ptr<DxCore> core, int channel, int sound)
      : core_(std::move(core)), channel_(channel), sound_(sound) {}
  std::shared_ptr<DxCore> core_;
  int channel_;
  int sound_;
  long volume_ = 0;
  bool rewound_ = true;
};

/// The effect output: makes the buffers.
class DxSound {
 public:
  void SetCooperativeLevel(long level = kDxCoopPriority) { (void)level; }
  /// Never null: a missing or unreadable file, no device or no free channel gives a silent
  /// buffer, and `report` gets the failure's text the first time it happens.
  std::shared_ptr<DxSoundBuffer> CreateSoundBufferFromFile(const std::string& path, const DxBufferDesc& desc = {},
                                                           std::string* report = nullptr);

 private:
  friend class DxAudio;
  explicit DxSound(std::shared_ptr<DxCore> core) : core_(std::move(core)) {}
  std::shared_ptr<DxCore> core_;
};

/// The root object: makes loaders, performances and the effect output over a sound service.
/// The sound service must outlive every object made here.
class DxAudio {
 public:
  explicit DxAudio(AudioSystem& audio = Audio());
  std::shared_ptr<DxLoader> CreateLoader();
  std::shared_ptr<DxPerformance> CreatePerformance();
  /// The effect output on the default device (the device's failure is reported once).
  std::shared_ptr<DxSound> CreateSound(std::string* report = nullptr);

 private:
  std::shared_ptr<DxCore> core_;
};

}  // namespace plat
