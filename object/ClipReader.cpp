// CLIP chunks: the file names of still images.
#include "ClipName.h"
#include "LwoIds.h"
#include "LwoObject.h"

// A CLIP is its index and then sub-chunks; STIL names the image file. Other
// sub-chunks (the FLAG that LightWave writes after STIL, the sources of
// animations) are skipped by their lengths.
void LwoObject::readClip(ByteReader data) {
  data.u4(); // clip index: clipNames keeps file order instead
  while (data.remaining() >= 6) {
    char id[4];
    data.id(id);
    uint16_t length = data.u2();
    ByteReader sub = data.takePadded(length);
    if (isId(id, "STIL")) mesh.clipNames.push_back(lastPathComponent(sub.text()));
  }
}
