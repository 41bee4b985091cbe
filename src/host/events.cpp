// The event queue, its dispatch points, timers, the periodic event and input routing.
#include "host/events.hpp"

#include <algorithm>
#include <cmath>

#include "host/error.hpp"

namespace zav3::host {

namespace {
constexpr const char* endProcedure = "MAINFORM_END";
}

Events::Events(Forms& forms, Clock& time)
    : forms_(forms), time_(time), widgets_(forms, [this](const std::string& p) { post(p); }) {}

void Events::setProcedure(const std::string& name, Procedure procedure) {
  procedures_[name] = std::move(procedure);
}

void Events::setMouseProcedure(const std::string& name, MouseProcedure procedure) {
  mouseProcedures_[name] = std::move(procedure);
}

bool Events::hasProcedure(std::string_view name) const {
  return procedures_.find(name) != procedures_.end() ||
         mouseProcedures_.find(name) != mouseProcedures_.end();
}

void Events::post(const std::string& name) {
  if (name.empty() || procedures_.find(name) == procedures_.end()) return;
  queue_.push_back(Call{CallKind::procedure, name});
}

void Events::postMouse(const std::string& name, Integer button, Integer shift, Single x, Single y) {
  if (name.empty() || mouseProcedures_.find(name) == mouseProcedures_.end()) return;
  queue_.push_back(Call{CallKind::mouse, name, button, shift, x, y});
}

// --- timers ---

void Events::collectTimers() {
  const std::int64_t now = time_.nowMs();
  for (const Control& c : forms_.all()) {
    if (c.kind != ControlKind::timer) continue;
    TimerState& t = timers_[c.handle];
    const bool wanted = c.enabled && c.interval > 0;
    if (t.epoch != c.timerEpoch || t.running != wanted) {
      t.epoch = c.timerEpoch;
      t.running = wanted;
      t.due = now + c.interval;
    }
    if (!t.running || now < t.due) continue;
    // Ticks do not pile up: one call waits at a time, and missed ticks are skipped.
    const bool pending = std::any_of(queue_.begin(), queue_.end(), [&](const Call& q) {
      return q.kind == CallKind::procedure && q.name == c.actionProc;
    });
    if (!pending) post(c.actionProc);
    t.due += (now - t.due) / c.interval * c.interval + c.interval;
  }
  if (periodic_ != Switch::off && periodicHandler_ && now >= periodicDue_) {
    if (periodic_ == Switch::on) {
      if (!periodicQueued()) queue_.push_back(callOf(CallKind::periodic));
    } else {
      periodicHeld_ = true;
    }
    periodicDue_ += (now - periodicDue_) / periodicMs_ * periodicMs_ + periodicMs_;
  }
}

std::int64_t Events::nextDeadline() {
  std::int64_t next = -1;
  auto consider = [&](std::int64_t t) {
    if (t > 0 && (next < 0 || t < next)) next = t;
  };
  const std::int64_t now = time_.nowMs();
  for (const Control& c : forms_.all()) {
    if (c.kind != ControlKind::timer || !c.enabled || c.interval <= 0) continue;
    auto it = timers_.find(c.handle);
    if (it == timers_.end() || it->second.epoch != c.timerEpoch || !it->second.running) {
      consider(now + c.interval);
    } else {
      consider(it->second.due);
    }
  }
  if (periodic_ != Switch::off && periodicHandler_) consider(periodicDue_);
  consider(widgets_.tick(now));
  return next;
}

// --- the periodic event ---

void Events::setPeriodic(long seconds, Procedure handler, std::source_location where) {
  if (seconds < 1 || seconds > 65535) raise(err::illegalCall, where);
  periodicHandler_ = std::move(handler);
  periodicMs_ = static_cast<std::int64_t>(seconds) * 1000;
  periodicDue_ = time_.nowMs() + periodicMs_;
}

bool Events::periodicQueued() const {
  return std::any_of(queue_.begin(), queue_.end(),
                     [](const Call& c) { return c.kind == CallKind::periodic; });
}

void Events::dropPeriodic() {
  std::erase_if(queue_, [](const Call& c) { return c.kind == CallKind::periodic; });
}

void Events::periodicOn() {
  switchedInHandler_ = true;
  if (periodic_ == Switch::off) periodicDue_ = time_.nowMs() + periodicMs_;
  periodic_ = Switch::on;
  if (periodicHeld_ && !periodicQueued()) queue_.push_back(callOf(CallKind::periodic));
  periodicHeld_ = false;
}

void Events::periodicOff() {
  switchedInHandler_ = true;
  periodic_ = Switch::off;
  periodicHeld_ = false;
  dropPeriodic();
}

void Events::periodicStop() {
  switchedInHandler_ = true;
  if (periodic_ == Switch::off) periodicDue_ = time_.nowMs() + periodicMs_;
  if (periodicQueued()) {
    dropPeriodic();
    periodicHeld_ = true;
  }
  periodic_ = Switch::stop;
}

void Events::runPeriodic() {
  if (!periodicHandler_) return;
  // While its handler runs the event is held; afterwards it returns to its switch unless the
  // handler set the switch itself.
  const Switch before = periodic_;
  periodic_ = Switch::stop;
  switchedInHandler_ = false;
  Procedure handler = periodicHandler_;
  handler();
  if (!switchedInHandler_) {
    periodic_ = before;
    if (before == Switch::on && periodicHeld_) {
      periodicHeld_ = false;
      queue_.push_back(callOf(CallKind::periodic));
    }
  }
}

// --- dispatch ---

void Events::takeInput() {
  if (display_) display_->poll(*this);
  widgets_.tick(time_.nowMs());
  collectTimers();
}

bool Events::runNext() {
  if (queue_.empty()) return false;
  Call call = std::move(queue_.front());
  queue_.pop_front();
  switch (call.kind) {
    case CallKind::procedure: {
      auto it = procedures_.find(call.name);
      if (it == procedures_.end()) return false;
      Procedure p = it->second;  // the procedure may replace itself
      p();
      return true;
    }
    case CallKind::mouse: {
      auto it = mouseProcedures_.find(call.name);
      if (it == mouseProcedures_.end()) return false;
      MouseProcedure p = it->second;
      p(call.button, call.shift, call.x, call.y);
      return true;
    }
    case CallKind::periodic:
      runPeriodic();
      return false;
    case CallKind::end:
      endProgram(0);
  }
  return false;
}

void Events::waitForEvent() {
  for (;;) {
    takeInput();
    while (!queue_.empty()) {
      if (runNext()) return;
    }
    const std::int64_t deadline = nextDeadline();
    const std::int64_t now = time_.nowMs();
    const std::int64_t timeout = deadline < 0 ? -1 : std::max<std::int64_t>(0, deadline - now);
    if (display_) {
      display_->wait(*this, timeout);
    } else if (timeout >= 0) {
      time_.sleepMs(timeout);
    } else {
      endProgram(0);  // nothing could ever happen
    }
  }
}

Integer Events::eventPending() {
  takeInput();
  return queue_.empty() ? 0 : -1;
}

void Events::doEvents() {
  takeInput();
  // Calls queued by the calls that run now wait for the next dispatch point.
  for (size_t n = queue_.size(); n > 0 && !queue_.empty(); --n) runNext();
}

void Events::poll() {
  doEvents();
}

void Events::sleep(std::int64_t ms) {
  idle(ms);
  poll();
}

void Events::idle(std::int64_t ms) {
  if (display_) {
    display_->idle(*this, ms);
  } else {
    time_.sleepMs(ms);
  }
}

// --- input routing ---

void Events::pointer(Handle formHandle, PointerAction action, int button, int buttonsHeld,
                     int shift, double x, double y) {
  Control& form = forms_.control(formHandle);
  if (capture_ != 0 && forms_.control(capture_).form != formHandle) {
    // The pointer is held by a picture of the other form: a press here ends that, anything
    // else belongs to the holder's window and is not ours.
    if (action != PointerAction::down) return;
    capture_ = 0;
  }
  const int ix = static_cast<int>(std::floor(x));
  const int iy = static_cast<int>(std::floor(y));
  auto deliver = [&](const std::string& procedure, int b) {
    const Control& c = forms_.control(capture_);
    if (c.enabled && form.enabled) {
      postMouse(procedure, static_cast<Integer>(b), static_cast<Integer>(shift),
                static_cast<Single>(x - c.left), static_cast<Single>(y - c.top));
    }
  };
  switch (action) {
    case PointerAction::down: {
      if (!form.visible) return;
      if (capture_ != 0) {
        deliver(forms_.control(capture_).mouseDownProc, button);
        return;
      }
      if (widgets_.capturing()) return;
      if (form.enabled && widgets_.pointerDown(form, ix, iy, button, time_.nowMs())) return;
      Control* c = controlAt(forms_, form, ix, iy);
      if (!c || c->kind != ControlKind::pictureBox || !c->enabled) return;
      capture_ = c->handle;
      deliver(c->mouseDownProc, button);
      return;
    }
    case PointerAction::up: {
      if (capture_ != 0) {
        deliver(forms_.control(capture_).mouseUpProc, buttonsHeld);
        if (buttonsHeld == 0) capture_ = 0;
        return;
      }
      widgets_.pointerUp(form, ix, iy, button);
      return;
    }
    case PointerAction::move: {
      if (capture_ != 0) {
        deliver(forms_.control(capture_).mouseMoveProc, buttonsHeld);
        return;
      }
      if (!form.visible || !form.enabled) return;
      if (widgets_.pointerMove(form, ix, iy)) return;
      Control* c = controlAt(forms_, form, ix, iy);
      if (!c || c->kind != ControlKind::pictureBox || !c->enabled) return;
      postMouse(c->mouseMoveProc, static_cast<Integer>(buttonsHeld), static_cast<Integer>(shift),
                static_cast<Single>(x - c->left), static_cast<Single>(y - c->top));
      return;
    }
  }
}

void Events::wheel(Handle formHandle, double x, double y, int steps) {
  Control& form = forms_.control(formHandle);
  if (form.visible && form.enabled) {
    widgets_.wheel(form, static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), steps);
  }
  postMouse("MOUSE_WHEEL", static_cast<Integer>(steps), static_cast<Integer>(modifiers_),
            static_cast<Single>(x), static_cast<Single>(y));
}

void Events::key(Handle formHandle, Key k) {
  Control& form = forms_.control(formHandle);
  if (form.visible && form.enabled) widgets_.key(form, k);
  postMouse("KEY_DOWN", static_cast<Integer>(k), static_cast<Integer>(modifiers_), 0, 0);
}

void Events::typed(Handle formHandle, const Bytes& sjisText) {
  Control& form = forms_.control(formHandle);
  if (form.visible && form.enabled) widgets_.typed(form, sjisText);
}

void Events::closeMainWindow() {
  if (endRequested_) return;
  endRequested_ = true;
  queue_.push_back(callOf(CallKind::end));
}

void Events::endProgram(int exitCode) {
  queue_.clear();
  auto it = procedures_.find(endProcedure);
  if (it != procedures_.end()) {
    Procedure p = it->second;
    procedures_.erase(it);  // it runs once, even if it ends the program itself
    p();
  }
  throw ProgramEnd{exitCode};
}

void EventClock::sleepMs(std::int64_t ms) {
  if (events_) {
    events_->sleep(ms);
  } else {
    inner_->sleepMs(ms);
  }
}

}  // namespace zav3::host
