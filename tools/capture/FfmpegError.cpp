#include "FfmpegError.h"

#include <stdexcept>

extern "C" {
#include <libavutil/error.h>
}

void throwFfmpegError(const std::string& what, int error) {
  char reason[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, reason, sizeof reason);
  throw std::runtime_error(what + ": " + reason);
}

void checkFfmpeg(int result, const std::string& what) {
  if (result < 0) throwFfmpegError(what, result);
}
