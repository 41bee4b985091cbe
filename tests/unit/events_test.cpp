// Event routing, the dispatch points, timers, the periodic event and the end of the program.
#include "host/events.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/error.hpp"

namespace zav3::host {
namespace {

// A display whose input the test hands over at the game's next wait.
class StepDisplay final : public Display {
 public:
  std::vector<std::function<void(Events&)>> inputs;
  int waits = 0;
  void poll(Events&) override {}
  void wait(Events& events, std::int64_t timeoutMs) override {
    ++waits;
    if (!inputs.empty()) {
      auto next = inputs.front();
      inputs.erase(inputs.begin());
      next(events);
      return;
    }
    if (timeoutMs < 0) throw std::runtime_error("waiting forever");
    clock->sleepMs(timeoutMs);
  }
  void idle(Events&, std::int64_t ms) override { clock->sleepMs(ms); }
  Clock* clock = nullptr;
};

class EventsTest : public ::testing::Test {
 protected:
  EventsTest() : events_(forms_, clock_) {
    display_.clock = &clock_;
    events_.setDisplay(&display_);
    for (const char* name :
         {"PICTURE1_MOUSEDOWN", "PICTURE1_MOUSEUP", "PICTURE1_MOUSEMOVE", "PICTURE10_MOUSEDOWN"}) {
      events_.setMouseProcedure(name, [this, name](Integer b, Integer s, Single x, Single y) {
        log_.push_back(std::string(name) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                       std::to_string(static_cast<int>(x)) + "," +
                       std::to_string(static_cast<int>(y)));
      });
    }
    for (const char* name : {"TIMER1_TIMER", "BUTTON8_ON", "MAINFORM_END"}) {
      events_.setProcedure(name, [this, name] {
        log_.push_back(std::string(name) + " @" + std::to_string(clock_.nowMs()));
      });
    }
  }

  Handle main() const { return forms_.mainForm(); }
  Handle control(const char* name) { return forms_.find(main(), name); }
  void press(double x, double y, int button = 1) {
    events_.pointer(main(), PointerAction::down, button, button, 0, x, y);
  }
  void release(double x, double y, int button = 1) {
    events_.pointer(main(), PointerAction::up, button, 0, 0, x, y);
  }
  void move(double x, double y) { events_.pointer(main(), PointerAction::move, 0, 0, 0, x, y); }

  Forms forms_;
  VirtualClock clock_;
  StepDisplay display_;
  Events events_;
  std::vector<std::string> log_;
};

TEST_F(EventsTest, MouseRoutingFollowsTheLayout) {
  // PICTURE1 covers the screen: its own move calls nothing, presses and releases go to it.
  move(100, 50);
  EXPECT_EQ(events_.queued(), 0u);
  press(100, 50, 2);
  release(101, 51, 2);
  events_.doEvents();
  EXPECT_EQ(log_, (std::vector<std::string>{"PICTURE1_MOUSEDOWN 2 0 100,50",
                                            "PICTURE1_MOUSEUP 0 0 101,51"}));
  log_.clear();

  // P1 shown where PICTURE1 is not: its moves, presses and releases reach PICTURE1_*.
  forms_.setVisible(control("P1"), -1);
  forms_.setPosition(control("PICTURE1"), 0, 300);
  forms_.setPosition(control("P1"), 20, 10);
  move(30, 15);
  press(30, 15);
  release(30, 15);
  events_.doEvents();
  EXPECT_EQ(log_,
            (std::vector<std::string>{"PICTURE1_MOUSEMOVE 0 0 10,5", "PICTURE1_MOUSEDOWN 1 0 10,5",
                                      "PICTURE1_MOUSEUP 0 0 10,5"}));
}

TEST_F(EventsTest, DisabledAndHiddenControlsDeliverNothing) {
  forms_.setEnabled(control("PICTURE1"), 0);
  press(10, 10);
  release(10, 10);
  EXPECT_EQ(events_.eventPending(), 0);
  forms_.setEnabled(control("PICTURE1"), -1);
  forms_.setVisible(control("PICTURE1"), 0);
  press(10, 10);
  EXPECT_EQ(events_.eventPending(), 0);
  release(10, 10);

  // A shown picture box without mouse procedures lets presses through to what lies below.
  forms_.setVisible(control("PICTURE1"), -1);
  forms_.setVisible(control("P8"), -1);
  press(440, 20);
  events_.doEvents();
  ASSERT_EQ(log_.size(), 1u);
  EXPECT_EQ(log_[0], "PICTURE1_MOUSEDOWN 1 0 440,20");
}

TEST_F(EventsTest, ThePressedPictureKeepsThePointer) {
  press(600, 400);
  move(700, 500);  // outside the window: still PICTURE1's, which has no move procedure
  release(700, 470);
  events_.doEvents();
  EXPECT_EQ(log_, (std::vector<std::string>{"PICTURE1_MOUSEDOWN 1 0 600,400",
                                            "PICTURE1_MOUSEUP 0 0 700,470"}));
}

TEST_F(EventsTest, APressOnTheOtherFormEndsTheHold) {
  forms_.loadForm("FORM3", -1);
  press(10, 10);  // PICTURE1 holds the pointer; its release never comes
  events_.pointer(forms_.panelForm(), PointerAction::down, 1, 1, 0, 20, 30);  // PICTURE10
  events_.pointer(main(), PointerAction::up, 1, 0, 0, 5, 5);  // not pressed here any more
  events_.doEvents();
  EXPECT_EQ(log_, (std::vector<std::string>{"PICTURE1_MOUSEDOWN 1 0 10,10",
                                            "PICTURE10_MOUSEDOWN 1 0 12,22"}));
}

TEST_F(EventsTest, WaitRunsOneCallAndOnlyAfterAProcedureRan) {
  press(1, 2);
  release(3, 4);
  EXPECT_EQ(events_.eventPending(), -1);
  EXPECT_TRUE(log_.empty()) << "event pending runs nothing";
  events_.waitForEvent();
  EXPECT_EQ(log_, (std::vector<std::string>{"PICTURE1_MOUSEDOWN 1 0 1,2"}));
  events_.waitForEvent();
  EXPECT_EQ(log_.back(), "PICTURE1_MOUSEUP 0 0 3,4");
  EXPECT_EQ(display_.waits, 0);

  // Input that reaches no procedure (a disabled picture, a button without a procedure) does not
  // end the wait; the timer tick does.
  log_.clear();
  forms_.setEnabled(control("PICTURE1"), 0);
  forms_.loadForm("FORM3", -1);
  const Handle button9 = forms_.find(forms_.panelForm(), "BUTTON9");
  display_.inputs = {[&](Events& e) { e.pointer(main(), PointerAction::down, 1, 1, 0, 5, 5); },
                     [&](Events& e) { e.widgets().click(button9); }};
  forms_.timerEnable(control("TIMER1"), -1);
  events_.waitForEvent();
  EXPECT_EQ(log_, (std::vector<std::string>{"TIMER1_TIMER @200"}));
  EXPECT_EQ(display_.waits, 3);
}

TEST_F(EventsTest, TimerTicksInVirtualTime) {
  const Handle timer = control("TIMER1");
  events_.doEvents();
  clock_.sleepMs(1000);
  events_.doEvents();
  EXPECT_TRUE(log_.empty()) << "disabled at first";

  forms_.timerEnable(timer, -1);
  events_.doEvents();  // the count starts when the timer is seen enabled
  clock_.sleepMs(199);
  events_.doEvents();
  EXPECT_TRUE(log_.empty());
  clock_.sleepMs(1);
  events_.doEvents();
  EXPECT_EQ(log_, (std::vector<std::string>{"TIMER1_TIMER @1200"}));
  clock_.sleepMs(1000);  // missed ticks do not pile up
  events_.doEvents();
  events_.doEvents();
  EXPECT_EQ(log_.size(), 2u);
  clock_.sleepMs(199);  // and the count keeps its phase: the next is due at 2400
  events_.doEvents();
  EXPECT_EQ(log_.size(), 2u);
  clock_.sleepMs(1);
  events_.doEvents();
  EXPECT_EQ(log_.size(), 3u);

  forms_.timerEnable(timer, 0);
  clock_.sleepMs(1000);
  events_.doEvents();
  EXPECT_EQ(log_.size(), 3u);
  forms_.setTimerInterval(timer, 50);
  forms_.timerEnable(timer, -1);
  log_.clear();
  for (int i = 0; i < 4; ++i) events_.waitForEvent();
  EXPECT_EQ(log_, (std::vector<std::string>{"TIMER1_TIMER @3450", "TIMER1_TIMER @3500",
                                            "TIMER1_TIMER @3550", "TIMER1_TIMER @3600"}));
}

TEST_F(EventsTest, SleepingThroughTheGameClockIsADispatchPoint) {
  EventClock clock(std::make_unique<VirtualClock>());
  Events events(forms_, clock.inner());
  clock.attach(&events);
  int ticks = 0;
  events.setProcedure("TIMER1_TIMER", [&] { ++ticks; });
  forms_.timerEnable(control("TIMER1"), -1);
  events.poll();
  for (int i = 0; i < 10; ++i) clock.sleepMs(100);
  EXPECT_EQ(clock.nowMs(), 1000);
  EXPECT_EQ(ticks, 5);
}

TEST_F(EventsTest, PeriodicEventOnOffAndStop) {
  int runs = 0;
  EXPECT_THROW(events_.setPeriodic(0, [] {}), RuntimeError);
  EXPECT_THROW(events_.setPeriodic(65536, [] {}), RuntimeError);
  events_.setPeriodic(2, [&] { ++runs; });
  clock_.sleepMs(5000);
  events_.poll();
  EXPECT_EQ(runs, 0) << "off until switched on";

  events_.periodicOn();  // due at 7000
  clock_.sleepMs(1999);
  events_.poll();
  EXPECT_EQ(runs, 0);
  clock_.sleepMs(1);
  events_.poll();
  EXPECT_EQ(runs, 1);

  // Stopped: ticks that fall due are held; only one runs when switched on again.
  events_.periodicStop();
  clock_.sleepMs(10000);
  events_.poll();
  EXPECT_EQ(runs, 1);
  events_.periodicOn();
  events_.poll();
  EXPECT_EQ(runs, 2);
  events_.poll();
  EXPECT_EQ(runs, 2);

  // Off: nothing is remembered.
  events_.periodicOff();
  clock_.sleepMs(10000);
  events_.poll();
  events_.periodicOn();
  events_.poll();
  EXPECT_EQ(runs, 2);
  clock_.sleepMs(2000);
  events_.poll();
  EXPECT_EQ(runs, 3);

  // A tick queued but not yet run when the event is stopped is held, not lost.
  clock_.sleepMs(2000);
  EXPECT_EQ(events_.eventPending(), -1);
  events_.periodicStop();
  events_.poll();
  EXPECT_EQ(runs, 3);
  events_.periodicOn();
  events_.poll();
  EXPECT_EQ(runs, 4);
}

TEST_F(EventsTest, PeriodicHandlerMaySwitchItselfOff) {
  int runs = 0;
  events_.setPeriodic(1, [&] {
    ++runs;
    events_.periodicOff();
  });
  events_.periodicOn();
  clock_.sleepMs(1000);
  events_.poll();
  clock_.sleepMs(5000);
  events_.poll();
  EXPECT_EQ(runs, 1);
}

TEST_F(EventsTest, ClosingTheMainWindowEndsAfterMainformEnd) {
  press(10, 10);
  events_.closeMainWindow();
  try {
    events_.waitForEvent();  // the press runs first
    EXPECT_EQ(log_.size(), 1u);
    events_.poll();
    FAIL() << "the program went on";
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.exitCode, 0);
  }
  ASSERT_EQ(log_.size(), 2u);
  EXPECT_EQ(log_[1], "MAINFORM_END @0");
}

}  // namespace
}  // namespace zav3::host
