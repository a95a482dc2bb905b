#pragma once

#include <string>

// FFmpeg's failures as the capture reports them: a std::runtime_error
// naming what failed and FFmpeg's own reason.
[[noreturn]] void throwFfmpegError(const std::string& what, int error);
// Throws unless `result` is a success (non-negative).
void checkFfmpeg(int result, const std::string& what);
