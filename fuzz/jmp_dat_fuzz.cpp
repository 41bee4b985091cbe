// libFuzzer target: arbitrary bytes as DATA\JMP.DAT beside a good DATA\MAN.DAT, read into a
// fresh game's tables as start-up reads them. Acceptable outcomes: the tables (with warnings for
// what is taken as 0), or a run-time error.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.hpp"
#include "host/error.hpp"
#include "scenario/data_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3;
  fuzz::clearScratch({"DATA"});
  fuzz::writeFile(fuzz::scratch() / "DATA" / "JMP.DAT", fuzz::bytesOf(data, size));
  fuzz::writeFile(fuzz::scratch() / "DATA" / "MAN.DAT", "0:1,A\r\n");
  fuzz::Game game;
  try {
    scenario::loadScenarioTables(game.m());
  } catch (const host::RuntimeError&) {
  }
  return 0;
}
