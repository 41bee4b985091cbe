// What the libFuzzer targets share: a temporary folder of their own for the files an input
// becomes, and a fresh headless game (host, game state, bound forms, game hooks) for each input,
// made as the unit tests make theirs.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "host/host.hpp"
#include "shell/game_hooks.hpp"
#include "shell/game_state.hpp"
#include "shell/main_form.hpp"

namespace zav3::fuzz {

// A folder under the system's temporary folder, made once per process and removed at its end.
inline const std::filesystem::path& scratch() {
  static const std::filesystem::path folder = [] {
    std::string name = (std::filesystem::temp_directory_path() / "zav3-fuzz-XXXXXX").string();
    if (!::mkdtemp(name.data())) std::abort();
    static const std::string keep = name;
    std::atexit([] { std::filesystem::remove_all(keep); });
    return std::filesystem::path(name);
  }();
  return folder;
}

// Empties the scratch folder and makes the given sub-folders in it.
inline void clearScratch(std::initializer_list<const char*> folders = {}) {
  for (const auto& entry : std::filesystem::directory_iterator(scratch())) {
    std::filesystem::remove_all(entry.path());
  }
  for (const char* f : folders) std::filesystem::create_directories(scratch() / f);
}

// A broken promise of the code under test: says which and stops the run as a crash.
[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "fuzz: %s\n", what);
  std::abort();
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A headless game with its main form bound and laid out, the event procedures registered and
// the game's own hooks installed; its folders point into the scratch folder.
struct Game {
  std::unique_ptr<host::Host> host = host::makeHeadlessHost();
  std::unique_ptr<Main> main = std::make_unique<Main>(*host);
  Bytes folder;

  Game() {
    Main& m = *main;
    m.setHooks(std::make_unique<shell::GameHooks>());
    shell::bindMainFormControls(m);
    shell::loadPanelForm(m);
    shell::setUpScreenGeometry(m);
    shell::registerEventProcedures(m);
    host->files.paths().setCurrentFolder(scratch());
    folder = host->files.paths().toGame(scratch()) + "\\";
    m.workFolder = folder;
    m.saveFolder = folder;
    m.dataFolder = folder + "DATA\\";
    m.cgFolder = folder + "CG\\";
    m.pictureFolder = folder + "MAINCG\\";
    m.tempPictureFile = folder + "4TH_CG.BMP";
    m.bitmapSignature = "BM";
  }
  ~Game() {
    main.reset();
    host.reset();
  }
  Main& m() { return *main; }
};

}  // namespace zav3::fuzz
