// Choice blocks: repeat messages, leaving kinds, jumps, the skipped block, mask modes and the
// paged person list.
#include "scenario/choices.hpp"

#include <gtest/gtest.h>

#include "scenario/interpreter.hpp"
#include "support/message_fixture.hpp"

namespace zav3::testing {
namespace {

using host::sj;

// An option line record: the text up to "？", the rest blank.
std::string optionRecord(const std::string& utf8) {
  std::string r = sj(utf8) + sj("？");
  r.resize(35, ' ');
  return r;
}

// Clicks on item i of a list whose lines are ten characters or longer (the window then spans
// x 454..614 whatever its width).
const char* item(int i) {
  static const char* const clicks[] = {"click 600 58",  "click 600 78",  "click 600 98",
                                       "click 600 118", "click 600 138", "click 600 158",
                                       "click 600 178", "click 600 198", "click 600 218"};
  return clicks[i];
}
const char* const messageClick = "click 100 100";

class ChoicesTest : public MessageFixture {
 protected:
  // Runs the block whose Q record is record 1.
  bool runBlock() {
    m().programCounter = 1;
    scenario::readScriptRecord(m(), 1);
    return scenario::executeRecord(m());
  }
  std::vector<std::string> answers() {
    return {message(sj("一度目の答え")), message(sj("二度目の答え")), message(sj("三"))};
  }
};

TEST_F(ChoicesTest, KindNStaysAndRepeatsItsSecondMessage) {
  open(answers(),
       {rec("Q", "", "2", "0"), optionRecord("何度でも聞ける質問です"),
        optionRecord("話を終わりにしますね"), rec("N", "1", "1", "2", "2"), rec("="), rec("QE")});
  input({item(0), messageClick, item(0), messageClick, item(0), messageClick, item(1)});
  EXPECT_FALSE(runBlock());
  EXPECT_EQ(m().programCounter, 6) << "left after QE";
  EXPECT_EQ(m().gameVar(37), 2);
  EXPECT_EQ(m().timesChosen(1), 3);
  EXPECT_EQ(traced("  1 ["), 1);
  EXPECT_EQ(traced("  2 ["), 2);
  EXPECT_EQ(m().choiceMask(1), 0);
  EXPECT_EQ(m().choiceMask(2), 1);
}

TEST_F(ChoicesTest, PlusLeavesAtOnceWhenItsLinkIsHidden) {
  open(answers(),
       {rec("Q", "", "2", "1"), optionRecord("もう一つの質問をします"),
        optionRecord("これは隠れている質問"), rec("+2", "1", "1", "2", "2"), rec("L"), rec("QE")});
  m().choiceMask(2) = 1;
  input({item(0), messageClick, messageClick});
  EXPECT_FALSE(runBlock());
  EXPECT_EQ(m().programCounter, 6);
  EXPECT_EQ(traced("  2 ["), 1) << "the leaving message";
  EXPECT_EQ(m().choiceMask(1), 1);
}

TEST_F(ChoicesTest, PlusPresentsAgainWhileItsLinkIsVisibleAndJLeavesForItsEntry) {
  open(answers(), {rec("Q", "", "2", "0"), optionRecord("もう一つの質問をします"),
                   optionRecord("別の場面に移動します"), rec("+2"), rec("J7"), rec("QE")});
  m().entryTable(7) = 40;
  input({item(0), item(0)});  // the second list holds only the J option
  EXPECT_FALSE(runBlock());
  EXPECT_EQ(m().programCounter, 39);
  EXPECT_EQ(m().gameVar(37), 2);
}

TEST_F(ChoicesTest, FlagZeroSkipsTheWholeBlock) {
  open(answers(), {rec("Q", "", "1", "0"), optionRecord("答えられない質問です"), rec("="),
                   rec("QE"), rec("HE", "1", "1")});
  m().gameVar(0) = 1;
  m().gameVar(37) = 7;
  m().choiceMask(1) = 1;
  EXPECT_FALSE(runBlock());
  EXPECT_EQ(m().programCounter, 4);
  EXPECT_EQ(m().gameVar(37), 7);
  EXPECT_EQ(m().choiceMask(1), 1) << "the mask mode is not applied either";
}

TEST_F(ChoicesTest, EveryOptionHiddenLeavesTheBlockWithAWarning) {
  // Mask mode 1 keeps the mask: both options hidden, the list would be empty and unanswerable.
  open(answers(), {rec("Q", "", "2", "1"), optionRecord("隠された質問です"),
                   optionRecord("これも隠されています"), rec("="), rec("="), rec("QE"),
                   rec("HE", "1", "1")});
  m().gameVar(37) = 7;
  m().choiceMask(1) = 1;
  m().choiceMask(2) = 1;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(runBlock());
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("has every option hidden"),
            std::string::npos);
  EXPECT_EQ(m().programCounter, 6);
  EXPECT_EQ(m().gameVar(37), 7);
}

TEST_F(ChoicesTest, MaskModesAndTheReentryCount) {
  auto block = [](const char* mode) {
    return std::vector<std::string>{rec("Q", "", "2", mode),
                                    optionRecord("話を終わりにしますね"),
                                    optionRecord("三番目の選択肢の文字"),
                                    rec("="),
                                    rec("="),
                                    rec("QE")};
  };
  auto preset = [this] {
    m().choiceMask(1) = 0;
    m().choiceMask(2) = 1;
    m().personListA(5) = 1;
  };
  open(answers(), block("1"));
  preset();
  m().choiceReentryCount = 3;
  input({item(0)});
  runBlock();
  EXPECT_EQ(m().choiceMask(2), 1) << "mode 1 keeps the mask";
  EXPECT_EQ(m().personListA(5), 1);
  EXPECT_EQ(m().choiceReentryCount, 0);

  open(answers(), block("2"));
  preset();
  input({item(0)});
  runBlock();
  EXPECT_EQ(m().choiceMask(2), 0) << "the first mode-2 block clears";
  EXPECT_EQ(m().personListA(5), 0);
  EXPECT_EQ(m().choiceReentryCount, 1);
  preset();
  input({item(0)});
  runBlock();
  EXPECT_EQ(m().choiceMask(2), 1) << "later mode-2 blocks keep";
  EXPECT_EQ(m().choiceReentryCount, 2);

  open(answers(), block("0"));
  input({item(0)});
  runBlock();
  EXPECT_EQ(m().choiceMask(2), 0);
  EXPECT_EQ(m().personListA(5), 0);
  EXPECT_EQ(m().choiceReentryCount, 0);
}

TEST_F(ChoicesTest, PersonPagesOfNineAndTen) {
  open({});
  for (Integer p = 1; p <= 9; ++p) {
    m().personListA(p) = 1;
    m().personName(p) = sj("人物") + std::string(1, static_cast<char>('0' + p));
  }
  scenario::PersonPage page = scenario::personPage(m(), 1, 64);
  EXPECT_EQ(page.lines.size(), 9u);
  EXPECT_EQ(page.persons.back(), 9);
  m().personListA(30) = 1;
  page = scenario::personPage(m(), 1, 64);
  ASSERT_EQ(page.lines.size(), 9u);
  EXPECT_EQ(page.persons[7], 8);
  EXPECT_EQ(page.lines[8], sj("↓（次候補）"));
  EXPECT_EQ(page.persons[8], 0);
  page = scenario::personPage(m(), 9, 30);
  EXPECT_EQ(page.persons, (std::vector<Integer>{9, 30}));
}

TEST_F(ChoicesTest, AskingAboutPersonsPagesRemovesAndLeavesOnTheClosingPerson) {
  // Persons 1..9 in one OP record (its first field holds "OP"), person 10 in a second.
  auto persons = [](int from, int to) {
    std::string op = "OP ";
    for (int p = from; p <= to; ++p) {
      char field[4];
      std::snprintf(field, sizeof field, "%3d", p);
      op += field;
    }
    op.resize(30, ' ');
    return op + "  1  ";
  };
  open(answers(),
       {rec("Q", "", "1", "0"), optionRecord("誰について聞きますか"), persons(1, 9),
        persons(10, 10), rec("OT", "1", "10", "3", "3"), rec("O", "1", "1", "1", "10"), rec("QE")});
  ASSERT_EQ(persons(1, 9).size(), 35u);
  for (Integer p = 1; p <= 10; ++p) m().personName(p) = sj("乗組員の名前はこれです");
  // The question's message, the paging line, person 10 on the second page, its message.
  input({item(0), messageClick, item(8), item(1), messageClick});
  EXPECT_FALSE(runBlock());
  EXPECT_EQ(m().programCounter, 7);
  EXPECT_EQ(m().personListA(10), 0);
  EXPECT_EQ(m().personListA(9), 1);
  EXPECT_EQ(traced("  3 ["), 1);
  EXPECT_EQ(m().choiceMask(1), 0) << "persons remain";
}

TEST_F(ChoicesTest, AnInterruptedAnswerRunsTheBlockAgain) {
  open(answers(), {rec("Q", "", "1", "2"), optionRecord("話を終わりにしますね"), rec("=", "1", "1"),
                   rec("QE")});
  m().loadMenu = [](Main& x) { x.resumePending = true; };
  input({item(0), "click 610 400", "click 470 45"});
  EXPECT_TRUE(runBlock());
  EXPECT_EQ(m().programCounter, 1) << "the Q record runs again";
  EXPECT_EQ(m().choiceReentryCount, 1);
}

}  // namespace
}  // namespace zav3::testing
