#pragma once

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class ScratchTree;

// The real game binary run as a child process from a scratch tree's build/
// folder, with its standard output and error collected as they come. Every
// wait polls (about every 50 ms) until a condition holds or a time limit
// passes, calling an optional hook on each round so that a test can watch
// the screen while it waits.
class GameProcess
{
  public:
    enum class Audio { WaveFile, NoDevice };
    struct Options {
        // Through stdbuf -o0, so that unflushed output arrives as it is
        // written; without it a pipe holds it until the program exits.
        bool unbuffered = false;
        Audio audio = Audio::WaveFile;
        QStringList unset;
        QMap<QString, QString> set;
    };

    explicit GameProcess(const ScratchTree &tree);
    GameProcess(const ScratchTree &tree, const Options &options);
    ~GameProcess();
    GameProcess(const GameProcess &) = delete;
    GameProcess &operator=(const GameProcess &) = delete;

    bool start();
    long long pid() const;
    bool isRunning() const;

    bool waitFor(const std::function<bool()> &done, int timeoutMs);
    void setPollHook(std::function<void()> hook) { pollHook = std::move(hook); }
    bool waitForExit(int timeoutMs);
    void kill();

    bool exitedNormally() const;
    int exitCode() const { return process.exitCode(); }
    const std::string &output() const { return stdoutText; }
    const std::string &errors() const { return stderrText; }

  private:
    void pump(int waitMs);

    const ScratchTree &tree;
    Options options;
    QProcess process;
    std::function<void()> pollHook;
    std::string stdoutText;
    std::string stderrText;
    bool everStarted = false;
};
