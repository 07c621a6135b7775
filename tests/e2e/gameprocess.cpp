#include "gameprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

GameProcess::GameProcess()
{
    QFile config(folder.filePath(QStringLiteral("alsoft.conf")));
    valid = folder.isValid() && QDir(folder.path()).mkdir(QStringLiteral("build")) &&
            QProcess::execute(QStringLiteral("cp"),
                              {QStringLiteral("-r"), QStringLiteral(CURAVANT_DATA_DIR),
                               folder.filePath(QStringLiteral("data"))}) == 0 &&
            config.open(QIODevice::WriteOnly) &&
            config.write("[general]\ndrivers = wave\n[wave]\nfile = " +
                         QFile::encodeName(folder.filePath(QStringLiteral("mix.wav"))) + "\n") > 0;
    process.setWorkingDirectory(folder.filePath(QStringLiteral("build")));
    environment.insert(QStringLiteral("ALSOFT_CONF"), config.fileName());
    environment.insert(QStringLiteral("ALSOFT_DRIVERS"), QStringLiteral("wave"));
    environment.remove(QStringLiteral("CURAVANT_RECORD_DIR"));
}

GameProcess::~GameProcess()
{
    process.kill();
    process.waitForFinished(5000);
}

bool GameProcess::start()
{
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(CURAVANT_BINARY), arguments);
    return process.waitForStarted(10000);
}

void GameProcess::collect()
{
    out += process.readAllStandardOutput().toStdString();
    err += process.readAllStandardError().toStdString();
}

bool GameProcess::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(50);
        collect();
        QCoreApplication::processEvents();
    }
    return true;
}

bool GameProcess::waitForExit(int timeoutMs)
{
    const bool exited = !isRunning() || process.waitForFinished(timeoutMs);
    collect();
    return exited;
}
