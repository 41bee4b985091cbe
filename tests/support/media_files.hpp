// Small media files written by the tests: PCM wave, standard MIDI with tempo changes, and an
// AVI header with a frame count and rate.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "assets/media_writer.hpp"

namespace zav3::testing {

using assets::endOfTrack;
using assets::midiHeader;
using assets::midiTrack;
using assets::putBe;
using assets::putLe;
using assets::tempoEvent;
using assets::varLen;

// A PCM wave file with `dataBytes` bytes of a quiet saw tooth.
inline std::string waveBytes(int channels, int rate, int bits, std::uint32_t dataBytes) {
  std::string data;
  for (std::uint32_t i = 0; i < dataBytes; ++i) data += static_cast<char>(i % 32);
  return assets::waveFile(channels, rate, bits, data);
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
  return assets::rawAvi(frames, rate, width, height, [&](std::uint32_t f, std::string& out) {
    const std::uint32_t c = colour(f);
    for (std::uint32_t p = 0; p < width * height; ++p) {
      out += static_cast<char>(c & 0xFF);
      out += static_cast<char>(c >> 8 & 0xFF);
      out += static_cast<char>(c >> 16 & 0xFF);
    }
  });
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zav3::testing
