// Interpreter throughput: script records per second through a loop of arithmetic, conditions
// and jumps, read from the record file as the game does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "host/host.hpp"
#include "scenario/data_files.hpp"
#include "scenario/interpreter.hpp"
#include "shell/game_state.hpp"
#include "shell/startup.hpp"

namespace {

std::string rec(std::string op, std::string a1 = "", std::string a2 = "", std::string a3 = "",
                std::string a4 = "") {
  std::string out;
  for (std::string* f : {&op, &a1, &a2, &a3, &a4}) {
    f->resize(7, ' ');
    out += *f;
  }
  return out;
}

void BM_InterpreterRecords(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / "zav3-bench-interpreter";
  std::filesystem::create_directories(dir / "DATA");
  {
    std::ofstream pro(dir / "DATA" / "PRO.RND", std::ios::binary);
    pro << rec("JE") << rec("AH", "1", "+", "T1", "H1") << rec("IE", "2", "3")
        << rec("IF", "1", "<", "T30000", "J1") << rec("HE", "1", "0") << rec("J", "1");
    std::ofstream(dir / "DATA" / "TXT.RND", std::ios::binary);
    std::ofstream jmp(dir / "DATA" / "JMP.DAT", std::ios::binary);
    for (int i = 0; i <= 5000; ++i) jmp << (i == 1 ? 1 : 0) << "\r\n";
    std::ofstream man(dir / "DATA" / "MAN.DAT", std::ios::binary);
    for (int i = 0; i <= 64; ++i) man << "00:0,\r\n";
  }
  auto host = zav3::host::makeHeadlessHost();
  host->trace.setKeep(false);
  host->files.paths().setCurrentFolder(dir);
  zav3::Main game(*host);
  zav3::shell::setUpFolders(game);
  zav3::scenario::loadScenarioTables(game);
  zav3::scenario::openRecordFiles(game);
  const long batch = 10000;
  for (auto _ : state) {
    zav3::scenario::runScript(game, batch);
  }
  state.SetItemsProcessed(state.iterations() * batch);
  host->files.closeAll();
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_InterpreterRecords)->Unit(benchmark::kMillisecond);

}  // namespace
