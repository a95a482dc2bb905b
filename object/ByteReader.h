#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

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

  uint16_t u2();
  uint32_t u4();
  float f4();
  // A variable-length index: two bytes, or four when the first is 0xFF
  // (then the low 24 bits).
  uint32_t vx();
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
  bool need(size_t count);

  static const uint8_t none;
  const uint8_t* at = &none;
  size_t left = 0;
  bool overrun = false;
};

// Names are kept in 64-byte fields: at most 63 characters and the zero.
void copyName(char (&field)[64], const std::string& name);
