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
  using zav3::fuzz::fail;
  std::string why;
  const auto info = readMidi(zav3::fuzz::bytesOf(data, size), why);
  if (!info) {
    if (why.empty()) fail("no song and no reason");
    return 0;
  }
  // Before the first tempo change the song plays at the default tempo.
  for (std::size_t i = 1; i < info->tempos.size(); ++i) {
    if (info->tempos[i].tick < info->tempos[i - 1].tick) fail("the tempo map is out of order");
  }
  if (info->durationUs() < 0) fail("negative length");
  for (std::int64_t tick : {std::int64_t{0}, info->lengthTicks / 2, info->lengthTicks}) {
    const std::int64_t us = info->tickToUs(tick);
    if (us < 0) fail("negative time of a tick");
    if (info->usToTick(us) < 0) fail("negative tick of a time");
  }
  if (info->ticksPerSixteenth() < 1) fail("no sixteenth");
  return 0;
}
