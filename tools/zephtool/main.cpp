// zephtool: command-line tools for production authors.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "CaptureCommand.h"
#include "Commands.h"

namespace {

const Inspector* const inspectors[] = {&audioInspector, &pngInspector, &lwoInspector};

int usage() {
  std::cerr << "usage: zephtool inspect [--geometry] FILE\n"
               "       zephtool decode FILE OUT.raw\n"
               "       zephtool check DIR\n"
               "       zephtool make-data DIR\n"
               "       zephtool capture DIR OUT [--fps N] [--from S] [--to S] [--frames]\n";
  return 2;
}

std::string readHead(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char buffer[64] = {};
  in.read(buffer, sizeof buffer);
  return std::string(buffer, static_cast<size_t>(in.gcount()));
}

int inspectCommand(const std::vector<std::string>& args) {
  bool geometry = false;
  std::string path;
  for (const auto& arg : args) {
    if (arg == "--geometry")
      geometry = true;
    else if (path.empty())
      path = arg;
    else
      return usage();
  }
  if (path.empty()) return usage();
  std::string head = readHead(path);
  for (const Inspector* inspector : inspectors) {
    if (!inspector->recognises(path, head)) continue;
    try {
      Json report = inspector->inspect(path, geometry);
      std::cout.flush();
      std::fflush(stdout); // the loaders' own lines come first
      std::cout << report.dump() << std::endl;
      return 0;
    } catch (const char* message) {
      std::cerr << message << std::endl;
      return 1;
    }
  }
  std::cerr << path << ": not a file kind zephtool knows (Ogg Vorbis, PNG, LWO2)" << std::endl;
  return 1;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  std::string command = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "inspect") return inspectCommand(args);
  if (command == "decode") return decodeCommand(args);
  if (command == "check") return checkCommand(args);
  if (command == "make-data") return makeDataCommand(args);
  if (command == "capture") return captureCommand(args);
  return usage();
}
