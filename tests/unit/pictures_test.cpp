// The picture loader with its ".cmp" repair, the shutter wipes and the show-scene-picture order.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/error.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

namespace fs = std::filesystem;

constexpr host::GameColour red = 0x0000FF;
constexpr host::GameColour blue = 0xFF0000;
constexpr host::GameColour green = 0x00FF00;
constexpr host::GameColour grey = 0x808080;

class PicturesTest : public ShellFixture {
 protected:
  bool tempExists() { return fs::exists(dir_ / "4TH_CG.BMP"); }
  // Every pixel of rows y0..y1 of PICTURE1 (x 0..639) has value `v`.
  bool rowsAre(int y0, int y1, std::uint32_t v) {
    const host::Surface& s = surface(m().PICTURE1);
    for (int y = y0; y <= y1; ++y) {
      for (int x = 0; x < 640; ++x) {
        if (s.at(x, y) != v) return false;
      }
    }
    return true;
  }
};

TEST_F(PicturesTest, EventPictureNumbersHaveThreeDigits) {
  EXPECT_EQ(shell::eventPictureNumber(1), "001");
  EXPECT_EQ(shell::eventPictureNumber(12), "012");
  EXPECT_EQ(shell::eventPictureNumber(123), "123");
}

TEST_F(PicturesTest, EventPictureIsLookedForAsBmpThenCmp) {
  m().currentPicture = 7;
  writeDamagedPicture(dir_ / "CG" / "007.cmp", 4, 3, blue);
  shell::loadEventPicture(m());
  ASSERT_EQ(m().scenePicture.width(), 4);
  EXPECT_EQ(m().scenePicture.at(0, 0), px(blue));
  // The repaired copy is in the work folder with the signature restored.
  std::ifstream temp(dir_ / "4TH_CG.BMP", std::ios::binary);
  char head[2] = {};
  temp.read(head, 2);
  EXPECT_EQ(std::string(head, 2), "BM");

  // With the .BMP present it wins.
  writePicture(dir_ / "CG" / "007.BMP", 2, 2, red);
  shell::loadEventPicture(m());
  EXPECT_EQ(m().scenePicture.width(), 2);
  EXPECT_EQ(m().scenePicture.at(1, 1), px(red));
}

TEST_F(PicturesTest, MalformedBmpFallsBackAndEveryFallbackOverwritesTheCopy) {
  std::ofstream(dir_ / "CG" / "003.BMP", std::ios::binary) << "not a picture";
  writeDamagedPicture(dir_ / "CG" / "003.cmp", 3, 3, green);
  writeDamagedPicture(dir_ / "CG" / "004.cmp", 5, 2, blue);
  // Shipped pictures are often read-only; the copy must still be repaired and replaced.
  fs::permissions(dir_ / "CG" / "003.cmp", fs::perms::owner_read | fs::perms::group_read);
  fs::permissions(dir_ / "CG" / "004.cmp", fs::perms::owner_read | fs::perms::group_read);
  m().currentPicture = 3;
  shell::loadEventPicture(m());
  EXPECT_EQ(m().scenePicture.at(2, 2), px(green));
  m().currentPicture = 4;
  shell::loadEventPicture(m());
  EXPECT_EQ(m().scenePicture.width(), 5);
  EXPECT_EQ(m().scenePicture.at(4, 1), px(blue));
}

TEST_F(PicturesTest, MissingEventPictureAndCopyIsAnError) {
  m().currentPicture = 9;
  m().scenePicture = host::Surface(3, 3);
  writePicture(dir_ / "CG" / "008.BMP", 2, 2, red);
  try {
    shell::loadEventPicture(m());
    FAIL() << "no error";
  } catch (const host::RuntimeError& e) {
    EXPECT_EQ(e.number(), host::err::fileNotFound);
  }
  EXPECT_FALSE(m().scenePicture.width() > 0) << "the old picture is released first";
}

TEST_F(PicturesTest, NamedPictureLoadsFromPictureFolder) {
  writePicture(dir_ / "MAINCG" / "KEIKOKU.BMP", 6, 4, green);
  m().pictureName = "KEIKOKU";
  shell::loadNamedPicture(m());
  EXPECT_EQ(m().scenePicture.width(), 6);
  m().pictureName = "NOSUCH";
  EXPECT_THROW(shell::loadNamedPicture(m()), host::RuntimeError);
  EXPECT_TRUE(m().scenePicture.empty());
}

TEST_F(PicturesTest, ShutterCloseCoversTheSceneInTwentySevenSteps) {
  // The blank is the 8 x 8 tile at (16, 0) of the panel tile.
  m().panelTile = host::Surface(32, 8, px(red));
  for (int y = 0; y < 8; ++y) {
    for (int x = 16; x < 24; ++x) m().panelTile.set(x, y, px(grey));
  }
  surface(m().PICTURE1).fill(px(blue));
  m().shownPicture = 4;
  m().preparedPicture = 5;
  const std::int64_t before = now();
  shell::shutterClose(m());
  EXPECT_EQ(now() - before, 27 * 10);
  EXPECT_TRUE(rowsAre(0, 269, px(grey)));
  EXPECT_TRUE(rowsAre(270, 270, px(blue)));
  EXPECT_EQ(m().shownPicture, 0);
  EXPECT_EQ(m().preparedPicture, 0);
}

TEST_F(PicturesTest, ShutterOpenCopiesTheBackingPicture) {
  host::Surface& backing = surface(m().P1);
  for (int y = 0; y < backing.height(); ++y) {
    for (int x = 0; x < backing.width(); ++x)
      backing.set(x, y, px(static_cast<host::GameColour>(y)));
  }
  surface(m().PICTURE1).fill(px(blue));
  m().preparedPicture = 6;
  const std::int64_t before = now();
  shell::shutterOpen(m());
  EXPECT_EQ(now() - before, 27 * 10);
  const host::Surface& screen = surface(m().PICTURE1);
  bool same = true;
  for (int y = 0; y < 270; ++y) {
    for (int x = 0; x < 640; ++x) same = same && screen.at(x, y) == backing.at(x, y);
  }
  EXPECT_TRUE(same);
  EXPECT_TRUE(rowsAre(270, 270, px(blue)));
  EXPECT_EQ(m().shownPicture, 6);
}

TEST_F(PicturesTest, ShowScenePictureOrder) {
  writePicture(dir_ / "CG" / "007.BMP", 640, 270, red);
  writePicture(dir_ / "CG" / "008.BMP", 640, 270, green);
  Main& g = m();

  // Nothing current and nothing prepared: the shutter closes.
  std::int64_t t = now();
  shell::showScenePicture(g);
  EXPECT_EQ(now() - t, 270);
  EXPECT_EQ(g.shownPicture, 0);

  // Nothing on screen: picture 7 at once, no wipe.
  g.currentPicture = 7;
  t = now();
  shell::showScenePicture(g);
  EXPECT_EQ(now() - t, 0);
  EXPECT_EQ(g.shownPicture, 7);
  EXPECT_EQ(g.preparedPicture, 7);
  EXPECT_EQ(surface(g.PICTURE1).at(639, 269), px(red));

  // Picture 0 keeps the prepared picture, which is the one shown: nothing happens.
  g.currentPicture = 0;
  t = now();
  shell::showScenePicture(g);
  EXPECT_EQ(g.currentPicture, 7);
  EXPECT_EQ(now() - t, 0);

  // Another picture: prepared into P1, then the shutter opens.
  g.currentPicture = 8;
  t = now();
  shell::showScenePicture(g);
  EXPECT_EQ(now() - t, 270);
  EXPECT_EQ(g.preparedPicture, 8);
  EXPECT_EQ(g.shownPicture, 8);
  EXPECT_EQ(surface(g.PICTURE1).at(0, 0), px(green));

  // The prepared picture is opened without loading it again.
  fs::remove(dir_ / "CG" / "008.BMP");
  surface(g.PICTURE1).fill(px(blue));
  g.shownPicture = 7;
  g.currentPicture = 8;
  shell::showScenePicture(g);
  EXPECT_EQ(g.shownPicture, 8);
  EXPECT_EQ(surface(g.PICTURE1).at(320, 135), px(green));
}

TEST_F(PicturesTest, DrawEventPictureGoesStraightToTheScreen) {
  writePicture(dir_ / "CG" / "012.BMP", 20, 10, green);
  m().currentPicture = 12;
  m().preparedPicture = 3;
  shell::drawEventPicture(m());
  EXPECT_EQ(surface(m().PICTURE1).at(19, 9), px(green));
  EXPECT_EQ(m().shownPicture, 12);
  EXPECT_EQ(m().preparedPicture, 3);
}

TEST_F(PicturesTest, EndHandlerRemovesTheTemporaryPicture) {
  writeDamagedPicture(dir_ / "CG" / "001.cmp", 2, 2, red);
  m().currentPicture = 1;
  shell::loadEventPicture(m());
  m().panelTile = host::Surface(8, 8);
  ASSERT_TRUE(tempExists());
  int closed = 0;
  m().closeMediaDevices = [&](Main&) { ++closed; };
  shell::MAINFORM_END(m());
  EXPECT_FALSE(tempExists());
  EXPECT_EQ(closed, 1);
  EXPECT_TRUE(m().scenePicture.empty());
  EXPECT_TRUE(m().panelTile.empty());
  // Without a temporary file the handler still runs cleanly.
  shell::MAINFORM_END(m());
}

TEST_F(PicturesTest, ClosingTheWindowRunsTheEndHandler) {
  std::ofstream(dir_ / "4TH_CG.BMP") << "";
  input({"close"});
  EXPECT_THROW(host_->events->waitForEvent(), host::ProgramEnd);
  EXPECT_FALSE(tempExists());
}

}  // namespace
}  // namespace zav3::testing
