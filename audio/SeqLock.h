#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <thread>
#include <type_traits>

// A value written by one writer at a time and read by many without waiting
// for it: the writer makes the sequence odd, stores the value word by word
// and makes it even again; a reader that saw the same even sequence before
// and after its copy saw no write in between, else it copies again.
//
// Every access is a sequentially consistent atomic (no fences, which
// ThreadSanitizer does not follow), in 32-bit words, lock-free on every
// target. Writers must serialise among themselves.
template <class T> class SeqLock {
  static_assert(std::is_trivially_copyable<T>::value, "a snapshot is copied word by word");

public:
  explicit SeqLock(const T& initial = T()) { put(initial); }
  SeqLock(const SeqLock&) = delete;
  SeqLock& operator=(const SeqLock&) = delete;

  void store(const T& value) {
    update([&value](T& stored) { stored = value; });
  }

  // Runs `change` on the value while readers wait: for state kept beside
  // the value (a queue the value counts) that must change with it.
  template <class Change> void update(Change change) {
    const uint32_t s = sequence.load();
    sequence.store(s + 1);
    T value = get();
    change(value);
    put(value);
    sequence.store(s + 2);
  }

  T load() const {
    return read([](const T& value) { return value; });
  }

  // `use(value)` from a consistent copy; where it also reads state kept
  // beside the value, that state is read within the same check.
  template <class Use> auto read(Use use) const -> decltype(use(std::declval<const T&>())) {
    for (;;) {
      const uint32_t before = sequence.load();
      if (before & 1u) {
        std::this_thread::yield();
        continue;
      }
      auto result = use(get());
      if (sequence.load() == before) return result;
    }
  }

private:
  static const size_t wordCount = (sizeof(T) + sizeof(uint32_t) - 1) / sizeof(uint32_t);

  T get() const {
    uint32_t copy[wordCount];
    for (size_t i = 0; i < wordCount; ++i)
      copy[i] = words[i].load();
    T value;
    std::memcpy(&value, copy, sizeof(T));
    return value;
  }
  void put(const T& value) {
    uint32_t copy[wordCount] = {};
    std::memcpy(copy, &value, sizeof(T));
    for (size_t i = 0; i < wordCount; ++i)
      words[i].store(copy[i]);
  }

  std::atomic<uint32_t> sequence{0};
  std::atomic<uint32_t> words[wordCount] = {};
};
