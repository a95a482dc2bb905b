#include "Reload.h"

#include <exception>
#include <memory>

#include "LwoObject.h"
#include "PngImage.h"
#include "Production.h"
#include "Texture.h"

namespace {

// The production's own file names, in its order of loading.
struct PictureFile {
  Texture** slot;
  const char* path;
};
const PictureFile pictureFiles[] = {
    {&logoTexture, "data/zeph-logo.png"},
    {&voteTexture, "data/vote.png"},
    {&duOgsaaTexture, "data/du_ogsaa.png"},
    {&zeph0Texture, "data/zeph0.png"},
};
const char* const objectFile = "data/bl0ah.lwo";

// Runs `load`; on failure adds the file's line to `problems`.
template <class Load> void attempt(const char* path, Load&& load, std::vector<std::string>& problems) {
  try {
    load();
  } catch (const char* message) {
    problems.push_back(std::string(path) + ": " + message);
  } catch (const std::exception& failure) {
    problems.push_back(std::string(path) + ": " + failure.what());
  }
}

void replaceTexture(Texture*& slot, const char* path) {
  PngImage image(path);
  auto fresh = std::make_unique<Texture>(image);
  if (slot) glDeleteTextures(1, &slot->textureName);
  delete slot;
  slot = fresh.release();
}

void replaceObject(const char* path) {
  auto fresh = std::make_unique<LwoObject>();
  fresh->load(path);
  delete sceneObject;
  sceneObject = fresh.release();
}

} // namespace

std::vector<std::string> reloadProductionData() {
  std::vector<std::string> problems;
  for (const PictureFile& picture : pictureFiles)
    attempt(
        picture.path, [&picture] { replaceTexture(*picture.slot, picture.path); }, problems);
  attempt(
      objectFile, [] { replaceObject(objectFile); }, problems);
  return problems;
}
