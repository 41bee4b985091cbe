// Cost of the audio mixer: milliseconds of CPU per second of sound, rendered into a buffer
// without an audio device. Music is a MIDI song's take made by FluidSynth (when a General MIDI
// sound font is installed), alone and with the typing blips, short wave voices started every
// 50 ms; and the synthesis of a take's first second, sound font loading included.
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "host/media/media_files.hpp"
#include "host/media/mixer.hpp"
#include "host/media/sdl_media.hpp"

namespace {

using zav3::host::Mixer;

void putBe(std::string& out, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(v >> (8 * i) & 0xFF);
}

// A minute of four-part chords on four instruments, one chord every quarter at 120 bpm.
std::string busySong() {
  std::string events;
  const int programs[] = {0, 48, 33, 73};
  for (int c = 0; c < 4; ++c)
    events += std::string{0, static_cast<char>(0xC0 | c), static_cast<char>(programs[c])};
  for (int beat = 0; beat < 120; ++beat) {
    for (int c = 0; c < 4; ++c) {
      const int note = 48 + c * 7 + beat % 5;
      events += std::string{0, static_cast<char>(0x90 | c), static_cast<char>(note), 100};
    }
    for (int c = 0; c < 4; ++c) {
      const int note = 48 + c * 7 + beat % 5;
      const char delta = c == 0 ? 96 : 0;  // a quarter later
      events += std::string{delta, static_cast<char>(0x80 | c), static_cast<char>(note), 0};
    }
  }
  events += std::string("\x00\xFF\x2F\x00", 4);
  std::string out = "MThd";
  putBe(out, 6, 4);
  putBe(out, 0, 2);
  putBe(out, 1, 2);
  putBe(out, 96, 2);
  out += "MTrk";
  putBe(out, static_cast<std::uint32_t>(events.size()), 4);
  return out + events;
}

// A second of 16-bit mono sound at 22050 Hz, made ready for the mixer.
Mixer::Samples blipSamples() {
  std::string wave = "RIFF";
  auto le = [&](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) wave += static_cast<char>(v >> (8 * i) & 0xFF);
  };
  le(36 + 44100, 4);
  wave += "WAVEfmt ";
  le(16, 4), le(1, 2), le(1, 2), le(22050, 4), le(44100, 4), le(2, 2), le(16, 2);
  wave += "data";
  le(44100, 4);
  for (int i = 0; i < 22050; ++i) le(static_cast<std::uint16_t>(8000 * std::sin(i * 0.3)), 2);
  std::string why;
  const auto info = zav3::host::readWave(wave, why);
  return std::make_shared<std::vector<float>>(zav3::host::waveToStereo(*info, wave, Mixer::rate));
}

// A plain tone when no sound font is installed, so that the mixing itself is still measured.
class ToneSource final : public zav3::host::MusicSource {
 public:
  void render(float* stereo, int frames) override {
    for (int i = 0; i < frames; ++i) {
      stereo[2 * i] = stereo[2 * i + 1] = 0.2f * static_cast<float>(std::sin(phase_));
      phase_ += 0.0627;
    }
  }

 private:
  double phase_ = 0;
};

// The demo's title song (melody, bass, a four-note pad and cymbals), if the demo has been built.
std::string demoTitleSong() {
  std::ifstream in(ZAV3_DEMO_DIR "/MIDI/01.MID", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Renders a second of a song (the busy one by default) in blocks of an audio device's size;
// with `blips`, a typing blip starts every 50 ms on top of it.
void mixSecondsOfMusic(benchmark::State& state, bool blips, std::string song = busySong()) {
  static std::string why;
  static std::unique_ptr<zav3::host::MidiSynth> synth =
      zav3::host::makeMidiSynth(zav3::host::findSoundFont(), Mixer::rate, why);
  ToneSource tone;
  Mixer mixer;
  if (synth) {
    {
      std::lock_guard lock(mixer.mutex());
      synth->start(&mixer, song, 0);
    }
    synth->waitMade(&mixer);  // the mixer plays the take: synthesis is measured below
  }
  mixer.addMusic(synth ? &synth->source() : static_cast<zav3::host::MusicSource*>(&tone));
  const Mixer::Samples blip = blipSamples();
  constexpr int block = 1024;
  std::vector<float> out(block * 2);
  for (auto _ : state) {
    if (synth && !synth->playing(&mixer)) {  // the song loops, as the game's music does
      std::lock_guard lock(mixer.mutex());
      synth->start(&mixer, song, 0);
    }
    if (synth) synth->waitMade(&mixer);
    for (int done = 0; done < Mixer::rate; done += block) {
      if (blips && done % 2205 < block) mixer.play(blip, 0, 1000);  // a blip every 50 ms
      mixer.render(out.data(), block);
    }
    benchmark::DoNotOptimize(out.data());
  }
  mixer.removeMusic(synth ? &synth->source() : static_cast<zav3::host::MusicSource*>(&tone));
  if (synth) {
    std::lock_guard lock(mixer.mutex());
    synth->stop(&mixer);
  }
  state.SetLabel(synth ? "FluidSynth" : "tone (no sound font)");
}

// Synthesizing a song's first second with the sound font cut to the song, as the music
// device's worker does once per take.
void BM_SynthesisSecondOfDemoTitleSong(benchmark::State& state) {
  const std::string song = demoTitleSong();
  const std::string font = zav3::host::findSoundFont();
  if (song.empty() || font.empty()) {
    state.SkipWithError("no demo or no sound font");
    return;
  }
  std::string why;
  for (auto _ : state) {
    const auto frames = zav3::host::synthesizeSong(font, song, Mixer::rate, false, why);
    benchmark::DoNotOptimize(frames.data());
  }
}
BENCHMARK(BM_SynthesisSecondOfDemoTitleSong)->Unit(benchmark::kMillisecond);

void BM_MixerSecondOfMusic(benchmark::State& state) {
  mixSecondsOfMusic(state, false);
}
BENCHMARK(BM_MixerSecondOfMusic)->Unit(benchmark::kMillisecond);

void BM_MixerSecondOfMusicAndBlips(benchmark::State& state) {
  mixSecondsOfMusic(state, true);
}
BENCHMARK(BM_MixerSecondOfMusicAndBlips)->Unit(benchmark::kMillisecond);

void BM_MixerSecondOfDemoTitleSong(benchmark::State& state) {
  const std::string song = demoTitleSong();
  if (song.empty()) {
    state.SkipWithError("the demo is not built");
    return;
  }
  mixSecondsOfMusic(state, false, song);
}
BENCHMARK(BM_MixerSecondOfDemoTitleSong)->Unit(benchmark::kMillisecond);

}  // namespace
