#pragma once

// Seconds from what an output hands the platform to what is heard, as the
// Windows audio engine reports it for the default output device: its stream
// latency plus its default device period. 0 where it reports nothing.
double audioEngineLatency();
