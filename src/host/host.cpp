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
  if (listener_) listener_(utf8);
}

std::unique_ptr<Host> makeHeadlessHost() {
  auto host = std::make_unique<Host>();
  auto clock = std::make_unique<EventClock>(std::make_unique<VirtualClock>());
  host->events = std::make_unique<Events>(host->forms, clock->inner());
  host->display = std::make_unique<HeadlessDisplay>(host->forms, clock->inner(), host->trace);
  host->events->setDisplay(host->display.get());
  clock->attach(host->events.get());
  host->media = std::make_unique<Media>(host->files, host->forms, clock->inner(), host->trace,
                                        makeHeadlessMediaBackend(clock->inner()));
  host->clock = std::move(clock);
  auto dialogs = std::make_unique<ScriptedDialogs>();
  Trace* trace = &host->trace;
  dialogs->setReport([trace](const std::string& line) { trace->line(line); });
  host->dialogs = std::move(dialogs);
  // 2026-01-01 09:00:00 local time, moving with the virtual clock.
  std::tm start{};
  start.tm_year = 126;
  start.tm_mday = 1;
  start.tm_hour = 9;
  start.tm_isdst = -1;
  const std::time_t origin = std::mktime(&start);
  Clock* time = &static_cast<EventClock&>(*host->clock).inner();
  host->now = [origin, time] { return origin + static_cast<std::time_t>(time->nowMs() / 1000); };
  return host;
}

}  // namespace zav3::host
