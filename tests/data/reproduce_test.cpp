// curavant-datagen, run afresh, must write byte for byte the data files that
// are committed: the files are reproducible, and nobody edited them by hand.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(root).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

TEST(Generator, RewritesTheCommittedFilesByteForByte)
{
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // In a sanitizer build the leak checker would fail the run over the few
    // objects that Qt's offscreen platform never frees.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    generator.setProcessEnvironment(environment);
    generator.start(QStringLiteral(DATAGEN_PATH), {out.path()});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0);

    const QStringList written = filesUnder(out.path());
    EXPECT_EQ(written.size(), 17);
    for (const QString &file : written) {
        SCOPED_TRACE(file.toStdString());
        const QString committed = QStringLiteral("../data/") + file;
        ASSERT_TRUE(QFile::exists(committed)) << "generated but not committed";
        EXPECT_TRUE(contents(out.filePath(file)) == contents(committed))
            << "differs from the committed file: run tools/make-data.sh";
    }
}

TEST(Generator, RefusesToRunWithoutAnOutputFolder)
{
    QProcess generator;
    generator.setProcessChannelMode(QProcess::MergedChannels);
    generator.start(QStringLiteral(DATAGEN_PATH), QStringList());
    ASSERT_TRUE(generator.waitForFinished(120000));
    EXPECT_EQ(generator.exitCode(), 2);
    EXPECT_TRUE(generator.readAll().contains("usage"));
}
