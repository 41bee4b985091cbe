// The audio mixer of the sounding media devices: sound voices (stereo floats at the mixer
// rate) and music sources added together into the output buffer. Safe to call from the game
// thread while the audio thread renders.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace zav3::host {

// Something that makes music at the mixer rate: writes `frames` stereo frames.
class MusicSource {
 public:
  virtual ~MusicSource() = default;
  virtual void render(float* stereo, int frames) = 0;
};

class Mixer {
 public:
  static constexpr int rate = 44100;
  using Samples = std::shared_ptr<const std::vector<float>>;  // interleaved stereo

  // Starts a voice over frames [from, to) of `samples`; returns its id.
  int play(Samples samples, std::size_t fromFrame, std::size_t toFrame);
  // Stops a voice; the frame it had reached, or nothing when it had already ended.
  std::optional<std::size_t> stop(int id);
  // The frame a sounding voice has reached; nothing when it has ended.
  std::optional<std::size_t> position(int id) const;

  void addMusic(MusicSource* source);
  void removeMusic(MusicSource* source);

  // Mixes `frames` stereo frames into `out` (overwritten).
  void render(float* out, int frames);

  // The player's volumes (0..1) and the mute while the window is in the background.
  void setLevels(float music, float effects, bool muted) {
    music_level_.store(music);
    effects_level_.store(effects);
    muted_.store(muted);
  }

  // Held while rendering; a music source's owner takes it to change the source.
  std::mutex& mutex() { return mutex_; }

 private:
  struct Voice {
    int id;
    Samples samples;
    std::size_t position;
    std::size_t end;
  };
  mutable std::mutex mutex_;
  std::vector<Voice> voices_;
  std::vector<MusicSource*> music_;
  std::vector<float> scratch_;
  int nextId_ = 1;
  std::atomic<float> music_level_{1.0f}, effects_level_{1.0f};
  std::atomic<bool> muted_{false};
};

}  // namespace zav3::host
