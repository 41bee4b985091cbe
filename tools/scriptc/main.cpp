// zavc: the scenario compiler and disassembler on the command line.
//   zavc compile SRC.zs OUTDIR   writes OUTDIR/PRO.RND, TXT.RND, JMP.DAT, MAN.DAT
//   zavc disasm DATADIR OUT.zs   writes source that compiles back to the same four files
//   zavc text SRC.txt OUT.TXT    writes the lines of a picture show's text file in Shift-JIS
//   zavc lint SRC.zs [GAMEDIR]   reports what looks wrong in a scenario (and its game folder)
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

#include "scriptc/compiler.hpp"
#include "scriptc/disassembler.hpp"
#include "scriptc/encoding.hpp"
#include "scriptc/lint.hpp"

namespace {

using namespace zav3::scriptc;

int usage() {
  std::fputs(
      "usage: zavc compile SRC.zs OUTDIR\n"
      "       zavc disasm DATADIR OUT.zs\n"
      "       zavc text SRC.txt OUT.TXT\n"
      "       zavc lint SRC.zs [GAMEDIR]\n",
      stderr);
  return 2;
}

int compileCommand(const std::string& source, const std::string& outDir) {
  const CompileResult r = compile(source);
  if (!r.ok()) {
    for (const Diagnostic& d : r.errors) std::fprintf(stderr, "%s\n", d.text().c_str());
    std::fprintf(stderr, "%zu error%s\n", r.errors.size(), r.errors.size() == 1 ? "" : "s");
    return 1;
  }
  writeDataFolder(outDir, r.files);
  return 0;
}

// Warnings on stdout, one a line; compile errors on stderr as zavc compile gives them.
int lintCommand(const std::string& source, const std::optional<std::string>& gameDir) {
  std::optional<std::filesystem::path> dir;
  if (gameDir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(*gameDir, ec)) {
      std::fprintf(stderr, "zavc: %s is not a folder\n", gameDir->c_str());
      return 1;
    }
    dir = *gameDir;
  }
  const LintResult r = lint(source, dir);
  for (const Diagnostic& d : r.errors) std::fprintf(stderr, "%s\n", d.text().c_str());
  for (const Diagnostic& d : r.warnings) std::printf("%s\n", d.text().c_str());
  if (!r.errors.empty()) {
    std::fprintf(stderr, "%zu error%s\n", r.errors.size(), r.errors.size() == 1 ? "" : "s");
    return 1;
  }
  if (!r.warnings.empty()) {
    std::fflush(stdout);
    std::fprintf(stderr, "%zu warning%s\n", r.warnings.size(), r.warnings.size() == 1 ? "" : "s");
    return 1;
  }
  return 0;
}

int disasmCommand(const std::string& dataDir, const std::string& output) {
  const DataFiles files = readDataFolder(dataDir);
  const std::string source = disassemble(files);
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  out << source;
  out.close();
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", output.c_str());
    return 1;
  }
  // The written source must give the same bytes back; say so loudly when it does not.
  const CompileResult again = compileText(source, output);
  if (!again.ok() || !(again.files == files)) {
    std::fprintf(stderr, "%s: the source does not compile back to the same data files\n",
                 output.c_str());
    for (const Diagnostic& d : again.errors) std::fprintf(stderr, "%s\n", d.text().c_str());
    return 1;
  }
  return 0;
}

// A picture show's text: one line of UTF-8 source per line shown, lines starting with "#" left
// out. Each becomes display text (full-width) of at most 40 characters, the width of the
// screen, ended with CR LF.
int textCommand(const std::string& source, const std::string& output) {
  std::ifstream in(source, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", source.c_str());
    return 1;
  }
  constexpr std::size_t widest = 80;  // bytes: 40 double-byte characters
  std::string out, line;
  int number = 0, errors = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '#') continue;
    const Converted c = displayBytes(line);
    if (!c.ok()) {
      std::fprintf(stderr, "%s:%d: %s\n", source.c_str(), number, c.error.c_str());
      ++errors;
    } else if (c.bytes.size() > widest) {
      std::fprintf(stderr, "%s:%d: the line is wider than the screen (%zu bytes, at most %zu)\n",
                   source.c_str(), number, c.bytes.size(), widest);
      ++errors;
    }
    out += c.bytes + "\r\n";
  }
  if (errors > 0) return 1;
  std::ofstream file(output, std::ios::binary | std::ios::trunc);
  file << out;
  file.close();
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if ((command == "lint" || command == "--lint") && (argc == 3 || argc == 4)) {
    try {
      return lintCommand(argv[2], argc == 4 ? std::optional<std::string>(argv[3]) : std::nullopt);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "zavc: %s\n", e.what());
      return 1;
    }
  }
  if (argc != 4) return usage();
  try {
    if (command == "compile") return compileCommand(argv[2], argv[3]);
    if (command == "disasm") return disasmCommand(argv[2], argv[3]);
    if (command == "text") return textCommand(argv[2], argv[3]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zavc: %s\n", e.what());
    return 1;
  }
  return usage();
}
