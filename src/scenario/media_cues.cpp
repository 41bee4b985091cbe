// Sound effects, blips, songs and movies through the host's media command service.
#include "scenario/media_cues.hpp"

#include <string>

#include "host/dialogs.hpp"
#include "host/media/media.hpp"

namespace zav3::scenario {

namespace {

constexpr std::int64_t pollMs = 20;  // between two "status WAV1 mode" of a sound effect

host::Media& media(Main& m) {
  return *m.host.media;
}

// A host without the media part behaves as one whose devices all fail.
Long send(Main& m, host::Handle device, const Bytes& command) {
  return m.host.media ? media(m).sendCommand(device, command) : host::mediaError::noDevice;
}

bool playing(Main& m, host::Handle device, const Bytes& alias) {
  send(m, device, "status " + alias + " mode");
  return m.host.media && media(m).resultText(device) == "playing";
}

}  // namespace

Bytes mediaNumberText(Integer n) {
  Bytes text = std::to_string(n);
  if (text.size() < 2) text = "0" + text;
  return text;
}

Bytes soundFileName(const Main& m, Integer n) {
  return m.waveFolder + mediaNumberText(n) + ".WAV";
}
Bytes songFileName(const Main& m, Integer n) {
  return m.midiFolder + mediaNumberText(n) + ".MID";
}
Bytes movieFileName(const Main& m, Integer n) {
  return m.movieFolder + mediaNumberText(n) + ".avi";
}

void reportMediaError(Main& m, const Bytes& deviceWord, Long error) {
  m.host.dialogs->messageBox(
      deviceWord + host::sj("は機能しません。") + host::Media::errorText(error),
      host::sj("ＭＣＩ関連エラー"), host::BoxButtons::ok, host::BoxIcon::none);
}

void openBlips(Main& m) {
  send(m, m.MCI1, "OPEN " + m.waveFolder + "CAPI.WAV ALIAS WAV1 ");
  send(m, m.MCI1, "SET WAV1 TIME FORMAT BYTES");
}

void sendSoundCommand(Main& m, const Bytes& command) {
  send(m, m.MCI1, command);
}

void playSoundEffect(Main& m, Integer n) {
  send(m, m.MCI1, "CLOSE WAV1");
  send(m, m.MCI1, "OPEN " + soundFileName(m, n) + " ALIAS WAV1 WAIT");
  send(m, m.MCI1, "SET WAV1 TIME FORMAT BYTES");
  send(m, m.MCI1, "PLAY WAV1 FROM 0");
  while (playing(m, m.MCI1, "WAV1")) media(m).idle(pollMs);
  send(m, m.MCI1, "CLOSE WAV1");
  openBlips(m);
}

void waitForSoundEnd(Main& m) {
  while (playing(m, m.MCI2, "WAV1")) media(m).idle(pollMs);
}

void stopSong(Main& m) {
  if (m.musicOption == 1 && m.TIMER1 != 0) m.host.forms.timerEnable(m.TIMER1, 0);
  send(m, m.MCI2, "close MID_M");
}

void selectSong(Main& m, Integer n) {
  stopSong(m);
  if (n == 0 || m.musicError) return;
  const Long error = send(m, m.MCI2, "OPEN " + songFileName(m, n) + " ALIAS MID_M");
  if (error != 0) {
    reportMediaError(m, host::sj("ＢＧＭ"), error);
    m.musicError = true;
    return;
  }
  send(m, m.MCI2, "set MID_M time format song pointer");
}

void startSong(Main& m) {
  if (m.currentSong == 0 || m.musicOption != 1) return;
  if (!playing(m, m.MCI2, "MID_M")) send(m, m.MCI2, "PLAY MID_M FROM 0");
  if (m.TIMER1 != 0) m.host.forms.timerEnable(m.TIMER1, -1);
}

void songTick(Main& m) {
  if (m.currentSong == 0 || m.musicOption != 1) return;
  if (!playing(m, m.MCI2, "MID_M")) send(m, m.MCI2, "PLAY MID_M FROM 0");
}

void musicCue(Main& m, Integer n) {
  m.currentSong = n;
  if (n == 0) {
    stopSong(m);
    return;
  }
  selectSong(m, n);
  startSong(m);
}

void musicOn(Main& m) {
  // Music off closes the song's device, so starting alone would leave the music silent until the
  // script's next song cue: the current song is opened again first (and its loop check goes on).
  if (m.currentSong != 0 && m.host.media && !media(m).aliasOpen("MID_M")) {
    selectSong(m, m.currentSong);
  }
  startSong(m);
}

bool openMovie(Main& m, Integer n) {
  const Long error = send(m, m.MCI3, "open " + movieFileName(m, n) + " type AVIVideo alias avideo");
  if (error != 0) {
    reportMediaError(m, host::sj("動画"), error);
    return false;
  }
  return true;
}

bool playMovie(Main& m, Integer n) {
  if (!openMovie(m, n)) return false;
  send(m, m.MCI3, "window avideo handle " + host::numberText(static_cast<Long>(m.PICTURE2)));
  send(m, m.MCI3, "put avideo destination at 0 0 640 270");
  send(m, m.MCI3, "set avideo time format frames");
  send(m, m.MCI3, "realize avideo background");
  send(m, m.MCI3, "status avideo length");
  const Bytes length = m.host.media ? media(m).resultText(m.MCI3) : Bytes();
  if (m.PICTURE2 != 0) m.host.forms.setVisible(m.PICTURE2, -1);
  send(m, m.MCI3, "play avideo to " + length + " wait");
  send(m, m.MCI3, "close avideo");
  return true;
}

void mediaStartupTests(Main& m) {
  openBlips(m);
  const Long error = send(m, m.MCI1, "PLAY WAV1 FROM 2001 TO 6000");
  m.soundDeviceUsable = error == 0;
  if (error != 0) reportMediaError(m, host::sj("ＳＯＵＮＤ"), error);
  m.currentSong = 1;
  selectSong(m, 1);
  stopSong(m);
  if (!m.moviesMissing) {
    openMovie(m, 2);
    send(m, m.MCI3, "close avideo");
  }
}

void closeMediaDevices(Main& m) {
  send(m, m.MCI1, "CLOSE WAV1");
  send(m, m.MCI2, "close MID_M");
  send(m, m.MCI3, "close avideo");
}

void installMediaCues(Main& m) {
  m.mediaStartupTests = mediaStartupTests;
  m.soundCommand = sendSoundCommand;
  m.stopMusic = stopSong;
  m.startMusic = musicOn;
  m.musicLoopCheck = songTick;
  m.closeMediaDevices = closeMediaDevices;
}

}  // namespace zav3::scenario
