#include "Reload.h"

#include <exception>
#include <memory>

#include "LwoObject.h"
#include "PngImage.h"
#include "Texture.h"

namespace {

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

void replaceObject(LwoObject*& slot, const char* path) {
  auto fresh = std::make_unique<LwoObject>();
  fresh->load(path);
  delete slot;
  slot = fresh.release();
}

void replace(const ProductionFile& file) {
  if (file.texture) replaceTexture(*file.texture, file.path);
  if (file.object) replaceObject(*file.object, file.path);
}

} // namespace

std::vector<std::string> reloadProductionData(const ProductionInfo& production) {
  std::vector<std::string> problems;
  for (const ProductionFile& file : production.files)
    attempt(
        file.path, [&file] { replace(file); }, problems);
  return problems;
}
