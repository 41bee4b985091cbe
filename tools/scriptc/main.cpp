// zavc: the scenario compiler and disassembler on the command line.
//   zavc compile SRC.zs OUTDIR   writes OUTDIR/PRO.RND, TXT.RND, JMP.DAT, MAN.DAT
//   zavc disasm DATADIR OUT.zs   writes source that compiles back to the same four files
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "scriptc/compiler.hpp"
#include "scriptc/disassembler.hpp"

namespace {

using namespace zav3::scriptc;

int usage() {
  std::fputs(
      "usage: zavc compile SRC.zs OUTDIR\n"
      "       zavc disasm DATADIR OUT.zs\n",
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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return usage();
  const std::string command = argv[1];
  try {
    if (command == "compile") return compileCommand(argv[2], argv[3]);
    if (command == "disasm") return disasmCommand(argv[2], argv[3]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zavc: %s\n", e.what());
    return 1;
  }
  return usage();
}
