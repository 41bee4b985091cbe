// Reading the media files the command service plays: wave sound (RIFF WAVE, PCM), standard
// MIDI files (with their tempo map) and AVI movies (frame count and rate). Only the facts the
// service needs for timing and for handing the data to a device are kept.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav3::host {

struct WaveInfo {
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  int blockAlign = 0;          // bytes per sample frame
  std::int64_t byteRate = 0;   // bytes per second
  std::size_t dataOffset = 0;  // of the sample data in the file
  std::size_t dataBytes = 0;   // whole frames only
  std::int64_t frames() const {
    return blockAlign ? static_cast<std::int64_t>(dataBytes) / blockAlign : 0;
  }
  std::int64_t durationUs() const;
};

struct TempoChange {
  std::int64_t tick = 0;
  std::int64_t usPerQuarter = 500000;
};

// What one MIDI channel plays over a song: enough to load only the instruments it needs.
struct MidiChannelUse {
  std::vector<int> programs;         // program changes
  std::vector<int> banks;            // bank selects (controller 0)
  std::int64_t firstNote = -1;       // tick of the first note, -1 without notes
  std::int64_t firstProgram = -1;    // tick of the first program change, -1 without any
  std::bitset<128> keys;             // the notes it plays
};

struct MidiInfo {
  int format = 0;
  int tracks = 0;
  int ticksPerQuarter = 0;  // 0 for SMPTE time
  double smpteTicksPerSecond = 0;
  std::int64_t lengthTicks = 0;     // end of the longest track
  std::vector<TempoChange> tempos;  // sorted by tick, first at tick 0
  std::array<MidiChannelUse, 16> channels;
  std::int64_t tickToUs(std::int64_t tick) const;
  std::int64_t usToTick(std::int64_t us) const;
  std::int64_t durationUs() const { return tickToUs(lengthTicks); }
  // Song pointer units: sixteenth notes.
  std::int64_t ticksPerSixteenth() const { return ticksPerQuarter >= 4 ? ticksPerQuarter / 4 : 1; }
};

struct MovieInfo {
  std::int64_t frames = 0;
  std::int64_t usPerFrame = 0;
  int width = 0;
  int height = 0;
  std::int64_t durationUs() const { return frames * usPerFrame; }
};

// Each returns nothing and sets `why` when the bytes are not a file of that kind.
std::optional<WaveInfo> readWave(std::string_view bytes, std::string& why);
std::optional<MidiInfo> readMidi(std::string_view bytes, std::string& why);
std::optional<MovieInfo> readMovie(std::string_view bytes, std::string& why);

// The sample data as interleaved stereo floats at `rate` (linear interpolation).
std::vector<float> waveToStereo(const WaveInfo& info, std::string_view bytes, int rate);

}  // namespace zav3::host
