#include "SdlAudioDevice.h"

#include <chrono>

#include "AudioProvider.h"
#include "MillisecondTimer.h"

namespace {

// Frames per device period: the queue drains (and the play position moves)
// in steps of 46 ms; more frames would put the clock further ahead of what
// is heard.
const Uint16 devicePeriodFrames = 2048;
const auto feederPoll = std::chrono::milliseconds(5);
// What the sound server is asked to hold of SDL's stream. SDL's PulseAudio
// backend asks for one period, of which the server kept 35 ms for the stream
// (the rest is the sink's): a loaded machine delays SDL's audio thread longer
// than that now and then (up to 50 to 120 ms here), and the sink plays a
// gap. With this wish the server keeps 120 ms. libpulse takes it from this
// variable when the stream connects; the latency the clock counts follows
// what the server reports it holds.
const char* const serverBufferMs = "200";

} // namespace

SdlAudioDevice::~SdlAudioDevice() {
  if (device) close();
  delete[] buffers[0];
  delete[] buffers[1];
}

int SdlAudioDevice::open(void*) {
  running = false;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) throw "SDL_OpenAudioDevice failed!";
  SDL_AudioSpec wanted = {};
  wanted.freq = sampleRate;
  wanted.format = AUDIO_S16LSB;
  wanted.channels = 2;
  wanted.samples = devicePeriodFrames;
  // SDL converts if the device wants another format.
  SDL_AudioSpec obtained = {};
  SDL_setenv("PULSE_LATENCY_MSEC", serverBufferMs, 0); // a user's own setting stays
  device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    throw "SDL_OpenAudioDevice failed!";
  }
  buffers[0] = new uint8_t[static_cast<size_t>(bufferBytes)];
  buffers[1] = new uint8_t[static_cast<size_t>(bufferBytes)];
  current = 0;
  refused = false;
  queuedBytes.store(0);
  // Bytes taken from the queue go through the device buffer SDL obtained
  // before they are heard.
  if (obtained.freq > 0) {
    const double period = static_cast<double>(obtained.samples) / obtained.freq;
    provider->setOutputLatency(period);
    watchServerLatency(period);
  }
  return 0;
}

// SDL's PulseAudio backend writes each period to the server piecewise, as
// the server asks for more, and after the last piece waits for the server's
// next request before it takes the next period from the queue: when the
// position steps, that whole period is still in SDL, ahead of what the server
// holds at its lowest (its stream buffer and the sink).
void SdlAudioDevice::watchServerLatency(double period) {
  AudioProvider* source = provider;
  serverLatency = createServerLatency(SDL_GetCurrentAudioDriver(), [source, period](double held) {
    source->setOutputLatency(period + held);
  });
}

void SdlAudioDevice::start() {
  running = true;
  reportPosition(); // nothing played yet: the clock holds until playback moves
  refill();
  refill();
  SDL_PauseAudioDevice(device, 0);
  feeder.start(feederPoll, [this] { return feed(); });
}

// SDL queues all of a buffer or nothing. What it refused stays in the buffer,
// counted neither here nor by the source twice, and is offered again.
bool SdlAudioDevice::refill() {
  std::lock_guard<std::mutex> lock(refillLock);
  if (!running) return false;
  int32_t index = current;
  if (!refused) provider->fill(buffers[index], static_cast<uint32_t>(bufferBytes));
  queuedBytes.update([this, index](uint64_t& queued) {
    refused = SDL_QueueAudio(device, buffers[index], static_cast<Uint32>(bufferBytes)) != 0;
    if (!refused) queued += static_cast<uint64_t>(bufferBytes);
  });
  if (refused) return false;
  current = index + 1 >= 2 ? 0 : index + 1;
  return true;
}

bool SdlAudioDevice::seek(double seconds) {
  {
    std::lock_guard<std::mutex> lock(refillLock);
    if (!provider->seek(seconds)) return false;
    refused = false; // music from before the seek
    if (!running) return true;
    // The position (queued minus waiting) moves on to the next byte queued: the seek's first.
    queuedBytes.update([this](uint64_t&) { SDL_ClearQueuedAudio(device); });
  }
  feeder.wake();
  return true;
}

// SDL pauses under its device lock: once it returns, nothing more is taken
// from the queue, and what was taken is heard.
void SdlAudioDevice::pause() {
  std::lock_guard<std::mutex> lock(refillLock);
  if (!running || paused) return;
  SDL_PauseAudioDevice(device, 1);
  paused = true;
  provider->reportPaused(playedBytes(), readMillisecondTimer());
}

void SdlAudioDevice::resume() {
  std::lock_guard<std::mutex> lock(refillLock);
  if (!running || !paused) return;
  paused = false;
  provider->reportResumed();
  SDL_PauseAudioDevice(device, 0);
}

uint64_t SdlAudioDevice::playedBytes() const {
  return queuedBytes.read([this](uint64_t queued) -> uint64_t {
    const uint64_t waiting = SDL_GetQueuedAudioSize(device);
    return queued > waiting ? queued - waiting : 0;
  });
}

// One buffer's worth has been played once no more than one buffer waits.
bool SdlAudioDevice::secondPlayed() const {
  return SDL_GetQueuedAudioSize(device) <= static_cast<Uint32>(bufferBytes);
}

// The position first, then the time: a late timer reading only makes the
// position look older, which the clock discounts.
void SdlAudioDevice::reportPosition() {
  const uint64_t played = playedBytes();
  provider->reportPlayed(played, readMillisecondTimer());
}

// One pass of the feeder: the position, and a refill once a second has been
// played (then at once another pass, in case the feeder fell behind; after a
// refused one, the next poll).
bool SdlAudioDevice::feed() {
  if (!running) return false;
  reportPosition();
  if (!secondPlayed()) return false;
  return refill();
}

void SdlAudioDevice::close() {
  if (running) stop();
  feeder.stop();
  serverLatency.reset();
  if (device == 0) return;
  SDL_CloseAudioDevice(device);
  device = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
