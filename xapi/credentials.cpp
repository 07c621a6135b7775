#include "credentials.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

QString Credentials::read(const QString &path)
{
    const QString name = QStringLiteral("the credentials file %1").arg(path);
    if (path.isEmpty())
        return QStringLiteral("no credentials file: name one with --credentials FILE or "
                              "CURAVANT_LRS_CREDENTIALS");
    QFile file(path);
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) // a pipe would block the open
        return name + QStringLiteral(": not a regular file");
    if (!file.open(QIODevice::ReadOnly))
        return name + QStringLiteral(": ") + file.errorString();
    struct stat status = {};
    if (fstat(file.handle(), &status) != 0 || !S_ISREG(status.st_mode))
        return name + QStringLiteral(": not a regular file");
    if (status.st_mode & (S_IRGRP | S_IROTH))
        return name + QStringLiteral(": others can read it; make it yours alone (chmod 600)");
    QByteArray line = file.read(4096);
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    const int colon = line.indexOf(':');
    if (colon <= 0 || colon == line.size() - 1 || line.contains('\n'))
        return name + QStringLiteral(": must hold one line KEY:SECRET");
    header = "Basic " + line.toBase64();
    line.fill('\0');
    return {};
}
