// The interpreter against hand-built record files: jumps and calls, conditions, arithmetic,
// masks, insert texts, list display, movies, interrupted records and the error trap.
#include <gtest/gtest.h>

#include "host/sjis.hpp"
#include "scenario/hooks.hpp"
#include "support/script_fixture.hpp"

namespace zav3::testing {
namespace {

using host::sj;

class Interpreter : public ScriptFixture {};

TEST_F(Interpreter, JumpRunsTheEntrysRecordNext) {
  std::vector<std::string> records(400, rec("NS"));
  records[0] = rec("J", "12");
  records[1] = rec("IE", "1", "99");  // skipped by the jump
  records[299] = rec("IE", "2", "7");  // record 300
  records[300] = rec("END");
  writeGame(records, {{12, 300}});
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(game().gameFlag(1), 0);
  EXPECT_EQ(game().gameFlag(2), 7);
  EXPECT_EQ(game().programCounter, 301);
}

TEST_F(Interpreter, ConditionsRoundFlagsAndReadOperatorMarksInOrder) {
  writeGame({rec("HE", "5", "2.6"),
             rec("IF", "5", "<=", "T3", "J20"),  // 2.6 rounds to 3: 3 <= 3 holds
             rec("IE", "1", "1"),
             rec("JE"),                          // record 4 = entry 20
             rec("IE", "2", "5"),
             rec("FI", "2", "= <", "T6", "J21"),  // read as "<": 5 < 6 jumps
             rec("IE", "3", "1"),
             rec("IE", "4", "6"),               // record 8 = entry 21
             rec("FI", "4", "A", "T6", "S22"),  // all bits of 6 set in 6: call entry 22
             rec("FI", "4", "N+", "T1", "R33"),  // no bit 1 in 6: special routine 33
             rec("FI", "4", "N", "T7", "J23"),  // not all bits of 7 set: jump to END
             rec("IE", "5", "1"),
             rec("IE", "6", "1"),  // record 13 = entry 22
             rec("SE"),
             rec("END")},  // record 15 = entry 23
            {{20, 4}, {21, 8}, {22, 13}, {23, 15}});
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(game().gameFlag(1), 0);
  EXPECT_EQ(game().gameFlag(3), 0);
  EXPECT_EQ(game().gameFlag(6), 1);  // the call ran
  EXPECT_EQ(game().gameFlag(5), 0);  // skipped by the jump to END
  EXPECT_TRUE(traced("routine 33"));
}

TEST_F(Interpreter, ConditionOnAVariableOperand) {
  writeGame({rec("HE", "1", "4"), rec("HE", "2", "4"), rec("IF", "1", "<>", "H2", "J1"),
             rec("IF", "1", "", "H2", "J2"), rec("IE", "9", "1"), rec("END")},
            {{1, 5}, {2, 6}});
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(game().gameFlag(9), 0);  // equal: jumped past the IE
}

TEST_F(Interpreter, ArithmeticLaterMarkWinsAndBKeepsItsValue) {
  writeGame({rec("HE", "1", "10"), rec("AH", "1", "+-", "T3", "H2"),  // 10 - 3
             rec("AH", "1", "*", "X", "H3"),                             // B is still 3
             rec("IE", "1", "12"), rec("AI", "1", "A", "T10", "I2"),    // 12 AND 10
             rec("AI", "1", "R", "T3", "I3"),                            // 12 OR 3
             rec("DE", "1", "1.5"), rec("AD", "1", "/", "T4", "D2"),
             rec("AH", "1", "+", "T1", "Q9"),  // unknown destination stores nothing
             rec("END")});
  EXPECT_EQ(run(), 0);
  EXPECT_FLOAT_EQ(game().gameVar(2), 7);
  EXPECT_FLOAT_EQ(game().gameVar(3), 30);
  EXPECT_EQ(game().gameFlag(2), 8);
  EXPECT_EQ(game().gameFlag(3), 15);
  EXPECT_DOUBLE_EQ(game().shipState(2), 0.375);
  EXPECT_FLOAT_EQ(game().gameVar(9), 0);
}

TEST_F(Interpreter, VariableCopiesAndBitOperations) {
  writeGame({rec("HE", "1", "2.5"), rec("IH", "1", "1"),  // 2.5 rounds to 2
             rec("HE", "2", "3.5"), rec("IH", "2", "2"),  // 3.5 rounds to 4
             rec("HI", "3", "2"), rec("HH", "4", "3"), rec("II", "3", "2"),
             rec("HR", "4", "1"), rec("IR", "3", "8"), rec("HA", "1", "6"),
             rec("IA", "2", "5"), rec("END")});
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(game().gameFlag(1), 2);
  EXPECT_EQ(game().gameFlag(2), 4 & 5);
  EXPECT_FLOAT_EQ(game().gameVar(3), 4);
  EXPECT_FLOAT_EQ(game().gameVar(4), 5);
  EXPECT_EQ(game().gameFlag(3), 12);
  EXPECT_FLOAT_EQ(game().gameVar(1), 2);  // 2.5 -> 2, AND 6
}

TEST_F(Interpreter, CallStackOverwritesTheDeepestSlotAndReturnsFromSlotZeroWhenEmpty) {
  // Entry 1 (record 3) calls itself until flag 1 reaches 13, then returns.
  writeGame({rec("SJ", "1"), rec("END"),
             rec("AI", "1", "+", "T1", "I1"),  // record 3
             rec("FI", "1", "<", "T13", "S1"), rec("SE")},
            {{1, 3}});
  EXPECT_EQ(run(100), 0);
  EXPECT_EQ(game().gameFlag(1), 13);
  EXPECT_EQ(game().returnDepth, 0);

  // SE with nothing saved goes back to the record in slot 0.
  writeGame({rec("IE", "1", "1"), rec("SE"), rec("END")});
  game().returnStack(0) = 2;
  game().returnDepth = 0;
  EXPECT_EQ(run(10), 0);
  EXPECT_EQ(game().programCounter, 3);
}

TEST_F(Interpreter, IndirectJumpsAndCallsReadTheEntryFromAVariable) {
  writeGame({rec("HE", "7", "2"), rec("IE", "8", "3"), rec("HS", "7"), rec("IJ", "8"),
             rec("IE", "1", "1"),  // record 5 = entry 2
             rec("SE"), rec("IE", "2", "1"), rec("END")},  // record 8 = entry 3
            {{2, 5}, {3, 8}});
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(game().gameFlag(1), 1);
  EXPECT_EQ(game().gameFlag(2), 0);
}

TEST_F(Interpreter, ChoiceMaskCommands) {
  writeGame({rec("QO"), rec("QT", "5"), rec("KO", "1"),                   // 5
             rec("IE", "2", "1023"), rec("IQ", "2"), rec("KO", "3"),       // 0
             rec("HE", "4", "514"), rec("QH", "4"), rec("TQ", "2"), rec("KO", "5"),  // 512
             rec("IE", "6", "6"), rec("KI", "6"), rec("KO", "7"), rec("END")});
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(game().gameFlag(1), 5);
  EXPECT_EQ(game().gameFlag(3), 0);
  EXPECT_EQ(game().gameFlag(5), 512);
  EXPECT_EQ(game().gameFlag(7), 6);
  EXPECT_EQ(game().choiceMask(1), 0);
  EXPECT_EQ(game().choiceMask(2), 1);
}

TEST_F(Interpreter, RandomDrawsStayInTheirRanges) {
  std::vector<std::string> records;
  for (int i = 0; i < 300; ++i) {
    records.push_back(rec("RI", "1", "40000"));
    records.push_back(rec("AI", "2", "R", "I1", "X"));  // keeps B = flag 1 for inspection
    records.push_back(rec("RH", "3", "2"));
    records.push_back(rec("AH", "4", "+", "H3", "H4"));
  }
  records.push_back(rec("END"));
  writeGame(records);
  EXPECT_EQ(run(), 0);
  EXPECT_LE(game().gameFlag(1), 32766);
  EXPECT_GE(game().gameFlag(1), 0);
  // 300 draws of 0..2 sum to roughly 300.
  EXPECT_GT(game().gameVar(4), 200);
  EXPECT_LT(game().gameVar(4), 400);
}

TEST_F(Interpreter, InsertTexts) {
  std::string quoted = sj("$3「艦長」残り");
  quoted.resize(35, ' ');
  writeGame({quoted, rec("HE", "5", "-12"), rec("$", "4", "5"), rec("HE", "6", "7"),
             rec("$", "5", "6"), rec("END")});
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(game().replyText(3), sj("艦長"));
  EXPECT_EQ(game().replyText(4), sj("１２"));  // the sign is dropped with the first character
  EXPECT_EQ(game().replyText(5), sj("７"));
}

TEST_F(Interpreter, ListDisplayCutsAtTheMarkAndInsertsReplyTexts) {
  std::string line1 = sj("火星へ@0＾ここは見えない");
  line1.resize(35, ' ');
  std::string line2 = sj("金星");
  line2.resize(35, ' ');
  writeGame({rec("$", "0", "1"), rec("H", "2"), line1, line2, rec("IE", "1", "1"), rec("END")});
  game().gameVar(1) = 3;  // set before the run: the new game does not clear variables
  EXPECT_EQ(run(), 0);
  // Without the mark every one of the 34 bytes stays, trailing blanks included.
  EXPECT_TRUE(traced("list 火星へ３ | 金星" + std::string(30, ' ')));
  EXPECT_EQ(game().gameFlag(1), 1);
}

TEST_F(Interpreter, FaceDefaultsCostumesAndCaption) {
  writeGame({rec("MA", "03x"), rec("HY", "12"), rec("FK", "7"), rec("FU", "3", "4"),
             rec("FS", "3", "120"), rec("Y", "3", "9"), rec("VL", "2", "15"), rec("END")});
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(game().faceSpeaker, "03");
  EXPECT_EQ(game().faceExpression, "12");
  EXPECT_EQ(game().faceCostume, "7 ");
  EXPECT_EQ(game().personTableA(3), 4);
  EXPECT_EQ(game().personTableC(3), 120);
  EXPECT_EQ(game().personTableB(3), 9);
  EXPECT_EQ(game().windowTitle, game().captionPrefix + sj("シナリオ Ver.2 Lev.15"));
}

TEST_F(Interpreter, UnknownAndBlankRecordsAreSkippedAndTheEndOfFileReadsBlank) {
  writeGame({rec("ZZ", "1"), std::string(35, ' '), rec("IE", "1", "1")});
  EXPECT_EQ(run(20), 0);  // runs on through blank records past the end
  EXPECT_EQ(game().gameFlag(1), 1);
  EXPECT_EQ(game().programCounter, 20);
}

TEST_F(Interpreter, HooksReceiveWhatTheRecordsAsk) {
  writeGame({rec("CG"), rec("CT"), rec("CK"), rec("SP", "11"), rec("SU", "3"), rec("MU", "2"),
             rec("MC", "0"), rec("MK", "4"), rec("KG", "5"), rec("TG", "6"), rec("TK", "7"),
             rec("G", "8"), rec("W", "3"), rec("Q", "", "2"), rec("L1", "1"), rec("QE"),
             rec("END")});
  EXPECT_EQ(run(), 0);
  const std::vector<std::string> want = {
      "clear window", "close scene", "clear text", "click", "clear window",
      "routine 11", "sound 3", "music 2", "clear window", "close scene", "music 0",
      "clear window", "music 4", "picture 5", "clear window", "picture 6", "click",
      "picture 7", "click", "clear window", "picture 8", "pause 100", "pause 100", "pause 100",
      "choice 14"};
  EXPECT_EQ(trace(), want);
  EXPECT_EQ(hostRef().clock->nowMs(), 300);
}

// A routine number of the routine table that has no routine in this engine does nothing, but
// is reported once per number; 35, 0 and numbers past 110 have no routine by design and stay
// silent.
TEST_F(Interpreter, MissingRoutinesAreReportedOncePerNumber) {
  writeGame({rec("SP", "77"), rec("SP", "77"), rec("SP", "11"), rec("IF", "1", "=", "T0", "X78"),
             rec("SP", "35"), rec("SP", "0"), rec("SP", "111"), rec("SP", "-4"), rec("END")});
  game().routines = scenario::RoutineTable{};
  int ran = 0;
  game().routines.add(11, [&](Main&) { ++ran; });
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(run(), 0);
  const std::string warnings = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(ran, 1);
  const std::vector<std::string> want = {
      "routine 77", "routine 77 is not available", "routine 77", "routine 11",
      "routine 78", "routine 78 is not available", "routine 35", "routine 0", "routine 111",
      "routine -4"};
  EXPECT_EQ(trace(), want);
  EXPECT_EQ(warnings,
            "warning: routine 77 is not available\nwarning: routine 78 is not available\n");
}

TEST_F(Interpreter, SoundEffectsAreSkippedWhileTheTypingSoundIsOff) {
  writeGame({rec("SU", "3"), rec("END")});
  game().lastLineSilent = true;
  EXPECT_EQ(run(), 0);
  EXPECT_FALSE(traced("sound 3"));
}

// Hooks that interrupt the first wait, as loading a game during a click wait would.
class InterruptingHooks : public scenario::TracingHooks {
 public:
  int interrupts = 1;
  void waitClick(Main& m) override {
    TracingHooks::waitClick(m);
    if (interrupts-- > 0) m.resumePending = true;
  }
  void showMessages(Main& m) override {
    // Stop after the first record of the run the first time.
    trace(m, "text from " + std::to_string(m.textFrom));
    m.textFrom += 1;
    if (interrupts-- > 0) {
      m.resumePending = true;
      return;
    }
    m.textFrom = m.textTo + 1;
  }
  bool movieWorks = true;
  bool playMovie(Main& m, Integer movie) override {
    TracingHooks::playMovie(m, movie);
    return movieWorks;
  }
};

TEST_F(Interpreter, InterruptedRecordsRunAgain) {
  writeGame({rec("P", "4", "6"), rec("TK", "2"), rec("END")},
            {}, {message(sj("一")), message(sj("二")), message(sj("三")), message(sj("四")),
                 message(sj("五")), message(sj("六"))});
  InterruptingHooks hooks;
  hooks.interrupts = 1;
  game().hooks = &hooks;
  EXPECT_EQ(run(), 0);
  // The text show stopped after record 4 and resumed at 5; the click wait did not interrupt.
  EXPECT_TRUE(traced("text from 4"));
  EXPECT_TRUE(traced("text from 5"));
  EXPECT_EQ(game().textFrom, 7);
}

TEST_F(Interpreter, MovieModes) {
  // Mode 1 waits for a click after the movie; mode 2 goes straight on.
  writeGame({rec("MG", "3", "10", "11", "1"), rec("MG", "4", "12", "13", "2"), rec("END")});
  game().moviesMissing = false;
  EXPECT_EQ(run(), 0);
  const std::vector<std::string> want = {"clear window", "picture at once 10",
                                         "movie 3",      "click",        "clear window",
                                         "picture at once 12", "movie 4"};
  EXPECT_EQ(trace(), want);
  EXPECT_FLOAT_EQ(game().gameVar(99), 0);
}

TEST_F(Interpreter, MissingMovieShowsTheStillPictureOrGoesOn) {
  writeGame({rec("MG", "3", "10", "11", "1"), rec("MG", "4", "12", "13", "2"), rec("END")});
  game().moviesMissing = true;
  EXPECT_EQ(run(), 0);
  EXPECT_TRUE(traced("picture 11"));
  EXPECT_FALSE(traced("picture 13"));
  EXPECT_FLOAT_EQ(game().gameVar(99), 1);
}

TEST_F(Interpreter, ErrorTrapShowsTheLineAndNumberAndFails) {
  writeGame({rec("IE", "2001", "1"), rec("END")});  // past the end of gameFlag
  EXPECT_EQ(run(), 1);
  auto* dialogs = static_cast<host::ScriptedDialogs*>(hostRef().dialogs.get());
  EXPECT_EQ(dialogs->shown(), 1);
  // Closing the files is part of ending the game.
  EXPECT_FALSE(hostRef().files.isOpen(2));
}

TEST_F(Interpreter, OverflowIntoAnIntegerVariableIsTrapped) {
  writeGame({rec("IE", "1", "32767.6"), rec("END")});
  EXPECT_EQ(run(), 1);
  writeGame({rec("IE", "1", "32767.4"), rec("END")});
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(game().gameFlag(1), 32767);
}

TEST(SystemErrorText, NamesLineAndNumber) {
  EXPECT_EQ(shell::systemErrorText(1234, 53), sj(" 1234行で、エラー番号 53が発生しました"));
}

}  // namespace
}  // namespace zav3::testing
