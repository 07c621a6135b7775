#include "ekg_tree.h"

#include <QDir>
#include <QFile>
#include <QPixmap>

namespace
{

constexpr int stripWidth = 150;
constexpr int stripHeight = 50;

// Restores the working directory however the construction ends.
class WorkingDirectory
{
  public:
    explicit WorkingDirectory(const QString &path) : previous(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(previous); }

  private:
    QString previous;
};

} // namespace

EkgTree::EkgTree()
{
    QDir dir(root.path());
    dir.mkpath(QStringLiteral("data"));
    dir.mkpath(QStringLiteral("build"));
}

void EkgTree::writeImage(const QString &name, const QImage &image)
{
    ASSERT_TRUE(image.save(root.filePath(QStringLiteral("data/") + name), "BMP"));
}

void EkgTree::writeBytes(const QString &name, const QByteArray &bytes)
{
    QFile file(root.filePath(QStringLiteral("data/") + name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

bool EkgTree::copyRepositoryFile(const QString &name)
{
    const QString source = QStringLiteral(CURAVANT_SOURCE_DIR "/data/") + name;
    return QFile::exists(source) &&
           QFile::copy(source, root.filePath(QStringLiteral("data/") + name));
}

QImage EkgTree::load(const QString &name) const
{
    return QImage(root.filePath(QStringLiteral("data/") + name));
}

std::unique_ptr<Monitor> EkgTree::makeMonitor() const
{
    const WorkingDirectory inBuild(root.filePath(QStringLiteral("build")));
    return std::make_unique<Monitor>();
}

QImage patternImage(int width, int height, int base)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 3) % 256, (y * 4 + 7) % 256, base));
    return image;
}

QImage expectedStrip(const std::vector<Piece> &pieces)
{
    int total = 0;
    for (const Piece &piece : pieces)
        total += piece.count;
    QImage strip(stripWidth, stripHeight, QImage::Format_RGB32);
    strip.fill(Qt::black);
    int column = stripWidth - total; // where the first piece would start
    for (const Piece &piece : pieces) {
        const QImage source = piece.image->convertToFormat(QImage::Format_RGB32);
        for (int i = 0; i < piece.count; ++i, ++column) {
            const int x = piece.firstColumn + i;
            if (column < 0 || x >= source.width())
                continue;
            for (int y = 0; y < stripHeight && y < source.height(); ++y)
                strip.setPixel(column, y, source.pixel(x, y));
        }
    }
    return strip;
}

::testing::AssertionResult sameImage(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure()
               << "size " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != e.pixel(x, y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << a.pixel(x, y)
                       << ", expected " << e.pixel(x, y);
    return ::testing::AssertionSuccess();
}
