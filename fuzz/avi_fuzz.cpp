// libFuzzer target: arbitrary bytes as an AVI movie: its header as the media layer reads it, then
// the file opened by FFmpeg as a movie's sound track is (the sound track needs no display) and
// decoded into a mixer for a moment. Acceptable outcomes: the movie's facts or a reason, and a
// sound track or none.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "host/media/media_files.hpp"
#include "host/media/mixer.hpp"
#include "host/media/movie_sound.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3::host;
  const std::string_view bytes = zav3::fuzz::bytesOf(data, size);
  std::string why;
  const auto info = readMovie(bytes, why);
  // The size is kept as the header has it (a negative height is a picture stored top down).
  if (info) {
    if (info->frames < 0 || info->usPerFrame <= 0) zav3::fuzz::fail("no frames or frame time");
  } else if (why.empty()) {
    zav3::fuzz::fail("no movie and no reason");
  }

  zav3::fuzz::clearScratch();
  const auto path = zav3::fuzz::scratch() / "MOVIE.AVI";
  zav3::fuzz::writeFile(path, bytes);
  Mixer mixer;
  auto sound = MovieSound::open(path.string(), mixer, why);
  if (!sound) return 0;
  sound->play(0, 500000);
  std::vector<float> out(2 * 4410);
  for (int i = 0; i < 6 && sound->sounding(); ++i) {
    mixer.render(out.data(), 4410);
    sound->pump();
  }
  sound->stop();
  return 0;
}
