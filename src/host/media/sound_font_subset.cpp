// Cutting a sound font down to one song: reading its preset, instrument and sample tables,
// keeping the zones the song's notes reach and writing them, re-numbered, with their sample data.
#include "host/media/sound_font_subset.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>

namespace zav3::host {

namespace {

// Generator numbers of the zone tables.
constexpr int instrumentGen = 41;
constexpr int keyRangeGen = 43;
constexpr int sampleIdGen = 53;
// Sample points the format asks to follow each sample, read by interpolation past its end.
constexpr std::uint32_t tailPoints = 46;

std::uint32_t le(const std::string& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[at + i]);
  return v;
}
void putLe(std::string& b, std::size_t at, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<char>(v >> (8 * i) & 0xFF);
}
void appendLe(std::string& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b += static_cast<char>(v >> (8 * i) & 0xFF);
}

// One table of fixed-size records.
struct Table {
  std::string bytes;
  std::size_t size = 0;
  std::size_t count() const { return size ? bytes.size() / size : 0; }
  std::string record(std::size_t i) const { return bytes.substr(i * size, size); }
  std::uint32_t field(std::size_t i, std::size_t offset, int width) const {
    return le(bytes, i * size + offset, width);
  }
};

struct Font {
  std::string info;                     // the INFO list, body and all
  std::uint64_t smplAt = 0, smplSize = 0;  // in the file
  std::uint64_t sm24At = 0, sm24Size = 0;
  Table phdr{{}, 38}, pbag{{}, 4}, pmod{{}, 10}, pgen{{}, 4};
  Table inst{{}, 22}, ibag{{}, 4}, imod{{}, 10}, igen{{}, 4}, shdr{{}, 46};
};

bool readFont(std::ifstream& in, Font& f, std::string& why) {
  auto readAt = [&](std::uint64_t at, std::size_t n, std::string& out) {
    out.resize(n);
    in.seekg(static_cast<std::streamoff>(at));
    in.read(out.data(), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
  };
  std::string head;
  if (!readAt(0, 12, head) || head.compare(0, 4, "RIFF") != 0 || head.compare(8, 4, "sfbk") != 0) {
    return why = "not a sound font", false;
  }
  const std::uint64_t end = 8 + static_cast<std::uint64_t>(le(head, 4, 4));
  bool havePdta = false;
  for (std::uint64_t at = 12; at + 12 <= end;) {
    std::string chunk;
    if (!readAt(at, 12, chunk) || chunk.compare(0, 4, "LIST") != 0) break;
    const std::uint64_t size = le(chunk, 4, 4);
    const std::string kind = chunk.substr(8, 4);
    if (kind == "INFO") {
      if (!readAt(at, static_cast<std::size_t>(8 + size), f.info)) return why = "short INFO", false;
    } else if (kind == "sdta" || kind == "pdta") {
      for (std::uint64_t sub = at + 12; sub + 8 <= at + 8 + size;) {
        std::string h;
        if (!readAt(sub, 8, h)) return why = "short chunk", false;
        const std::string id = h.substr(0, 4);
        const std::uint64_t n = le(h, 4, 4);
        if (id == "smpl") f.smplAt = sub + 8, f.smplSize = n;
        if (id == "sm24") f.sm24At = sub + 8, f.sm24Size = n;
        const std::pair<const char*, Table*> tables[] = {
            {"phdr", &f.phdr}, {"pbag", &f.pbag}, {"pmod", &f.pmod}, {"pgen", &f.pgen},
            {"inst", &f.inst}, {"ibag", &f.ibag}, {"imod", &f.imod}, {"igen", &f.igen},
            {"shdr", &f.shdr}};
        for (const auto& [name, table] : tables) {
          if (id != name) continue;
          if (!readAt(sub + 8, static_cast<std::size_t>(n), table->bytes)) {
            return why = "short table", false;
          }
          havePdta = true;
        }
        sub += 8 + n + (n & 1);
      }
    }
    at += 8 + size + (size & 1);
  }
  if (!havePdta || f.smplSize == 0 || f.phdr.count() < 2 || f.inst.count() < 2 ||
      f.shdr.count() < 2 || f.pbag.count() < 1 || f.ibag.count() < 1) {
    return why = "sound font without its tables", false;
  }
  return true;
}

// The zones [first, last) of record `i` of a header table whose bag index is at `bagField`.
std::pair<std::size_t, std::size_t> zonesOf(const Table& headers, std::size_t i, std::size_t bagField,
                                            const Table& bags) {
  const std::size_t first = headers.field(i, bagField, 2);
  const std::size_t last = headers.field(i + 1, bagField, 2);
  return {std::min(first, bags.count()), std::min(std::max(first, last), bags.count())};
}

struct Zone {
  std::size_t gens[2], mods[2];  // ranges in the generator and modulator tables
  std::bitset<128> range;         // its key range
  long target = -1;               // instrument or sample it sounds, -1 for a global zone
};

Zone zoneOf(const Table& bags, const Table& gens, const Table& mods, std::size_t z, int targetGen) {
  Zone zone{};
  zone.gens[0] = std::min<std::size_t>(bags.field(z, 0, 2), gens.count());
  zone.gens[1] = z + 1 < bags.count() ? std::min<std::size_t>(bags.field(z + 1, 0, 2), gens.count())
                                      : zone.gens[0];
  zone.mods[0] = std::min<std::size_t>(bags.field(z, 2, 2), mods.count());
  zone.mods[1] = z + 1 < bags.count() ? std::min<std::size_t>(bags.field(z + 1, 2, 2), mods.count())
                                      : zone.mods[0];
  zone.gens[1] = std::max(zone.gens[1], zone.gens[0]);
  zone.mods[1] = std::max(zone.mods[1], zone.mods[0]);
  zone.range.set();
  for (std::size_t g = zone.gens[0]; g < zone.gens[1]; ++g) {
    const std::uint32_t oper = gens.field(g, 0, 2);
    const std::uint32_t amount = gens.field(g, 2, 2);
    if (oper == keyRangeGen) {
      zone.range.reset();
      for (std::uint32_t k = amount & 0xFF; k <= std::min<std::uint32_t>(amount >> 8, 127); ++k) {
        zone.range.set(k);
      }
    }
    if (static_cast<int>(oper) == targetGen) zone.target = amount;
  }
  return zone;
}

// Zone tables being written: bags, generators (with the target re-numbered) and modulators.
struct ZoneWriter {
  std::string bags, gens, mods;
  std::size_t genCount = 0, modCount = 0, bagCount = 0;
  void add(const Zone& z, const Table& gens0, const Table& mods0, int targetGen,
           const std::map<long, std::uint32_t>& renumber) {
    appendLe(bags, static_cast<std::uint32_t>(genCount), 2);
    appendLe(bags, static_cast<std::uint32_t>(modCount), 2);
    ++bagCount;
    for (std::size_t g = z.gens[0]; g < z.gens[1]; ++g) {
      std::string r = gens0.record(g);
      if (static_cast<int>(le(r, 0, 2)) == targetGen) putLe(r, 2, renumber.at(le(r, 2, 2)), 2);
      gens += r;
      ++genCount;
    }
    for (std::size_t m = z.mods[0]; m < z.mods[1]; ++m) mods += mods0.record(m);
    modCount += z.mods[1] - z.mods[0];
  }
  void finish() {
    appendLe(bags, static_cast<std::uint32_t>(genCount), 2);
    appendLe(bags, static_cast<std::uint32_t>(modCount), 2);
    gens.append(4, '\0');
    mods.append(10, '\0');
  }
};

std::string chunk(const char* id, const std::string& body) {
  std::string out(id, 4);
  appendLe(out, static_cast<std::uint32_t>(body.size()), 4);
  out += body;
  if (body.size() & 1) out += '\0';
  return out;
}

}  // namespace

std::vector<PresetNeed> presetNeeds(const MidiInfo& song) {
  std::vector<PresetNeed> needs;
  for (int ch = 0; ch < 16; ++ch) {
    const MidiChannelUse& use = song.channels[static_cast<std::size_t>(ch)];
    if (use.firstNote < 0) continue;
    const bool drums = ch == 9;
    std::vector<int> programs = use.programs;
    if (use.firstProgram < 0 || use.firstNote <= use.firstProgram) programs.push_back(0);
    std::vector<int> banks = use.banks;
    banks.push_back(drums ? 128 : 0);
    for (int bank : banks) {
      for (int program : programs) {
        auto it = std::find_if(needs.begin(), needs.end(), [&](const PresetNeed& n) {
          return n.bank == bank && n.program == program && n.drums == drums;
        });
        if (it == needs.end()) it = needs.insert(needs.end(), {bank, program, drums, {}});
        it->keys |= use.keys;
      }
    }
  }
  return needs;
}

std::optional<std::string> soundFontSubset(const std::string& path,
                                           const std::vector<PresetNeed>& needs, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return why = "no sound font " + path, std::nullopt;
  Font f;
  if (!readFont(in, f, why)) return std::nullopt;
  const std::size_t presets = f.phdr.count() - 1;  // the last is the end marker
  const std::size_t instruments = f.inst.count() - 1;
  const std::size_t samples = f.shdr.count() - 1;

  // The presets the synthesizer would select, the missing ones replaced as it replaces them.
  auto find = [&](int bank, int program) -> long {
    for (std::size_t i = 0; i < presets; ++i) {
      if (static_cast<int>(f.phdr.field(i, 20, 2)) == program &&
          static_cast<int>(f.phdr.field(i, 22, 2)) == bank) {
        return static_cast<long>(i);
      }
    }
    return -1;
  };
  std::map<long, std::bitset<128>> presetKeys;
  for (const PresetNeed& n : needs) {
    long p = find(n.bank, n.program);
    if (p < 0) p = n.drums ? find(128, 0) : find(0, n.program);
    if (p < 0 && !n.drums) p = find(0, 0);
    if (p >= 0) presetKeys[p] |= n.keys;
  }

  // Zones the notes reach, and through them the instruments and samples. A zone without a target
  // counts only in first place, where it is the global zone.
  std::map<long, std::bitset<128>> instrumentKeys;
  std::map<long, std::vector<Zone>> presetZones;
  for (const auto& [p, keys] : presetKeys) {
    const auto [first, last] = zonesOf(f.phdr, static_cast<std::size_t>(p), 24, f.pbag);
    for (std::size_t z = first; z < last; ++z) {
      Zone zone = zoneOf(f.pbag, f.pgen, f.pmod, z, instrumentGen);
      const std::bitset<128> reached = zone.range & keys;
      if (zone.target < 0 ? z != first : (reached.none() || zone.target >= static_cast<long>(instruments))) {
        continue;
      }
      if (zone.target >= 0) instrumentKeys[zone.target] |= reached;
      presetZones[p].push_back(zone);
    }
  }
  std::map<long, std::vector<Zone>> instrumentZones;
  std::map<long, std::uint32_t> sampleNumber;
  for (const auto& [i, keys] : instrumentKeys) {
    instrumentZones[i];  // kept even when no zone of it is reached: a preset zone names it
    const auto [first, last] = zonesOf(f.inst, static_cast<std::size_t>(i), 20, f.ibag);
    for (std::size_t z = first; z < last; ++z) {
      Zone zone = zoneOf(f.ibag, f.igen, f.imod, z, sampleIdGen);
      if (zone.target < 0 ? z != first
                          : ((zone.range & keys).none() || zone.target >= static_cast<long>(samples))) {
        continue;
      }
      if (zone.target >= 0) sampleNumber[zone.target] = 0;
      instrumentZones[i].push_back(zone);
    }
  }

  // Sample data: each sample with the points after it, at its new place; read below straight
  // into the new font.
  struct Piece {
    std::uint64_t from, to;
  };
  std::vector<Piece> pieces;
  std::string shdr;
  std::uint32_t next = 0;
  std::uint64_t placed = 0;  // sample points
  for (auto& [s, number] : sampleNumber) number = next++;
  for (const auto& [s, number] : sampleNumber) {
    std::string h = f.shdr.record(static_cast<std::size_t>(s));
    const std::uint32_t start = le(h, 20, 4), end = le(h, 24, 4);
    const std::uint32_t loopEnd = le(h, 32, 4);
    const std::uint64_t points = f.smplSize / 2;
    const std::uint64_t from = std::min<std::uint64_t>(start, points);
    const std::uint64_t to =
        std::min<std::uint64_t>(std::uint64_t{std::max(end, loopEnd)} + tailPoints, points);
    pieces.push_back({from, to});
    const std::int64_t shift = static_cast<std::int64_t>(placed) - static_cast<std::int64_t>(from);
    for (std::size_t field : {20, 24, 28, 32}) {
      putLe(h, field, static_cast<std::uint32_t>(le(h, field, 4) + shift), 4);
    }
    const auto link = sampleNumber.find(static_cast<long>(le(h, 42, 2)));
    putLe(h, 42, link == sampleNumber.end() ? 0 : link->second, 2);
    shdr += h;
    placed += to - from;
  }
  shdr += f.shdr.record(samples);  // the end marker, as the font had it
  placed += tailPoints;

  // Instruments and presets with their zones, in the font's order.
  std::map<long, std::uint32_t> instrumentNumber;
  next = 0;
  for (auto& [i, zones] : instrumentZones) instrumentNumber[i] = next++;
  ZoneWriter iz;
  std::string inst;
  for (const auto& [i, zones] : instrumentZones) {
    std::string r = f.inst.record(static_cast<std::size_t>(i));
    putLe(r, 20, static_cast<std::uint32_t>(iz.bagCount), 2);
    inst += r;
    for (const Zone& z : zones) iz.add(z, f.igen, f.imod, sampleIdGen, sampleNumber);
  }
  std::string endOfInstruments = f.inst.record(instruments);
  putLe(endOfInstruments, 20, static_cast<std::uint32_t>(iz.bagCount), 2);
  inst += endOfInstruments;
  iz.finish();
  ZoneWriter pz;
  std::string phdr;
  for (const auto& [p, zones] : presetZones) {
    std::string r = f.phdr.record(static_cast<std::size_t>(p));
    putLe(r, 24, static_cast<std::uint32_t>(pz.bagCount), 2);
    phdr += r;
    for (const Zone& z : zones) pz.add(z, f.pgen, f.pmod, instrumentGen, instrumentNumber);
  }
  std::string endOfPresets = f.phdr.record(presets);
  putLe(endOfPresets, 24, static_cast<std::uint32_t>(pz.bagCount), 2);
  phdr += endOfPresets;
  pz.finish();

  const std::string pdta = "pdta" + chunk("phdr", phdr) + chunk("pbag", pz.bags) +
                           chunk("pmod", pz.mods) + chunk("pgen", pz.gens) + chunk("inst", inst) +
                           chunk("ibag", iz.bags) + chunk("imod", iz.mods) + chunk("igen", iz.gens) +
                           chunk("shdr", shdr);
  // The font is written into one string of its final size: the sample data is its bulk.
  const bool low = f.sm24Size > 0;
  const std::uint64_t lowBytes = low ? placed + (placed & 1) : 0;
  const std::uint64_t sdtaBytes = 4 + 8 + 2 * placed + (low ? 8 + lowBytes : 0);
  const std::uint64_t bodyBytes = 4 + f.info.size() + 8 + sdtaBytes + 8 + pdta.size();
  std::string out;
  out.reserve(static_cast<std::size_t>(8 + bodyBytes));
  auto header = [&out](const char* id, std::uint64_t size) {
    out.append(id, 4);
    appendLe(out, static_cast<std::uint32_t>(size), 4);
  };
  auto copy = [&](std::uint64_t at, std::uint64_t n) {
    const std::size_t into = out.size();
    out.resize(into + static_cast<std::size_t>(n));
    in.clear();
    in.seekg(static_cast<std::streamoff>(at));
    in.read(out.data() + into, static_cast<std::streamsize>(n));
    return static_cast<std::uint64_t>(in.gcount()) == n;
  };
  header("RIFF", bodyBytes);
  out += "sfbk" + f.info;
  header("LIST", sdtaBytes);
  out += "sdta";
  header("smpl", 2 * placed);
  for (const Piece& piece : pieces) {
    if (!copy(f.smplAt + 2 * piece.from, 2 * (piece.to - piece.from))) {
      return why = "short sample data", std::nullopt;
    }
  }
  out.append(2 * tailPoints, '\0');
  if (low) {
    header("sm24", placed);
    for (const Piece& piece : pieces) {
      if (!copy(f.sm24At + piece.from, piece.to - piece.from)) {
        return why = "short sample data", std::nullopt;
      }
    }
    out.append(static_cast<std::size_t>(tailPoints + (placed & 1)), '\0');
  }
  header("LIST", pdta.size());
  out += pdta;
  return out;
}

}  // namespace zav3::host
