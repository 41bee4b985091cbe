// The demo game's generated assets: the writer that puts files into the game folder, and the
// kinds of assets, each written by its own generator (pictures.cpp, combat_pictures.cpp,
// scenes.cpp, faces.cpp, sounds.cpp and sound_cues.cpp, music.cpp, movies.cpp, panels.cpp,
// opening_pictures.cpp, ending_pictures.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/surface.hpp"
#include "host/text.hpp"

namespace zav3::assets {

// Writes files below a game folder. Relative paths use "/" ("MAINCG/OPTION1.BMP"); missing
// folders are created. Failures throw std::runtime_error.
class AssetWriter {
 public:
  explicit AssetWriter(std::filesystem::path root);
  ~AssetWriter();
  AssetWriter(const AssetWriter&) = delete;
  AssetWriter& operator=(const AssetWriter&) = delete;

  const std::filesystem::path& root() const { return root_; }
  void write(std::string_view relative, std::span<const std::uint8_t> bytes);
  // A 24-bit `.BMP` file of the surface.
  void writeBmp(std::string_view relative, const host::Surface& surface);
  // The text renderer shared by the generators (created on first use).
  host::TextRenderer& text();

 private:
  std::filesystem::path root_;
  std::unique_ptr<host::TextRenderer> text_;
};

// One kind of asset and the function that writes all of its files.
struct AssetKind {
  std::string_view name;
  std::string_view folder;  // the game folder it fills
  void (*generate)(AssetWriter&);
};

class Canvas;
// The empty face frame (136 x 156, KAOWAKU); faces are drawn into a copy of it.
Canvas faceFrame();

// MAINCG: the frames of the screen, the option menu, the panel tile and the warning picture.
void writePictures(AssetWriter& out);
// MAINCG: the switch panel sheet CONCENT (buttons and lamps, unlit and lit).
void writePanels(AssetWriter& out);
// MAINCG: the combat pictures (symbol sheet NO, spcg1, spcg2, spcg2_2, spcg3, mission).
void writeCombatPictures(AssetWriter& out);
// CG: the numbered event pictures (001..009, 011..013; 007 as a ".cmp" file without its
// signature).
void writeScenes(AssetWriter& out);
// CG: the room pictures that show who is in the common room, the canteen and the cabins, and
// the numbers of all of them.
void writeRoomScenes(AssetWriter& out);
std::vector<int> roomPictureNumbers();
// OP_CG: the pictures of the opening show, 001..012 of 640 x 270 (the scene area, narration
// below), 013..023 of 640 x 480 (the whole screen).
void writeOpeningPictures(AssetWriter& out);
// END_CG: the pictures of the ending show, 001..009 of 640 x 270 (credits below), 010 and 011
// of 640 x 480.
void writeEndingPictures(AssetWriter& out);
// KAOCG: the crew's faces, one file per face code.
void writeFaces(AssetWriter& out);
// WAVE: the typing blips (CAPI.WAV, voice v in bytes v*1000 .. v*1000+999) and effects 01..03.
void writeSounds(AssetWriter& out);
// The samples of CAPI.WAV from byte 10000 to byte 99199: the fixed sound cues after the blips.
std::string soundCueSamples();
// MIDI: the songs 01..04 and 15 as format-1 Standard MIDI Files.
void writeMusic(AssetWriter& out);
// AVI: the movies 01 and 02 and the folder's marker file COM.TXT.
void writeMovies(AssetWriter& out);

std::span<const AssetKind> assetKinds();
void writeAll(AssetWriter& out);

}  // namespace zav3::assets
