#pragma once

#include <QJsonArray>
#include <QProcess>

// The test LRS of tools/lrs/lrsserver.py on a loopback port chosen at
// construction, so that a test can send to it before it is up.
class LrsProcess
{
  public:
    LrsProcess();
    ~LrsProcess();

    // Waits until it answers.
    bool start();
    QString endpoint() const { return QString("http://127.0.0.1:%1/xAPI/").arg(port); }
    // What it stores for a game's registration (up to 500 statements).
    QJsonArray statements(const QString &registration) const;

  private:
    quint16 port = 0;
    QProcess server;
};
