// AVI: the demo's movies (01 the patrol ship passing a planet, 02 stars streaking past at
// speed) as small uncompressed AVI files with a PCM sound track, and the marker file COM.TXT
// that tells the game the movie folder is there.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "assets/assets.hpp"
#include "assets/media_writer.hpp"

namespace zav3::assets {
namespace {

constexpr int width = 320;  // shown stretched to 640 x 270
constexpr int height = 135;
constexpr int rate = 12;
constexpr int frameCount = 36;    // 3 seconds
constexpr int soundRate = 22050;  // 16-bit stereo
constexpr int soundFrames = frameCount * soundRate / rate;
constexpr double twoPi = 2.0 * std::numbers::pi;

struct Rgb {
  float r = 0, g = 0, b = 0;
};

// One frame being drawn: colours add up and are clamped when the frame is stored.
class Frame {
 public:
  Frame() : pixels_(width * height) {}

  Rgb& at(int x, int y) { return pixels_[static_cast<std::size_t>(y * width + x)]; }
  void add(int x, int y, Rgb c, float alpha = 1.0f) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    Rgb& p = at(x, y);
    p.r += c.r * alpha, p.g += c.g * alpha, p.b += c.b * alpha;
  }
  void set(int x, int y, Rgb c, float alpha) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    Rgb& p = at(x, y);
    p.r += (c.r - p.r) * alpha, p.g += (c.g - p.g) * alpha, p.b += (c.b - p.b) * alpha;
  }
  // Appends the frame as bottom-up rows of blue, green, red bytes.
  void store(std::string& out) const {
    const auto byte = [](float v) { return static_cast<char>(std::clamp(v, 0.0f, 1.0f) * 255.0f); };
    for (int y = height - 1; y >= 0; --y)
      for (int x = 0; x < width; ++x) {
        const Rgb& p = pixels_[static_cast<std::size_t>(y * width + x)];
        out += byte(p.b), out += byte(p.g), out += byte(p.r);
      }
  }

 private:
  std::vector<Rgb> pixels_;
};

// A fixed star field from a small linear congruential generator.
struct Star {
  float x, y, brightness, speed;
};

std::vector<Star> starField(int count, std::uint32_t seed) {
  std::vector<Star> stars;
  const auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / static_cast<float>(1u << 24);
  };
  for (int i = 0; i < count; ++i) {
    const float x = next() * width, y = next() * height, b = 0.3f + 0.7f * next();
    stars.push_back({x, y, b, 0.5f + 2.0f * next()});
  }
  return stars;
}

// A lit planet: a disc shaded from the upper left with a soft atmosphere rim and bands.
void drawPlanet(Frame& frame, float cx, float cy, float radius) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const float dx = (x - cx) / radius, dy = (y - cy) / radius;
      const float d2 = dx * dx + dy * dy;
      if (d2 < 1.0f) {
        const float dz = std::sqrt(1.0f - d2);
        const float light = std::max(0.0f, -0.6f * dx - 0.4f * dy + 0.7f * dz);
        const float band = 0.85f + 0.15f * std::sin(dy * 14.0f + dx * 2.0f);
        frame.set(x, y, {0.25f * light * band, 0.45f * light * band, 0.8f * light * band},
                  std::min(1.0f, (1.0f - d2) * 40.0f));
      } else if (d2 < 1.2f) {
        const float glow = (1.2f - d2) / 0.2f;
        frame.add(x, y, {0.1f, 0.25f, 0.5f}, glow * glow * 0.6f);
      }
    }
}

// The patrol ship seen from the side, nose to the right, `length` pixels long.
void drawShip(Frame& frame, float cx, float cy, float length, float flicker) {
  const float half = length / 2;
  for (int y = static_cast<int>(cy - half); y <= static_cast<int>(cy + half); ++y)
    for (int x = static_cast<int>(cx - half - 20); x <= static_cast<int>(cx + half); ++x) {
      const float u = (x - cx) / half, v = (y - cy) / half;  // u -1 tail .. 1 nose
      const float hull = 0.16f * std::sqrt(std::max(0.0f, 1.0f - u * u)) + 0.04f;
      if (u >= -1.0f && std::fabs(v) < hull * (u > 0.3f ? (1.0f - u) / 0.7f : 1.0f)) {
        const float shade = 0.55f + 0.4f * (-v / hull);
        frame.set(x, y, {0.75f * shade, 0.78f * shade, 0.8f * shade}, 1.0f);
        if (std::fabs(u - 0.45f) < 0.05f && v < 0.0f && v > -hull * 0.6f)
          frame.set(x, y, {0.4f, 0.9f, 1.0f}, 1.0f);  // the bridge windows
      } else if (u > -0.7f && u < -0.2f && v < 0.0f && v > -0.45f * (u + 0.7f) / 0.5f - 0.1f &&
                 v < -0.1f) {
        frame.set(x, y, {0.55f, 0.56f, 0.6f}, 1.0f);  // the fin
      } else if (u < -1.0f && std::fabs(v) < 0.08f) {
        const float tail = (u + 1.0f) * half / -20.0f;  // 0 at the nozzle, 1 at the end
        frame.add(x, y, {1.0f, 0.6f, 0.3f},
                  (1.0f - tail) * flicker * (1.0f - std::fabs(v) / 0.08f));
      }
    }
}

// Movie 1: slow drifting stars, a planet on the right, the patrol ship gliding across.
void shipPassingPlanet(std::uint32_t index, std::string& out) {
  static const std::vector<Star> stars = starField(220, 7);
  Frame frame;
  const float t = static_cast<float>(index) / frameCount;
  for (const Star& s : stars) {
    const float x = std::fmod(s.x - t * s.speed * 6.0f + width, static_cast<float>(width));
    frame.add(static_cast<int>(x), static_cast<int>(s.y),
              {s.brightness, s.brightness, s.brightness});
  }
  drawPlanet(frame, 230.0f - 10.0f * t, 95.0f, 70.0f);
  const float flicker = 0.8f + 0.2f * static_cast<float>(index % 3) / 2.0f;
  drawShip(frame, -40.0f + t * 380.0f, 55.0f - 12.0f * t, 64.0f, flicker);
  frame.store(out);
}

// Movie 2: the ship's view at speed: stars streaking out of the centre, growing longer.
void starsStreaking(std::uint32_t index, std::string& out) {
  static const std::vector<Star> stars = starField(260, 11);
  Frame frame;
  const float t = static_cast<float>(index) / frameCount;
  const float cx = width / 2.0f, cy = height / 2.0f;
  for (const Star& s : stars) {
    const float dx = (s.x - cx) / cx, dy = (s.y - cy) / cy;
    const float depth = std::fmod(s.speed * 0.4f + t * (1.0f + 2.0f * t), 1.0f);  // 0 far, 1 near
    const float scale = 0.05f + depth * depth * 1.6f;
    const float streak = 0.02f + depth * depth * (0.1f + 0.5f * t);
    for (int k = 0; k < 24; ++k) {
      const float along = scale - streak * static_cast<float>(k) / 24.0f;
      if (along <= 0.0f) break;
      const float fade = (1.0f - static_cast<float>(k) / 24.0f) * s.brightness * (0.3f + depth);
      frame.add(static_cast<int>(cx + dx * cx * along), static_cast<int>(cy + dy * cy * along),
                {0.7f * fade, 0.8f * fade, fade});
    }
  }
  frame.store(out);
}

// A sound track being made: stereo samples in -1..1, stored as 16-bit PCM with short fades at
// both ends so that the movie neither clicks in nor out.
class Track {
 public:
  Track() : left_(soundFrames), right_(soundFrames) {}
  void add(int i, double value, double pan) {  // pan -1 left .. 1 right
    left_[static_cast<std::size_t>(i)] += value * std::sqrt(0.5 * (1.0 - pan));
    right_[static_cast<std::size_t>(i)] += value * std::sqrt(0.5 * (1.0 + pan));
  }
  AviSound store() const {
    AviSound sound;
    sound.channels = 2;
    sound.rate = soundRate;
    sound.bits = 16;
    const int fade = soundRate / 10;
    for (int i = 0; i < soundFrames; ++i) {
      const double edge = std::min(
          {1.0, static_cast<double>(i) / fade, static_cast<double>(soundFrames - 1 - i) / fade});
      for (double v : {left_[static_cast<std::size_t>(i)], right_[static_cast<std::size_t>(i)]}) {
        const auto sample = static_cast<std::int16_t>(std::clamp(v * edge, -1.0, 1.0) * 32000.0);
        putLe(sound.data, static_cast<std::uint16_t>(sample), 2);
      }
    }
    return sound;
  }

 private:
  std::vector<double> left_, right_;
};

// Movie 1's sound: the ship's engine hum, a low buzz with a few harmonics that swells as the
// ship comes close, drops in pitch as it passes and moves from left to right with it.
AviSound engineHum() {
  Track track;
  double phase = 0.0;
  for (int i = 0; i < soundFrames; ++i) {
    const double t = static_cast<double>(i) / soundFrames;
    const double shipX = (-40.0 + t * 380.0) / width;  // where the ship is, 0..1 across
    const double nearness = std::exp(-std::pow((shipX - 0.5) * 2.2, 2.0));
    const double hertz = 70.0 * (1.0 + 0.06 * std::tanh((0.5 - shipX) * 4.0));
    phase += twoPi * hertz / soundRate;
    const double buzz = std::sin(phase) + 0.5 * std::sin(2 * phase) + 0.3 * std::sin(3 * phase) +
                        0.12 * std::sin(5 * phase + 0.4 * std::sin(0.5 * phase));
    track.add(i, 0.22 * (0.35 + 0.65 * nearness) * buzz, std::clamp(shipX * 2 - 1, -0.9, 0.9));
  }
  return track.store();
}

// Movie 2's sound: a soft chime as the drive engages, then a hum climbing in pitch with the
// stars' speed and a breath of wind (filtered noise) that grows with it.
AviSound driveRising() {
  Track track;
  double phase = 0.0, noise = 0.0;
  std::uint32_t seed = 5;
  for (int i = 0; i < soundFrames; ++i) {
    const double t = static_cast<double>(i) / soundFrames;
    const double seconds = static_cast<double>(i) / soundRate;
    double chime = 0.0;
    for (const double hertz : {880.0, 1320.0, 1760.0})
      chime += std::sin(twoPi * hertz * seconds) * std::exp(-seconds * (hertz / 300.0));
    phase += twoPi * (90.0 + 160.0 * t * t) / soundRate;
    const double hum = (std::sin(phase) + 0.35 * std::sin(2 * phase)) * (0.3 + 0.7 * t);
    seed = seed * 1664525u + 1013904223u;
    const double white = static_cast<double>(seed >> 8) / (1u << 23) - 1.0;
    noise += (white - noise) * (0.02 + 0.1 * t);  // opens up as the speed grows
    track.add(i, 0.12 * chime, -0.3);
    track.add(i, 0.12 * chime, 0.3);
    track.add(i, 0.18 * hum, 0.0);
    track.add(i, 0.5 * t * noise, std::sin(seconds * 3.0) * 0.5);
  }
  return track.store();
}

}  // namespace

void writeMovies(AssetWriter& out) {
  const auto put = [&](std::string_view name, const std::string& bytes) {
    out.write(name, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  };
  const AviSound hum = engineHum();
  const AviSound drive = driveRising();
  put("AVI/01.AVI", rawAvi(frameCount, rate, width, height, shipPassingPlanet, &hum));
  put("AVI/02.AVI", rawAvi(frameCount, rate, width, height, starsStreaking, &drive));
  put("AVI/COM.TXT", "zav3 demo movies\r\n");
}

}  // namespace zav3::assets
