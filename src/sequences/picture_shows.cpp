// The opening and ending picture shows: their schedules, the music clock, the wipes, the zoom
// and the typed lines.
#include "sequences/picture_shows.hpp"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

#include "host/bmp.hpp"
#include "host/drawing.hpp"
#include "host/error.hpp"
#include "host/media/media.hpp"
#include "host/sjis.hpp"
#include "scenario/media_cues.hpp"
#include "shell/main_form.hpp"

namespace zav3::sequences {

namespace {

constexpr int screenWidth = 640, screenHeight = 480;
constexpr int sceneRows = 270;              // the scene area of the half wipe
constexpr int bandTop = 270, bandRows = 210;  // the text band below it
constexpr int bandRowsPerStep = 5, wipeStep = 10, wipeMs = 10;
constexpr int tileX = 16, tileSize = 8;      // the tile of panelTile that covers the band
constexpr int pollMs = 10;
constexpr int bandLineTop = 280, bandLeft = 40;
constexpr int openingSong = 1, endingSong = 15;
constexpr int p1Width = 640, p1Height = 286;  // P1 outside the shows
// A song that says it plays but does not move for this long is taken as stopped.
constexpr std::int64_t stalledMs = 2000;
// How long the ending waits for its song to report that it plays.
constexpr std::int64_t startLimitMs = 5000;

using L = Line;
constexpr L mes(Integer speed) { return {Writer::centred, speed}; }
constexpr L mid(Integer speed) { return {Writer::middle, speed}; }
constexpr L sub(Integer speed) { return {Writer::left, speed}; }

// Ends the show from any wait.
struct Clicked {};

// One show under way.
class Show {
 public:
  Show(Main& m, const char* name, const char* folder, const char* textFile, int centredTop,
       int gapAfterFirst)
      : m_(m), name_(name), centredTop_(centredTop), gapAfterFirst_(gapAfterFirst) {
    folder_ = m.programFolder + folder;
    readLines(folder_ + textFile);
    anchorWallMs_ = now();
    startWallMs_ = anchorWallMs_;
    lastMoveMs_ = anchorWallMs_;
  }

  Main& m() { return m_; }

  // The music: song n selected and played from its start. False when the music device
  // reported an error.
  bool startMusic(int song, bool waitUntilPlaying) {
    scenario::selectSong(m_, song);
    host::Media& media = *m_.host.media;
    if (m_.musicError || media.errorNumber(m_.MCI2) != 0) return false;
    m_.currentSong = song;
    media.sendCommand(m_.MCI2, "PLAY MID_M FROM 0");
    if (media.errorNumber(m_.MCI2) != 0) return false;
    if (waitUntilPlaying) {
      // The device reports "playing" at once; a failing one is given a few seconds, no more.
      const std::int64_t from = now();
      for (;;) {
        media.sendCommand(m_.MCI2, "status MID_M mode");
        if (media.resultText(m_.MCI2) == "playing" || now() - from >= startLimitMs) break;
        pause(pollMs);
      }
    }
    music_ = true;
    anchorWallMs_ = now();
    startWallMs_ = anchorWallMs_;
    lastMoveMs_ = anchorWallMs_;
    m_.host.trace.line(std::string(name_) + " music from game time " +
                       std::to_string(anchorWallMs_) + " ms");
    return true;
  }

  // Seconds since the music started: the song's own position while it plays, the game clock
  // from its last known position once it ended, failed or stalled.
  double seconds() {
    const std::int64_t wall = now();
    std::optional<std::int64_t> position;
    if (music_) position = m_.host.media->playingPositionUs("MID_M");
    if (position && *position < lastPositionUs_) {
      // The song started again (a song shorter than the show, restarted by the music tick):
      // from here on the game clock counts.
      music_ = false;
      position.reset();
    }
    if (position && *position != lastPositionUs_) {
      lastPositionUs_ = *position;
      anchorSeconds_ = static_cast<double>(*position) / 1e6;
      anchorWallMs_ = wall;
      lastMoveMs_ = wall;
    } else if (!position || wall - lastMoveMs_ >= stalledMs) {
      anchorSeconds_ += static_cast<double>(wall - anchorWallMs_) / 1000.0;
      anchorWallMs_ = wall;
    }
    shown_ = std::max(shown_, anchorSeconds_);
    return shown_;
  }

  void waitUntil(double at) {
    for (double s = seconds(); s < at; s = seconds()) {
      pause(std::max<std::int64_t>(1, static_cast<std::int64_t>((at - s) * 1000.0 + 0.5)));
    }
  }

  // Lets `ms` pass looking for a click every 10 ms; a left press ends the show. A scripted run
  // that knows no input comes before the end sleeps through in one step.
  void pause(std::int64_t ms) {
    const std::int64_t until = now() + ms;
    do {
      std::int64_t step = std::min<std::int64_t>(pollMs, std::max<std::int64_t>(1, until - now()));
      const std::int64_t next = m_.host.events->nextPolledInputMs();
      if (next >= 0) step = std::max<std::int64_t>(step, std::min(until, next) - now());
      m_.host.events->idle(step);
      m_.inputCode = 0;
      if (m_.host.events->eventPending()) m_.host.events->doEvents();
      if (clicked()) throw Clicked{};
    } while (now() < until);
  }

  void loadPicture(int n) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "0%02d", n);
    const host::Surface picture = host::loadBmp(m_.host.files, folder_ + digits + ".BMP").surface;
    host::Surface& p1 = m_.host.forms.surface(m_.P1);
    host::drawBitmap(p1, picture, 0, 0);
    // With the game clock since the music started beside it, for measuring the schedule.
    char clock[48];
    std::snprintf(clock, sizeof clock, " (game clock %.2f s)",
                  static_cast<double>(now() - startWallMs_) / 1000.0);
    trace("picture " + std::to_string(n), clock);
  }

  // The band pattern of the wipes over the first `rows` rows: `band(y)` paints the 5-row band
  // at row y, a pair from the top and the bottom edge every 10 ms, meeting in the middle.
  template <class Band>
  void bands(int rows, Band band) {
    for (int i = 0; i < rows; i += wipeStep) {
      band(i);
      band(rows - bandRowsPerStep - i);
      m_.host.events->idle(wipeMs);
    }
  }

  // Reveals P1's first `rows` rows on PICTURE1.
  void wipe(int rows) {
    host::Surface& screen = m_.host.forms.surface(m_.PICTURE1);
    const host::Surface& p1 = m_.host.forms.surface(m_.P1);
    bands(rows, [&](int y) { host::copyRect(screen, 0, y, screenWidth, bandRowsPerStep, p1, 0, y); });
  }

  void zoom() {
    pause(1000);
    host::Surface& screen = m_.host.forms.surface(m_.PICTURE1);
    const host::Surface& p1 = m_.host.forms.surface(m_.P1);
    for (int counter = 270, k = 1; counter <= 330; counter += 10, ++k) {
      host::stretchRect(screen, -10.0 * k, -5.0 * k, screenWidth + 20.0 * k,
                        screenHeight + 10.0 * k, p1, 0, 0, screenWidth, screenHeight);
      pause(500);
    }
  }

  void coverBand() {
    host::Surface& screen = m_.host.forms.surface(m_.PICTURE1);
    host::stretchRect(screen, 0, bandTop, screenWidth, bandRows, m_.panelTile, tileX, 0, tileSize,
                      tileSize);
  }

  // The text band covered and the scene area closed in bands.
  void clear() {
    coverBand();
    host::Surface& screen = m_.host.forms.surface(m_.PICTURE1);
    bands(sceneRows, [&](int y) {
      host::stretchRect(screen, 0, y, screenWidth, bandRowsPerStep, m_.panelTile, tileX, 0,
                        tileSize, tileSize);
    });
  }

  void run(const Step& step) {
    waitUntil(step.seconds);
    switch (step.change) {
      case Change::none:
        break;
      case Change::clear:
        clear();
        break;
      case Change::half:
        loadPicture(step.picture);
        wipe(sceneRows);
        break;
      case Change::full:
      case Change::zoom:
        loadPicture(step.picture);
        wipe(screenHeight);
        if (step.change == Change::zoom) zoom();
        break;
    }
    if (step.lines.empty()) return;
    if (step.change != Change::clear) coverBand();
    // Centred lines after a clear go where the show puts them, in the text band otherwise.
    Single centredY = static_cast<Single>(
        step.change == Change::clear ? centredTop_ : std::max(centredTop_, bandLineTop));
    Single bandY = bandLineTop;
    bool first = true;
    for (const Line& line : step.lines) {
      const Bytes text = nextLine();
      m_.host.trace.line(std::string(name_) + " line " + host::sjisToUtf8(text));
      switch (line.writer) {
        case Writer::centred:
          shell::OPEN_MES1(m_, centredY, text, line.speed);
          if (first) centredY += static_cast<Single>(gapAfterFirst_);
          break;
        case Writer::middle: {
          Single x = 0;
          shell::OPEN_MES_X(x, text);
          shell::OPEN_MES_SUB(m_, x, bandY, text, line.speed);
          break;
        }
        case Writer::left:
          shell::OPEN_MES_SUB(m_, bandLeft, bandY, text, line.speed);
          break;
      }
      first = false;
      // A press while typing ends the line and the show.
      if (clicked()) throw Clicked{};
    }
  }

  // The end: the song played out, the final picture, a pause.
  void finish(int finalPicture) {
    host::Media& media = *m_.host.media;
    for (;;) {
      media.sendCommand(m_.MCI2, "status MID_M mode");
      if (media.errorNumber(m_.MCI2) != 0 || media.resultText(m_.MCI2) != "playing") break;
      pause(100);
    }
    if (finalPicture > 0) {
      loadPicture(finalPicture);
      wipe(screenHeight);
    }
    pause(3000);
  }

  void trace(const std::string& what, const char* more = "") {
    char at[32];
    std::snprintf(at, sizeof at, " at %.2f s", seconds());
    m_.host.trace.line(std::string(name_) + " " + what + at + more);
  }

  std::int64_t now() { return m_.host.clock->nowMs(); }

  // A left press since the show began: the press itself sets mouseWaiting to 0, so one that
  // came and went while a line was typed is seen too.
  bool clicked() const { return m_.inputCode == 1 || m_.mouseWaiting == 0; }

 private:
  void readLines(const Bytes& path) {
    host::FileSystem& files = m_.host.files;
    try {
      if (!files.fileExists(path)) {
        warn("the text file " + host::sjisToUtf8(path) + " is missing; the show runs without text");
        return;
      }
      lines_ = files.readLines(path);
    } catch (const host::RuntimeError& e) {
      warn("the text file " + host::sjisToUtf8(path) + " cannot be read (error " +
           std::to_string(e.number()) + "); the show runs without text");
    }
  }
  void warn(const std::string& text) {
    std::fprintf(stderr, "warning: %s\n", text.c_str());
    m_.host.trace.line("warning: " + text);
  }
  Bytes nextLine() { return next_ < lines_.size() ? lines_[next_++] : Bytes(); }

  Main& m_;
  const char* name_;
  Bytes folder_;
  std::vector<Bytes> lines_;
  std::size_t next_ = 0;
  int centredTop_;
  int gapAfterFirst_;
  bool music_ = false;
  std::int64_t anchorWallMs_ = 0, startWallMs_ = 0, lastMoveMs_ = 0, lastPositionUs_ = -1;
  double anchorSeconds_ = 0, shown_ = 0;
};

// The screen before the show: its frames (message window, face frame, the menu tab) come back
// when the show ends, as the game goes on from there.
host::Surface begin(Main& m) {
  host::Surface& screen = m.host.forms.surface(m.PICTURE1);
  host::Surface before = screen;
  host::clear(screen, host::argbOf(m.host.forms.control(m.PICTURE1).backColour));
  m.host.forms.setEnabled(m.PICTURE1, -1);
  m.host.forms.setSize(m.P1, screenWidth, screenHeight);
  m.mouseWaiting = -1;
  return before;
}

// After a show: the screen of before it, the song closed (the script chooses the next), P1 back
// to its size, PICTURE1 disabled.
void end(Main& m, const host::Surface& before) {
  m.host.forms.surface(m.PICTURE1) = before;
  scenario::stopSong(m);
  m.currentSong = 0;
  m.host.forms.setSize(m.P1, p1Width, p1Height);
  m.host.forms.setEnabled(m.PICTURE1, 0);
  m.inputCode = 0;
  m.mouseWaiting = 0;
}

// Without music: five pictures, each shown until a click.
void clickThrough(Show& show) {
  Main& m = show.m();
  for (int n : {7, 2, 3, 4, 5}) {
    show.loadPicture(n);
    show.wipe(sceneRows);
    do {
      m.inputCode = 0;
      m.host.events->waitForEvent();
    } while (m.inputCode != 1);
    host::clear(m.host.forms.surface(m.PICTURE1),
                host::argbOf(m.host.forms.control(m.PICTURE1).backColour));
  }
}

}  // namespace

const std::vector<Step>& openingSchedule() {
  static const std::vector<Step> steps{
      {2, Change::clear, 0, {mes(5)}},
      {8, Change::half, 1, {}},
      {12, Change::half, 2, {}},
      {17, Change::clear, 0, {mes(7), mes(7), mes(7), mes(7)}},
      {30, Change::half, 3, {sub(4), sub(4), sub(4)}},
      {41, Change::half, 4, {sub(4), sub(4), sub(4)}},
      {49, Change::half, 5, {sub(4), sub(4), sub(4)}},
      {67, Change::clear, 0, {mes(5), mes(5)}},
      {72, Change::half, 6, {mid(4)}},
      {76, Change::half, 7, {mid(4)}},
      {80, Change::half, 8, {mid(4)}},
      {86, Change::half, 3, {mid(4)}},
      {91, Change::half, 9, {mid(3), sub(3)}},
      {95, Change::half, 4, {mid(3), sub(3)}},
      {100, Change::half, 10, {mid(3), sub(3)}},
      {108, Change::half, 5, {sub(3), sub(3), sub(3)}},
      {112, Change::half, 11, {sub(3), sub(3), sub(3)}},
      {126, Change::half, 12, {sub(3), sub(3), sub(3), sub(3)}},
      {138, Change::full, 13, {}},
      {138, Change::zoom, 14, {}},
      {144, Change::full, 14, {}},
      {150, Change::full, 15, {}},
      {156, Change::full, 16, {}},
      {162, Change::full, 17, {}},
      {168, Change::full, 18, {}},
      {174, Change::full, 19, {}},
      {180, Change::full, 20, {}},
      {185, Change::full, 21, {}},
      {187, Change::full, 22, {}},
      {194, Change::full, 21, {}},
  };
  return steps;
}

const std::vector<Step>& endingSchedule() {
  static const std::vector<Step> steps{
      {8, Change::half, 1, {mes(7), mes(7)}},
      {15, Change::half, 2, {mes(7), mes(7), mes(7)}},
      {28, Change::half, 3, {mes(7), mes(7), mes(7)}},
      {41, Change::half, 4, {mes(7), mes(7), mes(7)}},
      {54, Change::half, 5, {mes(7), mes(7), mes(7)}},
      {67, Change::half, 6, {mes(7), mes(7), mes(7)}},
      {81, Change::half, 7, {mes(7), mes(7), mes(7)}},
      {88, Change::half, 8, {mes(7), mes(7)}},
      {95, Change::half, 9, {mes(7), mes(7)}},
      {105, Change::full, 10, {}},
      {111, Change::full, 11, {}},
  };
  return steps;
}

namespace {

// Runs a show between the set-up and the clean-up: a click ends it, an error passes on after
// the clean-up.
template <class Body>
void runShow(Main& m, const char* name, const char* folder, const char* textFile, int centredTop,
             int gapAfterFirst, Body body) {
  const host::Surface before = begin(m);
  Show show(m, name, folder, textFile, centredTop, gapAfterFirst);
  try {
    body(show);
    show.trace("ends");
  } catch (const Clicked&) {
    show.trace("ends by a click");
  } catch (...) {
    end(m, before);
    throw;
  }
  end(m, before);
}

}  // namespace

void opening(Main& m) {
  runShow(m, "opening", "OP_CG\\", "OPENING.TXT", 100, 0, [](Show& show) {
    if (!show.startMusic(openingSong, false)) {
      show.trace("without music");
      clickThrough(show);
      return;
    }
    for (const Step& step : openingSchedule()) show.run(step);
    show.finish(23);
  });
}

void ending(Main& m) {
  runShow(m, "ending", "END_CG\\", "ENDING.TXT", 290, 10, [](Show& show) {
    if (!show.startMusic(endingSong, true)) show.trace("without music");
    for (const Step& step : endingSchedule()) show.run(step);
    show.finish(0);
  });
}

void registerPictureShows(scenario::RoutineTable& table) {
  table.add(100, opening);
  table.add(101, ending);
}

}  // namespace zav3::sequences
