// The SDL media devices: one SDL audio device fed by the mixer, wave voices, MIDI songs (made by
// host/media/song_renderer.cpp), FFmpeg for AVI movies drawn into a picture box with their sound
// track mixed.
#include "host/media/sdl_media.hpp"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "host/media/ffmpeg_api.hpp"
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

// Used once a movie has opened, which needs FFmpeg loaded.
const FfmpegApi& ff() {
  std::string why;
  return *ffmpeg(why);
}

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
  // The last notes ring out after the song is done; the song itself ends at its last tick.
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
    std::string why;
    if (!ffmpeg(why)) return;  // nothing was made
    if (sws_) ff().sws_freeContext(sws_);
    ff().av_frame_free(&frame_);
    ff().av_packet_free(&packet_);
    ff().avcodec_free_context(&decoder_);
    ff().avformat_close_input(&format_);
  }
  bool open(const std::string& path, std::string& why) {
    if (!ffmpeg(why)) return false;
    if (ff().avformat_open_input(&format_, path.c_str(), nullptr, nullptr) < 0) {
      return why = "movie does not open", false;
    }
    if (ff().avformat_find_stream_info(format_, nullptr) < 0) return why = "no movie streams", false;
    const AVCodec* codec = nullptr;
    stream_ = ff().av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (stream_ < 0 || !codec) return why = "no video stream or decoder", false;
    decoder_ = ff().avcodec_alloc_context3(codec);
    if (!decoder_ ||
        ff().avcodec_parameters_to_context(decoder_, format_->streams[stream_]->codecpar) < 0 ||
        ff().avcodec_open2(decoder_, codec, nullptr) < 0) {
      return why = "video decoder does not open", false;
    }
    frame_ = ff().av_frame_alloc();
    packet_ = ff().av_packet_alloc();
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
    ff().av_seek_frame(format_, stream_, ff().av_rescale_q(fromUs, AVRational{1, 1000000}, base),
                  AVSEEK_FLAG_BACKWARD);
    ff().avcodec_flush_buffers(decoder_);
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
      const int got = ff().avcodec_receive_frame(decoder_, frame_);
      if (got == 0) {
        const std::int64_t pts = frame_->best_effort_timestamp;
        pendingUs_ = pts == AV_NOPTS_VALUE ? pendingUs_
                                           : ff().av_rescale_q(pts, format_->streams[stream_]->time_base,
                                                          AVRational{1, 1000000});
        return true;
      }
      if (got == AVERROR_EOF) return false;
      if (got != AVERROR(EAGAIN)) return false;
      if (ff().av_read_frame(format_, packet_) < 0) {
        ff().avcodec_send_packet(decoder_, nullptr);
        continue;
      }
      if (packet_->stream_index == stream_) ff().avcodec_send_packet(decoder_, packet_);
      ff().av_packet_unref(packet_);
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
    sws_ = ff().sws_getCachedContext(sws_, frame_->width, frame_->height,
                                static_cast<AVPixelFormat>(frame_->format), w, h, AV_PIX_FMT_BGRA,
                                SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!sws_) return false;
    rgb_.resize(static_cast<std::size_t>(w) * h);
    std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(rgb_.data()), nullptr, nullptr,
                               nullptr};
    int strides[4] = {w * 4, 0, 0, 0};
    ff().sws_scale(sws_, frame_->data, frame_->linesize, 0, frame_->height, planes, strides);
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
  void setLevels(float music, float effects, bool muted) override {
    mixer_.setLevels(music, effects, muted);
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

std::unique_ptr<MediaBackend> makeSdlMediaBackend(Forms& forms, Clock& time,
                                                  std::function<void()> present) {
  return std::make_unique<SdlMediaBackend>(forms, time, std::move(present), nullptr);
}

std::unique_ptr<MediaBackend> makeMixerMediaBackend(Forms& forms, Clock& time,
                                                    std::function<void()> present, Mixer& mixer) {
  return std::make_unique<SdlMediaBackend>(forms, time, std::move(present), &mixer);
}

}  // namespace zav3::host
