// libFuzzer target: arbitrary bytes as a standard MIDI file, read as the media layer reads it
// (tracks, tempo map, channel use) and timed both ways. Acceptable outcomes: the song's facts, or
// a reason.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.hpp"
#include "host/media/media_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3::host;
  std::string why;
  const auto info = readMidi(zav3::fuzz::bytesOf(data, size), why);
  if (!info) {
    if (why.empty()) __builtin_trap();
    return 0;
  }
  if (info->tempos.empty() || info->tempos.front().tick != 0) __builtin_trap();
  const std::int64_t length = info->durationUs();
  if (length < 0) __builtin_trap();
  for (std::int64_t tick : {std::int64_t{0}, info->lengthTicks / 2, info->lengthTicks}) {
    const std::int64_t us = info->tickToUs(tick);
    if (us < 0 || info->usToTick(us) < 0) __builtin_trap();
  }
  if (info->ticksPerSixteenth() < 1) __builtin_trap();
  return 0;
}
