// SURF chunks: colours, transparency, texture blocks and the lines printed
// for sub-chunks that are skipped.
#include <gtest/gtest.h>

#include "LwoTestFiles.h"

namespace {

const LwoSurface& onlySurface(const LoadResult& loaded, size_t index = 0) {
  EXPECT_EQ(loaded.error, nullptr);
  return loaded.object->mesh.surfaces.at(index);
}

void expectRgb(const uint8_t rgb[3], int r, int g, int b) {
  EXPECT_EQ(rgb[0], r);
  EXPECT_EQ(rgb[1], g);
  EXPECT_EQ(rgb[2], b);
}

// One SURF chunk named "S" holding COLR (r, g, b) and DIFF d; TRAN t when t >= 0.
std::string colorFile(float r, float g, float b, float d, float t = -1.0f) {
  static float values[5];
  values[0] = r, values[1] = g, values[2] = b, values[3] = d, values[4] = t;
  return surfaceFile({"S"}, [](LwoWriter& w) {
    w.chunk("SURF");
    writeSurfaceStart(w, "S");
    writeColor(w, values[0], values[1], values[2]);
    writeLevel(w, "DIFF", values[3]);
    if (values[4] >= 0.0f) writeLevel(w, "TRAN", values[4]);
    w.end();
  });
}

TEST(SurfaceReader, TurnsColourLevelsIntoBytes) {
  expectRgb(onlySurface(loadLwo(colorFile(1.0f, 0.5f, 0.0f, 1.0f))).color, 255, 127, 0);
  LoadResult loaded = loadLwo(colorFile(0.8f, 0.6f, 0.4f, 1.0f));
  expectRgb(onlySurface(loaded).color, 204, 153, 102);
  expectRgb(onlySurface(loaded).diffuseColor, 204, 153, 102);
  // Levels outside 0 to 1 are clamped, not wrapped.
  expectRgb(onlySurface(loadLwo(colorFile(1.5f, -0.2f, 0.5f, 1.0f))).color, 255, 0, 127);
}

TEST(SurfaceReader, ScalesTheDiffuseColourInProportion) {
  expectRgb(onlySurface(loadLwo(colorFile(0.8f, 0.6f, 0.4f, 0.8f))).diffuseColor, 163, 122, 81);
  expectRgb(onlySurface(loadLwo(colorFile(0.8f, 0.6f, 0.4f, 0.0f))).diffuseColor, 0, 0, 0);
  expectRgb(onlySurface(loadLwo(colorFile(0.8f, 0.6f, 0.4f, 2.0f))).diffuseColor, 255, 255, 204);
}

TEST(SurfaceReader, TurnsTransparencyIntoOpacity) {
  EXPECT_EQ(onlySurface(loadLwo(colorFile(1, 1, 1, 1))).opacity, 0); // no TRAN: opaque
  EXPECT_EQ(onlySurface(loadLwo(colorFile(1, 1, 1, 1, 0.0f))).opacity, 255);
  EXPECT_EQ(onlySurface(loadLwo(colorFile(1, 1, 1, 1, 0.25f))).opacity, 192);
  EXPECT_EQ(onlySurface(loadLwo(colorFile(1, 1, 1, 1, 0.5f))).opacity, 128);
  // Fully transparent is the faintest alpha, never 0, which would draw it opaque.
  EXPECT_EQ(onlySurface(loadLwo(colorFile(1, 1, 1, 1, 0.999f))).opacity, 1);
  EXPECT_EQ(onlySurface(loadLwo(colorFile(1, 1, 1, 1, 1.0f))).opacity, 1);
  EXPECT_EQ(onlySurface(loadLwo(colorFile(1, 1, 1, 1, 1.5f))).opacity, 1);
}

TEST(SurfaceReader, KeepsSpecularAndIgnoresRefractionAndBump) {
  LoadResult loaded = loadLwo(surfaceFile({"S"}, [](LwoWriter& w) {
    w.chunk("SURF");
    writeSurfaceStart(w, "S");
    writeLevel(w, "SPEC", 0.4f);
    writeLevel(w, "RIND", 1.3f);
    writeLevel(w, "BUMP", 1.0f);
    writeColor(w, 0.0f, 1.0f, 0.0f);
    w.end();
  }));
  EXPECT_FLOAT_EQ(onlySurface(loaded).specular, 0.4f);
  expectRgb(onlySurface(loaded).color, 0, 255, 0);
  EXPECT_EQ(loaded.printed, "");
}

void namedSurface(LwoWriter& w, const char* name, float red) {
  w.chunk("SURF");
  writeSurfaceStart(w, name);
  writeColor(w, red, 0.0f, 0.0f);
  w.end();
}

TEST(SurfaceReader, FillsTheSurfaceOfTheSameNameElseTheFirstBeginningWithItElseNone) {
  auto metal = [](LwoWriter& w) {
    namedSurface(w, "Metal", 1.0f);
    namedSurface(w, "MetalDark", 0.5f);
  };
  LoadResult inOrder = loadLwo(surfaceFile({"Metal", "MetalDark"}, metal));
  EXPECT_EQ(onlySurface(inOrder, 0).color[0], 255);
  EXPECT_EQ(onlySurface(inOrder, 1).color[0], 127);
  LoadResult reversed = loadLwo(surfaceFile({"MetalDark", "Metal"}, metal));
  EXPECT_EQ(onlySurface(reversed, 0).color[0], 127);
  EXPECT_EQ(onlySurface(reversed, 1).color[0], 255);

  LoadResult prefix = loadLwo(surfaceFile({"Rock", "MetalDark", "Metallic"}, [](LwoWriter& w) {
    namedSurface(w, "Met", 1.0f);  // the first that begins with it
    namedSurface(w, "Wood", 0.5f); // no such surface: skipped
  }));
  EXPECT_EQ(onlySurface(prefix, 0).color[0], 0);
  EXPECT_EQ(onlySurface(prefix, 1).color[0], 255);
  EXPECT_EQ(onlySurface(prefix, 2).color[0], 0);
}

TEST(SurfaceReader, PrintsAndSkipsSubChunksItDoesNotKnow) {
  LoadResult loaded = loadLwo(surfaceFile({"S"}, [](LwoWriter& w) {
    w.chunk("SURF");
    writeSurfaceStart(w, "S");
    writeLevel(w, "LUMI", 0.5f);
    w.subChunk("SIDE").u2(3).end();
    w.subChunk("ODD!").raw("xyz").end(); // three bytes and a pad
    writeColor(w, 1.0f, 1.0f, 1.0f);
    w.end();
  }));
  EXPECT_EQ(loaded.printed,
            "SURF:UNKNOWN: LUMI size: 6\nSURF:UNKNOWN: SIDE size: 2\nSURF:UNKNOWN: ODD! size: 3\n");
  expectRgb(onlySurface(loaded).color, 255, 255, 255);
}

TEST(SurfaceReader, TakesImageUvMapAndProjectionFromTextureBlocks) {
  LoadResult loaded = loadLwo(surfaceFile({"S", "T", "U"}, [](LwoWriter& w) {
    writePointMap(w, "TXUV", 2, "UV", {{0, {0, 0}}});
    writePointMap(w, "TXUV", 2, "UVx", {{0, {0, 0}}});
    w.chunk("SURF");
    writeSurfaceStart(w, "S");
    w.subChunk("BLOK");
    w.subChunk("IMAP").s0("\x80\x81\x82").subChunk("CHAN").id("COLR").end();
    w.subChunk("ENAB").u2(1).end().subChunk("NEGA").u2(0).end().end(); // 30 bytes
    w.subChunk("IMAG").vx(1).end();
    w.subChunk("VMAP").s0("UV").end();
    w.subChunk("PROJ").u2(5).end();
    w.end().end();
    w.chunk("SURF");
    writeSurfaceStart(w, "T");
    writeTextureBlock(w, {2, 3, "Nowhere"});
    w.end();
    w.chunk("SURF");
    writeSurfaceStart(w, "U");
    writeTextureBlock(w, {1, 4, "U"});
    w.end();
  }));
  const LwoSurface& s = onlySurface(loaded, 0);
  EXPECT_EQ(s.imageIndex, 1);
  EXPECT_EQ(s.uvMapIndex, 0); // UV itself, though UVx begins with it too
  EXPECT_EQ(s.projection, 5);
  const LwoSurface& t = onlySurface(loaded, 1);
  EXPECT_EQ(t.imageIndex, 3);
  EXPECT_EQ(t.uvMapIndex, -1);
  EXPECT_EQ(t.projection, 2);
  EXPECT_EQ(onlySurface(loaded, 2).uvMapIndex, 1); // the last map beginning with U
  // Written as LightWave writes them: header, TMAP and the rest at one level.
  std::string block = "SURF:BLOK:UNKNOWN: IMAP size: 20\nSURF:BLOK:UNKNOWN: TMAP size: 68\n"
                      "SURF:BLOK:UNKNOWN: AXIS size: 2\nSURF:BLOK:UNKNOWN: WRAP size: 4\n"
                      "SURF:BLOK:UNKNOWN: AAST size: 6\nSURF:BLOK:UNKNOWN: PIXB size: 2\n";
  EXPECT_EQ(loaded.printed, "SURF:BLOK:UNKNOWN: IMAP size: 30\n" + block + block);
}

TEST(SurfaceReader, ReadsPastAParentSurfaceName) {
  LoadResult loaded = loadLwo(surfaceFile({"S"}, [](LwoWriter& w) {
    w.chunk("SURF");
    writeSurfaceStart(w, "S", "Base");
    writeColor(w, 0.0f, 0.0f, 1.0f);
    w.end();
  }));
  expectRgb(onlySurface(loaded).color, 0, 0, 255);
  EXPECT_EQ(loaded.printed, "");
}

TEST(SurfaceReader, ResetsOpacitySpecularAndImageAtEachSurfaceChunk) {
  LoadResult loaded = loadLwo(surfaceFile({"S"}, [](LwoWriter& w) {
    w.chunk("SURF");
    writeSurfaceStart(w, "S");
    writeLevel(w, "TRAN", 0.5f);
    writeLevel(w, "SPEC", 0.5f);
    writeTextureBlock(w, {5, 2, ""});
    w.end();
    w.chunk("SURF");
    writeSurfaceStart(w, "S");
    w.end();
  }));
  const LwoSurface& s = onlySurface(loaded);
  EXPECT_EQ(s.opacity, 0);
  EXPECT_EQ(s.specular, 0.0f);
  EXPECT_EQ(s.imageIndex, 0);
  EXPECT_EQ(s.projection, 5); // kept, as the other fields are
}

} // namespace
