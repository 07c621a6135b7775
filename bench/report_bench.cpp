// The course report at scale: a course of 200 games of 240 steps each,
// recorded by curavant-coursegen, reported by curavant-sim --report; and the
// first 50 and 100 games of it alone, to show that the memory does not grow
// with the number of games. Each report is made three times; the figures are
// the median wall time and the largest peak resident memory of the child
// (wait4), with the pages and the size of the file.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

namespace fs = std::filesystem;

struct Run {
    double seconds;
    long peakKiB;
    int status;
};

Run run(const std::vector<std::string> &args)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char *> argv;
        for (const std::string &arg : args)
            argv.push_back(const_cast<char *>(arg.c_str()));
        argv.push_back(nullptr);
        if (!std::freopen("/dev/null", "w", stderr))
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {took.count(), usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

} // namespace

int main()
{
    constexpr int games = 200, steps = 240, repeats = 3;
    const fs::path root =
        fs::temp_directory_path() / ("curavant-report-bench-" + std::to_string(getpid()));
    const fs::path all = root / "200";
    fs::create_directories(all);
    const Run made =
        run({CURAVANT_COURSEGEN_PATH, all.string(), std::to_string(games), std::to_string(steps)});
    if (made.status != 0) {
        std::fprintf(stderr, "report_bench: curavant-coursegen failed\n");
        return 1;
    }
    std::vector<fs::path> records;
    for (const auto &entry : fs::directory_iterator(all))
        records.push_back(entry.path());
    std::sort(records.begin(), records.end());
    std::printf("course of %d games of %d steps recorded in %.1f s\n\n", games, steps,
                made.seconds);
    std::printf("%6s %12s %16s %7s %10s\n", "games", "time (s)", "peak RSS (MiB)", "pages",
                "PDF (MB)");
    for (const int count : {50, 100, 200}) {
        fs::path folder = all;
        if (count < games) {
            folder = root / std::to_string(count);
            fs::create_directories(folder);
            for (int i = 0; i < 2 * count; ++i) // a .csv and a .txt per game
                fs::copy_file(records[i], folder / records[i].filename());
        }
        const std::string pdf = (root / ("report-" + std::to_string(count) + ".pdf")).string();
        std::vector<double> times;
        long peak = 0;
        for (int r = 0; r < repeats; ++r) {
            const Run report = run({CURAVANT_SIM_PATH, "--report", pdf, folder.string()});
            if (report.status != 0) {
                std::fprintf(stderr, "report_bench: curavant-sim --report failed\n");
                return 1;
            }
            times.push_back(report.seconds);
            peak = std::max(peak, report.peakKiB);
        }
        std::sort(times.begin(), times.end());
        // Each game has its page; the course pages come before them.
        const std::string pages = "pdfinfo " + pdf + " | awk '/^Pages:/ { print $2 }'";
        FILE *info = popen(pages.c_str(), "r");
        int pageCount = 0;
        if (!info || std::fscanf(info, "%d", &pageCount) != 1)
            pageCount = -1;
        if (info)
            pclose(info);
        std::printf("%6d %12.2f %16.1f %7d %10.1f\n", count, times[repeats / 2], peak / 1024.0,
                    pageCount, fs::file_size(pdf) / 1e6);
    }
    fs::remove_all(root);
    return 0;
}
