// MIDI: the demo's songs (01 the calm title theme, 02 the bridge theme, 03 the tense theme),
// composed from a chord progression and a few patterns and written as format-1 MIDI files.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "assets/assets.hpp"
#include "assets/media_writer.hpp"

namespace zav3::assets {
namespace {

constexpr std::uint32_t ticksPerQuarter = 96;
constexpr std::uint32_t step = ticksPerQuarter / 4;  // a sixteenth
constexpr std::uint32_t bar = 16 * step;             // 4/4 throughout
constexpr int drumChannel = 9;                       // channel 10

struct Note {
  std::uint32_t tick;
  std::uint32_t length;
  int pitch;
  int velocity;
};

// A chord: its root as a MIDI note in the lowest octave used and its intervals above the root.
struct Chord {
  int root;
  std::vector<int> intervals;
};

// One instrument's track.
struct Part {
  std::string_view name;
  int channel;
  int program;
  int volume;
  std::vector<Note> notes;
};

// A position in a bar given in sixteenths with its length in sixteenths.
struct Hit {
  int at;
  int length;
};

// The chord for a bar: the progression repeats.
const Chord& chordAt(const std::vector<Chord>& progression, int barIndex) {
  return progression[static_cast<std::size_t>(barIndex) % progression.size()];
}

// The k-th tone of a chord spread upwards over octaves from `base` semitones above its root.
int chordTone(const Chord& chord, int k, int base) {
  const int size = static_cast<int>(chord.intervals.size());
  return chord.root + base + 12 * (k / size) + chord.intervals[static_cast<std::size_t>(k % size)];
}

// Sustained chords, one per bar. A four-note chord leaves out its fifth (root, third and
// seventh carry it), which keeps the pad light for the synthesizer.
std::vector<Note> pad(const std::vector<Chord>& progression, int bars, int base, int velocity) {
  std::vector<Note> notes;
  for (int b = 0; b < bars; ++b) {
    const Chord& chord = chordAt(progression, b);
    for (int interval : chord.intervals) {
      if (chord.intervals.size() > 3 && interval == 7) continue;
      notes.push_back({b * bar, bar, chord.root + base + interval, velocity});
    }
  }
  return notes;
}

// A bass line: each hit plays the root, every `fifthEvery`-th hit the fifth (0 for never).
std::vector<Note> bassLine(const std::vector<Chord>& progression, int bars,
                           const std::vector<Hit>& rhythm, int fifthEvery, int velocity) {
  std::vector<Note> notes;
  for (int b = 0; b < bars; ++b) {
    const Chord& chord = chordAt(progression, b);
    for (std::size_t i = 0; i < rhythm.size(); ++i) {
      const bool fifth = fifthEvery > 0 && (i + 1) % static_cast<std::size_t>(fifthEvery) == 0;
      notes.push_back({b * bar + rhythm[i].at * step, rhythm[i].length * step,
                       chord.root + (fifth ? 7 : 0), velocity - (i == 0 ? 0 : 12)});
    }
  }
  return notes;
}

// A melody over chord tones: bar b uses rhythms[b % size]; the tones follow `contour` (indices
// into the spread chord) cyclically; the last bar holds the tonic so the loop closes softly.
std::vector<Note> melody(const std::vector<Chord>& progression, int bars,
                         const std::vector<std::vector<Hit>>& rhythms,
                         const std::vector<int>& contour, int base, int velocity) {
  std::vector<Note> notes;
  std::size_t next = 0;
  for (int b = 0; b + 1 < bars; ++b) {
    const Chord& chord = chordAt(progression, b);
    const auto& rhythm = rhythms[static_cast<std::size_t>(b) % rhythms.size()];
    for (std::size_t i = 0; i < rhythm.size(); ++i) {
      const int tone = chordTone(chord, contour[next++ % contour.size()], base);
      const int accent = rhythm[i].at % 4 == 0 ? 8 : 0;
      notes.push_back(
          {b * bar + rhythm[i].at * step, rhythm[i].length * step, tone, velocity + accent});
    }
  }
  const Chord& last = chordAt(progression, bars - 1);
  notes.push_back({(bars - 1) * bar, 12 * step, chordTone(last, 0, base), velocity});
  return notes;
}

// Drums from one pattern per instrument: a 16-character string per bar, 'x' a hit, 'o' a soft
// hit, anything else a rest. The last bar leaves out its final beat as a small break.
std::vector<Note> drums(int bars, const std::vector<std::pair<int, std::string_view>>& kit) {
  std::vector<Note> notes;
  for (int b = 0; b < bars; ++b)
    for (const auto& [pitch, pattern] : kit)
      for (int s = 0; s < 16; ++s) {
        if (b + 1 == bars && s >= 12) break;
        const char c = pattern[static_cast<std::size_t>(s)];
        if (c == 'x' || c == 'o')
          notes.push_back({b * bar + s * step, step, pitch, c == 'x' ? 90 : 55});
      }
  return notes;
}

// Events of a track as (tick, bytes); note-offs sort before note-ons at the same tick.
struct Event {
  std::uint32_t tick;
  int order;
  std::string bytes;
};

std::string trackBytes(const Part& part, std::uint32_t length) {
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

std::string songFile(int bpm, int bars, const std::vector<Part>& parts) {
  const std::uint32_t length = static_cast<std::uint32_t>(bars) * bar;
  std::string conductor = tempoEvent(0, static_cast<std::uint32_t>(60000000 / bpm));
  conductor += varLen(0) + std::string("\xFF\x58\x04\x04\x02\x18\x08", 7);  // 4/4
  std::string out = midiHeader(1, static_cast<int>(parts.size()) + 1, ticksPerQuarter);
  out += midiTrack(conductor + endOfTrack(length));
  for (const Part& part : parts) out += trackBytes(part, length);
  return out;
}

// Middle C is 60; chord roots sit in the octave from 36.
constexpr int C = 36, D = 38, E = 40, F = 41, G = 43, A = 45, B = 47;
constexpr int Bb = 46;
const std::vector<int> major7{0, 4, 7, 11}, minor7{0, 3, 7, 10}, major{0, 4, 7}, minor{0, 3, 7},
    sus4{0, 5, 7}, dominant7{0, 4, 7, 10};

// A calm title theme: slow major sevenths, a soft flute over a warm pad and a ride cymbal on
// the first and third beats.
std::string titleTheme() {
  const std::vector<Chord> chords{{C, major7}, {A, minor7}, {F, major7}, {G, sus4},
                                  {C, major7}, {E, minor7}, {F, major7}, {G, major}};
  const int bars = 8;  // 25 s at 76 bpm
  const std::vector<std::vector<Hit>> rhythm{{{0, 6}, {6, 2}, {8, 8}},
                                             {{0, 4}, {4, 4}, {8, 4}, {12, 4}},
                                             {{0, 8}, {8, 6}, {14, 2}},
                                             {{0, 12}, {12, 4}}};
  const std::vector<int> contour{2, 3, 4, 3, 2, 1, 2, 4, 5, 4, 3, 2, 1, 2, 3, 1};
  return songFile(76, bars,
                  {{"Melody", 0, 73, 90, melody(chords, bars, rhythm, contour, 36, 70)},
                   {"Bass", 1, 33, 85, bassLine(chords, bars, {{0, 6}, {6, 2}, {8, 8}}, 3, 80)},
                   {"Pad", 2, 89, 70, pad(chords, bars, 12, 55)},
                   {"Drums", drumChannel, 0, 60,
                    drums(bars, {{51, "o.......o......."}, {36, "x.......o......."}})}});
}

// The bridge theme: steady and busy, square lead over strings, bass in eighths, a full kit.
std::string bridgeTheme() {
  const std::vector<Chord> chords{{D, minor7}, {Bb, major7}, {C, major}, {F, major},
                                  {D, minor7}, {Bb, major7}, {C, major}, {A, dominant7}};
  const int bars = 12;  // 28 s at 104 bpm
  const std::vector<std::vector<Hit>> rhythm{{{0, 3}, {3, 3}, {6, 2}, {8, 4}, {12, 4}},
                                             {{0, 2}, {2, 2}, {4, 4}, {10, 2}, {12, 4}},
                                             {{0, 8}, {8, 2}, {10, 2}, {12, 4}}};
  const std::vector<int> contour{0, 1, 2, 3, 2, 4, 3, 2, 1, 2, 0, 1, 3, 2, 1, 0, 2, 3};
  const std::vector<Hit> eighths{{0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 2}, {14, 2}};
  return songFile(
      104, bars,
      {{"Melody", 0, 80, 75, melody(chords, bars, rhythm, contour, 36, 72)},
       {"Bass", 1, 38, 90, bassLine(chords, bars, eighths, 4, 85)},
       {"Strings", 2, 48, 70, pad(chords, bars, 12, 60)},
       {"Drums", drumChannel, 0, 75,
        drums(bars,
              {{36, "x.....x.x......."}, {38, "....x.......x..."}, {42, "x.o.x.o.x.o.x.o."}})}});
}

// The tense theme: minor chords over a pulsing low bass, tremolo strings, low toms.
std::string tenseTheme() {
  const std::vector<Chord> chords{{E, minor}, {E, minor}, {C, major},    {B, dominant7},
                                  {A, minor}, {C, major}, {B, dominant7}};
  const int bars = 14;  // 28 s at 120 bpm
  const std::vector<std::vector<Hit>> rhythm{{{0, 4}, {6, 2}, {8, 6}},
                                             {{0, 2}, {2, 2}, {4, 2}, {6, 2}, {8, 8}}};
  const std::vector<int> contour{3, 4, 3, 2, 3, 5, 4, 3, 2, 1};
  const std::vector<Hit> pulse{{0, 1}, {2, 1}, {4, 1}, {6, 1}, {8, 1}, {10, 1}, {12, 1}, {14, 1}};
  return songFile(
      120, bars,
      {{"Melody", 0, 44, 85, melody(chords, bars, rhythm, contour, 24, 74)},
       {"Bass", 1, 38, 95, bassLine(chords, bars, pulse, 0, 95)},
       {"Pad", 2, 50, 65, pad(chords, bars, 24, 50)},
       {"Drums", drumChannel, 0, 80,
        drums(bars,
              {{36, "x..x..x...x..x.."}, {45, "........o.o.x..."}, {42, "o.o.o.o.o.o.o.o."}})}});
}

}  // namespace

void writeMusic(AssetWriter& out) {
  const auto put = [&](std::string_view name, const std::string& bytes) {
    out.write(name, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  };
  put("MIDI/01.MID", titleTheme());
  put("MIDI/02.MID", bridgeTheme());
  put("MIDI/03.MID", tenseTheme());
}

}  // namespace zav3::assets
