// Byte writers for the media file formats: little- and big-endian numbers, PCM wave files,
// Standard MIDI File chunks and uncompressed 24-bit AVI movies with an optional sound track.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace zav3::assets {

inline void putLe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
}
inline void putBe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(v >> (8 * i) & 0xFF);
}

// A PCM wave file around the given sample data.
inline std::string waveFile(int channels, int rate, int bits, std::string_view data) {
  std::string out = "RIFF";
  putLe(out, static_cast<std::uint32_t>(4 + 8 + 16 + 8 + data.size()), 4);
  out += "WAVEfmt ";
  putLe(out, 16, 4);
  putLe(out, 1, 2);
  putLe(out, static_cast<std::uint32_t>(channels), 2);
  putLe(out, static_cast<std::uint32_t>(rate), 4);
  putLe(out, static_cast<std::uint32_t>(rate * channels * bits / 8), 4);
  putLe(out, static_cast<std::uint32_t>(channels * bits / 8), 2);
  putLe(out, static_cast<std::uint32_t>(bits), 2);
  out += "data";
  putLe(out, static_cast<std::uint32_t>(data.size()), 4);
  out += data;
  return out;
}

// A MIDI variable-length number.
inline std::string varLen(std::uint32_t v) {
  std::string out(1, static_cast<char>(v & 0x7F));
  while (v >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7F)));
  return out;
}

inline std::string midiHeader(int format, int tracks, int division) {
  std::string out = "MThd";
  putBe(out, 6, 4);
  putBe(out, static_cast<std::uint32_t>(format), 2);
  putBe(out, static_cast<std::uint32_t>(tracks), 2);
  putBe(out, static_cast<std::uint32_t>(division), 2);
  return out;
}

// One MIDI track chunk from raw event bytes (delta times included).
inline std::string midiTrack(std::string_view events) {
  std::string out = "MTrk";
  putBe(out, static_cast<std::uint32_t>(events.size()), 4);
  out += events;
  return out;
}

inline std::string tempoEvent(std::uint32_t delta, std::uint32_t usPerQuarter) {
  std::string out = varLen(delta) + "\xFF\x51\x03";
  putBe(out, usPerQuarter, 3);
  return out;
}

inline std::string endOfTrack(std::uint32_t delta) {
  return varLen(delta) + std::string("\xFF\x2F\x00", 3);
}

// A sound track for an AVI: sample data in a wave format (format tag 1 = PCM). The data is
// cut into one chunk per video frame; whole blocks of `blockAlign` bytes go to each.
struct AviSound {
  std::uint16_t formatTag = 1;
  std::uint16_t channels = 2;
  std::uint32_t rate = 22050;
  std::uint16_t bits = 16;
  std::string data;
  std::uint32_t blockAlign() const { return channels * bits / 8 > 0 ? channels * bits / 8 : 1; }
  std::uint32_t blocks() const { return static_cast<std::uint32_t>(data.size() / blockAlign()); }
};

namespace detail {

// A stream's header list: "strh" for the stream, "strf" with its format.
inline std::string streamList(std::string_view type, std::string_view handler, std::uint32_t scale,
                              std::uint32_t rate, std::uint32_t length, std::uint32_t bufferBytes,
                              std::uint32_t sampleBytes, std::uint32_t width, std::uint32_t height,
                              std::string_view format) {
  std::string strh = "strh";
  putLe(strh, 56, 4);
  strh += type;
  strh += handler;
  for (int i = 0; i < 3; ++i) putLe(strh, 0, 4);  // flags, priority and language, first frames
  putLe(strh, scale, 4);
  putLe(strh, rate, 4);
  putLe(strh, 0, 4);
  putLe(strh, length, 4);
  putLe(strh, bufferBytes, 4);
  putLe(strh, 0xFFFFFFFF, 4);
  putLe(strh, sampleBytes, 4);
  putLe(strh, 0, 2), putLe(strh, 0, 2), putLe(strh, width, 2), putLe(strh, height, 2);
  std::string strf = "strf";
  putLe(strf, static_cast<std::uint32_t>(format.size()), 4);
  strf += format;
  if (format.size() % 2) strf += '\0';
  std::string strl = "LIST";
  putLe(strl, static_cast<std::uint32_t>(4 + strh.size() + strf.size()), 4);
  return strl + "strl" + strh + strf;
}

}  // namespace detail

// An indexed AVI of `frames` uncompressed 24-bit frames of `width` x `height` (width a
// multiple of 4) at `rate` frames a second, with `sound` as a second stream when given.
// `frame(i, pixels)` appends frame i's pixels as bottom-up rows of blue, green, red bytes.
template <typename Frame>
std::string rawAvi(std::uint32_t frames, std::uint32_t rate, std::uint32_t width,
                   std::uint32_t height, Frame frame, const AviSound* sound = nullptr) {
  const std::uint32_t frameBytes = width * height * 3;
  const std::uint32_t align = sound ? sound->blockAlign() : 1;
  // The sound blocks that go with video frame f: [blockAt(f), blockAt(f + 1)).
  const auto blockAt = [&](std::uint32_t f) -> std::uint32_t {
    if (!sound) return 0;
    if (f >= frames) return sound->blocks();
    return std::min<std::uint32_t>(
        sound->blocks(), static_cast<std::uint32_t>(std::uint64_t{f} * sound->rate / rate));
  };
  std::uint32_t soundBuffer = 0;
  for (std::uint32_t f = 0; sound && f < frames; ++f)
    soundBuffer = std::max(soundBuffer, (blockAt(f + 1) - blockAt(f)) * align);
  const std::uint32_t soundBytesPerSecond = sound ? sound->rate * align : 0;
  std::string avih = "avih";
  putLe(avih, 56, 4);
  putLe(avih, 1000000 / rate, 4);
  putLe(avih, frameBytes * rate + soundBytesPerSecond, 4);
  putLe(avih, 0, 4);
  putLe(avih, sound ? 0x110 : 0x10, 4);  // has an index (and interleaved streams)
  putLe(avih, frames, 4);
  putLe(avih, 0, 4);
  putLe(avih, sound ? 2 : 1, 4);
  putLe(avih, frameBytes + soundBuffer, 4);
  putLe(avih, width, 4);
  putLe(avih, height, 4);
  for (int i = 0; i < 4; ++i) putLe(avih, 0, 4);
  std::string bitmap;
  putLe(bitmap, 40, 4);
  putLe(bitmap, width, 4);
  putLe(bitmap, height, 4);
  putLe(bitmap, 1, 2);
  putLe(bitmap, 24, 2);
  putLe(bitmap, 0, 4);
  putLe(bitmap, frameBytes, 4);
  for (int i = 0; i < 4; ++i) putLe(bitmap, 0, 4);
  std::string streams =
      detail::streamList("vids", "DIB ", 1, rate, frames, frameBytes, 0, width, height, bitmap);
  if (sound) {
    std::string wave;
    putLe(wave, sound->formatTag, 2);
    putLe(wave, sound->channels, 2);
    putLe(wave, sound->rate, 4);
    putLe(wave, soundBytesPerSecond, 4);
    putLe(wave, align, 2);
    putLe(wave, sound->bits, 2);
    putLe(wave, 0, 2);  // no extra format bytes
    streams +=
        detail::streamList("auds", std::string_view("\0\0\0\0", 4), align, soundBytesPerSecond,
                           sound->blocks(), soundBuffer, align, 0, 0, wave);
  }
  std::string hdrl = "LIST";
  putLe(hdrl, static_cast<std::uint32_t>(4 + avih.size() + streams.size()), 4);
  hdrl += "hdrl" + avih + streams;
  std::string movi = "movi";
  std::string index;
  const auto chunk = [&](std::string_view id, std::uint32_t bytes) {
    index += id;
    putLe(index, 0x10, 4);  // a key frame
    putLe(index, static_cast<std::uint32_t>(movi.size()), 4);
    putLe(index, bytes, 4);
    movi += id;
    putLe(movi, bytes, 4);
  };
  for (std::uint32_t f = 0; f < frames; ++f) {
    chunk("00db", frameBytes);
    const std::size_t start = movi.size();
    frame(f, movi);
    movi.resize(start + frameBytes);
    if (sound && blockAt(f + 1) > blockAt(f)) {
      const std::uint32_t bytes = (blockAt(f + 1) - blockAt(f)) * align;
      chunk("01wb", bytes);
      movi.append(sound->data, static_cast<std::size_t>(blockAt(f)) * align, bytes);
      if (bytes % 2) movi += '\0';
    }
  }
  std::string moviList = "LIST";
  putLe(moviList, static_cast<std::uint32_t>(movi.size()), 4);
  moviList += movi;
  std::string idx1 = "idx1";
  putLe(idx1, static_cast<std::uint32_t>(index.size()), 4);
  idx1 += index;
  std::string out = "RIFF";
  putLe(out, static_cast<std::uint32_t>(4 + hdrl.size() + moviList.size() + idx1.size()), 4);
  return out + "AVI " + hdrl + moviList + idx1;
}

}  // namespace zav3::assets
