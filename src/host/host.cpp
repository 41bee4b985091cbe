// Host composition and the trace.
#include "host/host.hpp"

#include "host/headless/headless_display.hpp"

namespace zav3::host {

void Trace::line(const std::string& utf8) {
  if (stream_) {
    std::fputs(utf8.c_str(), stream_);
    std::fputc('\n', stream_);
  }
  if (keep_) lines_.push_back(utf8);
}

std::unique_ptr<Host> makeHeadlessHost() {
  auto host = std::make_unique<Host>();
  auto clock = std::make_unique<EventClock>(std::make_unique<VirtualClock>());
  host->events = std::make_unique<Events>(host->forms, clock->inner());
  host->display = std::make_unique<HeadlessDisplay>(host->forms, clock->inner(), host->trace);
  host->events->setDisplay(host->display.get());
  clock->attach(host->events.get());
  host->clock = std::move(clock);
  host->dialogs = std::make_unique<ScriptedDialogs>();
  return host;
}

}  // namespace zav3::host
