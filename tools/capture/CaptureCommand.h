#pragma once

#include <string>
#include <vector>

// `zephtool capture DIR OUT [--fps N] [--from S] [--to S] [--frames]`.
int captureCommand(const std::vector<std::string>& args);
