// The web page has no threads (they would need a cross-origin isolated page):
// the step runs from the page's interval timer on the main thread, between
// the frames. Browsers slow such timers down in a background tab; the
// outputs keep enough queued for that.
#include <emscripten/eventloop.h>

#include <map>
#include <utility>

#include "PollingThread.h"

namespace {

struct Runner {
  std::function<bool()> step;
  long interval = 0;
  long wakeTimeout = 0;
};

// By poller; main thread only.
std::map<const PollingThread*, Runner>& runners() {
  static std::map<const PollingThread*, Runner> all;
  return all;
}

void runSteps(void* data) {
  auto& all = runners();
  const auto found = all.find(static_cast<const PollingThread*>(data));
  if (found == all.end()) return;
  found->second.wakeTimeout = 0;
  // A copy: a step may stop its own poller.
  const std::function<bool()> step = found->second.step;
  while (step() && runners().count(static_cast<const PollingThread*>(data)) != 0) {
  }
}

} // namespace

PollingThread::~PollingThread() {
  stop();
}

void PollingThread::start(std::chrono::milliseconds interval, std::function<bool()> step) {
  if (started()) return;
  stopping = false;
  wakeRequested = false;
  Runner& runner = runners()[this];
  runner.step = std::move(step);
  runner.interval = emscripten_set_interval(runSteps, static_cast<double>(interval.count()), this);
}

bool PollingThread::started() const {
  return runners().count(this) != 0;
}

void PollingThread::wake() {
  auto found = runners().find(this);
  wakeRequested = true;
  if (found != runners().end() && found->second.wakeTimeout == 0)
    found->second.wakeTimeout = emscripten_set_timeout(runSteps, 0.0, this);
}

void PollingThread::stop() {
  auto found = runners().find(this);
  if (found == runners().end()) return;
  stopping = true;
  emscripten_clear_interval(found->second.interval);
  if (found->second.wakeTimeout != 0) emscripten_clear_timeout(found->second.wakeTimeout);
  runners().erase(found);
}

// The header's thread loop: nothing runs it here.
void PollingThread::loop(std::chrono::milliseconds, const std::function<bool()>&) {}
