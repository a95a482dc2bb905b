#pragma once

struct AVCodec;
struct AVCodecContext;
struct AVDictionary;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;

// One encoder feeding one stream of a file being written. The settings that
// keep repeated captures identical (bit-exact coding, a global header where
// the file format wants one) are set here for every stream.
class EncodedStream {
public:
  EncodedStream(AVFormatContext* format, const AVCodec* codec);
  ~EncodedStream();
  EncodedStream(const EncodedStream&) = delete;
  EncodedStream& operator=(const EncodedStream&) = delete;

  // To be set up before open.
  AVCodecContext* context() const { return codec; }
  // Opens the encoder with `options` (left over ones are refused) and
  // describes the stream from it.
  void open(AVDictionary** options);
  // Encodes `frame` (nullptr: no more) and writes the packets that come out.
  void send(AVFrame* frame);

private:
  AVFormatContext* format;
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVPacket* packet = nullptr;
};
