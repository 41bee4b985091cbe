// Shift-JIS byte strings and the game's string functions. Lengths and positions count bytes
// unless the function says characters; positions count from 1.
#pragma once

#include <cstdint>
#include <optional>
#include <source_location>
#include <string>
#include <string_view>

namespace zav3::host {

// A Shift-JIS byte string. Plain std::string: the bytes are never re-encoded.
using Bytes = std::string;

// True when byte b starts a double-byte character (0x81..0x9F, 0xE0..0xFC).
constexpr bool isLeadByte(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::size_t charLength(std::string_view s);  // characters (a lone lead byte at the end counts 1)

// middle(s, start, count): bytes start..start+count-1, clipped at the end; count omitted = to
// the end; start below 1 or count below 0 is error 5.
Bytes middle(std::string_view s, long start, std::optional<long> count = std::nullopt,
             std::source_location where = std::source_location::current());
Bytes left(std::string_view s, long n, std::source_location where = std::source_location::current());
Bytes right(std::string_view s, long n, std::source_location where = std::source_location::current());
Bytes charMiddle(std::string_view s, long start, std::optional<long> count = std::nullopt,
                 std::source_location where = std::source_location::current());
// search(start, s, t): byte position of the first t in s at or after start, 0 if none.
long search(long start, std::string_view s, std::string_view t,
            std::source_location where = std::source_location::current());
long charSearch(long start, std::string_view s, std::string_view t,
                std::source_location where = std::source_location::current());
// Code of the first byte; error 5 for the empty string.
int firstCode(std::string_view s, std::source_location where = std::source_location::current());
// A string of one byte; a code outside 0..255 is error 5.
Bytes fromCode(long code, std::source_location where = std::source_location::current());
Bytes blanks(long n, std::source_location where = std::source_location::current());

// To full width: double-byte characters copied; bytes 32..127 and half-width kana 160..221
// become their full-width forms; voiced and semi-voiced marks combine with the kana before
// them; every other byte becomes "■".
Bytes toFullWidth(std::string_view s);

// Encoding conversions (CP932). Bytes with no mapping become "?" in UTF-8; utf8ToSjis returns
// nothing when a character has no Shift-JIS form.
std::string sjisToUtf8(std::string_view sjis);
std::optional<Bytes> utf8ToSjis(std::string_view utf8);
// Shorthand for literals in game code: the UTF-8 text must have a Shift-JIS form.
Bytes sj(std::string_view utf8);

// UTF-8 one character at a time: the character at s[i], advancing i (nothing for a malformed,
// overlong or surrogate sequence), and a character appended to `out`.
std::optional<char32_t> nextUtf8(std::string_view s, std::size_t& i);
void putUtf8(std::string& out, char32_t u);

}  // namespace zav3::host
