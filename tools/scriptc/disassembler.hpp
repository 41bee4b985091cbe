// The scenario disassembler: any four data files -> .zs source that compiles back to the same
// bytes.
#pragma once

#include <string>

#include "scriptc/data_files.hpp"

namespace zav3::scriptc {

// Source text (UTF-8) for `files`. Records in the compiler's own layouts come out in the
// readable forms (messages, choices, lists, labels); anything else in raw forms.
std::string disassemble(const DataFiles& files);

}  // namespace zav3::scriptc
