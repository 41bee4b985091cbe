// Event dispatch: the game registers its event procedures by name; the player's actions on the
// forms and the timers queue calls of them; queued calls run one at a time, in order of arrival,
// only at the dispatch points (wait for event, event pending, do events, the statement poll and
// sleeping). Also the periodic event with its on / off / stop switch, the end of the program
// when the main window closes, and the clock through which the game's sleeps let events happen.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <source_location>
#include <string>
#include <string_view>

#include "host/clock.hpp"
#include "host/forms.hpp"
#include "host/numbers.hpp"
#include "host/widgets.hpp"

namespace zav3::host {

// Thrown to end the program from anywhere; the top level stops with `exitCode`. When the event
// layer throws it (main window closed, scripted input used up), MAINFORM_END has already run.
struct ProgramEnd {
  int exitCode = 0;
};

class Events;

// The platform side of event dispatch: a window system, or the scripted input of a headless
// run. It turns what the player does into calls of Events' input operations.
class Display {
 public:
  virtual ~Display() = default;
  // Takes the platform input that has arrived; never waits.
  virtual void poll(Events& events) = 0;
  // The game waits for an event and none is queued: wait at most `timeoutMs` (-1 = no limit)
  // for input and take it. A headless display delivers the next scripted input here.
  virtual void wait(Events& events, std::int64_t timeoutMs) = 0;
  // The game sleeps: let `ms` pass, taking input meanwhile. May return early when the end of
  // the program was asked for.
  virtual void idle(Events& events, std::int64_t ms) = 0;
  // When input can next arrive while the game only polls (a scripted run knows; -1 for a
  // player, who may press at any time): a busy wait may sleep up to then in one step.
  virtual std::int64_t nextPolledInputMs() const { return -1; }
};

enum class PointerAction { down, up, move };

class Events {
 public:
  using Procedure = std::function<void()>;
  using MouseProcedure = std::function<void(Integer button, Integer shift, Single x, Single y)>;

  // `time` is the clock time is read from (virtual in a headless run); it must outlive this.
  Events(Forms& forms, Clock& time);

  void setDisplay(Display* display) { display_ = display; }
  Forms& forms() { return forms_; }
  Widgets& widgets() { return widgets_; }
  Clock& time() { return time_; }

  // --- event procedures, by name ("PICTURE1_MOUSEDOWN", "BUTTON7_ON", "MAINFORM_END") ---
  void setProcedure(const std::string& name, Procedure procedure);
  void setMouseProcedure(const std::string& name, MouseProcedure procedure);
  bool hasProcedure(std::string_view name) const;

  // Queues a call when the procedure exists.
  void post(const std::string& name);
  void postMouse(const std::string& name, Integer button, Integer shift, Single x, Single y);

  // --- dispatch points ---
  // Takes input and runs queued calls until at least one event procedure ran. When nothing is
  // queued it waits for input or the next timer.
  void waitForEvent();
  // -1 when a call is queued (after taking the input that arrived), else 0; runs nothing.
  Integer eventPending();
  // Takes the input that arrived and runs every call queued so far.
  void doEvents();
  // The statement poll: the same as doEvents; cheap when nothing happened.
  void poll();
  // Sleeps `ms` milliseconds, taking input meanwhile, then polls.
  void sleep(std::int64_t ms);
  // Sleeps `ms` milliseconds, taking input (queued for later) and keeping the windows shown,
  // but runs nothing: for waits that must not let event procedures in.
  void idle(std::int64_t ms);
  // The display's nextPolledInputMs (-1 without a display).
  std::int64_t nextPolledInputMs() const { return display_ ? display_->nextPolledInputMs() : -1; }

  // --- the periodic event ---
  // Handler run every `seconds` (1..65535, else error 5). Setting it leaves the switch as it
  // was; switching on starts the count.
  void setPeriodic(long seconds, Procedure handler,
                   std::source_location where = std::source_location::current());
  void periodicOn();    // runs when due; a tick held while stopped runs now
  void periodicOff();   // never runs; nothing is remembered
  void periodicStop();  // held: one tick that falls due is remembered

  // --- the player's input, from a display (form client coordinates) ---
  void pointer(Handle form, PointerAction action, int button, int buttonsHeld, int shift, double x,
               double y);
  void wheel(Handle form, double x, double y, int steps);
  // A key also queues KEY_DOWN (button = the Key's number) when the game registered it as a
  // mouse procedure; the wheel queues MOUSE_WHEEL (button = steps, up positive, at x, y).
  void key(Handle form, Key key);
  void typed(Handle form, const Bytes& sjisText);
  // The player closes the main window: MAINFORM_END runs at the next dispatch point, then the
  // program ends.
  void closeMainWindow();
  bool endRequested() const { return endRequested_; }
  // Shift keys held now (1 shift, 2 ctrl, 4 alt), as the display last saw them.
  void setModifiers(int shift) { modifiers_ = shift; }
  int modifiers() const { return modifiers_; }
  // Runs MAINFORM_END (when there is one) and throws ProgramEnd{exitCode}.
  [[noreturn]] void endProgram(int exitCode);

  // Time of the next timer tick, periodic tick or widget auto-repeat; -1 when none is due.
  std::int64_t nextDeadline();
  std::size_t queued() const { return queue_.size(); }

 private:
  enum class CallKind { procedure, mouse, periodic, end };
  struct Call {
    CallKind kind = CallKind::procedure;
    std::string name;
    Integer button = 0;
    Integer shift = 0;
    Single x = 0;
    Single y = 0;
  };
  static Call callOf(CallKind kind) {
    Call c;
    c.kind = kind;
    return c;
  }
  struct TimerState {
    std::uint32_t epoch = 0;
    bool running = false;
    std::int64_t due = 0;
  };
  enum class Switch { off, on, stop };

  void takeInput();  // display poll, timers, auto-repeat
  void collectTimers();
  bool runNext();  // runs the first queued call; true when it was an event procedure
  void runPeriodic();
  bool periodicQueued() const;
  void dropPeriodic();

  Forms& forms_;
  Clock& time_;
  Widgets widgets_;
  Display* display_ = nullptr;
  std::map<std::string, Procedure, std::less<>> procedures_;
  std::map<std::string, MouseProcedure, std::less<>> mouseProcedures_;
  std::deque<Call> queue_;
  std::map<Handle, TimerState> timers_;
  Handle capture_ = 0;  // picture box holding the pointer since a press
  bool endRequested_ = false;
  int modifiers_ = 0;

  Procedure periodicHandler_;
  std::int64_t periodicMs_ = 0;
  std::int64_t periodicDue_ = 0;
  Switch periodic_ = Switch::off;
  bool periodicHeld_ = false;  // a tick fell due while stopped
  bool switchedInHandler_ = false;
};

// The game's clock: time comes from an inner clock; sleeping through it is a dispatch point once
// events are attached.
class EventClock final : public Clock {
 public:
  explicit EventClock(std::unique_ptr<Clock> inner) : inner_(std::move(inner)) {}
  void attach(Events* events) { events_ = events; }
  Clock& inner() { return *inner_; }
  std::int64_t nowMs() override { return inner_->nowMs(); }
  void sleepMs(std::int64_t ms) override;

 private:
  std::unique_ptr<Clock> inner_;
  Events* events_ = nullptr;
};

}  // namespace zav3::host
