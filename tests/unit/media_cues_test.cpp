// The game's sound, music and movie cues on the headless media devices: file names, the song
// loop and the music error, blocking sound effects and movies, the start-up tests and the
// error box.
#include "scenario/media_cues.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "host/media/media.hpp"
#include "support/media_files.hpp"
#include "support/shell_fixture.hpp"

namespace zav3::testing {
namespace {

// Message boxes as text, answered with their first button.
class RecordingDialogs final : public host::Dialogs {
 public:
  host::BoxAnswer messageBox(const Bytes& text, const Bytes& caption, host::BoxButtons,
                             host::BoxIcon) override {
    boxes.push_back(host::sjisToUtf8(caption) + ": " + host::sjisToUtf8(text));
    return host::BoxAnswer::ok;
  }
  Bytes inputBox(const Bytes&, const Bytes&, const Bytes& defaultText) override {
    return defaultText;
  }
  Bytes saveFileDialog(const Bytes&, const Bytes& proposed, const Bytes&) override {
    return proposed;
  }
  std::vector<std::string> boxes;
};

class MediaCuesTest : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    auto dialogs = std::make_unique<RecordingDialogs>();
    dialogs_ = dialogs.get();
    host_->dialogs = std::move(dialogs);
    scenario::installMediaCues(m());
    const Bytes folder = host_->files.paths().toGame(dir_) + "\\";
    m().waveFolder = folder + "WAVE\\";
    m().midiFolder = folder + "MIDI\\";
    m().movieFolder = folder + "AVI\\";
    host_->media->setTraceMedia(true);
  }
  // Media trace lines (without the device) sent since the last call.
  std::vector<std::string> commands() {
    std::vector<std::string> out;
    const auto& lines = host_->trace.lines();
    for (; seen_ < lines.size(); ++seen_) {
      const std::string& l = lines[seen_];
      if (l.rfind("media ", 0) != 0) continue;
      const std::size_t start = l.find(' ', 6) + 1;
      out.push_back(l.substr(start, l.find(" -> ") - start));
    }
    return out;
  }
  static bool has(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(text) != std::string::npos; });
  }
  std::string mode(host::Handle device, const std::string& alias) {
    host_->media->sendCommand(device, "status " + alias + " mode");
    return host_->media->resultText(device);
  }
  void write(const std::string& name, const std::string& bytes) { writeFile(dir_ / name, bytes); }

  RecordingDialogs* dialogs_ = nullptr;
  std::size_t seen_ = 0;
};

TEST_F(MediaCuesTest, FileNamesHaveTwoDigitsAndThreeFromOneHundred) {
  EXPECT_EQ(scenario::mediaNumberText(0), "00");
  EXPECT_EQ(scenario::mediaNumberText(7), "07");
  EXPECT_EQ(scenario::mediaNumberText(12), "12");
  EXPECT_EQ(scenario::mediaNumberText(100), "100");
  EXPECT_EQ(scenario::mediaNumberText(123), "123");
  m().waveFolder = "WAVE\\";
  m().midiFolder = "MIDI\\";
  m().movieFolder = "Q:\\AVI\\";
  EXPECT_EQ(scenario::soundFileName(m(), 5), "WAVE\\05.WAV");
  EXPECT_EQ(scenario::songFileName(m(), 31), "MIDI\\31.MID");
  EXPECT_EQ(scenario::movieFileName(m(), 100), "Q:\\AVI\\100.avi");
  EXPECT_EQ(scenario::movieFileName(m(), 9), "Q:\\AVI\\09.avi");
}

TEST_F(MediaCuesTest, AnEndedSongRestartsAtTheNextTickOnlyWithMusicOn) {
  write("MIDI/01.MID", tempoChangeSong());  // 1.5 s
  m().musicOption = 1;
  scenario::musicCue(m(), 1);
  const auto started = commands();
  EXPECT_TRUE(has(started, "OPEN " + host::sjisToUtf8(m().midiFolder) + "01.MID ALIAS MID_M"));
  EXPECT_TRUE(has(started, "set MID_M time format song pointer"));
  EXPECT_TRUE(has(started, "PLAY MID_M FROM 0"));
  EXPECT_EQ(m().currentSong, 1);
  EXPECT_TRUE(host_->forms.control(m().TIMER1).enabled);
  // A tick while it plays changes nothing.
  host_->media->idle(1000);
  scenario::songTick(m());
  EXPECT_FALSE(has(commands(), "PLAY"));
  host_->media->idle(600);
  EXPECT_EQ(mode(m().MCI2, "MID_M"), "stopped");
  scenario::songTick(m());
  EXPECT_TRUE(has(commands(), "PLAY MID_M FROM 0"));
  EXPECT_EQ(mode(m().MCI2, "MID_M"), "playing");
  // Music off through the option menu: closed, and the tick stays silent.
  m().stopMusic(m());
  m().musicOption = 0;
  commands();
  host_->media->idle(2000);
  m().musicLoopCheck(m());
  EXPECT_TRUE(commands().empty());
  // Music on again opens the song again and plays it.
  m().musicOption = 1;
  m().startMusic(m());
  EXPECT_TRUE(has(commands(), "PLAY MID_M FROM 0"));
  EXPECT_EQ(mode(m().MCI2, "MID_M"), "playing");
  EXPECT_TRUE(dialogs_->boxes.empty());
}

TEST_F(MediaCuesTest, SongZeroOpensNothingAndAFailedSongStopsAllSongs) {
  write("MIDI/00.MID", tempoChangeSong());
  m().musicOption = 1;
  scenario::musicCue(m(), 0);
  auto sent = commands();
  EXPECT_FALSE(has(sent, "OPEN"));
  EXPECT_TRUE(has(sent, "close MID_M"));
  EXPECT_EQ(m().currentSong, 0);
  scenario::songTick(m());
  EXPECT_TRUE(commands().empty());

  scenario::musicCue(m(), 4);  // no such file
  ASSERT_EQ(dialogs_->boxes.size(), 1u);
  EXPECT_EQ(dialogs_->boxes[0],
            "ＭＣＩ関連エラー: ＢＧＭは機能しません。" +
                host::sjisToUtf8(host::Media::errorText(host::mediaError::fileNotFound)));
  EXPECT_TRUE(m().musicError);
  commands();
  write("MIDI/05.MID", tempoChangeSong());
  scenario::musicCue(m(), 5);
  EXPECT_FALSE(has(commands(), "OPEN"));
  EXPECT_EQ(dialogs_->boxes.size(), 1u);
}

TEST_F(MediaCuesTest, SoundEffectBlocksUntilDoneAndReopensTheBlips) {
  write("WAVE/CAPI.WAV", waveBytes(1, 11025, 8, 11025));
  write("WAVE/07.WAV", waveBytes(2, 44100, 16, 88200));  // half a second
  scenario::openBlips(m());
  commands();
  const std::int64_t before = now();
  scenario::playSoundEffect(m(), 7);
  EXPECT_GE(now() - before, 500);
  EXPECT_LT(now() - before, 560);
  const auto sent = commands();
  const std::vector<std::string> expected = {
      "CLOSE WAV1", "OPEN " + host::sjisToUtf8(m().waveFolder) + "07.WAV ALIAS WAV1 WAIT",
      "SET WAV1 TIME FORMAT BYTES", "PLAY WAV1 FROM 0"};
  ASSERT_GE(sent.size(), 8u);
  EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 4), expected);
  EXPECT_EQ(sent[sent.size() - 3], "CLOSE WAV1");
  EXPECT_EQ(sent[sent.size() - 2],
            "OPEN " + host::sjisToUtf8(m().waveFolder) + "CAPI.WAV ALIAS WAV1 ");
  host_->media->sendCommand(m().MCI1, "status WAV1 length");
  EXPECT_EQ(host_->media->resultText(m().MCI1), "11025");  // the blip file, in bytes
  // Blips go through the message window's command.
  m().soundCommand(m(), "PLAY WAV1 FROM 1000 TO 2000");
  EXPECT_EQ(mode(m().MCI1, "WAV1"), "playing");
  m().soundCommand(m(), "STOP WAV1");
  EXPECT_EQ(mode(m().MCI1, "WAV1"), "stopped");
  // A missing effect does not hang and leaves the blips open.
  const std::int64_t again = now();
  scenario::playSoundEffect(m(), 8);
  EXPECT_LT(now() - again, 100);
  EXPECT_TRUE(host_->media->aliasOpen("WAV1"));
  EXPECT_TRUE(dialogs_->boxes.empty());
}

TEST_F(MediaCuesTest, StartUpTestsReportEachDeviceThatFails) {
  m().moviesMissing = false;
  m().mediaStartupTests(m());
  ASSERT_EQ(dialogs_->boxes.size(), 3u);
  EXPECT_EQ(dialogs_->boxes[0].rfind("ＭＣＩ関連エラー: ＳＯＵＮＤは機能しません。", 0), 0u);
  EXPECT_EQ(dialogs_->boxes[1].rfind("ＭＣＩ関連エラー: ＢＧＭは機能しません。", 0), 0u);
  EXPECT_EQ(dialogs_->boxes[2].rfind("ＭＣＩ関連エラー: 動画は機能しません。", 0), 0u);
  EXPECT_FALSE(m().soundDeviceUsable);
  EXPECT_TRUE(m().musicError);
  EXPECT_EQ(m().currentSong, 1);
}

TEST_F(MediaCuesTest, StartUpTestsPassWithTheFilesInPlace) {
  write("WAVE/CAPI.WAV", waveBytes(1, 22050, 16, 44100));
  write("MIDI/01.MID", tempoChangeSong());
  write("AVI/02.avi", aviBytes(20, 10, 1));
  m().moviesMissing = false;
  m().soundDeviceUsable = false;
  m().mediaStartupTests(m());
  EXPECT_TRUE(dialogs_->boxes.empty());
  EXPECT_TRUE(m().soundDeviceUsable);
  EXPECT_FALSE(m().musicError);
  const auto sent = commands();
  EXPECT_TRUE(has(sent, "PLAY WAV1 FROM 2001 TO 6000"));
  EXPECT_TRUE(has(sent, "close avideo"));
  EXPECT_FALSE(host_->media->aliasOpen("MID_M"));
  EXPECT_FALSE(host_->media->aliasOpen("avideo"));
  EXPECT_TRUE(host_->media->aliasOpen("WAV1"));
  // The end handler closes all three.
  m().closeMediaDevices(m());
  EXPECT_FALSE(host_->media->aliasOpen("WAV1"));
  const auto closing = commands();
  EXPECT_EQ(closing, (std::vector<std::string>{"CLOSE WAV1", "close MID_M", "close avideo"}));
}

TEST_F(MediaCuesTest, MoviesPlayToTheirLengthOrFallBack) {
  write("AVI/100.avi", aviBytes(45, 15, 1));  // three seconds
  const std::int64_t before = now();
  EXPECT_TRUE(scenario::playMovie(m(), 100));
  EXPECT_GE(now() - before, 3000);
  EXPECT_LT(now() - before, 3030);
  const auto sent = commands();
  const std::string handle = host::sjisToUtf8(host::numberText(static_cast<Long>(m().PICTURE2)));
  EXPECT_EQ(sent.at(0),
            "open " + host::sjisToUtf8(m().movieFolder) + "100.avi type AVIVideo alias avideo");
  EXPECT_EQ(sent.at(1), "window avideo handle " + handle);
  EXPECT_EQ(sent.at(5), "status avideo length");
  EXPECT_EQ(sent.at(6), "play avideo to 45 wait");
  EXPECT_EQ(sent.at(7), "close avideo");
  EXPECT_NE(host_->forms.isVisible(m().PICTURE2), 0);
  EXPECT_TRUE(dialogs_->boxes.empty());
  // A missing movie is reported and not played.
  EXPECT_FALSE(scenario::playMovie(m(), 3));
  ASSERT_EQ(dialogs_->boxes.size(), 1u);
  EXPECT_EQ(dialogs_->boxes[0].rfind("ＭＣＩ関連エラー: 動画は機能しません。", 0), 0u);
  EXPECT_FALSE(host_->media->aliasOpen("avideo"));
}

}  // namespace
}  // namespace zav3::testing
