// The SDL media devices: one SDL audio device fed by the mixer, wave voices, FluidSynth for
// MIDI songs, FFmpeg for AVI movies drawn into a picture box with their sound track mixed.
#include "host/media/sdl_media.hpp"

#include <SDL.h>
#include <fluidsynth.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "host/media/movie_sound.hpp"

namespace zav3::host {

std::string findSoundFont() {
  for (const char* path :
       {"/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/default-GM.sf2"}) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) return path;
  }
  return {};
}

namespace {

// --- FluidSynth ---

class FluidSynth final : public MidiSynth, public MusicSource {
 public:
  ~FluidSynth() override {
    if (player_) delete_fluid_player(player_);
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
  }
  bool load(const std::string& soundFont, int rate, std::string& why) {
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
    if (soundFont.empty() || fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED) {
      return why = "no General MIDI sound font", false;
    }
    return true;
  }
  MusicSource& source() override { return *this; }
  // The song is synthesized ahead in chunks larger than the device's blocks: the synthesizer
  // works far better on one long run than on many short ones with the caches gone cold.
  void render(float* stereo, int frames) override {
    for (int done = 0; done < frames;) {
      if (aheadAt_ >= ahead_.size()) synthesizeAhead();
      const std::size_t n = std::min<std::size_t>(frames - done, (ahead_.size() - aheadAt_) / 2);
      std::copy_n(ahead_.data() + aheadAt_, 2 * n, stereo + 2 * done);
      aheadAt_ += 2 * n;
      done += static_cast<int>(n);
    }
  }
  bool start(const void* owner, const std::string& bytes, long fromTick) override {
    drop();
    player_ = new_fluid_player(synth_);
    if (!player_) return false;
    owner_ = owner;
    if (fluid_player_add_mem(player_, bytes.data(), bytes.size()) != FLUID_OK) {
      drop();
      return false;
    }
    fluid_player_play(player_);
    if (fromTick > 0) fluid_player_seek(player_, static_cast<int>(fromTick));
    return true;
  }
  void stop(const void* owner) override {
    if (owner == owner_) drop();
  }
  bool playing(const void* owner) override {
    return owner == owner_ && player_ && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING;
  }
  long tick(const void* owner) override {
    return owner == owner_ && player_ ? fluid_player_get_current_tick(player_) : 0;
  }

 private:
  void synthesizeAhead() {
    ahead_.resize(2 * aheadFrames);
    aheadAt_ = 0;
    // With no song and no voice left, the synthesizer rests once its reverb tail has died away.
    const bool active = (player_ && fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING) ||
                        fluid_synth_get_active_voice_count(synth_) > 0;
    restingIn_ = active ? tailFrames : std::max(0L, restingIn_ - aheadFrames);
    if (restingIn_ == 0) {
      std::fill(ahead_.begin(), ahead_.end(), 0.0f);
    } else {
      fluid_synth_write_float(synth_, aheadFrames, ahead_.data(), 0, 2, ahead_.data(), 1, 2);
    }
  }
  void drop() {
    ahead_.clear();  // what was synthesized ahead is not heard
    aheadAt_ = 0;
    if (player_) {
      fluid_player_stop(player_);
      delete_fluid_player(player_);
      player_ = nullptr;
    }
    fluid_synth_all_sounds_off(synth_, -1);
    owner_ = nullptr;
  }
  static constexpr long tailFrames = 4L * Mixer::rate;  // the reverb fades within four seconds
  fluid_settings_t* settings_ = nullptr;
  fluid_synth_t* synth_ = nullptr;
  fluid_player_t* player_ = nullptr;
  long restingIn_ = tailFrames;  // frames still rendered after the last sound
  static constexpr int aheadFrames = 4096;  // about 93 ms
  std::vector<float> ahead_;     // synthesized, not yet mixed
  std::size_t aheadAt_ = 0;
  const void* owner_ = nullptr;
};

// --- wave voices ---

class WavePlayer final : public Player {
 public:
  WavePlayer(Mixer& mixer, const MediaFile& file)
      : mixer_(mixer),
        info_(file.wave),
        samples_(std::make_shared<std::vector<float>>(
            waveToStereo(file.wave, file.bytes, Mixer::rate))) {}
  ~WavePlayer() override { stop(); }
  void play(std::int64_t fromUs, std::int64_t toUs) override {
    stop();
    from_ = toMixer(fromUs);
    end_ = toMixer(toUs);
    voice_ = mixer_.play(samples_, from_, end_);
  }
  void stop() override {
    if (voice_ == 0) return;
    from_ = mixer_.stop(voice_).value_or(end_);
    voice_ = 0;
  }
  bool playing() override { return voice_ != 0 && mixer_.position(voice_).has_value(); }
  std::int64_t positionUs() override {
    const std::size_t at = voice_ ? mixer_.position(voice_).value_or(end_) : from_;
    const std::int64_t source = static_cast<std::int64_t>(at) * info_.sampleRate / Mixer::rate;
    return (source * 1000000 + info_.sampleRate - 1) / info_.sampleRate;
  }

 private:
  std::size_t toMixer(std::int64_t us) const {
    const std::int64_t source = us * info_.sampleRate / 1000000;
    return static_cast<std::size_t>(source * Mixer::rate / info_.sampleRate);
  }
  Mixer& mixer_;
  WaveInfo info_;
  Mixer::Samples samples_;
  int voice_ = 0;
  std::size_t from_ = 0, end_ = 0;
};

// --- MIDI songs ---

class MidiPlayer final : public Player {
 public:
  MidiPlayer(Mixer& mixer, MidiSynth& synth, const MediaFile& file)
      : mixer_(mixer), synth_(synth), info_(file.midi), bytes_(file.bytes) {}
  ~MidiPlayer() override { stop(); }
  void play(std::int64_t fromUs, std::int64_t) override {
    std::lock_guard lock(mixer_.mutex());
    heldTick_ = static_cast<long>(info_.usToTick(fromUs));
    synth_.start(this, bytes_, heldTick_);
  }
  void stop() override {
    std::lock_guard lock(mixer_.mutex());
    if (synth_.playing(this)) heldTick_ = synth_.tick(this);
    synth_.stop(this);
  }
  // FluidSynth lets the last notes ring out before it calls the song done; the song itself
  // ends at its last tick.
  bool playing() override {
    std::lock_guard lock(mixer_.mutex());
    return synth_.playing(this) && synth_.tick(this) < info_.lengthTicks;
  }
  std::int64_t positionUs() override {
    std::lock_guard lock(mixer_.mutex());
    const long tick = synth_.playing(this) ? synth_.tick(this) : heldTick_;
    return info_.tickToUs(std::min<long>(tick, static_cast<long>(info_.lengthTicks)));
  }

 private:
  Mixer& mixer_;
  MidiSynth& synth_;
  MidiInfo info_;
  std::string bytes_;
  long heldTick_ = 0;
};

// --- AVI movies ---

class MoviePlayer final : public Player {
 public:
  // The sound track is mixed into `mixer` when there is one.
  MoviePlayer(Forms& forms, Clock& time, std::function<void()>& present, Mixer* mixer)
      : forms_(forms), time_(time), present_(present), mixer_(mixer) {}
  ~MoviePlayer() override {
    sound_.reset();
    if (sws_) sws_freeContext(sws_);
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    avcodec_free_context(&decoder_);
    avformat_close_input(&format_);
  }
  bool open(const std::string& path, std::string& why) {
    if (avformat_open_input(&format_, path.c_str(), nullptr, nullptr) < 0) {
      return why = "movie does not open", false;
    }
    if (avformat_find_stream_info(format_, nullptr) < 0) return why = "no movie streams", false;
    const AVCodec* codec = nullptr;
    stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (stream_ < 0 || !codec) return why = "no video stream or decoder", false;
    decoder_ = avcodec_alloc_context3(codec);
    if (!decoder_ ||
        avcodec_parameters_to_context(decoder_, format_->streams[stream_]->codecpar) < 0 ||
        avcodec_open2(decoder_, codec, nullptr) < 0) {
      return why = "video decoder does not open", false;
    }
    frame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!frame_ || !packet_) return false;
    if (mixer_) {
      // A sound track that cannot be decoded leaves the movie silent.
      std::string soundWhy;
      sound_ = MovieSound::open(path, *mixer_, soundWhy);
      if (!sound_ && !soundWhy.empty()) {
        std::fprintf(stderr, "zav3: movie without sound: %s\n", soundWhy.c_str());
      }
    }
    return true;
  }
  void play(std::int64_t fromUs, std::int64_t toUs) override {
    const AVRational base = format_->streams[stream_]->time_base;
    av_seek_frame(format_, stream_, av_rescale_q(fromUs, AVRational{1, 1000000}, base),
                  AVSEEK_FLAG_BACKWARD);
    avcodec_flush_buffers(decoder_);
    // The track is decoded ahead before the clock starts, so both start together.
    if (sound_) sound_->play(fromUs, toUs);
    fromUs_ = fromUs;
    toUs_ = toUs;
    startMs_ = time_.nowMs();
    pending_ = false;
    playing_ = true;
  }
  void stop() override {
    if (playing_) fromUs_ = nowUs();
    playing_ = false;
    if (sound_) sound_->stop();
  }
  bool playing() override {
    pump();
    return playing_;
  }
  std::int64_t positionUs() override { return playing_ ? nowUs() : fromUs_; }
  bool needsPump() const override { return true; }
  void setWindow(Long handle) override { window_ = handle; }
  void setDestination(int x, int y, int width, int height) override {
    x_ = x, y_ = y, width_ = width, height_ = height;
  }
  void pump() override {
    if (!playing_) return;
    if (sound_) sound_->pump();
    const std::int64_t now = nowUs();
    bool drawn = false;
    bool ended = false;
    while (true) {
      if (!pending_) {
        if (!decode()) {
          ended = true;
          break;
        }
        pending_ = true;
      }
      if (pendingUs_ > now) break;
      if (pendingUs_ >= fromUs_ - 1000) drawn = draw() || drawn;
      pending_ = false;
    }
    if (drawn && present_) present_();
    // The last frame stays up while the sound track plays out its time.
    if (ended && sound_ && sound_->sounding() && now < toUs_) ended = false;
    if (ended || now >= toUs_) {
      fromUs_ = std::min(now, toUs_);
      playing_ = false;
      if (sound_) sound_->stop();
    }
  }

 private:
  std::int64_t nowUs() { return fromUs_ + (time_.nowMs() - startMs_) * 1000; }
  bool decode() {
    while (true) {
      const int got = avcodec_receive_frame(decoder_, frame_);
      if (got == 0) {
        const std::int64_t pts = frame_->best_effort_timestamp;
        pendingUs_ = pts == AV_NOPTS_VALUE ? pendingUs_
                                           : av_rescale_q(pts, format_->streams[stream_]->time_base,
                                                          AVRational{1, 1000000});
        return true;
      }
      if (got == AVERROR_EOF) return false;
      if (got != AVERROR(EAGAIN)) return false;
      if (av_read_frame(format_, packet_) < 0) {
        avcodec_send_packet(decoder_, nullptr);
        continue;
      }
      if (packet_->stream_index == stream_) avcodec_send_packet(decoder_, packet_);
      av_packet_unref(packet_);
    }
  }
  bool draw() {
    Surface* target = nullptr;
    try {
      if (window_ != 0) target = &forms_.surface(static_cast<Handle>(window_));
    } catch (const std::exception&) {
      target = nullptr;
    }
    if (!target || target->empty()) return false;
    const int w = width_ > 0 ? width_ : target->width();
    const int h = height_ > 0 ? height_ : target->height();
    sws_ = sws_getCachedContext(sws_, frame_->width, frame_->height,
                                static_cast<AVPixelFormat>(frame_->format), w, h, AV_PIX_FMT_BGRA,
                                SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!sws_) return false;
    rgb_.resize(static_cast<std::size_t>(w) * h);
    std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(rgb_.data()), nullptr, nullptr,
                               nullptr};
    int strides[4] = {w * 4, 0, 0, 0};
    sws_scale(sws_, frame_->data, frame_->linesize, 0, frame_->height, planes, strides);
    for (int y = 0; y < h; ++y) {
      const int ty = y_ + y;
      if (ty < 0 || ty >= target->height()) continue;
      for (int x = 0; x < w; ++x) {
        const int tx = x_ + x;
        if (tx >= 0 && tx < target->width()) {
          target->row(ty)[tx] = rgb_[static_cast<std::size_t>(y) * w + x] | 0xFF000000u;
        }
      }
    }
    forms_.touch();
    return true;
  }
  Forms& forms_;
  Clock& time_;
  std::function<void()>& present_;
  Mixer* mixer_;
  std::unique_ptr<MovieSound> sound_;
  AVFormatContext* format_ = nullptr;
  AVCodecContext* decoder_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
  SwsContext* sws_ = nullptr;
  int stream_ = -1;
  std::vector<std::uint32_t> rgb_;
  Long window_ = 0;
  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  std::int64_t fromUs_ = 0, toUs_ = 0, startMs_ = 0, pendingUs_ = 0;
  bool pending_ = false;
  bool playing_ = false;
};

// --- the backend ---

class SdlMediaBackend final : public MediaBackend {
 public:
  // Sounds into `external` when given (its owner renders it), else into an SDL audio device.
  SdlMediaBackend(Forms& forms, Clock& time, std::function<void()> present, Mixer* external)
      : forms_(forms),
        time_(time),
        present_(std::move(present)),
        fallback_(makeHeadlessMediaBackend(time)),
        mixer_(external ? *external : ownMixer_),
        sounding_(external != nullptr) {
    av_log_set_level(AV_LOG_FATAL);
    if (sounding_) return;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      std::fprintf(stderr, "zav3: no sound: %s\n", SDL_GetError());
      return;
    }
    SDL_AudioSpec want{};
    want.freq = Mixer::rate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = [](void* self, Uint8* stream, int len) {
      static_cast<Mixer*>(self)->render(reinterpret_cast<float*>(stream),
                                        len / static_cast<int>(2 * sizeof(float)));
    };
    want.userdata = &ownMixer_;
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) {
      std::fprintf(stderr, "zav3: no sound: %s\n", SDL_GetError());
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      return;
    }
    SDL_PauseAudioDevice(device_, 0);
    sounding_ = true;
  }
  ~SdlMediaBackend() override {
    if (device_ != 0) {
      SDL_CloseAudioDevice(device_);
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    if (synth_) mixer_.removeMusic(&synth_->source());
  }
  std::unique_ptr<Player> open(const MediaFile& file, std::string& why) override {
    switch (file.kind) {
      case MediaKind::wave:
        if (!sounding_) return fallback_->open(file, why);
        return std::make_unique<WavePlayer>(mixer_, file);
      case MediaKind::midi:
        if (!sounding_) return fallback_->open(file, why);
        if (!synth_ && !synthFailed_) {
          synth_ = makeMidiSynth(findSoundFont(), Mixer::rate, why);
          if (synth_) {
            mixer_.addMusic(&synth_->source());
          } else {
            synthFailed_ = true;
            std::fprintf(stderr, "zav3: no music: %s\n", why.c_str());
          }
        }
        if (!synth_) return fallback_->open(file, why);
        return std::make_unique<MidiPlayer>(mixer_, *synth_, file);
      case MediaKind::movie: {
        auto player =
            std::make_unique<MoviePlayer>(forms_, time_, present_, sounding_ ? &mixer_ : nullptr);
        if (!player->open(file.path, why)) return nullptr;
        return player;
      }
    }
    return nullptr;
  }

 private:
  Forms& forms_;
  Clock& time_;
  std::function<void()> present_;
  std::unique_ptr<MediaBackend> fallback_;
  Mixer ownMixer_;
  Mixer& mixer_;
  bool sounding_;  // an audio device or the caller's mixer takes the sound
  std::unique_ptr<MidiSynth> synth_;
  bool synthFailed_ = false;
  SDL_AudioDeviceID device_ = 0;
};

}  // namespace

std::unique_ptr<MidiSynth> makeMidiSynth(const std::string& soundFont, int rate, std::string& why) {
  auto synth = std::make_unique<FluidSynth>();
  if (!synth->load(soundFont, rate, why)) return nullptr;
  return synth;
}

std::unique_ptr<MediaBackend> makeSdlMediaBackend(Forms& forms, Clock& time,
                                                  std::function<void()> present) {
  return std::make_unique<SdlMediaBackend>(forms, time, std::move(present), nullptr);
}

std::unique_ptr<MediaBackend> makeMixerMediaBackend(Forms& forms, Clock& time,
                                                    std::function<void()> present, Mixer& mixer) {
  return std::make_unique<SdlMediaBackend>(forms, time, std::move(present), &mixer);
}

}  // namespace zav3::host
