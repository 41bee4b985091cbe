// Save slots: the layout written byte for byte, a round trip into a fresh game, and damaged
// slots that change nothing.
#include <gtest/gtest.h>

#include <fstream>

#include "host/sjis.hpp"
#include "shell/save_data.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

using host::sj;

class SaveData : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    m().saveFolder = host_->files.paths().toGame(dir_) + "\\";
  }
  std::string read(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  void save(const std::string& name) {
    shell::writeSaveLayout(m(), m().saveFolder + name, "2026/01/01 09:00:00");
  }
};

TEST_F(SaveData, LayoutOfTheFirstLinesAndBlocks) {
  m().messageRecord = 32;
  m().messageTextFrom = 4;
  m().currentPicture = 3;
  m().textDelay = 200;
  m().choiceMask(1) = 1;
  m().gameVar(200) = 1.5f;
  save("SAVE1.DAT");
  const std::string text = read("SAVE1.DAT");
  const std::string zone(11, ' ');  // " 3 " padded to column 14
  const std::string head =
      "2026/01/01 09:00:00\r\n 200 \r\n 2000 \r\n 10 \r\n 64 \r\n 32 \r\n 4 \r\n\r\n"
      " 3 " + zone + " 200 \r\n";
  EXPECT_EQ(text.substr(0, head.size()), head);
  // gameVar: 40 lines of five values, then element 200 alone.
  const std::string zero = " 0 " + zone;
  const std::string five = zero + zero + zero + zero + " 0 \r\n";
  EXPECT_NE(text.find(five + " 1.5 \r\n"), std::string::npos);
}

TEST_F(SaveData, RoundTripIntoAFreshGameKeepsEveryValue) {
  m().messageRecord = 77;
  m().messageTextFrom = 12;
  m().sceneTitle = sj("ブリッジ, 朝");  // an ASCII comma survives
  m().replyText(3) = "a,b";
  m().gameVar(5) = -2.25f;
  m().gameFlag(2000) = -32768;
  m().shipState(10) = 9076607273.5;
  m().personTableB(9) = 4;
  m().personTableA(64) = 7;
  m().returnDepth = 2;
  m().returnStack(1) = 55;
  m().currentPicture = 0;
  m().musicOption = 1;
  m().typingSoundOption = 0;
  save("SAVE2.DAT");

  // Everything a load replaces is changed first.
  m().gameVar(5) = 1;
  m().gameFlag(2000) = 1;
  m().shipState(10) = 1;
  m().replyText(3) = "x";
  m().sceneTitle.clear();
  m().personTableB(50) = 99;  // not saved: kept
  ASSERT_TRUE(shell::loadSlot(m(), 2));
  EXPECT_EQ(m().programCounter, 77);
  EXPECT_EQ(m().textFrom, 12);
  EXPECT_EQ(m().sceneTitle, sj("ブリッジ, 朝"));
  EXPECT_EQ(m().replyText(3), "a,b");
  EXPECT_FLOAT_EQ(m().gameVar(5), -2.25f);
  EXPECT_EQ(m().gameFlag(2000), -32768);
  EXPECT_DOUBLE_EQ(m().shipState(10), 9076607273.5);
  EXPECT_EQ(m().personTableB(9), 4);
  EXPECT_EQ(m().personTableB(50), 99);
  EXPECT_EQ(m().personTableA(64), 7);
  EXPECT_EQ(m().returnStack(1), 55);
  EXPECT_TRUE(m().resumePending);
  EXPECT_EQ(m().musicOption, 1);
  EXPECT_EQ(m().typingSoundOption, 0);
}

TEST_F(SaveData, DamagedSlotsChangeNothing) {
  m().gameVar(5) = 3;
  save("SAVE3.DAT");
  const std::string good = read("SAVE3.DAT");
  m().gameVar(5) = 8;
  write("SAVE4.DAT", good.substr(0, good.size() / 2));                // truncated
  std::string garbage = good;
  garbage.replace(garbage.find(" 200 "), 5, " xyz ");
  write("SAVE5.DAT", garbage);                                          // letters
  std::string huge = good;
  huge.replace(huge.find(" 2000 "), 6, " 9000 ");
  write("SAVE6.DAT", huge);                                             // a bound too large
  for (int slot : {4, 5, 6, 7 /* missing */}) {
    EXPECT_FALSE(shell::loadSlot(m(), slot)) << slot;
    EXPECT_FLOAT_EQ(m().gameVar(5), 8) << slot;
    EXPECT_FALSE(m().resumePending) << slot;
  }
}

}  // namespace
}  // namespace zav3::testing

namespace zav3::testing {
namespace {

TEST_F(SaveData, SavingReplacesTheSlotWholeAndAFailureKeepsTheOldOne) {
  write("SAVE1.DAT", "-\r\n");
  m().gameVar(7) = 4;
  ASSERT_TRUE(shell::saveSlot(m(), 1));
  EXPECT_EQ(m().saveTitle(1), read("SAVE1.DAT").substr(0, read("SAVE1.DAT").find("\r\n")));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "SAVE1.NEW"));

  // A save folder that cannot be written: the old slot stays as it was.
  const std::string before = read("SAVE1.DAT");
  m().saveFolder = host_->files.paths().toGame(dir_ / "missing") + "\\";
  EXPECT_FALSE(shell::saveSlot(m(), 1));
  EXPECT_EQ(read("SAVE1.DAT"), before);
}

TEST_F(SaveData, OptionMenuListsSaveAndLoad) {
  for (int n = 1; n <= 9; ++n) m().saveTitle(n) = "-";
  m().gameVar(9) = 6;
  input({"click 500 75"});  // the second line: slot 1
  shell::saveMenu(m());
  EXPECT_NE(m().saveTitle(1), "-");
  m().gameVar(9) = 1;
  input({"click 500 75"});
  shell::loadMenu(m());
  EXPECT_FLOAT_EQ(m().gameVar(9), 6);
  EXPECT_TRUE(m().resumePending);

  m().saveLocked = 1;  // the scenario forbids saving: no list at all
  const std::string title = m().saveTitle(1);
  shell::saveMenu(m());
  EXPECT_EQ(m().saveTitle(1), title);
}

}  // namespace
}  // namespace zav3::testing
