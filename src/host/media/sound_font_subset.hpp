// A General MIDI sound font cut down to what one song plays: the presets its channels select,
// of those only the zones of the notes it plays, and the instruments and sample data they use,
// written as a sound font of its own. The synthesizer then holds a few hundred kilobytes
// instead of the whole font's tables (about 12 MB for FluidR3_GM) and whole drum kits (11 MB),
// and sounds exactly as with the whole font, since every zone a note of the song can reach is
// there unchanged.
#pragma once

#include <bitset>
#include <optional>
#include <string>
#include <vector>

#include "host/media/media_files.hpp"

namespace zav3::host {

// A preset a song may select, and the notes played with it.
struct PresetNeed {
  int bank = 0;  // 128 for the drum channel's kits
  int program = 0;
  bool drums = false;
  std::bitset<128> keys;
};

// Every preset the song's channels can select, as the synthesizer picks them: the melodic
// channels by the banks and programs they select (bank 0 and program 0 until they do), the
// drum channel (10, numbered 9 here) from the drum bank.
std::vector<PresetNeed> presetNeeds(const MidiInfo& song);

// The sound font at `path` holding only what `needs` asks for; nothing (with `why`) when the
// file is not a sound font this can read.
std::optional<std::string> soundFontSubset(const std::string& path,
                                           const std::vector<PresetNeed>& needs, std::string& why);

}  // namespace zav3::host
