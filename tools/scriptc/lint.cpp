// The scenario checker. It reads the compiled records back the way the engine reads them
// (commands, choice blocks, the jump table, message fields) and ties each finding to the source
// line the compiler wrote the record from.
#include "scriptc/lint.hpp"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <system_error>

#include "scriptc/encoding.hpp"

namespace zav3::scriptc {

namespace {

namespace fs = std::filesystem;

constexpr int slotCount = 10;
constexpr long maxOptions = 10;  // the options a choice list offers
constexpr unsigned allSlots = (1u << slotCount) - 1;

// Special routines that fill only some reply slots (docs/routines.md); every other routine is
// taken to fill them all, as its outputs are not known here.
unsigned slotsFilledBy(long routine) {
  auto span = [](int from, int to) {
    unsigned bits = 0;
    for (int s = from; s <= to; ++s) bits |= 1u << s;
    return bits;
  };
  static const std::map<long, unsigned> table = {
      {5, span(1, 9)},  {6, span(1, 9)},  {10, span(0, 0)}, {11, span(1, 2)}, {14, span(1, 2)},
      {16, span(1, 1)}, {22, span(0, 9)}, {46, span(1, 1)}, {48, span(0, 0)}, {57, span(0, 3)},
      {77, span(1, 2)}, {78, span(0, 0)}, {81, span(0, 1)}, {83, span(0, 0)}, {84, span(1, 2)},
      {86, span(0, 1)}, {90, span(0, 1)},
  };
  const auto it = table.find(routine);
  return it == table.end() ? allSlots : it->second;
}

bool routineExists(long n) {
  return n >= 1 && n <= 110 && n != 35;
}

// Files of the game folder that routines load by name.
std::vector<std::string> filesLoadedBy(long routine) {
  auto show = [](const char* folder, int pictures, const char* song, const char* text) {
    std::vector<std::string> files{std::string("MIDI\\") + song + ".MID",
                                   std::string(folder) + "\\" + text};
    for (int k = 1; k <= pictures; ++k) {
      files.push_back(std::string(folder) + "\\" + zeroPadded(k, 3) + ".BMP");
    }
    return files;
  };
  switch (routine) {
    case 41:
      return {"MIDI\\04.MID"};
    case 76:
      return {"MAINCG\\NO.BMP", "MAINCG\\spcg1.BMP", "MAINCG\\spcg2.BMP", "MAINCG\\spcg2_2.BMP",
              "MAINCG\\spcg3.BMP"};
    case 89:
      return {"MAINCG\\mission.BMP"};
    case 100:
      return show("OP_CG", 23, "01", "OPENING.TXT");
    case 101:
      return show("END_CG", 11, "15", "ENDING.TXT");
    case 108:
      return {"MAINCG\\CONCENT.BMP"};
    default:
      return {};
  }
}

// A script record's fields as the engine reads them: each without its blanks.
struct Record {
  std::string op;
  std::array<std::string, 4> a;
};

std::string field(std::string_view bytes, std::size_t at) {
  std::string_view f = bytes.size() > at ? bytes.substr(at, fieldWidth) : std::string_view();
  f = trimRight(f);
  while (!f.empty() && f.front() == ' ') f.remove_prefix(1);
  return std::string(f);
}

bool has(const std::string& s, std::string_view part) {
  return s.find(part) != std::string::npos;
}

struct Option {
  char kind = 0;
  long link = 0, routine = 0;
};

struct Block {
  long q = 0, firstEntry = 0, qe = 0;  // the Q record, its first entry, its QE
  long lines = 0;                      // its option lines
  std::vector<Option> options;
};

// A message run shown by a record.
struct Shown {
  long record, from, to;
};

struct Jump {
  long record;
  long entry;
};

class Checker {
 public:
  Checker(const CompileResult& r, const std::optional<fs::path>& gameDir)
      : files_(r.files), map_(r.map), gameDir_(gameDir) {}
  std::vector<Diagnostic> run();

 private:
  void read();
  void labels();
  void deadRecords();
  void jumps();
  void choices();
  void routines();
  void fillers();
  long slotWidth(int slot, long k) const;
  void replies();
  void widths();
  void media();

  bool inBlock(long k) const { return blockOf_.count(k) > 0; }
  bool stops(long k) const {
    const std::string& op = recs_[static_cast<std::size_t>(k - 1)].op;
    return op == "J" || op.starts_with("END") || op == "SE" || op == "HJ" || op == "IJ";
  }
  const Record& rec(long k) const { return recs_[static_cast<std::size_t>(k - 1)]; }
  long count() const { return static_cast<long>(recs_.size()); }
  std::string message(long m) const;  // the text of message record m, as shown
  void warn(const SourceLine& at, std::string text) {
    out_.push_back({at.file, at.line, std::move(text)});
  }
  void warnRecord(long k, std::string text) {
    const auto& s = map_.script;
    warn(k >= 1 && k <= static_cast<long>(s.size()) ? s[static_cast<std::size_t>(k - 1)]
                                                    : SourceLine{},
         std::move(text));
  }
  void warnMessage(long m, std::string text) {
    const auto& s = map_.messages;
    warn(m >= 1 && m <= static_cast<long>(s.size()) ? s[static_cast<std::size_t>(m - 1)]
                                                    : SourceLine{},
         std::move(text));
  }
  void need(const std::string& file, const char* what, long k);

  const DataFiles& files_;
  const SourceMap& map_;
  const std::optional<fs::path>& gameDir_;
  std::vector<Record> recs_;
  std::vector<long> table_;              // entry -> record
  std::map<long, std::size_t> blockOf_;  // record inside a block (after Q, up to QE) -> block
  std::vector<Block> blocks_;
  std::vector<Jump> jumps_;
  std::vector<Shown> shown_;
  std::vector<std::pair<long, long>> routineCalls_;                   // record, routine number
  std::array<std::vector<std::pair<long, long>>, slotCount> filled_;  // (record, width) by slot
  std::set<std::string> reported_;
  std::vector<Diagnostic> out_;
};

std::string Checker::message(long m) const {
  const std::size_t at = static_cast<std::size_t>(m - 1) * messageRecordSize;
  if (at + messageRecordSize > files_.txt.size()) return {};
  const std::string_view r = std::string_view(files_.txt).substr(at, messageRecordSize);
  const long length = std::clamp(leadingNumber(r.substr(42, 2)), 0L, 42L);
  std::string text;
  for (long i = 0; i < length; ++i) text += static_cast<char>(r[static_cast<std::size_t>(i)] - 1);
  return text;
}

void Checker::read() {
  for (std::size_t at = 0; at + scriptRecordSize <= files_.pro.size(); at += scriptRecordSize) {
    const std::string_view b = std::string_view(files_.pro).substr(at, scriptRecordSize);
    Record r{field(b, 0), {field(b, 7), field(b, 14), field(b, 21), field(b, 28)}};
    recs_.push_back(std::move(r));
  }
  std::string_view jmp = files_.jmp;
  while (!jmp.empty()) {
    const std::size_t nl = jmp.find('\n');
    table_.push_back(leadingNumber(jmp.substr(0, nl)));
    if (nl == std::string_view::npos) break;
    jmp.remove_prefix(nl + 1);
  }
  const long n = count();
  for (long k = 1; k <= n; ++k) {
    const Record& r = rec(k);
    if (r.op == "Q") {
      Block b;
      b.q = k;
      b.lines = std::max(leadingNumber(r.a[1]), 1L);
      b.firstEntry = k + b.lines + 1;
      long e = b.firstEntry;
      for (; e <= n && !has(rec(e).op, "QE"); ++e) {
        const Record& x = rec(e);
        if (x.op.starts_with("OP")) continue;
        if (x.op.starts_with("OT")) {
          shown_.push_back({e, leadingNumber(x.a[2]), leadingNumber(x.a[3])});
          continue;
        }
        static constexpr std::string_view kinds = "HLN=OJ+";
        std::size_t at = std::string::npos;
        char kind = 0;
        for (char c : kinds) {
          at = x.op.find(c);
          if (at != std::string::npos) {
            kind = c;
            break;
          }
        }
        if (kind == 0) continue;
        shown_.push_back({e, leadingNumber(x.a[0]), leadingNumber(x.a[1])});
        if (kind == 'H') continue;
        Option o{kind, 0, 0};
        if (kind == 'J' || kind == '+') o.link = leadingNumber(x.op.substr(at + 1));
        if (kind == 'O') {
          o.link = leadingNumber(x.a[3]);  // the closing person
        } else {
          shown_.push_back({e, leadingNumber(x.a[2]), leadingNumber(x.a[3])});
        }
        if (x.op.starts_with("C")) {
          o.routine = leadingNumber(x.op.substr(1));
          routineCalls_.push_back({e, o.routine});
        }
        if (kind == 'J') jumps_.push_back({e, o.link});
        b.options.push_back(o);
      }
      b.qe = e;
      for (long i = k + 1; i <= std::min(e, n); ++i) blockOf_[i] = blocks_.size();
      blocks_.push_back(std::move(b));
      k = e;
      continue;
    }
    if (r.op == "J" || r.op == "SJ") jumps_.push_back({k, leadingNumber(r.a[0])});
    if (r.op == "IF" || r.op == "FI") {
      // The target's number follows its first character, whatever that is: J jumps, S calls,
      // anything else runs the routine ("R12"; a plain "12" runs routine 2).
      const std::string& t = r.a[3];
      const long target = t.empty() ? 0 : leadingNumber(t.substr(1));
      if (!t.empty() && (t[0] == 'J' || t[0] == 'S')) {
        jumps_.push_back({k, target});
      } else {
        routineCalls_.push_back({k, target});
      }
    }
    if (r.op == "SP") routineCalls_.push_back({k, leadingNumber(r.a[0])});
    if (r.op == "P") shown_.push_back({k, leadingNumber(r.a[0]), leadingNumber(r.a[1])});
  }
}

// A label is reached when something names it (by name or by its number) or when the record
// before it goes on to it; the first record is where the game starts.
void Checker::labels() {
  std::set<std::string> used;
  for (const auto& [name, at] : map_.labelUses) used.insert(name);
  std::set<long> numbers;
  for (const Jump& j : jumps_) numbers.insert(j.entry);
  // An entry number put into a variable may be jumped to through it (HJ, HS, IJ, IS).
  for (const Record& r : recs_) {
    if (r.op == "HE" || r.op == "IE") numbers.insert(leadingNumber(r.a[1]));
  }
  for (const SourceMap::Label& l : map_.labels) {
    if (l.entry < 0 || used.count(l.name) || numbers.count(l.entry) || l.record == 1) continue;
    const long before = l.record - 1;
    if (before >= 1 && before <= count() && !stops(before) &&
        (!inBlock(before) || blocks_[blockOf_.at(before)].qe == before)) {
      continue;
    }
    warn(l.at, "label '" + l.name + "' is never reached");
  }
}

// Records after an unconditional jump, a return or END that no entry points to: the run up to
// the next record an entry points to is reported at its first record.
void Checker::deadRecords() {
  std::set<long> targets(table_.begin(), table_.end());
  bool dead = false;
  std::string after;
  for (long k = 1; k <= count(); ++k) {
    if (targets.count(k)) dead = false;
    if (inBlock(k)) continue;
    if (dead) {
      warnRecord(k, "this record can never run (it follows " + after + " and no label names it)");
      dead = false;
      // The rest of the run is dead too; skip to the next record an entry points to.
      while (k + 1 <= count() && !targets.count(k + 1)) ++k;
      continue;
    }
    if (stops(k)) {
      dead = true;
      after = rec(k).op.starts_with("END") ? "END" : rec(k).op;
    }
  }
}

void Checker::jumps() {
  for (const Jump& j : jumps_) {
    const std::string where = "entry " + std::to_string(j.entry);
    if (j.entry < 0 || j.entry >= static_cast<long>(table_.size()) ||
        table_[static_cast<std::size_t>(j.entry)] == 0) {
      warnRecord(j.record, "jump or call to " + where + ", which no label defines");
      continue;
    }
    const long target = table_[static_cast<std::size_t>(j.entry)];
    const auto it = blockOf_.find(target);
    if (it == blockOf_.end()) continue;
    const SourceLine& q = map_.script[static_cast<std::size_t>(blocks_[it->second].q - 1)];
    warnRecord(j.record, "jump or call to " + where + ", inside the choice block at " + q.file +
                             ":" + std::to_string(q.line));
  }
}

void Checker::choices() {
  for (const Block& b : blocks_) {
    const bool leaves = std::any_of(b.options.begin(), b.options.end(), [](const Option& o) {
      return o.kind == '=' || o.kind == 'J' || o.kind == '+' || (o.kind == 'O' && o.link != 0);
    });
    if (!leaves)
      warnRecord(b.q, "no option of this choice leaves it (every option keeps the list open)");
    if (b.lines > maxOptions) {
      warnRecord(b.q, "this choice has " + std::to_string(b.lines) + " options; only the first " +
                          std::to_string(maxOptions) + " are ever offered");
    }
  }
}

void Checker::routines() {
  for (const auto& [k, n] : routineCalls_) {
    if (!routineExists(n)) {
      warnRecord(k, "special routine " + std::to_string(n) +
                        " does not exist (the routines are 1 to 110, without 35)");
    }
  }
}

// What fills the reply slots, by record: an insert text (its width known) or a routine or a
// flag insert (its width not known).
void Checker::fillers() {
  for (long k = 1; k <= count(); ++k) {
    const std::string_view b =
        std::string_view(files_.pro)
            .substr(static_cast<std::size_t>(k - 1) * scriptRecordSize, scriptRecordSize);
    if (b[0] != '$') continue;
    if (b.substr(2, 2) == insertOpen) {
      // The text runs on past the op field, to the closing mark.
      const std::size_t close = findCharacter(b, insertClose, 4);
      const long slot = b[1] - '0';
      if (slot >= 0 && slot < slotCount && close != std::string::npos) {
        filled_[static_cast<std::size_t>(slot)].push_back({k, static_cast<long>(close - 4)});
      }
    } else {
      const long slot = leadingNumber(rec(k).a[0]);
      if (slot >= 0 && slot < slotCount) filled_[static_cast<std::size_t>(slot)].push_back({k, -1});
    }
  }
  for (const auto& [k, n] : routineCalls_) {
    if (!routineExists(n)) continue;
    const unsigned slots = slotsFilledBy(n);
    for (int s = 0; s < slotCount; ++s) {
      if (slots & (1u << s)) filled_[static_cast<std::size_t>(s)].push_back({k, -1});
    }
  }
  for (auto& f : filled_) std::sort(f.begin(), f.end());
}

// The width in bytes of what fills slot `slot` when record `k` runs, taking the last filler
// before it in record order: -1 when nothing does, 0 when its width is not known.
long Checker::slotWidth(int slot, long k) const {
  const auto& f = filled_[static_cast<std::size_t>(slot)];
  const auto it = std::lower_bound(f.begin(), f.end(), std::pair<long, long>{k, -2});
  if (it == f.begin()) return -1;
  return std::max(std::prev(it)->second, 0L);
}

// Reply codes: a message line showing @n needs an insert n, or a routine that fills slot n, at
// an earlier record than the first record that shows it.
void Checker::replies() {
  std::map<long, long> firstShown;  // message record -> first record showing it
  for (const Shown& s : shown_) {
    for (long m = std::max(s.from, 1L); m <= s.to && m <= static_cast<long>(map_.messages.size());
         ++m) {
      auto [it, added] = firstShown.emplace(m, s.record);
      if (!added) it->second = std::min(it->second, s.record);
    }
  }
  // The codes of `text` that no filler precedes record k in; each slot once.
  auto unfilled = [&](const std::string& text, long k) {
    std::set<int> slots;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
      if (text[i] != '@' || text[i + 1] < '0' || text[i + 1] > '9') continue;
      if (slotWidth(text[i + 1] - '0', k) < 0) slots.insert(text[i + 1] - '0');
    }
    return slots;
  };
  auto says = [](int s) {
    const std::string n = std::to_string(s);
    return "@" + n + " is shown before any insert " + n + " or routine fills reply slot " + n;
  };
  for (const auto& [m, k] : firstShown) {
    for (int s : unfilled(message(m), k)) warnMessage(m, says(s));
  }
  // The lines of a list display show the codes too.
  for (long k = 1; k <= count(); ++k) {
    if (inBlock(k) || rec(k).op != "H") continue;
    const long lines = std::max(leadingNumber(rec(k).a[0]), 1L);
    std::set<int> slots;
    for (long i = k + 1; i <= std::min(k + lines, count()); ++i) {
      const std::string line =
          files_.pro.substr(static_cast<std::size_t>(i - 1) * scriptRecordSize, lineViewWidth);
      const std::set<int> more = unfilled(line.substr(0, findCharacter(line, listEndMark)), k);
      slots.insert(more.begin(), more.end());
    }
    for (int s : slots) warnRecord(k, says(s) + " (in a list line)");
    k += lines;
  }
}

// Message lines against the message window: the characters that fit on a line at the line's
// size (the window's text area is 404 pixels wide; each character takes its column width, its
// glyph drawn three times a pixel apart), an insert text counted at its width where the insert
// that last filled its slot before the showing record is known.
void Checker::widths() {
  constexpr int areaWidth = 404;
  auto fits = [](int column, int glyph) { return (areaWidth - glyph - 2) / column + 1; };
  // The characters of a line shown by record k (0: not known to be shown, inserts left out).
  auto columns = [&](const std::string& text, long k) {
    long n = 0;
    for (std::size_t i = 0; i < text.size(); i += 2) {
      if (text[i] == '@' && i + 1 < text.size()) {
        const char c = text[i + 1];
        if (c == 'T') continue;
        if (c >= '0' && c <= '9') {
          if (k > 0) n += (std::max(slotWidth(c - '0', k), 0L) + 1) / 2;
          continue;
        }
      }
      ++n;
    }
    return n;
  };
  std::map<long, long> widest;  // message record -> its most characters on any showing
  for (const Shown& s : shown_) {
    for (long m = std::max(s.from, 1L); m <= s.to && m <= static_cast<long>(map_.messages.size());
         ++m) {
      widest[m] = std::max(widest[m], columns(message(m), s.record));
    }
  }
  for (long m = 1; m <= static_cast<long>(map_.messages.size()); ++m) {
    const long n = widest.count(m) ? widest[m] : columns(message(m), 0);
    const std::size_t at = static_cast<std::size_t>(m - 1) * messageRecordSize;
    const char size = files_.txt[at + 44];
    const int limit = size == '<' ? fits(35, 32) : size == '>' ? fits(15, 12) : fits(19, 16);
    if (n > limit) {
      warnMessage(m, "message line is wider than the message window (" + std::to_string(n) +
                         " characters, at most " + std::to_string(limit) +
                         (size == '<' ? " in the big size)" : ")"));
    }
  }
}

// True when the game path `name` ("CG\001.BMP") is in `dir`, names matched without regard to
// ASCII case as the game's file layer matches them.
bool present(const fs::path& dir, const std::string& name) {
  fs::path at = dir;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t sep = name.find('\\', start);
    const std::string part = name.substr(start, sep - start);
    std::error_code ec;
    if (fs::exists(at / part, ec)) {
      at /= part;
    } else {
      auto fold = [](std::string s) {
        for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        return s;
      };
      bool found = false;
      for (fs::directory_iterator it(at, ec), end; !ec && it != end; it.increment(ec)) {
        if (fold(it->path().filename().string()) == fold(part)) {
          at = it->path();
          found = true;
          break;
        }
      }
      if (!found) return false;
    }
    if (sep == std::string::npos) break;
    start = sep + 1;
  }
  return true;
}

// Reports `file` missing, once, where record k (or message record -k) names it; a missing
// folder is reported once for all its files.
void Checker::need(const std::string& file, const char* what, long k) {
  if (present(*gameDir_, file) || !reported_.insert(file).second) return;
  const std::string folder = file.substr(0, file.find('\\') + 1);
  std::string text = std::string(what) + " " + file + " is missing from the game folder";
  if (!present(*gameDir_, folder.substr(0, folder.size() - 1))) {
    if (!reported_.insert(folder).second) return;
    text = "folder " + folder + " is missing from the game folder";
  }
  if (k > 0) {
    warnRecord(k, text);
  } else {
    warnMessage(-k, text);
  }
}

void Checker::media() {
  auto picture = [&](const std::string& operand, long k) {
    const long n = leadingNumber(operand);
    if (n <= 0) return;
    const std::string name = "CG\\" + zeroPadded(n, 3);
    if (present(*gameDir_, name + ".cmp")) return;  // the engine's second form of a picture
    need(name + ".BMP", "picture", k);
  };
  auto two = [](const std::string& operand) { return zeroPadded(leadingNumber(operand), 2); };
  for (long k = 1; k <= count(); ++k) {
    if (inBlock(k)) continue;
    const Record& r = rec(k);
    if (r.op == "G" || r.op == "KG" || r.op == "TG" || r.op == "TK") picture(r.a[0], k);
    if (r.op == "MG") {
      // The game finds its movie folder by the file COM.TXT in it.
      need("AVI\\COM.TXT", "the movie folder's", k);
      if (leadingNumber(r.a[0]) > 0) need("AVI\\" + two(r.a[0]) + ".avi", "movie", k);
      picture(r.a[1], k);
      picture(r.a[2], k);
    }
    if (r.op == "SU") need("WAVE\\" + two(r.a[0]) + ".WAV", "sound", k);
    if ((r.op == "MU" || r.op == "MC" || r.op == "MK") && leadingNumber(r.a[0]) != 0) {
      need("MIDI\\" + two(r.a[0]) + ".MID", "song", k);
    }
  }
  for (const auto& [k, n] : routineCalls_) {
    for (const std::string& f : filesLoadedBy(n)) {
      need(f, f.ends_with(".MID") ? "song" : f.ends_with(".TXT") ? "text" : "picture", k);
    }
  }
  for (long m = 1; m <= static_cast<long>(map_.messages.size()); ++m) {
    const std::size_t at = static_cast<std::size_t>(m - 1) * messageRecordSize;
    const std::string face = files_.txt.substr(at + 48, 6);
    picture(files_.txt.substr(at + 54, 3), -m);
    // Face 000000 takes the default face, costume FF the remembered costume: neither is known
    // before the game runs.
    if (face != "000000" && face.substr(4, 2) != "FF") need("KAOCG\\" + face + ".BMP", "face", -m);
  }
}

std::vector<Diagnostic> Checker::run() {
  read();
  labels();
  deadRecords();
  jumps();
  choices();
  routines();
  fillers();
  replies();
  widths();
  if (gameDir_) media();
  return out_;
}

}  // namespace

LintResult lint(const fs::path& source, const std::optional<fs::path>& gameDir) {
  LintResult result;
  const CompileResult r = compile(source);
  result.errors = r.errors;
  if (!r.ok()) return result;
  result.warnings = Checker(r, gameDir).run();
  // In source order: files in the order the compiler first read them, then by line.
  std::map<std::string, std::size_t> order;
  for (const SourceLine& s : r.map.script) order.emplace(s.file, order.size());
  for (const SourceLine& s : r.map.messages) order.emplace(s.file, order.size());
  std::stable_sort(result.warnings.begin(), result.warnings.end(),
                   [&](const Diagnostic& a, const Diagnostic& b) {
                     const std::size_t fa = order[a.file], fb = order[b.file];
                     return fa != fb ? fa < fb : a.line < b.line;
                   });
  return result;
}

}  // namespace zav3::scriptc
