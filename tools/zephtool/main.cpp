// NAMEtool: a production's command-line tools for its author.
#include <iostream>
#include <string>
#include <vector>

#include "CaptureCommand.h"
#include "Commands.h"
#include "ProductionInfo.h"

namespace {

int usage(std::ostream& out, int status) {
  const std::string tool = std::string(productionInfo().name) + "tool";
  out << "usage: " << tool << " inspect [--geometry] FILE\n"
      << "       " << tool << " decode FILE OUT.raw\n"
      << "       " << tool << " check DIR\n"
      << "       " << tool << " make-data DIR\n"
      << "       " << tool << " capture DIR OUT [--fps N] [--from S] [--to S] [--frames]\n"
      << "       " << tool << " play DIR [--from S] [--fullscreen] [--output NAME]\n"
      << "       " << tool << " --help | --version\n";
  return status;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage(std::cerr, 2);
  std::string command = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "--help") return usage(std::cout, 0);
  if (command == "--version") {
    std::cout << productionInfo().name << "tool " ZEPH_VERSION "\n";
    return 0;
  }
  if (command == "inspect") return inspectCommand(args);
  if (command == "decode") return decodeCommand(args);
  if (command == "check") return checkCommand(args);
  if (command == "make-data") return makeDataCommand(args);
  if (command == "capture") return captureCommand(args);
  if (command == "play") return playCommand(args);
  return usage(std::cerr, 2);
}
