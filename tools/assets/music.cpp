// MIDI: the demo's songs as format-1 MIDI files. 02 the bridge theme, 03 the tense theme and 04
// the calm patrol theme are short loops made from a chord progression and a few patterns; 01 the opening and title theme
// (about 207 s, its sections timed to the opening's pictures) and 15 the ending theme (about
// 121 s, under the staff credits) are written out as scores (music_score.hpp).
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "assets/assets.hpp"
#include "assets/media_writer.hpp"
#include "assets/music_score.hpp"

namespace zav3::assets {
namespace {

using namespace music;

// A chord: its root as a MIDI note in the lowest octave used and its intervals above the root.
struct Chord {
  int root;
  std::vector<int> intervals;
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

// The calm patrol theme of the chapters (song 04): slow major sevenths, a soft flute over a warm pad and a ride cymbal on
// the first and third beats.
std::string patrolTheme() {
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

// The opening and title theme, about 207 s, in sections that follow the opening's pictures:
// 0-17 s a quiet intro (pad, celesta stars), 17-67 s the theme on the flute and then darker
// for the pirates from 48 s (tremolo strings, trombones, timpani), 67-112 s the patrol ship's
// warm horn theme taken up by the strings, 112-138 s a march as she departs, 138-194 s the
// voyage in full with its climax from 179 s, and a broad close on a held C major chord.
std::string openingTheme() {
  enum {
    Flute,
    Horn,
    Trumpet,
    Trombone,
    Violins,
    Strings,
    Tremolo,
    Warmth,
    Pad,
    Drums,
    Harp,
    Celesta,
    Bass,
    Timpani,
    Brass,
    Low
  };
  std::vector<Part> p{
      {"Flute", 0, 73, 92, {}},          {"Horn", 1, 60, 92, {}},      {"Trumpet", 2, 56, 84, {}},
      {"Trombone", 3, 57, 88, {}},       {"Violins", 4, 48, 96, {}},   {"Strings", 5, 49, 88, {}},
      {"Tremolo", 6, 44, 84, {}},        {"Warm pad", 7, 89, 70, {}},  {"Pad", 8, 89, 84, {}},
      {"Drums", drumChannel, 0, 84, {}}, {"Harp", 10, 46, 88, {}},     {"Celesta", 11, 8, 80, {}},
      {"Bass", 12, 43, 100, {}},         {"Timpani", 13, 47, 100, {}}, {"Brass", 14, 57, 74, {}},
      {"Low strings", 15, 43, 84, {}}};
  const std::vector<std::pair<int, bool>> halves{{0, false}, {8, false}},
      eighths{{0, false}, {2, false},  {4, false},  {6, false},
              {8, false}, {10, false}, {12, false}, {14, false}},
      oomPah{{0, false}, {8, true}};
  const std::string_view theme =
      "G4:4 C5:4 E5:6 D5:2 | D5:6 C5:2 B4:4 G4:4 | A4:4 C5:4 E5:4 A5:4 | G5:12 r:4 | "
      "F5:6 E5:2 D5:4 C5:4 | E5:6 D5:2 C5:4 G4:4 | A4:4 F5:4 D5:4 B4:4 | C5:12 r:4";
  const std::string_view themeProgression = "C | G/B | Am | Em/G | F | C/E | Dm7:2 G7:2 | C";

  // Intro, bars 0-4: space and stars.
  const auto intro = chords(0, "Cmaj7 | Fmaj7/C | Am7 | Fmaj7 | Gsus4:2 G:2");
  sustain(p[Pad], intro, 4, 52, 72, 58);
  sustain(p[Strings], chords(2, "Am7 | Fmaj7 | Gsus4:2 G:2"), 4, 55, 74, 42);
  bass(p[Bass], intro, 28, 50, {{0, false}}, 48);
  line(p[Celesta], 0,
       "E6:3 r:5 B5:2 r:6 | C6:3 r:3 A6:2 r:8 | E6:2 r:4 G6:3 r:7 | A5:3 r:3 C6:2 r:4 E6:4 | "
       "D6:4 r:4 B5:4 r:4",
       52);
  line(p[Horn], 2, "r:8 G3:4 C4:4 | E4:8 D4:8", 46);
  arpeggio(p[Harp], chords(4, "Gsus4:2 G:2"), 55, 86, {0, 1, 2, 3, 4, 5, 6, 7}, 1, 6, 48);

  // The theme, bars 5-14: the solar system, the station, the convoys.
  const auto theme1 = chords(5, themeProgression), convoys = chords(13, "F | G");
  line(p[Flute], 5, theme, 74, 6);
  sustain(p[Strings], joined({theme1, convoys}), 4, 52, 72, 54);
  bass(p[Bass], theme1, 28, 50, halves, 62);
  arpeggio(p[Harp], theme1, 48, 76, {0, 2, 4, 6, 7, 6, 4, 2}, 2, 6, 46);
  line(p[Celesta], 11, "r:8 G6:4 E6:4 | C7:8 r:8", 40);
  line(p[Horn], 13, "C4:4 F4:4 A4:4 C5:4 | B4:6 A4:2 G4:4 D4:4", 70, 8);
  bass(p[Low], convoys, 36, 55, eighths, 60);
  bass(p[Bass], convoys, 28, 50, halves, 66);
  bass(p[Timpani], convoys, 40, 55, {{0, false}}, 58);

  // The pirates, bars 15-20: darker.
  const auto pirates = chords(15, "Am | F | Dm | E | Am:2 F:2 | E7");
  sustain(p[Tremolo], pirates, 4, 45, 64, 64);
  swell(p[Tremolo], at(15), at(21), 85, 120);
  line(p[Trombone], 15,
       "A3:4 r:2 A3:2 C4:4 B3:4 | A3:6 F3:2 A3:8 | D4:4 C4:4 A3:4 F3:4 | E3:8 G#3:8 | "
       "A3:4 C4:4 F4:6 E4:2 | E4:4 D4:4 B3:4 G#3:4",
       76, 16);
  bass(p[Bass], pirates, 28, 50, {{0, false}, {6, false}, {8, false}}, 72);
  bass(p[Low], pirates, 36, 55, eighths, 62);
  bass(p[Timpani], pirates, 40, 55, oomPah, 72);
  roll(p[Timpani], at(20, 8), at(21), 40, 50, 96);
  beat(p[Drums], 15, 6, {{41, "x......x..x....."}}, 62);

  // The patrol ship and her crew, bars 21-36: the horn's theme, the strings take it up.
  const auto ship1 = chords(21, "F | Dm | Bb | C | F/A | Bb | Gm7:2 C7:2 | F");
  const auto ship2 = chords(29, "Bb | F/A | Gm7 | Dm | Bb | F/C | Gm7 | C7sus4:2 C7:2");
  line(p[Horn], 21,
       "C4:4 F4:4 A4:6 G4:2 | A4:6 G4:2 F4:8 | D4:4 F4:4 Bb4:6 A4:2 | G4:12 r:4 | "
       "C5:6 A4:2 F4:4 A4:4 | Bb4:6 A4:2 G4:4 F4:4 | G4:4 A4:2 Bb4:2 C5:4 E4:4 | F4:12 r:4",
       80);
  line(p[Violins], 29,
       "D5:6 C5:2 Bb4:4 F5:4 | F5:6 E5:2 C5:8 | Bb4:4 D5:4 F5:4 G5:4 | A5:12 F5:4 | "
       "F5:6 D5:2 Bb4:4 D5:4 | C5:6 A4:2 F5:8 | G5:4 F5:4 D5:4 Bb4:4 | C5:8 E5:4 G5:4",
       74, 16);
  line(p[Flute], 33, "r:8 F5:8 | A5:8 G5:8 | Bb5:8 G5:4 F5:4 | G5:16", 60, 10);
  sustain(p[Strings], joined({ship1, ship2}), 4, 53, 72, 58);
  swell(p[Strings], at(29), at(37), 96, 124);
  sustain(p[Warmth], ship2, 4, 55, 72, 52);
  arpeggio(p[Harp], joined({ship1, ship2}), 41, 72, {0, 2, 4, 6, 5, 4, 3, 2}, 2, 6, 50);
  bass(p[Bass], ship1, 28, 50, halves, 66);
  bass(p[Bass], ship2, 28, 50, {{0, false}, {8, false}, {12, false}}, 72);
  bass(p[Low], ship2, 36, 55, {{0, false}, {4, true}, {8, false}, {12, true}}, 58);
  bass(p[Timpani], chords(33, "Bb | F/C | Gm7 | C"), 40, 55, {{0, false}}, 62);
  roll(p[Timpani], at(36, 8), at(37), 48, 45, 100);
  roll(p[Drums], at(36, 8), at(37), 38, 35, 90);

  // The march, bars 37-46: she departs.
  const auto march = chords(37, "F | C/E | Dm | Bb | F/C | C | Bb:2 C:2 | F");
  const auto turn = chords(45, "Dm7 | G7");
  const std::string_view marchTune =
      "C4:3 C4:1 F4:4 F4:3 G4:1 A4:4 | G4:6 E4:2 C4:8 | D4:3 E4:1 F4:4 A4:3 G4:1 F4:4 | "
      "Bb4:6 A4:2 G4:4 F4:4 | A4:3 A4:1 C5:4 C5:3 D5:1 C5:4 | G4:6 E4:2 G4:4 C5:4 | "
      "D5:4 Bb4:4 C5:3 Bb4:1 G4:4 | F4:4 C4:4 F4:4 r:4";
  line(p[Trumpet], 37, marchTune, 90);
  line(p[Violins], 37, marchTune, 66, 0, 12);
  stabs(p[Brass], march, 3, 53, 67, {4, 12}, 3, 70);
  sustain(p[Horn], march, 3, 53, 67, 62);
  sustain(p[Strings], joined({march, turn}), 4, 52, 72, 60);
  bass(p[Trombone], march, 34, 53, oomPah, 76);
  bass(p[Bass], joined({march, turn}), 28, 50, oomPah, 76);
  bass(p[Low], march, 36, 55, eighths, 58);
  bass(p[Timpani], march, 40, 55, oomPah, 76);
  beat(p[Drums], 37, 8, {{38, "x..ox.o.x..ox.o."}, {36, "x.......x......."}}, 74);
  for (int b : {37, 41}) p[Drums].notes.push_back({at(b), bar, 49, 88});
  line(p[Violins], 45, "D4:2 E4:2 F4:2 G4:2 A4:2 B4:2 C5:2 D5:2 | E5:2 F5:2 G5:12", 62, 24);
  line(p[Trumpet], 46, "G4:4 B4:4 D5:4 F5:4", 92, 10);
  roll(p[Drums], at(45), at(47), 38, 45, 104);
  roll(p[Timpani], at(46), at(47), 43, 60, 106);

  // The voyage, bars 47-68: the theme in full, a rising development, the climax from bar 63.
  const auto voyage1 = chords(47, themeProgression);
  const auto voyage2 = chords(55, "Am | Em | F | C | Dm | Am/C | Bb | G7");
  const auto climax = chords(63, "C | G/B | Am | Em/G | F | Gsus4:2 G:2");
  line(p[Violins], 47, theme, 82);
  line(p[Flute], 47, theme, 66, 0, 12);
  line(p[Horn], 47,
       "E4:8 G4:8 | D4:8 B3:8 | C4:8 E4:8 | B3:16 | A3:8 C4:8 | G3:8 C4:8 | F4:8 D4:8 | E4:16", 70);
  line(p[Violins], 55,
       "A4:4 C5:4 E5:6 D5:2 | B4:8 G4:4 B4:4 | C5:4 F5:4 A5:6 G5:2 | G5:8 E5:4 C5:4 | "
       "D5:4 F5:4 A5:4 F5:4 | E5:8 C5:4 A4:4 | D5:4 F5:4 Bb5:6 A5:2 | G5:6 F5:2 D5:4 B4:4",
       84, 18);
  line(p[Horn], 55, "A3:16 | B3:16 | C4:16 | C4:16 | D4:16 | E4:16 | F4:16 | D4:8 F4:8", 64, 16);
  const std::string_view climaxTune =
      "G4:4 C5:4 E5:6 D5:2 | D5:6 C5:2 B4:4 G4:4 | A4:4 C5:4 E5:4 A5:4 | G5:12 r:4 | "
      "F5:6 E5:2 D5:4 C5:4 | D5:8 B4:4 G4:4";
  line(p[Trumpet], 63, climaxTune, 104, -10);
  line(p[Violins], 63, climaxTune, 98, -12, 12);
  line(p[Flute], 63, climaxTune, 80, -10, 12);
  line(p[Horn], 63, "E4:8 G4:8 | D4:8 B3:8 | C4:8 E4:8 | B3:16 | A3:8 C4:8 | C4:8 B3:8", 84, -10);
  sustain(p[Strings], joined({voyage1, voyage2, climax}), 4, 52, 72, 66);
  sustain(p[Warmth], joined({voyage2, climax}), 4, 55, 74, 58);
  sustain(p[Brass], chords(59, "Dm | Am/C | Bb | G7"), 3, 53, 67, 56);
  swell(p[Brass], at(59), at(63), 80, 124);
  sustain(p[Brass], climax, 4, 52, 70, 86);
  bass(p[Bass], voyage1, 28, 50, halves, 74);
  bass(p[Bass], voyage2, 28, 50, {{0, false}, {6, false}, {8, false}, {12, true}}, 78);
  bass(p[Bass], climax, 28, 50, eighths, 84);
  bass(p[Low], joined({voyage1, voyage2, climax}), 36, 55, eighths, 62);
  arpeggio(p[Harp], joined({voyage1, voyage2}), 48, 79, {0, 2, 4, 6, 7, 6, 4, 2}, 2, 6, 52);
  arpeggio(p[Harp], climax, 48, 84, {0, 1, 2, 3, 4, 5, 6, 7, 8, 7, 6, 5, 4, 3, 2, 1}, 1, 3, 56);
  bass(p[Timpani], voyage1, 40, 55, {{0, false}}, 68);
  bass(p[Timpani], voyage2, 40, 55, oomPah, 74);
  bass(p[Timpani], climax, 40, 55, {{0, false}, {8, true}, {12, false}}, 90);
  roll(p[Timpani], at(62, 8), at(63), 43, 60, 112);
  beat(p[Drums], 47, 8, {{36, "x.......x.x....."}, {38, "....o.......o..."}}, 70);
  beat(p[Drums], 55, 7,
       {{36, "x.......x.x....."}, {38, "....x.......x..."}, {42, "o.o.o.o.o.o.o.o."}}, 78);
  beat(p[Drums], 62, 1, {{36, "x.......x......."}, {41, "........x.x.x.x."}}, 88);
  beat(p[Drums], 63, 5,
       {{36, "x.....x.x.x....."}, {38, "....x.......x..."}, {42, "x.x.x.x.x.x.x.x."}}, 92);
  for (int b : {47, 55, 63, 65}) p[Drums].notes.push_back({at(b), bar, 49, b == 63 ? 110 : 90});
  roll(p[Drums], at(68, 8), at(69), 38, 40, 84);

  // The close, bars 69-71: broad, the minor subdominant, the final chord held.
  const auto close = chords(69, "F | Fm6 | C:6");
  const std::uint32_t end = at(71, 24), length = at(71, 26);
  line(p[Flute], 69, "A4:6 G4:2 F4:4 C5:4 | C5:6 Ab4:2 F4:8 | C5:24", 66, -8);
  line(p[Horn], 69, "F3:8 A3:8 | Ab3:8 F3:8 | E3:24", 56, -6);
  sustain(p[Strings], close, 4, 48, 72, 60);
  swell(p[Strings], at(71), end, 110, 70);
  sustain(p[Warmth], close, 4, 55, 72, 52);
  sustain(p[Pad], chords(70, "Fm6 | C:6"), 4, 52, 72, 50);
  bass(p[Bass], close, 28, 50, {{0, false}}, 62);
  spread(p[Harp], close.back(), 48, 88, end, 52);
  line(p[Celesta], 71, "r:4 E6:3 r:3 G6:2 r:4 C7:8", 44);
  p[Timpani].notes.push_back({at(71), 8 * step, 48, 52});
  p[Drums].notes.push_back({at(69), bar, 49, 54});
  untangle(p);
  return scoreFile({{0, 60.0 * 20 / 17},
                    {at(5), 76.8},
                    {at(21), 256.0 / 3},
                    {at(37), 1200.0 / 13},
                    {at(47), 660.0 / 7},
                    {at(68, 8), 88},
                    {at(69), 72},
                    {at(70), 66},
                    {at(71), 60}},
                   length, p);
}

// The ending theme over the staff credits, about 121 s: a warm piano and oboe tune in G, again
// on the strings over a low counter-line, the horn's middle part, then the tune a step higher
// from 87 s, swelling from 100 s with brass and timpani, and a close on a held A major chord.
std::string endingTheme() {
  enum { Oboe, Horn, Flute, Violins, Strings, Piano, Bass, Low, Pad, Timpani, Brass, Harp };
  std::vector<Part> p{
      {"Oboe", 0, 68, 92, {}},     {"Horn", 1, 60, 92, {}},        {"Flute", 2, 73, 84, {}},
      {"Violins", 3, 48, 96, {}},  {"Strings", 4, 49, 86, {}},     {"Piano", 5, 0, 88, {}},
      {"Bass", 6, 43, 96, {}},     {"Low strings", 7, 48, 80, {}}, {"Warm pad", 8, 89, 66, {}},
      {"Timpani", 10, 47, 96, {}}, {"Brass", 11, 57, 70, {}},      {"Harp", 12, 46, 84, {}}};
  const std::vector<std::pair<int, bool>> whole{{0, false}}, halves{{0, false}, {8, false}},
      beats{{0, false}, {4, false}, {8, true}, {12, false}};
  const std::vector<int> rolling{0, 2, 4, 5, 6, 5, 4, 2};

  const auto intro = chords(0, "G | Cadd9");
  const auto a = chords(2, "G | Bm/F# | Em | G/D | C | G/B | Am7 | D7");
  const auto a2 = chords(10, "G | Bm/F# | Em | G/D | C | G/B | Am7:2 D7:2 | G");
  const auto b = chords(18, "Em | C | G | D/F# | Em | Am7 | D | E7sus4:2 E7:2");
  const auto a3 = chords(26, "A | C#m/G# | F#m | A/E | D | A/C# | Bm7:2 E7:2 | A");
  const auto coda = chords(34, "Dm/A | A:4");
  const std::uint32_t end = at(35, 16), length = at(35, 18);

  arpeggio(p[Piano], joined({intro, a, a2}), 43, 74, rolling, 2, 4, 56);
  arpeggio(p[Piano], b, 43, 74, {0, 3, 5, 3}, 4, 4, 52);
  arpeggio(p[Piano], a3, 45, 76, rolling, 2, 4, 60);
  sustain(p[Strings], joined({intro, a, a2, b, a3, coda}), 4, 52, 71, 50);
  swell(p[Strings], at(0), at(2), 80, 100);
  swell(p[Strings], at(30), at(32), 100, 124);
  swell(p[Strings], at(33), end, 124, 84);
  bass(p[Bass], joined({intro, a, a2}), 28, 50, whole, 60);
  bass(p[Bass], joined({b, chords(26, "A | C#m/G# | F#m | A/E")}), 28, 50, halves, 64);
  bass(p[Bass], chords(30, "D | A/C# | Bm7:2 E7:2 | A"), 28, 50, beats, 72);
  bass(p[Bass], coda, 28, 50, whole, 60);

  // The tune on the oboe, again on the strings with the cello below.
  line(p[Oboe], 2,
       "D5:6 B4:2 G4:4 B4:4 | F#5:6 E5:2 D5:8 | E5:4 G5:4 B4:6 C5:2 | D5:12 r:4 | "
       "E5:6 D5:2 C5:4 E5:4 | D5:6 B4:2 G4:8 | A4:4 C5:4 E5:4 D5:4 | C5:6 B4:2 A4:8",
       72, 4);
  line(p[Violins], 10,
       "D5:6 B4:2 G4:4 B4:4 | A5:6 G5:2 F#5:8 | G5:4 E5:4 B4:6 C5:2 | D5:8 B4:4 D5:4 | "
       "E5:6 F#5:2 G5:4 E5:4 | D5:6 B4:2 G4:4 B4:4 | C5:4 E5:4 D5:4 C5:4 | B4:12 r:4",
       74, 6);
  line(p[Low], 10,
       "G3:8 B3:8 | A3:8 F#3:8 | G3:8 E3:8 | B3:16 | E3:8 G3:8 | D3:16 | E3:8 F#3:8 | G3:16", 62);

  // The middle part on the horn, turning to A major.
  line(p[Horn], 18,
       "B4:6 A4:2 G4:4 E4:4 | G4:6 E4:2 C5:8 | B4:6 A4:2 G4:4 D5:4 | D5:4 C5:2 B4:2 A4:8 | "
       "G4:6 F#4:2 E4:4 B4:4 | C5:6 B4:2 A4:4 E4:4 | F#4:4 A4:4 D5:8 | A4:8 G#4:4 B4:4",
       74, 8);
  line(p[Flute], 22, "r:8 E5:8 | E5:8 C5:8 | D5:8 F#5:8 | E5:16", 56, 6);
  arpeggio(p[Harp], b, 40, 76, rolling, 2, 6, 44);
  roll(p[Timpani], at(25, 8), at(26), 40, 30, 70);

  // The tune a step higher, swelling in its second half.
  line(p[Violins], 26,
       "E5:6 C#5:2 A4:4 C#5:4 | B5:6 A5:2 G#5:8 | A5:4 F#5:4 C#5:6 D5:2 | E5:8 C#5:4 E5:4 | "
       "F#5:6 G#5:2 A5:4 F#5:4 | A5:8 E5:4 C#5:4 | D5:4 F#5:4 E5:4 D5:4 | C#5:12 r:4",
       78, 14);
  line(p[Flute], 30, "F#5:6 G#5:2 A5:4 F#5:4 | A5:8 E5:4 C#5:4 | D5:4 F#5:4 E5:4 D5:4 | C#5:12 r:4",
       64, 0, 12);
  line(p[Horn], 26,
       "A3:8 C#4:8 | B3:8 G#3:8 | A3:8 C#4:8 | C#4:16 | D4:8 F#4:8 | E4:16 | D4:16 | C#4:16", 62,
       12);
  sustain(p[Pad], a3, 4, 55, 72, 52);
  sustain(p[Brass], chords(30, "D | A/C# | Bm7:2 E7:2 | A"), 4, 52, 69, 58);
  swell(p[Brass], at(30), at(31), 60, 112);
  swell(p[Brass], at(32), at(34), 112, 70);
  arpeggio(p[Harp], chords(30, "D | A/C# | Bm7:2 E7:2 | A"), 50, 86,
           {0, 1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1}, 1, 3, 50);
  roll(p[Timpani], at(30, 8), at(31), 45, 40, 92);
  bass(p[Timpani], chords(31, "A/C# | Bm7:2 E7:2"), 40, 55, halves, 66);

  // The close: the minor subdominant and the held tonic.
  line(p[Oboe], 34, "F5:6 E5:2 D5:8 | C#5:16", 62, -6);
  line(p[Low], 34, "F3:8 A3:8 | E3:16", 56);
  sustain(p[Pad], coda, 4, 55, 72, 48);
  spread(p[Harp], coda.back(), 33, 81, end, 50);
  spread(p[Piano], coda.back(), 45, 81, end, 46);
  untangle(p);
  return scoreFile({{0, 72}, {at(34), 66}, {at(35), 58}}, length, p);
}

}  // namespace

void writeMusic(AssetWriter& out) {
  const auto put = [&](std::string_view name, const std::string& bytes) {
    out.write(name, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  };
  put("MIDI/01.MID", openingTheme());
  put("MIDI/02.MID", bridgeTheme());
  put("MIDI/03.MID", tenseTheme());
  put("MIDI/04.MID", patrolTheme());
  put("MIDI/15.MID", endingTheme());
}

}  // namespace zav3::assets
