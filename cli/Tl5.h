// The commands of the tl5 tool.
#pragma once

#include <string>
#include <vector>

// Runs one tl5 command line (without the program name); returns the process exit status.
int RunTl5(const std::vector<std::string>& args);
