/** @file AudioDeviceSdl.cpp The sound output over SDL2_mixer, with FluidSynth and the installed General MIDI bank. */
#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include "platform/AudioDevice.h"

namespace plat {

namespace {

const char* const kSoundFontFolders[] = {"/usr/share/sounds/sf2", "/usr/share/soundfonts"};

std::string LowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

bool IsMidi(const std::string& path) {
  const std::string ext = LowerExtension(path);
  return ext == ".mid" || ext == ".midi" || ext == ".rmi";
}

class SdlAudioDevice : public IAudioDevice {
 public:
  ~SdlAudioDevice() override { Close(); }

  bool Open(int channels, std::string& error) override {
    if (open_) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      error = SDL_GetError();
      return false;
    }
    Mix_Init(MIX_INIT_MID);
    const std::string font = FindGeneralMidiSoundFont();
    if (!font.empty()) Mix_SetSoundFonts(font.c_str());
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) != 0) {
      error = Mix_GetError();
      Mix_Quit();
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return false;
    }
    Mix_AllocateChannels(channels);
    open_ = true;
    return true;
  }

  void Close() override {
    if (!open_) return;
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    for (auto& [handle, entry] : musics_)
      if (entry.music) Mix_FreeMusic(entry.music);
    for (auto& [handle, chunk] : sounds_) Mix_FreeChunk(chunk);
    musics_.clear();
    sounds_.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
  }

  // Every MIDI tune makes its own synthesizer with the whole General MIDI bank (about 10 MB).
  // Only one tune plays at a time, so a MIDI file is only checked here and made into a tune when
  // it starts, letting go of the MIDI tune made before.
  int LoadMusic(const std::string& path, std::string& error) override {
    if (!open_) return NotOpen(error);
    Music entry{path, nullptr, IsMidi(path)};
    if (entry.midi) {
      if (!LooksLikeMidi(path, error)) return 0;
    } else if (!(entry.music = Open(path, error))) {
      return 0;
    }
    musics_[next_] = entry;
    return next_++;
  }

  void FreeMusic(int handle) override {
    auto it = musics_.find(handle);
    if (it == musics_.end()) return;
    if (it->second.music) Mix_FreeMusic(it->second.music);  // halts it first when it is the one playing
    musics_.erase(it);
  }

  bool PlayMusic(int handle, int plays, std::string& error) override {
    auto it = musics_.find(handle);
    if (it == musics_.end()) return NotOpen(error) != 0;
    Music& m = it->second;
    if (!m.music) {
      for (auto& [other, entry] : musics_)
        if (entry.midi && entry.music) {
          Mix_FreeMusic(entry.music);
          entry.music = nullptr;
        }
      if (!(m.music = Open(m.path, error))) return false;
    }
    if (Mix_PlayMusic(m.music, plays == 0 ? 1 : plays) != 0) {
      error = Mix_GetError();
      return false;
    }
    return true;
  }

  void HaltMusic() override {
    if (open_) Mix_HaltMusic();
  }
  bool MusicPlaying() override { return open_ && Mix_PlayingMusic() != 0; }
  void SetMusicVolume(int volume) override {
    if (open_) Mix_VolumeMusic(std::clamp(volume, 0, kAudioMaxVolume));
  }

  int LoadSound(const std::string& path, std::string& error) override {
    if (!open_) return NotOpen(error);
    // The file is closed here: the mixer leaks it when the data is not a sound it knows.
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) {
      error = SDL_GetError();
      return 0;
    }
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 0);
    SDL_RWclose(file);
    if (!chunk) {
      error = Mix_GetError();
      return 0;
    }
    // The mixer keeps the whole working buffer of the conversion to the device's format, several
    // times the sound itself: give back what the sound does not use.
    if (chunk->allocated && chunk->alen > 0)
      if (auto* fitted = static_cast<Uint8*>(SDL_realloc(chunk->abuf, chunk->alen))) chunk->abuf = fitted;
    sounds_[next_] = chunk;
    return next_++;
  }

  void FreeSound(int handle) override {
    auto it = sounds_.find(handle);
    if (it == sounds_.end()) return;
    // A chunk must not be freed while a channel still reads it.
    for (int ch = 0, n = Mix_AllocateChannels(-1); ch < n; ++ch)
      if (Mix_GetChunk(ch) == it->second) Mix_HaltChannel(ch);
    Mix_FreeChunk(it->second);
    sounds_.erase(it);
  }

  bool PlaySound(int channel, int handle, bool loop, std::string& error) override {
    auto it = sounds_.find(handle);
    if (it == sounds_.end()) return NotOpen(error) != 0;
    if (Mix_PlayChannel(channel, it->second, loop ? -1 : 0) < 0) {
      error = Mix_GetError();
      return false;
    }
    return true;
  }

  void HaltChannel(int channel) override {
    if (open_) Mix_HaltChannel(channel);
  }
  bool ChannelPlaying(int channel) override { return open_ && Mix_Playing(channel) != 0; }
  void SetChannelVolume(int channel, int volume) override {
    if (open_) Mix_Volume(channel, std::clamp(volume, 0, kAudioMaxVolume));
  }

 private:
  struct Music {
    std::string path;
    Mix_Music* music;  ///< null for a MIDI tune not made yet
    bool midi;
  };

  static int NotOpen(std::string& error) {
    error = "sound output not open";
    return 0;
  }

  static Mix_Music* Open(const std::string& path, std::string& error) {
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) {
      error = Mix_GetError();
      if (IsMidi(path) && FindGeneralMidiSoundFont().empty())
        error = "General MIDI の音色ファイル (.sf2) がありません。timgm6mb-soundfont を入れてください";
    }
    return music;
  }

  // A standard MIDI file, or one in a RIFF wrapper (.rmi).
  static bool LooksLikeMidi(const std::string& path, std::string& error) {
    char head[4] = {};
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) {
      error = SDL_GetError();
      return false;
    }
    const size_t got = SDL_RWread(file, head, 1, 4);
    SDL_RWclose(file);
    const std::string magic(head, got);
    if (magic == "MThd" || magic == "RIFF") return true;
    error = "MIDI ファイルではありません";
    return false;
  }

  bool open_ = false;
  int next_ = 1;
  std::map<int, Music> musics_;
  std::map<int, Mix_Chunk*> sounds_;
};

}  // namespace

std::string FindGeneralMidiSoundFont() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path preferred = fs::path(kSoundFontFolders[0]) / "TimGM6mb.sf2";
  if (fs::is_regular_file(preferred, ec)) return preferred.string();
  for (const char* folder : kSoundFontFolders) {
    std::vector<std::string> found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      if (LowerExtension(it->path().string()) == ".sf2" && it->is_regular_file(ec)) found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    if (!found.empty()) return found.front();
  }
  return "";
}

std::unique_ptr<IAudioDevice> MakeSdlAudioDevice() { return std::make_unique<SdlAudioDevice>(); }

bool WaveFileDecodes(const std::string& path, std::string& error) {
  // The mixer hands a RIFF/WAVE file to this same reader when the effect is loaded.
  SDL_AudioSpec spec;
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV(path.c_str(), &spec, &samples, &length)) {
    error = SDL_GetError();
    return false;
  }
  SDL_FreeWAV(samples);
  return true;
}

}  // namespace plat
