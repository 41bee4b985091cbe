// The tracing hooks: each request becomes one trace line; waits return at once.
#include "scenario/hooks.hpp"

#include <string>

#include "scenario/data_files.hpp"
#include "scenario/interpreter.hpp"

namespace zav3::scenario {

namespace {
std::string num(long v) { return std::to_string(v); }
}  // namespace

void TracingHooks::trace(Main& m, const std::string& utf8) { m.host.trace.line(utf8); }

void TracingHooks::showMessages(Main& m) {
  trace(m, "text " + num(m.textFrom) + ".." + num(m.textTo));
  while (m.textFrom <= m.textTo && !m.resumePending) {
    const MessageRecord r = readMessageRecord(m, m.textFrom);
    Bytes text = decodeMessageText(r);
    if (text.find("@T") != Bytes::npos) m.noWaitAtEnd = true;
    text = insertReplyTexts(m, text);
    trace(m, "  " + num(m.textFrom) + " [" + host::sjisToUtf8(r.face) + "] " +
                 host::sjisToUtf8(text));
    m.textFrom += 1;
  }
}

void TracingHooks::clearTextArea(Main& m) { trace(m, "clear text"); }
void TracingHooks::clearWindowAndFace(Main& m) { trace(m, "clear window"); }
void TracingHooks::closeScene(Main& m) { trace(m, "close scene"); }
void TracingHooks::waitClick(Main& m) { trace(m, "click"); }
void TracingHooks::showScenePicture(Main& m, Integer p) { trace(m, "picture " + num(p)); }
void TracingHooks::prepareEventPicture(Main& m) {
  trace(m, "prepare picture " + num(m.currentPicture));
}
void TracingHooks::showPictureAtOnce(Main& m, Integer p) { trace(m, "picture at once " + num(p)); }
void TracingHooks::soundEffect(Main& m, Integer s) { trace(m, "sound " + num(s)); }
// The selected song is game state even without a music device: routines read it.
void TracingHooks::music(Main& m, Integer s) {
  trace(m, "music " + num(s));
  m.currentSong = s;
}

bool TracingHooks::playMovie(Main& m, Integer movie) {
  trace(m, "movie " + num(movie));
  return true;
}

void TracingHooks::listDisplay(Main& m, const std::vector<Bytes>& lines) {
  std::string all;
  for (const Bytes& line : lines) all += (all.empty() ? "" : " | ") + host::sjisToUtf8(line);
  trace(m, "list " + all);
}

void TracingHooks::choiceBlock(Main& m) {
  // Without a list window the block is passed over: on to its QE record.
  trace(m, "choice " + num(m.programCounter));
  // A block without QE would read blank records for ever: give up after a bound far beyond
  // any real block.
  for (long scanned = 0; scanned < 100000; ++scanned) {
    m.programCounter += 1;
    readScriptRecord(m, m.programCounter);
    if (m.record.op.find("QE") != Bytes::npos) break;
  }
}

void TracingHooks::setCaption(Main& m, const Bytes& c) {
  trace(m, "caption " + host::sjisToUtf8(c));
}
void TracingHooks::pause(Main& m, Long ms) {
  m.host.clock->sleepMs(ms);
  trace(m, "pause " + num(ms));
}

}  // namespace zav3::scenario
