// The mixer: voices and music sources summed and clipped.
#include "host/media/mixer.hpp"

#include <algorithm>

namespace zav3::host {

int Mixer::play(Samples samples, std::size_t fromFrame, std::size_t toFrame) {
  std::lock_guard lock(mutex_);
  const std::size_t frames = samples ? samples->size() / 2 : 0;
  const std::size_t end = std::min(toFrame, frames);
  const int id = nextId_++;
  if (fromFrame < end) voices_.push_back({id, std::move(samples), fromFrame, end});
  return id;
}

std::optional<std::size_t> Mixer::stop(int id) {
  std::lock_guard lock(mutex_);
  const auto it =
      std::find_if(voices_.begin(), voices_.end(), [id](const Voice& v) { return v.id == id; });
  if (it == voices_.end()) return std::nullopt;
  const std::size_t at = it->position;
  voices_.erase(it);
  return at;
}

std::optional<std::size_t> Mixer::position(int id) const {
  std::lock_guard lock(mutex_);
  for (const Voice& v : voices_) {
    if (v.id == id) return v.position;
  }
  return std::nullopt;
}

void Mixer::addMusic(MusicSource* source) {
  std::lock_guard lock(mutex_);
  music_.push_back(source);
}

void Mixer::removeMusic(MusicSource* source) {
  std::lock_guard lock(mutex_);
  std::erase(music_, source);
}

void Mixer::render(float* out, int frames) {
  std::lock_guard lock(mutex_);
  const auto n = static_cast<std::size_t>(frames) * 2;
  std::fill(out, out + n, 0.0f);
  const bool muted = muted_.load();
  const float music = muted ? 0.0f : music_level_.load();
  const float effects = muted ? 0.0f : effects_level_.load();
  if (!music_.empty()) {
    scratch_.resize(n);
    for (MusicSource* source : music_) {
      // Sources render even when silent: their songs keep their place.
      source->render(scratch_.data(), frames);
      for (std::size_t i = 0; i < n; ++i) out[i] += scratch_[i] * music;
    }
  }
  for (Voice& v : voices_) {
    const std::size_t count = std::min(static_cast<std::size_t>(frames), v.end - v.position);
    const float* from = v.samples->data() + v.position * 2;
    for (std::size_t i = 0; i < count * 2; ++i) out[i] += from[i] * effects;
    v.position += count;
  }
  std::erase_if(voices_, [](const Voice& v) { return v.position >= v.end; });
  for (std::size_t i = 0; i < n; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

}  // namespace zav3::host
