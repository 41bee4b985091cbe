// A stand-in for std::source_location when the standard library cannot provide it with this
// compiler (clang 14 lacks the builtin libstdc++ 12 needs). Forced into the fuzz targets only.
#pragma once

#include <source_location>

#if !defined(__cpp_lib_source_location)
namespace std {
struct source_location {
  static constexpr source_location current(unsigned line = __builtin_LINE(),
                                           unsigned column = __builtin_COLUMN(),
                                           const char* file = __builtin_FILE(),
                                           const char* function = __builtin_FUNCTION()) noexcept {
    source_location here;
    here.line_ = line;
    here.column_ = column;
    here.file_ = file;
    here.function_ = function;
    return here;
  }
  constexpr unsigned line() const noexcept { return line_; }
  constexpr unsigned column() const noexcept { return column_; }
  constexpr const char* file_name() const noexcept { return file_; }
  constexpr const char* function_name() const noexcept { return function_; }

 private:
  unsigned line_ = 0;
  unsigned column_ = 0;
  const char* file_ = "";
  const char* function_ = "";
};
}  // namespace std
#endif
