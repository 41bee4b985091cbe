// libFuzzer target: arbitrary bytes as the input script of a headless run, one "verb arguments"
// line a line, queued into the display of a fresh game whose forms are bound, then delivered as
// the game waits for events until the script is used up. A snapshot's file is always put in the
// scratch folder. Acceptable outcomes: a line refused, the run ending at the end of the input, or
// a run-time error of the game reacting to the input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.hpp"
#include "host/error.hpp"
#include "host/events.hpp"
#include "host/headless/headless_display.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3;
  if (size > 4096) return 0;
  fuzz::clearScratch({"CG", "MAINCG"});
  fuzz::Game game;
  auto& display = static_cast<host::HeadlessDisplay&>(*game.host->display);
  std::string_view input = fuzz::bytesOf(data, size);
  while (!input.empty()) {
    const std::size_t end = std::min(input.find('\n'), input.size());
    const std::string line(input.substr(0, end));
    input.remove_prefix(std::min(end + 1, input.size()));
    const std::size_t blank = line.find(' ');
    const std::string verb = line.substr(0, blank);
    std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (verb == "snapshot") {
      const std::size_t form = rest.find(' ');
      rest = (fuzz::scratch() / "SHOT.PNG").string() +
             (form == std::string::npos ? "" : rest.substr(form));
    }
    display.queue(verb, rest);
  }
  try {
    for (int i = 0; i < 200; ++i) game.host->events->waitForEvent();
  } catch (const host::ProgramEnd&) {
  } catch (const host::RuntimeError&) {
  }
  display.pixelFailures();
  return 0;
}
