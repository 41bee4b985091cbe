// The scenario disassembler. Every record is written in the most readable form whose compiled
// bytes are exactly the record's bytes; what no readable form produces is written raw.
#include "scriptc/disassembler.hpp"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "scriptc/encoding.hpp"

namespace zav3::scriptc {
namespace {

std::string_view opField(std::string_view rec) {
  return rec.substr(0, fieldWidth);
}
std::string_view field(std::string_view rec, int k) {  // operand k = 1..4
  return rec.substr(fieldWidth * static_cast<std::size_t>(k), fieldWidth);
}
bool blankField(std::string_view f) {
  return trimRight(f).empty();
}

std::optional<long> numberField(std::string_view f) {
  return canonicalNumber(trimRight(f));
}
std::optional<long> countField(std::string_view f) {
  const auto n = numberField(f);
  if (!n || *n < 0) return std::nullopt;
  return n;
}

bool isAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string stringToken(std::string_view bytes) {
  return '"' + renderLiteral(bytes) + '"';
}

// A token for a message attribute value inside [...]: never holds a bracket when bare.
std::string attributeToken(std::string_view bytes) {
  std::string t = literalToken(bytes);
  if (t[0] != '"' && (t.find('[') != std::string::npos || t.find(']') != std::string::npos ||
                      t.find('/') != std::string::npos)) {
    t = stringToken(bytes);
  }
  return t;
}

// One item of the message file in order: a message (records chained together) or a record
// that has no readable form.
struct Item {
  long first, last;
  bool message;
};

class Disassembler {
 public:
  explicit Disassembler(const DataFiles& in) : in_(in) {}
  std::string run();

 private:
  void splitRecords();
  void readJumpTable();
  void readSpeakers();
  void groupMessages();

  void labelsAt(long record);
  bool labelInside(long first, long last) const;
  long choiceBlock(long r);
  long listBlock(long r);
  void single(long r);
  std::optional<std::string> genericForm(std::string_view rec, bool refs) const;
  std::string recordForm(std::string_view rec, bool refs) const;
  std::string entryOperand(std::string_view f, const std::string& prefix) const;

  std::string rangeText(long from, long to) const;
  long rangeEnd(long from, long to) const;  // last record of a range that names messages, or 0
  void nameSayBlocks();
  void emitMessagesUpTo(long record);
  void emitItem(const Item& item, const std::string& keyword, bool named);
  std::string faceToken(std::string_view face) const;

  const DataFiles& in_;
  std::vector<std::string> pro_, txt_;
  std::string proTail_, txtTail_;
  std::vector<std::optional<MessageFields>> fields_;
  std::map<long, std::vector<int>> labels_;  // record -> entry numbers labelled there
  std::set<long> labelled_;                  // entry numbers that have a label
  std::vector<std::pair<int, long>> otherEntries_;
  bool jumpCanonical_ = false;
  std::array<std::string, speakerLast + 1> faceNames_;  // unique plain names usable in faces
  std::vector<Item> items_;
  std::map<long, std::size_t> itemByFirst_, itemByLast_;
  std::size_t nextItem_ = 0;
  mutable std::set<long> referenced_;  // first records of the messages named in references
  std::string out_;
};

void Disassembler::splitRecords() {
  std::size_t n = in_.pro.size() / scriptRecordSize;
  for (std::size_t i = 0; i < n; ++i)
    pro_.push_back(in_.pro.substr(i * scriptRecordSize, scriptRecordSize));
  proTail_ = in_.pro.substr(n * scriptRecordSize);
  n = in_.txt.size() / messageRecordSize;
  for (std::size_t i = 0; i < n; ++i)
    txt_.push_back(in_.txt.substr(i * messageRecordSize, messageRecordSize));
  txtTail_ = in_.txt.substr(n * messageRecordSize);
}

void Disassembler::readJumpTable() {
  const std::string& s = in_.jmp;
  std::vector<long> values;
  // The compiler's layout: 5001 canonical numbers, each followed by CR LF.
  std::size_t pos = 0;
  jumpCanonical_ = true;
  for (int i = 0; i <= entryLast && jumpCanonical_; ++i) {
    const std::size_t end = s.find("\r\n", pos);
    const auto v = end == std::string::npos
                       ? std::nullopt
                       : canonicalNumber(std::string_view(s).substr(pos, end - pos));
    if (!v || *v < -2147483648L || *v > 2147483647L) {
      jumpCanonical_ = false;
    } else {
      values.push_back(*v);
      pos = end + 2;
    }
  }
  if (pos != s.size()) jumpCanonical_ = false;
  if (!jumpCanonical_) {
    // Any other layout is kept byte for byte; the numbers it plainly holds still give labels.
    values.clear();
    std::size_t i = 0;
    while (i < s.size() && values.size() <= static_cast<std::size_t>(entryLast)) {
      while (i < s.size() &&
             (s[i] == ',' || s[i] == '\r' || s[i] == '\n' || s[i] == ' ' || s[i] == '\t'))
        ++i;
      std::size_t j = i;
      while (j < s.size() && s[j] != ',' && s[j] != '\r' && s[j] != '\n' && s[j] != ' ' &&
             s[j] != '\t')
        ++j;
      if (i == j) break;
      const auto v = canonicalNumber(std::string_view(s).substr(i, j - i));
      if (!v) break;
      values.push_back(*v);
      i = j;
    }
  }
  const long end = static_cast<long>(pro_.size()) + 1;
  for (std::size_t n = 0; n < values.size(); ++n) {
    const long v = values[n];
    if (v >= 1 && v <= end) {
      labels_[v].push_back(static_cast<int>(n));
      labelled_.insert(static_cast<long>(n));
    } else if (v != 0 && jumpCanonical_) {
      otherEntries_.emplace_back(static_cast<int>(n), v);
    }
  }
}

void Disassembler::readSpeakers() {
  const std::string& s = in_.man;
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < s.size() && lines.size() <= static_cast<std::size_t>(speakerLast)) {
    const std::size_t end = s.find("\r\n", pos);
    if (end == std::string::npos) break;
    lines.push_back(std::string_view(s).substr(pos, end - pos));
    pos = end + 2;
  }
  out_ += "# Speakers: number, name and voice (DATA\\MAN.DAT).\n";
  if (lines.size() != speakerLast + 1 || pos != s.size()) {
    out_ += "file MAN.DAT " + stringToken(s) + "\n\n";
    return;
  }
  std::map<std::string, int> nameCount;
  std::vector<std::pair<int, std::string>> plain;
  for (int i = 0; i <= speakerLast; ++i) {
    const std::string_view line = lines[static_cast<std::size_t>(i)];
    const std::string index = zeroPadded(i, 2);
    if (line == index + ":0,") continue;
    const std::size_t comma = line.find(',');
    std::optional<long> voice;
    if (line.substr(0, 3) == index + ":" && comma != std::string_view::npos) {
      voice = canonicalNumber(line.substr(3, comma - 3));
    }
    const std::string_view name = comma == std::string_view::npos ? "" : line.substr(comma + 1);
    const std::string nameToken = displayToken(name);
    if (!voice) {
      out_ += "speaker " + std::to_string(i) + " raw " + stringToken(line) + "\n";
      continue;
    }
    out_ += "speaker " + std::to_string(i) + " " + nameToken;
    if (*voice != 0) out_ += " voice " + std::to_string(*voice);
    out_ += "\n";
    if (!name.empty() && nameToken[0] != '"') {
      plain.emplace_back(i, nameToken);
      ++nameCount[std::string(name)];
    }
  }
  for (const auto& [i, token] : plain) {
    const std::string_view line = lines[static_cast<std::size_t>(i)];
    if (nameCount[std::string(line.substr(line.find(',') + 1))] == 1) {
      faceNames_[static_cast<std::size_t>(i)] = token;
    }
  }
  out_ += "\n";
}

void Disassembler::groupMessages() {
  for (const std::string& r : txt_) fields_.push_back(messageFields(r));
  const long count = static_cast<long>(txt_.size());
  for (long j = 1; j <= count;) {
    if (!fields_[static_cast<std::size_t>(j - 1)]) {
      items_.push_back({j, j, false});
      ++j;
      continue;
    }
    long k = j;
    while (k < count && leadingNumber(fields_[static_cast<std::size_t>(k - 1)]->chain) > 1 &&
           fields_[static_cast<std::size_t>(k)]) {
      ++k;
    }
    itemByFirst_[j] = items_.size();
    itemByLast_[k] = items_.size();
    items_.push_back({j, k, true});
    j = k + 1;
  }
}

// ---------------------------------------------------------------------------------------------
// Labels and message references

void Disassembler::labelsAt(long record) {
  const auto it = labels_.find(record);
  if (it == labels_.end()) return;
  for (int n : it->second) {
    out_ += "label e" + std::to_string(n) + " = " + std::to_string(n) + "\n";
  }
}

bool Disassembler::labelInside(long first, long last) const {
  const auto it = labels_.upper_bound(first);
  return it != labels_.end() && it->first <= last;
}

std::string Disassembler::rangeText(long from, long to) const {
  const auto a = itemByFirst_.find(from);
  const auto b = itemByLast_.find(to);
  if (a != itemByFirst_.end() && b != itemByLast_.end() && a->second <= b->second) {
    referenced_.insert(from);
    referenced_.insert(items_[b->second].first);
    if (a->second == b->second) return "m" + std::to_string(from);
    return "m" + std::to_string(from) + " .. m" + std::to_string(items_[b->second].first);
  }
  return std::to_string(from) + " .. " + std::to_string(to);
}

long Disassembler::rangeEnd(long from, long to) const {
  const auto a = itemByFirst_.find(from);
  const auto b = itemByLast_.find(to);
  if (a != itemByFirst_.end() && b != itemByLast_.end() && a->second <= b->second) return to;
  return 0;
}

void Disassembler::emitMessagesUpTo(long record) {
  while (nextItem_ < items_.size() && items_[nextItem_].first <= record) {
    emitItem(items_[nextItem_], "message", true);
    ++nextItem_;
  }
}

std::string Disassembler::faceToken(std::string_view face) const {
  if (face.size() == 6 && face[0] >= '0' && face[0] <= '9' && face[1] >= '0' && face[1] <= '9') {
    const int n = (face[0] - '0') * 10 + (face[1] - '0');
    if (n <= speakerLast && !faceNames_[static_cast<std::size_t>(n)].empty() && isAlnum(face[2]) &&
        isAlnum(face[3]) && isAlnum(face[4]) && isAlnum(face[5])) {
      return faceNames_[static_cast<std::size_t>(n)] + "/" + std::string(face.substr(2, 2)) + "/" +
             std::string(face.substr(4, 2));
    }
  }
  return attributeToken(face);
}

void Disassembler::emitItem(const Item& item, const std::string& keyword, bool named) {
  if (!item.message) {
    out_ += "textrecord " + stringToken(trimRight(txt_[static_cast<std::size_t>(item.first - 1)])) +
            "\n";
    return;
  }
  const MessageFields& head = *fields_[static_cast<std::size_t>(item.first - 1)];
  out_ += keyword;
  if (named) {
    out_ += " m" + std::to_string(item.first);
  } else {
    out_ += "\x01" + std::to_string(item.first) + "\x02";  // named later if referenced
  }
  if (head.face != "000000") out_ += " face " + faceToken(head.face);
  auto pictureText = [](std::string_view p) {
    const bool digits =
        p[0] >= '0' && p[0] <= '9' && p[1] >= '0' && p[1] <= '9' && p[2] >= '0' && p[2] <= '9';
    return digits ? std::to_string(std::stol(std::string(p))) : stringToken(p);
  };
  auto sizeText = [](std::string_view s) -> std::string {
    if (s == "<") return "big";
    if (s == ">") return "small";
    if (s == " ") return "normal";
    return stringToken(s);
  };
  if (head.picture != "000") out_ += " pic " + pictureText(head.picture);
  if (head.size != " ") out_ += " size " + sizeText(head.size);
  out_ += "\n";
  for (long r = item.first; r <= item.last; ++r) {
    const MessageFields& f = *fields_[static_cast<std::size_t>(r - 1)];
    std::vector<std::string> attrs;
    if (f.pause == "S") {
      attrs.push_back("S");
    } else if (f.pause != " ") {
      attrs.push_back("pause " + stringToken(f.pause));
    }
    if (f.face != head.face) attrs.push_back("face " + faceToken(f.face));
    if (f.picture != head.picture) attrs.push_back("pic " + pictureText(f.picture));
    if (f.size != head.size) attrs.push_back("size " + sizeText(f.size));
    const std::string chain = zeroPadded(std::min(item.last - r + 1, 99L), 2);
    if (f.chain != chain) {
      const bool digits =
          f.chain[0] >= '0' && f.chain[0] <= '9' && f.chain[1] >= '0' && f.chain[1] <= '9';
      attrs.push_back("chain " +
                      (digits ? std::to_string(std::stol(f.chain)) : stringToken(f.chain)));
    }
    if (f.length) {
      const bool digits = (*f.length)[0] >= '0' && (*f.length)[0] <= '9' && (*f.length)[1] >= '0' &&
                          (*f.length)[1] <= '9';
      attrs.push_back("length " +
                      (digits ? std::to_string(std::stol(*f.length)) : stringToken(*f.length)));
    }
    std::string line = "  ";
    if (!attrs.empty() || f.text.empty()) {
      line += "[";
      for (std::size_t k = 0; k < attrs.size(); ++k) line += (k ? " " : "") + attrs[k];
      line += "]";
      if (!f.text.empty()) line += " ";
    }
    line += renderDisplay(f.text);
    out_ += line + "\n";
  }
  out_ += "end\n";
}

// ---------------------------------------------------------------------------------------------
// Script records

std::string Disassembler::entryOperand(std::string_view f, const std::string& prefix) const {
  const std::string_view t = trimRight(f);
  if (t.substr(0, prefix.size()) == prefix) {
    const auto n = canonicalNumber(t.substr(prefix.size()));
    if (n && labelled_.count(*n)) return prefix + ":e" + std::to_string(*n);
  }
  return {};
}

std::optional<std::string> Disassembler::genericForm(std::string_view rec, bool refs) const {
  const std::string_view op = trimRight(opField(rec));
  if (op.empty()) return std::nullopt;
  std::string out;
  if (isKnownOpcode(op)) {
    out = std::string(op);
  } else {
    out = stringToken(op);
  }
  int last = 0;
  for (int k = 1; k <= 4; ++k) {
    if (!blankField(field(rec, k))) last = k;
  }
  for (int k = 1; k <= last; ++k) {
    const std::string_view f = trimRight(field(rec, k));
    std::string token;
    if (refs && k == 1 && (op == "J" || op == "SJ")) token = entryOperand(f, "");
    if (refs && k == 4 && (op == "IF" || op == "FI") && !f.empty() &&
        (f[0] == 'J' || f[0] == 'S')) {
      token = entryOperand(f, std::string(1, f[0]));
    }
    if (token.empty()) token = f.empty() ? "\"\"" : literalToken(f);
    out += " " + token;
  }
  if (out.find("\\x") != std::string::npos)
    return std::nullopt;  // split characters: raw reads better
  return out;
}

std::string Disassembler::recordForm(std::string_view rec, bool refs) const {
  if (auto g = genericForm(rec, refs)) return *g;
  return "record " + stringToken(trimRight(rec));
}

void Disassembler::single(long r) {
  const std::string& rec = pro_[static_cast<std::size_t>(r - 1)];
  const std::string_view op = opField(rec);
  // Text show.
  if (op == "P      " && blankField(field(rec, 3)) && blankField(field(rec, 4))) {
    const auto from = numberField(field(rec, 1));
    const auto to = numberField(field(rec, 2));
    if (from && to) {
      const auto a = itemByFirst_.find(*from);
      const auto b = itemByLast_.find(*to);
      if (a != itemByFirst_.end() && b != itemByLast_.end() && a->second == b->second &&
          a->second >= nextItem_) {
        emitMessagesUpTo(*from - 1);
        emitItem(items_[a->second], "say", false);
        nextItem_ = a->second + 1;
        return;
      }
      if (const long end = rangeEnd(*from, *to)) emitMessagesUpTo(end);
      if (rangeEnd(*from, *to)) {
        out_ += "show " + rangeText(*from, *to) + "\n";
        return;
      }
    }
  }
  // Insert texts.
  if (rec[0] == '$') {
    if (holdsCharacter(op, insertOpen)) {
      const std::string_view line = std::string_view(rec).substr(0, lineViewWidth);
      if (rec[1] >= '0' && rec[1] <= '9' && line.substr(2, 2) == insertOpen) {
        const std::size_t close = findCharacter(line, insertClose, 4);
        if (close != std::string_view::npos) {
          const std::string_view text = line.substr(4, close - 4);
          const std::string again =
              padRight("$" + std::string(1, rec[1]) + std::string(insertOpen) + std::string(text) +
                           std::string(insertClose),
                       scriptRecordSize);
          if (again == rec) {
            out_ += "insert " + std::string(1, rec[1]) + " " + displayToken(text) + "\n";
            return;
          }
        }
      }
    } else if (op == "$      " && countField(field(rec, 1)) && countField(field(rec, 2)) &&
               blankField(field(rec, 3)) && blankField(field(rec, 4))) {
      out_ += "insert " + std::string(trimRight(field(rec, 1))) + " H" +
              std::string(trimRight(field(rec, 2))) + "\n";
      return;
    }
  }
  out_ += recordForm(rec, true) + "\n";
}

long Disassembler::listBlock(long r) {
  const std::string& rec = pro_[static_cast<std::size_t>(r - 1)];
  if (opField(rec) != "H      ") return 0;
  const auto n = countField(field(rec, 1));
  if (!n || !blankField(field(rec, 2)) || !blankField(field(rec, 3)) ||
      !blankField(field(rec, 4))) {
    return 0;
  }
  if (r + *n > static_cast<long>(pro_.size()) || labelInside(r, r + *n)) return 0;
  std::string text = "list\n";
  for (long i = 1; i <= *n; ++i) {
    const auto line = markedLineText(pro_[static_cast<std::size_t>(r + i - 1)], listEndMark);
    if (!line) return 0;
    text += "  " + (line->empty() ? std::string("[]") : renderDisplay(*line)) + "\n";
  }
  out_ += text + "end\n";
  return *n + 1;
}

long Disassembler::choiceBlock(long r) {
  const long count = static_cast<long>(pro_.size());
  const std::string& q = pro_[static_cast<std::size_t>(r - 1)];
  if (opField(q) != "Q      " || !blankField(field(q, 1))) return 0;
  const auto n = countField(field(q, 2));
  const auto mask = numberField(field(q, 3));
  const auto costume = numberField(field(q, 4));
  if (!n || !mask || !costume || r + *n > count) return 0;
  std::vector<std::string> lines;
  for (long i = 1; i <= *n; ++i) {
    const auto line = markedLineText(pro_[static_cast<std::size_t>(r + i - 1)], optionEndMark);
    if (!line) return 0;
    lines.push_back(*line);
  }
  long end = r + *n + 1;
  for (; end <= count; ++end) {
    const std::string& e = pro_[static_cast<std::size_t>(end - 1)];
    if (opField(e).find("QE") == std::string_view::npos) continue;
    if (trimRight(e) != "QE") return 0;
    break;
  }
  if (end > count || labelInside(r, end)) return 0;

  std::vector<std::string> body;
  std::size_t nextLine = 0;
  auto range = [&](std::string_view f1, std::string_view f2) -> std::optional<std::string> {
    const auto a = numberField(f1);
    const auto b = numberField(f2);
    if (!a || !b) return std::nullopt;
    return rangeText(*a, *b);
  };
  auto optional2 = [&](std::string_view f1, std::string_view f2,
                       const char* word) -> std::optional<std::string> {
    if (blankField(f1) && blankField(f2)) return std::string();
    auto t = range(f1, f2);
    if (!t) return std::nullopt;
    return std::string(" ") + word + " " + *t;
  };
  auto lineText = [&]() { return displayToken(lines[nextLine++]); };
  for (long e = r + *n + 1; e < end; ++e) {
    const std::string& rec = pro_[static_cast<std::size_t>(e - 1)];
    const std::string_view op = opField(rec);
    std::optional<std::string> form;
    bool optionEntry = false;
    if (op.substr(0, 2) == "OP") {
      bool ok = rec.substr(0, 3) == "OP " && rec.substr(33, 2) == "  ";
      std::string_view listField = std::string_view(rec).substr(30, 3);
      while (!listField.empty() && listField[0] == ' ') listField.remove_prefix(1);
      const auto list = countField(listField);
      ok = ok && list && blankPadded(*list, 3) == rec.substr(30, 3);
      std::vector<std::string> who;
      for (int f = 1; f <= 9 && ok; ++f) {
        const std::string_view p = std::string_view(rec).substr(static_cast<std::size_t>(f) * 3, 3);
        if (p == "   ") {
          who.push_back("-");
          continue;
        }
        std::string_view t = p;
        while (!t.empty() && t[0] == ' ') t.remove_prefix(1);
        const auto v = countField(t);
        ok = v && blankPadded(*v, 3) == p;
        if (ok) who.push_back(std::to_string(*v));
      }
      if (ok) {
        while (!who.empty() && who.back() == "-") who.pop_back();
        std::string s = "persons";
        if (*list != 1) s += " list " + std::to_string(*list);
        for (const std::string& w : who) s += " " + w;
        form = s;
      }
    } else if (op.substr(0, 2) == "OT") {
      const auto row = countField(field(rec, 1));
      const auto who = countField(field(rec, 2));
      const auto t = range(field(rec, 3), field(rec, 4));
      if (op == "OT     " && row && who && t) {
        form = "about " + std::to_string(*row) + " " + std::to_string(*who) + " " + *t;
      }
    } else if (op.find('H') != std::string_view::npos) {
      const auto t = range(field(rec, 1), field(rec, 2));
      if (op == "H      " && t && blankField(field(rec, 3)) && blankField(field(rec, 4))) {
        form = "header " + *t;
      }
    } else if (op.find_first_of("LN=OJ+") != std::string_view::npos) {
      optionEntry = true;
      // [C routine] kind [link]
      const std::string_view s = trimRight(op);
      std::size_t p = 0;
      std::string routine;
      bool ok = true;
      if (s[0] == 'C') {
        p = 1;
        while (p < s.size() && s[p] >= '0' && s[p] <= '9') ++p;
        const auto v = canonicalNumber(s.substr(1, p - 1));
        ok = v && *v >= 0;
        if (ok) routine = std::to_string(*v);
      }
      const char kind = p < s.size() ? s[p] : '\0';
      std::string action;
      ok = ok && kind && std::string_view("LN=OJ+").find(kind) != std::string_view::npos;
      if (ok) {
        const std::string_view rest = s.substr(p + 1);
        if (kind == 'J' || kind == '+') {
          const auto link = canonicalNumber(rest);
          ok = link && *link >= 0;
          if (ok && kind == 'J') {
            action =
                std::string("jump ") + (labelled_.count(*link) ? "e" : "") + std::to_string(*link);
          } else if (ok) {
            action = "until " + std::to_string(*link);
          }
        } else {
          ok = rest.empty();
          action = kind == 'L' ? "back" : kind == 'N' ? "keep" : kind == '=' ? "leave" : "ask";
        }
      }
      std::optional<std::string> first =
          ok ? optional2(field(rec, 1), field(rec, 2), "first") : std::nullopt;
      std::string tail;
      if (ok && first && kind == 'O') {
        const std::string_view a3 = trimRight(field(rec, 3));
        const std::string_view a4 = trimRight(field(rec, 4));
        const auto row = countField(a3);
        const auto who = countField(a4);
        ok = (a3.empty() || row) && (a4.empty() || who);
        if (ok && row) action += " " + std::to_string(*row);
        if (ok && who) tail = " close " + std::to_string(*who);
      } else if (ok && first) {
        const auto repeat = optional2(field(rec, 3), field(rec, 4), "repeat");
        ok = repeat.has_value();
        if (ok) tail = *repeat;
      }
      if (ok && first) {
        std::string s2 = nextLine < lines.size() ? "option " + lineText() + " " : "action ";
        s2 += action + *first + tail;
        if (!routine.empty()) s2 += " routine " + routine;
        form = s2;
      }
    }
    if (!form) {
      if (optionEntry && nextLine < lines.size()) body.push_back("line " + lineText());
      form = recordForm(rec, false);
    }
    body.push_back(*form);
  }
  while (nextLine < lines.size()) body.push_back("line " + lineText());

  out_ += "choice";
  if (*mask != 0) out_ += " mask " + std::to_string(*mask);
  if (*costume != 0) out_ += " costume " + std::to_string(*costume);
  out_ += "\n";
  for (const std::string& b : body) out_ += "  " + b + "\n";
  out_ += "end\n";
  return end - r + 1;
}

std::string Disassembler::run() {
  splitRecords();
  out_ += "# Scenario source written by zavc disasm: " + std::to_string(pro_.size()) +
          " script records, " + std::to_string(txt_.size()) + " message records.\n\n";
  readSpeakers();
  readJumpTable();
  groupMessages();
  if (!jumpCanonical_) {
    out_ += "# Jump entries kept byte for byte (DATA\\JMP.DAT).\n";
    out_ += "file JMP.DAT " + stringToken(in_.jmp) + "\n\n";
  }
  if (!otherEntries_.empty()) {
    out_ += "# Jump entries that point outside the script.\n";
    for (const auto& [n, v] : otherEntries_) {
      out_ += "entry " + std::to_string(n) + " = " + std::to_string(v) + "\n";
    }
    out_ += "\n";
  }
  const long count = static_cast<long>(pro_.size());
  for (long r = 1; r <= count;) {
    labelsAt(r);
    long used = choiceBlock(r);
    if (!used) used = listBlock(r);
    if (!used) {
      single(r);
      used = 1;
    }
    r += used;
  }
  labelsAt(count + 1);
  emitMessagesUpTo(static_cast<long>(txt_.size()));
  if (!proTail_.empty()) out_ += "tail " + stringToken(proTail_) + "\n";
  if (!txtTail_.empty()) out_ += "texttail " + stringToken(txtTail_) + "\n";
  nameSayBlocks();
  return out_;
}

// A say block gets its name only when some reference uses it; until the end it carries a marker
// (control bytes never appear in the output otherwise).
void Disassembler::nameSayBlocks() {
  std::string named;
  std::size_t pos = 0;
  while (true) {
    const std::size_t mark = out_.find('\x01', pos);
    named.append(out_, pos, mark == std::string::npos ? std::string::npos : mark - pos);
    if (mark == std::string::npos) break;
    const std::size_t end = out_.find('\x02', mark);
    const long first = std::stol(out_.substr(mark + 1, end - mark - 1));
    if (referenced_.count(first)) named += " m" + std::to_string(first);
    pos = end + 1;
  }
  out_ = std::move(named);
}

}  // namespace

std::string disassemble(const DataFiles& files) {
  return Disassembler(files).run();
}

}  // namespace zav3::scriptc
