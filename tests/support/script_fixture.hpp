// A game folder built in a temporary directory from records written in the test, and a fresh
// game that runs it headless.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/host.hpp"
#include "scenario/hooks.hpp"
#include "shell/game_state.hpp"
#include "shell/startup.hpp"

namespace zav3::testing {

// A 35-byte script record from its op and operands, each blank-padded to 7 bytes.
inline std::string rec(std::string op, std::string a1 = "", std::string a2 = "",
                       std::string a3 = "", std::string a4 = "") {
  std::string out;
  for (std::string* f : {&op, &a1, &a2, &a3, &a4}) {
    std::string s = *f;
    s.resize(7, ' ');
    out += s;
  }
  return out;
}

// A 57-byte message record holding Shift-JIS text.
inline std::string message(const std::string& sjisText, std::string face = "000000",
                           std::string chain = "  ", char pause = ' ', char size = ' ',
                           std::string picture = "  0") {
  std::string text;
  for (unsigned char c : sjisText) text.push_back(static_cast<char>(c + 1));
  text.resize(42, ' ');
  char length[3];
  std::snprintf(length, sizeof length, "%2zu", sjisText.size());
  return text + length + size + pause + chain + face + picture;
}

class ScriptFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("zav3-") + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "DATA");
    host_ = host::makeHeadlessHost();
    game_ = std::make_unique<Main>(*host_);
  }
  void TearDown() override {
    game_.reset();
    host_.reset();
    std::filesystem::remove_all(dir_);
  }

  // Writes the four data files. Entry n of `entries` is the record number of jump entry n.
  void writeGame(const std::vector<std::string>& records, std::map<int, long> entries = {},
                 const std::vector<std::string>& messages = {},
                 const std::vector<std::string>& speakers = {}) {
    std::ofstream(dir_ / "DATA" / "PRO.RND", std::ios::binary) << join(records);
    std::ofstream(dir_ / "DATA" / "TXT.RND", std::ios::binary) << join(messages);
    std::ofstream jmp(dir_ / "DATA" / "JMP.DAT", std::ios::binary);
    for (int i = 0; i <= 5000; ++i) jmp << (entries.count(i) ? entries[i] : 0) << "\r\n";
    std::ofstream man(dir_ / "DATA" / "MAN.DAT", std::ios::binary);
    for (size_t i = 0; i <= 64; ++i) man << (i < speakers.size() ? speakers[i] : "00:0,") << "\r\n";
  }

  // Runs the game from record 1; returns the exit status.
  int run(long maxRecords = 0) {
    host_->files.paths().setCurrentFolder(dir_);
    return shell::runGame(*game_, maxRecords, /*scriptOnly=*/true);
  }

  std::vector<std::string> trace() const { return host_->trace.lines(); }
  bool traced(const std::string& line) const {
    for (const auto& l : host_->trace.lines())
      if (l == line) return true;
    return false;
  }

  Main& game() { return *game_; }
  host::Host& hostRef() { return *host_; }
  const std::filesystem::path& dir() const { return dir_; }

 private:
  static std::string join(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& p : parts) out += p;
    return out;
  }
  std::filesystem::path dir_;
  std::unique_ptr<host::Host> host_;
  std::unique_ptr<Main> game_;
};

}  // namespace zav3::testing
