#include "subprocess.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace
{

struct TempFile {
    std::FILE *file = std::tmpfile();
    ~TempFile()
    {
        if (file)
            std::fclose(file);
    }
    int fd() const { return fileno(file); }
    std::string contents() const
    {
        std::string text;
        std::rewind(file);
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, n);
        return text;
    }
};

} // namespace

ProcessInput standardInputText(const std::string &text)
{
    ProcessInput input;
    input.text = text;
    return input;
}

ProcessInput standardInputFile(const std::string &path)
{
    ProcessInput input;
    input.inputPath = path;
    return input;
}

ProcessInput standardOutputFile(const std::string &path)
{
    ProcessInput input;
    input.outputPath = path;
    return input;
}

ProcessResult runProcess(const std::string &program, const std::vector<std::string> &args,
                         const ProcessInput &input)
{
    TempFile in, out, err;
    ProcessResult result;
    if (!in.file || !out.file || !err.file)
        return result;
    std::fwrite(input.text.data(), 1, input.text.size(), in.file);
    std::fflush(in.file);
    std::rewind(in.file);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input.inputPath.empty())
        posix_spawn_file_actions_adddup2(&actions, in.fd(), 0);
    else
        posix_spawn_file_actions_addopen(&actions, 0, input.inputPath.c_str(), O_RDONLY, 0);
    if (input.outputPath.empty())
        posix_spawn_file_actions_adddup2(&actions, out.fd(), 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, input.outputPath.c_str(), O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, err.fd(), 2);

    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);

    pid_t pid;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return result;
    }
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    result.out = out.contents();
    result.err = err.contents();
    return result;
}
