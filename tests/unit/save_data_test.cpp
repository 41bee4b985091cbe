// Save slots: a save replaces the slot file only when it is complete, and the option menu's
// save and load lists with the save lock.
#include <gtest/gtest.h>

#include <fstream>

#include "shell/save_data.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

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
};

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
