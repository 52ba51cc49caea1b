/** @file Audio.h The program's sound: the device in use, one music stream, effect channels, output volumes and the simple playback call. */
// How the game's sound code meets this layer:
//   MCISend               MciSendString (Mci.h); on a result other than 0 show MciGetErrorString(result)
//   SaveVolume            WaveOutGetVolume(0, v), MidiOutGetVolume(1, v)
//   SetSEVolume/BGM       WaveOutSetVolume(0, v), MidiOutSetVolume(1, v): the mixer's volumes only
//   PlaySound (MCI path)  SndPlaySound(path, kSndAsync)
//   the DirectX 8 path    DxAudio and its objects (DxAudio.h), volumes in hundredths of a decibel
// Tests and headless runs put a sound service over AudioFakeDevice with SetAudio.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/AudioDevice.h"

namespace plat {

class MciInterpreter;

/// Effect channels: 0 to 14 belong to the 15 buffers of the DirectX-shaped facade (DxAudio.h),
/// channel 15 to the simple playback call, which plays one sound at a time.
constexpr int kAudioBufferChannels = 15;
constexpr int kAudioSimpleChannel = 15;
constexpr int kAudioChannels = 16;

/// An old output volume (low 16 bits the left channel, high 16 bits the right, 0 to 0xFFFF
/// each, linear) as a mixer volume 0 to 128. The louder side counts: the mixer has no balance.
int MixerVolumeFromDeviceVolume(uint32_t deviceVolume);
/// A volume in hundredths of a decibel (0 full, -10000 silence) as a mixer volume 0 to 128.
int MixerVolumeFromHundredthsDb(long hundredths);

/// What the player is told, once, when there is no sound device.
inline constexpr const char* kNoSoundDeviceText = "音声出力デバイスを開けません。音楽と効果音なしで続けます。";

/// The path of a sound file as given, or with "\" read as "/" when only that one exists, so
/// that paths joined the old way ("\sound\map2.mid") still find the file.
std::string AudioResolvePath(const std::string& path);

/// The one sound service of the program. It owns the device, opens it on first use, keeps
/// the single music stream (starting a tune stops the one before, whoever started it), the
/// output volumes (the mixer's, never the system's) and the list of failures already reported.
///
/// Failures are silent after their first report: a call that fails gives a text for the player
/// in `report` only the first time that failure happens (the device missing, a given file
/// missing or unreadable), and "" on every repeat, so that a timer never repeats a message.
/// The texts are Japanese ("音楽ファイルが見つかりません: <path>", kNoSoundDeviceText); the
/// library's own reason goes to standard error.
class AudioSystem {
 public:
  explicit AudioSystem(std::unique_ptr<IAudioDevice> device);
  ~AudioSystem();
  AudioSystem(const AudioSystem&) = delete;
  AudioSystem& operator=(const AudioSystem&) = delete;

  IAudioDevice& Device() { return *device_; }
  /// Opens the device on first use. False when there is none (reported once).
  bool Ready(std::string* report = nullptr);
  /// `text` the first time `key` is reported, "" afterwards.
  std::string ReportOnce(const std::string& key, const std::string& text);
  /// True the first time `key` is reported, false afterwards.
  bool FirstReport(const std::string& key);

  // Tunes on the one stream.
  /// Loads a tune; 0 when the device or the file fails (reported once per file).
  int LoadMusic(const std::string& path, std::string* report = nullptr);
  void FreeMusic(int music);
  /// Starts a tune from its beginning (`plays` times, -1 without end) at `gain` (0 to 128, times
  /// the MIDI output volume). Returns a number naming this start, 0 when nothing plays.
  long StartMusic(int music, int plays, int gain = kAudioMaxVolume);
  /// True while the start `play` still holds the stream and has not come to its end.
  bool MusicPlaying(long play);
  /// Stops the stream when the start `play` holds it; a later start is left alone.
  void StopMusic(long play);
  /// Changes the gain of the start `play` (applied at once when it holds the stream).
  void SetMusicGain(long play, int gain);
  long CurrentPlay() const { return currentPlay_; }

  // Effects on channels.
  /// Loads a wave file; 0 when the device or the file fails (reported once per file).
  int LoadSound(const std::string& path, std::string* report = nullptr);
  void FreeSound(int sound);
  void PlayOnChannel(int channel, int sound, bool loop);
  void HaltChannel(int channel);
  bool ChannelPlaying(int channel);
  /// A channel's own gain (0 to 128), times the wave output volume.
  void SetChannelGain(int channel, int gain);

  /// The simple playback call: plays a wave file at once and returns without waiting, cutting
  /// off the sound it played before; an empty path only stops that sound. Files are loaded once
  /// and kept. False when nothing plays (device or file failing, reported once).
  bool PlaySoundAsync(const std::string& path, bool loop = false, std::string* report = nullptr);

  // The old output volumes, kept as given (a read gives back what was set; 0xFFFFFFFF at start).
  uint32_t WaveVolume() const { return waveVolume_; }
  void SetWaveVolume(uint32_t volume);
  uint32_t MidiVolume() const { return midiVolume_; }
  void SetMidiVolume(uint32_t volume);

  /// The MCI command interpreter working on this system (Mci.h).
  MciInterpreter& Mci();

 private:
  void ApplyMusicVolume();
  void ApplyChannelVolume(int channel);

  std::unique_ptr<IAudioDevice> device_;
  std::unique_ptr<MciInterpreter> mci_;
  bool tried_ = false;
  bool ready_ = false;
  std::set<std::string> reported_;
  long nextPlay_ = 1;
  long currentPlay_ = 0;
  std::map<long, int> playGain_;        ///< gain of the start holding the stream
  std::map<int, int> channelGain_;
  std::map<std::string, int> simpleSounds_;  ///< files of the simple call, loaded once (0: failed)
  uint32_t waveVolume_ = 0xFFFFFFFFu;
  uint32_t midiVolume_ = 0xFFFFFFFFu;
};

/// The program's sound service; made with the SDL2_mixer device on first use.
AudioSystem& Audio();
/// Replaces the program's sound service (tests pass one over AudioFakeDevice); nullptr drops it,
/// closing the device, and the next Audio() makes a new one. The program's end drops it before
/// SDL is shut down, after every DxAudio object is gone.
void SetAudio(std::unique_ptr<AudioSystem> audio);

// The old multimedia calls, over Audio(). Their results are the old ones: 0 or true for success.

constexpr uint32_t kSndAsync = 0x0001;  ///< the call returns at once (the only way it plays)
constexpr uint32_t kSndLoop = 0x0008;   ///< repeat until the next call
/// Plays a wave file without waiting (see AudioSystem::PlaySoundAsync); other flags are ignored.
bool SndPlaySound(const std::string& path, uint32_t flags, std::string* report = nullptr);
/// Wave and MIDI output volumes of the mixer; the device number is accepted and ignored (one mixer).
uint32_t WaveOutGetVolume(int device, uint32_t& volume);
uint32_t WaveOutSetVolume(int device, uint32_t volume);
uint32_t MidiOutGetVolume(int device, uint32_t& volume);
uint32_t MidiOutSetVolume(int device, uint32_t volume);

}  // namespace plat
