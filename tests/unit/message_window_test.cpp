// The message window: line counting and scrolling, inserted line breaks, faces, typing blips,
// pacing, @T, skip log and resuming an interrupted run.
#include "scenario/message_window.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "host/drawing.hpp"
#include "scenario/interpreter.hpp"
#include "support/message_fixture.hpp"

namespace zav3::testing {
namespace {

using host::sj;

class MessageWindowTest : public MessageFixture {};

const char* const chained = " 2";

TEST_F(MessageWindowTest, FiveLinesFillTheWindowAndASixthChainedLineScrollsOnce) {
  std::vector<std::string> records;
  for (int i = 0; i < 5; ++i)
    records.push_back(message(sj("あいう"), "000000", i < 4 ? chained : "  "));
  for (int i = 0; i < 6; ++i)
    records.push_back(message(sj("かきく"), "000000", i < 5 ? chained : "  "));
  open(records);
  input({"click 100 100", "click 100 100"});

  show(1, 5);
  EXPECT_EQ(m().linesShown, 5);
  EXPECT_EQ(m().lineY, 100) << "five lines, no scroll";
  EXPECT_EQ(m().textFrom, 6);

  // A marker right of the text in the second line (put into the frame picture, from which the
  // text area is cleared) moves up one line with the scroll.
  host::Surface& screen = surface(m().PICTURE1);
  const std::uint32_t marker = px(host::rgb(255, 0, 0));
  surface(m().P5).row(311 + 25 - 295)[500 - 160] = marker;
  show(6, 11);
  EXPECT_EQ(m().linesShown, 5);
  EXPECT_EQ(m().lineY, 80) << "the sixth line is typed on the last row";
  EXPECT_EQ(screen.at(500, 311 + 5), marker);
  EXPECT_NE(screen.at(500, 311 + 25), marker);
}

TEST_F(MessageWindowTest, InsertedLineBreaksDoNotCountTowardsTheWindow) {
  open({message(sj("＠") + "@1")});  // "＠" typed, then the insert
  m().replyText(1) = sj("あ") + "@*" + sj("い") + "@*" + sj("う") + "@*" + sj("え") + "@*" +
                     sj("お") + "@*" + sj("か");
  input({"click 100 100"});
  show(1, 1);
  EXPECT_EQ(m().linesShown, 1);
  EXPECT_EQ(m().lineY, 5 * 20 + 20) << "past the five rows of the window";
  EXPECT_EQ(m().column, 1);
  EXPECT_TRUE(traced("  1 [000000] ＠あ@*い"));
}

TEST_F(MessageWindowTest, SizeCodesChangeTheLineHeight) {
  open({message(sj("あ"), "000000", chained, ' ', '<'),
        message(sj("い"), "000000", "  ", ' ', '>')});
  input({"click 100 100"});
  show(1, 2);
  EXPECT_EQ(m().lineY, 36 + 16);
  EXPECT_EQ(m().linesPerWindow, 6);
  EXPECT_EQ(m().lastSizeCode, ">");
}

TEST_F(MessageWindowTest, FaceDrawnOnlyWhenTheCodeChanges) {
  writePicture(dir_ / "KAOCG" / "010100.BMP", 136, 156, host::rgb(0, 0, 255));
  open({message(sj("あ"), "010100"), message(sj("い"), "010100"), message(sj("う"), "020300")});
  host::Surface& screen = surface(m().PICTURE1);
  input({"click 100 100", "click 100 100", "click 100 100"});
  show(1, 1);
  EXPECT_EQ(screen.at(20, 300), px(host::rgb(0, 0, 255)));
  screen.row(300)[20] = px(host::rgb(0, 255, 0));
  show(2, 2);
  EXPECT_EQ(screen.at(20, 300), px(host::rgb(0, 255, 0))) << "same code: not redrawn";
  show(3, 3);
  EXPECT_NE(screen.at(20, 300), px(host::rgb(0, 255, 0))) << "missing face: the empty frame";
  EXPECT_EQ(m().lastFaceCode, "020300");
  EXPECT_EQ(m().personTableA(2), 0);
  EXPECT_EQ(m().personTableA(1), 0) << "costume 00 remembered for speaker 1";
}

TEST_F(MessageWindowTest, FaceCodesResolveDefaultsSourcesAndCostumeFlags) {
  open({});
  Integer s = 0;
  m().faceSpeaker = "03";
  m().faceExpression = "02";
  m().faceCostume = "07";
  EXPECT_EQ(scenario::resolveFaceCode(m(), "000000", s), "030207");
  EXPECT_EQ(s, 3);
  EXPECT_EQ(m().personTableA(3), 7);
  // FF: the speaker's face source and its remembered costume.
  m().personTableB(4) = 3;
  EXPECT_EQ(scenario::resolveFaceCode(m(), "0401FF", s), "030107");
  EXPECT_EQ(s, 3);
  // A costume flag overrides the costume digits.
  m().personTableC(5) = 20;
  m().gameVar(20) = 9;
  EXPECT_EQ(scenario::resolveFaceCode(m(), "050102", s), "050109");
  EXPECT_EQ(m().personTableA(5), 2);
}

TEST_F(MessageWindowTest, BlipsAlternateSlotsAndSkipPunctuationAndSilentLines) {
  open({message(sj("あ、い。う　『！？』・") + "@T", "010100"),
        message(sj("あい") + "@T", "010500")});
  m().typingSoundOption = 1;
  m().personVoice(1) = 3;
  show(1, 1);
  ASSERT_EQ(count("PLAY"), 3);
  EXPECT_EQ(sounds[0], "PLAY WAV1 FROM 3001 TO 3850");
  EXPECT_EQ(sounds[1], "PLAY WAV1 FROM 4001 TO 4850");
  EXPECT_EQ(sounds[2], "PLAY WAV1 FROM 3001 TO 3850");
  EXPECT_EQ(sounds.back(), "STOP WAV1");
  EXPECT_FALSE(m().lastLineSilent);
  sounds.clear();
  show(2, 2);  // digit 4 of the face code is 5: silent
  EXPECT_EQ(count("PLAY"), 0);
  EXPECT_EQ(count("STOP WAV1"), 1);
  EXPECT_TRUE(m().lastLineSilent);
  // No device: nothing at all.
  sounds.clear();
  m().soundDeviceUsable = false;
  show(1, 1);
  EXPECT_TRUE(sounds.empty());
}

TEST_F(MessageWindowTest, TextDelayPacesEachCharacter) {
  open({message(sj("あいう") + "@T")});
  m().textDelay = 0;
  std::int64_t t = now();
  show(1, 1);
  EXPECT_EQ(now() - t, 0);
  m().textDelay = 900;
  t = now();
  show(1, 1);
  EXPECT_EQ(now() - t, 3 * 90);
  m().textDelay = 250;  // 20 ms and 50 x 40 steps of 1 µs, 2 ms
  t = now();
  show(1, 1);
  EXPECT_EQ(now() - t, 3 * 22);
  m().linePauseOption = 1;
  m().textDelay = 0;
  t = now();
  show(1, 1);
  EXPECT_EQ(now() - t, 1000);
}

TEST_F(MessageWindowTest, AtTEndsTheMessageWithoutAClick) {
  open({message(sj("あ") + "@T" + sj("い"))});
  // No input is queued: a wait would end the program.
  EXPECT_NO_THROW(show(1, 1));
  EXPECT_TRUE(m().noWaitAtEnd);
  EXPECT_EQ(m().column, 2) << "the code itself is not drawn";
}

TEST_F(MessageWindowTest, SkipModeLogsTextAndTheSpeakerOnce) {
  open({message(sj("あい"), "010100", chained), message(sj("う"), "010100")});
  m().personName(1) = sj("ミナ");
  m().gameVar(132) = 5;
  m().textDelay = 900;
  input({"rclick 100 100"});  // skip mode waits for one event only
  const std::int64_t t = now();
  show(1, 2);
  EXPECT_EQ(now() - t, 0) << "no pacing in skip mode";
  scenario::closeSkipLog(m());
  std::ifstream log(dir_ / "SKIPメッセージ.TXT", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(log)), {});
  EXPECT_EQ(text, "\r\n" + sj("【ミナ】") + "\r\n" + sj("あい") + "\r\n" + sj("う") + "\r\n");
}

TEST_F(MessageWindowTest, AnInterruptedRunResumesAtTextFrom) {
  open({message(sj("あ"), "000000", chained, 'S'), message(sj("い"))}, {rec("P", "1", "2")});
  m().loadMenu = [](Main& x) { x.resumePending = true; };
  // The pause after line 1 opens the option menu and loads a game.
  input({"click 610 400", "click 470 45"});
  m().programCounter = 1;
  scenario::readScriptRecord(m(), 1);
  EXPECT_TRUE(scenario::executeRecord(m())) << "the record runs again";
  EXPECT_EQ(m().textFrom, 2);
  input({"click 100 100"});
  EXPECT_FALSE(scenario::executeRecord(m()));
  EXPECT_EQ(traced("  1 ["), 1);
  EXPECT_EQ(traced("  2 ["), 1);
  EXPECT_EQ(m().textFrom, 3);
}

TEST_F(MessageWindowTest, SpaceAndTheWheelClickOnlyInTheMessageWait) {
  open({message(sj("あ"))});
  host::Events& events = *host_->events;
  const host::Handle form = host_->forms.control(m().PICTURE1).form;
  events.key(form, host::Key::space);
  events.doEvents();
  EXPECT_EQ(m().inputCode, 0) << "outside a message wait keys do nothing";
  m().inMessageWait = true;
  events.wheel(form, 100, 100, -1);
  events.doEvents();
  EXPECT_EQ(m().inputCode, 1);
}

}  // namespace
}  // namespace zav3::testing
