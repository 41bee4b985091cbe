// The clock part of the host: milliseconds since start and sleeping. The headless clock is
// virtual: sleeping advances it at once, so long waits cost nothing and runs repeat exactly. A
// run with a window uses real time.
#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

namespace zav3::host {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t nowMs() = 0;
  virtual void sleepMs(std::int64_t ms) = 0;
};

class VirtualClock final : public Clock {
 public:
  std::int64_t nowMs() override { return now_; }
  void sleepMs(std::int64_t ms) override {
    if (ms > 0) now_ += ms;
  }

 private:
  std::int64_t now_ = 0;
};

// Real time, for a run with a window: milliseconds since the clock was made.
class SteadyClock final : public Clock {
 public:
  std::int64_t nowMs() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start_)
        .count();
  }
  void sleepMs(std::int64_t ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace zav3::host
