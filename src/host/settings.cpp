// Reading and writing the settings file.
#include "host/settings.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zav3::host {

namespace {

std::string trimmed(const std::string& s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// A whole number in [low, high], or nothing.
bool numberIn(const std::string& text, int low, int high, int& out) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < low || v > high) return false;
  out = static_cast<int>(v);
  return true;
}

}  // namespace

std::filesystem::path settingsPath() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    return std::filesystem::path(xdg) / "zav3" / "settings.ini";
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::filesystem::path(home) / ".config" / "zav3" / "settings.ini";
  }
  return {};
}

Settings readSettings(const std::filesystem::path& path, std::string* warnings) {
  Settings s;
  std::ifstream in(path);
  if (!in) return s;
  std::string line;
  int number = 0;
  auto warn = [&](const std::string& what) {
    if (warnings) *warnings += path.string() + ":" + std::to_string(number) + ": " + what + "\n";
  };
  while (std::getline(in, line)) {
    ++number;
    line = trimmed(line);
    if (line.empty() || line[0] == '#' || line[0] == ';' || line[0] == '[') continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos) {
      warn("not a key=value line");
      continue;
    }
    const std::string key = trimmed(line.substr(0, eq));
    const std::string value = trimmed(line.substr(eq + 1));
    int v = 0;
    bool ok = true;
    if (key == "music_volume") {
      if ((ok = numberIn(value, 0, 100, v))) s.musicVolume = v;
    } else if (key == "effects_volume") {
      if ((ok = numberIn(value, 0, 100, v))) s.effectsVolume = v;
    } else if (key == "fullscreen") {
      if ((ok = numberIn(value, 0, 1, v))) s.fullscreen = v == 1;
    } else if (key == "scale") {
      if ((ok = numberIn(value, 0, 16, v))) s.scale = v;
    } else if (key == "mute_unfocused") {
      if ((ok = numberIn(value, 0, 1, v))) s.muteUnfocused = v == 1;
    }
    if (!ok) warn(key + " = " + value + " is out of range; the default is kept");
  }
  return s;
}

bool writeSettings(const std::filesystem::path& path, const Settings& s) {
  if (path.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::ostringstream text;
  text << "[zav3]\n"
       << "music_volume=" << s.musicVolume << "\n"
       << "effects_volume=" << s.effectsVolume << "\n"
       << "fullscreen=" << (s.fullscreen ? 1 : 0) << "\n"
       << "scale=" << s.scale << "\n"
       << "mute_unfocused=" << (s.muteUnfocused ? 1 : 0) << "\n";
  // Written beside and moved over, so a failed write never leaves half a file.
  const std::filesystem::path part = path.string() + ".new";
  {
    std::ofstream out(part, std::ios::trunc);
    out << text.str();
    out.close();
    if (!out) {
      std::filesystem::remove(part, ec);
      return false;
    }
  }
  std::filesystem::rename(part, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(part, ignored);
    return false;
  }
  return true;
}

}  // namespace zav3::host
