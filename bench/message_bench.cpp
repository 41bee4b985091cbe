// Message window cost, headless: one typed character (three text draws, no pacing) and a whole
// five-line chained message with textDelay 0.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "host/host.hpp"
#include "scenario/data_files.hpp"
#include "scenario/message_window.hpp"
#include "shell/game_state.hpp"
#include "shell/main_form.hpp"

namespace {

using zav3::host::sj;

// A 57-byte message record holding Shift-JIS text.
std::string message(const std::string& sjisText, const std::string& chain) {
  std::string text;
  for (unsigned char c : sjisText) text.push_back(static_cast<char>(c + 1));
  text.resize(42, ' ');
  char length[3];
  std::snprintf(length, sizeof length, "%2zu", sjisText.size());
  return text + length + "  " + chain + "010100" + "  0";
}

std::unique_ptr<zav3::Main> makeGame(zav3::host::Host& host) {
  auto game = std::make_unique<zav3::Main>(host);
  zav3::shell::bindMainFormControls(*game);
  zav3::shell::loadPanelForm(*game);
  zav3::shell::setUpScreenGeometry(*game);
  game->textDelay = 0;
  return game;
}

void BM_MessageCharacter(benchmark::State& state) {
  auto host = zav3::host::makeHeadlessHost();
  host->trace.setKeep(false);
  auto game = makeGame(*host);
  const zav3::host::Bytes character = sj("あ");
  for (auto _ : state) {
    game->column = 0;
    zav3::scenario::drawMessageCharacter(*game, character, true, 0);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MessageCharacter)->Unit(benchmark::kMicrosecond);

void BM_FiveLineMessage(benchmark::State& state) {
  const auto dir = std::filesystem::temp_directory_path() / "zav3-bench-message";
  std::filesystem::create_directories(dir / "DATA");
  {
    std::ofstream txt(dir / "DATA" / "TXT.RND", std::ios::binary);
    const std::string line = sj("宇宙船の乗組員が艦橋に集まってきた。");
    for (int i = 1; i <= 5; ++i) txt << message(i < 5 ? line : line + "@T", i < 5 ? " 2" : "  ");
    std::ofstream(dir / "DATA" / "PRO.RND", std::ios::binary);
  }
  auto host = zav3::host::makeHeadlessHost();
  host->trace.setKeep(false);
  auto game = makeGame(*host);
  const zav3::host::Bytes folder = host->files.paths().toGame(dir) + "\\";
  auto withLength = [](const char* marker, const zav3::host::Bytes& path) {
    return path.size() > 1 && path[1] == ':' ? path.substr(0, 2) + marker + path.substr(2)
                                             : marker + path;
  };
  game->textFileName = withLength("(57)", folder + "DATA\\TXT.RND");
  game->scriptFileName = withLength("(35)", folder + "DATA\\PRO.RND");
  game->faceFolder = folder + "KAOCG\\";
  zav3::scenario::openRecordFiles(*game);
  for (auto _ : state) {
    game->textFrom = 1;
    game->textTo = 5;
    zav3::scenario::showMessages(*game);
  }
  state.SetItemsProcessed(state.iterations() * 5);
  host->files.closeAll();
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_FiveLineMessage)->Unit(benchmark::kMillisecond);

}  // namespace
