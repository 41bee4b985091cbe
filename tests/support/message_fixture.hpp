// A headless game with the main form laid out and the game hooks installed, whose data folder
// holds message and script records written by the test, opened as the record files.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "scenario/data_files.hpp"
#include "support/script_fixture.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {

class MessageFixture : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    std::filesystem::create_directories(dir_ / "DATA");
    std::filesystem::create_directories(dir_ / "KAOCG");
    folder_ = host_->files.paths().toGame(dir_) + "\\";
    m().faceFolder = folder_ + "KAOCG\\";
    m().workFolder = folder_;
    m().soundCommand = [this](Main&, const Bytes& command) { sounds.push_back(command); };
    // A scene is on show, so records with picture 0 keep it (with none, each would close it).
    m().preparedPicture = 1;
    m().shownPicture = 1;
  }

  // Writes the record files and opens them as the game does.
  void open(const std::vector<std::string>& messages, const std::vector<std::string>& script = {}) {
    host_->files.close(1);
    host_->files.close(2);
    std::ofstream(dir_ / "DATA" / "TXT.RND", std::ios::binary) << join(messages);
    std::ofstream(dir_ / "DATA" / "PRO.RND", std::ios::binary) << join(script);
    m().textFileName = withLength(57, folder_ + "DATA\\TXT.RND");
    m().scriptFileName = withLength(35, folder_ + "DATA\\PRO.RND");
    scenario::openRecordFiles(m());
  }

  // Shows textFrom..textTo as the text-show command does.
  void show(long from, long to) {
    m().textFrom = from;
    m().textTo = to;
    m().hooks->showMessages(m());
  }

  long count(const std::string& prefix) const {
    long n = 0;
    for (const Bytes& s : sounds) n += s.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
    return n;
  }
  std::vector<std::string> traceLines() const { return host_->trace.lines(); }
  long traced(const std::string& prefix) const {
    long n = 0;
    for (const auto& l : host_->trace.lines()) n += l.compare(0, prefix.size(), prefix) == 0;
    return n;
  }

  std::vector<Bytes> sounds;
  Bytes folder_;

 private:
  static std::string join(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& p : parts) out += p;
    return out;
  }
  static Bytes withLength(int length, const Bytes& path) {
    const Bytes marker = "(" + std::to_string(length) + ")";
    if (path.size() > 1 && path[1] == ':') return path.substr(0, 2) + marker + path.substr(2);
    return marker + path;
  }
};

}  // namespace zav3::testing
