// libFuzzer target: the interpreter itself. Arbitrary bytes become the record files of a game,
// DATA\PRO.RND and DATA\TXT.RND (split at the first "|"), with an empty jump table and speaker
// file beside them, and the game runs them headless with its own hooks, a player who clicks at
// every wait, and a bound of records. Acceptable outcomes: a normal end, the error trap, the
// bound or the input used up; never a crash, a hang or another exception.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.hpp"
#include "host/headless/headless_display.hpp"
#include "shell/startup.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3;
  const std::string_view bytes = fuzz::bytesOf(data, size);
  const std::size_t bar = std::min(bytes.find('|'), bytes.size());
  fuzz::clearScratch({"DATA", "SAVEDATA"});
  fuzz::writeFile(fuzz::scratch() / "DATA" / "PRO.RND", bytes.substr(0, bar));
  fuzz::writeFile(fuzz::scratch() / "DATA" / "TXT.RND",
                  bar < bytes.size() ? bytes.substr(bar + 1) : std::string_view{});
  std::string jumps;
  for (int i = 0; i <= 5000; ++i) jumps += "0\r\n";
  fuzz::writeFile(fuzz::scratch() / "DATA" / "JMP.DAT", jumps);
  fuzz::writeFile(fuzz::scratch() / "DATA" / "MAN.DAT", "1:ミナ,1\r\n");
  fuzz::Game game;
  auto& display = static_cast<host::HeadlessDisplay&>(*game.host->display);
  if (!display.queue("auto-click", "500 55 50")) fuzz::fail("the input script was refused");
  try {
    shell::runGame(game.m(), 3000, true);
  } catch (const host::ProgramEnd&) {
  }
  return 0;
}
