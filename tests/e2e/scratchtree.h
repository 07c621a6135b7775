#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A throw-away folder laid out like a checkout: build/ is where the game
// runs, data/ beside it a private copy of the repository's data, so that a
// test can remove, empty or break single files without touching the real
// ones. Paths given to the editing calls are relative to data/.
class ScratchTree
{
  public:
    ScratchTree();
    ScratchTree(const ScratchTree &) = delete;
    ScratchTree &operator=(const ScratchTree &) = delete;

    bool isValid() const { return valid; }
    QString root() const { return folder.path(); }
    QString buildDir() const { return folder.filePath(QStringLiteral("build")); }
    QString dataPath(const QString &relative) const;

    // Each returns false when the file system refused.
    bool remove(const QString &relative);
    bool write(const QString &relative, const QByteArray &bytes);
    bool truncate(const QString &relative, double fraction);
    bool fillWithNoise(const QString &relative, int bytes);
    // Replaces every occurrence of `from` in a text file; false when none.
    bool replace(const QString &relative, const QByteArray &from, const QByteArray &to);
    // Drops every line that contains `marker`; false when none.
    bool dropLines(const QString &relative, const QByteArray &marker);
    QByteArray read(const QString &relative) const;

  private:
    QTemporaryDir folder;
    bool valid = false;
};
