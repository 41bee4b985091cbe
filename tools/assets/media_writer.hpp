// Byte writers for the media file formats: little- and big-endian numbers, PCM wave files,
// Standard MIDI File chunks and uncompressed 24-bit AVI movies.
#pragma once

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

// An indexed AVI of `frames` uncompressed 24-bit frames of `width` x `height` (width a
// multiple of 4) at `rate` frames a second. `frame(i, pixels)` appends frame i's pixels as
// bottom-up rows of blue, green, red bytes.
template <typename Frame>
std::string rawAvi(std::uint32_t frames, std::uint32_t rate, std::uint32_t width,
                   std::uint32_t height, Frame frame) {
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
    const std::size_t start = movi.size();
    frame(f, movi);
    movi.resize(start + frameBytes);
  }
  std::string moviList = "LIST";
  putLe(moviList, static_cast<std::uint32_t>(movi.size()), 4);
  moviList += movi;
  std::string out = "RIFF";
  putLe(out, static_cast<std::uint32_t>(4 + hdrl.size() + moviList.size() + idx1.size()), 4);
  return out + "AVI " + hdrl + moviList + idx1;
}

}  // namespace zav3::assets
