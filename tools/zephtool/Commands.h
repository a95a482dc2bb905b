#pragma once

#include <string>
#include <vector>

// The commands of zephtool; each returns the exit status.
int inspectCommand(const std::vector<std::string>& args);
int decodeCommand(const std::vector<std::string>& args);
int checkCommand(const std::vector<std::string>& args);
int makeDataCommand(const std::vector<std::string>& args);
int playCommand(const std::vector<std::string>& args);
