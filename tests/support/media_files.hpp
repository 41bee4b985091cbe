// Small media files written by the tests: PCM wave, standard MIDI with tempo changes, and an
// AVI header with a frame count and rate.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace zav3::testing {

inline void putLe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
}
inline void putBe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(v >> (8 * i) & 0xFF);
}

// A PCM wave file with `dataBytes` bytes of a quiet saw tooth.
inline std::string waveBytes(int channels, int rate, int bits, std::uint32_t dataBytes) {
  std::string fmt;
  putLe(fmt, 1, 2);
  putLe(fmt, static_cast<std::uint32_t>(channels), 2);
  putLe(fmt, static_cast<std::uint32_t>(rate), 4);
  putLe(fmt, static_cast<std::uint32_t>(rate * channels * bits / 8), 4);
  putLe(fmt, static_cast<std::uint32_t>(channels * bits / 8), 2);
  putLe(fmt, static_cast<std::uint32_t>(bits), 2);
  std::string out = "RIFF";
  putLe(out, 4 + 8 + 16 + 8 + dataBytes, 4);
  out += "WAVEfmt ";
  putLe(out, 16, 4);
  out += fmt;
  out += "data";
  putLe(out, dataBytes, 4);
  for (std::uint32_t i = 0; i < dataBytes; ++i) out += static_cast<char>(i % 32);
  return out;
}

// One MIDI track chunk from raw event bytes (delta times included).
inline std::string midiTrack(const std::string& events) {
  std::string out = "MTrk";
  putBe(out, static_cast<std::uint32_t>(events.size()), 4);
  return out + events;
}

inline std::string midiHeader(int format, int tracks, int division) {
  std::string out = "MThd";
  putBe(out, 6, 4);
  putBe(out, static_cast<std::uint32_t>(format), 2);
  putBe(out, static_cast<std::uint32_t>(tracks), 2);
  putBe(out, static_cast<std::uint32_t>(division), 2);
  return out;
}

// A MIDI variable-length number.
inline std::string varLen(std::uint32_t v) {
  std::string out(1, static_cast<char>(v & 0x7F));
  while (v >>= 7) out.insert(out.begin(), static_cast<char>(0x80 | (v & 0x7F)));
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

// A format-1 song at 96 ticks per quarter: two quarters at 120 bpm, a tempo change to 240 bpm
// at tick 192, and a note track (with running status) ending at tick `lastTick` (>= 192).
inline std::string tempoChangeSong(std::uint32_t lastTick = 384) {
  const std::string conductor = tempoEvent(0, 500000) + tempoEvent(192, 250000) + endOfTrack(0);
  std::string notes = varLen(0) + std::string("\x90\x3C\x64", 3);
  notes += varLen(96) + std::string("\x3C\x00", 2);  // running status: note off
  notes += varLen(0) + std::string("\xC0\x05", 2);   // program change, one data byte
  notes += endOfTrack(lastTick - 96);
  return midiHeader(1, 2, 96) + midiTrack(conductor) + midiTrack(notes);
}

// An AVI file's headers: `frames` frames at `rate` / `scale` frames per second, no frames.
inline std::string aviBytes(std::uint32_t frames, std::uint32_t rate, std::uint32_t scale) {
  std::string avih = "avih";
  putLe(avih, 56, 4);
  putLe(avih, static_cast<std::uint32_t>(1000000.0 * scale / rate), 4);
  for (int i = 0; i < 3; ++i) putLe(avih, 0, 4);
  putLe(avih, frames, 4);
  putLe(avih, 0, 4);
  putLe(avih, 1, 4);
  putLe(avih, 0, 4);
  putLe(avih, 640, 4);
  putLe(avih, 270, 4);
  for (int i = 0; i < 4; ++i) putLe(avih, 0, 4);
  std::string strh = "strh";
  putLe(strh, 56, 4);
  strh += "vidsDIB ";
  for (int i = 0; i < 3; ++i) putLe(strh, 0, 4);
  putLe(strh, scale, 4);
  putLe(strh, rate, 4);
  putLe(strh, 0, 4);
  putLe(strh, frames, 4);
  for (int i = 0; i < 5; ++i) putLe(strh, 0, 4);
  std::string strl = "LIST";
  putLe(strl, static_cast<std::uint32_t>(4 + strh.size()), 4);
  strl += "strl" + strh;
  std::string hdrl = "LIST";
  putLe(hdrl, static_cast<std::uint32_t>(4 + avih.size() + strl.size()), 4);
  hdrl += "hdrl" + avih + strl;
  std::string movi = "LIST";
  putLe(movi, 4, 4);
  movi += "movi";
  std::string out = "RIFF";
  putLe(out, static_cast<std::uint32_t>(4 + hdrl.size() + movi.size()), 4);
  return out + "AVI " + hdrl + movi;
}

// A playable AVI: `frames` uncompressed 24-bit frames of `width` x `height` (width a multiple
// of 4) at `rate` frames a second; frame i is filled with colour(i) (0xRRGGBB).
template <typename Colour>
std::string rawAviBytes(std::uint32_t frames, std::uint32_t rate, std::uint32_t width,
                        std::uint32_t height, Colour colour) {
  const std::uint32_t frameBytes = width * height * 3;
  std::string avih = "avih";
  putLe(avih, 56, 4);
  putLe(avih, 1000000 / rate, 4);
  putLe(avih, frameBytes * rate, 4);
  putLe(avih, 0, 4);
  putLe(avih, 0x10, 4);  // has an index
  putLe(avih, frames, 4);
  putLe(avih, 0, 4);
  putLe(avih, 1, 4);
  putLe(avih, frameBytes, 4);
  putLe(avih, width, 4);
  putLe(avih, height, 4);
  for (int i = 0; i < 4; ++i) putLe(avih, 0, 4);
  std::string strh = "strh";
  putLe(strh, 56, 4);
  strh += "vidsDIB ";
  for (int i = 0; i < 3; ++i) putLe(strh, 0, 4);
  putLe(strh, 1, 4);
  putLe(strh, rate, 4);
  putLe(strh, 0, 4);
  putLe(strh, frames, 4);
  putLe(strh, frameBytes, 4);
  putLe(strh, 0xFFFFFFFF, 4);
  putLe(strh, 0, 4);
  putLe(strh, 0, 2), putLe(strh, 0, 2), putLe(strh, width, 2), putLe(strh, height, 2);
  std::string strf = "strf";
  putLe(strf, 40, 4);
  putLe(strf, 40, 4);
  putLe(strf, width, 4);
  putLe(strf, height, 4);
  putLe(strf, 1, 2);
  putLe(strf, 24, 2);
  putLe(strf, 0, 4);
  putLe(strf, frameBytes, 4);
  for (int i = 0; i < 4; ++i) putLe(strf, 0, 4);
  std::string strl = "LIST";
  putLe(strl, static_cast<std::uint32_t>(4 + strh.size() + strf.size()), 4);
  strl += "strl" + strh + strf;
  std::string hdrl = "LIST";
  putLe(hdrl, static_cast<std::uint32_t>(4 + avih.size() + strl.size()), 4);
  hdrl += "hdrl" + avih + strl;
  std::string movi = "movi";
  std::string idx1 = "idx1";
  putLe(idx1, 16 * frames, 4);
  for (std::uint32_t f = 0; f < frames; ++f) {
    idx1 += "00db";
    putLe(idx1, 0x10, 4);
    putLe(idx1, static_cast<std::uint32_t>(movi.size()), 4);
    putLe(idx1, frameBytes, 4);
    movi += "00db";
    putLe(movi, frameBytes, 4);
    const std::uint32_t c = colour(f);
    for (std::uint32_t p = 0; p < width * height; ++p) {
      movi += static_cast<char>(c & 0xFF);
      movi += static_cast<char>(c >> 8 & 0xFF);
      movi += static_cast<char>(c >> 16 & 0xFF);
    }
  }
  std::string moviList = "LIST";
  putLe(moviList, static_cast<std::uint32_t>(movi.size()), 4);
  moviList += movi;
  std::string out = "RIFF";
  putLe(out, static_cast<std::uint32_t>(4 + hdrl.size() + moviList.size() + idx1.size()), 4);
  return out + "AVI " + hdrl + moviList + idx1;
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zav3::testing
