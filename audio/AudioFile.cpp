#include "AudioFile.h"

#include <memory>

AudioFile::~AudioFile() {
  if (stream) std::fclose(stream);
}

int AudioFile::open(const char* fileName, int32_t) {
  // The name is kept even when the file cannot be opened.
  name = fileName;
  if (stream) std::fclose(stream);
  stream = std::fopen(fileName, "rb");
  if (!stream) throw "Could not open file!";
  return 0;
}

size_t AudioFile::read(void* buffer, size_t size, size_t count) {
  return stream ? std::fread(buffer, size, count, stream) : 0;
}

int AudioFile::seek(int32_t offset, int origin) {
  return stream ? std::fseek(stream, offset, origin) : -1;
}

int32_t AudioFile::tell() {
  return stream ? static_cast<int32_t>(std::ftell(stream)) : -1;
}

int AudioFile::close() {
  if (!stream) return EOF;
  int result = std::fclose(stream);
  stream = nullptr;
  return result;
}

int AudioFile::isEof() {
  return stream && std::feof(stream) ? 1 : 0;
}

int NullAudioFile::open(const char*, int32_t) {
  return 0;
}
size_t NullAudioFile::read(void*, size_t, size_t) {
  return 0;
}
int NullAudioFile::seek(int32_t, int) {
  return 0;
}
int32_t NullAudioFile::tell() {
  return 0;
}
int NullAudioFile::close() {
  return 0;
}
int NullAudioFile::isEof() {
  return 0;
}

AudioFile* createAudioFile(const char* name, int32_t kind) {
  std::unique_ptr<AudioFile> file(kind == -1 ? new AudioFile : new NullAudioFile);
  file->open(name, kind);
  return file.release();
}
