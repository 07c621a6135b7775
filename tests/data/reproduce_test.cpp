// curavant-datagen, run afresh, must write the committed data files byte for
// byte, the pictures at least to within a level: they are reproducible, and
// nobody edited them by hand.

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Qt 5 and Qt 6 blend a few edge pixels one level apart; a change made by
// hand is more than that.
bool samePicture(const QString &a, const QString &b)
{
    const QImage x = QImage(a).convertToFormat(QImage::Format_ARGB32);
    const QImage y = QImage(b).convertToFormat(QImage::Format_ARGB32);
    if (x.isNull() || x.size() != y.size())
        return false;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row), q = y.pixel(column, row);
            for (int shift : {0, 8, 16, 24})
                if (std::abs(int((p >> shift) & 0xff) - int((q >> shift) & 0xff)) > 1)
                    return false;
        }
    return true;
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
        const QString committed = QStringLiteral("../data/") + file;
        EXPECT_TRUE(
            contents(out.filePath(file)) == contents(committed) ||
            (!file.endsWith(QLatin1String(".wav")) && samePicture(out.filePath(file), committed)))
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
