// The records screen: counting the play records and drawing the summary.
#include "shell/records_screen.hpp"

#include <array>

#include "host/drawing.hpp"
#include "scenario/speech_styles.hpp"
#include "shell/pictures.hpp"

namespace zav3::shell {

namespace {

using host::sj;

// Fields of a play record (see PlayRecordFields).
constexpr std::size_t startedField = 0;
constexpr std::size_t eventsField = 1;
constexpr std::size_t planetField = 2;

constexpr Integer earthBit = 4, marsBit = 8, jupiterBit = 16, saturnBit = 32, uranusBit = 64,
                  neptuneBit = 128, plutoBit = 256;
constexpr Integer notCountedBit = 2;

struct Episode {
  Integer bit;
  Long mask;  // end events that finish it
  const char* name;
};
constexpr std::array<Episode, 7> episodes{{{earthBit, 0x30, "地球編"},
                                           {marsBit, 0x40, "火星編"},
                                           {jupiterBit, 0x100, "木星編"},
                                           {saturnBit, 0xC00, "土星編"},
                                           {uranusBit, 0x1000, "天王星編"},
                                           {neptuneBit, 0x4000, "海王星編"},
                                           {plutoBit, 0x10000, "冥王星編"}}};

// A field as a whole number; a value out of the long range (a damaged file) counts as 0.
Long whole(Single v) {
  return v > -2.0e9f && v < 2.0e9f ? host::toLong(v) : 0;
}

// The course bits of a finished Earth or Saturn episode.
Integer courseOf(Integer planet, Long events) {
  if (planet == earthBit) {
    if ((events & 0x30) == 0x30) return 4;
    if ((events & 0x20) == 0x20) return 2;
    return 1;
  }
  if (planet == saturnBit) {
    if ((events & 0xC00) == 0xC00) return 32;
    if ((events & 0x800) == 0x800) return 16;
    return 8;
  }
  return 0;
}

// Whether an episode not done goes into the list of open ones.
bool listedWhenOpen(Integer bit, Integer done) {
  switch (bit) {
    case marsBit:
    case jupiterBit:
    case uranusBit:
      return (done & plutoBit) == 0;
    case plutoBit:
      return (done & 0x58) != 0x58;
    default:
      return true;  // Earth, Saturn, Neptune
  }
}

Bytes courseTexts(Integer courses, Integer first) {
  static constexpr std::array<const char*, 3> names{"　Ａコース", "　Ｂコース", "　Ｃコース"};
  Bytes out;
  for (int k = 0; k < 3; ++k) {
    if (courses & (first << k)) out += sj(names[static_cast<std::size_t>(k)]);
  }
  return out;
}

}  // namespace

RecordsSummary summariseRecords(const std::vector<PlayRecordFields>& records) {
  RecordsSummary s;
  s.missions = static_cast<int>(records.size());
  for (const PlayRecordFields& r : records) {
    const Long events = whole(r[eventsField]);
    const Integer planet = static_cast<Integer>(whole(r[planetField]));
    if (r[startedField] == 0 && (events & 3) == 0) continue;
    if (planet & notCountedBit) continue;
    bool finished = true;
    for (const Episode& e : episodes) {
      if (planet == e.bit && (events & e.mask) == 0) finished = false;
    }
    if (!finished) continue;
    s.courses |= courseOf(planet, events);
    ++s.successes;
    s.episodesDone |= planet;
  }
  return s;
}

void recordsScreen(Main& m) {
  const RecordsSummary s = summariseRecords(readPlayRecords(m));
  host::Surface& screen = m.host.forms.surface(m.PICTURE1);
  const std::uint32_t back = host::argbOf(m.host.forms.control(m.PICTURE1).backColour);
  host::fillBox(screen, 95, 35, 95 + 450 - 1, 35 + 200 - 1, host::Pen{back}, back);

  const Single x0 = 100;
  Single y = 74;
  m.replyText(0) = "";
  m.replyText(1) = "";
  m.gameVar(47) = 0;
  printText(m, m.PICTURE1, x0 + 150, 38, sj("これまでの成績"), 15);
  printText(m, m.PICTURE1, x0, 56, sj("ミッション成功時の惑星別終了イベント"), 9);
  if (s.episodesDone == 0) {
    printText(m, m.PICTURE1, x0 + 16, 92, sj("どの惑星イベントも終了していません"), 5);
    y = 128;
  }
  for (const Episode& e : episodes) {
    if (s.episodesDone & e.bit) {
      Bytes line = sj(e.name);
      if (e.bit == earthBit) line = sj("地球編（") + courseTexts(s.courses, 1) + sj("　）");
      if (e.bit == saturnBit) line = sj("土星編（") + courseTexts(s.courses, 8) + sj("　）");
      printText(m, m.PICTURE1, x0 + 16, y, line, 11);
      y += 18;
    } else if (listedWhenOpen(e.bit, s.episodesDone)) {
      scenario::appendName(m, sj(e.name));
    }
  }
  const Bytes counts = sj("ミッション数") + host::numberText(static_cast<Long>(s.missions)) +
                       sj("　　成功") + host::numberText(static_cast<Long>(s.successes)) +
                       sj("　　失敗") +
                       host::numberText(static_cast<Long>(s.missions - s.successes));
  printText(m, m.PICTURE1, x0, y, counts, 13);
  if (m.gameVar(47) == 2) m.gameVar(47) = 1;
}

void registerRecordsScreen(scenario::RoutineTable& table) {
  table.add(90, recordsScreen);
}

}  // namespace zav3::shell
