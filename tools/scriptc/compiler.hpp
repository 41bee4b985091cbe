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

// Where the records came from, for tools that report on the compiled scenario.
struct SourceLine {
  std::string file;
  int line = 0;
};
struct SourceMap {
  std::vector<SourceLine> script;    // script record k + 1 was written at script[k]
  std::vector<SourceLine> messages;  // message record k + 1 at messages[k]
  struct Label {
    std::string name;
    int entry = -1;   // the entry number given to it
    long record = 0;  // the record it names (one past the end when it stands last)
    SourceLine at;
  };
  std::vector<Label> labels;
  std::vector<std::pair<std::string, SourceLine>> labelUses;  // every :name reference
};

struct CompileResult {
  DataFiles files;                 // complete only when there are no errors
  std::vector<Diagnostic> errors;  // every error found, in source order where possible
  SourceMap map;
  bool ok() const { return errors.empty(); }
};

// Compiles the source file `source` and the files it includes.
CompileResult compile(const std::filesystem::path& source);
// Compiles source text held in memory; `fileName` names it in errors and `includeDir` is where
// its include directives look.
CompileResult compileText(std::string_view source, const std::string& fileName = "<source>",
                          const std::filesystem::path& includeDir = ".");

}  // namespace zav3::scriptc
