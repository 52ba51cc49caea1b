/** @file Mci.cpp The interpreter of the game's MCI command strings. */
#include "platform/Mci.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/Audio.h"

namespace plat {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

/// Splits a command on blanks; a double-quoted part (a path with blanks) is one word.
bool SplitWords(const std::string& command, std::vector<std::string>& words) {
  size_t i = 0;
  while (i < command.size()) {
    if (std::isspace(static_cast<unsigned char>(command[i]))) {
      ++i;
    } else if (command[i] == '"') {
      size_t end = command.find('"', i + 1);
      if (end == std::string::npos) return false;
      words.push_back(command.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      size_t end = i;
      while (end < command.size() && !std::isspace(static_cast<unsigned char>(command[end]))) ++end;
      words.push_back(command.substr(i, end - i));
      i = end;
    }
  }
  return true;
}

bool KnownType(const std::string& type) {
  const std::string t = Lower(type);
  return t == "mpegvideo" || t == "sequencer" || t == "waveaudio";
}

}  // namespace

MciInterpreter::~MciInterpreter() {
  while (!devices_.empty()) CloseDevice(devices_.begin()->first);
}

uint32_t MciInterpreter::Fail(uint32_t code, const std::string& key, const std::string& detail) {
  if (audio_.ReportOnce(key, "mci").empty()) return kMciOk;
  lastError_ = code;
  lastDetail_ = detail;
  return code;
}

uint32_t MciInterpreter::SendString(const std::string& command, std::string& reply) {
  reply.clear();
  Words words;
  if (!SplitWords(command, words)) return Fail(kMciErrNoClosingQuote, "mci:quote:" + command, command);
  if (words.empty()) return Fail(kMciErrMissingCommandString, "mci:empty", "");
  const std::string verb = Lower(words[0]);
  if (verb != "open" && verb != "set" && verb != "play" && verb != "stop" && verb != "status" &&
      verb != "close")
    return Fail(kMciErrUnrecognizedCommand, "mci:verb:" + verb, words[0]);
  if (words.size() < 2) return Fail(kMciErrMissingDeviceName, "mci:noname:" + verb, command);
  if (verb == "open") return Open(words);

  const std::string key = Lower(words[1]);
  if (verb == "close" && key == "all") {
    while (!devices_.empty()) CloseDevice(devices_.begin()->first);
    return kMciOk;
  }
  auto found = devices_.find(key);
  if (found == devices_.end())
    return Fail(kMciErrInvalidDeviceName, "mci:nodevice:" + verb + ":" + key, words[1]);
  Device& device = found->second;
  if (verb == "set") return Set(device, words);
  if (verb == "play") return Play(device, words);
  if (verb == "status") return Status(device, words, reply);
  if (words.size() > 2) return Fail(kMciErrUnrecognizedKeyword, "mci:keyword:" + Lower(command), words[2]);
  if (verb == "stop") {
    audio_.StopMusic(device.play);
  } else {
    CloseDevice(key);
  }
  return kMciOk;
}

uint32_t MciInterpreter::Open(const Words& words) {
  const std::string& path = words[1];
  std::string name = path;
  for (size_t i = 2; i < words.size(); ++i) {
    const std::string word = Lower(words[i]);
    if (word == "alias" || word == "type") {
      if (i + 1 >= words.size()) return Fail(kMciErrMissingParameter, "mci:open:" + word + ":" + path, words[i]);
      const std::string& value = words[++i];
      if (word == "alias") {
        name = value;
      } else if (!KnownType(value)) {
        return Fail(kMciErrInvalidDeviceName, "mci:type:" + Lower(value), value);
      }
    } else if (word != "shareable" && word != "notify") {
      return Fail(kMciErrUnrecognizedKeyword, "mci:open:" + word + ":" + path, words[i]);
    }
  }
  const std::string key = Lower(name);
  if (devices_.count(key)) return Fail(kMciErrDuplicateAlias, "mci:duplicate:" + key, name);

  Device& device = devices_[key];  // made even when it fails, so later commands stay silent
  device.path = path;
  std::string report;
  if (!audio_.Ready(&report)) {
    if (report.empty()) return kMciOk;
    lastError_ = kMciErrHardware;
    lastDetail_.clear();  // the code's own text says it all
    return kMciErrHardware;
  }
  const std::string resolved = AudioResolvePath(path);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(resolved, ec))
    return Fail(kMciErrFileNotFound, "file:" + resolved, path);
  device.music = audio_.LoadMusic(path, &report);
  if (device.music == 0 && !report.empty()) {
    lastError_ = kMciErrInvalidFile;
    lastDetail_ = path;
    return kMciErrInvalidFile;
  }
  return kMciOk;
}

uint32_t MciInterpreter::Set(Device&, const Words& words) {
  const std::string rest = words.size() > 2 ? Lower(words[2]) : "";
  if (rest == "time" && words.size() == 5 && Lower(words[3]) == "format") {
    const std::string format = Lower(words[4]);
    if (format == "milliseconds" || format == "ms") return kMciOk;
    return Fail(kMciErrBadTimeFormat, "mci:format:" + format, words[4]);
  }
  if (words.size() < 3) return Fail(kMciErrMissingParameter, "mci:set:" + Lower(words[1]), words[1]);
  return Fail(kMciErrUnsupportedFunction, "mci:set:" + rest, words[2]);
}

uint32_t MciInterpreter::Play(Device& device, const Words& words) {
  for (size_t i = 2; i < words.size(); ++i) {
    const std::string word = Lower(words[i]);
    if (word == "notify") continue;  // no window to tell: the game polls the mode instead
    if (word != "from") return Fail(kMciErrUnrecognizedKeyword, "mci:play:" + word, words[i]);
    if (i + 1 >= words.size()) return Fail(kMciErrMissingParameter, "mci:play:from", "from");
    const std::string& value = words[++i];
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos)
      return Fail(kMciErrBadInteger, "mci:play:from:" + value, value);
    // A tune restarts only from its beginning: the stream cannot seek into a MIDI file.
    if (value.find_first_not_of('0') != std::string::npos)
      return Fail(kMciErrUnsupportedFunction, "mci:play:from:" + value, "from " + value);
  }
  if (device.music != 0) device.play = audio_.StartMusic(device.music, 1);
  return kMciOk;
}

uint32_t MciInterpreter::Status(Device& device, const Words& words, std::string& reply) {
  if (words.size() < 3) return Fail(kMciErrMissingParameter, "mci:status:" + Lower(words[1]), words[1]);
  const std::string item = Lower(words[2]);
  if (item != "mode" || words.size() > 3)
    return Fail(kMciErrUnsupportedFunction, "mci:status:" + item, words[2]);
  if (device.music == 0) {
    reply = "not ready";
  } else {
    reply = audio_.MusicPlaying(device.play) ? "playing" : "stopped";
  }
  return kMciOk;
}

void MciInterpreter::CloseDevice(const std::string& key) {
  auto found = devices_.find(key);
  if (found == devices_.end()) return;
  audio_.StopMusic(found->second.play);
  audio_.FreeMusic(found->second.music);
  devices_.erase(found);
}

std::string MciInterpreter::ErrorString(uint32_t code) const {
  std::string text;
  switch (code) {
    case kMciOk: return "エラーはありません。";
    case kMciErrUnrecognizedKeyword: text = "MCI コマンドに解釈できない語があります。"; break;
    case kMciErrUnrecognizedCommand: text = "解釈できない MCI コマンドです。"; break;
    case kMciErrHardware: text = kNoSoundDeviceText; break;
    case kMciErrInvalidDeviceName: text = "その名前の MCI デバイスは開かれていません。"; break;
    case kMciErrMissingCommandString: text = "MCI コマンドが空です。"; break;
    case kMciErrBadInteger: text = "MCI コマンドの数値が正しくありません。"; break;
    case kMciErrMissingParameter: text = "MCI コマンドに必要な値がありません。"; break;
    case kMciErrUnsupportedFunction: text = "この MCI デバイスではその操作はできません。"; break;
    case kMciErrFileNotFound: text = "ファイルが見つかりません。"; break;
    case kMciErrDuplicateAlias: text = "その別名の MCI デバイスはもう開かれています。"; break;
    case kMciErrMissingDeviceName: text = "MCI コマンドにデバイス名がありません。"; break;
    case kMciErrBadTimeFormat: text = "その時間の形式は使えません。"; break;
    case kMciErrNoClosingQuote: text = "MCI コマンドの引用符が閉じていません。"; break;
    case kMciErrInvalidFile: text = "ファイルを再生できません。"; break;
    default: text = "不明な MCI エラーです (" + std::to_string(code) + ")。"; break;
  }
  if (code == lastError_ && !lastDetail_.empty()) text += "\n" + lastDetail_;
  return text;
}

uint32_t MciSendString(const std::string& command, std::string& reply) {
  return Audio().Mci().SendString(command, reply);
}

std::string MciGetErrorString(uint32_t code) { return Audio().Mci().ErrorString(code); }

}  // namespace plat
