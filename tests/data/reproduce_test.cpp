// curavant-datagen, run afresh, must write the committed data files byte for
// byte: they are reproducible, and nobody edited them by hand.

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{
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

    int written = 0;
    for (QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString file = QDir(out.path()).relativeFilePath(it.next());
        SCOPED_TRACE(file.toStdString());
        EXPECT_TRUE(contents(out.filePath(file)) == contents(QStringLiteral("../data/") + file))
            << "differs from the committed file: run tools/make-data.sh";
        ++written;
    }
    EXPECT_EQ(written, 17);
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
