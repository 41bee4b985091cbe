// The music device's songs: a sound font cut to a song sounds exactly as the whole font, holds
// a small part of it, and a song change lets the last song's take go while a loop plays the
// kept take again.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/media/mixer.hpp"
#include "host/media/sdl_media.hpp"
#include "host/media/sound_font_subset.hpp"

namespace zav3::testing {
namespace {

using host::Mixer;

std::string demoSong(const char* name) {
  std::ifstream in(std::string(ZAV3_DEMO_DIR) + "/MIDI/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Mixes the song of `owner` for `frames` frames once it is made.
std::vector<float> mixed(Mixer& mixer, host::MidiSynth& synth, const void* owner, int frames) {
  synth.waitMade(owner);
  std::vector<float> out(2 * static_cast<std::size_t>(frames));
  for (int at = 0; at < frames; at += 1024) mixer.render(out.data() + 2 * at, std::min(1024, frames - at));
  return out;
}

TEST(SongRenderer, TheCutFontSoundsAsTheWholeFontAndHoldsLittleOfIt) {
  const std::string font = host::findSoundFont();
  if (font.empty()) GTEST_SKIP() << "no General MIDI sound font";
  for (const char* name : {"01.MID", "02.MID", "03.MID"}) {
    const std::string song = demoSong(name);
    ASSERT_FALSE(song.empty()) << name;
    std::string why;
    // The first second and a later one, where every instrument of the song has come in.
    for (const std::int64_t frames : {std::int64_t{Mixer::rate}, std::int64_t{12} * Mixer::rate}) {
      const auto whole = host::synthesizeSong(font, song, frames, true, why);
      const auto cut = host::synthesizeSong(font, song, frames, false, why);
      ASSERT_EQ(whole.size(), static_cast<std::size_t>(2 * frames)) << why;
      ASSERT_EQ(cut.size(), whole.size()) << why;
      const std::size_t last = whole.size() - 2 * Mixer::rate;
      std::size_t differ = 0;
      double loud = 0;
      for (std::size_t i = last; i < whole.size(); ++i) {
        differ += whole[i] != cut[i];
        loud = std::max(loud, static_cast<double>(std::abs(whole[i])));
      }
      EXPECT_EQ(differ, 0u) << name << " at " << frames;
      EXPECT_GT(loud, 0.01) << name << ": the second is not silent";
    }
    const auto info = host::readMidi(song, why);
    const auto cutFont = host::soundFontSubset(font, host::presetNeeds(*info), why);
    ASSERT_TRUE(cutFont) << why;
    EXPECT_LT(cutFont->size(), std::filesystem::file_size(font) / 10) << name;
  }
}

TEST(SongRenderer, ASongChangeLetsTheLastTakeGoAndALoopPlaysTheKeptOne) {
  std::string why;
  auto synth = host::makeMidiSynth(host::findSoundFont(), Mixer::rate, why);
  if (!synth) GTEST_SKIP() << why;
  Mixer mixer;
  mixer.addMusic(&synth->source());
  const int owner = 0;
  // Two songs short enough to be kept whole.
  const std::string first = demoSong("03.MID"), second = demoSong("02.MID");
  auto start = [&](const std::string& song) {
    std::lock_guard lock(mixer.mutex());
    ASSERT_TRUE(synth->start(&owner, song, 0));
  };
  // Nothing is loaded before a song plays.
  EXPECT_EQ(synth->footprint().takeBytes, 0u);
  start(first);
  const auto heard = mixed(mixer, *synth, &owner, Mixer::rate);
  const auto one = synth->footprint();
  EXPECT_GT(one.fontBytes, 0u);
  EXPECT_LT(one.fontBytes, 8u << 20);
  // 28 s of song and its ringing out, 16-bit stereo.
  EXPECT_GT(one.takeBytes, 28u * Mixer::rate * 4);
  EXPECT_LT(one.takeBytes, 31u * Mixer::rate * 4);
  {
    std::lock_guard lock(mixer.mutex());
    EXPECT_TRUE(synth->playing(&owner));
    EXPECT_NEAR(synth->tick(&owner), 96 * 1000000 / 500000, 2);  // a second in
  }
  start(second);
  mixed(mixer, *synth, &owner, 1024);
  const auto two = synth->footprint();
  EXPECT_GT(two.takeBytes, 27u * Mixer::rate * 4);
  EXPECT_LT(two.takeBytes, 31u * Mixer::rate * 4);  // the first song's take is gone
  EXPECT_NE(two.fontBytes, one.fontBytes);
  // The first song again from its start: a new take, the same sound.
  start(first);
  EXPECT_EQ(mixed(mixer, *synth, &owner, Mixer::rate), heard);
  // And looping it plays the kept take: the same frames, no second take.
  start(first);
  EXPECT_EQ(mixed(mixer, *synth, &owner, Mixer::rate), heard);
  EXPECT_EQ(synth->footprint().takeBytes, one.takeBytes);
  {
    std::lock_guard lock(mixer.mutex());
    synth->stop(&owner);
    EXPECT_FALSE(synth->playing(&owner));
  }
  mixer.removeMusic(&synth->source());
}

}  // namespace
}  // namespace zav3::testing
