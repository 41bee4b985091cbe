// The main form's event procedures, the message click wait with its option menu, the message
// window clearing and the opening text procedures.
#include <gtest/gtest.h>

#include "host/error.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

constexpr host::GameColour upColour = 0x202020;
constexpr host::GameColour downColour = 0xE0E0E0;

class MainFormTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    // The option menu pictures: every button up on P6, down on P7; P8 starts as P6.
    surface(m().P6).fill(px(upColour));
    surface(m().P7).fill(px(downColour));
    surface(m().P8).fill(px(upColour));
  }
  // Colour of the middle of option button k on P8.
  std::uint32_t buttonLook(Integer k) {
    return surface(m().P8).at(m().menuButtonX(k) + m().menuButtonWidth(k) / 2,
                              m().menuButtonY(k) + m().menuButtonHeight(k) / 2);
  }
  bool picture1Enabled() { return host_->forms.isEnabled(m().PICTURE1) != 0; }
};

TEST_F(MainFormTest, OptionButtonHitTesting) {
  const Main& g = m();
  // Edges are inclusive: button 3 is x 20..72, y 110..134.
  EXPECT_EQ(shell::optionButtonAt(g, 20, 110), 3);
  EXPECT_EQ(shell::optionButtonAt(g, 72, 134), 3);
  EXPECT_EQ(shell::optionButtonAt(g, 19, 110), -1);
  EXPECT_EQ(shell::optionButtonAt(g, 73, 120), -1);  // the gap between off and on
  EXPECT_EQ(shell::optionButtonAt(g, 20, 135), -1);
  EXPECT_EQ(shell::optionButtonAt(g, 77, 110), 4);
  EXPECT_EQ(shell::optionButtonAt(g, 40, 0), 0);
  EXPECT_EQ(shell::optionButtonAt(g, 109, 15), 0);
  EXPECT_EQ(shell::optionButtonAt(g, 129, 262), 12);
  EXPECT_EQ(shell::optionButtonAt(g, 107, 296), 13);
  EXPECT_EQ(shell::optionButtonAt(g, 108, 296), -1);
  // Overlapping rectangles: the lower number wins.
  Main& w = m();
  w.menuButtonLeft(5) = w.menuButtonLeft(2);
  w.menuButtonRight(5) = w.menuButtonRight(2);
  w.menuButtonTop(5) = w.menuButtonTop(2);
  w.menuButtonBottom(5) = w.menuButtonBottom(2);
  EXPECT_EQ(shell::optionButtonAt(g, 60, 80), 2);
}

TEST_F(MainFormTest, TextDelayStaysWithinLimits) {
  Main& g = m();
  struct Case {
    Integer start;
    Integer button;
    Integer expected;
  } cases[] = {{900, 12, 900}, {5, 9, 0},   {0, 7, 0},      {899, 8, 900}, {850, 10, 860},
               {200, 11, 100}, {95, 11, 0}, {200, 12, 300}, {895, 10, 900}};
  for (const Case& c : cases) {
    g.textDelay = c.start;
    EXPECT_FALSE(shell::pressOptionButton(g, c.button));
    EXPECT_EQ(g.textDelay, c.expected) << c.start << " button " << c.button;
    // Non-toggle buttons come up again.
    EXPECT_EQ(buttonLook(c.button), px(upColour));
  }
}

TEST_F(MainFormTest, ToggleButtonsShowTheSetting) {
  Main& g = m();
  int starts = 0;
  int stops = 0;
  g.startMusic = [&](Main& x) {
    EXPECT_EQ(x.musicOption, 1);
    ++starts;
  };
  g.stopMusic = [&](Main&) { ++stops; };
  shell::pressOptionButton(g, 4);
  EXPECT_EQ(g.musicOption, 1);
  EXPECT_EQ(buttonLook(4), px(downColour));
  shell::pressOptionButton(g, 3);
  EXPECT_EQ(g.musicOption, 0);
  EXPECT_EQ(buttonLook(3), px(downColour));
  EXPECT_EQ(buttonLook(4), px(upColour));
  // Music on while on: drawn pressed again and started again; the off button is left alone.
  shell::pressOptionButton(g, 4);
  surface(g.P8).fill(px(upColour));
  shell::pressOptionButton(g, 4);
  EXPECT_EQ(buttonLook(4), px(downColour));
  EXPECT_EQ(buttonLook(3), px(upColour));
  EXPECT_EQ(starts, 3);
  EXPECT_EQ(stops, 1);

  shell::pressOptionButton(g, 6);
  EXPECT_EQ(g.typingSoundOption, 1);
  shell::pressOptionButton(g, 5);
  EXPECT_EQ(g.typingSoundOption, 0);
  EXPECT_EQ(buttonLook(5), px(downColour));
  EXPECT_EQ(buttonLook(6), px(upColour));

  EXPECT_TRUE(shell::pressOptionButton(g, 13));
  EXPECT_TRUE(shell::pressOptionButton(g, 1));  // no load part yet: nothing happens
  EXPECT_TRUE(shell::pressOptionButton(g, 2));
  EXPECT_FALSE(shell::pressOptionButton(g, 0));
}

TEST_F(MainFormTest, EventProceduresStoreInput) {
  Main& g = m();
  shell::PICTURE1_MOUSEDOWN(g, 2, 0, 12.5f, 30);
  EXPECT_EQ(g.inputCode, 2);
  EXPECT_EQ(g.mouseX, 12.5f);
  EXPECT_EQ(g.mouseY, 30);
  g.mouseWaiting = -1;
  shell::PICTURE1_MOUSEDOWN(g, 1, 0, 1, 2);
  EXPECT_EQ(g.mouseWaiting, 0);
  shell::PICTURE1_MOUSEUP(g, 0, 0, 5, 5);
  EXPECT_EQ(g.inputCode, 0);
  EXPECT_EQ(g.mouseX, 1) << "a release does not move the pointer";
  shell::PICTURE11_MOUSEDOWN(g, 1, 0, 40, 41);
  EXPECT_EQ(g.panelInput, 10);
  EXPECT_EQ(g.mouseY, 41);
  shell::BUTTON3_ON(g);
  EXPECT_EQ(g.inputCode, 13);

  // Through the host: a click on PICTURE1 and the strategy panel's controls.
  input({"click 100 120"});
  host_->events->waitForEvent();
  EXPECT_EQ(g.inputCode, 1);
  EXPECT_EQ(g.mouseX, 100);
  EXPECT_EQ(g.mouseY, 120);
  host_->events->waitForEvent();  // the release
  EXPECT_EQ(g.inputCode, 0);
  host_->forms.setVisible(g.FORM3, -1);
  struct Panel {
    const char* line;
    Integer code;
  } panel[] = {{"button BUTTON7", 6},        {"button BUTTON9", 8},    {"button BUTTON15", 18},
               {"scroll VSCROLL3 10100", 3}, {"scroll HSCROLL1 5", 5}, {"scroll VSCROLL4 1", 4}};
  for (const Panel& p : panel) {
    g.panelInput = 0;
    input({p.line});
    host_->events->waitForEvent();
    EXPECT_EQ(g.panelInput, p.code) << p.line;
  }
}

TEST_F(MainFormTest, ClickOutsideTheMenuButtonContinues) {
  Main& g = m();
  input({"click 100 100"});
  shell::messageClickWait(g);
  EXPECT_EQ(g.inputCode, 1);
  EXPECT_FALSE(picture1Enabled());
  EXPECT_EQ(g.autoAdvance, 0);
  // A right press switches automatic advance on only after a finished play.
  input({"rclick 100 100"});
  shell::messageClickWait(g);
  EXPECT_EQ(g.autoAdvance, 0);
  g.gameVar(131) = 1;
  input({"rclick 100 100"});
  shell::messageClickWait(g);
  EXPECT_EQ(g.autoAdvance, 1);
}

TEST_F(MainFormTest, AutomaticAdvanceReturnsAfterAnyEvent) {
  Main& g = m();
  g.autoAdvance = 1;
  host_->forms.timerEnable(g.TIMER1, -1);
  int ticks = 0;
  g.musicLoopCheck = [&](Main&) { ++ticks; };
  input({"wait 1000"});
  shell::messageClickWait(g);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(g.autoAdvance, 1);
  host_->forms.timerEnable(g.TIMER1, 0);
  // A press ends automatic advance, and that press continues the game.
  input({"click 100 100"});
  shell::messageClickWait(g);
  EXPECT_EQ(g.autoAdvance, 0);
  EXPECT_EQ(display().pending(), 1u) << "only the release is left";
}

TEST_F(MainFormTest, SkipModeWaitsForOneEvent) {
  Main& g = m();
  g.gameVar(132) = 60;
  host_->forms.timerEnable(g.TIMER1, -1);
  input({"wait 1000"});
  shell::messageClickWait(g);
  EXPECT_FALSE(picture1Enabled());
  host_->forms.timerEnable(g.TIMER1, 0);
  // The held click flag: a left press clears it and then the usual click is awaited.
  g.gameVar(132) = 0;
  g.gameFlag(1357) = 1;
  input({"click 10 10", "click 20 20"});
  shell::messageClickWait(g);
  EXPECT_EQ(g.gameFlag(1357), 0);
  EXPECT_EQ(g.mouseX, 20);
  EXPECT_EQ(display().pending(), 1u);
}

TEST_F(MainFormTest, OptionMenuChangesSettingsUntilClosed) {
  Main& g = m();
  g.textDelay = 200;
  // The menu button of the message frame spans x 597..625, y 304..432.
  input({"click 597 304",    // opens the menu
         "click 520 265",    // + 100
         "click 465 235",    // - 10
         "click 443 15",     // nothing there
         "click 480 300",    // close
         "click 626 304"});  // just outside: the game goes on
  shell::messageClickWait(g);
  EXPECT_EQ(g.textDelay, 290);
  EXPECT_EQ(display().pending(), 1u);
  EXPECT_EQ(host_->forms.isVisible(g.P8), 0);
  EXPECT_FALSE(picture1Enabled());
}

TEST_F(MainFormTest, OptionMenuLoadAndSave) {
  Main& g = m();
  int saves = 0;
  g.saveMenu = [&](Main&) { ++saves; };
  g.loadMenu = [&](Main& x) { x.resumePending = true; };
  // Saving closes the menu and waits for the next click.
  input({"click 625 432", "click 470 85", "click 50 50"});
  shell::messageClickWait(g);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(g.mouseX, 50);
  // Loading returns at once so the interpreter runs the loaded record.
  input({"click 610 400", "click 470 45", "click 50 50"});
  shell::messageClickWait(g);
  EXPECT_TRUE(g.resumePending);
  EXPECT_EQ(display().pending(), 2u) << "the last click is still queued";
  EXPECT_FALSE(picture1Enabled());
}

TEST_F(MainFormTest, ClearingTheMessageWindowRepaintsFromTheFrames) {
  Main& g = m();
  constexpr host::GameColour frame = 0x123456;
  constexpr host::GameColour face = 0x654321;
  constexpr host::GameColour text = 0xFFFFFF;
  surface(g.P5).fill(px(frame));
  surface(g.P4).fill(px(face));
  host::Surface& screen = surface(g.PICTURE1);
  screen.fill(px(text));
  hooks_.clearTextArea(g);
  EXPECT_EQ(screen.at(176, 311), px(frame));
  EXPECT_EQ(screen.at(579, 434), px(frame));
  EXPECT_EQ(screen.at(175, 311), px(text));
  EXPECT_EQ(screen.at(580, 434), px(text));
  EXPECT_EQ(screen.at(176, 435), px(text));
  EXPECT_EQ(screen.at(18, 303), px(text)) << "the face is kept";
  hooks_.clearWindowAndFace(g);
  EXPECT_EQ(screen.at(18, 303), px(face));
  EXPECT_EQ(screen.at(137, 442), px(face));
  EXPECT_EQ(screen.at(17, 303), px(text));
  EXPECT_EQ(screen.at(138, 442), px(text));
  EXPECT_EQ(screen.at(137, 443), px(text));
}

TEST_F(MainFormTest, OpeningTextIsCentredAndTyped) {
  Main& g = m();
  Single x = 0;
  shell::OPEN_MES_X(x, host::sj("ＡＢＣＤＥ"));
  EXPECT_EQ(x, 280);
  shell::OPEN_MES_X(x, host::sj("ＡＢＣ"));
  EXPECT_EQ(x, 296);
  Single y = 100;
  const std::int64_t before = now();
  shell::OPEN_MES1(g, y, host::sj("ＡＢＣ"), 2);
  EXPECT_EQ(y, 120);
  EXPECT_EQ(now() - before, 3 * 2 * 20);
  // Something was drawn within the line, nothing beyond it.
  const host::Surface& screen = surface(g.PICTURE1);
  bool drawn = false;
  bool beyond = false;
  for (int py = 100; py < 116; ++py) {
    for (int px2 = 296; px2 < 344; ++px2) drawn = drawn || screen.at(px2, py) != screen.at(0, 0);
    for (int px2 = 344; px2 < 400; ++px2) beyond = beyond || screen.at(px2, py) != screen.at(0, 0);
  }
  EXPECT_TRUE(drawn);
  EXPECT_FALSE(beyond);

  // Counted loops run once before their bound is tested: a delay of 0 still waits 20 ms a
  // character, and an empty line still waits once for its delay.
  Single x0 = 0;
  const std::int64_t start = now();
  shell::OPEN_MES_SUB(g, x0, y, host::sj("ＡＢ"), 0);
  EXPECT_EQ(now() - start, 2 * 20);
  shell::OPEN_MES_SUB(g, x0, y, "", 3);
  EXPECT_EQ(now() - start, 2 * 20 + 3 * 20);
  shell::OPEN_MES_SUB(g, x0, y, "", 0);
  EXPECT_EQ(now() - start, 2 * 20 + 3 * 20 + 20);
  EXPECT_EQ(y, 180);
}

}  // namespace
}  // namespace zav3::testing
