// The host of a run with windows: real time, SDL windows and dialogs.
#include <SDL.h>

#include <cstdio>

#include "host/host.hpp"
#include "host/media/sdl_media.hpp"
#include "host/sdl/sdl_dialogs.hpp"
#include "host/sdl/sdl_display.hpp"

namespace zav3::host {

namespace {

// Keeps SDL's video part up for as long as the host lives; it goes after the display.
class SdlSession final : public Display {
 public:
  explicit SdlSession(std::unique_ptr<SdlDisplay> display) : display_(std::move(display)) {}
  ~SdlSession() override {
    display_.reset();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  void poll(Events& events) override { display_->poll(events); }
  void wait(Events& events, std::int64_t timeoutMs) override { display_->wait(events, timeoutMs); }
  void idle(Events& events, std::int64_t ms) override { display_->idle(events, ms); }
  SdlDisplay& display() { return *display_; }

 private:
  std::unique_ptr<SdlDisplay> display_;
};

}  // namespace

std::unique_ptr<Host> makeSdlHost(const WindowOptions& options) {
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // A window's surface is then the X server's shared memory, not an OpenGL texture: SDL would
  // otherwise load the OpenGL driver once just to decide.
  if (!options.accelerated) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "zav3: no display: %s\n", SDL_GetError());
    return nullptr;
  }
  auto host = std::make_unique<Host>();
  auto clock = std::make_unique<EventClock>(std::make_unique<SteadyClock>());
  std::string error;
  auto display = SdlDisplay::open(host->forms, clock->inner(), options, error);
  if (!display) {
    std::fprintf(stderr, "zav3: %s\n", error.c_str());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  host->events = std::make_unique<Events>(host->forms, clock->inner());
  SdlDisplay& shown = *display;
  host->display = std::make_unique<SdlSession>(std::move(display));
  host->events->setDisplay(host->display.get());
  host->events->widgets().setTextRenderer(&shown.text());
  clock->attach(host->events.get());
  auto present = [shownPtr = &shown] { shownPtr->present(); };
  host->media = std::make_unique<Media>(host->files, host->forms, clock->inner(), host->trace,
                                        makeSdlMediaBackend(host->forms, clock->inner(), present));
  host->clock = std::move(clock);
  host->dialogs = std::make_unique<SdlDialogs>(shown, *host->events, host->files);
  return host;
}

}  // namespace zav3::host
