// The scenario compiler. A first pass reads the source line by line and builds every record,
// leaving blanks where a label, message or speaker is named; a second pass numbers the labels
// and fills those blanks in, then writes the jump-entry and speaker tables.
#include "scriptc/compiler.hpp"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>

#include "scriptc/encoding.hpp"

namespace zav3::scriptc {

std::string Diagnostic::text() const {
  return file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + message;
}

namespace {

namespace fs = std::filesystem;

struct Pos {
  std::string file;
  int line = 0;
};

struct Token {
  std::string text;  // for a quoted token: what stands between the quotes, escapes unprocessed
  bool quoted = false;
};

bool isIdentStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || c == '_' || u >= 0x80;
}
bool isIdentChar(char c) {
  return isIdentStart(c) || (c >= '0' && c <= '9');
}

bool isIdentifier(std::string_view s) {
  if (s.empty() || !isIdentStart(s[0])) return false;
  for (char c : s) {
    if (!isIdentChar(c)) return false;
  }
  return true;
}

bool isDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

bool isInteger(std::string_view s) {
  return isDigits(!s.empty() && s[0] == '-' ? s.substr(1) : s);
}

// The value of a plain decimal number of at most nine digits.
std::optional<long> smallNumber(std::string_view s) {
  if (!isDigits(s) || s.size() > 9) return std::nullopt;
  return std::stol(std::string(s));
}

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Splits a statement line into tokens separated by blanks; "..." makes one token.
bool tokenize(std::string_view line, std::vector<Token>& out, std::string& error) {
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i >= line.size()) return true;
    if (line[i] == '"') {
      std::size_t j = i + 1;
      while (j < line.size() && line[j] != '"') j += line[j] == '\\' ? 2 : 1;
      if (j >= line.size()) {
        error = "unterminated string";
        return false;
      }
      if (j + 1 < line.size() && !isBlank(line[j + 1])) {
        error = "a closing quote must be followed by a blank";
        return false;
      }
      out.push_back({std::string(line.substr(i + 1, j - i - 1)), true});
      i = j + 1;
    } else {
      std::size_t j = i;
      while (j < line.size() && !isBlank(line[j])) ++j;
      out.push_back({std::string(line.substr(i, j - i)), false});
      i = j;
    }
  }
}

// How a reference is written into its field once resolved.
enum class RefKind { entry, messageFirst, messageLast, speaker };
enum class Layout { left, right3, zero2 };

struct Ref {
  RefKind kind;
  std::string name;
  std::string prefix;  // written before the number ("J" for J:label)
};

// A field value: literal bytes, or a reference resolved in the second pass.
struct Value {
  std::string bytes;
  std::optional<Ref> ref;
  std::string source;  // the source spelling, for error messages
};

Value literal(std::string bytes) {
  std::string source = bytes;
  return Value{std::move(bytes), std::nullopt, std::move(source)};
}

struct Fixup {
  std::size_t offset;
  std::size_t width;
  Layout layout;
  Ref ref;
  Pos pos;
  std::string source;
};

// A record under construction; fixup offsets are relative to the record.
struct Built {
  std::string bytes;
  std::vector<Fixup> fixups;
};

// A face code: six bytes, the first two filled in later when a speaker is named.
struct FaceValue {
  std::string bytes = "000000";
  std::optional<Ref> speaker;
  std::string source;
  Pos pos;  // where the face is written
};

// Message attributes: defaults from a block header, or the overrides of one line.
struct MessageAttrs {
  std::optional<FaceValue> face;
  std::optional<std::string> picture, size, pause, chain, length;
};

struct Range {
  Value from, to;
};

struct LabelDef {
  std::string name;
  long record;
  std::optional<int> number;
  Pos pos;
  int assigned = -1;
};

struct EntryDef {
  int number;
  long value;
  Pos pos;
};

struct MessageDef {
  long first, last;
  Pos pos;
};

struct SpeakerDef {
  bool declared = false;
  bool raw = false;
  std::string bytes;  // raw: the whole line; else the name
  std::string voice = "0";
  std::string nameSource;
  Pos pos;
};

const std::set<std::string_view>& keywords() {
  static const std::set<std::string_view> k = {
      "include", "speaker", "label",  "entry",  "file",       "message", "say",     "show",
      "choice",  "list",    "insert", "record", "textrecord", "tail",    "texttail"};
  return k;
}

class Compiler {
 public:
  void addFile(const fs::path& path, const std::string& name, const Pos* from);
  void addText(std::string_view text, const std::string& name, const fs::path& dir);
  CompileResult finish();

 private:
  struct Source {
    std::vector<std::string> lines;
    std::string name;
    fs::path dir;
    std::size_t next = 0;
  };

  void error(const Pos& pos, std::string message) {
    errors_.push_back({pos.file, pos.line, std::move(message)});
  }
  bool nextLine(Source& src, std::string& line, Pos& pos);
  // The next line of a block: false at its "end" line (`ended` set) or at the end of the file.
  bool nextBlockLine(Source& src, std::string& line, Pos& pos, bool& ended);
  bool tokens(const Pos& pos, std::string_view line, std::vector<Token>& out);
  void run(Source& src);
  void statement(Source& src, const Pos& pos, std::vector<Token>& toks);

  // Values and fields.
  std::optional<Value> operand(const Token& t, const Pos& pos);
  std::optional<Value> number(const std::vector<Token>& toks, std::size_t i, const Pos& pos,
                              const char* what);
  std::optional<Range> range(const std::vector<Token>& toks, std::size_t& i, const Pos& pos);
  std::optional<Value> person(const Token& t, const Pos& pos);
  void put(Built& b, std::size_t offset, std::size_t width, const Value& v, const Pos& pos,
           Layout layout = Layout::left);
  Built scriptRecord(const Value& op, const std::array<Value, 4>& a, const Pos& pos);
  std::optional<std::string> rawBytes(const Token& t, const Pos& pos, std::size_t max,
                                      const char* what);

  // Statements.
  std::optional<Built> generic(const std::vector<Token>& toks, const Pos& pos);
  void speaker(const std::vector<Token>& toks, const Pos& pos);
  void label(const std::vector<Token>& toks, const Pos& pos);
  void entry(const std::vector<Token>& toks, const Pos& pos);
  void fileOverride(const std::vector<Token>& toks, const Pos& pos);
  void messageBlock(Source& src, const std::vector<Token>& toks, const Pos& pos, bool say);
  bool attribute(const std::vector<Token>& toks, std::size_t& i, const Pos& pos,
                 MessageAttrs& attrs, bool line);
  std::optional<FaceValue> face(const Token& t, const Pos& pos);
  void show(const std::vector<Token>& toks, const Pos& pos);
  void choiceBlock(Source& src, const std::vector<Token>& toks, const Pos& pos);
  std::optional<Built> optionEntry(const std::vector<Token>& toks, std::size_t i, const Pos& pos);
  std::optional<Built> persons(const std::vector<Token>& toks, const Pos& pos);
  std::optional<Built> about(const std::vector<Token>& toks, const Pos& pos);
  void listBlock(Source& src, const std::vector<Token>& toks, const Pos& pos);
  void insert(const std::vector<Token>& toks, const Pos& pos);
  void include(const std::vector<Token>& toks, const Pos& pos, const Source& src);

  // Output.
  // Appends a record to one of the two record files, moving its fixups along.
  void emit(const Built& b, const Pos& pos, std::string& out, std::vector<Fixup>& fixups,
            bool hasTail, bool& reported, const char* tailError);
  void emitScript(const Built& b, const Pos& pos);
  void emitMessage(const Built& b, const Pos& pos);
  long scriptCount() const { return static_cast<long>(pro_.size() / scriptRecordSize); }
  long messageCount() const { return static_cast<long>(txt_.size() / messageRecordSize); }

  // Second pass.
  std::optional<long> resolve(const Ref& ref, const Pos& pos);
  void applyFixups(std::string& out, const std::vector<Fixup>& fixups);
  void assignEntries();
  std::string jumpTable();
  std::string speakerTable();

  std::vector<Diagnostic> errors_;
  SourceMap map_;
  std::string pro_, txt_;
  std::optional<std::string> proTail_, txtTail_, jmpOverride_, manOverride_;
  bool afterProTail_ = false, afterTxtTail_ = false;
  std::vector<Fixup> proFixups_, txtFixups_;
  std::vector<LabelDef> labels_;
  std::map<std::string, std::size_t> labelIndex_;
  std::vector<EntryDef> entries_;
  std::map<std::string, MessageDef> messages_;
  std::array<SpeakerDef, speakerLast + 1> speakers_;
  std::map<std::string, int> aliases_;
  std::vector<fs::path> includeStack_;
};

// ---------------------------------------------------------------------------------------------
// Reading lines

std::vector<std::string> splitLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
  return lines;
}

void Compiler::addFile(const fs::path& path, const std::string& name, const Pos* from) {
  std::error_code ec;
  std::ifstream in(path, std::ios::binary);
  if (!in || fs::is_directory(path, ec)) {
    error(from ? *from : Pos{name, 0}, "cannot read " + name);
    return;
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  includeStack_.push_back(fs::weakly_canonical(path, ec));
  Source src{splitLines(text), name, path.parent_path()};
  run(src);
  includeStack_.pop_back();
}

void Compiler::addText(std::string_view text, const std::string& name, const fs::path& dir) {
  Source src{splitLines(text), name, dir};
  run(src);
}

// The line without its comment: a '#' at the start or after a blank, outside double quotes,
// runs to the end of the line.
std::string_view withoutComment(std::string_view line) {
  bool inQuote = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      inQuote = !inQuote;
    } else if (line[i] == '#' && !inQuote && (i == 0 || isBlank(line[i - 1]))) {
      return line.substr(0, i);
    }
  }
  return line;
}

bool Compiler::nextLine(Source& src, std::string& line, Pos& pos) {
  while (src.next < src.lines.size()) {
    const std::string_view l = trim(withoutComment(trim(src.lines[src.next])));
    pos = Pos{src.name, static_cast<int>(src.next + 1)};
    ++src.next;
    if (l.empty()) continue;
    line = std::string(l);
    return true;
  }
  return false;
}

bool Compiler::nextBlockLine(Source& src, std::string& line, Pos& pos, bool& ended) {
  if (!nextLine(src, line, pos)) return false;
  ended = line == "end";
  return !ended;
}

bool Compiler::tokens(const Pos& pos, std::string_view line, std::vector<Token>& out) {
  std::string message;
  if (tokenize(line, out, message)) return true;
  error(pos, message);
  return false;
}

void Compiler::run(Source& src) {
  std::string line;
  Pos pos;
  while (nextLine(src, line, pos)) {
    std::vector<Token> toks;
    if (!tokens(pos, line, toks) || toks.empty()) continue;
    statement(src, pos, toks);
  }
}

void Compiler::statement(Source& src, const Pos& pos, std::vector<Token>& toks) {
  const std::string k = toks[0].quoted ? std::string() : toks[0].text;
  if (k == "include") return include(toks, pos, src);
  if (k == "speaker") return speaker(toks, pos);
  if (k == "label") return label(toks, pos);
  if (k == "entry") return entry(toks, pos);
  if (k == "file") return fileOverride(toks, pos);
  if (k == "message" || k == "say") return messageBlock(src, toks, pos, k == "say");
  if (k == "show") return show(toks, pos);
  if (k == "choice") return choiceBlock(src, toks, pos);
  if (k == "list") return listBlock(src, toks, pos);
  if (k == "insert") return insert(toks, pos);
  if (k == "end") return error(pos, "'end' without a block to end");
  if (k == "record" || k == "textrecord") {
    const bool text = k == "textrecord";
    const std::size_t size = text ? messageRecordSize : scriptRecordSize;
    if (toks.size() != 2) return error(pos, k + " takes one string");
    const auto bytes = rawBytes(toks[1], pos, size, text ? "message record" : "record");
    if (!bytes) return;
    const Built b{padRight(*bytes, size), {}};
    return text ? emitMessage(b, pos) : emitScript(b, pos);
  }
  if (k == "tail" || k == "texttail") {
    const bool text = k == "texttail";
    if (toks.size() != 2) return error(pos, k + " takes one string");
    const auto bytes =
        rawBytes(toks[1], pos, (text ? messageRecordSize : scriptRecordSize) - 1, "tail");
    if (!bytes) return;
    std::optional<std::string>& tail = text ? txtTail_ : proTail_;
    if (tail) return error(pos, "a second " + k);
    tail = *bytes;
    return;
  }
  if (const auto b = generic(toks, pos)) emitScript(*b, pos);
}

// ---------------------------------------------------------------------------------------------
// Values and fields

std::optional<Value> Compiler::operand(const Token& t, const Pos& pos) {
  const std::string& s = t.text;
  if (!t.quoted) {
    if (s.size() > 1 && s[0] == ':' && isIdentifier(s.substr(1))) {
      return Value{{}, Ref{RefKind::entry, s.substr(1), ""}, s};
    }
    if (s.size() > 2 && s[1] == ':' && s[0] >= 'A' && s[0] <= 'Z' && isIdentifier(s.substr(2))) {
      return Value{{}, Ref{RefKind::entry, s.substr(2), s.substr(0, 1)}, s};
    }
    if (s.starts_with("first:") && isIdentifier(s.substr(6))) {
      return Value{{}, Ref{RefKind::messageFirst, s.substr(6), ""}, s};
    }
    if (s.starts_with("last:") && isIdentifier(s.substr(5))) {
      return Value{{}, Ref{RefKind::messageLast, s.substr(5), ""}, s};
    }
  }
  const Converted c = literalBytes(s);
  if (!c.ok()) {
    error(pos, c.error);
    return std::nullopt;
  }
  return Value{c.bytes, std::nullopt, s};
}

std::optional<Value> Compiler::number(const std::vector<Token>& toks, std::size_t i, const Pos& pos,
                                      const char* what) {
  if (i >= toks.size() || toks[i].quoted || !isInteger(toks[i].text)) {
    error(pos, std::string(what) + " needs a number");
    return std::nullopt;
  }
  return literal(toks[i].text);
}

// RANGE: NAME, NAME .. NAME, NUMBER .. NUMBER (a name gives its first record on the left and
// its last record on the right). The ".." may stand with or without blanks.
std::optional<Range> Compiler::range(const std::vector<Token>& toks, std::size_t& i,
                                     const Pos& pos) {
  if (i >= toks.size() || toks[i].quoted) {
    error(pos, "a message name or a range N .. M is missing");
    return std::nullopt;
  }
  std::string s = toks[i++].text;
  while (i < toks.size() && !toks[i].quoted &&
         (s.ends_with("..") || toks[i].text.starts_with(".."))) {
    s += toks[i++].text;
  }
  const std::size_t dots = s.find("..");
  const std::string left = s.substr(0, dots);
  const std::string right = dots == std::string::npos ? left : s.substr(dots + 2);
  auto side = [&](const std::string& part, RefKind kind) -> std::optional<Value> {
    if (isInteger(part)) return literal(part);
    if (isIdentifier(part)) return Value{{}, Ref{kind, part, ""}, part};
    error(pos, "'" + s + "' is not a message name or a range N .. M");
    return std::nullopt;
  };
  auto from = side(left, RefKind::messageFirst);
  if (!from) return std::nullopt;
  auto to = side(right, RefKind::messageLast);
  if (!to) return std::nullopt;
  return Range{*from, *to};
}

std::optional<Value> Compiler::person(const Token& t, const Pos& pos) {
  if (!t.quoted && isDigits(t.text)) return literal(t.text);
  if (t.text.empty()) {
    error(pos, "a person is a number or a speaker's name");
    return std::nullopt;
  }
  return Value{{}, Ref{RefKind::speaker, t.text, ""}, t.text};
}

void Compiler::put(Built& b, std::size_t offset, std::size_t width, const Value& v, const Pos& pos,
                   Layout layout) {
  if (v.ref) {
    b.fixups.push_back({offset, width, layout, *v.ref, pos, v.source});
    return;
  }
  if (v.bytes.size() > width) {
    error(pos, "'" + v.source + "' is over " + std::to_string(width) + " bytes");
    return;
  }
  b.bytes.replace(offset, v.bytes.size(), v.bytes);
}

Built Compiler::scriptRecord(const Value& op, const std::array<Value, 4>& a, const Pos& pos) {
  Built b{std::string(scriptRecordSize, ' '), {}};
  put(b, 0, fieldWidth, op, pos);
  for (std::size_t k = 0; k < 4; ++k) put(b, fieldWidth * (k + 1), fieldWidth, a[k], pos);
  return b;
}

std::optional<std::string> Compiler::rawBytes(const Token& t, const Pos& pos, std::size_t max,
                                              const char* what) {
  const Converted c = literalBytes(t.text);
  if (!c.ok()) {
    error(pos, c.error);
    return std::nullopt;
  }
  if (c.bytes.size() > max) {
    error(pos, std::string(what) + " is over " + std::to_string(max) + " bytes (" +
                   std::to_string(c.bytes.size()) + ")");
    return std::nullopt;
  }
  return c.bytes;
}

// ---------------------------------------------------------------------------------------------
// Statements

std::optional<Built> Compiler::generic(const std::vector<Token>& toks, const Pos& pos) {
  const Token& opTok = toks[0];
  if (!opTok.quoted && !isKnownOpcode(opTok.text)) {
    if (keywords().count(opTok.text)) {
      error(pos, "'" + opTok.text + "' cannot stand here");
    } else {
      error(pos, "unknown opcode '" + opTok.text + "'");
    }
    return std::nullopt;
  }
  if (toks.size() > 5) {
    error(pos, "too many operands (a record holds four)");
    return std::nullopt;
  }
  const Converted op = literalBytes(opTok.text);
  if (!op.ok()) {
    error(pos, op.error);
    return std::nullopt;
  }
  std::array<Value, 4> a;
  for (std::size_t k = 1; k < toks.size(); ++k) {
    auto v = operand(toks[k], pos);
    if (!v) return std::nullopt;
    a[k - 1] = *v;
  }
  return scriptRecord(Value{op.bytes, std::nullopt, opTok.text}, a, pos);
}

void Compiler::speaker(const std::vector<Token>& toks, const Pos& pos) {
  const auto number = toks.size() < 3 || toks[1].quoted ? std::nullopt : smallNumber(toks[1].text);
  if (!number) return error(pos, "speaker needs a number and a name");
  const long n = *number;
  if (n > speakerLast) return error(pos, "speaker numbers run from 0 to 64");
  SpeakerDef& s = speakers_[static_cast<std::size_t>(n)];
  if (s.declared) {
    return error(pos, "speaker " + std::to_string(n) + " is already declared at " + s.pos.file +
                          ":" + std::to_string(s.pos.line));
  }
  SpeakerDef def;
  def.declared = true;
  def.pos = pos;
  if (!toks[2].quoted && toks[2].text == "raw") {
    if (toks.size() != 4) return error(pos, "speaker N raw takes one string");
    const Converted c = literalBytes(toks[3].text);
    if (!c.ok()) return error(pos, c.error);
    def.raw = true;
    def.bytes = c.bytes;
    s = def;
    return;
  }
  const Converted name = displayBytes(toks[2].text);
  if (!name.ok()) return error(pos, name.error);
  def.bytes = name.bytes;
  def.nameSource = toks[2].text;
  for (std::size_t i = 3; i < toks.size(); i += 2) {
    const std::string& w = toks[i].quoted ? std::string() : toks[i].text;
    if (i + 1 >= toks.size()) return error(pos, "'" + toks[i].text + "' needs a value");
    if (w == "voice") {
      if (toks[i + 1].quoted || !isInteger(toks[i + 1].text)) {
        return error(pos, "voice needs a number");
      }
      def.voice = toks[i + 1].text;
    } else if (w == "as") {
      const std::string& alias = toks[i + 1].text;
      if (toks[i + 1].quoted || !isIdentifier(alias)) {
        return error(pos, "'" + alias + "' is not a name");
      }
      if (aliases_.count(alias)) return error(pos, "speaker name '" + alias + "' is taken");
      aliases_[alias] = static_cast<int>(n);
    } else {
      return error(pos, "unknown word '" + toks[i].text + "' in speaker (voice, as)");
    }
  }
  s = def;
}

void Compiler::label(const std::vector<Token>& toks, const Pos& pos) {
  if (toks.size() < 2 || toks[1].quoted || !isIdentifier(toks[1].text)) {
    return error(pos, "label needs a name");
  }
  const std::string& name = toks[1].text;
  LabelDef def{name, scriptCount() + 1, std::nullopt, pos};
  if (toks.size() == 4 && !toks[2].quoted && toks[2].text == "=" && smallNumber(toks[3].text)) {
    def.number = static_cast<int>(std::min(*smallNumber(toks[3].text), 999999L));
  } else if (toks.size() != 2) {
    return error(pos, "label takes a name and optionally '= NUMBER'");
  }
  const auto it = labelIndex_.find(name);
  if (it != labelIndex_.end()) {
    const Pos& first = labels_[it->second].pos;
    return error(pos, "duplicate label '" + name + "' (first at " + first.file + ":" +
                          std::to_string(first.line) + ")");
  }
  labelIndex_[name] = labels_.size();
  labels_.push_back(def);
}

void Compiler::entry(const std::vector<Token>& toks, const Pos& pos) {
  if (toks.size() != 4 || !smallNumber(toks[1].text) || toks[2].text != "=" ||
      !isInteger(toks[3].text) || toks[3].text.size() > 11) {
    return error(pos, "entry takes 'NUMBER = RECORD'");
  }
  entries_.push_back({static_cast<int>(std::min(*smallNumber(toks[1].text), 999999L)),
                      std::stol(toks[3].text), pos});
}

void Compiler::fileOverride(const std::vector<Token>& toks, const Pos& pos) {
  if (toks.size() != 3 || (toks[1].text != "JMP.DAT" && toks[1].text != "MAN.DAT")) {
    return error(pos, "file takes JMP.DAT or MAN.DAT and one string");
  }
  const Converted c = literalBytes(toks[2].text);
  if (!c.ok()) return error(pos, c.error);
  std::optional<std::string>& target = toks[1].text == "JMP.DAT" ? jmpOverride_ : manOverride_;
  if (target) return error(pos, "a second 'file " + toks[1].text + "'");
  target = c.bytes;
}

std::optional<FaceValue> Compiler::face(const Token& t, const Pos& pos) {
  FaceValue f;
  f.source = t.text;
  f.pos = pos;
  if (t.quoted || t.text.find('/') == std::string::npos) {
    const Converted c = literalBytes(t.text);
    if (!c.ok()) {
      error(pos, c.error);
      return std::nullopt;
    }
    if (c.bytes.size() != 6) {
      error(pos, "a face code has 6 bytes ('" + t.text + "' has " + std::to_string(c.bytes.size()) +
                     ")");
      return std::nullopt;
    }
    f.bytes = c.bytes;
    return f;
  }
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t slash = t.text.find('/', start);
    parts.push_back(t.text.substr(start, slash - start));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  if (parts.size() != 3) {
    error(pos, "a face is SPEAKER/EXPRESSION/COSTUME or a 6-byte code");
    return std::nullopt;
  }
  f.bytes.clear();
  if (isDigits(parts[0])) {
    const long n = smallNumber(parts[0]).value_or(speakerLast + 1);
    if (n > speakerLast) {
      error(pos, "speaker numbers run from 0 to 64");
      return std::nullopt;
    }
    f.bytes = zeroPadded(n, 2);
  } else {
    f.bytes = "00";
    f.speaker = Ref{RefKind::speaker, parts[0], ""};
  }
  for (std::size_t k = 1; k < 3; ++k) {
    const Converted c = literalBytes(parts[k]);
    std::string b = c.bytes;
    if (b.size() == 1 && b[0] >= '0' && b[0] <= '9') b = "0" + b;
    if (!c.ok() || b.size() != 2) {
      error(pos, std::string(k == 1 ? "expression" : "costume") + " '" + parts[k] +
                     "' is not two characters");
      return std::nullopt;
    }
    f.bytes += b;
  }
  return f;
}

// One attribute of a message header (line = false) or of a message line; advances i.
bool Compiler::attribute(const std::vector<Token>& toks, std::size_t& i, const Pos& pos,
                         MessageAttrs& attrs, bool line) {
  const std::string w = toks[i].quoted ? std::string("\"") : toks[i].text;
  ++i;
  if (line && w == "S") {
    attrs.pause = "S";
    return true;
  }
  const bool known = w == "face" || w == "pic" || w == "size" ||
                     (line && (w == "pause" || w == "chain" || w == "length"));
  if (!known) {
    error(pos, "unknown message attribute '" + toks[i - 1].text + "'" +
                   (line ? " (S, face, pic, size, pause, chain, length)" : " (face, pic, size)"));
    return false;
  }
  if (i >= toks.size()) {
    error(pos, "'" + w + "' needs a value");
    return false;
  }
  const Token& v = toks[i++];
  auto fixed = [&](std::size_t width) -> std::optional<std::string> {
    const Converted c = literalBytes(v.text);
    if (!c.ok() || c.bytes.size() != width) {
      error(pos, w + " \"" + v.text + "\" must be " + std::to_string(width) +
                     (width == 1 ? " byte" : " bytes"));
      return std::nullopt;
    }
    return c.bytes;
  };
  if (w == "face") {
    attrs.face = face(v, pos);
    return attrs.face.has_value();
  }
  if (w == "pic" || w == "chain" || w == "length") {
    const std::size_t width = w == "pic" ? 3 : 2;
    std::optional<std::string>& target = w == "pic"     ? attrs.picture
                                         : w == "chain" ? attrs.chain
                                                        : attrs.length;
    if (v.quoted) {
      target = fixed(width);
      return target.has_value();
    }
    const long limit = w == "pic" ? 999 : 99;
    if (!isDigits(v.text) || v.text.size() > 3 || std::stol(v.text) > limit) {
      error(pos, w + " needs a number from 0 to " + std::to_string(limit));
      return false;
    }
    target = zeroPadded(std::stol(v.text), static_cast<int>(width));
    return true;
  }
  std::optional<std::string>& target = w == "size" ? attrs.size : attrs.pause;
  if (!v.quoted && w == "size") {
    if (v.text == "big" || v.text == "<") {
      target = "<";
    } else if (v.text == "small" || v.text == ">") {
      target = ">";
    } else if (v.text == "normal") {
      target = " ";
    } else {
      error(pos, "size is big, small or normal");
      return false;
    }
    return true;
  }
  target = fixed(1);
  return target.has_value();
}

void Compiler::messageBlock(Source& src, const std::vector<Token>& toks, const Pos& pos, bool say) {
  std::size_t i = 1;
  std::string name;
  static const std::set<std::string_view> attributeWords = {"face", "pic", "size"};
  if (i < toks.size() && !toks[i].quoted && !attributeWords.count(toks[i].text)) {
    name = toks[i].text;
    if (!isIdentifier(name)) error(pos, "'" + name + "' is not a message name");
    ++i;
  }
  MessageAttrs defaults;
  bool good = true;
  while (i < toks.size() && good) good = attribute(toks, i, pos, defaults, false);

  struct Line {
    std::string text;
    MessageAttrs attrs;
    Pos pos;
  };
  std::vector<Line> lines;
  std::string text;
  Pos linePos;
  bool ended = false;
  while (nextBlockLine(src, text, linePos, ended)) {
    Line line{{}, {}, linePos};
    std::string_view rest = text;
    if (rest[0] == '[') {
      std::size_t j = 1;
      bool inQuote = false;
      for (; j < rest.size(); ++j) {
        if (rest[j] == '\\') {
          ++j;
        } else if (rest[j] == '"') {
          inQuote = !inQuote;
        } else if (rest[j] == ']' && !inQuote) {
          break;
        }
      }
      if (j >= rest.size()) {
        error(linePos, "'[' without ']' (write ［ for a bracket in text)");
        continue;
      }
      std::vector<Token> attrToks;
      if (tokens(linePos, rest.substr(1, j - 1), attrToks)) {
        for (std::size_t k = 0; k < attrToks.size();) {
          if (!attribute(attrToks, k, linePos, line.attrs, true)) break;
        }
      }
      rest = trim(rest.substr(j + 1));
    }
    const Converted c = displayBytes(rest);
    if (!c.ok()) {
      error(linePos, c.error);
    } else if (c.bytes.size() > messageTextWidth) {
      error(linePos, "message line is over 42 bytes (" + std::to_string(c.bytes.size()) + ")");
    }
    line.text = c.bytes.substr(0, messageTextWidth);
    lines.push_back(std::move(line));
  }
  if (!ended) return error(pos, "message block without 'end'");
  if (lines.empty()) return error(pos, "message without lines");

  const long first = messageCount() + 1;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const Line& l = lines[k];
    MessageFields f;
    f.text = l.text;
    f.size = l.attrs.size.value_or(defaults.size.value_or(" "));
    f.pause = l.attrs.pause.value_or(" ");
    const long remaining = static_cast<long>(lines.size() - k);
    f.chain = l.attrs.chain.value_or(zeroPadded(std::min(remaining, 99L), 2));
    const FaceValue fs = l.attrs.face.value_or(defaults.face.value_or(FaceValue{}));
    f.face = fs.bytes;
    f.picture = l.attrs.picture.value_or(defaults.picture.value_or("000"));
    f.length = l.attrs.length;
    Built b{messageRecord(f), {}};
    if (fs.speaker) b.fixups.push_back({48, 2, Layout::zero2, *fs.speaker, fs.pos, fs.source});
    emitMessage(b, l.pos);
  }
  const long last = messageCount();
  if (!name.empty()) {
    const auto it = messages_.find(name);
    if (it != messages_.end()) {
      error(pos, "duplicate message name '" + name + "' (first at " + it->second.pos.file + ":" +
                     std::to_string(it->second.pos.line) + ")");
    } else {
      messages_[name] = MessageDef{first, last, pos};
    }
  }
  if (say) {
    emitScript(
        scriptRecord(
            literal("P"),
            {literal(std::to_string(first)), literal(std::to_string(last)), Value{}, Value{}}, pos),
        pos);
  }
}

void Compiler::show(const std::vector<Token>& toks, const Pos& pos) {
  std::size_t i = 1;
  const auto r = range(toks, i, pos);
  if (!r) return;
  if (i != toks.size()) return error(pos, "show takes one message or range");
  emitScript(scriptRecord(literal("P"), {r->from, r->to, Value{}, Value{}}, pos), pos);
}

std::optional<Built> Compiler::optionEntry(const std::vector<Token>& toks, std::size_t i,
                                           const Pos& pos) {
  char kind = 0;
  std::optional<Value> link, routine, row, close;
  std::optional<Range> first, repeat;
  auto setKind = [&](char k) {
    if (kind) error(pos, "an option has one action (back, keep, leave, jump, until or ask)");
    kind = k;
  };
  while (i < toks.size()) {
    const std::string w = toks[i].quoted ? std::string("\"") : toks[i].text;
    ++i;
    if (w == "back") {
      setKind('L');
    } else if (w == "keep") {
      setKind('N');
    } else if (w == "leave") {
      setKind('=');
    } else if (w == "jump") {
      setKind('J');
      if (i >= toks.size()) {
        error(pos, "jump needs a label or an entry number");
        return std::nullopt;
      }
      std::string target = toks[i++].text;
      if (isDigits(target)) {
        link = literal(target);
      } else {
        if (!target.empty() && target[0] == ':') target.erase(0, 1);
        if (!isIdentifier(target)) {
          error(pos, "'" + target + "' is not a label");
          return std::nullopt;
        }
        link = Value{{}, Ref{RefKind::entry, target, ""}, target};
      }
    } else if (w == "until") {
      setKind('+');
      link = number(toks, i++, pos, "until");
      if (!link) return std::nullopt;
    } else if (w == "ask") {
      setKind('O');
      if (i < toks.size() && !toks[i].quoted && isDigits(toks[i].text))
        row = literal(toks[i++].text);
    } else if (w == "close") {
      if (i >= toks.size()) {
        error(pos, "close needs a person");
        return std::nullopt;
      }
      close = person(toks[i++], pos);
      if (!close) return std::nullopt;
    } else if (w == "first" || w == "repeat") {
      auto r = range(toks, i, pos);
      if (!r) return std::nullopt;
      (w == "first" ? first : repeat) = r;
    } else if (w == "routine") {
      routine = number(toks, i++, pos, "routine");
      if (!routine) return std::nullopt;
    } else {
      error(pos, "unknown word '" + toks[i - 1].text +
                     "' in option (back, keep, leave, jump, until, ask, close, first, repeat, "
                     "routine)");
      return std::nullopt;
    }
  }
  if (!kind) {
    error(pos, "option needs an action (back, keep, leave, jump, until or ask)");
    return std::nullopt;
  }
  if (kind == 'O' && repeat) {
    error(pos, "an ask option has no repeat message (its fields hold the row and the person)");
    return std::nullopt;
  }
  if (kind != 'O' && close) {
    error(pos, "close belongs to an ask option");
    return std::nullopt;
  }
  std::string prefix = routine ? "C" + routine->bytes : std::string();
  prefix += kind;
  Value op = literal(prefix);
  if (link && link->ref) {
    op = *link;
    op.ref->prefix = prefix;
  } else if (link) {
    op = literal(prefix + link->bytes);
  }
  std::array<Value, 4> a;
  if (first) {
    a[0] = first->from;
    a[1] = first->to;
  }
  if (kind == 'O') {
    if (row) a[2] = *row;
    if (close) a[3] = *close;
  } else if (repeat) {
    a[2] = repeat->from;
    a[3] = repeat->to;
  }
  return scriptRecord(op, a, pos);
}

std::optional<Built> Compiler::persons(const std::vector<Token>& toks, const Pos& pos) {
  Built b{padRight("OP", scriptRecordSize), {}};
  std::size_t i = 1;
  long list = 1;
  if (i + 1 < toks.size() && !toks[i].quoted && toks[i].text == "list") {
    if (!isDigits(toks[i + 1].text) || toks[i + 1].text.size() > 3) {
      error(pos, "list needs a number (1, 2 or 3)");
      return std::nullopt;
    }
    list = std::stol(toks[i + 1].text);
    i += 2;
  }
  if (toks.size() - i > 9) {
    error(pos, "a person list record holds at most 9 persons");
    return std::nullopt;
  }
  for (std::size_t field = 1; i < toks.size(); ++i, ++field) {
    const Token& t = toks[i];
    if (!t.quoted && t.text == "-") continue;
    if (!t.quoted && isDigits(t.text)) {
      if (t.text.size() > 3) {
        error(pos, "person '" + t.text + "' is over 3 digits");
        return std::nullopt;
      }
      b.bytes.replace(field * 3, 3, blankPadded(std::stol(t.text), 3));
      continue;
    }
    auto v = person(t, pos);
    if (!v) return std::nullopt;
    put(b, field * 3, 3, *v, pos, Layout::right3);
  }
  b.bytes.replace(30, 3, blankPadded(list, 3));
  return b;
}

std::optional<Built> Compiler::about(const std::vector<Token>& toks, const Pos& pos) {
  if (toks.size() < 4) {
    error(pos, "about takes ROW PERSON MESSAGE");
    return std::nullopt;
  }
  auto row = number(toks, 1, pos, "about");
  auto who = person(toks[2], pos);
  if (!row || !who) return std::nullopt;
  std::size_t i = 3;
  auto r = range(toks, i, pos);
  if (!r) return std::nullopt;
  if (i != toks.size()) {
    error(pos, "about takes ROW PERSON MESSAGE");
    return std::nullopt;
  }
  return scriptRecord(literal("OT"), {*row, *who, r->from, r->to}, pos);
}

void Compiler::choiceBlock(Source& src, const std::vector<Token>& toks, const Pos& pos) {
  Value mask = literal("0"), costume = literal("0");
  for (std::size_t i = 1; i < toks.size(); i += 2) {
    const std::string& w = toks[i].text;
    if (toks[i].quoted || (w != "mask" && w != "costume")) {
      error(pos, "unknown word '" + w + "' in choice (mask, costume)");
      break;
    }
    auto v = number(toks, i + 1, pos, w.c_str());
    if (!v) break;
    (w == "mask" ? mask : costume) = *v;
  }
  std::vector<std::string> lines;
  std::vector<std::pair<Built, Pos>> entries;
  std::string line;
  Pos linePos;
  bool ended = false;
  while (nextBlockLine(src, line, linePos, ended)) {
    std::vector<Token> t;
    if (!tokens(linePos, line, t) || t.empty()) continue;
    const std::string k = t[0].quoted ? std::string() : t[0].text;
    if (k == "option" || k == "line") {
      if (t.size() < 2) {
        error(linePos, k + " needs its text");
        continue;
      }
      const Converted c = displayBytes(t[1].text);
      if (!c.ok()) {
        error(linePos, c.error);
      } else if (c.bytes.size() > lineViewWidth) {
        error(linePos, "option line is over 34 bytes (" + std::to_string(c.bytes.size()) + ")");
      } else if (holdsCharacter(c.bytes, optionEndMark)) {
        error(linePos, "an option line cannot hold ？ (it ends the line)");
      }
      lines.push_back(c.bytes);
      if (k == "line") {
        if (t.size() > 2) error(linePos, "line takes only its text");
        continue;
      }
      if (auto b = optionEntry(t, 2, linePos)) entries.emplace_back(*b, linePos);
    } else if (k == "action") {
      if (auto b = optionEntry(t, 1, linePos)) entries.emplace_back(*b, linePos);
    } else if (k == "header") {
      std::size_t i = 1;
      auto r = range(t, i, linePos);
      if (!r) continue;
      if (i != t.size()) error(linePos, "header takes one message or range");
      entries.emplace_back(scriptRecord(literal("H"), {r->from, r->to, Value{}, Value{}}, linePos),
                           linePos);
    } else if (k == "persons") {
      if (auto b = persons(t, linePos)) entries.emplace_back(*b, linePos);
    } else if (k == "about") {
      if (auto b = about(t, linePos)) entries.emplace_back(*b, linePos);
    } else if (k == "message") {
      messageBlock(src, t, linePos, false);
    } else if (k == "record") {
      if (t.size() != 2) {
        error(linePos, "record takes one string");
        continue;
      }
      if (auto bytes = rawBytes(t[1], linePos, scriptRecordSize, "record")) {
        entries.emplace_back(Built{padRight(*bytes, scriptRecordSize), {}}, linePos);
      }
    } else if (k == "label") {
      error(linePos, "a label cannot stand inside a choice block");
    } else if (keywords().count(k)) {
      error(linePos, "'" + k + "' cannot stand inside a choice block");
    } else if (auto b = generic(t, linePos)) {
      entries.emplace_back(*b, linePos);
    }
  }
  if (!ended) return error(pos, "choice block without 'end'");
  emitScript(scriptRecord(literal("Q"),
                          {Value{}, literal(std::to_string(lines.size())), mask, costume}, pos),
             pos);
  for (const std::string& l : lines) {
    if (auto r = markedLineRecord(l.substr(0, lineViewWidth), optionEndMark)) {
      emitScript(Built{*r, {}}, pos);
    }
  }
  for (const auto& [b, p] : entries) emitScript(b, p);
  emitScript(scriptRecord(literal("QE"), {}, pos), pos);
}

void Compiler::listBlock(Source& src, const std::vector<Token>& toks, const Pos& pos) {
  if (toks.size() != 1) error(pos, "list takes no operands");
  std::vector<std::string> lines;
  std::string line;
  Pos linePos;
  bool ended = false;
  while (nextBlockLine(src, line, linePos, ended)) {
    if (line == "[]") {
      lines.emplace_back();
      continue;
    }
    if (line[0] == '[') {
      error(linePos, "a list line has no attributes (write ［ for a bracket in text)");
      continue;
    }
    const Converted c = displayBytes(line);
    if (!c.ok()) {
      error(linePos, c.error);
    } else if (c.bytes.size() > lineViewWidth) {
      error(linePos, "list line is over 34 bytes (" + std::to_string(c.bytes.size()) + ")");
    } else if (holdsCharacter(c.bytes, listEndMark)) {
      error(linePos, "a list line cannot hold ＾ (it ends the line)");
    }
    lines.push_back(c.bytes.substr(0, lineViewWidth));
  }
  if (!ended) return error(pos, "list block without 'end'");
  emitScript(scriptRecord(literal("H"), {literal(std::to_string(lines.size()))}, pos), pos);
  for (const std::string& l : lines) {
    if (auto r = markedLineRecord(l, listEndMark)) emitScript(Built{*r, {}}, pos);
  }
}

void Compiler::insert(const std::vector<Token>& toks, const Pos& pos) {
  if (toks.size() != 3 || toks[1].quoted || !isDigits(toks[1].text)) {
    return error(pos, "insert takes a number and a text or H<flag>");
  }
  const Token& v = toks[2];
  if (!v.quoted && v.text.size() > 1 && v.text[0] == 'H' && isDigits(v.text.substr(1))) {
    auto b = scriptRecord(literal("$"), {literal(toks[1].text), literal(v.text.substr(1))}, pos);
    return emitScript(b, pos);
  }
  if (toks[1].text.size() != 1) return error(pos, "an insert text number is one digit, 0 to 9");
  const Converted c = displayBytes(v.text);
  if (!c.ok()) return error(pos, c.error);
  if (holdsCharacter(c.bytes, insertClose)) {
    return error(pos, "an insert text cannot hold 」");
  }
  const std::string record =
      "$" + toks[1].text + std::string(insertOpen) + c.bytes + std::string(insertClose);
  if (record.size() > lineViewWidth) {
    return error(pos, "insert text is over 28 bytes (" + std::to_string(c.bytes.size()) + ")");
  }
  emitScript(Built{padRight(record, scriptRecordSize), {}}, pos);
}

void Compiler::include(const std::vector<Token>& toks, const Pos& pos, const Source& src) {
  if (toks.size() != 2) return error(pos, "include takes one file name");
  const fs::path rel = toks[1].text;
  const fs::path path = src.dir / rel;
  std::error_code ec;
  const fs::path canon = fs::weakly_canonical(path, ec);
  for (const fs::path& p : includeStack_) {
    if (p == canon) return error(pos, "'" + toks[1].text + "' includes itself");
  }
  const std::string name = (fs::path(src.name).parent_path() / rel).lexically_normal().string();
  addFile(path, name, &pos);
}

// ---------------------------------------------------------------------------------------------
// Output

void Compiler::emit(const Built& b, const Pos& pos, std::string& out,
                    std::vector<Fixup>& fixups, bool hasTail, bool& reported,
                    const char* tailError) {
  if (hasTail && !reported) {
    reported = true;
    error(pos, tailError);
  }
  for (Fixup f : b.fixups) {
    f.offset += out.size();
    fixups.push_back(std::move(f));
  }
  out += b.bytes;
}

void Compiler::emitScript(const Built& b, const Pos& pos) {
  map_.script.push_back({pos.file, pos.line});
  emit(b, pos, pro_, proFixups_, proTail_.has_value(), afterProTail_,
       "no record may follow a tail");
}

void Compiler::emitMessage(const Built& b, const Pos& pos) {
  map_.messages.push_back({pos.file, pos.line});
  emit(b, pos, txt_, txtFixups_, txtTail_.has_value(), afterTxtTail_,
       "no message record may follow a texttail");
}

// ---------------------------------------------------------------------------------------------
// Second pass

void Compiler::assignEntries() {
  std::map<int, Pos> taken;
  auto take = [&](int n, const Pos& pos) {
    if (n < 0 || n > entryLast) {
      error(pos, "entry numbers run from 0 to 5000");
      return false;
    }
    const auto it = taken.find(n);
    if (it != taken.end()) {
      error(pos, "entry " + std::to_string(n) + " is already taken at " + it->second.file + ":" +
                     std::to_string(it->second.line));
      return false;
    }
    taken[n] = pos;
    return true;
  };
  for (LabelDef& l : labels_) {
    if (l.number && take(*l.number, l.pos)) l.assigned = *l.number;
  }
  for (const EntryDef& e : entries_) take(e.number, e.pos);
  int next = 1;
  for (LabelDef& l : labels_) {
    if (l.number) continue;
    while (taken.count(next)) ++next;
    if (next > entryLast) {
      error(l.pos, "no entry number is left for label '" + l.name + "'");
      continue;
    }
    l.assigned = next;
    taken[next] = l.pos;
  }
}

std::optional<long> Compiler::resolve(const Ref& ref, const Pos& pos) {
  switch (ref.kind) {
    case RefKind::entry: {
      const auto it = labelIndex_.find(ref.name);
      if (it == labelIndex_.end()) {
        error(pos, "undefined label '" + ref.name + "'");
        return std::nullopt;
      }
      const int n = labels_[it->second].assigned;
      if (n < 0) return std::nullopt;
      return n;
    }
    case RefKind::messageFirst:
    case RefKind::messageLast: {
      const auto it = messages_.find(ref.name);
      if (it == messages_.end()) {
        error(pos, "undefined message '" + ref.name + "'");
        return std::nullopt;
      }
      return ref.kind == RefKind::messageFirst ? it->second.first : it->second.last;
    }
    case RefKind::speaker: {
      if (isDigits(ref.name) && ref.name.size() <= 2) return std::stol(ref.name);
      const auto alias = aliases_.find(ref.name);
      if (alias != aliases_.end()) return alias->second;
      const Converted c = displayBytes(ref.name);
      int found = -1;
      for (int i = 0; i <= speakerLast && c.ok(); ++i) {
        const SpeakerDef& s = speakers_[static_cast<std::size_t>(i)];
        if (!s.declared || s.raw || s.bytes != c.bytes) continue;
        if (found >= 0) {
          error(pos, "speaker name '" + ref.name + "' is ambiguous (speakers " +
                         std::to_string(found) + " and " + std::to_string(i) + ")");
          return std::nullopt;
        }
        found = i;
      }
      if (found < 0) {
        error(pos, "unknown speaker '" + ref.name + "'");
        return std::nullopt;
      }
      return found;
    }
  }
  return std::nullopt;
}

void Compiler::applyFixups(std::string& out, const std::vector<Fixup>& fixups) {
  for (const Fixup& f : fixups) {
    const std::optional<long> n = resolve(f.ref, f.pos);
    if (!n) continue;
    std::string text;
    switch (f.layout) {
      case Layout::left:
        text = f.ref.prefix + std::to_string(*n);
        break;
      case Layout::right3:
        text = blankPadded(*n, 3);
        break;
      case Layout::zero2:
        text = zeroPadded(*n, 2);
        break;
    }
    if (text.size() > f.width) {
      error(f.pos,
            "'" + f.source + "' gives '" + text + "', over " + std::to_string(f.width) + " bytes");
      continue;
    }
    out.replace(f.offset, f.width, padRight(text, f.width));
  }
}

std::string Compiler::jumpTable() {
  std::vector<long> table(entryLast + 1, 0);
  for (const LabelDef& l : labels_) {
    if (l.assigned >= 0) table[static_cast<std::size_t>(l.assigned)] = l.record;
  }
  for (const EntryDef& e : entries_) {
    if (e.number >= 0 && e.number <= entryLast) table[static_cast<std::size_t>(e.number)] = e.value;
  }
  std::string out;
  for (long v : table) out += std::to_string(v) + "\r\n";
  return out;
}

std::string Compiler::speakerTable() {
  std::string out;
  for (int i = 0; i <= speakerLast; ++i) {
    const SpeakerDef& s = speakers_[static_cast<std::size_t>(i)];
    if (s.raw) {
      out += s.bytes;
    } else {
      out += zeroPadded(i, 2) + ":" + s.voice + "," + s.bytes;
    }
    out += "\r\n";
  }
  return out;
}

CompileResult Compiler::finish() {
  assignEntries();
  applyFixups(pro_, proFixups_);
  applyFixups(txt_, txtFixups_);
  CompileResult r;
  for (const LabelDef& l : labels_) {
    map_.labels.push_back({l.name, l.assigned, l.record, {l.pos.file, l.pos.line}});
  }
  for (const Fixup& f : proFixups_) {
    if (f.ref.kind != RefKind::entry) continue;
    map_.labelUses.push_back({f.ref.name, {f.pos.file, f.pos.line}});
  }
  r.map = std::move(map_);
  r.files.pro = pro_ + proTail_.value_or("");
  r.files.txt = txt_ + txtTail_.value_or("");
  r.files.jmp = jmpOverride_ ? *jmpOverride_ : jumpTable();
  r.files.man = manOverride_ ? *manOverride_ : speakerTable();
  // Errors in source order (files in the order they first meet an error); a name used on
  // many lines (a header face, say) is reported once.
  std::map<std::string, std::size_t> fileOrder;
  for (const Diagnostic& d : errors_) fileOrder.emplace(d.file, fileOrder.size());
  std::stable_sort(errors_.begin(), errors_.end(), [&](const Diagnostic& a, const Diagnostic& b) {
    const std::size_t fa = fileOrder[a.file], fb = fileOrder[b.file];
    return fa != fb ? fa < fb : a.line < b.line;
  });
  std::set<std::string> seen;
  for (Diagnostic& d : errors_) {
    if (seen.insert(d.text()).second) r.errors.push_back(std::move(d));
  }
  return r;
}

}  // namespace

CompileResult compile(const std::filesystem::path& source) {
  Compiler c;
  c.addFile(source, source.string(), nullptr);
  return c.finish();
}

CompileResult compileText(std::string_view source, const std::string& fileName,
                          const std::filesystem::path& includeDir) {
  Compiler c;
  c.addText(source, fileName, includeDir);
  return c.finish();
}

}  // namespace zav3::scriptc
