// libFuzzer target: arbitrary bytes as save slot 1, loaded from the scratch folder into a fresh
// game. Acceptable outcomes: the slot restored, or refused with a box (loadSlot false); a
// run-time error only from the restore steps (a missing picture or song of the game).
#include <cstddef>
#include <cstdint>

#include "fuzz_support.hpp"
#include "host/error.hpp"
#include "host/events.hpp"
#include "shell/save_data.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3;
  fuzz::clearScratch({"CG", "MAINCG"});
  fuzz::writeFile(fuzz::scratch() / "SAVE1.DAT", fuzz::bytesOf(data, size));
  fuzz::Game game;
  try {
    shell::loadSlot(game.m(), 1);
  } catch (const host::RuntimeError&) {
  } catch (const host::ProgramEnd&) {
  }
  return 0;
}
