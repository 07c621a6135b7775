#pragma once

#include <string>
#include <vector>

// Files for the runner tests: a private directory, files written into it, and
// splitting program output into lines.
std::string scratchDir();
std::string writeFile(const std::string &name, const std::string &contents);
std::vector<std::string> lines(const std::string &text);
