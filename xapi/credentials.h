#pragma once

#include <QByteArray>
#include <QString>

// The key and secret an LRS issued, read from a file of one line
// KEY:SECRET that only its owner may read. They go into the Authorization
// header and nowhere else: no message names more than the file's path.
class Credentials
{
  public:
    // Called by curavant-sim --send and by the game before a send. Returns
    // an empty string, or one line naming the file and what is wrong.
    QString read(const QString &path);

    // HTTP Basic authentication for each request.
    QByteArray authorization() const { return header; }

  private:
    QByteArray header;
};
