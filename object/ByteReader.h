#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// Big-endian numbers from bytes known to be there.
inline uint16_t bigU2(const uint8_t* at) {
  return static_cast<uint16_t>((at[0] << 8) | at[1]);
}
inline uint32_t bigU4(const uint8_t* at) {
  return (uint32_t{at[0]} << 24) | (uint32_t{at[1]} << 16) | (uint32_t{at[2]} << 8) | at[3];
}
inline float bigF4(const uint8_t* at) {
  uint32_t bits = bigU4(at);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
// A variable-length index (see ByteReader::vx) into `index`; returns the byte after it.
inline const uint8_t* bigVx(const uint8_t* at, uint32_t& index) {
  if (at[0] == 0xFF) {
    index = bigU4(at) & 0x00FFFFFFu;
    return at + 4;
  }
  index = bigU2(at);
  return at + 2;
}

// Big-endian LWO2 fields from a bounded run of bytes (one chunk or
// sub-chunk). Nothing is ever read past the end: a field that does not fit
// reads as zero, leaves the reader at the end and marks it overrun.
class ByteReader {
public:
  ByteReader() = default;
  ByteReader(const uint8_t* bytes, size_t size) : at(bytes ? bytes : &none), left(bytes ? size : 0) {}

  size_t remaining() const { return left; }
  bool atEnd() const { return left == 0; }
  // False once a field ran past the end.
  bool complete() const { return !overrun; }

  // Inline: the geometry chunks read hundreds of thousands of these.
  uint16_t u2() {
    if (!need(2)) return 0;
    uint16_t value = bigU2(at);
    at += 2, left -= 2;
    return value;
  }
  uint32_t u4() {
    if (!need(4)) return 0;
    uint32_t value = bigU4(at);
    at += 4, left -= 4;
    return value;
  }
  float f4() {
    uint32_t bits = u4();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  // A variable-length index: two bytes, or four when the first is 0xFF
  // (then the low 24 bits).
  uint32_t vx() {
    if (left > 0 && at[0] == 0xFF) return u4() & 0x00FFFFFFu;
    return u2();
  }
  // For loops that check remaining() once per record and then decode the
  // record in place: where it starts, and moving past it.
  const uint8_t* position() const { return at; }
  void advanceTo(const uint8_t* next) {
    left -= static_cast<size_t>(next - at);
    at = next;
  }
  // Four raw bytes into id.
  void id(char out[4]);
  // A zero-terminated name and its pad byte (the terminated text has an odd
  // length, so names of an even number of characters carry one more zero).
  // A name without its zero ends at the end.
  std::string text();
  // A name for a 64-byte field: text() cut to 63 characters.
  std::string name();
  void skip(size_t count);
  // The next `count` bytes (fewer at the end) as a reader of their own.
  ByteReader take(size_t count);
  // Takes a sub-chunk's data and then its pad byte when `count` is odd.
  ByteReader takePadded(size_t count);

private:
  bool need(size_t count) { return left >= count || runOut(); }
  // Moves to the end and marks the overrun; false.
  bool runOut();

  static const uint8_t none;
  const uint8_t* at = &none;
  size_t left = 0;
  bool overrun = false;
};

// Names are kept in 64-byte fields: at most 63 characters and the zero.
void copyName(char (&field)[64], const std::string& name);
