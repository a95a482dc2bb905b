#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "ServerLatency.h"

namespace {

// The newest sink input of this process, and what the server holds of it.
struct SinkInputFound {
  uint32_t index = 0;
  bool valid = false;
  uint32_t sink = 0;
  pa_usec_t buffer = 0;
  pa_usec_t sinkLatency = 0;
  pa_usec_t sinkConfigured = 0;
  bool done = false;
};

const auto samplePeriod = std::chrono::milliseconds(50);
const size_t windowSamples = 40; // two seconds
const size_t reportSamples = 10; // half a second

void onSinkInput(pa_context*, const pa_sink_input_info* info, int eol, void* data) {
  SinkInputFound& found = *static_cast<SinkInputFound*>(data);
  if (eol != 0) {
    found.done = true;
    return;
  }
  const char* pid = pa_proplist_gets(info->proplist, PA_PROP_APPLICATION_PROCESS_ID);
  if (pid == nullptr || std::strtol(pid, nullptr, 10) != static_cast<long>(getpid())) return;
  if (found.valid && info->index < found.index) return;
  found.index = info->index;
  found.valid = true;
  found.sink = info->sink;
  found.buffer = info->buffer_usec;
  found.sinkLatency = info->sink_usec;
}

void onSink(pa_context*, const pa_sink_info* info, int eol, void* data) {
  SinkInputFound& found = *static_cast<SinkInputFound*>(data);
  if (eol != 0)
    found.done = true;
  else
    found.sinkConfigured = info->configured_latency;
}

// Written but not yet rendered, plus rendered but not yet played. A sink that
// has just started reports far more than it was configured for, for a second
// or so: it holds no more than that.
double heldSeconds(const SinkInputFound& found) {
  pa_usec_t sink = found.sinkLatency;
  if (found.sinkConfigured > 0 && sink > found.sinkConfigured) sink = found.sinkConfigured;
  return static_cast<double>(found.buffer + sink) / 1e6;
}

// The level the server drains to before it asks for more: a low quantile
// rather than the least, which a single late answer could set.
double lowLevel(const std::deque<double>& held) {
  std::vector<double> sorted(held.begin(), held.end());
  auto low = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() / 10);
  std::nth_element(sorted.begin(), low, sorted.end());
  return *low;
}

// What the PulseAudio server holds of this process's newest playback stream:
// the stream's buffer in the server plus the sink's latency, as the server
// reports them. A thread of its own asks on a connection of its own every
// 50 ms and, every half second, reports the level it drains to over the last
// two seconds: both parts rise and fall as the client writes and the sink
// renders, in blocks, and the samples fall on many phases of that. Reports
// nothing if there is no server or no such stream.
class PulseStreamLatency : public ServerLatency {
public:
  explicit PulseStreamLatency(std::function<void(double seconds)> report);
  ~PulseStreamLatency() override;
  PulseStreamLatency(const PulseStreamLatency&) = delete;
  PulseStreamLatency& operator=(const PulseStreamLatency&) = delete;

private:
  void run();
  bool connect();
  void watch();
  // Asks for the sink inputs; false once stopping or the connection fails.
  bool query(SinkInputFound& found);
  // Handles the server's messages until the operation sets `done`; false as iterateUntil.
  bool await(pa_operation* operation, const bool& done);
  // Handles the server's messages until `done`; false once stopping or the connection fails.
  bool iterateUntil(const std::function<bool()>& done);
  // Waits a sample period; false once stopping.
  bool pause();

  std::function<void(double)> report;
  pa_mainloop* loop = nullptr;
  pa_context* context = nullptr;
  std::atomic<bool> stopping{false};
  std::mutex pauseLock;
  std::condition_variable wake;
  std::thread thread;
};

} // namespace

PulseStreamLatency::PulseStreamLatency(std::function<void(double)> reportTo) : report(std::move(reportTo)) {
  loop = pa_mainloop_new();
  if (loop != nullptr) thread = std::thread(&PulseStreamLatency::run, this);
}

PulseStreamLatency::~PulseStreamLatency() {
  {
    std::lock_guard<std::mutex> lock(pauseLock);
    stopping = true;
  }
  wake.notify_all();
  if (loop != nullptr) pa_mainloop_wakeup(loop); // out of a wait for the server
  if (thread.joinable()) thread.join();
  if (loop != nullptr) pa_mainloop_free(loop);
}

void PulseStreamLatency::run() {
  context = pa_context_new(pa_mainloop_get_api(loop), "zeph latency");
  if (context == nullptr) return;
  if (connect()) watch();
  pa_context_disconnect(context);
  pa_context_unref(context);
  context = nullptr;
}

void PulseStreamLatency::watch() {
  std::deque<double> held;
  uint32_t stream = 0;
  size_t fresh = 0;
  for (;;) {
    SinkInputFound found;
    if (!query(found)) return;
    if (found.valid) {
      if (found.index != stream) held.clear(); // another stream: start over
      stream = found.index;
      held.push_back(heldSeconds(found));
      if (held.size() > windowSamples) held.pop_front();
      if (++fresh >= reportSamples) {
        report(lowLevel(held));
        fresh = 0;
      }
    }
    if (!pause()) return;
  }
}

bool PulseStreamLatency::connect() {
  if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
  return iterateUntil([this] { return pa_context_get_state(context) == PA_CONTEXT_READY; });
}

bool PulseStreamLatency::query(SinkInputFound& found) {
  if (!await(pa_context_get_sink_input_info_list(context, onSinkInput, &found), found.done)) return false;
  if (!found.valid) return true;
  found.done = false;
  return await(pa_context_get_sink_info_by_index(context, found.sink, onSink, &found), found.done);
}

bool PulseStreamLatency::await(pa_operation* operation, const bool& done) {
  if (operation == nullptr) return false;
  const bool answered = iterateUntil([&done] { return done; });
  if (!answered) pa_operation_cancel(operation); // what it writes to is gone after this
  pa_operation_unref(operation);
  return answered;
}

// The stop flag is read after the prepare step, which discards the wake-ups
// sent so far: a stop is then either seen here or wakes the poll that follows.
bool PulseStreamLatency::iterateUntil(const std::function<bool()>& done) {
  while (!done()) {
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context))) return false;
    if (pa_mainloop_prepare(loop, -1) < 0) return false;
    if (stopping) pa_mainloop_quit(loop, 0); // from this thread: the poll returns at once
    if (pa_mainloop_poll(loop) < 0 || pa_mainloop_dispatch(loop) < 0) return false;
  }
  return true;
}

bool PulseStreamLatency::pause() {
  std::unique_lock<std::mutex> lock(pauseLock);
  return !wake.wait_for(lock, samplePeriod, [this] { return stopping.load(); });
}

std::unique_ptr<ServerLatency> createServerLatency(const char* driver, std::function<void(double)> report) {
  if (driver == nullptr || std::strcmp(driver, "pulseaudio") != 0) return nullptr;
  return std::make_unique<PulseStreamLatency>(std::move(report));
}
