/** @file Mci.h The MCI command strings the game sends for its music, interpreted over the sound service. */
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace plat {

class AudioSystem;

/// MCI result codes (0 is success), numbered as the old multimedia system numbered them.
enum MciError : uint32_t {
  kMciOk = 0,
  kMciErrUnrecognizedKeyword = 259,
  kMciErrUnrecognizedCommand = 261,
  kMciErrHardware = 262,
  kMciErrInvalidDeviceName = 263,
  kMciErrMissingCommandString = 267,
  kMciErrBadInteger = 270,
  kMciErrMissingParameter = 273,
  kMciErrUnsupportedFunction = 274,
  kMciErrFileNotFound = 275,
  kMciErrDuplicateAlias = 289,
  kMciErrMissingDeviceName = 292,
  kMciErrBadTimeFormat = 293,
  kMciErrNoClosingQuote = 294,
  kMciErrInvalidFile = 296,
};

/// Interprets the command strings below (keywords and device names in any case). Each device
/// is a tune on the sound service's one music stream, so playing one device stops another.
///
///   open "FILE" [alias NAME] [type mpegvideo|sequencer|waveaudio]   (any order after FILE)
///   set NAME time format milliseconds|ms
///   play NAME [from 0] [notify]      starts from the beginning; notify sends nothing
///   stop NAME
///   status NAME mode                 reply "playing" or "stopped" ("not ready": see below)
///   close NAME | close all
///
/// Failures are reported once. An open whose file is missing or unreadable, or made with no
/// sound device, fails with its error the first time and still makes the device, silent: later
/// commands on it succeed and do nothing, and its mode reads "not ready". Any other failure
/// (an unknown device or keyword) gives its error the first time it happens and succeeds
/// silently, with an empty reply, on every repeat, so that a timer polling a broken device
/// shows no stream of messages.
class MciInterpreter {
 public:
  explicit MciInterpreter(AudioSystem& audio) : audio_(audio) {}
  ~MciInterpreter();
  MciInterpreter(const MciInterpreter&) = delete;
  MciInterpreter& operator=(const MciInterpreter&) = delete;

  /// Runs one command; the result code and, for "status", the reply ("" otherwise).
  uint32_t SendString(const std::string& command, std::string& reply);
  /// The text of a result code, in Japanese; for the last failure it also names what failed.
  std::string ErrorString(uint32_t code) const;

 private:
  struct Device {
    std::string path;
    int music = 0;   ///< 0: silent (its file or the device failed)
    long play = 0;   ///< the sound service's number of its last start
  };
  using Words = std::vector<std::string>;

  uint32_t Open(const Words& words);
  uint32_t Set(Device& device, const Words& words);
  uint32_t Play(Device& device, const Words& words);
  uint32_t Status(Device& device, const Words& words, std::string& reply);
  void CloseDevice(const std::string& key);
  uint32_t Fail(uint32_t code, const std::string& key, const std::string& detail);

  AudioSystem& audio_;
  std::map<std::string, Device> devices_;  ///< by lower-case name
  uint32_t lastError_ = kMciOk;
  std::string lastDetail_;
};

/// The old MCI calls, over Audio().Mci().
uint32_t MciSendString(const std::string& command, std::string& reply);
std::string MciGetErrorString(uint32_t code);

}  // namespace plat
