#include "gameprocess.h"

#include "scratchtree.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QThread>

namespace
{
const int pollMs = 50;
}

GameProcess::GameProcess(const ScratchTree &tree) : GameProcess(tree, Options()) {}

GameProcess::GameProcess(const ScratchTree &tree, const Options &options)
    : tree(tree), options(options)
{
}

GameProcess::~GameProcess()
{
    kill();
}

bool GameProcess::start()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (options.audio == Audio::WaveFile) {
        // OpenAL Soft's wave writer stands in for a sound card, so the bank
        // really opens a device and loads every file.
        const QString config = tree.root() + QStringLiteral("/alsoft.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write("[general]\ndrivers = wave\n[wave]\nfile = " + QFile::encodeName(tree.root()) +
                   "/mix.wav\n");
        file.close();
        environment.insert(QStringLiteral("ALSOFT_CONF"), config);
        environment.insert(QStringLiteral("ALSOFT_DRIVERS"), QStringLiteral("wave"));
    } else {
        environment.remove(QStringLiteral("ALSOFT_CONF"));
        environment.insert(QStringLiteral("ALSOFT_DRIVERS"), QStringLiteral("none"));
    }
    for (const QString &name : options.unset)
        environment.remove(name);
    for (auto it = options.set.cbegin(); it != options.set.cend(); ++it)
        environment.insert(it.key(), it.value());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(tree.buildDir());

    const QString binary = QStringLiteral(CURAVANT_BINARY);
    if (options.unbuffered) {
        // stdbuf works by preloading a library, which a sanitizer build would
        // otherwise refuse as coming before its runtime.
        QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
        if (!sanitizer.isEmpty())
            sanitizer += QLatin1Char(':');
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           sanitizer + QStringLiteral("verify_asan_link_order=0"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("stdbuf"), {QStringLiteral("-o0"), binary});
    } else {
        process.start(binary, QStringList());
    }
    everStarted = process.waitForStarted(10000);
    return everStarted;
}

long long GameProcess::pid() const
{
    return process.processId();
}

bool GameProcess::isRunning() const
{
    return process.state() != QProcess::NotRunning;
}

void GameProcess::pump(int waitMs)
{
    // Returns as soon as output arrives, so a wait ends as early as it can.
    if (isRunning())
        process.waitForReadyRead(waitMs);
    else
        QThread::msleep(static_cast<unsigned long>(waitMs));
    stdoutText += process.readAllStandardOutput().toStdString();
    stderrText += process.readAllStandardError().toStdString();
    QCoreApplication::processEvents();
    if (pollHook)
        pollHook();
}

bool GameProcess::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (done())
            return true;
        if (clock.elapsed() > timeoutMs)
            return false;
        pump(pollMs);
    }
}

bool GameProcess::waitForExit(int timeoutMs)
{
    const bool exited = waitFor([this] { return !isRunning(); }, timeoutMs);
    stdoutText += process.readAllStandardOutput().toStdString();
    stderrText += process.readAllStandardError().toStdString();
    return exited;
}

void GameProcess::kill()
{
    if (!isRunning())
        return;
    process.kill();
    process.waitForFinished(5000);
}

bool GameProcess::exitedNormally() const
{
    return everStarted && process.state() == QProcess::NotRunning &&
           process.exitStatus() == QProcess::NormalExit;
}
