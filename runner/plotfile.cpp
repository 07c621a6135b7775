#include "plotfile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

std::string folderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseNameOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a symbolic link leads to, so that writing through a link replaces
// the picture it points at rather than the link; the picture need not exist yet.
std::string resolved(const std::string &path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        char target[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), target, sizeof target - 1);
        if (length <= 0)
            return current;
        const std::string next(target, static_cast<std::size_t>(length));
        current = next[0] == '/' ? next : folderOf(current) + "/" + next;
    }
    return current;
}

mode_t creationMode()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

} // namespace

PlotFile::PlotFile(std::string path) : target(std::move(path)) {}

PlotFile::~PlotFile()
{
    discard();
}

std::string PlotFile::problem(const std::string &what, int error) const
{
    std::string shown = target;
    for (char &c : shown) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            c = '?';
    }
    return shown + ": " + what + (error ? ": " + std::string(std::strerror(error)) : "");
}

std::string PlotFile::open()
{
    const std::string path = resolved(target);
    struct stat info;
    if (stat(path.c_str(), &info) == 0) {
        // rename() would replace a device node or fail late on a folder.
        if (S_ISDIR(info.st_mode))
            return problem("cannot write the plot", EISDIR);
        if (!S_ISREG(info.st_mode))
            return problem("cannot write the plot: not a regular file", 0);
        if (access(path.c_str(), W_OK) != 0)
            return problem("cannot write the plot", errno);
    }
    std::string pattern = folderOf(path) + "/." + baseNameOf(path) + ".XXXXXX";
    descriptor = mkstemp(pattern.data());
    if (descriptor < 0)
        return problem("cannot write the plot", errno);
    temporary = pattern;
    destination = path;
    fchmod(descriptor, creationMode());
    return {};
}

std::string PlotFile::write(const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return problem("cannot write the plot", written < 0 ? errno : EIO);
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

std::string PlotFile::commit()
{
    const bool synced = fsync(descriptor) == 0;
    int error = synced ? 0 : errno;
    if (close(descriptor) != 0 && synced)
        error = errno;
    descriptor = -1;
    if (!error && rename(temporary.c_str(), destination.c_str()) != 0)
        error = errno;
    if (error) {
        discard();
        return problem("cannot write the plot", error);
    }
    temporary.clear();
    return {};
}

void PlotFile::discard()
{
    if (descriptor >= 0)
        close(descriptor);
    descriptor = -1;
    if (!temporary.empty())
        unlink(temporary.c_str());
    temporary.clear();
}
