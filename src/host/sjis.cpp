// Shift-JIS string functions, the full-width conversion and the CP932 <-> UTF-8 conversions.
#include "host/sjis.hpp"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

#include "host/error.hpp"

namespace zav3::host {

namespace {

// ---------------------------------------------------------------------------------------------
// Character walking

// Byte length of the character starting at offset i (a lone lead byte at the end counts 1).
std::size_t charBytes(std::string_view s, std::size_t i) {
  return isLeadByte(static_cast<std::uint8_t>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// Byte offset after skipping `chars` characters from the start, clipped at the end.
std::size_t charOffset(std::string_view s, std::size_t chars) {
  std::size_t i = 0;
  for (std::size_t c = 0; c < chars && i < s.size(); ++c) i += charBytes(s, i);
  return i;
}

// ---------------------------------------------------------------------------------------------
// Full-width forms

constexpr std::uint16_t blackSquare = 0x81A1;     // ■
constexpr std::uint16_t voicedMark = 0x814A;      // ゛
constexpr std::uint16_t semiVoicedMark = 0x814B;  // ゜
constexpr std::uint8_t voicedByte = 222;
constexpr std::uint8_t semiVoicedByte = 223;

// Bytes 32..127. Letters, digits and most signs take their JIS X 0208 full-width forms. The
// quotes have none there and become the curly ones (” and ’), the backslash becomes "＼", the
// tilde the overline "￣" (its JIS Roman meaning) and DEL the black square.
constexpr std::array<std::uint16_t, 96> asciiWide = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166,  // ␣ ! " # $ % & '
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E,  // ( ) * + , - . /
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256,  // 0 .. 7
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148,  // 8 9 : ; < = > ?
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266,  // @ A .. G
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E,  // H .. O
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276,  // P .. W
    0x8277, 0x8278, 0x8279, 0x816D, 0x815F, 0x816E, 0x814F, 0x8151,  // X Y Z [ \ ] ^ _
    0x814D, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287,  // ` a .. g
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F,  // h .. o
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297,  // p .. w
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150, 0x81A1,  // x y z { | } ~ DEL
};

// Bytes 160..221: half-width punctuation and katakana. 160 is no character of its own; it is
// taken as a blank and widened to the full-width blank.
constexpr std::array<std::uint16_t, 62> kanaWide = {
    0x8140,                                                          // (160)
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342,  // ｡ ｢ ｣ ､ ･ ｦ ｧ ｨ
    0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B,  // ｩ ｪ ｫ ｬ ｭ ｮ ｯ ｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E,  // ｱ ｲ ｳ ｴ ｵ ｶ ｷ ｸ
    0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E,  // ｹ ｺ ｻ ｼ ｽ ｾ ｿ ﾀ
    0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C,  // ﾁ ﾂ ﾃ ﾄ ﾅ ﾆ ﾇ ﾈ
    0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E,  // ﾉ ﾊ ﾋ ﾌ ﾍ ﾎ ﾏ ﾐ
    0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389, 0x838A,  // ﾑ ﾒ ﾓ ﾔ ﾕ ﾖ ﾗ ﾘ
    0x838B, 0x838C, 0x838D, 0x838F, 0x8393,                          // ﾙ ﾚ ﾛ ﾜ ﾝ
};

bool takesVoicedMark(std::uint8_t b) {
  return (b >= 182 && b <= 196) || (b >= 202 && b <= 206);
}
bool takesSemiVoicedMark(std::uint8_t b) {
  return b >= 202 && b <= 206;
}

void putCode(Bytes& out, std::uint16_t code) {
  out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

// ---------------------------------------------------------------------------------------------
// CP932 tables, built once from the C library's converter.

constexpr char32_t noChar = 0xFFFFFFFF;
constexpr std::uint16_t noCode = 0xFFFF;  // never a Shift-JIS code: 0xFF is no lead byte

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("no converter from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts the whole input; returns the output bytes, or nothing when any part fails.
  std::optional<std::string> convert(std::string_view in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string input(in);
    std::array<char, 16> output{};
    char* src = input.data();
    std::size_t srcLeft = input.size();
    char* dst = output.data();
    std::size_t dstLeft = output.size();
    if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1) ||
        srcLeft != 0) {
      return std::nullopt;
    }
    if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) {
      return std::nullopt;
    }
    return std::string(output.data(), dst);
  }

 private:
  iconv_t cd_;
};

char32_t fromUtf32(const std::string& b) {
  return static_cast<char32_t>(static_cast<std::uint8_t>(b[0])) |
         static_cast<char32_t>(static_cast<std::uint8_t>(b[1])) << 8 |
         static_cast<char32_t>(static_cast<std::uint8_t>(b[2])) << 16 |
         static_cast<char32_t>(static_cast<std::uint8_t>(b[3])) << 24;
}

// Shift-JIS -> Unicode: one entry per single byte and one per (lead, trail) pair.
struct DecodeTable {
  std::array<char32_t, 256> single{};
  std::vector<char32_t> pair = std::vector<char32_t>(0x10000, noChar);

  DecodeTable() {
    Converter c("UTF-32LE", "CP932");
    auto decode = [&c](std::string_view in) {
      const std::optional<std::string> out = c.convert(in);
      return out && out->size() == 4 ? fromUtf32(*out) : noChar;
    };
    for (unsigned b = 0; b < 256; ++b) {
      const char one = static_cast<char>(b);
      single[b] = isLeadByte(static_cast<std::uint8_t>(b)) ? noChar : decode({&one, 1});
      if (!isLeadByte(static_cast<std::uint8_t>(b))) continue;
      for (unsigned t = 0; t < 256; ++t) {
        const char two[2] = {one, static_cast<char>(t)};
        pair[b << 8 | t] = decode({two, 2});
      }
    }
  }
};

// Unicode (basic plane) -> Shift-JIS code: single bytes as 0x00XX, pairs as lead << 8 | trail.
struct EncodeTable {
  std::vector<std::uint16_t> code = std::vector<std::uint16_t>(0x10000, noCode);

  EncodeTable() {
    Converter c("CP932", "UTF-32LE");
    for (char32_t u = 0; u < 0x10000; ++u) {
      if (u >= 0xD800 && u <= 0xDFFF) continue;
      const char in[4] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8 & 0xFF), 0, 0};
      const std::optional<std::string> out = c.convert({in, 4});
      if (!out) continue;
      if (out->size() == 1) code[u] = static_cast<std::uint8_t>((*out)[0]);
      if (out->size() == 2) {
        code[u] = static_cast<std::uint16_t>(static_cast<std::uint8_t>((*out)[0]) << 8 |
                                             static_cast<std::uint8_t>((*out)[1]));
      }
    }
  }
};

const DecodeTable& decodeTable() {
  static const DecodeTable table;
  return table;
}

const EncodeTable& encodeTable() {
  static const EncodeTable table;
  return table;
}

// Decodes one UTF-8 sequence at s[i], advancing i; noChar for malformed input.
char32_t nextUtf8OrNoChar(std::string_view s, std::size_t& i) {
  const auto byte = [&s](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
  const std::uint8_t b = byte(i++);
  if (b < 0x80) return b;
  int extra;
  char32_t u;
  char32_t least;
  if (b >= 0xC2 && b <= 0xDF) {
    extra = 1, u = b & 0x1F, least = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    extra = 2, u = b & 0x0F, least = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    extra = 3, u = b & 0x07, least = 0x10000;
  } else {
    return noChar;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (byte(i) & 0xC0) != 0x80) return noChar;
    u = u << 6 | (byte(i++) & 0x3F);
  }
  if (u < least || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return noChar;
  return u;
}

}  // namespace

void putUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | u >> 6);
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | u >> 12);
    out += static_cast<char>(0x80 | (u >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | u >> 18);
    out += static_cast<char>(0x80 | (u >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (u >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

std::optional<char32_t> nextUtf8(std::string_view s, std::size_t& i) {
  const char32_t u = nextUtf8OrNoChar(s, i);
  if (u == noChar) return std::nullopt;
  return u;
}

// ---------------------------------------------------------------------------------------------
// String functions

std::size_t charLength(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); i += charBytes(s, i)) ++n;
  return n;
}

Bytes middle(std::string_view s, long start, std::optional<long> count,
             std::source_location where) {
  if (start < 1 || (count && *count < 0)) raise(err::illegalCall, where);
  const auto from = static_cast<std::size_t>(start - 1);
  if (from >= s.size()) return {};
  return Bytes(s.substr(from, count ? static_cast<std::size_t>(*count) : std::string_view::npos));
}

Bytes left(std::string_view s, long n, std::source_location where) {
  if (n < 0) raise(err::illegalCall, where);
  return Bytes(s.substr(0, static_cast<std::size_t>(n)));
}

Bytes right(std::string_view s, long n, std::source_location where) {
  if (n < 0) raise(err::illegalCall, where);
  const auto k = std::min(s.size(), static_cast<std::size_t>(n));
  return Bytes(s.substr(s.size() - k));
}

Bytes charMiddle(std::string_view s, long start, std::optional<long> count,
                 std::source_location where) {
  if (start < 1 || (count && *count < 0)) raise(err::illegalCall, where);
  const std::size_t from = charOffset(s, static_cast<std::size_t>(start - 1));
  const std::string_view rest = s.substr(from);
  if (!count) return Bytes(rest);
  return Bytes(rest.substr(0, charOffset(rest, static_cast<std::size_t>(*count))));
}

long search(long start, std::string_view s, std::string_view t, std::source_location where) {
  if (start < 1) raise(err::illegalCall, where);
  const auto from = static_cast<std::size_t>(start - 1);
  if (from >= s.size()) return 0;
  if (t.empty()) return start;
  const std::size_t at = s.find(t, from);
  return at == std::string_view::npos ? 0 : static_cast<long>(at + 1);
}

long charSearch(long start, std::string_view s, std::string_view t, std::source_location where) {
  if (start < 1) raise(err::illegalCall, where);
  std::size_t i = charOffset(s, static_cast<std::size_t>(start - 1));
  if (i >= s.size()) return 0;
  if (t.empty()) return start;
  // Matches count only where a character starts, so a trail byte never begins a match.
  for (long position = start; i < s.size(); ++position, i += charBytes(s, i)) {
    if (s.substr(i).starts_with(t)) return position;
  }
  return 0;
}

int firstCode(std::string_view s, std::source_location where) {
  if (s.empty()) raise(err::illegalCall, where);
  return static_cast<std::uint8_t>(s[0]);
}

Bytes fromCode(long code, std::source_location where) {
  if (code < 0 || code > 255) raise(err::illegalCall, where);
  return Bytes(1, static_cast<char>(code));
}

Bytes blanks(long n, std::source_location where) {
  if (n < 0) raise(err::illegalCall, where);
  return Bytes(static_cast<std::size_t>(n), ' ');
}

Bytes toFullWidth(std::string_view s) {
  Bytes out;
  out.reserve(s.size() * 2);
  // The previous character when it was a single byte converted just before, else 0; a mark
  // combines only with it, and only once.
  std::uint8_t previous = 0;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<std::uint8_t>(s[i]);
    if (isLeadByte(b) && i + 1 < s.size()) {
      out.append(s.substr(i, 2));
      i += 2;
      previous = 0;
      continue;
    }
    ++i;
    if (b == voicedByte && takesVoicedMark(previous)) {
      out.back() = static_cast<char>(out.back() + 1);
      previous = 0;
      continue;
    }
    if (b == semiVoicedByte && takesSemiVoicedMark(previous)) {
      out.back() = static_cast<char>(out.back() + 2);
      previous = 0;
      continue;
    }
    if (b >= 32 && b <= 127) {
      putCode(out, asciiWide[b - 32]);
    } else if (b >= 160 && b <= 221) {
      putCode(out, kanaWide[b - 160]);
    } else if (b == voicedByte) {
      putCode(out, voicedMark);
    } else if (b == semiVoicedByte) {
      putCode(out, semiVoicedMark);
    } else {
      putCode(out, blackSquare);
    }
    previous = b;
  }
  return out;
}

// ---------------------------------------------------------------------------------------------
// Encodings

std::string sjisToUtf8(std::string_view sjis) {
  const DecodeTable& table = decodeTable();
  std::string out;
  out.reserve(sjis.size() * 3 / 2);
  for (std::size_t i = 0; i < sjis.size();) {
    const auto b = static_cast<std::uint8_t>(sjis[i]);
    char32_t u = noChar;
    if (!isLeadByte(b)) {
      u = table.single[b];
      i += 1;
    } else if (i + 1 < sjis.size()) {
      u = table.pair[b << 8 | static_cast<std::uint8_t>(sjis[i + 1])];
      // A lead byte with a bad trail byte is one bad byte; the trail byte is read again.
      i += u == noChar ? 1 : 2;
    } else {
      i += 1;
    }
    if (u == noChar) {
      out += '?';
    } else {
      putUtf8(out, u);
    }
  }
  return out;
}

std::optional<Bytes> utf8ToSjis(std::string_view utf8) {
  const EncodeTable& table = encodeTable();
  Bytes out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t u = nextUtf8OrNoChar(utf8, i);
    if (u == noChar || u >= 0x10000 || table.code[u] == noCode) return std::nullopt;
    const std::uint16_t code = table.code[u];
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
  }
  return out;
}

Bytes sj(std::string_view utf8) {
  std::optional<Bytes> bytes = utf8ToSjis(utf8);
  if (!bytes) throw std::logic_error("text has no Shift-JIS form: " + std::string(utf8));
  return std::move(*bytes);
}

}  // namespace zav3::host
