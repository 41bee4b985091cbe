// libFuzzer target: arbitrary bytes as an AVI movie. Its header as the media layer reads it, then
// the movie device of the window build (FFmpeg opening and decoding the video into a picture box
// and the sound track into a mixer) on a virtual clock: a mixer stands in for the audio device,
// so no display or sound card is needed. Acceptable outcomes: the movie's facts or a reason, and
// the movie played or a media error number.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "host/clock.hpp"
#include "host/media/media.hpp"
#include "host/media/media_files.hpp"
#include "host/media/mixer.hpp"
#include "host/media/sdl_media.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3;
  const std::string_view bytes = fuzz::bytesOf(data, size);
  std::string why;
  const auto info = host::readMovie(bytes, why);
  // The size is kept as the header has it (a negative height is a picture stored top down).
  if (info) {
    if (info->frames < 0 || info->usPerFrame <= 0) fuzz::fail("no frames or frame time");
  } else if (why.empty()) {
    fuzz::fail("no movie and no reason");
  }

  fuzz::clearScratch();
  fuzz::writeFile(fuzz::scratch() / "MOVIE.AVI", bytes);
  fuzz::Game game;
  Main& m = game.m();
  host::VirtualClock clock;
  host::Mixer mixer;
  host::Media media(game.host->files, game.host->forms, clock, game.host->trace,
                    host::makeMixerMediaBackend(game.host->forms, clock, [] {}, mixer));
  game.host->forms.setSize(m.PICTURE2, 64, 48);
  auto send = [&](const std::string& command) { return media.sendCommand(m.MCI3, command); };
  if (send("open " + game.folder + "MOVIE.AVI type AVIVideo alias avideo") != 0) return 0;
  send("window avideo handle " + std::to_string(m.PICTURE2));
  send("put avideo destination at 0 0 64 48");
  send("play avideo from 0");
  std::vector<float> out(2 * 882);
  for (int i = 0; i < 15; ++i) {
    media.idle(20);
    mixer.render(out.data(), 882);
  }
  send("status avideo position");
  send("close avideo");
  return 0;
}
