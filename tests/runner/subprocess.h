#pragma once

#include <string>
#include <vector>

// Runs a program to its end with the given standard input and collects what
// it wrote. A program killed by a signal reports -signal as its status.
struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

struct ProcessInput {
    std::string text;       // fed to standard input, unless `inputPath` is set
    std::string inputPath;  // a file to open as standard input
    std::string outputPath; // a file to open as standard output instead of capturing it
};

ProcessInput standardInputText(const std::string &text);
ProcessInput standardInputFile(const std::string &path);
ProcessInput standardOutputFile(const std::string &path);

ProcessResult runProcess(const std::string &program, const std::vector<std::string> &args,
                         const ProcessInput &input = {});
