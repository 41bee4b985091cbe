// Writing and reading the play records of COPYRIGHT.TXT.
#include "shell/play_record_file.hpp"

#include <cstdio>
#include <string>
#include <vector>

#include "host/error.hpp"
#include "host/files.hpp"

namespace zav3::shell {

namespace {

constexpr int firstFileNumber = 3;  // the number of short-lived text files

Bytes recordsPath(const Main& m) {
  return m.workFolder + "COPYRIGHT.TXT";
}
Bytes newRecordsPath(const Main& m) {
  return m.workFolder + "COPYRIGHT.NEW";
}

int freeFileNumber(Main& m) {
  int number = firstFileNumber;
  while (m.host.files.isOpen(number)) ++number;
  return number;
}

Bytes trimmed(const Bytes& s) {
  const auto b = s.find_first_not_of(' ');
  if (b == Bytes::npos) return "";
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::vector<Bytes> items(const Bytes& line) {
  std::vector<Bytes> out;
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = line.find(',', from);
    out.push_back(trimmed(line.substr(from, comma == Bytes::npos ? Bytes::npos : comma - from)));
    if (comma == Bytes::npos) return out;
    from = comma + 1;
  }
}

// A line start-up reads as a record: its first item is "D".
bool isRecordLine(const Bytes& line) {
  const Bytes first = items(line).front();
  return first == "D" || first == "\"D\"";
}

void warn(Main& m, const std::string& text) {
  std::fprintf(stderr, "warning: %s\n", text.c_str());
  m.host.trace.line("warning: " + text);
}

std::string failure(const host::RuntimeError& e) {
  return "error " + std::to_string(e.number()) + ": " + host::errorText(e.number());
}

}  // namespace

PlayRecordFields playRecordFieldsOf(const Main& m) {
  return {m.gameVar(121),
          m.gameVar(123),
          static_cast<Single>(m.gameFlag(980)),
          m.gameVar(34),
          m.gameVar(124),
          static_cast<Single>(m.gameFlag(852)),
          static_cast<Single>(m.gameFlag(990)),
          static_cast<Single>(m.gameFlag(992)),
          static_cast<Single>(m.gameFlag(960))};
}

Bytes playRecordFileLine(const PlayRecordFields& fields) {
  Bytes line = "D";
  for (Single v : fields) line += "," + trimmed(host::numberText(v));
  return line;
}

int storePlayRecord(Main& m, const PlayRecordFields& fields) {
  host::FileSystem& files = m.host.files;
  const Bytes path = recordsPath(m);
  const Bytes part = newRecordsPath(m);
  const std::string shown = host::sjisToUtf8(path);
  std::vector<Bytes> lines;
  const int number = freeFileNumber(m);
  try {
    if (files.fileExists(path)) {
      lines = files.readLines(path, firstFileNumber);
    } else {
      lines = {"**** " + m.productTag + " ****", "", m.versionLine};
    }
  } catch (const host::RuntimeError& e) {
    // Writing without the old lines would lose them: nothing is written.
    warn(m, "the play records " + shown + " cannot be read (" + failure(e) +
                "); the mission is not recorded");
    return 0;
  }

  Long at = m.missionEntryLine;
  const Bytes line = playRecordFileLine(fields);
  if (at >= 1 && at <= static_cast<Long>(lines.size()) && isRecordLine(lines[at - 1])) {
    lines[static_cast<std::size_t>(at - 1)] = line;
  } else {
    lines.push_back(line);
    at = static_cast<Long>(lines.size());
  }

  try {
    files.open("O", number, part);
    for (const Bytes& l : lines) {
      const host::PrintItem item{l, 0};
      files.print(number, std::span(&item, 1));
    }
    files.close(number);
    files.replaceFile(part, path);
  } catch (const host::RuntimeError& e) {
    files.close(number);
    try {
      if (files.fileExists(part)) files.deleteFile(part);
    } catch (const host::RuntimeError&) {
    }
    warn(m, "the play records " + shown + " cannot be written (" + failure(e) +
                "); the file keeps its earlier records");
    return 0;
  }

  m.missionEntryLine = at;
  int ordinal = 0;
  Long endings = 0;
  for (Long i = 1; i <= static_cast<Long>(lines.size()); ++i) {
    const Bytes& l = lines[static_cast<std::size_t>(i - 1)];
    if (!isRecordLine(l)) continue;
    if (i <= at) ++ordinal;
    const std::vector<Bytes> parts = items(l);
    const double planet = parts.size() > 3 ? host::textToNumber(parts[3]) : 0;
    if (planet > -2.0e9 && planet < 2.0e9) endings |= host::toLong(planet);
  }
  m.playRecordEndings = endings;
  return ordinal;
}

std::vector<PlayRecordFields> readPlayRecords(Main& m) {
  host::FileSystem& files = m.host.files;
  const Bytes path = recordsPath(m);
  std::vector<PlayRecordFields> records;
  try {
    if (!files.fileExists(path)) return records;
    for (const Bytes& line : files.readLines(path, firstFileNumber)) {
      if (!isRecordLine(line)) continue;
      const std::vector<Bytes> parts = items(line);
      PlayRecordFields fields{};
      for (std::size_t k = 0; k < fields.size() && k + 1 < parts.size(); ++k) {
        const double v = host::textToNumber(parts[k + 1]);
        // A number out of the single range reads as 0 rather than as infinity.
        fields[k] = v > -3.0e38 && v < 3.0e38 ? static_cast<Single>(v) : 0;
      }
      records.push_back(fields);
    }
  } catch (const host::RuntimeError& e) {
    warn(m, "the play records " + host::sjisToUtf8(path) + " cannot be read (" + failure(e) +
                "); no records are shown");
    records.clear();
  }
  return records;
}

}  // namespace zav3::shell
