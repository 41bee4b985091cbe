// The command interpreter of the multimedia service: parsing, aliases, time formats and the
// per-control outcome.
#include "host/media/media.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

#include "host/files.hpp"
#include "host/host.hpp"
#include "host/sjis.hpp"

namespace zav3::host {

namespace {

std::string lowered(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::vector<std::string> splitWords(std::string_view s) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    if (i > start) words.emplace_back(s.substr(start, i - start));
  }
  return words;
}

bool number(const std::string& word, std::int64_t& value) {
  const char* end = word.data() + word.size();
  const auto r = std::from_chars(word.data(), end, value);
  return r.ec == std::errc() && r.ptr == end && value >= 0;
}

std::string extensionOf(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return lowered(path.substr(dot + 1));
}

// The file from its start: its first `limit` bytes, or all of it when `limit` is 0.
void readBytes(std::ifstream& in, std::size_t limit, std::string& out) {
  in.clear();
  in.seekg(0, std::ios::end);
  const auto size = static_cast<std::size_t>(std::max<std::streamoff>(0, in.tellg()));
  in.seekg(0);
  out.resize(limit > 0 ? std::min(limit, size) : size);
  in.read(out.data(), static_cast<std::streamsize>(out.size()));
  out.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
  return b > 0 ? (a + b - 1) / b : 0;
}

}  // namespace

std::int64_t MediaFile::durationUs() const {
  switch (kind) {
    case MediaKind::wave:
      return wave.durationUs();
    case MediaKind::midi:
      return midi.durationUs();
    case MediaKind::movie:
      return movie.durationUs();
  }
  return 0;
}

Media::Media(FileSystem& files, Forms& forms, Clock& time, Trace& trace,
             std::unique_ptr<MediaBackend> backend)
    : files_(files), forms_(forms), time_(time), trace_(trace), backend_(std::move(backend)) {}

Media::~Media() {
  // Players go before the backend that made them.
  aliases_.clear();
}

Long Media::sendCommand(Handle device, std::string_view command) {
  if (device != 0) forms_.control(device, ControlKind::mediaDevice);
  Outcome outcome = run(command);
  if (traceMedia_) {
    std::string line = "media " + std::to_string(device) + " " + sjisToUtf8(command) + " -> " +
                       std::to_string(outcome.error);
    if (!outcome.result.empty()) line += " \"" + sjisToUtf8(outcome.result) + "\"";
    trace_.line(line);
  }
  const Long error = outcome.error;
  if (outcome.result.size() > 255) outcome.result.resize(255);
  if (device != 0) outcomes_[device] = std::move(outcome);
  return error;
}

Bytes Media::resultText(Handle device) const {
  const auto it = outcomes_.find(device);
  return it == outcomes_.end() ? Bytes() : it->second.result;
}

Long Media::errorNumber(Handle device) const {
  const auto it = outcomes_.find(device);
  return it == outcomes_.end() ? 0 : it->second.error;
}

Bytes Media::errorText(Long number) {
  switch (number) {
    case 0:
      return sj("エラーはありません。");
    case mediaError::unknownCommand:
      return sj("指定されたコマンドを認識できません。");
    case mediaError::aliasNotOpen:
      return sj("指定されたデバイスは開かれていないか、認識されていません。");
    case mediaError::missingParameter:
      return sj("コマンドに必要なパラメータが指定されていません。");
    case mediaError::fileNotFound:
      return sj("指定されたファイルが見つかりません。パスとファイル名を確認してください。");
    case mediaError::outOfRange:
      return sj("指定されたパラメータは範囲外です。");
    case mediaError::badKeyword:
      return sj("指定されたコマンドに不明なパラメータがあります。");
    case mediaError::aliasInUse:
      return sj("指定されたエイリアスは既に使われています。");
    case mediaError::badFile:
      return sj(
          "指定されたファイルはこのデバイスで再生できません。ファイルが壊れているか、形式が正しくあ"
          "りません。");
    case mediaError::noDevice:
      return sj("デバイスドライバを読み込めません。");
    default:
      return sj("不明なエラーです。");
  }
}

bool Media::aliasOpen(std::string_view alias) const {
  return aliases_.count(lowered(alias)) != 0;
}

std::optional<std::int64_t> Media::playingPositionUs(std::string_view alias) {
  const auto it = aliases_.find(lowered(alias));
  if (it == aliases_.end() || !it->second.player->playing()) return std::nullopt;
  return it->second.player->positionUs();
}

void Media::idle(std::int64_t ms) {
  for (auto& [name, alias] : aliases_) alias.player->pump();
  time_.sleepMs(ms);
}

std::int64_t Media::toUs(const Alias& a, std::int64_t v) const {
  const MediaFile& f = a.file;
  const std::string& tf = a.timeFormat;
  if (tf == "bytes" && f.kind == MediaKind::wave) {
    return ceilDiv(v / std::max(1, f.wave.blockAlign) * 1000000, f.wave.sampleRate);
  }
  if (tf == "samples" && f.kind == MediaKind::wave) {
    return ceilDiv(v * 1000000, f.wave.sampleRate);
  }
  if (tf == "song pointer" && f.kind == MediaKind::midi) {
    return f.midi.tickToUs(v * f.midi.ticksPerSixteenth());
  }
  if (tf == "frames" && f.kind == MediaKind::movie) return v * f.movie.usPerFrame;
  return v * 1000;
}

std::int64_t Media::fromUs(const Alias& a, std::int64_t us) const {
  const MediaFile& f = a.file;
  const std::string& tf = a.timeFormat;
  if (tf == "bytes" && f.kind == MediaKind::wave) {
    return us * f.wave.sampleRate / 1000000 * f.wave.blockAlign;
  }
  if (tf == "samples" && f.kind == MediaKind::wave) return us * f.wave.sampleRate / 1000000;
  if (tf == "song pointer" && f.kind == MediaKind::midi) {
    return f.midi.usToTick(us) / f.midi.ticksPerSixteenth();
  }
  if (tf == "frames" && f.kind == MediaKind::movie) {
    return f.movie.usPerFrame > 0 ? us / f.movie.usPerFrame : 0;
  }
  return us / 1000;
}

std::int64_t Media::lengthOf(const Alias& a) const {
  const MediaFile& f = a.file;
  if (a.timeFormat == "bytes" && f.kind == MediaKind::wave) {
    return static_cast<std::int64_t>(f.wave.dataBytes);
  }
  if (a.timeFormat == "frames" && f.kind == MediaKind::movie) return f.movie.frames;
  if (a.timeFormat == "song pointer" && f.kind == MediaKind::midi) {
    return ceilDiv(f.midi.lengthTicks, f.midi.ticksPerSixteenth());
  }
  return fromUs(a, f.durationUs());
}

void Media::waitFor(Alias& a) {
  // Devices that need no attention are left alone until the range should have ended.
  while (a.player->playing()) {
    a.player->pump();
    const std::int64_t leftMs = (a.endUs - a.player->positionUs()) / 1000;
    time_.sleepMs(a.player->needsPump() ? 10 : std::max<std::int64_t>(1, leftMs));
  }
}

Media::Outcome Media::open(const std::vector<std::string>& words,
                           const std::vector<std::string>& lower) {
  if (words.size() < 2) return {mediaError::missingParameter, {}};
  const std::string& gamePath = words[1];
  std::string type;
  std::string aliasName = lowered(gamePath);
  for (std::size_t i = 2; i < words.size(); ++i) {
    if (lower[i] == "type" && i + 1 < words.size()) {
      type = lower[++i];
    } else if (lower[i] == "alias" && i + 1 < words.size()) {
      aliasName = lower[++i];
    } else if (lower[i] != "wait" && lower[i] != "shareable" && lower[i] != "notify") {
      return {mediaError::badKeyword, {}};
    }
  }
  if (aliases_.count(aliasName)) return {mediaError::aliasInUse, {}};
  MediaFile file;
  const std::string ext = extensionOf(gamePath);
  if (type == "waveaudio" || (type.empty() && ext == "wav")) {
    file.kind = MediaKind::wave;
  } else if (type == "sequencer" || (type.empty() && (ext == "mid" || ext == "rmi"))) {
    file.kind = MediaKind::midi;
  } else if (type == "avivideo" || (type.empty() && ext == "avi")) {
    file.kind = MediaKind::movie;
  } else {
    return {mediaError::noDevice, {}};
  }
  std::filesystem::path real;
  try {
    real = files_.paths().toReal(gamePath);
  } catch (const std::exception&) {
    return {mediaError::fileNotFound, {}};
  }
  std::ifstream in(real, std::ios::binary);
  if (!in) return {mediaError::fileNotFound, {}};
  file.path = real.string();
  // A movie's headers lie in front of its frames, which the device reads itself: only the
  // first part of the file is read, all of it only when the headers reach further.
  constexpr std::size_t movieHead = 64 * 1024;
  readBytes(in, file.kind == MediaKind::movie ? movieHead : 0, file.bytes);
  std::string why;
  bool good = false;
  switch (file.kind) {
    case MediaKind::wave:
      if (auto w = readWave(file.bytes, why)) file.wave = *w, good = true;
      break;
    case MediaKind::midi:
      if (auto mi = readMidi(file.bytes, why)) file.midi = *mi, good = true;
      break;
    case MediaKind::movie:
      if (auto mv = readMovie(file.bytes, why)) {
        file.movie = *mv, good = true;
      } else if (file.bytes.size() == movieHead) {
        readBytes(in, 0, file.bytes);
        if ((mv = readMovie(file.bytes, why))) file.movie = *mv, good = true;
      }
      break;
  }
  if (!good) return {mediaError::badFile, {}};
  Alias alias;
  alias.player = backend_->open(file, why);
  if (!alias.player) return {mediaError::badFile, {}};
  if (file.kind == MediaKind::movie) {
    alias.timeFormat = "frames";
    file.bytes.clear();  // the device reads the movie itself
  }
  alias.file = std::move(file);
  aliases_.emplace(aliasName, std::move(alias));
  return {};
}

Media::Outcome Media::run(std::string_view command) {
  const std::vector<std::string> words = splitWords(command);
  if (words.empty()) return {mediaError::unknownCommand, {}};
  std::vector<std::string> lower;
  for (const std::string& w : words) lower.push_back(lowered(w));
  const std::string& verb = lower[0];
  static const char* const verbs[] = {"open", "close",  "play", "stop",    "pause", "status",
                                      "set",  "window", "put",  "realize", "seek"};
  if (std::none_of(std::begin(verbs), std::end(verbs), [&](const char* v) { return verb == v; })) {
    return {mediaError::unknownCommand, {}};
  }
  if (verb == "open") return open(words, lower);
  if (words.size() < 2) return {mediaError::missingParameter, {}};
  if (verb == "close" && lower[1] == "all") {
    aliases_.clear();
    return {};
  }
  const auto found = aliases_.find(lower[1]);
  if (found == aliases_.end()) return {mediaError::aliasNotOpen, {}};
  Alias& a = found->second;
  const auto at = [&](std::size_t i) -> const std::string& {
    static const std::string none;
    return i < lower.size() ? lower[i] : none;
  };

  if (verb == "close") {
    a.player->stop();
    aliases_.erase(found);
    return {};
  }
  if (verb == "stop" || verb == "pause") {
    a.player->stop();
    return {};
  }
  if (verb == "realize") return {};
  if (verb == "play") {
    const std::int64_t length = a.file.durationUs();
    const std::int64_t lengthUnits = lengthOf(a);
    std::int64_t from = std::min(a.player->positionUs(), length);
    std::int64_t to = length;
    bool wait = false;
    for (std::size_t i = 2; i < lower.size(); ++i) {
      std::int64_t v = 0;
      if ((lower[i] == "from" || lower[i] == "to") && i + 1 < lower.size()) {
        if (!number(lower[i + 1], v)) return {mediaError::badKeyword, {}};
        if (v > lengthUnits) return {mediaError::outOfRange, {}};
        (lower[i] == "from" ? from : to) = std::min(toUs(a, v), length);
        ++i;
      } else if (lower[i] == "wait") {
        wait = true;
      } else if (lower[i] != "notify") {
        return {mediaError::badKeyword, {}};
      }
    }
    if (from > length || to > length || from > to) return {mediaError::outOfRange, {}};
    a.endUs = to;
    a.player->play(from, to);
    if (wait) waitFor(a);
    return {};
  }
  if (verb == "seek") {
    a.player->stop();
    return {};
  }
  if (verb == "status") {
    const std::string item = at(2) == "time" ? "time format" : at(2);
    a.player->pump();
    if (item == "mode") return {0, a.player->playing() ? "playing" : "stopped"};
    if (item == "position") return {0, std::to_string(fromUs(a, a.player->positionUs()))};
    if (item == "length") return {0, std::to_string(lengthOf(a))};
    if (item == "ready") return {0, "true"};
    if (item == "time format") return {0, a.timeFormat};
    return {mediaError::badKeyword, {}};
  }
  if (verb == "set") {
    if (at(2) == "time" && at(3) == "format") {
      std::string format = at(4);
      if (format == "song" && at(5) == "pointer") format = "song pointer";
      if (format == "ms") format = "milliseconds";
      const MediaKind k = a.file.kind;
      const bool fits = format == "milliseconds" ||
                        ((format == "bytes" || format == "samples") && k == MediaKind::wave) ||
                        (format == "song pointer" && k == MediaKind::midi) ||
                        (format == "frames" && k == MediaKind::movie);
      if (!fits) return {mediaError::badKeyword, {}};
      a.timeFormat = format;
      return {};
    }
    return {};  // audio and door settings are accepted and ignored
  }
  if (verb == "window") {
    if (at(2) == "handle") {
      std::int64_t h = 0;
      if (!number(at(3), h)) return {mediaError::badKeyword, {}};
      a.player->setWindow(static_cast<Long>(h));
    }
    return {};
  }
  if (verb == "put") {
    if (at(2) != "destination") return {};
    std::size_t i = at(3) == "at" ? 4 : 3;
    std::int64_t v[4] = {};
    for (int k = 0; k < 4; ++k) {
      if (!number(at(i + k), v[k])) return {mediaError::missingParameter, {}};
    }
    a.player->setDestination(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                             static_cast<int>(v[3]));
    return {};
  }
  return {mediaError::unknownCommand, {}};
}

}  // namespace zav3::host
