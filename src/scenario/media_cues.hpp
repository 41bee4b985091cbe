// The game's sound, music and movie cues: the command strings sent to the wave device (MCI1),
// the music device (MCI2) and the movie device (MCI3), the file names, the start-up tests, the
// song loop and the error box of a device that does not work.
#pragma once

#include "shell/game_state.hpp"

namespace zav3::scenario {

// A media file number: decimal, padded to two digits ("07", "12", "100").
Bytes mediaNumberText(Integer n);
// File names of sound effect, song and movie n in their folders.
Bytes soundFileName(const Main& m, Integer n);
Bytes songFileName(const Main& m, Integer n);
Bytes movieFileName(const Main& m, Integer n);

// The "ＭＣＩ関連エラー" box: device word + "は機能しません。" + the error text.
void reportMediaError(Main& m, const Bytes& deviceWord, Long error);

// Wave device.
void openBlips(Main& m);
void sendSoundCommand(Main& m, const Bytes& command);  // the message window's blips
void playSoundEffect(Main& m, Integer n);              // blocks until the effect ends
// Asks "status WAV1 mode" until the answer is no longer "playing". The query goes through the
// music control MCI2: the alias names the device.
void waitForSoundEnd(Main& m);

// Music device.
void stopSong(Main& m);
void selectSong(Main& m, Integer n);
void startSong(Main& m);
void songTick(Main& m);             // restarts a song that ended
void musicCue(Main& m, Integer n);  // the script's MU / MC / MK: 0 stops
void musicOn(Main& m);              // option menu: music on (reopens the song when closed)

// Movie device. Opening reports "動画" on failure.
bool openMovie(Main& m, Integer n);
bool playMovie(Main& m, Integer n);  // blocks until the movie ends; false when not played

void mediaStartupTests(Main& m);
void closeMediaDevices(Main& m);

// Sets the media members of Main (start-up tests, blips, music switches, end handler).
void installMediaCues(Main& m);

}  // namespace zav3::scenario
