// The four scenario data files as byte strings, and reading and writing them in a DATA folder.
#pragma once

#include <filesystem>
#include <string>

namespace zav3::scriptc {

struct DataFiles {
  std::string pro;  // DATA\PRO.RND, script records of 35 bytes
  std::string txt;  // DATA\TXT.RND, message records of 57 bytes
  std::string jmp;  // DATA\JMP.DAT, jump entries
  std::string man;  // DATA\MAN.DAT, speakers
  bool operator==(const DataFiles&) const = default;
};

// Reads PRO.RND, TXT.RND, JMP.DAT and MAN.DAT from `dir`; throws std::runtime_error naming the
// file that cannot be read.
DataFiles readDataFolder(const std::filesystem::path& dir);
// Creates `dir` when needed and writes the four files; throws std::runtime_error on failure.
void writeDataFolder(const std::filesystem::path& dir, const DataFiles& files);

}  // namespace zav3::scriptc
