// Reading and writing the four data files of a DATA folder.
#include "scriptc/data_files.hpp"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zav3::scriptc {
namespace {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

DataFiles readDataFolder(const std::filesystem::path& dir) {
  return DataFiles{readFile(dir / "PRO.RND"), readFile(dir / "TXT.RND"), readFile(dir / "JMP.DAT"),
                   readFile(dir / "MAN.DAT")};
}

void writeDataFolder(const std::filesystem::path& dir, const DataFiles& files) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) throw std::runtime_error("cannot create " + dir.string() + ": " + ec.message());
  writeFile(dir / "PRO.RND", files.pro);
  writeFile(dir / "TXT.RND", files.txt);
  writeFile(dir / "JMP.DAT", files.jmp);
  writeFile(dir / "MAN.DAT", files.man);
}

}  // namespace zav3::scriptc
