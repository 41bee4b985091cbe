// Byte forms shared by the scenario compiler and disassembler: source escapes, the conversion of
// source text to Shift-JIS (literal and display text) and back, numbers and the record layouts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zav3::scriptc {

inline constexpr std::size_t scriptRecordSize = 35;
inline constexpr std::size_t messageRecordSize = 57;
inline constexpr std::size_t fieldWidth = 7;
inline constexpr std::size_t messageTextWidth = 42;
inline constexpr std::size_t lineViewWidth = 34;
inline constexpr int entryLast = 5000;
inline constexpr int speakerLast = 64;

// Marks that end option lines and list lines, and the brackets of an insert text (Shift-JIS).
inline constexpr std::string_view optionEndMark = "\x81\x48";  // ？
inline constexpr std::string_view listEndMark = "\x81\x4f";    // ＾
inline constexpr std::string_view insertOpen = "\x81\x75";     // 「
inline constexpr std::string_view insertClose = "\x81\x76";    // 」

// True for the op fields the compiler accepts unquoted: the script commands and the records of a
// choice block (QE, OP, OT).
bool isKnownOpcode(std::string_view op);

// Bytes converted from source text, or the reason they could not be.
struct Converted {
  std::string bytes;
  std::string error;
  bool ok() const { return error.empty(); }
};

// Literal text: escapes processed (\xHH, \\, \", \r, \n, \t), ASCII kept as it is, every other
// character converted to its Shift-JIS form.
Converted literalBytes(std::string_view source);
// Display text (messages, list and option lines, insert texts, speaker names): as literal text,
// but ASCII characters become their full-width forms, except the text codes @0..@9, @T and @*,
// which stay two ASCII bytes. Half-width kana and control characters are refused.
Converted displayBytes(std::string_view source);

// The inverse conversions: source text that converts back to exactly `bytes`. Characters that
// cannot be written plainly become \xHH escapes.
std::string renderLiteral(std::string_view bytes);  // for use between double quotes
std::string renderDisplay(std::string_view bytes);  // never holds '"', '\\' unescaped or ASCII

// A literal operand token: bare when that reads back the same and is unambiguous, else quoted.
std::string literalToken(std::string_view bytes);
// A display text token: bare when it needs no escapes and holds no blank, else quoted.
std::string displayToken(std::string_view bytes);
// True when `s` is a bare token that reads back literally (no quotes, escapes, blanks or ':').
bool isPlainBare(std::string_view s);

// Decimal numbers in their one canonical spelling: no blanks, no '+', no leading zeros, no "-0".
std::optional<long> canonicalNumber(std::string_view s);
// Number read the way the engine reads a field: leading blanks skipped, optional sign, digits.
long leadingNumber(std::string_view s);

std::string padRight(std::string_view s, std::size_t width);
std::string_view trimRight(std::string_view s);  // drops trailing blanks (0x20)
std::string zeroPadded(long value, int width);   // "%0*ld"
std::string blankPadded(long value, int width);  // "%*ld"

// True when `text`, walked one character at a time, holds the double-byte character `ch`.
bool holdsCharacter(std::string_view text, std::string_view ch);
// Position of the first `ch` in `text` at or after `from`, walking characters; npos if none.
std::size_t findCharacter(std::string_view text, std::string_view ch, std::size_t from = 0);

// A marked line record (option or list line): text, the end mark when it fits within the line
// view, blanks to 35 bytes. Nothing when the text is longer than the line view.
std::optional<std::string> markedLineRecord(std::string_view text, std::string_view mark);
// The text of a marked line record when the record is exactly markedLineRecord(text).
std::optional<std::string> markedLineText(std::string_view record, std::string_view mark);

// Message record fields in record order, the text not yet stored plus 1.
struct MessageFields {
  std::string text;
  std::string size = " ";
  std::string pause = " ";
  std::string chain = "01";
  std::string face = "000000";
  std::string picture = "000";
  std::optional<std::string> length;  // 2 bytes written instead of the text's byte count
};
std::string messageRecord(const MessageFields& f);  // text must be at most 42 bytes
// The fields of a record whose text field is the stored text and then blanks, the text being as
// long as the length field reads (as the engine reads it); nothing otherwise. `length` is set
// when the field is not the count in two digits.
std::optional<MessageFields> messageFields(std::string_view record);

}  // namespace zav3::scriptc
