#pragma once

#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>

// The test LRS, Learning Locker's statement service that tools/setup.sh
// installs, run in memory on a loopback port chosen at construction, so that
// a test can send to it before it is up. It takes any Basic credentials.
class LrsProcess
{
  public:
    LrsProcess();
    ~LrsProcess();
    LrsProcess(const LrsProcess &) = delete;
    LrsProcess &operator=(const LrsProcess &) = delete;

    // Waits until it answers.
    bool start();
    QString endpoint() const;
    // What it stores for a game's registration (up to 500 statements).
    QJsonArray statements(const QString &registration);

  private:
    QByteArray get(const QString &resource, int &status);

    quint16 port = 0;
    QTemporaryDir folder;
    QProcess node;
};
