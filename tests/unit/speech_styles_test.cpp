// Speech-style endings run as routine 22, and the duration, speed-name and name-list builders,
// with the texts worked out by hand.
#include "scenario/speech_styles.hpp"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "host/error.hpp"
#include "host/host.hpp"
#include "host/sjis.hpp"
#include "shell/game_state.hpp"

namespace zav3::scenario {
namespace {

using host::sj;

class SpeechStyles : public ::testing::Test {
 protected:
  std::unique_ptr<host::Host> host_ = host::makeHeadlessHost();
  Main game{*host_};

  // Runs routine 22 for speaker 7 whose face source entry is `face`.
  void speakWithFace(host::Integer face) {
    game.gameVar(speakerVar) = 7;
    game.personTableB(7) = face;
    game.routines.run(game, speechStyleRoutine);
  }
  void expectSlots(const std::array<const char*, 10>& utf8) {
    for (int slot = 0; slot < 10; ++slot) {
      EXPECT_EQ(game.replyText(slot), sj(utf8[static_cast<std::size_t>(slot)])) << "slot " << slot;
    }
  }
  Bytes duration(Single minutes) {
    game.gameVar(durationMinutesVar) = minutes;
    durationText(game);
    return game.replyText(1);
  }
};

constexpr std::array<const char*, 10> plainSet{
    "ました。",   "ます。",   "ません。", "です。", "ありませんよ。",
    "ください。", "でしょ。", "ですか？", "の。",   "の？"};

TEST_F(SpeechStyles, FaceEntriesOutsideTheFiveSetsSpeakWithSetOne) {
  for (host::Integer face : {0, 1, 2, 7, -3}) {
    for (int slot = 0; slot < 10; ++slot) game.replyText(slot) = "x";
    speakWithFace(face);
    SCOPED_TRACE(face);
    expectSlots(plainSet);
  }
}

TEST_F(SpeechStyles, EachFaceEntrySelectsItsColumn) {
  speakWithFace(3);
  expectSlots({"ました。", "ます。", "ません。", "です。", "ないわよ。", "くれない。", "でしょ。",
               "ですか？", "んです。", "んですね？"});
  speakWithFace(4);
  expectSlots({"たわ。", "るわ。", "ないわ。", "です。", "ないわよ。", "くれませんか。", "でしょ。",
               "ですか？", "のよ。", "のね？"});
  speakWithFace(5);
  expectSlots({"たぜ。", "るぜ。", "ないぜ。", "だ。", "ないぜ。", "くれ。", "だろ。", "か？",
               "んだ。", "んだな？"});
  speakWithFace(6);
  expectSlots({"ましたわ。", "ますわ。", "ませんわ。", "ですわ。", "ありませんわ。",
               "くださらないかしら。", "じゃありませんか。", "かしら？", "のですわ。",
               "んですのね？"});
}

TEST_F(SpeechStyles, SpeakerNumberIsRoundedAndCheckedAgainstTheTable) {
  game.personTableB(2) = 6;
  game.personTableB(3) = 5;
  game.gameVar(speakerVar) = 2.5f;  // ties go to the even speaker
  game.routines.run(game, speechStyleRoutine);
  EXPECT_EQ(game.replyText(9), sj("んですのね？"));

  game.gameVar(speakerVar) = 100;
  try {
    speechStyle(game);
    ADD_FAILURE() << "speaker 100 accepted";
  } catch (const host::RuntimeError& e) {
    EXPECT_EQ(e.number(), host::err::subscript);
  }
}

TEST_F(SpeechStyles, DurationKeepsWholeHoursAndTensOfMinutes) {
  EXPECT_EQ(duration(125), sj("２時間"));  // the five minutes left over are dropped
  EXPECT_EQ(duration(70), sj("１時間１０分"));
  EXPECT_EQ(duration(60), sj("１時間"));
  EXPECT_EQ(duration(119), sj("１時間５０分"));
  EXPECT_EQ(duration(1500), sj("２５時間"));
  EXPECT_EQ(duration(59), sj("５０分"));
  EXPECT_EQ(duration(15), sj("１０分"));
  EXPECT_EQ(duration(10), sj("１０分"));
  EXPECT_EQ(game.gameVar(durationMinutesVar), 10);  // the minutes themselves stay
}

TEST_F(SpeechStyles, ShortDurations) {
  EXPECT_EQ(duration(9), sj("５分から１０分"));
  EXPECT_EQ(duration(6), sj("５分から１０分"));
  EXPECT_EQ(duration(5.5f), sj("５分から１０分"));  // 5.5 \ 10 rounds to 6 \ 10 = 0

  // Five minutes or less: only the minutes are reset.
  game.replyText(1) = sj("前の文");
  EXPECT_EQ(duration(5), sj("前の文"));
  EXPECT_EQ(game.gameVar(durationMinutesVar), 0);
  game.gameVar(durationMinutesVar) = -40;
  durationText(game);
  EXPECT_EQ(game.gameVar(durationMinutesVar), 0);
  EXPECT_EQ(game.replyText(1), sj("前の文"));

  // A longer duration replaces what was there.
  EXPECT_EQ(duration(30), sj("３０分"));
}

TEST_F(SpeechStyles, SpeedNamesOfTheEightSteps) {
  const std::array<const char*, 8> names{"停止",       "微速前進",   "前進",       "巡航速度",
                                         "６４分の１", "３２分の１", "１６分の１", "８分の１"};
  for (int step = 1; step <= 8; ++step) {
    speedName(game, static_cast<Single>(step));
    EXPECT_EQ(game.replyText(3), sj(names[static_cast<std::size_t>(step - 1)])) << step;
  }
  for (Single other : {0.0f, 9.0f, 2.5f, -1.0f}) {
    game.replyText(3) = "kept";
    speedName(game, other);
    EXPECT_EQ(game.replyText(3), "kept") << other;
  }
}

TEST_F(SpeechStyles, NameListClosesAfterFifteenBytesAndGoesOnInTheSecond) {
  game.gameVar(listStateVar) = 0;
  appendName(game, sj("アイ"));
  EXPECT_EQ(game.gameVar(listStateVar), 1);
  appendName(game, sj("カズミ"));
  appendName(game, sj("ジョージ"));  // 12 bytes before: the list stays open
  EXPECT_EQ(game.replyText(0), sj("アイ、カズミ、ジョージ"));
  EXPECT_EQ(game.gameVar(listStateVar), 1);
  appendName(game, sj("マリア"));  // 22 bytes before: appended, then closed
  EXPECT_EQ(game.replyText(0), sj("アイ、カズミ、ジョージ、マリア"));
  EXPECT_EQ(game.gameVar(listStateVar), 2);
  appendName(game, sj("ケン"));
  appendName(game, sj("ロイ"));
  EXPECT_EQ(game.replyText(1), sj("ケン、ロイ"));
  EXPECT_EQ(game.replyText(0), sj("アイ、カズミ、ジョージ、マリア"));
  EXPECT_EQ(game.gameVar(listStateVar), 2);
}

TEST_F(SpeechStyles, NameListBoundariesAndStates) {
  game.replyText(0) = "123456789012345";  // exactly 15 bytes: still open afterwards
  game.gameVar(listStateVar) = 1.5f;
  appendName(game, "a");
  EXPECT_EQ(game.gameVar(listStateVar), 1);
  EXPECT_EQ(game.replyText(0), "123456789012345" + sj("、") + "a");

  game.replyText(0) = "1234567890123456";  // 16 bytes: closed afterwards
  game.gameVar(listStateVar) = 0;
  appendName(game, "b");
  EXPECT_EQ(game.gameVar(listStateVar), 2);

  // A second list that already holds text gets a separator; any state of 2 or more fills it.
  game.replyText(1) = "c";
  game.gameVar(listStateVar) = 7;
  appendName(game, "d");
  EXPECT_EQ(game.replyText(1), "c" + sj("、") + "d");
  EXPECT_EQ(game.gameVar(listStateVar), 7);

  // Appending a list's own text to itself.
  game.replyText(1) = "e";
  appendName(game, game.replyText(1));
  EXPECT_EQ(game.replyText(1), "e" + sj("、") + "e");
}

}  // namespace
}  // namespace zav3::scenario
