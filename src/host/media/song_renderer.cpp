// MIDI songs for the music device. A song is synthesized by FluidSynth, with a sound font cut
// down to that song, on a worker thread of its own into a take: the song's 16-bit stereo frames,
// which the mixer plays as they come. Nothing is loaded before a song first plays, and neither
// the game nor the audio thread waits for the sound font: the song starts as soon as its first
// frames are in. A take of a whole song from its start is kept, so the song loops without being
// synthesized again; a song too long to keep is synthesized a few seconds ahead into a ring.
// The synthesizer lives only while a take is being made.
#include <fcntl.h>
#include <fluidsynth.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "host/media/sdl_media.hpp"
#include "host/media/sound_font_subset.hpp"

namespace zav3::host {

namespace {

constexpr int chunkFrames = 4096;                      // synthesized at a time, about 93 ms
constexpr std::int64_t tailFrames = 5 * Mixer::rate / 2;  // the last notes and the reverb ring out
constexpr std::int64_t keptFramesLimit = 75 * Mixer::rate;  // 13 MB: longer songs are not kept
constexpr std::int64_t ringFrames = 4 * Mixer::rate;        // how far a long song runs ahead

// One FluidSynth synthesizer with a sound font and a song, from a tick on.
class Synthesis {
 public:
  ~Synthesis() {
    if (player_) delete_fluid_player(player_);
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
  }
  // `fontBytes` is a sound font in memory, or empty to load the file `fontPath` whole.
  bool open(const std::string& fontPath, std::string fontBytes, const std::string& song,
            long fromTick, int rate, std::string& why) {
    // Messages go through the return values; FluidSynth would print to the terminal.
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
      fluid_set_log_function(level, nullptr, nullptr);
    }
    settings_ = new_fluid_settings();
    if (!settings_) return why = "no FluidSynth settings", false;
    fluid_settings_setnum(settings_, "synth.sample-rate", rate);
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    // The chorus unit runs for every sample whether or not a song asks for it (General MIDI
    // songs rarely do), and it is the dearest part of a quiet synthesizer: it stays off.
    fluid_settings_setint(settings_, "synth.chorus.active", 0);
    synth_ = new_fluid_synth(settings_);
    if (!synth_) return why = "no FluidSynth synthesizer", false;
    // Linear interpolation between sample points: a little dearer than none and far cheaper
    // than the default fourth order, with no difference one hears in a General MIDI song.
    fluid_synth_set_interp_method(synth_, -1, FLUID_INTERP_LINEAR);
    if (!loadFont(fontPath, std::move(fontBytes))) return why = "no General MIDI sound font", false;
    player_ = new_fluid_player(synth_);
    if (!player_ || fluid_player_add_mem(player_, song.data(), song.size()) != FLUID_OK) {
      return why = "FluidSynth cannot play the song", false;
    }
    fluid_player_play(player_);
    if (fromTick > 0) fluid_player_seek(player_, static_cast<int>(fromTick));
    return true;
  }
  void write(float* stereo, int frames) {
    fluid_synth_write_float(synth_, frames, stereo, 0, 2, stereo, 1, 2);
  }

 private:
  bool loadFont(const std::string& path, std::string bytes) {
    if (bytes.empty()) return fluid_synth_sfload(synth_, path.c_str(), 1) != FLUID_FAILED;
    // The cut font is handed over as a file only this process sees; the synthesizer reads it
    // all at once, and it is gone when closed.
    const int fd = static_cast<int>(syscall(SYS_memfd_create, "zav3-song.sf2", MFD_CLOEXEC));
    if (fd < 0) return false;
    bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    bytes = std::string();  // the file holds it now
    const std::string name = "/proc/self/fd/" + std::to_string(fd);
    ok = ok && fluid_synth_sfload(synth_, name.c_str(), 1) != FLUID_FAILED;
    close(fd);
    return ok;
  }
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_player_t* player_ = nullptr;
};

std::int16_t toSample(float v) {
  return static_cast<std::int16_t>(std::lrint(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
}

// A song's frames as they are made: kept whole, or a ring of the frames just ahead of the mixer.
struct Take {
  std::string song;
  MidiInfo info;
  long fromTick = 0;
  std::int64_t total = 0;     // frames of the song from `fromTick` and its ringing out
  std::int64_t capacity = 0;  // frames held: `total` when kept whole
  std::vector<std::int16_t> frames;  // interleaved stereo, written by the worker before `made`
  std::atomic<std::int64_t> made{0};
  std::atomic<std::int64_t> heard{0};  // frames the mixer has played
  std::atomic<bool> cancelled{false};
  std::atomic<bool> failed{false};
  std::atomic<std::size_t> fontBytes{0};  // of the cut sound font
  bool whole() const { return capacity == total; }
  long tick() const {
    const std::int64_t us = info.tickToUs(fromTick) + heard.load() * 1000000 / Mixer::rate;
    return static_cast<long>(info.usToTick(us));
  }
};

class SongRenderer final : public MidiSynth, public MusicSource {
 public:
  SongRenderer(std::string soundFont, int rate) : font_(std::move(soundFont)), rate_(rate) {}
  ~SongRenderer() override {
    {
      std::lock_guard lock(jobMutex_);
      quit_ = true;
      if (job_) job_->cancelled = true;
    }
    jobReady_.notify_all();
    if (worker_.joinable()) worker_.join();
  }
  MusicSource& source() override { return *this; }

  bool start(const void* owner, const std::string& bytes, long fromTick) override {
    std::string why;
    const auto info = readMidi(bytes, why);
    if (!info) return false;
    owner_ = owner;
    if (fromTick == 0 && kept_ && kept_->song == bytes && !kept_->failed) {
      kept_->heard = 0;  // the song again: the kept take plays from its start
      playing_ = kept_;
      return true;
    }
    auto take = std::make_shared<Take>();
    take->song = bytes;
    take->info = *info;
    take->fromTick = fromTick;
    const std::int64_t us = std::max<std::int64_t>(0, info->durationUs() - info->tickToUs(fromTick));
    take->total = us * rate_ / 1000000 + tailFrames;
    take->capacity = take->total <= keptFramesLimit ? take->total : ringFrames;
    // One song is kept at a time; another song, or one from its middle, lets the last one go.
    if (kept_ && (kept_->song != bytes || kept_->made < kept_->total)) kept_.reset();
    if (fromTick == 0 && take->whole()) kept_ = take;
    playing_ = take;
    submit(take);
    return true;
  }
  void stop(const void* owner) override {
    if (owner != owner_) return;
    // A kept take is finished all the same, for the song's next start.
    if (playing_ && playing_ != kept_) playing_->cancelled = true;
    playing_.reset();
    owner_ = nullptr;
  }
  bool playing(const void* owner) override { return owner == owner_ && playing_ != nullptr; }
  long tick(const void* owner) override {
    return owner == owner_ && playing_ ? playing_->tick() : 0;
  }
  Footprint footprint() override {
    Footprint f;
    for (const Take* t : {playing_.get(), kept_ == playing_ ? nullptr : kept_.get()}) {
      if (!t) continue;
      f.takeBytes += static_cast<std::size_t>(t->capacity) * 2 * sizeof(std::int16_t);
      f.fontBytes = std::max(f.fontBytes, t->fontBytes.load());
    }
    return f;
  }
  void waitMade(const void* owner) override {
    std::shared_ptr<Take> t = owner == owner_ ? playing_ : nullptr;
    while (t && t->made < std::min(t->total, t->capacity) && !t->failed && !t->cancelled) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

  // The audio thread, with the mixer's lock held.
  void render(float* stereo, int frames) override {
    std::fill(stereo, stereo + 2 * frames, 0.0f);
    if (!playing_) return;
    Take& t = *playing_;
    const std::int64_t at = t.heard.load();
    if (t.failed) {
      // No synthesizer: the song keeps its time in silence.
      t.heard = std::min(t.total, at + frames);
      return;
    }
    // Until the frames are made the song waits; it does not skip.
    const std::int64_t n = std::clamp<std::int64_t>(t.made.load(std::memory_order_acquire) - at, 0, frames);
    for (std::int64_t i = 0; i < n; ++i) {
      const std::size_t k = static_cast<std::size_t>((at + i) % t.capacity) * 2;
      stereo[2 * i] = t.frames[k] / 32768.0f;
      stereo[2 * i + 1] = t.frames[k + 1] / 32768.0f;
    }
    t.heard = at + n;
  }

 private:
  void submit(const std::shared_ptr<Take>& take) {
    {
      std::lock_guard lock(jobMutex_);
      if (job_ && job_ != kept_) job_->cancelled = true;
      for (const auto& waiting : queue_) waiting->cancelled = waiting != kept_;
      queue_.push_back(take);
      if (!worker_.joinable()) worker_ = std::thread([this] { work(); });
    }
    jobReady_.notify_all();
  }
  void work() {
    // Below the game and the audio thread: a take is made as fast as the machine is free.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
    for (;;) {
      std::shared_ptr<Take> take;
      {
        std::unique_lock lock(jobMutex_);
        jobReady_.wait(lock, [this] { return quit_ || !queue_.empty(); });
        if (quit_) return;
        take = queue_.front();
        queue_.erase(queue_.begin());
        job_ = take;
      }
      if (!take->cancelled) make(*take);
      std::lock_guard lock(jobMutex_);
      job_.reset();
    }
  }
  void make(Take& t) {
    std::string why;
    auto font = soundFontSubset(font_, presetNeeds(t.info), why);
    Synthesis synthesis;
    const std::size_t fontBytes = font ? font->size() : 0;
    if (!font || !synthesis.open(font_, std::move(*font), t.song, t.fromTick, rate_, why)) {
      std::fprintf(stderr, "zav3: no music: %s\n", why.c_str());
      t.failed = true;
      return;
    }
    t.fontBytes = fontBytes;
    font.reset();
    t.frames.assign(static_cast<std::size_t>(2 * t.capacity), 0);
    std::vector<float> chunk(2 * chunkFrames);
    for (std::int64_t made = 0; made < t.total && !t.cancelled;) {
      if (!t.whole() && made - t.heard.load() > t.capacity - chunkFrames) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        continue;
      }
      const int n = static_cast<int>(std::min<std::int64_t>(chunkFrames, t.total - made));
      synthesis.write(chunk.data(), n);
      for (int i = 0; i < n; ++i) {
        const std::size_t k = static_cast<std::size_t>((made + i) % t.capacity) * 2;
        t.frames[k] = toSample(chunk[2 * i]);
        t.frames[k + 1] = toSample(chunk[2 * i + 1]);
      }
      made += n;
      t.made.store(made, std::memory_order_release);
    }
  }

  const std::string font_;
  const int rate_;
  // Under the mixer's lock.
  const void* owner_ = nullptr;
  std::shared_ptr<Take> playing_;
  std::shared_ptr<Take> kept_;
  // The worker's queue.
  std::mutex jobMutex_;
  std::condition_variable jobReady_;
  std::vector<std::shared_ptr<Take>> queue_;
  std::shared_ptr<Take> job_;
  bool quit_ = false;
  std::thread worker_;
};

}  // namespace

std::unique_ptr<MidiSynth> makeMidiSynth(const std::string& soundFont, int rate, std::string& why) {
  if (soundFont.empty()) return why = "no General MIDI sound font", nullptr;
  return std::make_unique<SongRenderer>(soundFont, rate);
}

std::vector<float> synthesizeSong(const std::string& soundFont, const std::string& song,
                                  std::int64_t frames, bool wholeFont, std::string& why) {
  const auto info = readMidi(song, why);
  if (!info) return {};
  std::string font;
  if (!wholeFont) {
    auto cut = soundFontSubset(soundFont, presetNeeds(*info), why);
    if (!cut) return {};
    font = std::move(*cut);
  }
  Synthesis synthesis;
  if (!synthesis.open(soundFont, std::move(font), song, 0, Mixer::rate, why)) return {};
  std::vector<float> out(static_cast<std::size_t>(2 * frames));
  for (std::int64_t at = 0; at < frames; at += chunkFrames) {
    synthesis.write(out.data() + 2 * at, static_cast<int>(std::min<std::int64_t>(chunkFrames, frames - at)));
  }
  return out;
}

}  // namespace zav3::host
