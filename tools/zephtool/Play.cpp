#include <cstdlib>
#include <iostream>

#include "Commands.h"
#include "Player.h"
#include "ProductionInfo.h"

namespace {

bool parseSeconds(const std::string& text, double& seconds) {
  char* end = nullptr;
  seconds = std::strtod(text.c_str(), &end);
  return !text.empty() && end && *end == '\0';
}

} // namespace

int playCommand(const std::vector<std::string>& args) {
  const std::string command = std::string(productionInfo().name) + "tool play";
  PlayOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool valued = arg == "--from" || arg == "--output";
    if (valued && i + 1 >= args.size()) {
      std::cerr << command << ": " << arg << " needs a value\n";
      return 2;
    }
    if (arg == "--from") {
      if (!parseSeconds(args[++i], options.from)) {
        std::cerr << "zephtool play: --from takes seconds, not " << args[i] << "\n";
        return 2;
      }
    } else if (arg == "--output") {
      options.output = args[++i];
    } else if (arg == "--fullscreen") {
      options.fullscreen = true;
    } else if (options.folder.empty() && arg.rfind("--", 0) != 0) {
      options.folder = arg;
    } else {
      std::cerr << "zephtool play: unexpected " << arg << "\n";
      return 2;
    }
  }
  if (options.folder.empty()) {
    std::cerr << "usage: " << command << " DIR [--from S] [--fullscreen] [--output NAME]\n";
    return 2;
  }
  return runPlayer(options);
}
