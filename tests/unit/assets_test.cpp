// The generated demo pictures: every picture the game loads exists, decodes and has the size its
// place on the screen needs.
#include "assets/assets.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "host/bmp.hpp"

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

TEST_F(AssetsTest, EventPicturesFillTheSceneArea) {
  assets::writeScenes(*out_);
  for (int n = 1; n <= 12; ++n) {
    if (n == 7) continue;
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
  for (const char* speaker : {"01", "02", "03", "04"}) {
    for (const char* expression : {"01", "02", "03", "04"}) {
      expectPicture(std::string("KAOCG/") + speaker + expression + "00.BMP", 136, 156);
    }
  }
}

}  // namespace
}  // namespace zav3
