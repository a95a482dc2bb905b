#pragma once

class AudioDevice;

// Seconds of audio that the platform's primary output reports as played.
double playedSeconds(AudioDevice* output);
