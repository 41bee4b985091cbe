// The host: one object composed of parts (clock, dialogs, file system, random numbers, trace,
// forms, events and the display that shows the forms and takes the player's input). The game
// sees the machine only through it. A test swaps one part without touching the others.
#pragma once

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/clock.hpp"
#include "host/dialogs.hpp"
#include "host/events.hpp"
#include "host/files.hpp"
#include "host/forms.hpp"
#include "host/media/media.hpp"
#include "host/numbers.hpp"

namespace zav3::host {

// Lines describing what the game asked of the host and of its not-yet-present parts; written to
// a stream when one is set and kept in memory for tests.
class Trace {
 public:
  void setStream(std::FILE* stream) { stream_ = stream; }
  void setKeep(bool keep) { keep_ = keep; }
  // Called with every line as it comes (a transcript for the player, say).
  void setListener(std::function<void(const std::string&)> listener) {
    listener_ = std::move(listener);
  }
  void line(const std::string& utf8);
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::FILE* stream_ = nullptr;
  bool keep_ = true;
  std::vector<std::string> lines_;
  std::function<void(const std::string&)> listener_;
};

struct Host {
  // The game's clock. In the hosts made below it is an EventClock: sleeping is a dispatch point
  // (events run), and `events` and `display` keep time with its inner clock.
  std::unique_ptr<Clock> clock;
  std::unique_ptr<Dialogs> dialogs;
  FileSystem files;
  Random random;
  Trace trace;
  Forms forms;
  std::unique_ptr<Events> events;
  std::unique_ptr<Display> display;
  // The multimedia command service (wave sound, MIDI songs, AVI movies).
  std::unique_ptr<Media> media;
  // The local date and time for date text and time text.
  std::function<std::time_t()> now = [] { return std::time(nullptr); };
};

// A host with the headless parts: virtual clock, scripted dialogs, the real file system, and a
// HeadlessDisplay taking scripted input.
std::unique_ptr<Host> makeHeadlessHost();

// Options of a run with windows.
struct WindowOptions {
  bool fullscreen = false;
  bool integerScaling = true;  // whole multiples of the game screen, letterboxed
  int scale = 0;               // first window size as a multiple of 640 x 480; 0 = what fits
  bool accelerated = false;    // scale through the graphics driver instead of in software
  // The player's comforts, seen by the window: F5 / F6 (music) and F7 / F8 (effects) step a
  // volume (-1 or +1), the main window goes to the background or comes back, full screen
  // was toggled.
  std::function<void(int music, int effects)> onVolumeKey;
  std::function<void(bool focused)> onFocus;
  std::function<void(bool fullscreen)> onFullscreen;
};

// A host with real time, SDL windows for the two forms and SDL message boxes (host/sdl).
// Null, with the reason on stderr, when no window can be opened.
std::unique_ptr<Host> makeSdlHost(const WindowOptions& options = {});

}  // namespace zav3::host
