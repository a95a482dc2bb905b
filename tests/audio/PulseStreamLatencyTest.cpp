// Stopping the watch over the PulseAudio server never waits for the server:
// here one that takes the connection and never answers, and a stop that lands
// just before the watch's main loop discards the wake-ups sent so far.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "ServerLatency.h"

struct pa_mainloop;

namespace {

// Holds the watch's thread at its main loop's prepare step before the loop
// waits for the fake server's answer, until the stop has sent its wake-up.
// After each write the client's channel waits once more to hear that it can
// write: the second prepare after the request arrived precedes the idle wait.
struct Gate {
  std::mutex lock;
  std::condition_variable changed;
  int listener = -1;
  int accepted = -1;
  int preparesSinceRequest = 0;
  bool held = false;
  bool woken = false;

  bool requestArrived() {
    if (accepted < 0) accepted = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK);
    int pending = 0;
    return accepted >= 0 && ioctl(accepted, FIONREAD, &pending) == 0 && pending > 0;
  }
  void holdOnce() {
    std::unique_lock<std::mutex> guard(lock);
    if (held || listener < 0 || !requestArrived() || ++preparesSinceRequest < 2) return;
    held = true;
    changed.notify_all();
    changed.wait(guard, [this] { return woken; });
  }
} gate;

template <typename F> F real(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int pa_mainloop_prepare(pa_mainloop* loop, int timeout) {
  static const auto prepare = real<int (*)(pa_mainloop*, int)>("pa_mainloop_prepare");
  gate.holdOnce();
  return prepare(loop, timeout);
}

extern "C" void pa_mainloop_wakeup(pa_mainloop* loop) {
  static const auto wakeup = real<void (*)(pa_mainloop*)>("pa_mainloop_wakeup");
  wakeup(loop);
  // The loop wakes itself too, but not while its thread is held.
  std::lock_guard<std::mutex> guard(gate.lock);
  gate.woken = gate.held;
  gate.changed.notify_all();
}

namespace {

TEST(PulseStreamLatency, StopsAtOnceWhileAStalledServerOwesAnAnswer) {
  const std::string path = testing::TempDir() + "zeph-silent-pulse-" + std::to_string(getpid());
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof(address.sun_path));
  std::strcpy(address.sun_path, path.c_str());
  unlink(path.c_str());
  gate.listener = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(bind(gate.listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  ASSERT_EQ(listen(gate.listener, 1), 0);
  setenv("PULSE_SERVER", ("unix:" + path).c_str(), 1);

  auto watch = createServerLatency("pulseaudio", [](double) {});
  ASSERT_NE(watch, nullptr);
  {
    std::unique_lock<std::mutex> guard(gate.lock);
    ASSERT_TRUE(gate.changed.wait_for(guard, std::chrono::seconds(10), [] { return gate.held; }))
        << "test instrument: the watch never came to wait for the fake server's answer";
  }
  // The stop runs apart, owning what it uses, so that a stop that hangs cannot hang the test.
  auto stopped = std::make_shared<std::promise<void>>();
  std::future<void> done = stopped->get_future();
  std::thread([stopped, stopping = std::move(watch)]() mutable {
    stopping.reset();
    stopped->set_value();
  }).detach();
  // libpulse gives up on an answer after 30 s: the previous loop stopped then.
  EXPECT_EQ(done.wait_for(std::chrono::seconds(10)), std::future_status::ready)
      << "product: stopping waits for the stalled server";
  close(gate.accepted);
  close(gate.listener);
  unlink(path.c_str());
}

} // namespace
