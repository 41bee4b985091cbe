// libFuzzer target: arbitrary bytes as a wave sound file, read as the media layer reads it and
// converted to the mixer's stereo floats. Acceptable outcomes: the file's facts, or a reason.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.hpp"
#include "host/media/media_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3::host;
  const std::string_view bytes = zav3::fuzz::bytesOf(data, size);
  std::string why;
  const auto info = readWave(bytes, why);
  if (!info) {
    if (why.empty()) __builtin_trap();
    return 0;
  }
  if (info->dataOffset + info->dataBytes > bytes.size()) __builtin_trap();
  if (info->frames() < 0 || info->durationUs() < 0) __builtin_trap();
  for (int rate : {44100, 8000}) {
    const std::vector<float> stereo = waveToStereo(*info, bytes, rate);
    if (stereo.size() % 2 != 0) __builtin_trap();
  }
  return 0;
}
