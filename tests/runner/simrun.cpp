#include "simrun.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

const struct Scratch {
    std::string path = testing::TempDir() + "curavant-sim-" + std::to_string(getpid());
    ~Scratch() { std::filesystem::remove_all(path); }
} scratch;

std::string quoted(const std::string &text)
{
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

} // namespace

SimRun runSim(const std::vector<std::string> &args, const std::string &input,
              const std::string &redirect)
{
    const std::string folder = freshFolder("run");
    std::string command = quoted(CURAVANT_SIM_PATH);
    for (const std::string &arg : args)
        command += " " + quoted(arg);
    command += " <" + writeFile(folder + "/in", input) + " >" + folder + "/out 2>" + folder +
               "/err " + redirect;
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(folder + "/out"),
            readFile(folder + "/err")};
}

std::string freshFolder(const std::string &name)
{
    const std::string path = scratch.path + "/" + name;
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
}

std::set<std::string> listing(const std::string &folder)
{
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string writeFile(const std::string &path, const std::string &contents)
{
    std::ofstream(path, std::ios::binary) << contents;
    return path;
}

std::string readFile(const std::string &path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> pdfPages(const std::string &path)
{
    const std::string text = freshFolder("pdftotext") + "/text";
    if (std::system(("pdftotext -layout " + quoted(path) + " " + text).c_str()) != 0)
        return {};
    std::vector<std::string> pages(1);
    for (const char c : readFile(text)) {
        std::string &page = pages.back();
        const char last = page.empty() ? '\n' : page.back();
        if (c == '\f')
            pages.emplace_back();
        else if (c == '\n' && last == ' ')
            page.back() = c;
        else if (c != ' ' || (last != ' ' && last != '\n'))
            page += c;
    }
    pages.pop_back(); // after the last page's form feed
    return pages;
}

void withFullDisk(unsigned long bytes, const std::function<void()> &body)
{
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlimit limit{bytes, unlimited.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
    setrlimit(RLIMIT_FSIZE, &limit);
    body();
    setrlimit(RLIMIT_FSIZE, &unlimited);
}
