// The generated demo assets: every picture the game loads exists, decodes and has the size its
// place on the screen needs; the sounds, songs and movies are well-formed files of their kind.
#include "assets/assets.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "assets/indexed_bmp.hpp"
#include "host/bmp.hpp"
#include "host/media/media_files.hpp"

namespace zav3 {
namespace {

namespace fs = std::filesystem;

// Each test writes one kind of asset into a fresh temporary folder.
class AssetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("zav3-assets-" + std::to_string(::getpid()) + "-" + test->name());
    out_ = std::make_unique<assets::AssetWriter>(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  std::vector<std::uint8_t> bytes(const std::string& relative) const {
    std::ifstream file(dir_ / relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
  }
  // Decodes the picture and checks its size; a failure names the file.
  void expectPicture(const std::string& relative, int width, int height) const {
    SCOPED_TRACE(relative);
    const std::vector<std::uint8_t> file = bytes(relative);
    ASSERT_FALSE(file.empty()) << "missing";
    const host::BmpImage image = host::decodeBmp(file);
    EXPECT_EQ(image.surface.width(), width);
    EXPECT_EQ(image.surface.height(), height);
  }

  fs::path dir_;
  std::unique_ptr<assets::AssetWriter> out_;
};

TEST_F(AssetsTest, StartUpPicturesFitTheirControls) {
  assets::writePictures(*out_);
  expectPicture("MAINCG/OPTION1.BMP", 150, 300);  // P6 and P8
  expectPicture("MAINCG/OPTION2.BMP", 150, 280);  // P7
  expectPicture("MAINCG/KAOWAKU.BMP", 136, 156);  // the face frame
  expectPicture("MAINCG/TXTWAKU.BMP", 470, 156);  // P5, the message frame
  expectPicture("MAINCG/LISTWAKU.BMP", 128, 32);  // P3, four corners
  expectPicture("MAINCG/KEIKOKU.BMP", 640, 460);  // the whole screen

  // The panel tile is the 8 x 8 square at (16, 0).
  SCOPED_TRACE("BF_COLOR");
  const host::BmpImage tile = host::decodeBmp(bytes("MAINCG/BF_COLOR.BMP"));
  EXPECT_GE(tile.surface.width(), 24);
  EXPECT_GE(tile.surface.height(), 8);
}

// The switch panel cuts its pieces out of CONCENT: every button column and every lamp must look
// different lit than unlit.
TEST_F(AssetsTest, SwitchPanelSheetHoldsEveryButtonAndLampUnlitAndLit) {
  assets::writePanels(*out_);
  expectPicture("MAINCG/CONCENT.BMP", 200, 130);
  const host::Surface sheet = host::decodeBmp(bytes("MAINCG/CONCENT.BMP")).surface;
  auto litDiffers = [&](int x, int y, int litRow) { return sheet.at(x, y) != sheet.at(x, litRow); };
  for (int column : {0, 25, 50, 75}) EXPECT_TRUE(litDiffers(column + 12, 12, 37)) << column;
  for (int lamp = 0; lamp < 10; ++lamp) EXPECT_TRUE(litDiffers(lamp * 20 + 10, 60, 80)) << lamp;
  EXPECT_TRUE(litDiffers(10, 100, 120)) << "switch 11";
}

TEST_F(AssetsTest, CombatPicturesFitTheirControls) {
  assets::writeCombatPictures(*out_);
  expectPicture("MAINCG/NO.BMP", 216, 216);       // P15, the symbol sheet
  expectPicture("MAINCG/spcg1.BMP", 216, 224);    // PICTURE10
  expectPicture("MAINCG/spcg2.BMP", 136, 144);    // PICTURE11
  expectPicture("MAINCG/spcg2_2.BMP", 120, 120);  // PICTURE13
  expectPicture("MAINCG/spcg3.BMP", 216, 224);    // PICTURE12
  expectPicture("MAINCG/mission.BMP", 640, 270);

  // The sheet's cells: the blank at (0, 8) is the glyph background, every digit, letter and
  // "%" has ink in its 6 x 8 cell, and the full and the empty bar cells differ.
  const host::Surface sheet = host::decodeBmp(bytes("MAINCG/NO.BMP")).surface;
  const std::uint32_t blank = sheet.at(0, 8);
  auto inked = [&](int x0, int y0, int w) {
    for (int y = y0; y < y0 + 8; ++y)
      for (int x = x0; x < x0 + w; ++x)
        if (sheet.at(x, y) != blank) return true;
    return false;
  };
  EXPECT_FALSE(inked(0, 8, 6));
  for (int d = 0; d < 10; ++d) EXPECT_TRUE(inked(8 * d, 0, 6)) << d;
  for (int l = 1; l <= 26; ++l) EXPECT_TRUE(inked(8 * l, 8, 6)) << l;
  EXPECT_TRUE(inked(88, 0, 6));
  EXPECT_NE(sheet.at(80, 3), sheet.at(83, 3));
}

TEST_F(AssetsTest, EventPicturesFillTheSceneArea) {
  assets::writeScenes(*out_);
  for (int n = 1; n <= 13; ++n) {
    if (n == 7 || n == 10) continue;  // 10 is a room picture
    const std::string number = (n < 10 ? "00" : "0") + std::to_string(n);
    expectPicture("CG/" + number + ".BMP", 640, 270);
  }
  // Picture 7 exists only as a ".cmp" copy without the signature, so the loader's fallback is
  // what shows it.
  EXPECT_FALSE(fs::exists(dir_ / "CG/007.BMP"));
  std::vector<std::uint8_t> cmp = bytes("CG/007.cmp");
  ASSERT_GT(cmp.size(), 2u);
  EXPECT_FALSE(cmp[0] == 'B' && cmp[1] == 'M');
  cmp[0] = 'B', cmp[1] = 'M';
  const host::BmpImage restored = host::decodeBmp(cmp);
  EXPECT_EQ(restored.surface.width(), 640);
  EXPECT_EQ(restored.surface.height(), 270);
}

TEST_F(AssetsTest, EveryCrewFaceFitsInsideTheFrame) {
  assets::writeFaces(*out_);
  // The heroine, the five crew members and the captain; the heroine's room clothes, and the
  // clothes she and 鈴華 wear on a visit.
  std::vector<std::string> codes;
  for (const char* speaker : {"01", "02", "03", "04", "05", "06", "07"})
    codes.push_back(std::string(speaker) + "00");
  for (const char* costume : {"0106", "0107", "0108", "0207", "0208"}) codes.push_back(costume);
  for (const std::string& code : codes) {
    for (const char* expression : {"01", "02", "03", "04"}) {
      expectPicture("KAOCG/" + code.substr(0, 2) + expression + code.substr(2) + ".BMP", 136, 156);
    }
  }
}

// Every picture the room routines can choose: the common room by company and visit, and its
// other states; the canteen by the set of people present (and the pictures a heroine busy
// there borrows from her cabin's hours); the crew cabins away, busy and asleep; the heroine's
// cabin by room state and at rest; the cabins by visit and hour.
std::vector<int> roomRoutinePictures() {
  std::vector<int> n{
      81,  62,  63,  64,  65,  80,  60,  61,  79,  58,  59,  78,  54,  55,  56,  57,  77,  52,
      53,  76,  50,  51,                                                     // routine 40
      202, 75,  85,  82,  83,  84,  10,                                      // routine 41
      251, 245, 252, 282, 275, 283, 309, 303, 310,                           // routine 61
      339, 333, 340, 359, 353, 360, 233, 234, 86,  92,  266, 267, 268, 269,  // routines 44, 45, 95
      228, 429, 430, 431, 432, 218, 433, 434, 435, 436, 437, 438, 439, 474, 257, 475, 476, 477,
      478, 288, 527, 528, 529, 315, 479, 553, 554, 345, 551, 552, 558, 365, 555, 556, 557};  // routine
                                                                                             // 96
  for (int set = 0; set < 64; ++set) n.push_back(100 + set);  // routine 42
  std::sort(n.begin(), n.end());
  n.erase(std::unique(n.begin(), n.end()), n.end());
  return n;
}

TEST_F(AssetsTest, RoomPicturesCoverEveryNumberTheRoomRoutinesChoose) {
  assets::writeRoomScenes(*out_);
  const std::vector<int> expected = roomRoutinePictures();
  std::vector<int> made = assets::roomPictureNumbers();
  std::sort(made.begin(), made.end());
  EXPECT_EQ(made, expected);  // each written once, none of the event pictures overwritten
  std::uintmax_t total = 0;
  for (const int n : expected) {
    std::string name = std::to_string(n);
    name = "CG/" + std::string(3 - name.size(), '0') + name + ".BMP";
    expectPicture(name, 640, 270);
    if (!fs::exists(dir_ / name)) continue;
    EXPECT_EQ(host::decodeBmp(bytes(name)).bitCount, 8) << name;
    total += fs::file_size(dir_ / name);
  }
  EXPECT_LT(total, 15u << 20);
}

// The compact picture format gives back a picture of few colours exactly, and one of many
// colours close to it.
TEST(IndexedBmp, RoundTripsThroughTheBmpDecoder) {
  host::Surface flat(300, 7), smooth(257, 40);
  for (int y = 0; y < flat.height(); ++y)
    for (int x = 0; x < flat.width(); ++x)
      flat.set(x, y, 0xFF000000u | static_cast<std::uint32_t>((x / 3 % 5) * 0x203040 + y * 0x10));
  for (int y = 0; y < smooth.height(); ++y)
    for (int x = 0; x < smooth.width(); ++x)
      smooth.set(x, y, 0xFF000000u | static_cast<std::uint32_t>(x << 16 | (y * 6) << 8 | (x ^ y)));
  const host::BmpImage a = host::decodeBmp(assets::encodeBmpRle8(flat));
  EXPECT_EQ(a.bitCount, 8);
  EXPECT_EQ(a.surface.pixels(), flat.pixels());
  const host::BmpImage b = host::decodeBmp(assets::encodeBmpRle8(smooth));
  ASSERT_EQ(b.surface.width(), 257);
  int worst = 0;
  for (int y = 0; y < smooth.height(); ++y) {
    for (int x = 0; x < smooth.width(); ++x) {
      const std::uint32_t p = smooth.at(x, y), q = b.surface.at(x, y);
      for (int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(static_cast<int>((p >> shift) & 0xFF) -
                                         static_cast<int>((q >> shift) & 0xFF)));
    }
  }
  EXPECT_LE(worst, 24);
}

TEST_F(AssetsTest, BlipFileHoldsEveryVoiceSlotAndTheStartUpSound) {
  assets::writeSounds(*out_);
  const std::vector<std::uint8_t> file = bytes("WAVE/CAPI.WAV");
  const std::string_view view(reinterpret_cast<const char*>(file.data()), file.size());
  std::string why;
  const auto wave = host::readWave(view, why);
  ASSERT_TRUE(wave) << why;
  EXPECT_EQ(wave->channels, 1);
  EXPECT_TRUE(wave->sampleRate == 11025 || wave->sampleRate == 22050);
  EXPECT_TRUE(wave->bitsPerSample == 8 || wave->bitsPerSample == 16);
  // Ten 1000-byte voice slots; the start-up sound plays bytes 2001..6000; the sound cues reach
  // to byte 99199, each dying away before the next one starts.
  EXPECT_GE(wave->dataBytes, 99200u);
  for (std::size_t cueEnd : {15999, 21999, 32999, 55999, 99199}) {
    EXPECT_NEAR(file[wave->dataOffset + cueEnd], 128, 2) << "cue ending at " << cueEnd;
  }
  // Each voice's blip has died away before the end of the part a blip plays.
  const int silence = wave->bitsPerSample == 8 ? 128 : 0;
  for (std::size_t voice = 0; voice < 10; ++voice) {
    const std::size_t end = wave->dataOffset + voice * 1000 + 850;
    EXPECT_NEAR(file[end], silence, 2) << "voice " << voice;
  }
  for (const char* effect : {"WAVE/01.WAV", "WAVE/02.WAV", "WAVE/03.WAV"}) {
    const std::vector<std::uint8_t> sound = bytes(effect);
    const auto info = host::readWave(
        std::string_view(reinterpret_cast<const char*>(sound.data()), sound.size()), why);
    ASSERT_TRUE(info) << effect << ": " << why;
    EXPECT_GE(info->durationUs(), 300000) << effect;
    EXPECT_LE(info->durationUs(), 1500000) << effect;
  }
}

TEST_F(AssetsTest, SongsAreFormatOneWithEveryTrackEnded) {
  assets::writeMusic(*out_);
  // The opening's song and the ending's run as long as their picture shows; the others loop.
  const struct {
    const char* song;
    std::int64_t shortestS, longestS;
  } songs[] = {{"MIDI/01.MID", 200, 210},
               {"MIDI/02.MID", 20, 40},
               {"MIDI/03.MID", 20, 40},
               {"MIDI/04.MID", 20, 40},
               {"MIDI/15.MID", 115, 125}};
  for (const auto& [song, shortestS, longestS] : songs) {
    SCOPED_TRACE(song);
    const std::vector<std::uint8_t> file = bytes(song);
    ASSERT_GE(file.size(), 14u);
    const auto be = [&](std::size_t at, int count) {
      std::uint32_t v = 0;
      for (int i = 0; i < count; ++i) v = v << 8 | file[at + static_cast<std::size_t>(i)];
      return v;
    };
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "MThd");
    EXPECT_EQ(be(4, 4), 6u);
    EXPECT_EQ(be(8, 2), 1u);
    const std::uint32_t tracks = be(10, 2);
    EXPECT_GE(tracks, 3u);
    std::size_t at = 14;
    for (std::uint32_t t = 0; t < tracks; ++t) {
      ASSERT_LE(at + 8, file.size()) << "track " << t;
      EXPECT_EQ(std::string(file.begin() + static_cast<long>(at),
                            file.begin() + static_cast<long>(at) + 4),
                "MTrk");
      const std::size_t end = at + 8 + be(at + 4, 4);
      ASSERT_LE(end, file.size()) << "track " << t;
      EXPECT_EQ(be(end - 3, 3), 0xFF2F00u) << "track " << t;
      at = end;
    }
    EXPECT_EQ(at, file.size());
    std::string why;
    const auto info = host::readMidi(
        std::string_view(reinterpret_cast<const char*>(file.data()), file.size()), why);
    ASSERT_TRUE(info) << why;
    EXPECT_GE(info->durationUs(), shortestS * 1000000);
    EXPECT_LE(info->durationUs(), longestS * 1000000);
  }
}

TEST_F(AssetsTest, MoviesAreAviFilesBesideTheMarker) {
  assets::writeMovies(*out_);
  EXPECT_TRUE(fs::exists(dir_ / "AVI/COM.TXT"));
  for (const char* movie : {"AVI/01.AVI", "AVI/02.AVI"}) {
    SCOPED_TRACE(movie);
    const std::vector<std::uint8_t> file = bytes(movie);
    ASSERT_GE(file.size(), 12u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 12), "AVI ");
    EXPECT_LT(file.size(), 8u << 20);
    std::string why;
    const auto info = host::readMovie(
        std::string_view(reinterpret_cast<const char*>(file.data()), file.size()), why);
    ASSERT_TRUE(info) << why;
    EXPECT_GE(info->durationUs(), 2000000);
    EXPECT_LE(info->durationUs(), 4000000);
  }
}

}  // namespace
}  // namespace zav3
