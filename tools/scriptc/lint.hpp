// The scenario checker: compiles a scenario and looks through the result for faults the compiler
// lets pass (labels never reached, dead records, choice blocks that cannot be left, reply codes
// shown before they are filled, routines the engine lacks, files missing from the game folder).
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "scriptc/compiler.hpp"

namespace zav3::scriptc {

struct LintResult {
  std::vector<Diagnostic> errors;    // the compiler's; when there are any nothing else is checked
  std::vector<Diagnostic> warnings;  // in source order
};

// Checks the scenario `source`; with `gameDir` also that the pictures, faces, sounds, songs and
// movies it names are in that game folder.
LintResult lint(const std::filesystem::path& source,
                const std::optional<std::filesystem::path>& gameDir = std::nullopt);

}  // namespace zav3::scriptc
