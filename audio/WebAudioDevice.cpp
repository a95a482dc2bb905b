#include "WebAudioDevice.h"

#include <emscripten.h>

#include <chrono>

#include "AudioProvider.h"

namespace {

const auto pollInterval = std::chrono::milliseconds(10);
// Scheduled at start (and after a seek): a few tens of milliseconds of
// decoding before the first frame.
const double startSeconds = 4.0;
// Then, one buffer per poll, up to this much: the page's main thread also
// draws, and was seen to stall for five seconds at a time on a loaded machine
// (and a background tab's timer fires once a second). 4 MB of samples.
const double mostSeconds = 12.0;
// A buffer scheduled sooner than this after the context's time may start late.
const double scheduleMargin = 0.05;

// The page's AudioContext: the one its "click to start" made (browsers start
// sound only after a user gesture), else a new one. 0 where there is none.
EM_JS(int, webAudioOpen, (), {
  if (!Module['zephAudioContext']) {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
    Module['zephAudioContext'] = new Context();
  }
  Module['zephAudioSources'] = [];
  return 1;
});

EM_JS(double, webAudioCurrentTime, (), { return Module['zephAudioContext'].currentTime; });

// The frame reaching the output now on the context's clock, and when that is
// on performance.now()'s.
EM_JS(void, webAudioTimestamp, (double* contextTime, double* performanceTime), {
  var context = Module['zephAudioContext'];
  var stamp = context.getOutputTimestamp ? context.getOutputTimestamp() : {};
  var known = stamp.performanceTime > 0;
  HEAPF64[contextTime >> 3] = known ? stamp.contextTime : context.currentTime;
  HEAPF64[performanceTime >> 3] = known ? stamp.performanceTime : performance.now();
});

// Plays `frames` frames of 16-bit stereo at 44100 Hz from `when` on.
EM_JS(void, webAudioSchedule, (const int16_t* pcm, int frames, double when), {
  var context = Module['zephAudioContext'];
  var buffer = context.createBuffer(2, frames, 44100);
  var left = buffer.getChannelData(0);
  var right = buffer.getChannelData(1);
  var first = pcm >> 1;
  for (var i = 0; i < frames; i++) {
    left[i] = HEAP16[first + 2 * i] / 32768;
    right[i] = HEAP16[first + 2 * i + 1] / 32768;
  }
  var source = context.createBufferSource();
  source.buffer = buffer;
  source.connect(context.destination);
  source.start(when);
  var sources = Module['zephAudioSources'];
  sources.push(source);
  source.onended = function() {
    var at = sources.indexOf(source);
    if (at >= 0) sources.splice(at, 1);
  };
});

EM_JS(void, webAudioStopAll, (), {
  var sources = Module['zephAudioSources'] || [];
  Module['zephAudioSources'] = [];
  sources.forEach(function(source) {
    source.onended = null;
    source.stop();
    source.disconnect();
  });
});

EM_JS(void, webAudioSuspend, (int on), {
  var context = Module['zephAudioContext'];
  if (on)
    context.suspend();
  else
    context.resume();
});

uint32_t millisecondsOf(double performanceTime) {
  return static_cast<uint32_t>(static_cast<uint64_t>(performanceTime));
}

} // namespace

WebAudioDevice::~WebAudioDevice() {
  close();
}

int WebAudioDevice::open(void*) {
  if (!webAudioOpen()) throw "Could not open Web Audio";
  running = false;
  buffer.assign(static_cast<size_t>(bufferBytes), 0);
  // The output timestamp is what is heard, as far as the browser knows.
  if (provider) provider->setOutputLatency(0.0);
  return 0;
}

void WebAudioDevice::start() {
  if (poller.started()) return;
  running = true;
  taken = 0;
  scheduled.clear();
  scheduleAhead(startSeconds, false);
  poller.start(pollInterval, [this] {
    poll();
    return false;
  });
}

void WebAudioDevice::poll() {
  if (!running) return;
  double contextTime = 0.0, performanceTime = 0.0;
  webAudioTimestamp(&contextTime, &performanceTime);
  if (!paused) provider->reportPlayed(playedBytes(contextTime), millisecondsOf(performanceTime));
  scheduleAhead(startSeconds, false);
  scheduleAhead(mostSeconds, true);
}

// Until `seconds` past the context's time are scheduled, or one more buffer
// if `once`.
void WebAudioDevice::scheduleAhead(double seconds, bool once) {
  if (paused) return;
  const double now = webAudioCurrentTime();
  // Kept a second after they end: the output's time runs behind the context's.
  while (scheduled.size() > 1 && scheduled[1].start + 1.0 < now)
    scheduled.pop_front();
  while (scheduled.empty() || scheduledEnd() < now + seconds) {
    scheduleOne();
    if (once) return;
  }
}

double WebAudioDevice::scheduledEnd() const {
  const Scheduled& last = scheduled.back();
  return last.start + static_cast<double>(last.frames) / sampleRate;
}

// Back to back with the one before; where that one ends before the context
// reaches this one (the page's timer came too late), from now on. The
// context's time is read after the decoding, which takes a while.
void WebAudioDevice::scheduleOne() {
  const uint32_t frames = static_cast<uint32_t>(buffer.size() / 4);
  provider->fill(buffer.data(), static_cast<uint32_t>(buffer.size()));
  const double soonest = webAudioCurrentTime() + scheduleMargin;
  const double start = !scheduled.empty() && scheduledEnd() >= soonest ? scheduledEnd() : soonest;
  webAudioSchedule(reinterpret_cast<const int16_t*>(buffer.data()), static_cast<int>(frames), start);
  scheduled.push_back({start, taken, frames});
  taken += buffer.size();
}

// Whole frames played of the buffer that the context's time falls in.
uint64_t WebAudioDevice::playedBytes(double contextTime) const {
  if (scheduled.empty()) return taken;
  const Scheduled* playing = &scheduled.front();
  for (const Scheduled& one : scheduled)
    if (one.start <= contextTime) playing = &one;
  double frames = (contextTime - playing->start) * sampleRate;
  if (frames < 0.0) frames = 0.0;
  if (frames > playing->frames) frames = playing->frames;
  return playing->firstByte + static_cast<uint64_t>(frames) * 4;
}

void WebAudioDevice::dropScheduled() {
  webAudioStopAll();
  scheduled.clear();
}

// What was scheduled is dropped; the next byte played is the next one taken.
bool WebAudioDevice::seek(double seconds) {
  if (!provider->seek(seconds)) return false;
  if (!running) return true;
  dropScheduled();
  scheduleAhead(startSeconds, false);
  return true;
}

// The context holds its clock and what it has scheduled.
void WebAudioDevice::pause() {
  if (!running || paused) return;
  double contextTime = 0.0, performanceTime = 0.0;
  webAudioTimestamp(&contextTime, &performanceTime);
  webAudioSuspend(1);
  paused = true;
  provider->reportPaused(playedBytes(contextTime), millisecondsOf(performanceTime));
}

void WebAudioDevice::resume() {
  if (!running || !paused) return;
  webAudioSuspend(0);
  paused = false;
  provider->reportResumed();
}

void WebAudioDevice::close() {
  poller.stop();
  if (running) dropScheduled();
  running = false;
}
