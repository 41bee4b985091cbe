// The fixed sound cues of the blip file CAPI.WAV, after the ten voice slots: the samples from
// byte 10000 up to byte 99199, in the blips' format (8-bit unsigned mono, 11025 Hz). The game plays
// them by byte range: 12000..21999 a two-note console chime (16000..21999 its second note alone),
// 22000..32999 a rising confirmation, 33000..55999 a falling warning sweep, 56000..99199 a
// power-up hum.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "assets/assets.hpp"

namespace zav3::assets {

namespace {

constexpr double rate = 11025;
constexpr double twoPi = 2.0 * std::numbers::pi;
constexpr long cuesFrom = 10000;
constexpr long cuesEnd = 99200;

// A tone of `count` samples starting at `from`: pitch (Hz) and loudness (0..1) as functions of
// the time in seconds since its start.
template <class Pitch, class Level>
void tone(std::string& data, long from, long count, Pitch pitch, Level level) {
  double phase = 0;
  for (long i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    phase += twoPi * pitch(t) / rate;
    const double v = (std::sin(phase) + 0.25 * std::sin(2 * phase)) / 1.25 * level(t);
    data[static_cast<std::size_t>(from - cuesFrom + i)] =
        static_cast<char>(128 + std::lround(v * 70));
  }
}

// Loudness with a 10 ms attack, fading out over `length` seconds to silence.
auto fading(double length) {
  return [length](double t) {
    return std::min(1.0, t / 0.01) * std::pow(std::max(0.0, 1.0 - t / length), 1.5);
  };
}

}  // namespace

std::string soundCueSamples() {
  std::string data(static_cast<std::size_t>(cuesEnd - cuesFrom), static_cast<char>(128));
  auto at = [](double hz) { return [hz](double) { return hz; }; };
  // The chime: two notes, each dying away within its own range.
  tone(data, 12000, 3800, at(1318.5), fading(0.34));
  tone(data, 16000, 5800, at(987.8), fading(0.52));
  // The confirmation: three short notes a fourth apart.
  for (int n = 0; n < 3; ++n) {
    tone(data, 22000 + n * 3600, 3200, at(660.0 * std::pow(4.0 / 3.0, n)), fading(0.28));
  }
  // The warning: a sweep from 1200 down to 400 Hz that swells and fades.
  tone(
      data, 33000, 22600, [](double t) { return 1200 - 390 * t; },
      [](double t) { return std::sin(std::numbers::pi * std::min(1.0, t / 2.05)); });
  // The power-up: a low hum rising an octave, with a slow beat.
  tone(
      data, 56000, 43000, [](double t) { return 110 * std::pow(2.0, t / 3.9); },
      [](double t) {
        return std::min(1.0, t / 0.5) * std::clamp((3.9 - t) / 0.4, 0.0, 1.0) *
               (0.75 + 0.25 * std::sin(t * 9));
      });
  return data;
}

}  // namespace zav3::assets
