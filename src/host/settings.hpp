// The player's settings that outlive a run, beside the game's own options (which the game keeps
// in its saves): music and effect volume, full screen, the window scale and muting while the
// window is in the background. Kept in $XDG_CONFIG_HOME/zav3/settings.ini (~/.config without it):
//   [zav3]
//   music_volume=100      0..100, the songs and the movies' sound; F5 lowers it, F6 raises it
//   effects_volume=100    0..100, the sound effects and the typing blips; F7 and F8
//   fullscreen=0          0 or 1; F11 or Alt+Enter change it
//   scale=0               the window as a whole multiple of 640 x 480, 0 = the largest that fits
//   mute_unfocused=1      0 or 1
// Unknown keys are kept out of the way (ignored); a value out of its range is a warning and
// keeps the default.
#pragma once

#include <filesystem>
#include <string>

namespace zav3::host {

struct Settings {
  int musicVolume = 100;
  int effectsVolume = 100;
  bool fullscreen = false;
  int scale = 0;
  bool muteUnfocused = true;
};

// The settings file's path; empty when neither XDG_CONFIG_HOME nor HOME is set.
std::filesystem::path settingsPath();

// The settings of `path`; the defaults for a missing file. Problems go to `warnings`.
Settings readSettings(const std::filesystem::path& path, std::string* warnings = nullptr);

// Writes them (the folder is made); false when the file cannot be written.
bool writeSettings(const std::filesystem::path& path, const Settings& settings);

}  // namespace zav3::host
