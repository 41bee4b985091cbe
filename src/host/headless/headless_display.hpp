// The display of a headless run: no window; the player's input comes from a script of input
// lines, each delivered when the game next waits for an event, and snapshots of the forms are
// written as PNG files. Time is the virtual clock's.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "host/clock.hpp"
#include "host/events.hpp"
#include "host/forms.hpp"
#include "host/text.hpp"

namespace zav3::host {

class Trace;

class HeadlessDisplay final : public Display {
 public:
  HeadlessDisplay(Forms& forms, Clock& time, Trace& trace);

  // Queues one input line (verb and the rest of the line):
  //   click X Y             left press and release at (X, Y) of the main form
  //   rclick X Y            the same with the right button
  //   press X Y [left|right], release X Y, move X Y
  //   button NAME           the player clicks a FORM3 button
  //   scroll NAME VALUE     moves a FORM3 scroll bar to VALUE
  //   select NAME INDEX     picks item INDEX (from 0) of a FORM3 drop-down list
  //   type NAME TEXT        types TEXT (UTF-8) into a FORM3 edit box
  //   picture NAME X Y      left press and release at (X, Y) of a FORM3 picture box (PICTURE10
  //                         the radar plot, PICTURE11 the elevation gauge)
  //   close                 the player closes the main window
  //   key NAME              a key: enter, escape, space, up, down, left, right, pageup,
  //                         pagedown, f12, tab, home, end, backspace, delete
  //   snapshot FILE [FORM3] writes the main form (or FORM3) as PNG when the game next waits
  //   wait MS               lets MS milliseconds pass before the next input
  //   at MS                 the lines after it, up to the next "at" or "wait", reach the game
  //                         when its clock reaches MS (from the start of the run), even while
  //                         it is busy and only polls for input (a picture show)
  //   check-pixel X Y RRGGBB [FORM3]
  //                         when the game next waits, the pixel (X, Y) of the main form (or
  //                         FORM3) as composed must have the colour RRGGBB (hex, as in HTML)
  //   auto-click X Y [N]    once the lines are used up, answer up to N further waits (default
  //                         100000) with a left click at (X, Y): a player who always clicks
  // Returns false for an unknown verb or unreadable arguments (with a note on stderr).
  bool queue(const std::string& verb, const std::string& rest);
  size_t pending() const { return script_.size(); }

  // Pixel checks of the script: how many there are, and a line for each that failed or was
  // never reached because the run ended first.
  int pixelChecks() const { return pixelChecksQueued_; }
  std::vector<std::string> pixelFailures() const;

  // Composes a form as a player would see it (also used for snapshots). Widget texts need the
  // fonts; the text renderer is made on first use.
  Surface compose(Handle form);

  // Delivers the lines of an "at" whose time has come.
  void poll(Events& events) override;
  // Delivers the next scripted input. With none left the run ends: trace "input exhausted",
  // MAINFORM_END, ProgramEnd{0}.
  void wait(Events& events, std::int64_t timeoutMs) override;
  void idle(Events& events, std::int64_t ms) override;
  // The time of a pending "at", or never: other lines reach the game only when it waits.
  std::int64_t nextPolledInputMs() const override;

 private:
  enum class Kind {
    press, release, move, button, scroll, select, type, close, snapshot, wait, checkPixel, at, key
  };
  struct Item {
    Kind kind = Kind::press;
    int x = 0;
    int y = 0;
    int button = 1;
    Handle control = 0;
    int value = 0;
    Bytes text;
    std::string file;
    Handle form = 0;
    std::uint32_t argb = 0;
    Key key = Key::enter;
  };
  void deliver(Events& events, const Item& item);
  bool inAtGroup_ = false;  // the lines of a due "at" are being taken
  std::int64_t lastAtInputMs_ = -1;
  // Takes a snapshot or pixel check; false for any other line.
  bool takeCheck(const Item& item);

  Forms& forms_;
  Clock& time_;
  Trace& trace_;
  std::unique_ptr<TextRenderer> text_;
  std::deque<Item> script_;
  std::int64_t waitUntil_ = -1;
  int held_ = 0;  // buttons held by scripted presses
  int autoX_ = 0;
  int autoY_ = 0;
  long autoClicks_ = 0;  // clicks left for the player who always clicks
  int pixelChecksQueued_ = 0;
  std::vector<std::string> pixelFailures_;
};

}  // namespace zav3::host
