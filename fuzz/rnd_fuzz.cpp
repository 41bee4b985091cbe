// libFuzzer target: arbitrary bytes as the two record files, DATA\PRO.RND (script records of 35
// bytes) and DATA\TXT.RND (message records of 57 bytes): the input is split at its first "|"
// into the two. Both are opened as record files and every record (and some beyond the end) read
// through the record views and the message decoder. Acceptable outcomes: records, or run-time
// errors.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.hpp"
#include "host/error.hpp"
#include "scenario/data_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zav3;
  const std::string_view bytes = fuzz::bytesOf(data, size);
  const std::size_t bar = std::min(bytes.find('|'), bytes.size());
  const std::string_view script = bytes.substr(0, bar);
  const std::string_view text = bar < bytes.size() ? bytes.substr(bar + 1) : std::string_view{};
  fuzz::clearScratch({"DATA"});
  fuzz::writeFile(fuzz::scratch() / "DATA" / "PRO.RND", script);
  fuzz::writeFile(fuzz::scratch() / "DATA" / "TXT.RND", text);
  fuzz::Game game;
  Main& m = game.m();
  m.scriptFileName = game.folder + "DATA\\PRO.RND";
  m.textFileName = game.folder + "DATA\\TXT.RND";
  try {
    scenario::openRecordFiles(m);
  } catch (const host::RuntimeError&) {
    return 0;
  }
  const Long scripts = static_cast<Long>(script.size() / scenario::scriptRecordLength) + 2;
  for (Long n = -1; n <= scripts; ++n) {
    try {
      scenario::readScriptRecord(m, n);
      scenario::personListView(m.record);
      scenario::lineView(m.record, "\x81\x40");
      scenario::operandNumber(m.record.a1);
      scenario::prefixedNumber(m.record.a2);
    } catch (const host::RuntimeError&) {
    }
  }
  const Long messages = static_cast<Long>(text.size() / scenario::messageRecordLength) + 2;
  for (Long n = -1; n <= messages; ++n) {
    try {
      scenario::decodeMessageText(scenario::readMessageRecord(m, n));
    } catch (const host::RuntimeError&) {
    }
  }
  return 0;
}
