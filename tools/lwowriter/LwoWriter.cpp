#include "LwoWriter.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

LwoWriter::LwoWriter(const char* formType) {
  chunk("FORM");
  id(formType);
}

LwoWriter& LwoWriter::chunk(const char* chunkId) {
  id(chunkId);
  open.push_back({out.size(), false});
  return u4(0);
}

LwoWriter& LwoWriter::subChunk(const char* chunkId) {
  id(chunkId);
  open.push_back({out.size(), true});
  return u2(0);
}

void LwoWriter::close(uint32_t size, bool pad) {
  if (open.empty()) throw std::logic_error("LwoWriter: no chunk to end");
  Open last = open.back();
  open.pop_back();
  int bytes = last.shortSize ? 2 : 4;
  for (int i = 0; i < bytes; ++i)
    out[last.sizeAt + static_cast<size_t>(i)] = static_cast<char>(size >> (8 * (bytes - 1 - i)));
  if (pad && size % 2 != 0) out.push_back('\0');
}

LwoWriter& LwoWriter::end() {
  if (open.empty()) throw std::logic_error("LwoWriter: no chunk to end");
  size_t header = open.back().shortSize ? 2 : 4;
  close(static_cast<uint32_t>(out.size() - open.back().sizeAt - header), true);
  return *this;
}

LwoWriter& LwoWriter::endUnpadded() {
  if (open.empty()) throw std::logic_error("LwoWriter: no chunk to end");
  size_t header = open.back().shortSize ? 2 : 4;
  close(static_cast<uint32_t>(out.size() - open.back().sizeAt - header), false);
  return *this;
}

LwoWriter& LwoWriter::endDeclaring(uint32_t size) {
  close(size, false);
  return *this;
}

LwoWriter& LwoWriter::id(const char* value) {
  out.append(value, 4);
  return *this;
}

LwoWriter& LwoWriter::u1(uint8_t value) {
  out.push_back(static_cast<char>(value));
  return *this;
}

LwoWriter& LwoWriter::u2(uint16_t value) {
  out.push_back(static_cast<char>(value >> 8));
  out.push_back(static_cast<char>(value));
  return *this;
}

LwoWriter& LwoWriter::u4(uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<char>(value >> shift));
  return *this;
}

LwoWriter& LwoWriter::f4(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return u4(bits);
}

LwoWriter& LwoWriter::vx(uint32_t index) {
  if (index < 0xFF00u && !longIndices) return u2(static_cast<uint16_t>(index));
  return u4(0xFF000000u | (index & 0x00FFFFFFu));
}

LwoWriter& LwoWriter::s0(const std::string& text) {
  out += text;
  out.push_back('\0');
  if ((text.size() + 1) % 2 != 0) out.push_back('\0'); // the pad byte
  return *this;
}

LwoWriter& LwoWriter::raw(const std::string& bytes) {
  out += bytes;
  return *this;
}

std::string LwoWriter::finish() {
  while (!open.empty())
    end();
  return out;
}

void saveFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}
