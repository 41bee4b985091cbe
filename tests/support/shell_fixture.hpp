// A headless game with the main form bound and laid out, the event procedures registered, the
// game hooks installed and a temporary game folder for pictures.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "host/bmp.hpp"
#include "host/drawing.hpp"
#include "host/headless/headless_display.hpp"
#include "host/host.hpp"
#include "shell/game_hooks.hpp"
#include "shell/game_state.hpp"
#include "shell/main_form.hpp"
#include "shell/pictures.hpp"

namespace zav3::testing {

class ShellFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("zav3-shell-") + info->test_suite_name() + "-" + info->name() + "-" +
            std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "CG");
    std::filesystem::create_directories(dir_ / "MAINCG");
    host_ = host::makeHeadlessHost();
    game_ = std::make_unique<Main>(*host_);
    Main& m = *game_;
    m.hooks = &hooks_;
    shell::bindMainFormControls(m);
    shell::loadPanelForm(m);
    shell::setUpScreenGeometry(m);
    shell::registerEventProcedures(m);
    const Bytes folder = host_->files.paths().toGame(dir_) + "\\";
    m.cgFolder = folder + "CG\\";
    m.pictureFolder = folder + "MAINCG\\";
    m.tempPictureFile = folder + "4TH_CG.BMP";
    m.bitmapSignature = "BM";
  }
  void TearDown() override {
    game_.reset();
    host_.reset();
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add);
    std::filesystem::remove_all(dir_);
  }

  Main& m() { return *game_; }
  host::Surface& surface(host::Handle control) { return host_->forms.surface(control); }
  std::int64_t now() { return host_->clock->nowMs(); }

  host::HeadlessDisplay& display() { return dynamic_cast<host::HeadlessDisplay&>(*host_->display); }
  // Queues scripted input lines such as "click 10 20".
  void input(std::initializer_list<const char*> lines) {
    for (const char* line : lines) {
      std::string s(line);
      const size_t blank = s.find(' ');
      const std::string verb = s.substr(0, blank);
      const std::string rest = blank == std::string::npos ? "" : s.substr(blank + 1);
      ASSERT_TRUE(display().queue(verb, rest)) << line;
    }
  }

  // A picture of one colour (r + 256 g + 65536 b) written as a 24-bit .BMP file.
  void writePicture(const std::filesystem::path& path, int width, int height,
                    host::GameColour colour) {
    const host::Surface picture(width, height, host::argbOf(colour));
    const std::vector<std::uint8_t> bytes = host::encodeBmp24(picture);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  // The same with its first two bytes damaged, as event pictures are stored in ".cmp" files.
  void writeDamagedPicture(const std::filesystem::path& path, int width, int height,
                           host::GameColour colour) {
    writePicture(path, width, height, colour);
    std::fstream f(path, std::ios::binary | std::ios::in | std::ios::out);
    f.write("XY", 2);
  }

  std::filesystem::path dir_;
  std::unique_ptr<host::Host> host_;
  std::unique_ptr<Main> game_;
  shell::GameHooks hooks_;
};

// Opaque pixel of a game colour.
constexpr std::uint32_t px(host::GameColour colour) {
  return host::argbOf(colour);
}

}  // namespace zav3::testing
