// The headless media devices: nothing sounds or shows; a play lasts as long as its range of the
// file on the clock given.
#include <algorithm>

#include "host/media/media.hpp"

namespace zav3::host {

namespace {

class TimedPlayer final : public Player {
 public:
  explicit TimedPlayer(Clock& time) : time_(time) {}
  void play(std::int64_t fromUs, std::int64_t toUs) override {
    fromUs_ = fromUs;
    toUs_ = toUs;
    startMs_ = time_.nowMs();
    playing_ = true;
  }
  void stop() override {
    heldUs_ = positionUs();
    fromUs_ = toUs_ = heldUs_;
    playing_ = false;
  }
  bool playing() override {
    if (playing_ && elapsedUs() >= toUs_ - fromUs_) {
      playing_ = false;
      fromUs_ = toUs_;
    }
    return playing_;
  }
  std::int64_t positionUs() override {
    if (!playing()) return fromUs_;
    return std::min(toUs_, fromUs_ + elapsedUs());
  }

 private:
  std::int64_t elapsedUs() { return (time_.nowMs() - startMs_) * 1000; }
  Clock& time_;
  std::int64_t fromUs_ = 0, toUs_ = 0, heldUs_ = 0;
  std::int64_t startMs_ = 0;
  bool playing_ = false;
};

class HeadlessMediaBackend final : public MediaBackend {
 public:
  explicit HeadlessMediaBackend(Clock& time) : time_(time) {}
  std::unique_ptr<Player> open(const MediaFile&, std::string&) override {
    return std::make_unique<TimedPlayer>(time_);
  }

 private:
  Clock& time_;
};

}  // namespace

std::unique_ptr<MediaBackend> makeHeadlessMediaBackend(Clock& time) {
  return std::make_unique<HeadlessMediaBackend>(time);
}

}  // namespace zav3::host
