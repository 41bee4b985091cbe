// WAVE: the typing blips (CAPI.WAV, one 1000-byte slot per voice, then the sound cues) and the
// sound effects.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "assets/assets.hpp"
#include "assets/media_writer.hpp"

namespace zav3::assets {
namespace {

constexpr double twoPi = 2.0 * std::numbers::pi;
constexpr int blipRate = 11025;  // 8-bit mono: one byte per sample
constexpr int slotBytes = 1000;  // one voice's slot in the blip file
constexpr int blipBytes = 850;   // the part of a slot a blip plays
constexpr int voiceCount = 10;
constexpr int effectRate = 22050;  // 16-bit mono

// A voice's blip: its pitch, the weight of its second and third harmonics and a small pitch
// drop that makes it sound spoken rather than beeped.
struct Voice {
  double hertz;
  double second;
  double third;
  double drop;
};

// 0 narration, 1 ミナ, 2 the captain (low), 3 the helmsman, 4 the doctor, 5..9 the others.
constexpr std::array<Voice, voiceCount> voices{{
    {880.0, 0.10, 0.00, 0.05},
    {1320.0, 0.15, 0.05, 0.10},
    {330.0, 0.45, 0.25, 0.08},
    {660.0, 0.30, 0.00, 0.15},
    {990.0, 0.05, 0.20, 0.02},
    {740.0, 0.25, 0.10, 0.06},
    {1100.0, 0.35, 0.00, 0.12},
    {550.0, 0.10, 0.30, 0.04},
    {1480.0, 0.05, 0.05, 0.08},
    {440.0, 0.40, 0.15, 0.10},
}};

// Fills one slot with unsigned 8-bit samples: a soft attack, a decay that reaches silence
// well before the end of the played part, and silence after it.
void writeBlip(const Voice& voice, std::string& data) {
  const int fadeEnd = blipBytes - 100;
  double phase = 0.0;
  for (int i = 0; i < slotBytes; ++i) {
    double value = 0.0;
    if (i < fadeEnd) {
      const double t = static_cast<double>(i) / fadeEnd;
      const double attack = std::min(1.0, i / 40.0);
      const double envelope = attack * std::pow(1.0 - t, 2.0);
      phase += twoPi * voice.hertz * (1.0 - voice.drop * t) / blipRate;
      value = envelope *
              (std::sin(phase) + voice.second * std::sin(2 * phase) +
               voice.third * std::sin(3 * phase)) /
              (1.0 + voice.second + voice.third);
    }
    data += static_cast<char>(128 + std::lround(value * 70.0));
  }
}

std::string blipFile() {
  std::string data;
  for (const Voice& voice : voices) writeBlip(voice, data);
  data += soundCueSamples();
  return waveFile(1, blipRate, 8, data);
}

// A 16-bit effect from a function of time (seconds) giving values in [-1, 1], scaled to a
// comfortable level with short fades at both ends.
std::string effectFile(double seconds, const std::function<double(double)>& signal) {
  const int count = static_cast<int>(seconds * effectRate);
  std::string data;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / effectRate;
    const double fade = std::min({1.0, t / 0.01, (seconds - t) / 0.03});
    const double value = std::clamp(signal(t) * fade, -1.0, 1.0) * 0.45;
    putLe(data, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(value * 32767))),
          2);
  }
  return waveFile(1, effectRate, 16, data);
}

// A receiver chirp: three short rising sweeps with a faint carrier hiss under them.
double radioChirp(double t) {
  const double beep = std::fmod(t, 0.16);
  const int index = static_cast<int>(t / 0.16);
  if (index >= 3 || beep > 0.11) return 0.0;
  const double start = 1400.0 + 300.0 * index;
  const double phase = twoPi * (start * beep + 2500.0 * beep * beep);
  const double envelope = std::sin(std::numbers::pi * beep / 0.11);
  return envelope * (0.8 * std::sin(phase) + 0.2 * std::sin(2 * phase));
}

// An alarm: two tones alternating four times a second, square-ish but rounded.
double alarm(double t) {
  const int step = static_cast<int>(t * 4.0);
  const double hertz = step % 2 == 0 ? 880.0 : 660.0;
  const double phase = twoPi * hertz * t;
  const double local = std::fmod(t * 4.0, 1.0);
  const double envelope = std::min(1.0, std::min(local, 1.0 - local) * 20.0);
  return envelope * (std::sin(phase) + std::sin(3 * phase) / 3.0 + std::sin(5 * phase) / 5.0) * 0.8;
}

// A door whoosh: noise through a low-pass filter whose corner sweeps up and back down.
class Whoosh {
 public:
  double operator()(double t) {
    seed_ = seed_ * 1664525u + 1013904223u;
    const double noise = static_cast<double>(seed_ >> 8) / (1u << 24) * 2.0 - 1.0;
    const double shape = std::sin(std::numbers::pi * std::min(1.0, t / 0.7));
    const double corner = 0.01 + 0.12 * shape;
    low_ += corner * (noise - low_);
    lower_ += corner * (low_ - lower_);
    return lower_ * 3.0 * shape;
  }

 private:
  std::uint32_t seed_ = 12345;
  double low_ = 0.0;
  double lower_ = 0.0;
};

}  // namespace

void writeSounds(AssetWriter& out) {
  const auto put = [&](std::string_view name, const std::string& bytes) {
    out.write(name, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  };
  put("WAVE/CAPI.WAV", blipFile());
  put("WAVE/01.WAV", effectFile(0.5, radioChirp));
  put("WAVE/02.WAV", effectFile(1.2, alarm));
  put("WAVE/03.WAV", effectFile(0.7, Whoosh()));
}

}  // namespace zav3::assets
