// The multimedia command service on the headless devices: per-control outcomes, aliases shared
// by the controls, time formats and durations taken from the files, and bad files.
#include <gtest/gtest.h>

#include "host/error.hpp"
#include "host/media/media.hpp"
#include "support/media_files.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

class MediaCommandsTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    folder_ = host_->files.paths().toGame(dir_) + "\\";
  }
  host::Media& media() { return *host_->media; }
  Long send(host::Handle device, const std::string& command) {
    return media().sendCommand(device, command);
  }
  // Sends and returns the result text of `device`.
  std::string ask(host::Handle device, const std::string& command) {
    EXPECT_EQ(send(device, command), 0) << command;
    return media().resultText(device);
  }
  void write(const std::string& name, const std::string& bytes) { writeFile(dir_ / name, bytes); }
  Bytes folder_;
};

TEST_F(MediaCommandsTest, AliasNotOpenAndUnknownCommandsOnlySetTheError) {
  const auto mci1 = m().MCI1;
  EXPECT_NE(send(mci1, "PLAY WAV1 FROM 0"), 0);
  EXPECT_EQ(media().errorNumber(mci1), host::mediaError::aliasNotOpen);
  EXPECT_FALSE(host::Media::errorText(media().errorNumber(mci1)).empty());
  EXPECT_EQ(send(mci1, "status MID_M mode"), host::mediaError::aliasNotOpen);
  EXPECT_EQ(send(mci1, "close avideo"), host::mediaError::aliasNotOpen);
  EXPECT_EQ(send(mci1, "FLY WAV1"), host::mediaError::unknownCommand);
  EXPECT_EQ(send(mci1, ""), host::mediaError::unknownCommand);
  EXPECT_NE(host::Media::errorText(host::mediaError::unknownCommand),
            host::Media::errorText(host::mediaError::aliasNotOpen));
  // The service still works afterwards and success resets the error.
  write("A.WAV", waveBytes(1, 11025, 8, 11025));
  EXPECT_EQ(send(mci1, "OPEN " + folder_ + "A.WAV ALIAS WAV1 "), 0);
  EXPECT_EQ(media().errorNumber(mci1), 0);
  // Only media device controls carry commands.
  EXPECT_THROW(send(m().PICTURE1, "status WAV1 mode"), host::RuntimeError);
}

TEST_F(MediaCommandsTest, ResultsArePerControlAndAnEmptyResultClearsThePrevious) {
  write("A.WAV", waveBytes(1, 11025, 8, 11025));
  const auto mci1 = m().MCI1, mci2 = m().MCI2;
  ASSERT_EQ(send(mci1, "OPEN " + folder_ + "A.WAV ALIAS WAV1 "), 0);
  // The alias opened through MCI1 answers through MCI2; the outcome stays with MCI2.
  EXPECT_EQ(ask(mci2, "status WAV1 mode"), "stopped");
  EXPECT_EQ(media().resultText(mci1), "");
  EXPECT_EQ(ask(mci1, "status wav1 LENGTH"), "1000");
  EXPECT_EQ(ask(mci1, "SET WAV1 TIME FORMAT BYTES"), "");
  EXPECT_EQ(ask(mci1, "status WAV1 length"), "11025");
  // A failed command has no result either.
  EXPECT_NE(send(mci1, "status MID_M mode"), 0);
  EXPECT_EQ(media().resultText(mci1), "");
  EXPECT_EQ(media().resultText(mci2), "stopped");
  // Aliases are unique while open and free again after close.
  EXPECT_EQ(send(mci2, "OPEN " + folder_ + "A.WAV ALIAS WAV1"), host::mediaError::aliasInUse);
  EXPECT_EQ(send(mci2, "CLOSE WAV1"), 0);
  EXPECT_EQ(send(mci1, "OPEN " + folder_ + "A.WAV ALIAS WAV1 WAIT"), 0);
}

TEST_F(MediaCommandsTest, WaveTimingFollowsTheHeader) {
  // 8000 Hz, 16-bit stereo: 32000 bytes a second.
  write("S.WAV", waveBytes(2, 8000, 16, 32000));
  const auto mci1 = m().MCI1;
  ASSERT_EQ(send(mci1, "OPEN " + folder_ + "S.WAV ALIAS WAV1 WAIT"), 0);
  ASSERT_EQ(send(mci1, "SET WAV1 TIME FORMAT BYTES"), 0);
  const std::int64_t start = now();
  ASSERT_EQ(send(mci1, "PLAY WAV1 FROM 16000 TO 24000"), 0);  // a quarter second
  EXPECT_EQ(ask(mci1, "status WAV1 mode"), "playing");
  host_->media->idle(100);
  EXPECT_EQ(ask(mci1, "status WAV1 position"), "19200");
  host_->media->idle(149);
  EXPECT_EQ(ask(mci1, "status WAV1 mode"), "playing");
  host_->media->idle(1);
  EXPECT_EQ(ask(mci1, "status WAV1 mode"), "stopped");
  EXPECT_EQ(ask(mci1, "status WAV1 position"), "24000");
  EXPECT_EQ(now() - start, 250);
  // A position inside a sample frame counts from the frame's start.
  ASSERT_EQ(send(mci1, "PLAY WAV1 FROM 16003 TO 16003"), 0);
  EXPECT_EQ(ask(mci1, "status WAV1 position"), "16000");
  // A stop keeps the position; ranges past the end are refused.
  ASSERT_EQ(send(mci1, "PLAY WAV1 FROM 0"), 0);
  host_->media->idle(500);
  ASSERT_EQ(send(mci1, "STOP WAV1"), 0);
  EXPECT_EQ(ask(mci1, "status WAV1 position"), "16000");
  EXPECT_EQ(send(mci1, "PLAY WAV1 FROM 0 TO 32001"), host::mediaError::outOfRange);
  EXPECT_EQ(send(mci1, "PLAY WAV1 FROM 32004"), host::mediaError::outOfRange);
  EXPECT_EQ(send(mci1, "PLAY WAV1 FROM 100 TO 4"), host::mediaError::outOfRange);
  EXPECT_EQ(send(mci1, "PLAY WAV1 FROM -4"), host::mediaError::badKeyword);
  // "wait" blocks for the whole range.
  const std::int64_t before = now();
  ASSERT_EQ(send(mci1, "PLAY WAV1 FROM 0 WAIT"), 0);
  EXPECT_GE(now() - before, 1000);
  EXPECT_LT(now() - before, 1020);
  EXPECT_EQ(ask(mci1, "status WAV1 mode"), "stopped");
  // 8-bit mono at 11025 Hz: one byte a sample.
  write("M.WAV", waveBytes(1, 11025, 8, 5513));
  ASSERT_EQ(send(mci1, "OPEN " + folder_ + "M.WAV ALIAS M"), 0);
  EXPECT_EQ(ask(mci1, "status M length"), "500");
}

TEST_F(MediaCommandsTest, MidiTimingFollowsTheTempoMap) {
  write("01.MID", tempoChangeSong());
  const auto mci2 = m().MCI2;
  ASSERT_EQ(send(mci2, "OPEN " + folder_ + "01.MID ALIAS MID_M"), 0);
  // Two quarters at 120 bpm (1 s) and two at 240 bpm (0.5 s).
  EXPECT_EQ(ask(mci2, "status MID_M length"), "1500");
  ASSERT_EQ(send(mci2, "set MID_M time format song pointer"), 0);
  EXPECT_EQ(ask(mci2, "status MID_M length"), "16");
  ASSERT_EQ(send(mci2, "PLAY MID_M FROM 0"), 0);
  host_->media->idle(1250);
  EXPECT_EQ(ask(mci2, "status MID_M POSITION"), "12");
  EXPECT_EQ(ask(mci2, "status MID_M mode"), "playing");
  host_->media->idle(250);
  EXPECT_EQ(ask(mci2, "status MID_M mode"), "stopped");
  // From a song pointer in the fast part.
  ASSERT_EQ(send(mci2, "PLAY MID_M FROM 12"), 0);
  host_->media->idle(249);
  EXPECT_EQ(ask(mci2, "status MID_M mode"), "playing");
  host_->media->idle(1);
  EXPECT_EQ(ask(mci2, "status MID_M mode"), "stopped");
  // Frames mean nothing to a song.
  EXPECT_EQ(send(mci2, "set MID_M time format frames"), host::mediaError::badKeyword);

  const host::MidiInfo info = [] {
    std::string why;
    return *host::readMidi(tempoChangeSong(), why);
  }();
  EXPECT_EQ(info.tickToUs(192), 1000000);
  EXPECT_EQ(info.usToTick(1000000), 192);
  EXPECT_EQ(info.usToTick(1250000), 288);
  EXPECT_EQ(info.lengthTicks, 384);
}

TEST_F(MediaCommandsTest, MovieLengthIsItsFrameCountAndPlayWaitBlocks) {
  write("AVI/02.avi", aviBytes(30, 15, 1));
  const auto mci3 = m().MCI3;
  ASSERT_EQ(send(mci3, "open " + folder_ + "AVI\\02.avi type AVIVideo alias avideo"), 0);
  EXPECT_EQ(send(mci3, "window avideo handle  " + std::to_string(m().PICTURE2)), 0);
  EXPECT_EQ(send(mci3, "put avideo destination at 0 0 640 270"), 0);
  EXPECT_EQ(send(mci3, "set avideo time format frames"), 0);
  EXPECT_EQ(send(mci3, "realize avideo background"), 0);
  EXPECT_EQ(ask(mci3, "status avideo length"), "30");
  const std::int64_t before = now();
  ASSERT_EQ(send(mci3, "play avideo to 30 wait"), 0);
  EXPECT_GE(now() - before, 2000);
  EXPECT_LT(now() - before, 2020);
  EXPECT_EQ(send(mci3, "close avideo"), 0);
  EXPECT_FALSE(media().aliasOpen("avideo"));
}

TEST_F(MediaCommandsTest, BadFilesGiveAnErrorNumber) {
  const auto mci1 = m().MCI1;
  const std::string wave = waveBytes(1, 8000, 8, 800);
  write("CUT.WAV", wave.substr(0, 30));
  write("BADFMT.WAV", [&] {
    std::string w = waveBytes(1, 8000, 8, 800);
    w[20] = 2;  // not PCM
    return w;
  }());
  write("BAD.MID", std::string("MThd\x00\x00\x00\x06\x00\x01\x00\x00\x00\x60", 14));
  write("NOSTATUS.MID", midiHeader(0, 1, 96) + midiTrack(std::string("\x00\x3C\x40", 3)));
  // Delta times summing past 2^32 ticks at the slowest tempo: its timing would overflow.
  std::string endless = tempoEvent(0, 0xFFFFFF);
  for (int i = 0; i < 2100; ++i) endless += varLen(0x0FFFFFFF) + "\x90\x3C\x40";
  write("LONG.MID", midiHeader(0, 1, 1) + midiTrack(endless + tempoEvent(0, 500000) + endOfTrack(0)));
  write("NOT.avi", "this is no movie at all");
  write("EMPTY.WAV", "");
  const char* const names[] = {"CUT.WAV", "BADFMT.WAV", "BAD.MID",  "NOSTATUS.MID",
                               "LONG.MID", "NOT.avi",    "EMPTY.WAV"};
  for (const char* name : names) {
    EXPECT_EQ(send(mci1, "OPEN " + folder_ + name + " ALIAS X"), host::mediaError::badFile) << name;
    EXPECT_FALSE(media().aliasOpen("X"));
  }
  EXPECT_EQ(send(mci1, "OPEN " + folder_ + "NONE.WAV ALIAS X"), host::mediaError::fileNotFound);
  EXPECT_EQ(send(mci1, "OPEN " + folder_ + "NONE.XYZ ALIAS X"), host::mediaError::noDevice);
  // A wave whose data chunk is cut short keeps the whole frames it has.
  write("SHORT.WAV", wave.substr(0, wave.size() - 400));
  ASSERT_EQ(send(mci1, "OPEN " + folder_ + "SHORT.WAV ALIAS S"), 0);
  EXPECT_EQ(ask(mci1, "status S length"), "50");
  // Every prefix of the good files and some damaged bytes: an error or an open, never a crash.
  const std::string files[] = {wave, tempoChangeSong(), aviBytes(10, 10, 1)};
  const char* const extensions[] = {".WAV", ".MID", ".avi"};
  for (int f = 0; f < 3; ++f) {
    for (std::size_t cut = 0; cut < files[f].size(); cut += 3) {
      std::string bytes = files[f].substr(0, cut);
      if (cut % 2) bytes += std::string(7, '\xFF');
      write(std::string("P") + extensions[f], bytes);
      if (send(mci1, "OPEN " + folder_ + "P" + extensions[f] + " ALIAS P") == 0) {
        EXPECT_EQ(send(mci1, "PLAY P FROM 0 WAIT"), 0);
        EXPECT_EQ(send(mci1, "CLOSE P"), 0);
      }
    }
  }
}

TEST_F(MediaCommandsTest, AFolderWithABlankBreaksTheOpenCommand) {
  write("MY GAME/WAVE/CAPI.WAV", waveBytes(1, 11025, 8, 2000));
  const auto mci1 = m().MCI1;
  EXPECT_NE(send(mci1, "OPEN " + folder_ + "MY GAME\\WAVE\\CAPI.WAV ALIAS WAV1 "), 0);
  EXPECT_FALSE(media().aliasOpen("WAV1"));
  host_->files.paths().setCurrentFolder(dir_ / "MY GAME");
  EXPECT_EQ(send(mci1, "OPEN WAVE\\CAPI.WAV ALIAS WAV1 "), 0);
}

TEST_F(MediaCommandsTest, TraceHasOneLinePerCommand) {
  media().setTraceMedia(true);
  const std::size_t before = host_->trace.lines().size();
  send(m().MCI2, "status MID_M mode");
  write("A.WAV", waveBytes(1, 11025, 8, 100));
  send(m().MCI1, "OPEN " + folder_ + "A.WAV ALIAS WAV1");
  send(m().MCI1, "status WAV1 mode");
  const auto& lines = host_->trace.lines();
  ASSERT_EQ(lines.size(), before + 3);
  EXPECT_NE(lines[before].find("status MID_M mode -> 263"), std::string::npos) << lines[before];
  EXPECT_NE(lines[before + 2].find("\"stopped\""), std::string::npos) << lines[before + 2];
}

}  // namespace
}  // namespace zav3::testing
