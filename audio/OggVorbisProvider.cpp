#include "OggVorbisProvider.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "AudioFile.h"
#include "AudioLatency.h"
#include "MillisecondTimer.h"

namespace {

AudioFile* source(void* data) {
  return static_cast<AudioFile*>(data);
}

size_t readCallback(void* buffer, size_t size, size_t count, void* data) {
  return source(data)->read(buffer, size, count);
}

// Offsets are cut to their low 32 bits: the music must stay under 2 GiB.
int seekCallback(void* data, ogg_int64_t offset, int origin) {
  return source(data)->seek(static_cast<int32_t>(static_cast<uint32_t>(offset)), origin);
}

int closeCallback(void* data) {
  return source(data)->close();
}

long tellCallback(void* data) {
  return source(data)->tell();
}

const ov_callbacks audioFileCallbacks = {readCallback, seekCallback, closeCallback, tellCallback};

void silence(uint8_t* buffer, uint32_t from, uint32_t bytes) {
  if (from < bytes) std::memset(buffer + from, 0, bytes - from);
}

} // namespace

OggVorbisProvider::OggVorbisProvider(AudioFile* audioFile) : AudioProvider(audioFile) {
  // On failure vorbisfile clears the decoder itself, without the close callback.
  if (ov_open_callbacks(file, &vorbisFile, nullptr, 0, audioFileCallbacks) < 0)
    throw "Could not set OggVorbis callbacks!";
  clearEndOfFile();
  clock.reset(new PlaybackClock(ov_time_tell(&vorbisFile)));
}

// vorbisfile reads forward after its last seek while opening or seeking; with
// music shorter than that read, the file's end-of-file indicator would be set
// and the next fill would return silence. Seeking to where the file stands
// clears it without moving.
void OggVorbisProvider::clearEndOfFile() {
  int32_t at = file->tell();
  if (at >= 0) file->seek(at, SEEK_SET);
}

bool OggVorbisProvider::seek(double seconds) {
  if (!(seconds >= 0.0) || !std::isfinite(seconds)) return false;
  std::lock_guard<std::mutex> lock(decodeLock);
  const vorbis_info* info = ov_info(&vorbisFile, 0);
  if (!ov_seekable(&vorbisFile) || !info || info->rate <= 0) return false;
  const double rate = static_cast<double>(info->rate);
  const ogg_int64_t wanted = static_cast<ogg_int64_t>(std::llround(seconds * rate));
  const ogg_int64_t sample = std::min(wanted, ov_pcm_total(&vorbisFile, -1));
  if (ov_pcm_seek(&vorbisFile, sample) != 0) return false;
  pendingBegin = pendingEnd = 0;
  clearEndOfFile();
  clock->seek(static_cast<double>(sample) / rate, readMillisecondTimer());
  return true;
}

OggVorbisProvider::~OggVorbisProvider() {
  vorbisFile.callbacks.close_func = nullptr;
  ov_clear(&vorbisFile);
}

double OggVorbisProvider::getTime() {
  return clock->read(getOutputLatency() + configuredAudioLatency(), readMillisecondTimer());
}

void OggVorbisProvider::reportPlayed(uint64_t streamByte, uint32_t atMs) {
  clock->played(streamByte, atMs);
}

void OggVorbisProvider::reportPaused(uint64_t streamByte, uint32_t atMs) {
  clock->paused(streamByte, atMs);
}

void OggVorbisProvider::reportResumed() {
  clock->resumed();
}

bool OggVorbisProvider::fill(uint8_t* buffer, uint32_t bytes) {
  std::lock_guard<std::mutex> lock(decodeLock);
  bool more = true;
  lastFillBytes = 0;
  if (file->isEof()) {
    silence(buffer, 0, bytes);
    more = false;
  } else {
    lastFillBytes = decode(buffer, bytes);
    silence(buffer, lastFillBytes, bytes);
    more = lastFillBytes == bytes;
  }
  // Silence after the music's end counts as time too: the output plays it,
  // so the clock goes on at real time past the last sample.
  clock->delivered(bytes);
  return more;
}

uint32_t OggVorbisProvider::decode(uint8_t* buffer, uint32_t bytes) {
  uint32_t offset = takePending(buffer, bytes);
  while (offset < bytes) {
    long n = readOnce(buffer + offset, bytes - offset);
    if (n == OV_HOLE) continue; // a gap in the data: decoding goes on after it
    if (n <= 0) break;          // end of stream, or a link that cannot be decoded
    offset += static_cast<uint32_t>(n);
  }
  return offset;
}

long OggVorbisProvider::readOnce(uint8_t* buffer, uint32_t bytes) {
  int section = 0;
  int length = bytes > INT_MAX ? INT_MAX : static_cast<int>(bytes);
  long n = ov_read(&vorbisFile, reinterpret_cast<char*>(buffer), length, 0, 2, 1, &section);
  // OV_EINVAL from an open decoder: the room left is smaller than one sample
  // frame. Decode a little into `pending` and hand over what fits.
  if (n != OV_EINVAL) return n;
  n = ov_read(&vorbisFile, reinterpret_cast<char*>(pending), sizeof pending, 0, 2, 1, &section);
  if (n <= 0) return n;
  pendingBegin = 0;
  pendingEnd = static_cast<uint32_t>(n);
  return takePending(buffer, bytes);
}

uint32_t OggVorbisProvider::takePending(uint8_t* buffer, uint32_t bytes) {
  uint32_t count = pendingEnd - pendingBegin;
  if (count > bytes) count = bytes;
  if (count) std::memcpy(buffer, pending + pendingBegin, count);
  pendingBegin += count;
  return count;
}
