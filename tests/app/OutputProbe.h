#pragma once

#include <cstdint>

class AudioDevice;

// The platform's primary output, seen from its own fields.
int32_t nextBuffer(AudioDevice* output);
const uint8_t* outputBuffer(AudioDevice* output, int index);
bool outputClosed(AudioDevice* output);
