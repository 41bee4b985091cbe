// Scripted input of headless runs: delivery at the game's waits, panel actions, virtual waits,
// snapshots and the end of the input.
#include "host/headless/headless_display.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/host.hpp"
#include "host/png.hpp"

namespace zav3::host {
namespace {

class HeadlessDisplayTest : public ::testing::Test {
 protected:
  HeadlessDisplayTest() : host_(makeHeadlessHost()) {
    host_->trace.setKeep(true);
    auto& ev = *host_->events;
    for (const char* name : {"PICTURE1_MOUSEDOWN", "PICTURE1_MOUSEUP"}) {
      ev.setMouseProcedure(name, [this, name](Integer b, Integer, Single x, Single y) {
        log_.push_back(std::string(name) + " " + std::to_string(b) + " " +
                       std::to_string(static_cast<int>(x)) + "," +
                       std::to_string(static_cast<int>(y)));
      });
    }
    for (const char* name :
         {"BUTTON8_ON", "VSCROLL4_CHANGE", "COMBO2_CHANGE", "TIMER1_TIMER", "MAINFORM_END"}) {
      ev.setProcedure(name, [this, name] {
        log_.push_back(std::string(name) + " @" + std::to_string(host_->clock->nowMs()));
      });
    }
  }
  HeadlessDisplay& display() { return static_cast<HeadlessDisplay&>(*host_->display); }
  Handle panelControl(const char* name) {
    return host_->forms.find(host_->forms.panelForm(), name);
  }
  // Waits until the run ends; returns the number of waits that returned.
  int waitToTheEnd() {
    int n = 0;
    try {
      for (;;) {
        host_->events->waitForEvent();
        ++n;
      }
    } catch (const ProgramEnd& end) {
      EXPECT_EQ(end.exitCode, 0);
    }
    return n;
  }

  std::unique_ptr<Host> host_;
  std::vector<std::string> log_;
};

TEST_F(HeadlessDisplayTest, ReadsInputLines) {
  HeadlessDisplay& d = display();
  EXPECT_TRUE(d.queue("click", "10 20"));
  EXPECT_TRUE(d.queue("rclick", "10 20"));
  EXPECT_TRUE(d.queue("press", "1 2 right"));
  EXPECT_TRUE(d.queue("release", "1 2"));
  EXPECT_TRUE(d.queue("move", "3 4"));
  EXPECT_TRUE(d.queue("button", "BUTTON8"));
  EXPECT_TRUE(d.queue("scroll", "VSCROLL3 500"));
  EXPECT_TRUE(d.queue("select", "combo1 2"));
  EXPECT_TRUE(d.queue("type", "EDIT1 北 12"));
  EXPECT_TRUE(d.queue("close", ""));
  EXPECT_TRUE(d.queue("snapshot", "a.png FORM3"));
  EXPECT_TRUE(d.queue("wait", "300"));
  EXPECT_EQ(d.pending(), 14u) << "a click is a press and a release";

  EXPECT_FALSE(d.queue("jump", "1"));
  EXPECT_FALSE(d.queue("click", "10"));
  EXPECT_FALSE(d.queue("click", "10 x"));
  EXPECT_FALSE(d.queue("press", "1 2 middle"));
  EXPECT_FALSE(d.queue("button", "VSCROLL1")) << "not a button";
  EXPECT_FALSE(d.queue("button", "PICTURE1"));
  EXPECT_FALSE(d.queue("scroll", "VSCROLL1"));
  EXPECT_FALSE(d.queue("wait", "-5"));
  EXPECT_FALSE(d.queue("snapshot", "a.png FORM9"));
  EXPECT_EQ(d.pending(), 14u);
}

TEST_F(HeadlessDisplayTest, EachInputArrivesAtAWaitAndTheEndRunsMainformEnd) {
  HeadlessDisplay& d = display();
  d.queue("click", "100 200");
  d.queue("rclick", "5 6");
  EXPECT_EQ(host_->events->eventPending(), 0) << "inputs wait for the game to wait";
  EXPECT_EQ(waitToTheEnd(), 4);
  EXPECT_EQ(log_, (std::vector<std::string>{
                      "PICTURE1_MOUSEDOWN 1 100,200", "PICTURE1_MOUSEUP 0 100,200",
                      "PICTURE1_MOUSEDOWN 2 5,6", "PICTURE1_MOUSEUP 0 5,6", "MAINFORM_END @0"}));
  ASSERT_FALSE(host_->trace.lines().empty());
  EXPECT_EQ(host_->trace.lines().back(), "input exhausted");
}

TEST_F(HeadlessDisplayTest, InputThatReachesNothingIsPassedOver) {
  host_->forms.setEnabled(host_->forms.find(host_->forms.mainForm(), "PICTURE1"), 0);
  display().queue("click", "1 1");
  display().queue("button", "BUTTON8");  // FORM3 is hidden
  EXPECT_EQ(waitToTheEnd(), 0);
  EXPECT_EQ(log_, std::vector<std::string>{"MAINFORM_END @0"});
}

TEST_F(HeadlessDisplayTest, PanelActionsAndVirtualWaits) {
  Forms& forms = host_->forms;
  forms.loadForm("FORM3", -1);
  forms.listAdd(panelControl("COMBO2"), sj("レーザー砲"));
  forms.listAdd(panelControl("COMBO2"), sj("プラズマ砲"));
  forms.timerEnable(forms.find(forms.mainForm(), "TIMER1"), -1);
  HeadlessDisplay& d = display();
  d.queue("button", "BUTTON8");
  d.queue("wait", "500");
  d.queue("scroll", "VSCROLL4 5");
  d.queue("select", "COMBO2 1");
  d.queue("type", "EDIT48 ＡＢ");
  d.queue("close", "");
  waitToTheEnd();
  EXPECT_EQ(log_, (std::vector<std::string>{"BUTTON8_ON @0", "TIMER1_TIMER @200",
                                            "TIMER1_TIMER @400", "VSCROLL4_CHANGE @500",
                                            "COMBO2_CHANGE @500", "MAINFORM_END @500"}));
  EXPECT_EQ(forms.scrollValue(panelControl("VSCROLL4")), 5);
  EXPECT_EQ(forms.listIndex(panelControl("COMBO2")), 1);
  EXPECT_EQ(forms.text(panelControl("EDIT48")), sj("ＡＢ"));
  for (const auto& line : host_->trace.lines()) EXPECT_NE(line, "input exhausted");
}

TEST_F(HeadlessDisplayTest, SnapshotIsTakenAtTheNextWait) {
  const auto dir = std::filesystem::temp_directory_path() / "zav3_headless_display_test";
  std::filesystem::create_directories(dir);
  const auto main = (dir / "main.png").string();
  const auto panel = (dir / "panel.png").string();
  Forms& forms = host_->forms;
  Surface& screen = forms.surface(forms.find(forms.mainForm(), "PICTURE1"));
  screen.fill(0xFF102030u);
  display().queue("snapshot", main);
  display().queue("snapshot", panel + " FORM3");
  display().queue("click", "1 1");
  screen.fill(0xFF405060u);  // drawn before the game waits: in the picture
  host_->events->waitForEvent();
  auto shot = readPng(main);
  ASSERT_TRUE(shot.has_value());
  EXPECT_EQ(shot->width(), 640);
  EXPECT_EQ(shot->height(), 480);
  EXPECT_EQ(shot->at(10, 10) & 0xFFFFFFu, 0x405060u);
  EXPECT_EQ(shot->at(10, 470) & 0xFFFFFFu, 0u) << "below PICTURE1: the form";
  auto shot3 = readPng(panel);
  ASSERT_TRUE(shot3.has_value());
  EXPECT_EQ(shot3->width(), forms.control(forms.panelForm()).clientWidth);
  std::filesystem::remove_all(dir);
}

TEST_F(HeadlessDisplayTest, PixelChecksSeeTheScreenAtTheNextWait) {
  HeadlessDisplay& d = display();
  EXPECT_FALSE(d.queue("check-pixel", "1 1 12345")) << "six hex digits";
  EXPECT_FALSE(d.queue("check-pixel", "1 1 12345G"));
  EXPECT_FALSE(d.queue("check-pixel", "1 1"));
  EXPECT_FALSE(d.queue("check-pixel", "1 1 102030 FORM9"));
  EXPECT_EQ(d.pixelChecks(), 0);

  Forms& forms = host_->forms;
  Surface& screen = forms.surface(forms.find(forms.mainForm(), "PICTURE1"));
  screen.fill(0xFF102030u);
  ASSERT_TRUE(d.queue("check-pixel", "10 10 405060"));
  ASSERT_TRUE(d.queue("check-pixel", "10 10 102030"));
  ASSERT_TRUE(d.queue("check-pixel", "700 10 000000")) << "off the form: fails when checked";
  ASSERT_TRUE(d.queue("click", "1 1"));
  ASSERT_TRUE(d.queue("check-pixel", "10 10 405060"));
  ASSERT_TRUE(d.queue("click", "1 1"));
  ASSERT_TRUE(d.queue("check-pixel", "10 10 405060"));
  ASSERT_TRUE(d.queue("click", "1 1"));
  screen.fill(0xFF405060u);
  host_->events->waitForEvent();  // the first three checks, then the press
  host_->events->waitForEvent();  // the release
  host_->events->waitForEvent();  // the fourth check, then the next press
  auto failures = d.pixelFailures();
  ASSERT_EQ(failures.size(), 3u) << "two checks at the first wait and the unreached last one";
  EXPECT_EQ(failures[0], "check-pixel 10 10 102030: the pixel is 405060");
  EXPECT_EQ(failures[1], "check-pixel 700 10 000000: the pixel is off the form");
  EXPECT_EQ(failures[2], "check-pixel 10 10 405060: not reached before the end");
  EXPECT_EQ(d.pixelChecks(), 5);
}

}  // namespace
}  // namespace zav3::host
