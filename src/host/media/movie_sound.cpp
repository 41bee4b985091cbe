// A movie's sound track: FFmpeg decoding and resampling to the mixer's stereo floats on the game
// thread, a queue of mixer frames handed to the audio thread under the mixer's lock.
#include "host/media/movie_sound.hpp"

#include <algorithm>
#include <cstring>

#include "host/media/ffmpeg_api.hpp"

namespace zav3::host {

namespace {

// Decoding gives up on a track after this many damaged packets in a row.
constexpr int errorsInARow = 32;
// Pieces of a track outside these bounds are taken for damage and skipped.
constexpr int lowestRate = 1000;
constexpr int highestRate = 384000;
constexpr std::int64_t longestPiece = 10 * Mixer::rate;  // in mixer frames

// A track exists only once FFmpeg is loaded.
const FfmpegApi& ff() {
  std::string why;
  return *ffmpeg(why);
}

std::int64_t usToFrames(std::int64_t us) {
  return us * Mixer::rate / 1000000;
}

}  // namespace

std::unique_ptr<MovieSound> MovieSound::open(const std::string& path, Mixer& mixer,
                                             std::string& why) {
  why.clear();
  if (!ffmpeg(why)) return nullptr;
  std::unique_ptr<MovieSound> sound(new MovieSound(mixer));
  if (!sound->openFile(path, why)) return nullptr;
  return sound;
}

MovieSound::~MovieSound() {
  stop();
  ff().swr_free(&resampler_);
  ff().av_frame_free(&frame_);
  ff().av_packet_free(&packet_);
  ff().avcodec_free_context(&decoder_);
  ff().avformat_close_input(&format_);
}

bool MovieSound::openFile(const std::string& path, std::string& why) {
  if (ff().avformat_open_input(&format_, path.c_str(), nullptr, nullptr) < 0) {
    return why = "movie does not open", false;
  }
  if (ff().avformat_find_stream_info(format_, nullptr) < 0) return why = "no movie streams", false;
  const AVCodec* codec = nullptr;
  stream_ = ff().av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (stream_ == AVERROR_STREAM_NOT_FOUND) return false;  // a silent movie
  if (stream_ < 0 || !codec) return why = "no decoder for the sound track", false;
  const AVCodecParameters* parameters = format_->streams[stream_]->codecpar;
  decoder_ = ff().avcodec_alloc_context3(codec);
  if (!decoder_ || ff().avcodec_parameters_to_context(decoder_, parameters) < 0 ||
      ff().avcodec_open2(decoder_, codec, nullptr) < 0) {
    return why = "the sound track's decoder does not open", false;
  }
  frame_ = ff().av_frame_alloc();
  packet_ = ff().av_packet_alloc();
  if (!frame_ || !packet_) return why = "out of memory", false;
  return true;
}

void MovieSound::play(std::int64_t fromUs, std::int64_t toUs) {
  stop();
  const AVRational base = format_->streams[stream_]->time_base;
  ff().av_seek_frame(format_, stream_, ff().av_rescale_q(fromUs, AVRational{1, 1000000}, base),
                AVSEEK_FLAG_BACKWARD);
  ff().avcodec_flush_buffers(decoder_);
  ff().swr_free(&resampler_);  // drops what it held back
  resamplerFormat_ = -1;
  fromUs_ = fromUs;
  decodedTo_ = 0;
  placed_ = draining_ = ended_ = false;
  {
    std::lock_guard lock(mixer_.mutex());
    queue_.clear();
    head_ = 0;
    queueAt_ = mixed_ = 0;
    endFrame_ = std::max<std::int64_t>(0, usToFrames(toUs - fromUs));
    active_ = false;  // until the first part is decoded
  }
  pump();
  {
    std::lock_guard lock(mixer_.mutex());
    active_ = true;
  }
  mixer_.addMusic(this);
  inMixer_ = true;
}

void MovieSound::stop() {
  if (inMixer_) mixer_.removeMusic(this);
  inMixer_ = false;
  std::lock_guard lock(mixer_.mutex());
  active_ = false;
  queue_.clear();
  head_ = 0;
}

bool MovieSound::sounding() {
  std::lock_guard lock(mixer_.mutex());
  return active_ && mixed_ < endFrame_;
}

void MovieSound::pump() {
  std::int64_t mixed = 0, end = 0;
  {
    std::lock_guard lock(mixer_.mutex());
    mixed = mixed_;
    end = endFrame_;
  }
  while (!ended_ && decodedTo_ < std::min(end, mixed + aheadFrames)) {
    if (!decode()) {
      ended_ = true;
      break;
    }
    const std::int64_t frames = static_cast<std::int64_t>(converted_.size() / 2);
    if (!placed_) {
      // The first piece after a seek starts at or before the place played from.
      const std::int64_t pts = frame_->best_effort_timestamp;
      if (pts != AV_NOPTS_VALUE) {
        const std::int64_t us =
            ff().av_rescale_q(pts, format_->streams[stream_]->time_base, AVRational{1, 1000000});
        decodedTo_ = usToFrames(us - fromUs_);
      }
      placed_ = true;
    }
    append(decodedTo_, converted_.data(), frames);
    decodedTo_ += frames;
  }
}

void MovieSound::append(std::int64_t at, const float* samples, std::int64_t frames) {
  std::lock_guard lock(mixer_.mutex());
  // What the mixer has passed (or what lies before the range) is dropped.
  const std::int64_t queueEnd = queueAt_ + static_cast<std::int64_t>(queue_.size() - head_) / 2;
  const std::int64_t from = std::max({at, mixed_, queueEnd});
  const std::int64_t to = std::min(at + frames, endFrame_);
  if (from >= to) return;
  if (head_ == queue_.size()) {
    queue_.clear();
    head_ = 0;
    queueAt_ = from;
  } else if (from > queueEnd) {
    queue_.resize(queue_.size() + static_cast<std::size_t>(from - queueEnd) * 2, 0.0f);
  }
  queue_.insert(queue_.end(), samples + (from - at) * 2, samples + (to - at) * 2);
}

bool MovieSound::decode() {
  int errors = 0;
  while (true) {
    const int got = ff().avcodec_receive_frame(decoder_, frame_);
    if (got == 0) {
      if (convert()) return true;
      if (++errors >= errorsInARow) return false;
      continue;
    }
    if (got == AVERROR_EOF || (got != AVERROR(EAGAIN) && draining_)) {
      // What the resampler holds back comes out last.
      if (!resampler_) return false;
      const int room = ff().swr_get_out_samples(resampler_, 0);
      if (room <= 0) return false;
      converted_.resize(static_cast<std::size_t>(room) * 2);
      auto* out = reinterpret_cast<std::uint8_t*>(converted_.data());
      const int made = ff().swr_convert(resampler_, &out, room, nullptr, 0);
      ff().swr_free(&resampler_);
      if (made <= 0) return false;
      converted_.resize(static_cast<std::size_t>(made) * 2);
      return true;
    }
    if (got != AVERROR(EAGAIN) && ++errors >= errorsInARow) return false;
    if (ff().av_read_frame(format_, packet_) < 0) {
      ff().avcodec_send_packet(decoder_, nullptr);
      draining_ = true;
      continue;
    }
    if (packet_->stream_index == stream_ && ff().avcodec_send_packet(decoder_, packet_) < 0 &&
        ++errors >= errorsInARow) {
      ff().av_packet_unref(packet_);
      return false;
    }
    ff().av_packet_unref(packet_);
  }
}

bool MovieSound::convert() {
  const int channels = frame_->ch_layout.nb_channels;
  if (channels <= 0 || frame_->sample_rate < lowestRate || frame_->sample_rate > highestRate ||
      frame_->nb_samples <= 0 ||
      std::int64_t{frame_->nb_samples} * Mixer::rate / frame_->sample_rate > longestPiece) {
    return false;
  }
  if (!resampler_ || frame_->format != resamplerFormat_ || frame_->sample_rate != resamplerRate_ ||
      channels != resamplerChannels_) {
    ff().swr_free(&resampler_);
    AVChannelLayout in{};
    if (frame_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
      ff().av_channel_layout_default(&in, channels);
    } else if (ff().av_channel_layout_copy(&in, &frame_->ch_layout) < 0) {
      return false;
    }
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    const int made = ff().swr_alloc_set_opts2(&resampler_, &stereo, AV_SAMPLE_FMT_FLT, Mixer::rate, &in,
                                         static_cast<AVSampleFormat>(frame_->format),
                                         frame_->sample_rate, 0, nullptr);
    ff().av_channel_layout_uninit(&in);
    if (made < 0 || ff().swr_init(resampler_) < 0) {
      ff().swr_free(&resampler_);
      return false;
    }
    resamplerFormat_ = frame_->format;
    resamplerRate_ = frame_->sample_rate;
    resamplerChannels_ = channels;
  }
  const int room = ff().swr_get_out_samples(resampler_, frame_->nb_samples);
  if (room <= 0) return false;
  converted_.resize(static_cast<std::size_t>(room) * 2);
  auto* out = reinterpret_cast<std::uint8_t*>(converted_.data());
  const int made =
      ff().swr_convert(resampler_, &out, room, const_cast<const std::uint8_t**>(frame_->extended_data),
                  frame_->nb_samples);
  if (made < 0) return false;
  converted_.resize(static_cast<std::size_t>(made) * 2);
  return true;
}

void MovieSound::render(float* stereo, int frames) {
  std::fill(stereo, stereo + static_cast<std::size_t>(frames) * 2, 0.0f);
  if (!active_) return;
  const std::int64_t queued = static_cast<std::int64_t>(queue_.size() - head_) / 2;
  const std::int64_t from = std::max(mixed_, queueAt_);
  const std::int64_t to = std::min({mixed_ + frames, queueAt_ + queued, endFrame_});
  if (from < to) {
    std::memcpy(stereo + (from - mixed_) * 2, queue_.data() + head_ + (from - queueAt_) * 2,
                static_cast<std::size_t>(to - from) * 2 * sizeof(float));
  }
  mixed_ += frames;
  // Drop what has been mixed; the queue moves down once most of it is spent.
  const std::int64_t spent = std::clamp<std::int64_t>(mixed_ - queueAt_, 0, queued);
  head_ += static_cast<std::size_t>(spent) * 2;
  queueAt_ += spent;
  if (head_ == queue_.size()) {
    queue_.clear();
    head_ = 0;
  } else if (head_ > queue_.size() / 2) {
    queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(head_));
    head_ = 0;
  }
}

}  // namespace zav3::host
