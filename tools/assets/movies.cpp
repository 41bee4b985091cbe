// AVI: the demo's movies (01 the patrol ship passing a planet, 02 stars streaking past at
// speed) as small uncompressed AVI files, and the marker file COM.TXT that tells the game the
// movie folder is there.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/assets.hpp"
#include "assets/media_writer.hpp"

namespace zav3::assets {
namespace {

constexpr int width = 320;  // shown stretched to 640 x 270
constexpr int height = 135;
constexpr int rate = 12;
constexpr int frameCount = 36;  // 3 seconds

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

}  // namespace

void writeMovies(AssetWriter& out) {
  const auto put = [&](std::string_view name, const std::string& bytes) {
    out.write(name, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  };
  put("AVI/01.AVI", rawAvi(frameCount, rate, width, height, shipPassingPlanet));
  put("AVI/02.AVI", rawAvi(frameCount, rate, width, height, starsStreaking));
  put("AVI/COM.TXT", "zav3 demo movies\r\n");
}

}  // namespace zav3::assets
