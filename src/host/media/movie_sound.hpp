// The sound track of a movie: its audio stream decoded with FFmpeg a little ahead of where it
// plays, converted to the mixer's format and mixed as a music source, so that it sounds in
// step with the movie's frames.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/media/mixer.hpp"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;

namespace zav3::host {

class MovieSound final : public MusicSource {
 public:
  // How far ahead of the mixer the track is decoded.
  static constexpr int aheadFrames = Mixer::rate;

  // The track of the movie at `path`, mixed into `mixer`. Null when the movie has no sound
  // track (`why` left empty) or when it has one no decoder takes (`why` says what failed).
  static std::unique_ptr<MovieSound> open(const std::string& path, Mixer& mixer, std::string& why);
  ~MovieSound() override;
  MovieSound(const MovieSound&) = delete;
  MovieSound& operator=(const MovieSound&) = delete;

  // Starts sounding at `fromUs` of the movie at the mixer's next block and falls silent at
  // `toUs`; replaces what played.
  void play(std::int64_t fromUs, std::int64_t toUs);
  // Silences the track and leaves the mixer.
  void stop();
  // Decodes until the track is `aheadFrames` ahead of the mixer again. Game thread only.
  void pump();
  // True from a play until the range has been mixed or the track stopped.
  bool sounding();

  // Called by the mixer with its lock held.
  void render(float* stereo, int frames) override;

 private:
  explicit MovieSound(Mixer& mixer) : mixer_(mixer) {}
  bool openFile(const std::string& path, std::string& why);
  // The next piece of the track converted into `converted_`; false at its end.
  bool decode();
  bool convert();
  void append(std::int64_t at, const float* samples, std::int64_t frames);

  Mixer& mixer_;
  // Decoding, on the game thread.
  AVFormatContext* format_ = nullptr;
  AVCodecContext* decoder_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
  SwrContext* resampler_ = nullptr;
  int stream_ = -1;
  int resamplerFormat_ = -1, resamplerRate_ = 0, resamplerChannels_ = 0;
  std::vector<float> converted_;
  std::int64_t fromUs_ = 0;
  std::int64_t decodedTo_ = 0;  // mixer frame (from the play) after the last decoded sample
  bool placed_ = false;         // whether the first piece after a play has been placed
  bool draining_ = false;
  bool ended_ = false;
  bool inMixer_ = false;
  // Shared with the audio thread under the mixer's lock. Frames count from the play.
  std::vector<float> queue_;   // interleaved stereo
  std::size_t head_ = 0;       // floats of `queue_` already mixed
  std::int64_t queueAt_ = 0;   // frame of `queue_[head_]`
  std::int64_t mixed_ = 0;     // frames mixed since the play
  std::int64_t endFrame_ = 0;  // where the range ends
  bool active_ = false;
};

}  // namespace zav3::host
