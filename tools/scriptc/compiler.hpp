// The scenario compiler: a .zs source (UTF-8) -> the four data files (Shift-JIS).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "scriptc/data_files.hpp"

namespace zav3::scriptc {

// One error, tied to the source line that caused it.
struct Diagnostic {
  std::string file;
  int line = 0;
  std::string message;
  std::string text() const;  // "file:line: message" ("file: message" without a line)
};

struct CompileResult {
  DataFiles files;                 // complete only when there are no errors
  std::vector<Diagnostic> errors;  // every error found, in source order where possible
  bool ok() const { return errors.empty(); }
};

// Compiles the source file `source` and the files it includes.
CompileResult compile(const std::filesystem::path& source);
// Compiles source text held in memory; `fileName` names it in errors and `includeDir` is where
// its include directives look.
CompileResult compileText(std::string_view source, const std::string& fileName = "<source>",
                          const std::filesystem::path& includeDir = ".");

}  // namespace zav3::scriptc
