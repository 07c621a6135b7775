#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

// Runs curavant-sim through the shell as a user would, with private files
// for its standard streams, in a scratch folder removed when the tests end.

struct SimRun {
    int status = -1; // the exit status; a crash shows as 128 + signal
    std::string out, err;
};

SimRun runSim(const std::vector<std::string> &args, const std::string &input = "",
              const std::string &redirect = "");

std::string freshFolder(const std::string &name);
std::set<std::string> listing(const std::string &folder);
std::string writeFile(const std::string &path, const std::string &contents);
std::string readFile(const std::string &path);
std::vector<std::string> lines(const std::string &text);

// The pages of a PDF as pdftotext lays them out, each run of blanks made one.
std::vector<std::string> pdfPages(const std::string &path);

// Runs `body` as on a disk with `bytes` free for each file.
void withFullDisk(unsigned long bytes, const std::function<void()> &body);
