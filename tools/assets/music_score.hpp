// Songs written as scores for the MIDI generator (music.cpp): the notes and controller changes
// of a track and its bytes, a tempo map, melodies as note text, chord symbols voiced with
// smooth voice leading, bass lines, broken chords and drum patterns.
#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "assets/media_writer.hpp"

namespace zav3::assets::music {

inline constexpr std::uint32_t ticksPerQuarter = 96;
inline constexpr std::uint32_t step = ticksPerQuarter / 4;  // a sixteenth
inline constexpr std::uint32_t bar = 16 * step;             // 4/4 throughout
inline constexpr int drumChannel = 9;                       // channel 10

struct Note {
  std::uint32_t tick;
  std::uint32_t length;
  int pitch;
  int velocity;
};

// A controller change, such as expression (11) for a swell.
struct Control {
  std::uint32_t tick;
  int controller;
  int value;
};

// One instrument's track.
struct Part {
  std::string_view name;
  int channel;
  int program;
  int volume;
  std::vector<Note> notes;
  std::vector<Control> controls{};  // expression swells and the like
};

// Events of a track as (tick, bytes); note-offs sort before note-ons at the same tick.
struct Event {
  std::uint32_t tick;
  int order;
  std::string bytes;
};

inline std::string trackBytes(const Part& part, std::uint32_t length) {
  std::vector<Event> events;
  const auto status = [&](int high) { return static_cast<char>(high | part.channel); };
  std::string name =
      std::string("\xFF\x03", 2) + varLen(static_cast<std::uint32_t>(part.name.size()));
  name += part.name;
  events.push_back({0, 0, name});
  if (part.channel != drumChannel)
    events.push_back({0, 0, std::string{status(0xC0), static_cast<char>(part.program)}});
  events.push_back({0, 0, std::string{status(0xB0), 7, static_cast<char>(part.volume)}});
  events.push_back({0, 0, std::string{status(0xB0), 91, 40}});  // a little reverb
  for (const Note& note : part.notes) {
    const std::uint32_t end = std::min(note.tick + note.length, length);
    if (note.tick >= end) continue;
    const auto pitch = static_cast<char>(std::clamp(note.pitch, 0, 127));
    events.push_back(
        {note.tick, 2,
         std::string{status(0x90), pitch, static_cast<char>(std::clamp(note.velocity, 1, 127))}});
    events.push_back({end, 1, std::string{status(0x80), pitch, 0}});
  }
  for (const Control& c : part.controls)
    events.push_back({std::min(c.tick, length), 1,
                      std::string{status(0xB0), static_cast<char>(c.controller),
                                  static_cast<char>(std::clamp(c.value, 0, 127))}});
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
  });
  std::string out;
  std::uint32_t at = 0;
  for (const Event& event : events) {
    out += varLen(event.tick - at) + event.bytes;
    at = event.tick;
  }
  return midiTrack(out + endOfTrack(length - at));
}

// The long songs are written out as scores: melodies as note text, chords as chord symbols
// voiced with smooth voice leading, and a tempo map that puts each section at its time.

// A tempo from a tick on.
struct TempoMark {
  std::uint32_t tick;
  double bpm;
};

// The notes start a tick after the instruments are chosen, so that the sound font cut for the
// song holds only the instruments it chooses, not also the piano of a channel's first note.
inline std::string scoreFile(const std::vector<TempoMark>& tempos, std::uint32_t length,
                             std::vector<Part> parts) {
  constexpr std::uint32_t leadIn = 1;
  std::string conductor;
  std::uint32_t at = 0;
  for (const TempoMark& t : tempos) {
    const std::uint32_t tick = t.tick == 0 ? 0 : t.tick + leadIn;
    conductor += tempoEvent(tick - at, static_cast<std::uint32_t>(60000000.0 / t.bpm + 0.5));
    if (tick == 0) conductor += varLen(0) + std::string("\xFF\x58\x04\x04\x02\x18\x08", 7);  // 4/4
    at = tick;
  }
  length += leadIn;
  std::string out = midiHeader(1, static_cast<int>(parts.size()) + 1, ticksPerQuarter);
  out += midiTrack(conductor + endOfTrack(length - at));
  for (Part& part : parts) {
    for (Note& n : part.notes) n.tick += leadIn;
    for (Control& c : part.controls) c.tick += leadIn;
    out += trackBytes(part, length);
  }
  return out;
}

// The tick of a bar and a sixteenth in it.
constexpr std::uint32_t at(int barIndex, int sixteenth = 0) {
  return static_cast<std::uint32_t>(barIndex) * bar + static_cast<std::uint32_t>(sixteenth) * step;
}

// A pitch class from a note name's letter and accidental ("C", "F#", "Bb").
inline int pitchClass(std::string_view name, std::size_t& used) {
  static constexpr int letters[] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  int pc = letters[name[0] - 'A'];
  used = 1;
  for (; used < name.size() && (name[used] == '#' || name[used] == 'b'); ++used)
    pc += name[used] == '#' ? 1 : -1;
  return (pc + 12) % 12;
}

// Splits on spaces; a "|" marks a bar line, which must fall on a whole bar.
inline std::vector<std::string_view> tokens(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ') ++i;
    if (i > start) out.push_back(text.substr(start, i - start));
  }
  return out;
}

// A token "name:length"; the length is `fallback` when left out.
inline std::pair<std::string_view, int> split(std::string_view token, int fallback) {
  const std::size_t colon = token.find(':');
  if (colon == std::string_view::npos) return {token, fallback};
  return {token.substr(0, colon), std::stoi(std::string(token.substr(colon + 1)))};
}

inline void checkBarLine(std::uint32_t tick, std::string_view text) {
  if (tick % bar != 0)
    throw std::runtime_error("music: a bar line off the bar in " + std::string(text));
}

// A melody from note text at a bar: "E5:4 D5:2 r:2 | C5:16", lengths in sixteenths, "r" a
// rest. Downbeats are a little stronger; `velocity` may rise or fall over the phrase by `swell`.
inline void line(Part& part, int barIndex, std::string_view text, int velocity, int swell = 0,
                 int transpose = 0) {
  const auto words = tokens(text);
  std::uint32_t tick = at(barIndex);
  std::uint32_t total = 0;
  for (std::string_view w : words)
    if (w != "|") total += static_cast<std::uint32_t>(split(w, 4).second) * step;
  const std::uint32_t start = tick;
  for (std::string_view w : words) {
    if (w == "|") {
      checkBarLine(tick - start, text);
      continue;
    }
    const auto [name, length] = split(w, 4);
    const std::uint32_t ticks = static_cast<std::uint32_t>(length) * step;
    if (name != "r") {
      std::size_t used = 0;
      const int pc = pitchClass(name, used);
      const int octave = name[used] - '0';
      const int accent = (tick % bar == 0 ? 6 : tick % (bar / 2) == 0 ? 3 : 0);
      const int shaped =
          velocity + swell * static_cast<int>(tick - start) / static_cast<int>(total);
      part.notes.push_back({tick, ticks, 12 * (octave + 1) + pc + transpose, shaped + accent});
    }
    tick += ticks;
  }
}

// A chord symbol over a span of time: root, pitch classes and the bass note's pitch class.
struct ChordSpan {
  std::uint32_t tick;
  std::uint32_t length;
  int root;
  std::vector<int> classes;  // the root first, then the third (or the suspended tone)
  int bass;
};

inline std::vector<int> chordIntervals(std::string_view quality) {
  if (quality == "m") return {0, 3, 7};
  if (quality == "7") return {0, 4, 7, 10};
  if (quality == "m7") return {0, 3, 7, 10};
  if (quality == "maj7") return {0, 4, 7, 11};
  if (quality == "sus4") return {0, 5, 7};
  if (quality == "sus2") return {0, 2, 7};
  if (quality == "add9") return {0, 4, 7, 2};
  if (quality == "6") return {0, 4, 7, 9};
  if (quality == "m6") return {0, 3, 7, 9};
  if (quality == "7sus4") return {0, 5, 7, 10};
  if (quality.empty()) return {0, 4, 7};
  throw std::runtime_error("music: unknown chord " + std::string(quality));
}

// Chords from text at a bar: "C | G/B | Dm7:2 G7:2", lengths in beats (a bar when left out).
inline std::vector<ChordSpan> chords(int barIndex, std::string_view text) {
  std::vector<ChordSpan> out;
  std::uint32_t tick = at(barIndex);
  for (std::string_view w : tokens(text)) {
    if (w == "|") {
      checkBarLine(tick, text);
      continue;
    }
    const auto [symbol, beats] = split(w, 4);
    const std::size_t slash = symbol.find('/');
    const std::string_view main = symbol.substr(0, slash);
    std::size_t used = 0;
    const int root = pitchClass(main, used);
    std::vector<int> classes;
    for (int interval : chordIntervals(main.substr(used)))
      classes.push_back((root + interval) % 12);
    int bass = root;
    if (slash != std::string_view::npos) bass = pitchClass(symbol.substr(slash + 1), used);
    const std::uint32_t length = static_cast<std::uint32_t>(beats) * 4 * step;
    out.push_back({tick, length, root, classes, bass});
    tick += length;
  }
  return out;
}

// Voicings of `voices` notes in [low, high] for each chord, each one chosen to move least from
// the one before (the first one near the middle of the range). Every tone of the chord sounds,
// but a four-note chord in three voices leaves out its fifth; doubled thirds are avoided.
inline std::vector<std::vector<int>> voiceLead(const std::vector<ChordSpan>& spans, int voices,
                                               int low, int high) {
  std::vector<std::vector<int>> out;
  std::vector<int> previous;
  for (const ChordSpan& c : spans) {
    std::vector<int> candidates;
    for (int p = low; p <= high; ++p)
      if (std::find(c.classes.begin(), c.classes.end(), p % 12) != c.classes.end())
        candidates.push_back(p);
    std::vector<int> best, pick;
    int bestCost = 1 << 30;
    const int fifth = (c.root + 7) % 12, third = c.classes.size() > 1 ? c.classes[1] : -1;
    auto search = [&](auto&& self, std::size_t from) -> void {
      if (static_cast<int>(pick.size()) == voices) {
        int cost = 0;
        for (int pc : c.classes) {
          const bool sounds =
              std::any_of(pick.begin(), pick.end(), [&](int p) { return p % 12 == pc; });
          if (!sounds && !(pc == fifth && static_cast<int>(c.classes.size()) > voices)) return;
        }
        for (std::size_t i = 0; i + 1 < pick.size(); ++i)
          if (pick[i + 1] - pick[i] > 12) return;
        for (std::size_t i = 0; i < pick.size(); ++i) {
          cost += previous.empty() ? std::abs(pick[i] - (low + high) / 2)
                                   : std::abs(pick[i] - previous[i]);
          if (pick[i] % 12 == third &&
              std::count_if(pick.begin(), pick.end(), [&](int p) { return p % 12 == third; }) > 1)
            cost += 3;
        }
        if (cost < bestCost) bestCost = cost, best = pick;
        return;
      }
      for (std::size_t i = from; i < candidates.size(); ++i) {
        pick.push_back(candidates[i]);
        self(self, i + 1);
        pick.pop_back();
      }
    };
    search(search, 0);
    if (best.empty()) throw std::runtime_error("music: a chord without a voicing");
    out.push_back(best);
    previous = best;
  }
  return out;
}

// Held chords; a tone common to two chords is held over rather than struck again.
inline void sustain(Part& part, const std::vector<ChordSpan>& spans, int voices, int low, int high,
                    int velocity) {
  const auto voicings = voiceLead(spans, voices, low, high);
  std::vector<std::size_t> open;  // the note each voice holds
  for (std::size_t k = 0; k < spans.size(); ++k) {
    std::vector<std::size_t> next;
    for (int pitch : voicings[k]) {
      bool held = false;
      for (std::size_t n : open)
        if (part.notes[n].pitch == pitch &&
            part.notes[n].tick + part.notes[n].length == spans[k].tick) {
          part.notes[n].length += spans[k].length;
          next.push_back(n);
          held = true;
          break;
        }
      if (!held) {
        next.push_back(part.notes.size());
        part.notes.push_back({spans[k].tick, spans[k].length, pitch, velocity});
      }
    }
    open = next;
  }
}

// The bass note of each chord, in [low, high] and near the last one, struck at the sixteenths
// in `hits` of every bar (each hit lasting to the next); a hit marked true plays the fifth, or
// the root when the bass note is another tone of the chord.
inline void bass(Part& part, const std::vector<ChordSpan>& spans, int low, int high,
                 const std::vector<std::pair<int, bool>>& hits, int velocity) {
  const int middle = (low + high) / 2;
  int last = middle;
  for (const ChordSpan& c : spans) {
    int best = -1;
    const auto cost = [&](int p) { return 2 * std::abs(p - last) + std::abs(p - middle); };
    for (int p = low; p <= high; ++p)
      if (p % 12 == c.bass && (best < 0 || cost(p) < cost(best))) best = p;
    last = best;
    const int otherClass = c.bass == c.root ? (c.root + 7) % 12 : c.root;
    int other = best;
    for (int p = high; p >= low; --p)
      if (p % 12 == otherClass && (other == best || std::abs(p - best) < std::abs(other - best)))
        other = p;
    for (std::uint32_t b = c.tick - c.tick % bar; b < c.tick + c.length; b += bar)
      for (std::size_t i = 0; i < hits.size(); ++i) {
        const std::uint32_t t = b + static_cast<std::uint32_t>(hits[i].first) * step;
        const std::uint32_t end = i + 1 < hits.size()
                                      ? b + static_cast<std::uint32_t>(hits[i + 1].first) * step
                                      : b + bar;
        if (t < c.tick || t >= c.tick + c.length) continue;
        part.notes.push_back({t, std::min(end, c.tick + c.length) - t,
                              hits[i].second ? other : best,
                              velocity - (hits[i].first == 0 ? 0 : 10)});
      }
  }
}

// Broken chords: every `every` sixteenths the tone `pattern[k]` of the chord spread over
// [low, high] (0 the lowest), each ringing for `ring` sixteenths or to the chord's end.
inline void arpeggio(Part& part, const std::vector<ChordSpan>& spans, int low, int high,
                     const std::vector<int>& pattern, int every, int ring, int velocity) {
  std::size_t k = 0;
  for (const ChordSpan& c : spans) {
    std::vector<int> tones;
    for (int p = low; p <= high; ++p)
      if (std::find(c.classes.begin(), c.classes.end(), p % 12) != c.classes.end())
        tones.push_back(p);
    for (std::uint32_t t = c.tick; t < c.tick + c.length;
         t += static_cast<std::uint32_t>(every) * step) {
      const int index = pattern[k++ % pattern.size()];
      const int pitch =
          tones[std::min<std::size_t>(static_cast<std::size_t>(index), tones.size() - 1)];
      const std::uint32_t length =
          std::min<std::uint32_t>(static_cast<std::uint32_t>(ring) * step, c.tick + c.length - t);
      part.notes.push_back({t, length, pitch, velocity - (t % bar == 0 ? 0 : 8)});
    }
  }
}

// Drum hits over bars from 16-character patterns: 'x' loud, 'o' soft; `velocity` is the loud one.
inline void beat(Part& part, int firstBar, int bars,
                 const std::vector<std::pair<int, std::string_view>>& kit, int velocity) {
  for (int b = firstBar; b < firstBar + bars; ++b)
    for (const auto& [pitch, pattern] : kit)
      for (int s = 0; s < 16; ++s) {
        const char c = pattern[static_cast<std::size_t>(s)];
        if (c == 'x' || c == 'o')
          part.notes.push_back({at(b, s), step, pitch, c == 'x' ? velocity : velocity * 3 / 5});
      }
}

// A roll of sixteenths from `from` to `to` growing from one loudness to another.
inline void roll(Part& part, std::uint32_t from, std::uint32_t to, int pitch, int startVelocity,
                 int endVelocity) {
  for (std::uint32_t t = from; t < to; t += step)
    part.notes.push_back(
        {t, step, pitch,
         startVelocity + (endVelocity - startVelocity) * static_cast<int>(t - from) /
                             static_cast<int>(to - from)});
}

// Expression from one value to another over a stretch, in small steps.
inline void swell(Part& part, std::uint32_t from, std::uint32_t to, int start, int end) {
  for (std::uint32_t t = from; t <= to; t += step)
    part.controls.push_back({t, 11,
                             start + (end - start) * static_cast<int>(t - from) /
                                         static_cast<int>(std::max(1u, to - from))});
}

// Short chords struck at the sixteenths `hits` of every bar, as brass on the off-beats.
inline void stabs(Part& part, const std::vector<ChordSpan>& spans, int voices, int low, int high,
                  const std::vector<int>& hits, int length, int velocity) {
  const auto voicings = voiceLead(spans, voices, low, high);
  for (std::size_t k = 0; k < spans.size(); ++k)
    for (std::uint32_t b = spans[k].tick - spans[k].tick % bar; b < spans[k].tick + spans[k].length;
         b += bar)
      for (int h : hits) {
        const std::uint32_t t = b + static_cast<std::uint32_t>(h) * step;
        if (t < spans[k].tick || t >= spans[k].tick + spans[k].length) continue;
        for (int pitch : voicings[k])
          part.notes.push_back({t, static_cast<std::uint32_t>(length) * step, pitch, velocity});
      }
}

// A chord spread upwards one tone a sixteenth apart, every tone held to `end`.
inline void spread(Part& part, const ChordSpan& chord, int low, int high, std::uint32_t end,
                   int velocity) {
  std::uint32_t t = chord.tick;
  for (int p = low; p <= high && t < end; ++p)
    if (std::find(chord.classes.begin(), chord.classes.end(), p % 12) != chord.classes.end()) {
      part.notes.push_back({t, end - t, p, velocity});
      t += step;
    }
}

// Gathers spans of several chord texts.
inline std::vector<ChordSpan> joined(std::initializer_list<std::vector<ChordSpan>> parts) {
  std::vector<ChordSpan> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A note struck again before it has ended would be cut off by the first one's release: each
// note ends where the next one of its pitch begins.
inline void untangle(std::vector<Part>& parts) {
  for (Part& part : parts) {
    std::stable_sort(part.notes.begin(), part.notes.end(),
                     [](const Note& a, const Note& b) { return a.tick < b.tick; });
    for (std::size_t i = 0; i < part.notes.size(); ++i)
      for (std::size_t j = i + 1;
           j < part.notes.size() && part.notes[j].tick < part.notes[i].tick + part.notes[i].length;
           ++j)
        if (part.notes[j].pitch == part.notes[i].pitch) {
          part.notes[i].length = part.notes[j].tick - part.notes[i].tick;
          break;
        }
    std::erase_if(part.notes, [](const Note& n) { return n.length == 0; });
  }
}

}  // namespace zav3::assets::music
