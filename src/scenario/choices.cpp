// Choice blocks: reading the block's records into its tables, presenting the visible options in
// the list window and acting on the pick; the paged person list of kind O options.
#include "scenario/choices.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "scenario/data_files.hpp"
#include "scenario/dispatcher.hpp"
#include "scenario/hooks.hpp"
#include "scenario/interpreter.hpp"
#include "shell/main_form.hpp"

namespace zav3::scenario {

namespace {

// An option line without the blanks that pad it.
Bytes trimmedOption(const Bytes& line) {
  const auto last = line.find_last_not_of(' ');
  return last == Bytes::npos ? Bytes() : line.substr(0, last + 1);
}

using host::toInteger;
using host::toLong;

// A block without QE would read blank records for ever: give up after a bound far beyond any
// real block.
constexpr long blockScanLimit = 100000;

bool has(const Bytes& s, std::string_view mark) {
  return s.find(mark) != Bytes::npos;
}
double n(const Bytes& operand) {
  return operandNumber(operand);
}
long personIndex(long list, long person) {
  return list * 65 + person;
}

void clearBlockTables(Main& m) {
  for (long i = 0; i <= 10; ++i) {
    m.optionLine(i).clear();
    m.optionKind(i).clear();
    m.optionLink(i) = 0;
    m.optionRoutine(i) = 0;
    m.firstMessageFrom(i) = m.firstMessageTo(i) = 0;
    m.repeatMessageFrom(i) = m.repeatMessageTo(i) = 0;
    m.timesChosen(i) = 0;
  }
  for (long i = 0; i < 4 * 65; ++i) m.personMessageFrom(i) = m.personMessageTo(i) = 0;
  m.headerMessageFrom = m.headerMessageTo = 0;
}

void clearMaskAndListA(Main& m) {
  for (long i = 1; i <= 10; ++i) m.choiceMask(i) = 0;
  for (long p = 0; p <= Main::personLast; ++p) m.personListA(p) = 0;
}

// One record between the option lines and QE.
void readEntry(Main& m, Integer& option) {
  const ScriptRecord& r = m.record;
  if (r.op.compare(0, 2, "OP") == 0) {
    const PersonListView v = personListView(r);
    Array<Integer>& list = v.list == 2   ? m.personListB
                           : v.list == 3 ? m.personListC
                                         : m.personListA;
    for (Integer p : v.persons) list(p) = 1;
    return;
  }
  if (r.op.compare(0, 2, "OT") == 0) {
    const long at = personIndex(toLong(n(r.a1)), toLong(n(r.a2)));
    m.personMessageFrom(at) = toLong(n(r.a3));
    m.personMessageTo(at) = toLong(n(r.a4));
    return;
  }
  static constexpr std::string_view kinds = "HLN=OJ+";
  size_t at = Bytes::npos;
  char kind = 0;
  for (char k : kinds) {
    at = r.op.find(k);
    if (at != Bytes::npos) {
      kind = k;
      break;
    }
  }
  if (kind == 0) return;
  if (kind == 'H') {
    m.headerMessageFrom = toLong(n(r.a1));
    m.headerMessageTo = toLong(n(r.a2));
    return;
  }
  option = static_cast<Integer>(option + 1);
  const long k = option;
  m.optionKind(k) = Bytes(1, kind);
  if (kind == 'J' || kind == '+') {
    m.optionLink(k) = toInteger(host::textToNumber(std::string_view(r.op).substr(at + 1)));
  }
  if (has(r.op, "C")) {
    m.optionRoutine(k) = toInteger(host::textToNumber(std::string_view(r.op).substr(1)));
  }
  m.firstMessageFrom(k) = toLong(n(r.a1));
  m.firstMessageTo(k) = toLong(n(r.a2));
  m.repeatMessageFrom(k) = toLong(n(r.a3));
  m.repeatMessageTo(k) = toLong(n(r.a4));
}

// Shows the message run from..to when from is set; true when it was interrupted.
bool showRun(Main& m, Long from, Long to) {
  if (from == 0) return false;
  m.textFrom = from;
  m.textTo = to;
  m.hooks->showMessages(m);
  return m.resumePending;
}

// Lets the player pick one of `lines` in the list window; returns its index from 0.
size_t pickLine(Main& m, const std::vector<Bytes>& lines) {
  size_t widest = 0;
  for (size_t i = 0; i < lines.size() && i <= 10; ++i) {
    m.choiceText(static_cast<long>(i)) = lines[i];
    widest = std::max(widest, lines[i].size());
  }
  m.listColumns = static_cast<Integer>((widest + 1) / 2);
  m.listRows = static_cast<Integer>(lines.size());
  shell::prepareListWindow(m);
  return static_cast<size_t>(shell::runListWindow(m) - 1);
}

Integer lastOfferedPerson(const Main& m) {
  for (Integer p = Main::personLast; p >= 1; --p) {
    if (m.personListA(p) == 1) return p;
  }
  return 0;
}

// Offers the persons of list A, paged; returns the person picked.
Integer pickPerson(Main& m) {
  Integer start = 1;
  Integer end = Main::personLast;
  for (;;) {
    const PersonPage page = personPage(m, start, end);
    const size_t picked = pickLine(m, page.lines);
    if (page.persons[picked] != 0) return page.persons[picked];
    start = page.lines[picked] == host::sj("↓（次候補）") ? static_cast<Integer>(page.last + 1)
                                                          : Integer{1};
    end = lastOfferedPerson(m);
  }
}

enum class Next { present, leave, interrupted };

Next personQuestion(Main& m, Integer sel) {
  if (showRun(m, m.firstMessageFrom(sel), m.firstMessageTo(sel))) return Next::interrupted;
  const long list = m.repeatMessageFrom(sel);
  const long closing = m.repeatMessageTo(sel);
  const Integer p = pickPerson(m);
  m.personListA(p) = 0;
  if (lastOfferedPerson(m) == 0) m.choiceMask(sel) = 1;
  const long at = personIndex(list, p);
  if (showRun(m, m.personMessageFrom(at), m.personMessageTo(at))) return Next::interrupted;
  if (p == closing) {
    m.hooks->clearTextArea(m);
    return Next::leave;
  }
  return Next::present;
}

Next actOnPick(Main& m, Integer sel, Long& jumpEntry) {
  const Bytes& kind = m.optionKind(sel);
  if (kind == "O") return personQuestion(m, sel);
  if (m.timesChosen(sel) > 1) {
    const bool repeat = m.repeatMessageFrom(sel) != 0;
    const bool interrupted = repeat ? showRun(m, m.repeatMessageFrom(sel), m.repeatMessageTo(sel))
                                    : showRun(m, m.firstMessageFrom(sel), m.firstMessageTo(sel));
    return interrupted ? Next::interrupted : Next::present;
  }
  if (showRun(m, m.firstMessageFrom(sel), m.firstMessageTo(sel))) return Next::interrupted;
  if (m.optionRoutine(sel) != 0) {
    specialRoutine(m, m.optionRoutine(sel));
    if (m.resumePending) return Next::interrupted;
  }
  if (kind == "N") return Next::present;
  m.choiceMask(sel) = 1;
  if (kind == "=") return Next::leave;
  if (kind == "J") {
    jumpEntry = m.optionLink(sel);
    m.hooks->clearTextArea(m);
    return Next::leave;
  }
  if (kind == "+") {
    const Integer link = m.optionLink(sel);
    if (link >= 1 && link <= 10 && m.choiceMask(link) == 0) return Next::present;
    if (showRun(m, m.repeatMessageFrom(sel), m.repeatMessageTo(sel))) return Next::interrupted;
    m.hooks->clearTextArea(m);
    return Next::leave;
  }
  return Next::present;  // L
}

}  // namespace

PersonPage personPage(const Main& m, Integer start, Integer end) {
  std::vector<Integer> offered;
  for (Integer p = std::max<Integer>(start, 1); p <= end && p <= Main::personLast; ++p) {
    if (m.personListA(p) == 1) offered.push_back(p);
  }
  PersonPage page;
  const size_t listed = offered.size() < 10 ? offered.size() : 8;
  for (size_t i = 0; i < listed; ++i) {
    page.lines.push_back(m.personName(offered[i]));
    page.persons.push_back(offered[i]);
    page.last = offered[i];
  }
  if (listed < offered.size()) {
    page.lines.push_back(page.last >= end ? host::sj("↓（最初に戻ります）")
                                          : host::sj("↓（次候補）"));
    page.persons.push_back(0);
  }
  return page;
}

void runChoiceBlock(Main& m) {
  const Long qRecord = m.programCounter;
  Long at = qRecord;
  if (m.gameVar(0) != 0) {
    for (long scanned = 0; scanned < blockScanLimit; ++scanned) {
      at += 1;
      readScriptRecord(m, at);
      if (has(m.record.op, "QE")) break;
    }
    m.programCounter = at;
    return;
  }
  const ScriptRecord q = m.record;
  m.optionCount = toInteger(n(q.a2));
  m.personTableA(1) = toInteger(n(q.a4));
  clearBlockTables(m);
  switch (toInteger(n(q.a3))) {
    case 0:
      clearMaskAndListA(m);
      m.choiceReentryCount = 0;
      break;
    case 1:
      m.choiceReentryCount = 0;
      break;
    case 2:
      if (m.choiceReentryCount == 0) clearMaskAndListA(m);
      m.choiceReentryCount = static_cast<Integer>(m.choiceReentryCount + 1);
      break;
    default:
      break;
  }
  // Both loops over the option lines are counted loops: their body runs once before the bound
  // is first tested, so a block that declares no option line still reads and offers one.
  const Integer lastOption = std::max<Integer>(m.optionCount, 1);
  for (Integer i = 1; i <= lastOption; ++i) {
    at += 1;
    readScriptRecord(m, at);
    m.optionLine(i) = lineView(m.record, host::sj("？"));
  }
  Integer option = 0;
  for (long scanned = 0; scanned < blockScanLimit; ++scanned) {
    at += 1;
    readScriptRecord(m, at);
    if (has(m.record.op, "QE")) break;
    readEntry(m, option);
  }
  const Long qeRecord = at;

  for (;;) {
    if (m.headerMessageFrom != 0) {
      m.noWaitAtEnd = true;
      const bool interrupted = showRun(m, m.headerMessageFrom, m.headerMessageTo);
      m.noWaitAtEnd = false;
      if (interrupted) return;
    }
    std::vector<Bytes> lines;
    std::vector<Integer> numbers;
    for (Integer i = 1; i <= lastOption && i <= 10; ++i) {
      if (m.choiceMask(i) != 0) continue;
      lines.push_back(m.optionLine(i));
      numbers.push_back(i);
    }
    // The options shown, for a transcript of the play: "options 1:TEXT|3:TEXT".
    std::string shown = "options ";
    for (std::size_t k = 0; k < lines.size(); ++k) {
      if (k > 0) shown += "|";
      shown += std::to_string(numbers[k]) + ":" + host::sjisToUtf8(trimmedOption(lines[k]));
    }
    m.host.trace.line(shown);
    // With every option hidden the list would be empty and could never be answered: the
    // block is left as an option that leaves would, with a warning, and nothing is chosen.
    if (lines.empty()) {
      const std::string warning =
          "warning: the choice at record " + std::to_string(qRecord) + " has every option hidden";
      std::fprintf(stderr, "%s\n", warning.c_str());
      m.host.trace.line(warning);
      m.programCounter = qeRecord;
      return;
    }
    const Integer sel = numbers.at(pickLine(m, lines));
    m.host.trace.line("chosen " + std::to_string(sel));
    m.gameVar(37) = sel;
    m.timesChosen(sel) = static_cast<Integer>(m.timesChosen(sel) + 1);
    Long jumpEntry = -1;
    switch (actOnPick(m, sel, jumpEntry)) {
      case Next::present:
        break;
      case Next::interrupted:
        return;
      case Next::leave:
        if (jumpEntry >= 0) {
          jumpToEntry(m, static_cast<double>(jumpEntry));
        } else {
          m.programCounter = qeRecord;
        }
        return;
    }
  }
}

}  // namespace zav3::scenario
