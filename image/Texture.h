#pragma once

#include <GL/gl.h>

#include <cstdint>

class PngImage;

// The pixel formats a Texture uploads; any other picture gives a texture
// without an image.
enum class TextureUpload { None, Rgb, Rgba };

// What a Texture made from `image` uploads: 8-bit RGB and 8-bit RGBA only.
TextureUpload textureUploadFor(const PngImage& image);

// One OpenGL 2D texture made from a picture. Needs a current GL context.
// Switches 2D texturing on and leaves the new texture bound. The GL texture
// lives as long as the context; the image is not kept.
class Texture {
public:
  explicit Texture(const PngImage& image);

  GLuint textureName = 0;
};
