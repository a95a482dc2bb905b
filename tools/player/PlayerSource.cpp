#include "PlayerSource.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const double bytesPerSecond = 176400.0;
const double sampleRate = 44100.0;

// The sources seek to whole samples.
double toSample(double seconds) {
  return std::round(seconds * sampleRate) / sampleRate;
}

} // namespace

double clampSeek(double seconds, double length) {
  if (!(seconds > 0.0)) return 0.0;
  return std::min(seconds, std::max(length, 0.0));
}

PlayerSource::PlayerSource(AudioProvider* source) : AudioProvider(nullptr), music(source) {}

double PlayerSource::getTime() {
  if (holding) return held;
  return music->getTime();
}

bool PlayerSource::fill(uint8_t* buffer, uint32_t bytes) {
  std::lock_guard<std::mutex> guard(lock);
  if (isPaused) {
    std::memset(buffer, 0, bytes);
    lastFillBytes = 0;
    delivered += bytes;
    return true;
  }
  if (stretchPending) {
    stretchPending = false;
    stretchByte = delivered;
    stretchMusicByte = musicDelivered;
    firstFillEnd = delivered + bytes;
  }
  const bool more = music->fill(buffer, bytes);
  lastFillBytes = music->getLastFillBytes();
  delivered += bytes;
  musicDelivered += bytes;
  return more;
}

void PlayerSource::reportPlayed(uint64_t streamByte, uint32_t atMs) {
  std::lock_guard<std::mutex> guard(lock);
  if (isPaused || stretchPending || streamByte < stretchByte) return;
  anyPlayed = true;
  lastPlayed = streamByte;
  if (!confirmed) {
    // A restart moves the position to the next byte queued: past the first
    // fill, that fill was dropped.
    if (streamByte >= firstFillEnd) {
      startLost = true;
      return;
    }
    confirmed = true;
    holding = false;
  }
  music->reportPlayed(streamByte - stretchByte + stretchMusicByte, atMs);
}

void PlayerSource::setOutputLead(double seconds) {
  AudioProvider::setOutputLead(seconds);
  music->setOutputLead(seconds);
}

void PlayerSource::setOutputLatency(double seconds) {
  AudioProvider::setOutputLatency(seconds);
  music->setOutputLatency(seconds);
}

void PlayerSource::beginStretch(double seconds) {
  stretchMusic = toSample(seconds);
  music->seek(stretchMusic);
  stretchPending = true;
  confirmed = false;
  anyPlayed = false;
  startLost = false;
  holding = true;
}

double PlayerSource::musicAtPlayed() const {
  if (stretchPending || !anyPlayed) return stretchMusic;
  return stretchMusic + static_cast<double>(lastPlayed - stretchByte) / bytesPerSecond;
}

void PlayerSource::seekTo(double seconds) {
  std::lock_guard<std::mutex> guard(lock);
  held = toSample(seconds);
  holding = true;
  if (isPaused) {
    resumeAt = held;
    return;
  }
  beginStretch(seconds);
}

void PlayerSource::pause() {
  std::lock_guard<std::mutex> guard(lock);
  if (isPaused) return;
  held = getTime();
  holding = true;
  // What the output has taken plays out after its restart; the music goes on from there.
  resumeAt = std::max(musicAtPlayed(), held.load());
  isPaused = true;
}

void PlayerSource::resume() {
  std::lock_guard<std::mutex> guard(lock);
  if (!isPaused) return;
  isPaused = false;
  beginStretch(resumeAt);
}

bool PlayerSource::lostStart() {
  if (!startLost.exchange(false)) return false;
  std::lock_guard<std::mutex> guard(lock);
  if (isPaused || confirmed) return false;
  beginStretch(stretchMusic);
  return true;
}
