#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// A file that audio sources read through. Decoder libraries get the very
// same object through their read/seek/close/tell callbacks.
class AudioFile {
public:
  AudioFile() = default;
  AudioFile(const AudioFile&) = delete;
  AudioFile& operator=(const AudioFile&) = delete;
  virtual ~AudioFile();

  // Opens `name` for binary reading; throws "Could not open file!".
  virtual int open(const char* name, int32_t kind);
  virtual size_t read(void* buffer, size_t size, size_t count);
  virtual int seek(int32_t offset, int origin);
  virtual int32_t tell();
  virtual int close();
  // Non-zero once a read has run into the end of the file; a seek clears it.
  virtual int isEof();

  std::string getName() const { return name; }

protected:
  std::string name;

private:
  std::FILE* stream = nullptr;
};

// The same operations over nothing: every one does nothing and returns 0.
class NullAudioFile : public AudioFile {
public:
  int open(const char* name, int32_t kind) override;
  size_t read(void* buffer, size_t size, size_t count) override;
  int seek(int32_t offset, int origin) override;
  int32_t tell() override;
  int close() override;
  int isEof() override;
};

// kind -1 opens a file on disk, any other kind gives a NullAudioFile.
AudioFile* createAudioFile(const char* name, int32_t kind);
