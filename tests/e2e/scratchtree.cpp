#include "scratchtree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdint>

namespace
{
bool copyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        const bool ok = it.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(source, target);
        if (!ok)
            return false;
    }
    return true;
}
} // namespace

ScratchTree::ScratchTree()
{
    valid = folder.isValid() && QDir().mkpath(buildDir()) &&
            copyTree(QStringLiteral(CURAVANT_DATA_DIR), folder.filePath(QStringLiteral("data")));
}

QString ScratchTree::dataPath(const QString &relative) const
{
    return folder.filePath(QStringLiteral("data/") + relative);
}

bool ScratchTree::remove(const QString &relative)
{
    const QString path = dataPath(relative);
    if (QFileInfo(path).isDir())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

bool ScratchTree::write(const QString &relative, const QByteArray &bytes)
{
    QFile file(dataPath(relative));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

bool ScratchTree::truncate(const QString &relative, double fraction)
{
    const QByteArray bytes = read(relative);
    return !bytes.isEmpty() &&
           write(relative, bytes.left(static_cast<int>(bytes.size() * fraction)));
}

bool ScratchTree::fillWithNoise(const QString &relative, int bytes)
{
    // A fixed sequence: a failing case can be run again with the same file.
    QByteArray noise(bytes, '\0');
    std::uint32_t state = 12345;
    for (char &c : noise) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    return write(relative, noise);
}

bool ScratchTree::replace(const QString &relative, const QByteArray &from, const QByteArray &to)
{
    QByteArray text = read(relative);
    if (!text.contains(from))
        return false;
    return write(relative, text.replace(from, to));
}

bool ScratchTree::dropLines(const QString &relative, const QByteArray &marker)
{
    const QList<QByteArray> lines = read(relative).split('\n');
    QByteArray kept;
    bool dropped = false;
    for (const QByteArray &line : lines) {
        if (line.contains(marker))
            dropped = true;
        else
            kept += line + '\n';
    }
    return dropped && write(relative, kept);
}

QByteArray ScratchTree::read(const QString &relative) const
{
    QFile file(dataPath(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
