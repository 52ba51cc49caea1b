/** @file AudioDevice.h The sound output: one music stream and numbered effect channels, with a real (SDL2_mixer) and a fake device. */
#pragma once
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace plat {

/// Full volume of the music stream and of a channel (the mixer's scale, linear in amplitude).
constexpr int kAudioMaxVolume = 128;

/// What the audio layer asks of a sound output. Handles are numbers above 0; 0 means none.
/// Every call is made on the user-interface thread. Nothing here touches the system's volumes.
class IAudioDevice {
 public:
  virtual ~IAudioDevice() = default;

  /// Opens the output with `channels` effect channels (0 to channels - 1). False, with a
  /// reason in `error`, when there is no usable sound device.
  virtual bool Open(int channels, std::string& error) = 0;
  virtual void Close() = 0;

  /// Loads a tune (MIDI through the General MIDI sound font, or any other music file).
  /// 0 with a reason in `error` when the file is missing or cannot be decoded.
  virtual int LoadMusic(const std::string& path, std::string& error) = 0;
  virtual void FreeMusic(int music) = 0;
  /// Starts `music` from its beginning on the one music stream; whatever played there stops.
  /// `plays`: how many times through, -1 without end (0 counts as 1).
  virtual bool PlayMusic(int music, int plays, std::string& error) = 0;
  virtual void HaltMusic() = 0;
  virtual bool MusicPlaying() = 0;
  virtual void SetMusicVolume(int volume) = 0;  ///< 0 to kAudioMaxVolume

  /// Loads a wave file as a sound effect; 0 with a reason in `error` on failure.
  virtual int LoadSound(const std::string& path, std::string& error) = 0;
  virtual void FreeSound(int sound) = 0;
  /// Plays `sound` on `channel` from its beginning (a sound playing there is cut off);
  /// `loop` repeats it until halted.
  virtual bool PlaySound(int channel, int sound, bool loop, std::string& error) = 0;
  virtual void HaltChannel(int channel) = 0;
  virtual bool ChannelPlaying(int channel) = 0;
  virtual void SetChannelVolume(int channel, int volume) = 0;  ///< 0 to kAudioMaxVolume
};

/// The device over SDL2_mixer: MIDI through FluidSynth with the General MIDI bank installed
/// with it (TimGM6mb, else any .sf2 found beside it), WAV effects on mixer channels.
std::unique_ptr<IAudioDevice> MakeSdlAudioDevice();

/// The General MIDI sound font the SDL device uses, "" when none is installed.
std::string FindGeneralMidiSoundFont();

/// Whether a wave file decodes as the SDL device will decode it when the effect is loaded; needs
/// no sound device. False, with the reader's reason in `error`, for a missing file, another kind
/// of file, or a good wave header over a broken body.
bool WaveFileDecodes(const std::string& path, std::string& error);

/// A device that plays nothing and records what it was asked, for tests and for running
/// without sound. Loads succeed unless the path was marked failing; tunes and effects keep
/// "playing" until halted or finished by the test.
class AudioFakeDevice : public IAudioDevice {
 public:
  bool Open(int channels, std::string& error) override;
  void Close() override;
  int LoadMusic(const std::string& path, std::string& error) override;
  void FreeMusic(int music) override;
  bool PlayMusic(int music, int plays, std::string& error) override;
  void HaltMusic() override;
  bool MusicPlaying() override;
  void SetMusicVolume(int volume) override;
  int LoadSound(const std::string& path, std::string& error) override;
  void FreeSound(int sound) override;
  bool PlaySound(int channel, int sound, bool loop, std::string& error) override;
  void HaltChannel(int channel) override;
  bool ChannelPlaying(int channel) override;
  void SetChannelVolume(int channel, int volume) override;

  // What the test controls.
  bool noDevice = false;               ///< Open fails as with no sound card
  std::set<std::string> failingPaths;  ///< loads of these paths fail
  void FinishMusic() { musicPlaying_ = false; }  ///< the tune came to its end
  void FinishChannel(int channel) { channelSound_.erase(channel); }

  // What the test reads.
  std::vector<std::string> log;        ///< "PlayMusic <path> <plays>", "PlaySound <ch> <path>", "HaltChannel <ch>", ...
  int musicVolume = kAudioMaxVolume;
  std::map<int, int> channelVolume;
  int openCount = 0;
  int loadCount = 0;                   ///< music and sound loads asked for, failed or not
  std::string PlayingMusicPath() const;  ///< "" when the stream is silent
  int liveHandles() const { return static_cast<int>(paths_.size()); }

 private:
  bool open_ = false;
  int channels_ = 0;
  int next_ = 1;
  std::map<int, std::string> paths_;  ///< live handles
  int music_ = 0;
  bool musicPlaying_ = false;
  std::map<int, int> channelSound_;   ///< channel -> sound playing there
};

}  // namespace plat
