// libFuzzer target: arbitrary bytes as DATA\MAN.DAT (the speakers) beside a good DATA\JMP.DAT,
// read into a fresh game's tables as start-up reads them, and each line split as the speaker
// table splits it. Acceptable outcomes: the tables, or a run-time error.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.hpp"
#include "host/error.hpp"
#include "scenario/data_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3;
  const std::string_view bytes = fuzz::bytesOf(data, size);
  fuzz::clearScratch({"DATA"});
  fuzz::writeFile(fuzz::scratch() / "DATA" / "MAN.DAT", bytes);
  fuzz::writeFile(fuzz::scratch() / "DATA" / "JMP.DAT", "1\r\n2\r\n");
  fuzz::Game game;
  try {
    scenario::loadScenarioTables(game.m());
  } catch (const host::RuntimeError&) {
  }
  Integer voice = 0;
  Bytes name;
  scenario::splitSpeakerLine(bytes.substr(0, bytes.find('\n')), voice, name);
  return 0;
}
