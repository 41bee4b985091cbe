// The asset writer and the table of asset kinds.
#include "assets/assets.hpp"

#include <array>
#include <fstream>
#include <stdexcept>
#include <string>

#include "host/bmp.hpp"

namespace zav3::assets {

AssetWriter::AssetWriter(std::filesystem::path root) : root_(std::move(root)) {}
AssetWriter::~AssetWriter() = default;

void AssetWriter::write(std::string_view relative, std::span<const std::uint8_t> bytes) {
  const std::filesystem::path path = root_ / std::filesystem::path(relative);
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file)
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

void AssetWriter::writeBmp(std::string_view relative, const host::Surface& surface) {
  write(relative, host::encodeBmp24(surface));
}

host::TextRenderer& AssetWriter::text() {
  if (!text_) text_ = std::make_unique<host::TextRenderer>();
  return *text_;
}

std::span<const AssetKind> assetKinds() {
  static constexpr AssetKind kinds[] = {
      {"pictures", "MAINCG", writePictures},
      {"panels", "MAINCG", writePanels},
      {"combat pictures", "MAINCG", writeCombatPictures},
      {"scenes", "CG", writeScenes},
      {"rooms", "CG", writeRoomScenes},
      {"opening pictures", "OP_CG", writeOpeningPictures},
      {"ending pictures", "END_CG", writeEndingPictures},
      {"faces", "KAOCG", writeFaces},
      {"sounds", "WAVE", writeSounds},
      {"music", "MIDI", writeMusic},
      {"movies", "AVI", writeMovies},
  };
  return kinds;
}

void writeAll(AssetWriter& out) {
  for (const AssetKind& kind : assetKinds()) kind.generate(out);
}

}  // namespace zav3::assets
