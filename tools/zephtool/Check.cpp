#include <iostream>

#include "Commands.h"
#include "DataCheck.h"
#include "ProductionInfo.h"

// Tells whether DIR (the folder holding data/, or data/ itself) will play:
// a line on the music's length, then one line per problem; exit status 0
// when there is no problem.
int checkCommand(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::cerr << "usage: " << productionInfo().name << "tool check DIR" << std::endl;
    return 2;
  }
  const std::vector<std::string> problems = datacheck::checkFolder(args[0], productionInfo());
  std::cout.flush(); // the loaders' own lines come first
  for (const std::string& note : datacheck::describeFolder(args[0], productionInfo()))
    std::cout << note << '\n';
  for (const std::string& problem : problems)
    std::cout << problem << '\n';
  if (problems.empty()) std::cout << args[0] << ": will play" << '\n';
  std::cout.flush();
  return problems.empty() ? 0 : 1;
}
