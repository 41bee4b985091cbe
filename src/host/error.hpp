// Run-time errors: one exception type carrying the error number and the source line of the
// statement that failed. Host operations take a std::source_location defaulted at the call site,
// so the line is the game code's line, not the host's.
#pragma once

#include <exception>
#include <source_location>
#include <string>

namespace zav3::host {

// Error numbers the game can meet.
namespace err {
inline constexpr int illegalCall = 5;
inline constexpr int overflow = 6;
inline constexpr int outOfMemory = 7;
inline constexpr int subscript = 9;
inline constexpr int divisionByZero = 11;
inline constexpr int typeMismatch = 13;
inline constexpr int badFileNumber = 50;
inline constexpr int badFileMode = 51;
inline constexpr int fileAlreadyOpen = 52;
inline constexpr int fileNotFound = 53;
inline constexpr int badFileName = 55;
inline constexpr int fileNotOpen = 57;
inline constexpr int fileExists = 58;
inline constexpr int diskFull = 61;
inline constexpr int inputPastEnd = 62;
inline constexpr int badRecordNumber = 63;
inline constexpr int fieldOverflow = 68;
inline constexpr int accessError = 75;
inline constexpr int pathNotFound = 76;
inline constexpr int badPicture = 481;
inline constexpr int invalidHandle = 1000;
inline constexpr int wrongControlKind = 1002;
inline constexpr int emptyObject = 1003;
}  // namespace err

class RuntimeError : public std::exception {
 public:
  RuntimeError(int number, int line, std::string detail = {});
  int number() const noexcept { return number_; }
  int line() const noexcept { return line_; }
  // Extra words for logs (a file name, say); never shown in the game's own boxes.
  const std::string& detail() const noexcept { return detail_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int number_;
  int line_;
  std::string detail_;
  std::string what_;
};

// Raises error `number` for the statement at `where`.
[[noreturn]] void raise(int number, std::source_location where = std::source_location::current());
[[noreturn]] void raise(int number, std::string detail,
                        std::source_location where = std::source_location::current());

// The usual run-time text of an error number (English, for logs and the untrapped-error box).
std::string errorText(int number);

}  // namespace zav3::host
