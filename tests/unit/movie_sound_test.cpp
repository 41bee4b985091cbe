// Movie sound tracks: the demo movies' tracks decoded into a mixer rendered by the test (no
// audio device), in step with the frames, silenced by stop and close; movies without a track
// or with a damaged one still play their frames; headless devices only keep the frame time.
#include "host/media/movie_sound.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "host/media/mixer.hpp"
#include "host/media/sdl_media.hpp"
#include "support/media_files.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

using host::Mixer;
using host::MovieSound;

constexpr std::int64_t demoFrames = 3 * Mixer::rate;  // the demo movies last 3 seconds

std::string demoMovie(const char* name) {
  return std::string(ZAV3_DEMO_DIR) + "/AVI/" + name;
}

bool silent(const std::vector<float>& samples, std::int64_t fromFrame, std::int64_t toFrame) {
  return std::all_of(samples.begin() + fromFrame * 2, samples.begin() + toFrame * 2,
                     [](float v) { return v == 0.0f; });
}

double energy(const std::vector<float>& samples, std::int64_t fromFrame, std::int64_t toFrame,
              int channel) {
  double sum = 0;
  for (std::int64_t f = fromFrame; f < toFrame; ++f) {
    const double v = samples[static_cast<std::size_t>(f * 2 + channel)];
    sum += v * v;
  }
  return sum / static_cast<double>(toFrame - fromFrame);
}

// Renders `frames` frames in blocks of `block`, letting the track decode before each block
// unless `starveFrom` <= the block's start < `starveTo`.
std::vector<float> mix(Mixer& mixer, MovieSound& sound, std::int64_t frames, int block = 1024,
                       std::int64_t starveFrom = -1, std::int64_t starveTo = -1) {
  std::vector<float> out(static_cast<std::size_t>(frames) * 2);
  for (std::int64_t done = 0; done < frames; done += block) {
    if (done < starveFrom || done >= starveTo) sound.pump();
    const int n = static_cast<int>(std::min<std::int64_t>(block, frames - done));
    mixer.render(out.data() + done * 2, n);
  }
  return out;
}

TEST(MovieSound, DemoTracksSoundForTheMovieLengthAndNoLonger) {
  for (const char* name : {"01.AVI", "02.AVI"}) {
    SCOPED_TRACE(name);
    Mixer mixer;
    std::string why;
    const auto sound = MovieSound::open(demoMovie(name), mixer, why);
    ASSERT_TRUE(sound) << why;
    sound->play(0, 3000000);
    EXPECT_TRUE(sound->sounding());
    const std::vector<float> out = mix(mixer, *sound, demoFrames + Mixer::rate / 2);
    std::int64_t first = -1, last = -1;
    for (std::int64_t f = 0; f < static_cast<std::int64_t>(out.size() / 2); ++f) {
      if (out[f * 2] != 0.0f || out[f * 2 + 1] != 0.0f) {
        if (first < 0) first = f;
        last = f;
      }
    }
    EXPECT_GE(first, 0);
    EXPECT_LT(first, Mixer::rate / 100);
    EXPECT_GT(last, demoFrames - Mixer::rate / 100);
    EXPECT_LT(last, demoFrames);
    // Audible all through, not only at the edges.
    for (std::int64_t at = Mixer::rate / 10; at + 4410 < demoFrames - Mixer::rate / 10;
         at += 4410) {
      EXPECT_GT(energy(out, at, at + 4410, 0) + energy(out, at, at + 4410, 1), 1e-4) << at;
    }
    EXPECT_FALSE(sound->sounding());
    if (std::string(name) == "01.AVI") {
      // The ship crosses from left to right, and its hum with it.
      const std::int64_t tenth = Mixer::rate / 10;
      EXPECT_GT(energy(out, tenth, 6 * tenth, 0), 2 * energy(out, tenth, 6 * tenth, 1));
      EXPECT_GT(energy(out, 24 * tenth, 29 * tenth, 1), 2 * energy(out, 24 * tenth, 29 * tenth, 0));
    }
  }
}

TEST(MovieSound, StaysInStepWhenDecodingFallsBehindAndWhenPlayedFromTheMiddle) {
  Mixer mixer;
  std::string why;
  const auto sound = MovieSound::open(demoMovie("02.AVI"), mixer, why);
  ASSERT_TRUE(sound) << why;
  sound->play(0, 3000000);
  const std::vector<float> whole = mix(mixer, *sound, demoFrames);
  // Nothing decoded for 2 seconds: the mixer runs dry, then the track resumes where the
  // movie is by then, not where it stopped.
  sound->play(0, 3000000);
  const std::vector<float> starved =
      mix(mixer, *sound, demoFrames, 1024, 10 * 1024, 10 * 1024 + 2 * Mixer::rate);
  const std::int64_t dry = 10 * 1024 + MovieSound::aheadFrames + 8192;
  const std::int64_t back = 10 * 1024 + 2 * Mixer::rate + 1024;
  EXPECT_TRUE(silent(starved, dry, back - 1024));
  ASSERT_LT(back + 4096, demoFrames);
  for (std::int64_t f = back; f < back + 4096; ++f) {
    ASSERT_FLOAT_EQ(starved[f * 2], whole[f * 2]) << f;
  }
  // From 1.5 s: the first frame mixed is the one 1.5 s into the track.
  sound->play(1500000, 3000000);
  const std::vector<float> half = mix(mixer, *sound, demoFrames / 2 + 2048);
  const std::int64_t middle = demoFrames / 2;
  for (std::int64_t f = 256; f < 8192; ++f) {
    ASSERT_NEAR(half[f * 2], whole[(middle + f) * 2], 1e-3) << f;
  }
  EXPECT_TRUE(silent(half, middle, middle + 2048));
}

TEST(MovieSound, StopSilencesAtOnceAndPlayStartsAgain) {
  Mixer mixer;
  std::string why;
  const auto sound = MovieSound::open(demoMovie("02.AVI"), mixer, why);
  ASSERT_TRUE(sound) << why;
  sound->play(0, 3000000);
  std::vector<float> out = mix(mixer, *sound, Mixer::rate / 2);
  EXPECT_FALSE(silent(out, Mixer::rate / 4, Mixer::rate / 2));
  sound->stop();
  EXPECT_FALSE(sound->sounding());
  EXPECT_TRUE(silent(mix(mixer, *sound, 8192), 0, 8192));
  sound->play(500000, 1000000);
  out = mix(mixer, *sound, Mixer::rate);
  EXPECT_FALSE(silent(out, 0, Mixer::rate / 4));
  EXPECT_TRUE(silent(out, Mixer::rate / 2, Mixer::rate));  // the range ended at 1 s
}

TEST(MovieSound, MoviesWithoutATrackOrWithAnUnknownOneGiveNone) {
  const auto dir = std::filesystem::temp_directory_path() / "zav3-movie-sound-none";
  writeFile(dir / "silent.avi", rawAviBytes(4, 10, 8, 8, [](std::uint32_t) { return 0x808080u; }));
  assets::AviSound unknown;
  unknown.formatTag = 0x7777;
  unknown.data = std::string(8000, '\x11');
  writeFile(dir / "unknown.avi",
            assets::rawAvi(
                4, 10, 8, 8,
                [](std::uint32_t, std::string& out) { out += std::string(8 * 8 * 3, '\x40'); },
                &unknown));
  Mixer mixer;
  std::string why = "stale";
  EXPECT_FALSE(MovieSound::open((dir / "silent.avi").string(), mixer, why));
  EXPECT_TRUE(why.empty());
  EXPECT_FALSE(MovieSound::open((dir / "unknown.avi").string(), mixer, why));
  EXPECT_FALSE(why.empty());
  EXPECT_FALSE(MovieSound::open((dir / "none.avi").string(), mixer, why));
  std::filesystem::remove_all(dir);
}

// The whole service sounding into a mixer the test renders, on a virtual clock.
class MovieSoundServiceTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    host_->media = std::make_unique<host::Media>(host_->files, host_->forms, clock_, host_->trace,
                                                 host::makeMixerMediaBackend(
                                                     host_->forms, clock_, [] {}, mixer_));
    folder_ = host_->files.paths().toGame(dir_) + "\\";
    host_->forms.setSize(m().PICTURE2, 640, 270);
  }
  void TearDown() override {
    host_->media.reset();
    ShellFixture::TearDown();
  }
  Long send(const std::string& command) { return host_->media->sendCommand(m().MCI3, command); }
  Long openMovie(const std::string& name) {
    const Long error = send("open " + folder_ + "AVI\\" + name + " type AVIVideo alias avideo");
    if (error == 0) {
      send("window avideo handle  " + std::to_string(m().PICTURE2));
      send("put avideo destination at 0 0 640 270");
      send("set avideo time format frames");
    }
    return error;
  }
  // Lets `ms` pass in steps of 20 ms, the mixer rendering each step after the devices ran.
  std::vector<float> run(int ms) {
    constexpr int step = Mixer::rate / 50;
    std::vector<float> out(static_cast<std::size_t>(ms / 20) * step * 2);
    for (int i = 0; i < ms / 20; ++i) {
      host_->media->idle(20);
      mixer_.render(out.data() + static_cast<std::size_t>(i) * step * 2, step);
    }
    return out;
  }
  std::string status(const std::string& item) {
    send("status avideo " + item);
    return host_->media->resultText(m().MCI3);
  }
  // A movie with a track of 22050 Hz stereo PCM, `frames` frames of grey at 10 a second.
  static std::string movieWith(const assets::AviSound& sound, std::uint32_t frames = 10) {
    return assets::rawAvi(
        frames, 10, 16, 8,
        [](std::uint32_t, std::string& out) { out += std::string(16 * 8 * 3, '\x80'); }, &sound);
  }
  host::VirtualClock clock_;
  Mixer mixer_;  // outlives the service
  Bytes folder_;
};

TEST_F(MovieSoundServiceTest, TrackSoundsWithTheFramesAndStopAndCloseSilenceIt) {
  std::filesystem::create_directories(dir_ / "AVI");
  std::filesystem::copy_file(demoMovie("02.AVI"), dir_ / "AVI" / "02.avi");
  ASSERT_EQ(openMovie("02.avi"), 0);
  EXPECT_EQ(status("length"), "36");
  surface(m().PICTURE2).fill(0xFF00FF00u);
  ASSERT_EQ(send("play avideo to 36"), 0);
  std::vector<float> out = run(1000);
  // The first second of the track, from the first block mixed after the play on.
  Mixer alone;
  std::string why;
  const auto track = MovieSound::open(demoMovie("02.AVI"), alone, why);
  ASSERT_TRUE(track) << why;
  track->play(0, 3000000);
  const std::vector<float> expected = mix(alone, *track, Mixer::rate, Mixer::rate / 50);
  ASSERT_EQ(out.size(), expected.size());
  for (std::size_t i = 0; i < out.size(); ++i) ASSERT_FLOAT_EQ(out[i], expected[i]) << i;
  EXPECT_EQ(status("mode"), "playing");
  EXPECT_NE(surface(m().PICTURE2).at(320, 135), 0xFF00FF00u);
  ASSERT_EQ(send("stop avideo"), 0);
  EXPECT_EQ(status("position"), "12");
  EXPECT_TRUE(silent(run(200), 0, Mixer::rate / 5));
  // Played on from frame 12 it sounds until frame 36, 2 seconds later, and then falls silent.
  ASSERT_EQ(send("play avideo"), 0);
  out = run(2500);
  EXPECT_FALSE(silent(out, 0, Mixer::rate / 50));
  EXPECT_FALSE(silent(out, 2 * Mixer::rate - 882 * 6, 2 * Mixer::rate - 882 * 5));
  EXPECT_TRUE(silent(out, 2 * Mixer::rate, out.size() / 2));
  EXPECT_EQ(status("mode"), "stopped");
  ASSERT_EQ(send("play avideo from 0 to 36"), 0);
  EXPECT_FALSE(silent(run(500), Mixer::rate / 5, Mixer::rate / 2));
  ASSERT_EQ(send("close avideo"), 0);
  EXPECT_TRUE(silent(run(200), 0, Mixer::rate / 5));
}

TEST_F(MovieSoundServiceTest, SilentAndDamagedTracksStillShowTheFrames) {
  std::vector<std::pair<std::string, std::string>> movies;
  movies.emplace_back("silent",
                      rawAviBytes(10, 10, 16, 8, [](std::uint32_t) { return 0x808080u; }));
  assets::AviSound mp3;  // an MPEG audio track of noise
  mp3.formatTag = 0x55;
  for (int i = 0; i < 22050; ++i) mp3.data += static_cast<char>(i * 7919 % 251);
  movies.emplace_back("mp3", movieWith(mp3));
  assets::AviSound noChannels;
  noChannels.channels = 0;
  noChannels.data = std::string(4000, '\x20');
  movies.emplace_back("nochannels", movieWith(noChannels));
  assets::AviSound oddRate;  // a rate no resampler takes
  oddRate.rate = 1;
  oddRate.data = std::string(4000, '\x20');
  movies.emplace_back("oddrate", movieWith(oddRate));
  assets::AviSound cut;  // the header promises far more than the chunks hold
  cut.data = std::string(400, '\x30');
  std::string cutMovie = movieWith(cut);
  movies.emplace_back("cut", cutMovie.substr(0, cutMovie.size() * 2 / 3));
  for (const auto& [name, bytes] : movies) {
    SCOPED_TRACE(name);
    writeFile(dir_ / "AVI" / (name + ".avi"), bytes);
    surface(m().PICTURE2).fill(0xFF00FF00u);
    const Long opened = openMovie(name + ".avi");
    if (opened != 0) {  // a clean refusal is fine for the damaged ones
      EXPECT_NE(name, "silent");
      EXPECT_FALSE(host_->media->aliasOpen("avideo"));
      continue;
    }
    const auto before = clock_.nowMs();
    ASSERT_EQ(send("play avideo to 10 wait"), 0);
    if (name != "cut") {
      EXPECT_GE(clock_.nowMs() - before, 900);  // until the last frame at least
    }
    EXPECT_EQ(surface(m().PICTURE2).at(0, 0) & 0xFFFFFFu, 0x808080u);
    EXPECT_EQ(status("mode"), "stopped");
    EXPECT_TRUE(silent(run(100), 0, Mixer::rate / 10));
    EXPECT_EQ(send("close avideo"), 0);
  }
}

class HeadlessMovieTest : public ShellFixture {};

TEST_F(HeadlessMovieTest, MoviesWithATrackLastTheirFrames) {
  std::filesystem::create_directories(dir_ / "AVI");
  std::filesystem::copy_file(demoMovie("01.AVI"), dir_ / "AVI" / "01.avi");
  host::Media& media = *host_->media;
  const Bytes folder = host_->files.paths().toGame(dir_) + "\\";
  ASSERT_EQ(
      media.sendCommand(m().MCI3, "open " + folder + "AVI\\01.avi type AVIVideo alias avideo"), 0);
  media.sendCommand(m().MCI3, "status avideo length");
  EXPECT_EQ(media.resultText(m().MCI3), "36");
  const auto before = now();
  ASSERT_EQ(media.sendCommand(m().MCI3, "play avideo to 36 wait"), 0);
  EXPECT_GE(now() - before, 2990);
  EXPECT_LT(now() - before, 3020);
  EXPECT_EQ(media.sendCommand(m().MCI3, "close avideo"), 0);
}

}  // namespace
}  // namespace zav3::testing
