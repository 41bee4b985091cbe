// The multimedia command service: text commands for wave sound, MIDI songs and AVI movies sent
// through the main form's device controls. Aliases are shared by all controls; each control keeps
// the error number and result text of the last command sent through it. The devices behind the
// commands come from a backend: the headless one only keeps time, the SDL one sounds and shows.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/clock.hpp"
#include "host/forms.hpp"
#include "host/media/media_files.hpp"
#include "host/numbers.hpp"

namespace zav3::host {

class FileSystem;
class Trace;

// Error numbers of the service (0 = success).
namespace mediaError {
inline constexpr Long unknownCommand = 261;
inline constexpr Long aliasNotOpen = 263;
inline constexpr Long missingParameter = 274;
inline constexpr Long fileNotFound = 275;
inline constexpr Long outOfRange = 282;
inline constexpr Long badKeyword = 259;
inline constexpr Long aliasInUse = 289;
inline constexpr Long badFile = 304;
inline constexpr Long noDevice = 266;
}  // namespace mediaError

enum class MediaKind { wave, midi, movie };

// An opened media file: its kind, its bytes and what its header says.
struct MediaFile {
  MediaKind kind = MediaKind::wave;
  std::string path;  // real path (UTF-8)
  std::string bytes;
  WaveInfo wave;
  MidiInfo midi;
  MovieInfo movie;
  std::int64_t durationUs() const;
};

// One open alias on a device. Positions are microseconds from the start of the file.
class Player {
 public:
  virtual ~Player() = default;
  virtual void play(std::int64_t fromUs, std::int64_t toUs) = 0;
  virtual void stop() = 0;
  virtual bool playing() = 0;
  virtual std::int64_t positionUs() = 0;
  // Lets a device do its work while the program waits on it (movie frames).
  virtual void pump() {}
  virtual bool needsPump() const { return false; }
  virtual void setWindow(Long /*handle*/) {}
  virtual void setDestination(int /*x*/, int /*y*/, int /*width*/, int /*height*/) {}
};

class MediaBackend {
 public:
  virtual ~MediaBackend() = default;
  // A player for the file; null with `why` set when the device cannot take it.
  virtual std::unique_ptr<Player> open(const MediaFile& file, std::string& why) = 0;
  // The player's volumes (0..1) and the mute; devices that do not sound ignore them.
  virtual void setLevels(float /*music*/, float /*effects*/, bool /*muted*/) {}
};

// Keeps time on `time` only: plays last as long as the file says.
std::unique_ptr<MediaBackend> makeHeadlessMediaBackend(Clock& time);

class Media {
 public:
  // `time` must not dispatch events: a command with "wait" blocks the program.
  Media(FileSystem& files, Forms& forms, Clock& time, Trace& trace,
        std::unique_ptr<MediaBackend> backend);
  ~Media();
  Media(const Media&) = delete;
  Media& operator=(const Media&) = delete;

  // Runs the command; stores and returns the error number (0 = success). `device` must be a
  // media device control (run-time error 1002 otherwise); 0 sends without storing.
  Long sendCommand(Handle device, std::string_view command);
  Bytes resultText(Handle device) const;
  Long errorNumber(Handle device) const;
  // Shift-JIS description of an error number.
  static Bytes errorText(Long number);

  // One trace line per command with its outcome.
  void setTraceMedia(bool on) { traceMedia_ = on; }
  bool aliasOpen(std::string_view alias) const;
  // Where a playing alias is in its file, in microseconds; nothing when it is not open or not
  // playing. The picture shows time themselves by this clock.
  std::optional<std::int64_t> playingPositionUs(std::string_view alias);
  // Lets `ms` pass without dispatching events, keeping the devices going (a polling wait).
  void idle(std::int64_t ms);
  MediaBackend& backend() { return *backend_; }

 private:
  struct Alias {
    MediaFile file;
    std::unique_ptr<Player> player;
    std::string timeFormat = "milliseconds";
    std::int64_t endUs = 0;  // end of the range last played
  };
  struct Outcome {
    Long error = 0;
    Bytes result;
  };
  Outcome run(std::string_view command);
  Outcome open(const std::vector<std::string>& words, const std::vector<std::string>& lower);
  std::int64_t toUs(const Alias& a, std::int64_t value) const;
  std::int64_t fromUs(const Alias& a, std::int64_t us) const;
  std::int64_t lengthOf(const Alias& a) const;  // in the alias's time format
  void waitFor(Alias& a);

  FileSystem& files_;
  Forms& forms_;
  Clock& time_;
  Trace& trace_;
  std::unique_ptr<MediaBackend> backend_;
  std::map<std::string, Alias> aliases_;  // by lower-case name
  std::map<Handle, Outcome> outcomes_;
  bool traceMedia_ = false;
};

}  // namespace zav3::host
