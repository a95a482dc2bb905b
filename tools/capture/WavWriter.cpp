#include "WavWriter.h"

#include <stdexcept>

namespace {

const uint32_t sampleRate = 44100;
const uint16_t channels = 2;
const uint16_t bytesPerSample = 2;

void put(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.put(static_cast<char>((value >> (8 * i)) & 0xffu));
}

} // namespace

WavWriter::WavWriter(const std::string& file) : path(file), out(file, std::ios::binary) {
  writeHeader();
  if (!out) throw std::runtime_error(path + ": cannot write");
}

void WavWriter::writeHeader() {
  const auto data = static_cast<uint32_t>(dataBytes);
  out.write("RIFF", 4);
  put(out, 36 + data, 4);
  out.write("WAVEfmt ", 8);
  put(out, 16, 4); // the format chunk's size
  put(out, 1, 2);  // linear PCM
  put(out, channels, 2);
  put(out, sampleRate, 4);
  put(out, sampleRate * channels * bytesPerSample, 4);
  put(out, channels * bytesPerSample, 2);
  put(out, bytesPerSample * 8, 2);
  out.write("data", 4);
  put(out, data, 4);
}

void WavWriter::write(const int16_t* pcm, size_t frames) {
  // Little-endian samples, as the source delivers them on this host.
  const auto bytes = frames * channels * bytesPerSample;
  out.write(reinterpret_cast<const char*>(pcm), static_cast<std::streamsize>(bytes));
  dataBytes += bytes;
}

void WavWriter::finish() {
  if (dataBytes > 0xffffffffu - 36) throw std::runtime_error(path + ": too long for a WAV file");
  out.seekp(0);
  writeHeader();
  out.close();
  if (!out) throw std::runtime_error(path + ": cannot write");
}
