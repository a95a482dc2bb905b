#pragma once

#include <string>

#include "Pcm.h"
#include "Synth.h"

// The default set's music: 88 seconds at 120 beats per minute in A minor, in
// sections that turn at 20, 40 and 60 seconds with the pictures, ending on a
// chord at 80 seconds that rings out.
namespace defaultmusic {

constexpr double seconds = 88.0;

music::Song song();
// The song mixed to 44100 Hz stereo, its peak levelled just below full scale.
music::Pcm render();
// The Ogg Vorbis file.
std::string oggVorbis();

} // namespace defaultmusic
