#include "scratch.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace
{
// Made on first use, removed with everything in it when the program ends.
struct ScratchDir {
    ScratchDir()
    {
        std::string pattern = testing::TempDir() + "curavant-sim-XXXXXX";
        if (mkdtemp(pattern.data()))
            path = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};
} // namespace

std::string scratchDir()
{
    static const ScratchDir dir;
    return dir.path;
}

std::string writeFile(const std::string &name, const std::string &contents)
{
    const std::string path = scratchDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << contents;
    return path;
}

std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}
