// Game paths: drive letters mapped onto real folders, case-insensitive lookup of Shift-JIS names,
// the current folder, and splitting a path into drive, folder, name and extension.
#include <algorithm>
#include <system_error>

#include "host/error.hpp"
#include "host/files.hpp"

namespace zav3::host {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t maxNameBytes = 260;

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

char driveLetterOf(std::string_view path) {
  if (path.size() < 2 || path[1] != ':') return 0;
  const char c = path[0];
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return c;
  return 0;
}

// Splits at separators, stepping over double-byte characters whole (their second byte may be
// 0x5C, the backslash). Empty components are kept so callers see leading separators.
std::vector<std::string_view> splitComponents(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < path.size()) {
    const auto b = static_cast<std::uint8_t>(path[i]);
    if (isLeadByte(b)) {
      i += 2;
    } else if (isSeparator(path[i])) {
      parts.push_back(path.substr(start, i - start));
      start = ++i;
    } else {
      ++i;
    }
  }
  parts.push_back(path.substr(std::min(start, path.size())));
  return parts;
}

// A component may hold any character except control bytes and the reserved < > : " | ? *;
// the check walks characters so that second bytes of double-byte characters pass.
bool validComponent(std::string_view name) {
  for (std::size_t i = 0; i < name.size();) {
    const auto b = static_cast<std::uint8_t>(name[i]);
    if (isLeadByte(b)) {
      if (i + 1 >= name.size()) return false;  // a cut double-byte character
      i += 2;
      continue;
    }
    if (b < 0x20 ||
        std::string_view("<>:\"|?*").find(static_cast<char>(b)) != std::string_view::npos)
      return false;
    ++i;
  }
  return true;
}

// Case folding for name comparison: ASCII letters and the full-width Latin letters (U+FF41..FF5A
// folded onto U+FF21..FF3A), on UTF-8 text.
std::string foldName(std::string_view utf8) {
  std::string out(utf8);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto b = static_cast<std::uint8_t>(out[i]);
    if (b >= 'a' && b <= 'z') {
      out[i] = static_cast<char>(b - 'a' + 'A');
    } else if (b == 0xEF && i + 2 < out.size() && static_cast<std::uint8_t>(out[i + 1]) == 0xBD) {
      const auto c = static_cast<std::uint8_t>(out[i + 2]);
      if (c >= 0x81 && c <= 0x9A) {  // ａ..ｚ = EF BD 81..9A, Ａ..Ｚ = EF BC A1..BA
        out[i + 1] = static_cast<char>(0xBC);
        out[i + 2] = static_cast<char>(c - 0x81 + 0xA1);
      }
      i += 2;
    }
  }
  return out;
}

// The real spelling of `name` inside `folder`: the name itself when it exists, else the
// smallest entry equal to it ignoring case; nothing when there is none.
std::optional<std::string> findEntry(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  if (fs::symlink_status(folder / name, ec).type() != fs::file_type::not_found && !ec) return name;
  const std::string folded = foldName(name);
  std::optional<std::string> best;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (foldName(entry) == folded && (!best || entry < *best)) best = std::move(entry);
  }
  return best;
}

std::vector<std::string> namesOf(const fs::path& p) {
  std::vector<std::string> names;
  for (const auto& part : p.relative_path()) {
    const std::string s = part.string();
    if (!s.empty() && s != ".") names.push_back(s);
  }
  return names;
}

fs::path normalized(const fs::path& p) {
  std::error_code ec;
  fs::path abs = fs::absolute(p, ec);
  if (ec) abs = p;
  return abs.lexically_normal();
}

}  // namespace

PathMapper::PathMapper() : systemFolder_("C:\\WINDOWS") {
  drives_['C'] = "/";
  current_ = "C:\\";
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  if (ec) return;
  try {
    setCurrentFolder(here);
  } catch (const RuntimeError&) {
    // A working folder the game cannot name: start at the root of C:.
  }
}

void PathMapper::mapDrive(char letter, fs::path root) {
  const char drive = driveLetterOf(std::string{letter, ':'});
  if (drive == 0) return;
  drives_[drive] = normalized(root);
}

void PathMapper::unmapDrive(char letter) {
  const char drive = driveLetterOf(std::string{letter, ':'});
  if (drive != 0) drives_.erase(drive);
}

bool PathMapper::locate(const fs::path& real, Located& out) const {
  auto attempt = [&](const fs::path& p, bool canonical) {
    const std::vector<std::string> names = namesOf(p);
    std::size_t bestLength = 0;
    bool found = false;
    for (const auto& [drive, root] : drives_) {
      fs::path r = root;
      if (canonical) {
        std::error_code ec;
        r = fs::weakly_canonical(root, ec);
        if (ec) continue;
      }
      if (r.root_path() != p.root_path()) continue;
      const std::vector<std::string> rootNames = namesOf(r);
      if (rootNames.size() > names.size()) continue;
      if (!std::equal(rootNames.begin(), rootNames.end(), names.begin())) continue;
      if (found && rootNames.size() <= bestLength) continue;
      found = true;
      bestLength = rootNames.size();
      out.drive = drive;
      out.names.assign(names.begin() + static_cast<std::ptrdiff_t>(rootNames.size()), names.end());
    }
    return found;
  };
  const fs::path p = normalized(real);
  if (attempt(p, false)) return true;
  std::error_code ec;
  const fs::path c = fs::weakly_canonical(p, ec);
  return !ec && attempt(c, true);
}

std::optional<Bytes> PathMapper::gameForm(const Located& where) {
  Bytes game{where.drive, ':'};
  if (where.names.empty()) return game + "\\";
  for (const auto& name : where.names) {
    const std::optional<Bytes> sjis = utf8ToSjis(name);
    if (!sjis) return std::nullopt;
    game += "\\" + *sjis;
  }
  return game;
}

void PathMapper::setCurrentFolder(const fs::path& real, std::source_location where) {
  Located located;
  std::error_code ec;
  if (!fs::is_directory(real, ec) || !locate(real, located))
    raise(err::pathNotFound, real.string(), where);
  const std::optional<Bytes> game = gameForm(located);
  if (!game) raise(err::badFileName, real.string(), where);
  current_ = *game;
  currentDrive_ = located.drive;
  currentNames_ = std::move(located.names);
}

Bytes PathMapper::toGame(const fs::path& real) const {
  Located located;
  if (!locate(real, located)) return {};
  return gameForm(located).value_or(Bytes{});
}

fs::path PathMapper::toReal(std::string_view gamePath, std::source_location where) const {
  if (gamePath.size() > maxNameBytes) raise(err::badFileName, sjisToUtf8(gamePath), where);
  char drive = driveLetterOf(gamePath);
  std::string_view rest = gamePath;
  if (drive != 0) {
    rest.remove_prefix(2);
  } else {
    drive = currentDrive_;
  }
  const auto root = drives_.find(drive);
  if (root == drives_.end()) raise(err::pathNotFound, sjisToUtf8(gamePath), where);

  const std::vector<std::string_view> parts = splitComponents(rest);
  const bool absolute = parts.size() > 1 && parts.front().empty();
  std::vector<std::string> names;
  if (!absolute && drive == currentDrive_) names = currentNames_;

  // Lookups stop at the first component that does not exist: nothing below it can.
  fs::path folder = root->second;
  for (const auto& n : names) folder /= n;
  bool lookup = true;
  for (const std::string_view part : parts) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!names.empty()) names.pop_back();
      folder = root->second;
      for (const auto& n : names) folder /= n;
      lookup = true;
      continue;
    }
    if (!validComponent(part)) raise(err::badFileName, sjisToUtf8(gamePath), where);
    std::string utf8 = sjisToUtf8(part);
    if (utf8.find('?') != std::string::npos) raise(err::badFileName, sjisToUtf8(gamePath), where);
    if (lookup) {
      if (std::optional<std::string> found = findEntry(folder, utf8)) {
        utf8 = std::move(*found);
      } else {
        lookup = false;
      }
    }
    folder /= utf8;
    names.push_back(std::move(utf8));
  }
  return folder;
}

SplitPathResult FileSystem::splitPath(std::string_view path) {
  SplitPathResult r;
  if (driveLetterOf(path) != 0) {
    r.drive = Bytes(path.substr(0, 2));
    path.remove_prefix(2);
  }
  // The folder runs through the last separator; the extension from the last "." of the rest.
  std::size_t nameStart = 0;
  std::size_t lastDot = std::string_view::npos;
  for (std::size_t i = 0; i < path.size();) {
    if (isLeadByte(static_cast<std::uint8_t>(path[i]))) {
      i += 2;
      continue;
    }
    if (isSeparator(path[i])) {
      nameStart = i + 1;
      lastDot = std::string_view::npos;
    } else if (path[i] == '.') {
      lastDot = i;
    }
    ++i;
  }
  nameStart = std::min(nameStart, path.size());
  r.folder = Bytes(path.substr(0, nameStart));
  const std::string_view file = path.substr(nameStart);
  if (lastDot == std::string_view::npos || file == "." || file == "..") {
    r.name = Bytes(file);
  } else {
    r.name = Bytes(path.substr(nameStart, lastDot - nameStart));
    r.extension = Bytes(path.substr(lastDot));
  }
  return r;
}

}  // namespace zav3::host
