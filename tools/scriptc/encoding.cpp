// Source text <-> Shift-JIS conversions, canonical numbers and the record layouts of the
// scenario compiler.
#include "scriptc/encoding.hpp"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "host/sjis.hpp"

namespace zav3::scriptc {
namespace {

// One unit of source text after escapes: a character, or a byte given by an escape.
struct Unit {
  char32_t value;
  bool raw;
};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string utf8Of(char32_t cp) {
  std::string out;
  host::putUtf8(out, cp);
  return out;
}

bool splitUnits(std::string_view src, std::vector<Unit>& out, std::string& error) {
  for (std::size_t i = 0; i < src.size();) {
    if (src[i] == '\\') {
      if (i + 1 >= src.size()) {
        error = "a backslash ends the text (write \\\\ for a backslash)";
        return false;
      }
      const char c = src[i + 1];
      if (c == 'x') {
        const int hi = i + 2 < src.size() ? hexDigit(src[i + 2]) : -1;
        const int lo = i + 3 < src.size() ? hexDigit(src[i + 3]) : -1;
        if (hi < 0 || lo < 0) {
          error = "\\x needs two hex digits";
          return false;
        }
        out.push_back({static_cast<char32_t>(hi * 16 + lo), true});
        i += 4;
        continue;
      }
      switch (c) {
        case '\\':
        case '"':
          out.push_back({static_cast<char32_t>(c), false});
          break;
        case 'r':
          out.push_back({0x0D, true});
          break;
        case 'n':
          out.push_back({0x0A, true});
          break;
        case 't':
          out.push_back({0x09, true});
          break;
        default:
          error = std::string("unknown escape \\") + c;
          return false;
      }
      i += 2;
      continue;
    }
    const std::optional<char32_t> cp = host::nextUtf8(src, i);
    if (!cp) {
      error = "the source is not valid UTF-8";
      return false;
    }
    out.push_back({*cp, false});
  }
  return true;
}

bool isTextCode(char32_t c) {
  return (c >= '0' && c <= '9') || c == 'T' || c == '*';
}
bool isHalfWidthKana(char32_t c) {
  return c >= 0xFF61 && c <= 0xFF9F;
}

// The full-width form of a printable ASCII character.
char32_t fullWidth(char32_t c) {
  switch (c) {
    case ' ':
      return 0x3000;  // ideographic space
    case '"':
      return 0x201D;  // ”
    case '\'':
      return 0x2019;  // ’
    default:
      return c - 0x21 + 0xFF01;
  }
}

std::string hexEscape(std::uint8_t b) {
  char buf[5];
  std::snprintf(buf, sizeof buf, "\\x%02X", b);
  return buf;
}

// The character of a two-byte pair when it converts to Unicode and back unchanged, and is not
// ASCII or half-width kana; else nothing.
std::optional<std::string> pairCharacter(std::string_view pair) {
  const std::string u = host::sjisToUtf8(pair);
  std::size_t i = 0;
  const std::optional<char32_t> cp = host::nextUtf8(u, i);
  if (!cp || i != u.size() || *cp < 0x80 || isHalfWidthKana(*cp)) return std::nullopt;
  const std::optional<std::string> back = host::utf8ToSjis(u);
  if (!back || *back != pair) return std::nullopt;
  return u;
}

std::string allEscaped(std::string_view bytes) {
  std::string out;
  for (char c : bytes) out += hexEscape(static_cast<std::uint8_t>(c));
  return out;
}

}  // namespace

bool isKnownOpcode(std::string_view op) {
  static constexpr std::string_view known[] = {
      "END", "CG", "CT", "CK", "IF", "SP", "JE", "SU", "MU", "MC", "MK", "MG", "KG", "TG",
      "TK",  "HE", "IE", "HH", "II", "IH", "HI", "HR", "IR", "HA", "IA", "DE", "FI", "NS",
      "MA",  "HY", "FK", "FU", "SJ", "SS", "SE", "HJ", "HS", "IJ", "IS", "FS", "AH", "AI",
      "AD",  "VL", "QO", "QT", "QH", "QI", "TQ", "HQ", "IQ", "KI", "KO", "RH", "RI", "QE",
      "OP",  "OT", "H",  "Q",  "G",  "J",  "W",  "Y",  "$",  "P"};
  for (std::string_view k : known) {
    if (k == op) return true;
  }
  return false;
}

Converted literalBytes(std::string_view source) {
  std::vector<Unit> units;
  Converted r;
  if (!splitUnits(source, units, r.error)) return r;
  for (const Unit& u : units) {
    if (u.raw || u.value < 0x80) {
      r.bytes += static_cast<char>(u.value);
      continue;
    }
    const std::string text = utf8Of(u.value);
    const std::optional<std::string> sjis = host::utf8ToSjis(text);
    if (!sjis) {
      r.error = "'" + text + "' has no Shift-JIS form";
      return r;
    }
    r.bytes += *sjis;
  }
  return r;
}

Converted displayBytes(std::string_view source) {
  std::vector<Unit> units;
  Converted r;
  if (!splitUnits(source, units, r.error)) return r;
  for (std::size_t i = 0; i < units.size(); ++i) {
    const Unit& u = units[i];
    if (u.raw) {
      r.bytes += static_cast<char>(u.value);
      continue;
    }
    char32_t c = u.value;
    if (c == '@' && i + 1 < units.size() && !units[i + 1].raw && isTextCode(units[i + 1].value)) {
      r.bytes += '@';
      r.bytes += static_cast<char>(units[i + 1].value);
      ++i;
      continue;
    }
    if (c < 0x20 || c == 0x7F) {
      r.error = "control character in text (use \\xHH for a raw byte)";
      return r;
    }
    if (isHalfWidthKana(c)) {
      r.error = "half-width kana '" + utf8Of(c) + "' in text: write it in full width";
      return r;
    }
    if (c < 0x80) c = fullWidth(c);
    const std::string text = utf8Of(c);
    const std::optional<std::string> sjis = host::utf8ToSjis(text);
    if (!sjis) {
      r.error = "'" + utf8Of(u.value) + "' has no Shift-JIS form";
      return r;
    }
    if (sjis->size() != 2) {
      r.error = "'" + utf8Of(u.value) + "' is not a double-byte character";
      return r;
    }
    r.bytes += *sjis;
  }
  return r;
}

std::string renderLiteral(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    if (b == '"' || b == '\\') {
      out += '\\';
      out += static_cast<char>(b);
    } else if (b >= 0x20 && b < 0x7F) {
      out += static_cast<char>(b);
    } else if (b == 0x0D) {
      out += "\\r";
    } else if (b == 0x0A) {
      out += "\\n";
    } else if (b == 0x09) {
      out += "\\t";
    } else if (host::isLeadByte(b) && i + 1 < bytes.size()) {
      if (const auto ch = pairCharacter(bytes.substr(i, 2))) {
        out += *ch;
        i += 2;
        continue;
      }
      out += hexEscape(b);
    } else {
      out += hexEscape(b);
    }
    ++i;
  }
  const Converted back = literalBytes(out);
  if (!back.ok() || back.bytes != bytes) return allEscaped(bytes);
  return out;
}

std::string renderDisplay(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    if (b == '@' && i + 1 < bytes.size() && isTextCode(static_cast<std::uint8_t>(bytes[i + 1]))) {
      out += '@';
      out += bytes[i + 1];
      i += 2;
      continue;
    }
    if (host::isLeadByte(b) && i + 1 < bytes.size()) {
      if (const auto ch = pairCharacter(bytes.substr(i, 2))) {
        out += *ch;
        i += 2;
        continue;
      }
    }
    out += hexEscape(b);
    ++i;
  }
  const Converted back = displayBytes(out);
  if (!back.ok() || back.bytes != bytes) return allEscaped(bytes);
  return out;
}

bool isPlainBare(std::string_view s) {
  if (s.empty() || s[0] == '#') return false;
  for (char c : s) {
    if (c == '"' || c == '\\' || c == ':' || c == ' ' || c == '\t') return false;
  }
  return s.find("\xE3\x80\x80") == std::string_view::npos;  // no ideographic space
}

std::string literalToken(std::string_view bytes) {
  const std::string r = renderLiteral(bytes);
  if (isPlainBare(r)) return r;
  return '"' + r + '"';
}

std::string displayToken(std::string_view bytes) {
  const std::string r = renderDisplay(bytes);
  if (isPlainBare(r)) return r;
  return '"' + r + '"';
}

std::optional<long> canonicalNumber(std::string_view s) {
  std::size_t i = 0;
  if (!s.empty() && s[0] == '-') i = 1;
  if (i >= s.size() || s.size() - i > 15) return std::nullopt;
  if (s[i] == '0' && (s.size() - i > 1 || i == 1)) return std::nullopt;
  long v = 0;
  for (std::size_t k = i; k < s.size(); ++k) {
    if (s[k] < '0' || s[k] > '9') return std::nullopt;
    v = v * 10 + (s[k] - '0');
  }
  return i == 1 ? -v : v;
}

long leadingNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  long v = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9' && v < 100000000000L)
    v = v * 10 + (s[i++] - '0');
  return negative ? -v : v;
}

std::string padRight(std::string_view s, std::size_t width) {
  std::string out(s);
  if (out.size() < width) out.resize(width, ' ');
  return out;
}

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string zeroPadded(long value, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*ld", width, value);
  return buf;
}

std::string blankPadded(long value, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%*ld", width, value);
  return buf;
}

std::size_t findCharacter(std::string_view text, std::string_view ch, std::size_t from) {
  for (std::size_t i = from; i < text.size();) {
    if (text.compare(i, ch.size(), ch) == 0) return i;
    i += host::isLeadByte(static_cast<std::uint8_t>(text[i])) ? 2 : 1;
  }
  return std::string_view::npos;
}

bool holdsCharacter(std::string_view text, std::string_view ch) {
  return findCharacter(text, ch) != std::string_view::npos;
}

std::optional<std::string> markedLineRecord(std::string_view text, std::string_view mark) {
  if (text.size() + mark.size() <= lineViewWidth) {
    return padRight(std::string(text) + std::string(mark), scriptRecordSize);
  }
  if (text.size() <= lineViewWidth) return padRight(text, scriptRecordSize);
  return std::nullopt;
}

std::optional<std::string> markedLineText(std::string_view record, std::string_view mark) {
  if (record.size() != scriptRecordSize) return std::nullopt;
  const std::string_view line = record.substr(0, lineViewWidth);
  const std::size_t at = findCharacter(line, mark);
  const std::string_view text = at == std::string_view::npos ? trimRight(line) : line.substr(0, at);
  const std::optional<std::string> again = markedLineRecord(text, mark);
  if (!again || *again != record) return std::nullopt;
  return std::string(text);
}

std::string messageRecord(const MessageFields& f) {
  std::string out;
  for (char c : f.text) out += static_cast<char>(static_cast<std::uint8_t>(c) + 1);
  out = padRight(out, messageTextWidth);
  out += f.length ? *f.length : zeroPadded(static_cast<long>(f.text.size()), 2);
  out += f.size + f.pause + f.chain + f.face + f.picture;
  return out;
}

std::optional<MessageFields> messageFields(std::string_view record) {
  if (record.size() != messageRecordSize) return std::nullopt;
  const std::string_view length = record.substr(42, 2);
  const long count = leadingNumber(length);
  if (count < 0 || count > static_cast<long>(messageTextWidth)) return std::nullopt;
  const auto n = static_cast<std::size_t>(count);
  for (std::size_t i = n; i < messageTextWidth; ++i) {
    if (record[i] != ' ') return std::nullopt;
  }
  MessageFields f;
  for (std::size_t i = 0; i < n; ++i) {
    f.text += static_cast<char>(static_cast<std::uint8_t>(record[i]) - 1);
  }
  f.size = std::string(record.substr(44, 1));
  f.pause = std::string(record.substr(45, 1));
  f.chain = std::string(record.substr(46, 2));
  f.face = std::string(record.substr(48, 6));
  f.picture = std::string(record.substr(54, 3));
  if (length != zeroPadded(count, 2)) f.length = std::string(length);
  if (messageRecord(f) != record) return std::nullopt;
  return f;
}

}  // namespace zav3::scriptc
