// The sounding and showing media devices: wave sound and MIDI songs (FluidSynth with a General
// MIDI sound font) mixed into one SDL audio device, and AVI movies decoded with FFmpeg into a
// picture box, their sound track mixed with the rest.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/media/media.hpp"
#include "host/media/mixer.hpp"

namespace zav3::host {

// The General MIDI sound font found on the system; empty when there is none.
std::string findSoundFont();

// A music source playing MIDI files through FluidSynth (host/media/song_renderer.cpp), for the
// devices and for measuring the mixer. Null when there is no sound font; the font is read only
// when a song first plays, off the calling thread.
class MidiSynth {
 public:
  virtual ~MidiSynth() = default;
  virtual MusicSource& source() = 0;
  // Starts the file from `fromTick` for `owner`, replacing what played; the caller holds the
  // mixer's lock for these four. The position is that of the frames the mixer has taken.
  virtual bool start(const void* owner, const std::string& bytes, long fromTick) = 0;
  virtual void stop(const void* owner) = 0;
  virtual bool playing(const void* owner) = 0;
  virtual long tick(const void* owner) = 0;
  // Memory the songs hold: the sound font cut for the song being made, the takes.
  struct Footprint {
    std::size_t fontBytes = 0;
    std::size_t takeBytes = 0;
  };
  virtual Footprint footprint() = 0;
  // Waits until the song of `owner` is synthesized as far as it is made ahead.
  virtual void waitMade(const void* owner) = 0;
};
std::unique_ptr<MidiSynth> makeMidiSynth(const std::string& soundFont, int rate, std::string& why);

// The first `frames` stereo frames of a song as the music device synthesizes it, with the sound
// font cut to the song or (`wholeFont`) with all of it; empty with `why` on failure.
std::vector<float> synthesizeSong(const std::string& soundFont, const std::string& song,
                                  std::int64_t frames, bool wholeFont, std::string& why);

// `present` shows the forms after a movie frame was drawn. Falls back to keeping time only
// when no audio device opens.
std::unique_ptr<MediaBackend> makeSdlMediaBackend(Forms& forms, Clock& time,
                                                  std::function<void()> present);
// The same devices sounding into `mixer`, which outlives them and which the caller renders,
// instead of into an audio device.
std::unique_ptr<MediaBackend> makeMixerMediaBackend(Forms& forms, Clock& time,
                                                    std::function<void()> present, Mixer& mixer);

}  // namespace zav3::host
