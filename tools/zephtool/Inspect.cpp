// `zephtool inspect [--geometry] FILE`: a JSON report of what the system's own
// loader makes of a file, or the loader's own message.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>

#include "Commands.h"
#include "Inspector.h"
#include "ProductionInfo.h"

namespace {

const Inspector* const inspectors[] = {&audioInspector, &pngInspector, &lwoInspector};

std::string lowerExtension(const std::string& path) {
  size_t dot = path.find_last_of("./\\");
  if (dot == std::string::npos || path[dot] != '.') return "";
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

std::string readHead(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char buffer[64] = {};
  in.read(buffer, sizeof buffer);
  return std::string(buffer, static_cast<size_t>(in.gcount()));
}

// The name first, as the production opens its fixed names with a fixed loader,
// so that a misnamed file gets that loader's message; the content for other names.
const Inspector* chooseInspector(const std::string& path) {
  const std::string extension = lowerExtension(path);
  for (const Inspector* inspector : inspectors) {
    const auto& names = inspector->extensions;
    if (std::find(names.begin(), names.end(), extension) != names.end()) return inspector;
  }
  const std::string head = readHead(path);
  for (const Inspector* inspector : inspectors)
    if (inspector->recognises(head)) return inspector;
  return nullptr;
}

int report(const Inspector& inspector, const std::string& path, bool geometry) {
  try {
    Json report = inspector.inspect(path, geometry);
    std::cout.flush();
    std::fflush(stdout); // the loaders' own lines come first
    std::cout << dumpReport(report) << std::endl;
    return 0;
  } catch (const char* message) {
    std::cerr << message << std::endl;
  } catch (const std::exception& failure) {
    std::cerr << path << ": " << failure.what() << std::endl;
  }
  return 1;
}

int usage() {
  std::cerr << "usage: " << productionInfo().name << "tool inspect [--geometry] FILE" << std::endl;
  return 2;
}

} // namespace

int inspectCommand(const std::vector<std::string>& args) {
  bool geometry = false;
  std::string path;
  for (const auto& arg : args) {
    if (arg == "--geometry") {
      geometry = true;
    } else if (path.empty()) {
      path = arg;
    } else {
      return usage();
    }
  }
  if (path.empty()) return usage();
  if (const Inspector* inspector = chooseInspector(path)) return report(*inspector, path, geometry);
  std::cerr << path << ": not a file kind " << productionInfo().name << "tool knows (Ogg Vorbis, PNG, LWO2)"
            << std::endl;
  return 1;
}
