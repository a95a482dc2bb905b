// zephtool: command-line tools for production authors.
#include <iostream>
#include <string>
#include <vector>

#include "CaptureCommand.h"
#include "Commands.h"

namespace {

int usage(std::ostream& out, int status) {
  out << "usage: zephtool inspect [--geometry] FILE\n"
         "       zephtool decode FILE OUT.raw\n"
         "       zephtool check DIR\n"
         "       zephtool make-data DIR\n"
         "       zephtool capture DIR OUT [--fps N] [--from S] [--to S] [--frames]\n"
         "       zephtool play DIR [--from S] [--fullscreen] [--output NAME]\n"
         "       zephtool --help | --version\n";
  return status;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage(std::cerr, 2);
  std::string command = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "--help") return usage(std::cout, 0);
  if (command == "--version") {
    std::cout << "zephtool " ZEPH_VERSION "\n";
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
