// Readers of wave, MIDI and AVI headers, and the wave conversion for the mixer.
#include "host/media/media_files.hpp"

#include <algorithm>

namespace zav3::host {

namespace {

std::uint32_t le32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}
std::uint16_t le16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                    static_cast<std::uint8_t>(b[at + 1]) << 8);
}
std::uint32_t be32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at])) << 24 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 1])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 2])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3]));
}
std::uint16_t be16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) << 8 |
                                    static_cast<std::uint8_t>(b[at + 1]));
}

// A MIDI variable-length number; false when it runs past `end`.
bool varLen(std::string_view b, std::size_t& at, std::size_t end, std::uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (at >= end) return false;
    const auto c = static_cast<std::uint8_t>(b[at++]);
    value = value << 7 | (c & 0x7F);
    if (!(c & 0x80)) return true;
  }
  return false;
}

}  // namespace

std::int64_t WaveInfo::durationUs() const {
  return sampleRate ? frames() * 1000000 / sampleRate : 0;
}

std::optional<WaveInfo> readWave(std::string_view b, std::string& why) {
  if (b.size() < 12 || b.substr(0, 4) != "RIFF" || b.substr(8, 4) != "WAVE") {
    why = "not a RIFF WAVE file";
    return std::nullopt;
  }
  WaveInfo info;
  bool haveFormat = false;
  std::size_t at = 12;
  while (at + 8 <= b.size()) {
    const std::string_view id = b.substr(at, 4);
    const std::size_t size = le32(b, at + 4);
    const std::size_t body = at + 8;
    if (id == "fmt ") {
      if (size < 16 || body + 16 > b.size()) break;
      const int format = le16(b, body);
      info.channels = le16(b, body + 2);
      info.sampleRate = static_cast<int>(le32(b, body + 4));
      info.bitsPerSample = le16(b, body + 14);
      if (format != 1 || (info.channels != 1 && info.channels != 2) ||
          (info.bitsPerSample != 8 && info.bitsPerSample != 16) || info.sampleRate < 1000 ||
          info.sampleRate > 192000) {
        why = "unsupported wave format";
        return std::nullopt;
      }
      info.blockAlign = info.channels * info.bitsPerSample / 8;
      info.byteRate = static_cast<std::int64_t>(info.blockAlign) * info.sampleRate;
      haveFormat = true;
    } else if (id == "data") {
      if (!haveFormat) break;
      info.dataOffset = body;
      // A file cut short keeps the frames it has.
      const std::size_t have = std::min(size, b.size() - body);
      info.dataBytes = have - have % static_cast<std::size_t>(info.blockAlign);
      return info;
    }
    if (size > b.size() - body) break;
    at = body + size + (size & 1);
  }
  why = haveFormat ? "no sample data" : "no wave format";
  return std::nullopt;
}

std::int64_t MidiInfo::tickToUs(std::int64_t tick) const {
  if (ticksPerQuarter == 0) {
    return smpteTicksPerSecond > 0 ? static_cast<std::int64_t>(tick * 1e6 / smpteTicksPerSecond)
                                   : 0;
  }
  std::int64_t us = 0;
  std::int64_t lastTick = 0;
  std::int64_t tempo = 500000;
  for (const TempoChange& t : tempos) {
    if (t.tick >= tick) break;
    us += (t.tick - lastTick) * tempo / ticksPerQuarter;
    lastTick = t.tick;
    tempo = t.usPerQuarter;
  }
  return us + (tick - lastTick) * tempo / ticksPerQuarter;
}

std::int64_t MidiInfo::usToTick(std::int64_t us) const {
  if (ticksPerQuarter == 0) return static_cast<std::int64_t>(us * smpteTicksPerSecond / 1e6);
  std::int64_t atUs = 0;
  std::int64_t lastTick = 0;
  std::int64_t tempo = 500000;
  for (const TempoChange& t : tempos) {
    const std::int64_t nextUs = atUs + (t.tick - lastTick) * tempo / ticksPerQuarter;
    if (nextUs > us) break;
    atUs = nextUs;
    lastTick = t.tick;
    tempo = t.usPerQuarter;
  }
  return lastTick + (us - atUs) * ticksPerQuarter / tempo;
}

std::optional<MidiInfo> readMidi(std::string_view b, std::string& why) {
  if (b.size() < 14 || b.substr(0, 4) != "MThd" || be32(b, 4) < 6) {
    why = "not a standard MIDI file";
    return std::nullopt;
  }
  MidiInfo info;
  info.format = be16(b, 8);
  info.tracks = be16(b, 10);
  const std::uint16_t division = be16(b, 12);
  if (division & 0x8000) {
    const int fps = -static_cast<std::int8_t>(division >> 8);
    info.smpteTicksPerSecond = (fps == 29 ? 29.97 : fps) * (division & 0xFF);
  } else {
    info.ticksPerQuarter = division;
  }
  if (info.format > 2 || info.tracks == 0 || (division == 0) ||
      (info.ticksPerQuarter == 0 && info.smpteTicksPerSecond <= 0)) {
    why = "bad MIDI header";
    return std::nullopt;
  }
  std::size_t at = 8 + be32(b, 4);
  int found = 0;
  while (found < info.tracks && at + 8 <= b.size()) {
    const std::size_t size = be32(b, at + 4);
    const std::size_t body = at + 8;
    if (b.substr(at, 4) != "MTrk") {  // unknown chunk: skip
      if (size > b.size() - body) break;
      at = body + size;
      continue;
    }
    const std::size_t end = body + std::min(size, b.size() - body);
    std::size_t p = body;
    std::int64_t tick = 0;
    std::uint8_t status = 0;
    while (p < end) {
      std::uint32_t delta = 0;
      if (!varLen(b, p, end, delta) || p >= end) break;
      tick += delta;
      auto c = static_cast<std::uint8_t>(b[p]);
      if (c & 0x80) {
        ++p;
        if (c < 0xF0) status = c;
      } else if (status == 0) {
        why = "MIDI data without a status";
        return std::nullopt;
      } else {
        c = status;
      }
      if (c == 0xFF) {
        if (p >= end) break;
        const auto type = static_cast<std::uint8_t>(b[p++]);
        std::uint32_t len = 0;
        if (!varLen(b, p, end, len) || len > end - p) break;
        if (type == 0x51 && len == 3) {
          const std::int64_t tempo = static_cast<std::uint8_t>(b[p]) << 16 |
                                     static_cast<std::uint8_t>(b[p + 1]) << 8 |
                                     static_cast<std::uint8_t>(b[p + 2]);
          if (tempo > 0) info.tempos.push_back({tick, tempo});
        }
        p += len;
        if (type == 0x2F) break;
      } else if (c == 0xF0 || c == 0xF7) {
        std::uint32_t len = 0;
        if (!varLen(b, p, end, len) || len > end - p) break;
        p += len;
      } else {
        const int hi = c & 0xF0;
        const std::size_t n = (hi == 0xC0 || hi == 0xD0) ? 1 : 2;
        if (p + n > end) break;
        MidiChannelUse& use = info.channels[c & 0x0F];
        const int data = static_cast<std::uint8_t>(b[p]) & 0x7F;
        const int data2 = n == 2 ? static_cast<std::uint8_t>(b[p + 1]) & 0x7F : 0;
        auto first = [tick](std::int64_t& at) { at = at < 0 ? tick : std::min(at, tick); };
        if (hi == 0x90 && data2 > 0) {
          use.keys.set(static_cast<std::size_t>(data));
          first(use.firstNote);
        } else if (hi == 0xC0) {
          use.programs.push_back(data);
          first(use.firstProgram);
        } else if (hi == 0xB0 && data == 0) {
          use.banks.push_back(data2);
        }
        p += n;
      }
    }
    info.lengthTicks = std::max(info.lengthTicks, tick);
    ++found;
    at = end;
  }
  if (found == 0) {
    why = "no MIDI track";
    return std::nullopt;
  }
  // Past 2^32 ticks (months at any tempo) the delta times are damaged; the bound also keeps
  // ticks times tempo (below 2^24) inside 64 bits for the timing.
  if (info.lengthTicks >= std::int64_t{1} << 32) {
    why = "MIDI song too long";
    return std::nullopt;
  }
  std::stable_sort(info.tempos.begin(), info.tempos.end(),
                   [](const TempoChange& x, const TempoChange& y) { return x.tick < y.tick; });
  return info;
}

std::optional<MovieInfo> readMovie(std::string_view b, std::string& why) {
  if (b.size() < 12 || b.substr(0, 4) != "RIFF" || b.substr(8, 4) != "AVI ") {
    why = "not an AVI file";
    return std::nullopt;
  }
  MovieInfo info;
  bool haveMain = false;
  bool haveVideo = false;
  std::size_t at = 12;
  // Walk the chunks, entering LIST chunks, until the headers are read.
  while (at + 8 <= b.size() && !haveVideo) {
    const std::string_view id = b.substr(at, 4);
    const std::size_t size = le32(b, at + 4);
    const std::size_t body = at + 8;
    if (id == "LIST") {
      if (body + 4 > b.size()) break;
      if (b.substr(body, 4) == "movi") break;
      at = body + 4;
      continue;
    }
    if (id == "avih" && size >= 40 && body + 40 <= b.size()) {
      info.usPerFrame = le32(b, body);
      info.frames = le32(b, body + 16);
      info.width = static_cast<int>(le32(b, body + 32));
      info.height = static_cast<int>(le32(b, body + 36));
      haveMain = true;
    } else if (id == "strh" && size >= 36 && body + 36 <= b.size() && b.substr(body, 4) == "vids") {
      const std::uint32_t scale = le32(b, body + 20);
      const std::uint32_t rate = le32(b, body + 24);
      const std::uint32_t length = le32(b, body + 32);
      if (scale > 0 && rate > 0) {
        info.usPerFrame = static_cast<std::int64_t>(1000000.0 * scale / rate + 0.5);
        info.frames = length;
        haveVideo = true;
      }
    }
    if (size > b.size() - body) break;
    at = body + size + (size & 1);
  }
  // Beyond ten million frames or ten seconds a frame the header is damaged.
  if (!haveMain || info.usPerFrame <= 0 || info.usPerFrame > 10000000 || info.frames > 10000000) {
    why = "no AVI main header";
    return std::nullopt;
  }
  return info;
}

std::vector<float> waveToStereo(const WaveInfo& info, std::string_view b, int rate) {
  const std::int64_t frames = info.frames();
  auto sample = [&](std::int64_t frame, int channel) -> float {
    const std::size_t at = info.dataOffset + static_cast<std::size_t>(frame) * info.blockAlign +
                           static_cast<std::size_t>(channel) * (info.bitsPerSample / 8);
    if (info.bitsPerSample == 8) return (static_cast<std::uint8_t>(b[at]) - 128) / 128.0f;
    return static_cast<std::int16_t>(le16(b, at)) / 32768.0f;
  };
  if (frames == 0 || rate <= 0) return {};
  const std::int64_t outFrames = frames * rate / info.sampleRate;
  std::vector<float> out(static_cast<std::size_t>(outFrames) * 2);
  const double step = static_cast<double>(info.sampleRate) / rate;
  const int right = info.channels == 2 ? 1 : 0;
  for (std::int64_t i = 0; i < outFrames; ++i) {
    const double pos = i * step;
    const auto f0 = static_cast<std::int64_t>(pos);
    const std::int64_t f1 = std::min(f0 + 1, frames - 1);
    const auto t = static_cast<float>(pos - static_cast<double>(f0));
    out[2 * i] = sample(f0, 0) + (sample(f1, 0) - sample(f0, 0)) * t;
    out[2 * i + 1] = sample(f0, right) + (sample(f1, right) - sample(f0, right)) * t;
  }
  return out;
}

}  // namespace zav3::host
