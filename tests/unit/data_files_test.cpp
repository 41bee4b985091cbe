// Scenario tables and record views: speaker lines, short jump tables, message decoding and the
// person-list and line views.
#include <gtest/gtest.h>

#include "host/sjis.hpp"
#include "scenario/data_files.hpp"
#include "support/script_fixture.hpp"

namespace zav3::testing {
namespace {

using host::sj;
using scenario::splitSpeakerLine;

TEST(SpeakerLine, VoiceAfterTheColonAndNameAfterTheComma) {
  Integer voice = -1;
  Bytes name;
  splitSpeakerLine("AB:12," + sj("ミナ"), voice, name);
  EXPECT_EQ(voice, 12);
  EXPECT_EQ(name, sj("ミナ"));
  splitSpeakerLine("AB:12 ," + sj("ミナ, 副長"), voice, name);
  EXPECT_EQ(voice, 12);
  EXPECT_EQ(name, sj("ミナ, 副長"));  // everything after the first comma
  splitSpeakerLine(sj("名無し"), voice, name);  // no marks: voice 0, the whole line
  EXPECT_EQ(voice, 0);
  EXPECT_EQ(name, sj("名無し"));
}

TEST(MessageText, DecodesPairsUpToTheLengthFieldEvenWhenOdd) {
  scenario::MessageRecord r;
  r.text = message(sj("あいう")).substr(0, 42);
  r.length = " 5";  // odd: the pair at position 5 is still taken
  EXPECT_EQ(scenario::decodeMessageText(r), sj("あいう"));
  r.length = " 0";
  EXPECT_EQ(scenario::decodeMessageText(r), "");
  r.length = "99";  // longer than the field: stops at the field's end
  EXPECT_EQ(scenario::decodeMessageText(r).size(), 42u);
}

TEST(RecordViews, PersonListAndLineViews) {
  ScriptRecord r;
  r.bytes = "OP   1 12 64  3               2  ";
  r.bytes.resize(35, ' ');
  const auto v = scenario::personListView(r);
  EXPECT_EQ(v.persons[0], 0);  // "OP " reads as 0
  EXPECT_EQ(v.persons[1], 1);
  EXPECT_EQ(v.persons[2], 12);
  EXPECT_EQ(v.persons[3], 64);
  EXPECT_EQ(v.persons[4], 3);
  EXPECT_EQ(v.list, 2);

  r.bytes = sj("行きますか？残り");
  r.bytes.resize(35, 'x');
  EXPECT_EQ(scenario::lineView(r, sj("？")), sj("行きますか"));
  r.bytes = sj("印なし");
  r.bytes.resize(35, ' ');
  EXPECT_EQ(scenario::lineView(r, sj("？")).size(), 34u);  // trailing blanks kept
  // A mark is never found across a character boundary: "メ" is 83 81 and "H" 48, so the bytes
  // 81 48 of "？" stand across the two characters.
  r.bytes = sj("メ") + "H" + sj("？");
  r.bytes.resize(35, ' ');
  EXPECT_EQ(scenario::lineView(r, sj("？")), sj("メ") + "H");
}

TEST(Operands, NumbersStopAtTheFirstCharacterThatDoesNotFit) {
  EXPECT_EQ(scenario::operandNumber("12     "), 12);
  EXPECT_EQ(scenario::operandNumber("       "), 0);
  EXPECT_EQ(scenario::prefixedNumber("J20    "), 20);
  EXPECT_EQ(scenario::prefixedNumber("T-3    "), -3);
  EXPECT_EQ(scenario::prefixedNumber(""), 0);
}

class Tables : public ScriptFixture {};

TEST_F(Tables, ShortJumpTableFillsTheRestWithZero) {
  writeGame({rec("END")}, {}, {}, {"00:0,", "01:3," + sj("艦長")});
  std::ofstream(dir() / "DATA" / "JMP.DAT", std::ios::binary) << "0\r\n7\r\n9";
  game().entryTable(5) = 99;
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(game().entryTable(1), 7);
  EXPECT_EQ(game().entryTable(2), 9);
  EXPECT_EQ(game().entryTable(5), 0);
  EXPECT_EQ(game().personVoice(1), 3);
  EXPECT_EQ(game().personName(1), sj("艦長"));
}

// The jump table in its two layouts: 5001 numbers are entries 0..5000, exactly 5000 are entries
// 1..5000 (said in the events). A jump to entry 12 must land on the record the table means.
class JumpLayouts : public ScriptFixture {
 protected:
  int play(int numbers, long entry12, const std::string& tail = "") {
    writeGame({rec("J", "12"), rec("END"), rec("IE", "1", "1"), rec("END"), rec("IE", "1", "2"),
               rec("END")});
    std::ofstream jmp(dir() / "DATA" / "JMP.DAT", std::ios::binary);
    const int twelfth = numbers == 5000 ? 11 : 12;  // the line that holds entry 12
    for (int i = 0; i < numbers; ++i) jmp << (i == twelfth ? entry12 : 0) << "\r\n";
    jmp << tail;
    jmp.close();
    return run();
  }
};

TEST_F(JumpLayouts, FiveThousandAndOneNumbersStartAtEntryZero) {
  EXPECT_EQ(play(5001, 3), 0);
  EXPECT_EQ(game().gameFlag(1), 1);
  EXPECT_FALSE(traced("DATA\\JMP.DAT holds 5000 numbers: read into entries 1..5000"));
}

TEST_F(JumpLayouts, FiveThousandNumbersStartAtEntryOne) {
  EXPECT_EQ(play(5000, 5, "\r\n"), 0);  // a blank last line is not a number
  EXPECT_EQ(game().gameFlag(1), 2);
  EXPECT_EQ(game().entryTable(0), 0);
  EXPECT_EQ(game().entryTable(12), 5);
  EXPECT_TRUE(traced("DATA\\JMP.DAT holds 5000 numbers: read into entries 1..5000"));
}

TEST_F(Tables, ShortSpeakerFileWarnsAndLeavesTheRestBlank) {
  writeGame({rec("END")});
  std::ofstream(dir() / "DATA" / "MAN.DAT", std::ios::binary)
      << "00:0,\r\n01:3," << sj("艦長") << "\r\n";
  game().personName(5) = "old";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(run(), 0);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("DATA\\MAN.DAT holds 2 of 65 lines; the rest are blank speakers"),
            std::string::npos)
      << err;
  EXPECT_EQ(game().personName(1), sj("艦長"));
  EXPECT_EQ(game().personName(5), "");
  EXPECT_EQ(game().personVoice(64), 0);
}

TEST_F(Tables, MissingDataFileEndsThroughTheErrorTrap) {
  writeGame({rec("END")});
  std::filesystem::remove(dir() / "DATA" / "MAN.DAT");
  EXPECT_EQ(run(), 1);
}

}  // namespace
}  // namespace zav3::testing

namespace zav3::testing {
namespace {

TEST_F(Tables, TruncatedScriptFileReadsTheMissingBytesAsBlanks) {
  writeGame({rec("IE", "1", "5")});
  std::ofstream(dir() / "DATA" / "PRO.RND", std::ios::binary | std::ios::app) << "IE     2";
  EXPECT_EQ(run(5), 0);
  EXPECT_EQ(game().gameFlag(1), 5);
  EXPECT_EQ(game().gameFlag(2), 0);  // the second record's missing operand reads as blank
}

TEST_F(Tables, JumpTableWithLettersSaysWhereAndReadsThemAsZero) {
  writeGame({rec("J", "2"), rec("END"), rec("IE", "1", "1"), rec("END")});
  {
    std::ofstream jmp(dir() / "DATA" / "JMP.DAT", std::ios::binary);
    jmp << "0\r\nabc\r\n3\r\n";
    for (int i = 3; i <= 5000; ++i) jmp << "0\r\n";
  }
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(run(), 0);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("JMP.DAT entry 1 is \"abc\""), std::string::npos) << err;
  EXPECT_EQ(game().entryTable(1), 0);
  EXPECT_EQ(game().entryTable(2), 3);
  EXPECT_EQ(game().gameFlag(1), 1);
}

TEST_F(Tables, EntryNumberOutOfRangeEndsThroughTheErrorTrap) {
  writeGame({rec("J", "6000"), rec("END")});
  EXPECT_EQ(run(), 1);
  writeGame({rec("SJ", "-1"), rec("END")});
  EXPECT_EQ(run(), 1);
}

}  // namespace
}  // namespace zav3::testing
