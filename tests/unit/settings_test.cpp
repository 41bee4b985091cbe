// The player's settings file (read, written, and what bad values do) and the volumes they set
// in the mixer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "host/media/mixer.hpp"
#include "host/settings.hpp"

namespace zav3::testing {
namespace {

namespace fs = std::filesystem;

TEST(Settings, ReadWrittenAndKeptWithinRange) {
  const fs::path dir = fs::temp_directory_path() / ("zav3-settings-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  // Where the file lives: under XDG_CONFIG_HOME, else ~/.config.
  ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  EXPECT_EQ(host::settingsPath(), dir / "zav3" / "settings.ini");
  ::unsetenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (home) EXPECT_EQ(host::settingsPath(), fs::path(home) / ".config" / "zav3" / "settings.ini");

  // No file: the defaults.
  const fs::path file = dir / "zav3" / "settings.ini";
  host::Settings s = host::readSettings(file);
  EXPECT_EQ(s.musicVolume, 100);
  EXPECT_EQ(s.effectsVolume, 100);
  EXPECT_FALSE(s.fullscreen);
  EXPECT_EQ(s.scale, 0);
  EXPECT_TRUE(s.muteUnfocused);

  // Written (the folder is made) and read back the same.
  s = {40, 70, true, 2, false};
  ASSERT_TRUE(host::writeSettings(file, s));
  const host::Settings back = host::readSettings(file);
  EXPECT_EQ(back.musicVolume, 40);
  EXPECT_EQ(back.effectsVolume, 70);
  EXPECT_TRUE(back.fullscreen);
  EXPECT_EQ(back.scale, 2);
  EXPECT_FALSE(back.muteUnfocused);
  EXPECT_FALSE(fs::exists(file.string() + ".new"));

  // Edited by hand: comments and unknown keys pass, bad values keep their defaults with a
  // warning that names the line.
  std::ofstream(file) << "# mine\n[zav3]\nmusic_volume = 55\neffects_volume=150\nfullscreen=yes\n"
                         "colour=blue\nscale=3\nnonsense\n";
  std::string warnings;
  const host::Settings edited = host::readSettings(file, &warnings);
  EXPECT_EQ(edited.musicVolume, 55);
  EXPECT_EQ(edited.effectsVolume, 100);
  EXPECT_FALSE(edited.fullscreen);
  EXPECT_EQ(edited.scale, 3);
  EXPECT_NE(warnings.find("settings.ini:4: effects_volume = 150 is out of range"),
            std::string::npos);
  EXPECT_NE(warnings.find("settings.ini:5: fullscreen = yes"), std::string::npos);
  EXPECT_NE(warnings.find("settings.ini:8: not a key=value line"), std::string::npos);
  EXPECT_EQ(warnings.find("colour"), std::string::npos);

  // A folder in the file's place: the write fails and says so.
  fs::remove(file);
  fs::create_directories(file);
  EXPECT_FALSE(host::writeSettings(file, s));
  EXPECT_FALSE(fs::exists(file.string() + ".new"));
  fs::remove_all(dir);
}

// A song at half volume and the effects silenced; muted, nothing sounds but the song keeps
// its place.
TEST(Settings, VolumesScaleTheMixer) {
  struct Tone final : host::MusicSource {
    int rendered = 0;
    void render(float* stereo, int frames) override {
      for (int i = 0; i < frames * 2; ++i) stereo[i] = 0.5f;
      rendered += frames;
    }
  } tone;
  host::Mixer mixer;
  mixer.addMusic(&tone);
  auto effect = std::make_shared<const std::vector<float>>(std::vector<float>(200, 0.25f));
  mixer.play(effect, 0, 100);
  std::vector<float> out(20);
  mixer.setLevels(0.5f, 0.0f, false);
  mixer.render(out.data(), 10);
  EXPECT_FLOAT_EQ(out[0], 0.25f);
  mixer.setLevels(1.0f, 1.0f, false);
  mixer.render(out.data(), 10);
  EXPECT_FLOAT_EQ(out[0], 0.75f);
  mixer.setLevels(1.0f, 1.0f, true);
  mixer.render(out.data(), 10);
  EXPECT_FLOAT_EQ(out[0], 0.0f);
  EXPECT_EQ(tone.rendered, 30);
  mixer.removeMusic(&tone);
}

}  // namespace
}  // namespace zav3::testing
