#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <functional>
#include <string>

// The real game run from the build/ folder of a throw-away tree whose data/
// is a private copy, so that a test can break single files.
class GameProcess
{
  public:
    GameProcess();
    ~GameProcess();
    GameProcess(const GameProcess &) = delete;
    GameProcess &operator=(const GameProcess &) = delete;

    bool isValid() const { return valid; }
    QString root() const { return folder.path(); }
    QString dataPath(const QString &file) const { return folder.filePath("data/" + file); }

    // To be changed before the start. OpenAL Soft's wave writer stands in
    // for a sound card, so that the program really opens a device.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QStringList arguments;
    bool start();
    bool isRunning() const { return process.state() != QProcess::NotRunning; }

    bool waitFor(const std::function<bool()> &done, int timeoutMs);
    bool waitForExit(int timeoutMs);

    bool crashed() const { return process.exitStatus() == QProcess::CrashExit; }
    int exitCode() const { return process.exitCode(); }
    const std::string &output() const { return out; }
    const std::string &errors() const { return err; }

  private:
    void collect();

    QTemporaryDir folder;
    bool valid = false;
    QProcess process;
    std::string out;
    std::string err;
};
