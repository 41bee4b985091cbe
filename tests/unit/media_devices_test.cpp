// The sounding media devices on SDL's silent audio driver: wave voices and MIDI songs keep real
// time through the mixer; the service answers as it does headless.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/media/mixer.hpp"
#include "host/media/sdl_media.hpp"
#include "support/media_files.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

class MediaDevicesTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    host_->media =
        std::make_unique<host::Media>(host_->files, host_->forms, clock_, host_->trace,
                                      host::makeSdlMediaBackend(host_->forms, clock_, [] {}));
    folder_ = host_->files.paths().toGame(dir_) + "\\";
  }
  void TearDown() override {
    host_->media.reset();
    ShellFixture::TearDown();
  }
  std::string ask(const std::string& command) {
    EXPECT_EQ(host_->media->sendCommand(m().MCI1, command), 0) << command;
    return host_->media->resultText(m().MCI1);
  }
  host::SteadyClock clock_;
  Bytes folder_;
};

TEST_F(MediaDevicesTest, WaveRangesSoundForTheirLength) {
  writeFile(dir_ / "A.WAV", waveBytes(2, 22050, 16, 88200));  // one second
  ASSERT_EQ(host_->media->sendCommand(m().MCI1, "OPEN " + folder_ + "A.WAV ALIAS WAV1"), 0);
  ask("SET WAV1 TIME FORMAT BYTES");
  EXPECT_EQ(ask("status WAV1 length"), "88200");
  ask("PLAY WAV1 FROM 8820 TO 26460");  // 0.2 s
  EXPECT_EQ(ask("status WAV1 mode"), "playing");
  clock_.sleepMs(700);
  EXPECT_EQ(ask("status WAV1 mode"), "stopped");
  EXPECT_EQ(ask("status WAV1 position"), "26460");
  const auto before = clock_.nowMs();
  ask("PLAY WAV1 FROM 79380 WAIT");  // the last 0.1 s
  EXPECT_GE(clock_.nowMs() - before, 90);
  EXPECT_EQ(ask("status WAV1 mode"), "stopped");
  ask("PLAY WAV1 FROM 0");
  clock_.sleepMs(100);
  ask("STOP WAV1");
  const long at = std::stol(ask("status WAV1 position"));
  EXPECT_GT(at, 0);
  EXPECT_LT(at, 88200);
  EXPECT_EQ(at % 4, 0);
}

TEST_F(MediaDevicesTest, SongsPlayThroughFluidSynth) {
  if (host::findSoundFont().empty()) GTEST_SKIP() << "no General MIDI sound font";
  writeFile(dir_ / "01.MID", tempoChangeSong());  // 1.5 s
  ASSERT_EQ(host_->media->sendCommand(m().MCI1, "OPEN " + folder_ + "01.MID ALIAS MID_M"), 0);
  ask("set MID_M time format song pointer");
  EXPECT_EQ(ask("status MID_M length"), "16");
  ask("PLAY MID_M FROM 0");
  // Real time, on a machine that may be busy: the song is synthesized on a worker thread and its
  // position is what has been heard, so wait (boundedly) for it to get half way, then to end.
  auto waitFor = [&](auto done) {
    for (int i = 0; i < 300 && !done(); ++i) clock_.sleepMs(50);
    return done();
  };
  EXPECT_TRUE(waitFor([&] { return std::stol(ask("status MID_M POSITION")) >= 6; }));
  EXPECT_LE(std::stol(ask("status MID_M POSITION")), 16);
  EXPECT_TRUE(waitFor([&] { return ask("status MID_M mode") == "stopped"; }));
  EXPECT_EQ(ask("status MID_M POSITION"), "16");
  ask("PLAY MID_M FROM 0");
  EXPECT_EQ(ask("status MID_M mode"), "playing");
  ask("close MID_M");
}

TEST_F(MediaDevicesTest, MoviesAreDrawnIntoThePictureAtTheDestination) {
  // Ten frames at 20 a second: red for the first half, then blue.
  writeFile(dir_ / "AVI" / "02.avi", rawAviBytes(10, 20, 16, 8, [](std::uint32_t f) {
              return f < 5 ? 0xFF0000u : 0x0000FFu;
            }));
  const auto mci3 = m().MCI3;
  auto& media = *host_->media;
  ASSERT_EQ(media.sendCommand(mci3, "open " + folder_ + "AVI\\02.avi type AVIVideo alias avideo"),
            0);
  media.sendCommand(mci3, "window avideo handle  " + std::to_string(m().PICTURE2));
  media.sendCommand(mci3, "put avideo destination at 0 0 640 270");
  media.sendCommand(mci3, "set avideo time format frames");
  media.sendCommand(mci3, "realize avideo background");
  media.sendCommand(mci3, "status avideo length");
  ASSERT_EQ(media.resultText(mci3), "10");
  host_->forms.setSize(m().PICTURE2, 640, 270);
  host::Surface& picture = surface(m().PICTURE2);
  picture.fill(0xFF00FF00u);
  const auto before = clock_.nowMs();
  ASSERT_EQ(media.sendCommand(mci3, "play avideo to 10 wait"), 0);
  EXPECT_GE(clock_.nowMs() - before, 400);
  EXPECT_EQ(picture.at(0, 0) & 0xFFFFFFu, 0x0000FFu);
  EXPECT_EQ(picture.at(639, 269) & 0xFFFFFFu, 0x0000FFu);
  EXPECT_EQ(media.sendCommand(mci3, "close avideo"), 0);
  // Not a movie FFmpeg can read.
  writeFile(dir_ / "AVI" / "03.avi", aviBytes(10, 10, 1));
  EXPECT_NE(media.sendCommand(mci3, "open " + folder_ + "AVI\\03.avi type AVIVideo alias avideo"),
            0);
}

TEST(Mixer, VoicesAddAndClipAndEndOnTheirLastFrame) {
  host::Mixer mixer;
  auto half = std::make_shared<std::vector<float>>(std::vector<float>(200, 0.6f));  // 100 frames
  const int a = mixer.play(half, 0, 100);
  const int b = mixer.play(half, 50, 100);
  std::vector<float> out(2 * 60);
  mixer.render(out.data(), 60);
  EXPECT_FLOAT_EQ(out[0], 1.0f);  // 1.2 clipped
  EXPECT_EQ(mixer.position(a), 60u);
  EXPECT_FALSE(mixer.position(b).has_value());
  mixer.render(out.data(), 60);
  EXPECT_FLOAT_EQ(out[0], 0.6f);
  EXPECT_FLOAT_EQ(out[2 * 40], 0.0f);
  EXPECT_FALSE(mixer.position(a).has_value());
  EXPECT_FALSE(mixer.stop(a).has_value());
  EXPECT_FALSE(mixer.position(mixer.play(half, 100, 300)).has_value());  // nothing to play
}

}  // namespace
}  // namespace zav3::testing
