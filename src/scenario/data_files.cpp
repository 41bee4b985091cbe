// Scenario tables and record files.
#include "scenario/data_files.hpp"

#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "host/error.hpp"

namespace zav3::scenario {

using host::err::inputPastEnd;

void splitSpeakerLine(std::string_view line, Integer& voice, Bytes& name) {
  // The voice is read from the character after the first ':' and stops at the ','; the name is
  // everything after the first ','. A missing mark makes the search give 0, so reading starts at
  // the first character.
  const long colon = host::search(1, line, ":");
  const long comma = host::search(1, line, ",");
  voice = host::toInteger(host::textToNumber(host::middle(line, colon + 1)));
  name = host::middle(line, comma + 1);
}

namespace {

// True when the text is a plain decimal number (blanks around it allowed).
bool isPlainNumber(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  const auto last = text.find_last_not_of(' ');
  text = text.substr(first, last - first + 1);
  if (text[0] == '-' || text[0] == '+') text.remove_prefix(1);
  bool digits = false;
  bool point = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

}  // namespace

namespace {

// A problem with the data that the game goes on with: on stderr and in the events.
void warn(Main& m, const std::string& text) {
  std::fprintf(stderr, "warning: %s\n", text.c_str());
  m.host.trace.line("warning: " + text);
}

// Up to `most` numbers of DATA\JMP.DAT, in file order. An empty item at the very end of the file
// (a blank last line) is not counted as a number.
std::vector<Long> readJumpNumbers(Main& m, long most) {
  auto& files = m.host.files;
  std::vector<Long> numbers;
  try {
    while (static_cast<long>(numbers.size()) < most) {
      Bytes text;
      host::InputTarget target = &text;
      files.input(1, std::span(&target, 1));
      if (text.find_first_not_of(' ') == Bytes::npos && files.atEnd(1)) break;
      if (!isPlainNumber(text)) {
        warn(m, "DATA\\JMP.DAT entry " + std::to_string(numbers.size()) + " is \"" +
                    host::sjisToUtf8(text) + "\", not a number; taken as 0");
      }
      numbers.push_back(host::toLong(host::textToNumber(text)));
    }
  } catch (const host::RuntimeError& e) {
    if (e.number() != inputPastEnd) {
      files.close(1);
      throw;
    }
  }
  return numbers;
}

}  // namespace

void loadScenarioTables(Main& m) {
  auto& files = m.host.files;
  const long entries = static_cast<long>(Main::entryLast) + 1;  // 0..5000
  files.open("I", 1, m.dataFolder + "JMP.DAT");
  const std::vector<Long> numbers = readJumpNumbers(m, entries);
  files.close(1);
  // The table is known in two layouts: 5001 numbers for entries 0..5000, and 5000 numbers for
  // entries 1..5000 (entry 0 is then 0). Taking the wrong one would shift every jump by one,
  // so the count decides.
  const long count = static_cast<long>(numbers.size());
  const long first = count == entries - 1 ? 1 : 0;
  if (first == 1) {
    m.host.trace.line("DATA\\JMP.DAT holds 5000 numbers: read into entries 1..5000");
  } else if (count < entries) {
    warn(m, "DATA\\JMP.DAT holds " + std::to_string(count) + " of " + std::to_string(entries) +
                " entries; the rest are taken as 0");
  }
  for (long i = 0; i < entries; ++i) {
    const long k = i - first;
    m.entryTable(i) = k >= 0 && k < count ? numbers[static_cast<size_t>(k)] : 0;
  }

  files.open("I", 1, m.dataFolder + "MAN.DAT");
  for (long i = 0; i <= Main::personLast; ++i) {
    if (files.atEnd(1)) {
      warn(m, "DATA\\MAN.DAT holds " + std::to_string(i) + " of " +
                  std::to_string(Main::personLast + 1) + " lines; the rest are blank speakers");
      for (long rest = i; rest <= Main::personLast; ++rest) {
        m.personVoice(rest) = 0;
        m.personName(rest).clear();
      }
      break;
    }
    Bytes line = files.lineInput(1);
    splitSpeakerLine(line, m.personVoice(i), m.personName(i));
  }
  files.close(1);
}

void openRecordFiles(Main& m) {
  auto& files = m.host.files;
  files.open("R", messageFileNumber, m.textFileName);
  static constexpr int messageWidths[] = {42, 2, 1, 1, 2, 6, 3};
  files.declareFields(messageFileNumber, messageWidths);
  files.open("R", scriptFileNumber, m.scriptFileName);
  static constexpr int scriptWidths[] = {7, 7, 7, 7, 7};
  files.declareFields(scriptFileNumber, scriptWidths);
}

void readScriptRecord(Main& m, Long n) {
  const auto& f = m.host.files.readRecord(scriptFileNumber, n);
  ScriptRecord& r = m.record;
  r.op = f[0];
  r.a1 = f[1];
  r.a2 = f[2];
  r.a3 = f[3];
  r.a4 = f[4];
  r.bytes = m.host.files.recordBuffer(scriptFileNumber);
}

MessageRecord readMessageRecord(Main& m, Long n) {
  const auto& f = m.host.files.readRecord(messageFileNumber, n);
  return MessageRecord{f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
}

Bytes decodeMessageText(const MessageRecord& r) {
  const long length = static_cast<long>(host::textToNumber(r.length));
  Bytes out;
  for (long i = 1; i <= length && i + 1 <= static_cast<long>(r.text.size()); i += 2) {
    out.push_back(static_cast<char>(static_cast<unsigned char>(r.text[i - 1]) - 1));
    out.push_back(static_cast<char>(static_cast<unsigned char>(r.text[i]) - 1));
  }
  return out;
}

PersonListView personListView(const ScriptRecord& r) {
  PersonListView v{};
  const std::string_view b = r.bytes;
  for (int i = 0; i < 10; ++i) {
    v.persons[i] = host::toInteger(host::textToNumber(b.substr(std::min<size_t>(b.size(), i * 3), 3)));
  }
  v.list = host::toInteger(host::textToNumber(b.substr(std::min<size_t>(b.size(), 30), 3)));
  return v;
}

Bytes lineView(const ScriptRecord& r, std::string_view mark) {
  const Bytes line = r.bytes.substr(0, 34);
  // Walk characters so a mark is never found across a character boundary.
  for (size_t i = 0; i < line.size();) {
    if (line.compare(i, mark.size(), mark) == 0) return line.substr(0, i);
    i += host::isLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
  }
  return line;
}

double operandNumber(std::string_view operand) { return host::textToNumber(operand); }

double prefixedNumber(std::string_view operand) {
  return operand.empty() ? 0.0 : host::textToNumber(operand.substr(1));
}

}  // namespace zav3::scenario
