#include "Texture.h"

#include "PngImage.h"

#include <png.h>

TextureUpload textureUploadFor(const PngImage& image) {
  if (image.bitDepth != 8) return TextureUpload::None;
  if (image.colourType == PNG_COLOR_TYPE_RGB) return TextureUpload::Rgb;
  if (image.colourType == PNG_COLOR_TYPE_RGB_ALPHA) return TextureUpload::Rgba;
  return TextureUpload::None;
}

namespace {

void upload(const PngImage& image, GLenum format) {
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  // Rows lie back to back: RGB rows need not be a multiple of 4 bytes long.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), static_cast<GLsizei>(image.width),
               static_cast<GLsizei>(image.height), 0, format, GL_UNSIGNED_BYTE, image.pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

} // namespace

Texture::Texture(const PngImage& image) {
  glEnable(GL_TEXTURE_2D);
  glGenTextures(1, &textureName);
  glBindTexture(GL_TEXTURE_2D, textureName);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  switch (textureUploadFor(image)) {
  case TextureUpload::Rgb: upload(image, GL_RGB); break;
  case TextureUpload::Rgba: upload(image, GL_RGBA); break;
  case TextureUpload::None: break;
  }
}
