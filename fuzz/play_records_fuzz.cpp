// libFuzzer target: arbitrary bytes as COPYRIGHT.TXT, the play records: read as the records
// screen reads them, then this play's record stored into them and the file read again. The first
// byte picks the line the play's record was last written to. Acceptable outcomes: records or
// none, a record number or 0 with a warning; never an error out of either call.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.hpp"
#include "shell/play_record_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3;
  if (size < 1) return 0;
  fuzz::clearScratch();
  fuzz::writeFile(fuzz::scratch() / "COPYRIGHT.TXT", fuzz::bytesOf(data + 1, size - 1));
  fuzz::Game game;
  Main& m = game.m();
  const std::size_t before = shell::readPlayRecords(m).size();
  m.missionEntryLine = static_cast<Long>(data[0] % 16);
  m.gameVar(121) = 3;
  m.gameFlag(980) = 1;
  const int ordinal = shell::storePlayRecord(m, shell::playRecordFieldsOf(m));
  const std::size_t after = shell::readPlayRecords(m).size();
  if (ordinal < 0 || static_cast<std::size_t>(ordinal) > after) __builtin_trap();
  if (ordinal > 0 && after != before && after != before + 1) __builtin_trap();
  return 0;
}
