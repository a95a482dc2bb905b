#include "CaptureCommand.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "Capture.h"
#include "DataCheck.h"
#include "ProductionInfo.h"

namespace {

// How the command names itself: the production's tool.
std::string command() {
  return std::string(productionInfo().name) + "tool capture";
}

std::string usageText() {
  return "usage: " + command() + " DIR OUT [--fps N] [--from S] [--to S] [--frames]";
}
const int maxFps = 240;

struct BadOption : std::runtime_error {
  using std::runtime_error::runtime_error;
};

double parseSeconds(const std::string& option, const std::string& text) {
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno != 0 || !std::isfinite(value) || value < 0.0)
    throw BadOption(option + " " + text + ": give seconds of music, 0 or more (e.g. 12.5)");
  return value;
}

int parseFps(const std::string& text) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || value < 1 || value > maxFps)
    throw BadOption("--fps " + text + ": give whole frames per second, 1 to " + std::to_string(maxFps));
  return static_cast<int>(value);
}

// Throws BadOption; an empty folder means a usage error.
CaptureOptions parse(const std::vector<std::string>& args) {
  CaptureOptions options;
  std::vector<std::string> folders;
  bool toGiven = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--frames") {
      options.stills = true;
    } else if ((arg == "--fps" || arg == "--from" || arg == "--to") && !hasValue) {
      throw BadOption(arg + " needs a value");
    } else if (arg == "--fps") {
      options.fps = parseFps(args[++i]);
    } else if (arg == "--from") {
      options.from = parseSeconds(arg, args[++i]);
    } else if (arg == "--to") {
      options.to = parseSeconds(arg, args[++i]);
      toGiven = true;
    } else if (arg.rfind("--", 0) == 0) {
      throw BadOption(arg + ": no such option");
    } else {
      folders.push_back(arg);
    }
  }
  if (folders.size() != 2) throw BadOption("give the data folder's parent DIR and the output folder OUT");
  options.folder = folders[0];
  options.out = folders[1];
  if (toGiven && options.to <= options.from)
    throw BadOption("--to must come after --from (" + std::to_string(options.to) + " is not after " +
                    std::to_string(options.from) + ")");
  return options;
}

// A failure of the production's own loaders, with what the data check
// says about the folder.
int dataProblem(const std::string& folder, const char* message) {
  std::cerr << command() << ": " << message << std::endl;
  for (const std::string& problem : datacheck::checkFolder(folder, productionInfo()))
    std::cerr << "  " << problem << std::endl;
  return 1;
}

void printStages(const CaptureResult& result) {
  const StageTimes& t = result.times;
  const double perFrame = result.frames > 0 ? 1000.0 / static_cast<double>(result.frames) : 0.0;
  std::fprintf(
      stderr,
      "ms per frame: draw %.2f, read-back %.2f, colour %.2f, H.264 %.2f, music %.2f, PNG and WAV %.2f; "
      "drawing waited %.2f\n",
      t.draw * perFrame, t.readBack * perFrame, t.convert * perFrame, t.encode * perFrame, t.music * perFrame,
      t.stills * perFrame, t.waiting * perFrame);
}

} // namespace

int captureCommand(const std::vector<std::string>& args) {
  CaptureOptions options;
  try {
    options = parse(args);
  } catch (const BadOption& bad) {
    std::cerr << command() << ": " << bad.what() << '\n' << usageText() << std::endl;
    return 1;
  }
  std::error_code error;
  if (!std::filesystem::is_directory(std::filesystem::path(options.folder) / "data", error))
    return dataProblem(options.folder, "no data folder");
  try {
    printStages(capture(productionInfo(), options, stderr));
    return 0;
  } catch (const char* message) {
    return dataProblem(options.folder, message);
  } catch (const std::exception& failure) {
    std::cerr << command() << ": " << failure.what() << std::endl;
    return 1;
  }
}
