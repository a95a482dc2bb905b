#include "CaptureSink.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "Mp4Writer.h"
#include "MusicReader.h"
#include "OutputFiles.h"
#include "PngWriter.h"
#include "WavWriter.h"

namespace {

// Frames drawn ahead of the writer: enough to ride out an uneven frame,
// few enough to bound the memory.
const size_t queueLimit = 4;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

const char stillPrefix[] = "frame-";
const char stillSuffix[] = ".png";

std::string stillName(int64_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%06lld%s", stillPrefix, static_cast<long long>(index), stillSuffix);
  return name;
}

} // namespace

bool CaptureSink::isStillName(const std::string& name) {
  const size_t prefix = sizeof stillPrefix - 1, suffix = sizeof stillSuffix - 1;
  if (name.size() < prefix + 6 + suffix || name.compare(0, prefix, stillPrefix) != 0 ||
      name.compare(name.size() - suffix, suffix, stillSuffix) != 0)
    return false;
  const std::string digits = name.substr(prefix, name.size() - prefix - suffix);
  return digits.find_first_not_of("0123456789") == std::string::npos;
}

CaptureSink::CaptureSink(OutputFiles& out, const std::string& videoName, const VideoSettings& video,
                         bool withStills, MusicReader& source)
    : files(out), settings(video), music(source), stills(withStills) {
  // Added first, so renamed last: the video there means a complete capture.
  mp4 = std::make_unique<Mp4Writer>(files.add(videoName), settings);
  if (stills) wav = std::make_unique<WavWriter>(files.add("music.wav"));
  writer = std::thread([this] { run(); });
}

CaptureSink::~CaptureSink() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    abandoned = true;
  }
  stop();
}

void CaptureSink::stop() {
  changed.notify_all();
  if (writer.joinable()) writer.join();
}

void CaptureSink::push(const uint8_t* rgba) {
  const size_t bytes = static_cast<size_t>(settings.width) * static_cast<size_t>(settings.height) * 4;
  const Clock::time_point start = Clock::now();
  std::unique_lock<std::mutex> lock(mutex);
  changed.wait(lock, [this] { return queue.size() < queueLimit || failure; });
  if (failure) std::rethrow_exception(failure);
  spent.waiting += secondsSince(start);
  std::vector<uint8_t> frame;
  if (!spare.empty()) {
    frame = std::move(spare.back());
    spare.pop_back();
  }
  lock.unlock();
  frame.resize(bytes);
  std::memcpy(frame.data(), rgba, bytes);
  lock.lock();
  queue.push_back(std::move(frame));
  changed.notify_all();
}

void CaptureSink::finish() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    closing = true;
  }
  stop();
  if (failure) std::rethrow_exception(failure);
}

void CaptureSink::run() {
  try {
    for (int64_t index = 0;; ++index) {
      std::unique_lock<std::mutex> lock(mutex);
      changed.wait(lock, [this] { return !queue.empty() || closing || abandoned; });
      if (abandoned) return;
      if (queue.empty()) break;
      std::vector<uint8_t> frame = std::move(queue.front());
      queue.pop_front();
      lock.unlock();
      write(frame, index);
      lock.lock();
      spare.push_back(std::move(frame));
      changed.notify_all();
    }
    mp4->finish();
    if (wav) wav->finish();
  } catch (...) {
    std::lock_guard<std::mutex> lock(mutex);
    failure = std::current_exception();
    changed.notify_all();
  }
}

void CaptureSink::write(const std::vector<uint8_t>& rgba, int64_t index) {
  Clock::time_point start = Clock::now();
  mp4->video().convert(rgba.data());
  spent.convert += secondsSince(start);
  start = Clock::now();
  mp4->video().encode();
  spent.encode += secondsSince(start);
  writeMusic(index + 1);
  if (stills) writeStill(rgba, index);
}

void CaptureSink::writeMusic(int64_t frames) {
  const Clock::time_point start = Clock::now();
  // Whole sample frames up to the end of the latest video frame.
  const int64_t due = frames * MusicReader::sampleRate / settings.fps;
  std::vector<int16_t> pcm(static_cast<size_t>(due - musicWritten) * 2);
  music.read(pcm.data(), static_cast<uint32_t>(due - musicWritten));
  mp4->writeAudio(pcm.data(), static_cast<size_t>(due - musicWritten));
  spent.music += secondsSince(start);
  if (wav) {
    const Clock::time_point wavStart = Clock::now();
    wav->write(pcm.data(), static_cast<size_t>(due - musicWritten));
    spent.stills += secondsSince(wavStart);
  }
  musicWritten = due;
}

void CaptureSink::writeStill(const std::vector<uint8_t>& rgba, int64_t index) {
  const Clock::time_point start = Clock::now();
  PngPicture picture;
  picture.width = static_cast<uint32_t>(settings.width);
  picture.height = static_cast<uint32_t>(settings.height);
  picture.colourType = 2; // RGB: a screen has no alpha
  // Thousands of frames: quick to write matters more than small.
  picture.compressionLevel = 1;
  picture.rows.resize(rgba.size() / 4 * 3);
  for (size_t from = 0, to = 0; from < rgba.size(); from += 4, to += 3)
    std::memcpy(&picture.rows[to], &rgba[from], 3);
  writePng(files.add(stillName(index)), picture);
  spent.stills += secondsSince(start);
}
