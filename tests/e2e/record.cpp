// zeph_record SOURCE FILE
// Records the PulseAudio source SOURCE (the null sink's monitor) into FILE as
// raw s16le stereo at 44100 Hz, written as it arrives, until SIGTERM or
// SIGINT. Then it says on standard error whether it lost any of what the
// source played, and exits with 0 when it lost nothing, 3 when it lost data,
// 2 when it could not record.
//
// The server drops a recording stream's data without telling anyone when the
// stream's queue is full, so loss is measured against time instead: the null
// sink plays in real time and catches up after a stall, so the bytes that
// arrived, less the time since the first ones, stay near a constant at their
// best (the recorder's lead). A recorder that trails lowers its lead for a
// while; lost data lowers it for good. After the signal the recorder reads on
// until its lead is back, or for two seconds at most, and counts what is still
// missing then as lost. Holes that the server marks in the stream count too.

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace {

const pa_sample_spec format = {PA_SAMPLE_S16LE, 44100, 2};
const double bytesPerSecond = 176400.0;
// Short reads, so that the file's length tells what has been played.
const uint32_t fragmentBytes = 3528; // 20 ms
// The sink renders up to a block ahead (20 ms with this recorder) and less
// once a program asks for less: a lower lead within this is no loss.
const double toleratedSeconds = 0.04;
const double settleSeconds = 2.0;
// The lead at the end is the best of the reads over this last stretch.
const double recentSeconds = 1.0;

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) {
  stopRequested = 1;
}

double monotonicSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

bool writeAll(int file, const void* data, size_t bytes) {
  const auto* at = static_cast<const char*>(data);
  while (bytes > 0) {
    const ssize_t done = ::write(file, at, bytes);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return false;
    at += done;
    bytes -= static_cast<size_t>(done);
  }
  return true;
}

// What arrived when, and how far behind its best the recording is.
class Lead {
public:
  void arrived(uint64_t received, double now) {
    if (first < 0.0) first = now;
    const double lead = static_cast<double>(received) / bytesPerSecond - (now - first);
    best = std::max(best, lead);
    worstTrail = std::max(worstTrail, best - lead);
    recent.emplace_back(now, lead);
    while (recent.front().first < now - recentSeconds)
      recent.pop_front();
  }
  // Seconds the recent reads stay below the best.
  double shortfall() const {
    double lead = best;
    if (!recent.empty()) lead = std::max_element(recent.begin(), recent.end(), byLead)->second;
    return best - lead;
  }
  double trailed() const { return worstTrail; }

private:
  static bool byLead(const std::pair<double, double>& a, const std::pair<double, double>& b) {
    return a.second < b.second;
  }
  double first = -1.0;
  double best = -1e9;
  double worstTrail = 0.0;
  std::deque<std::pair<double, double>> recent; // (arrival, lead)
};

struct Recording {
  int file = -1;
  bool writeFailed = false;
  uint64_t received = 0;
  uint64_t holeBytes = 0;
  Lead lead;
};

// Everything readable now, into the file.
void onRead(pa_stream* stream, size_t, void* userdata) {
  Recording& r = *static_cast<Recording*>(userdata);
  const void* data = nullptr;
  size_t bytes = 0;
  while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
    if (data == nullptr) {
      // A hole: silence keeps the file in time with the sink.
      r.holeBytes += bytes;
      const std::vector<char> silence(bytes, 0);
      r.writeFailed |= !writeAll(r.file, silence.data(), bytes);
    } else {
      r.writeFailed |= !writeAll(r.file, data, bytes);
    }
    r.received += bytes;
    pa_stream_drop(stream);
  }
  r.lead.arrived(r.received, monotonicSeconds());
}

class Recorder {
public:
  ~Recorder() {
    if (stream != nullptr) pa_stream_unref(stream);
    if (context != nullptr) pa_context_unref(context);
    if (loop != nullptr) pa_mainloop_free(loop);
  }
  bool connect(const char* source, Recording& recording);
  // Runs `until` returns true; false once the stream or the connection fails.
  bool runUntil(const std::function<bool()>& until);

private:
  pa_mainloop* loop = nullptr;
  pa_context* context = nullptr;
  pa_stream* stream = nullptr;
};

bool Recorder::connect(const char* source, Recording& recording) {
  loop = pa_mainloop_new();
  context = pa_context_new(pa_mainloop_get_api(loop), "zeph recorder");
  if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
  if (!runUntil([this] { return pa_context_get_state(context) == PA_CONTEXT_READY; })) return false;
  stream = pa_stream_new(context, "zeph recording", &format, nullptr);
  pa_stream_set_read_callback(stream, onRead, &recording);
  pa_buffer_attr attr = {};
  attr.maxlength = static_cast<uint32_t>(-1);
  attr.fragsize = fragmentBytes;
  if (pa_stream_connect_record(stream, source, &attr, PA_STREAM_ADJUST_LATENCY) < 0) return false;
  return runUntil([this] { return pa_stream_get_state(stream) == PA_STREAM_READY; });
}

bool Recorder::runUntil(const std::function<bool()>& until) {
  while (!until()) {
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) return false;
    if (stream != nullptr && !PA_STREAM_IS_GOOD(pa_stream_get_state(stream))) return false;
    // A wait of at most 50 ms, so that a signal is seen.
    if (pa_mainloop_prepare(loop, 50000) < 0 || pa_mainloop_poll(loop) < 0 || pa_mainloop_dispatch(loop) < 0)
      return false;
  }
  return true;
}

int report(const Recording& r, bool running) {
  const double trailed = r.lead.trailed() * 1000.0;
  if (!running || r.writeFailed) {
    std::fprintf(stderr, "zeph_record: %s after %.3f s\n",
                 r.writeFailed ? "writing failed" : "the stream failed",
                 static_cast<double>(r.received) / bytesPerSecond);
    return 2;
  }
  const double lost = r.lead.shortfall();
  std::fprintf(stderr, "zeph_record: %.3f s recorded; trailed the sink by up to %.0f ms; ",
               static_cast<double>(r.received) / bytesPerSecond, trailed);
  if (lost > toleratedSeconds || r.holeBytes > 0) {
    std::fprintf(stderr, "the recorder lost data: %.0f ms behind its best at the end, %.0f ms of holes\n",
                 lost * 1000.0, static_cast<double>(r.holeBytes) * 1000.0 / bytesPerSecond);
    return 3;
  }
  std::fprintf(stderr, "nothing lost\n");
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zeph_record SOURCE FILE\n");
    return 2;
  }
  unsetenv("PULSE_LATENCY_MSEC"); // libpulse would lengthen the reads with it
  std::signal(SIGTERM, onSignal);
  std::signal(SIGINT, onSignal);
  Recording recording;
  recording.file = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (recording.file < 0) {
    std::perror(argv[2]);
    return 2;
  }
  Recorder recorder;
  if (!recorder.connect(argv[1], recording)) {
    std::fprintf(stderr, "zeph_record: could not record %s\n", argv[1]);
    return 2;
  }
  bool running = recorder.runUntil([] { return stopRequested != 0; });
  // Read on until the recording is as far ahead as it was at its best.
  const double giveUp = monotonicSeconds() + settleSeconds;
  if (running)
    running = recorder.runUntil([&recording, giveUp] {
      return recording.lead.shortfall() <= toleratedSeconds / 2 || monotonicSeconds() > giveUp;
    });
  close(recording.file);
  return report(recording, running);
}
