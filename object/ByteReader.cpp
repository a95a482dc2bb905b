#include "ByteReader.h"

#include <algorithm>
#include <cstring>

const uint8_t ByteReader::none = 0;

namespace {
const size_t maxNameLength = 63;
}

bool ByteReader::runOut() {
  at += left;
  left = 0;
  overrun = true;
  return false;
}

void ByteReader::id(char out[4]) {
  if (!need(4)) {
    std::memset(out, 0, 4);
    return;
  }
  std::memcpy(out, at, 4);
  at += 4, left -= 4;
}

std::string ByteReader::text() {
  const uint8_t* end = std::find(at, at + left, uint8_t{0});
  size_t length = static_cast<size_t>(end - at);
  std::string result(reinterpret_cast<const char*>(at), length);
  size_t stored = length + 1;    // the zero byte
  if (stored % 2 != 0) ++stored; // and the pad byte
  skip(stored);
  return result;
}

std::string ByteReader::name() {
  std::string result = text();
  if (result.size() > maxNameLength) result.resize(maxNameLength);
  return result;
}

void ByteReader::skip(size_t count) {
  size_t step = std::min(count, left);
  at += step, left -= step;
}

ByteReader ByteReader::take(size_t count) {
  size_t step = std::min(count, left);
  ByteReader part(at, step);
  at += step, left -= step;
  return part;
}

ByteReader ByteReader::takePadded(size_t count) {
  ByteReader part = take(count);
  if (count % 2 != 0) skip(1);
  return part;
}

void copyName(char (&field)[64], const std::string& name) {
  size_t length = std::min(name.size(), maxNameLength);
  std::memcpy(field, name.data(), length);
  std::memset(field + length, 0, sizeof field - length);
}
