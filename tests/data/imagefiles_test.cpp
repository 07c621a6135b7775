// The pictures under data/: formats and sizes the game's loaders expect, a
// consistent look for the icons, and the ECG images' properties that the
// monitor's strip relies on.

#include <QColor>
#include <QFile>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace
{

const QString dataDir = QStringLiteral("../data/");

const QStringList iconFiles = {"schmerzmittel.bmp",
                               "antidurchfall.bmp",
                               "antibrechmittel.bmp",
                               "paracetamol.bmp",
                               "blutdrucksenker.bmp",
                               "pflaster.bmp",
                               "druckverband.bmp",
                               "naehen.bmp",
                               "reinigen.bmp",
                               "o2.bmp",
                               "defi.bmp"};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int le16(const QByteArray &b, int at)
{
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

int le32(const QByteArray &b, int at)
{
    return le16(b, at) | le16(b, at + 2) << 16;
}

// Rows of column x that belong to the bright trace, as one (top, bottom)
// band; nothing when the column has no trace or more than one band. The
// threshold lies above the trace's faint glow, also where it crosses the
// grid, and below the antialiased edge of a steep stroke.
std::optional<std::pair<int, int>> traceBand(const QImage &image, int x)
{
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QColor c = image.pixelColor(x, y);
        if (c.green() < 120 || c.green() < c.red() + 60)
            continue;
        if (top >= 0 && y != bottom + 1)
            return std::nullopt;
        if (top < 0)
            top = y;
        bottom = y;
    }
    if (top < 0)
        return std::nullopt;
    return std::make_pair(top, bottom);
}

QVector<QRgb> column(const QImage &image, int x)
{
    QVector<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        pixels << image.pixel(x, y);
    return pixels;
}

QImage ecg(const char *name)
{
    return QImage(dataDir + name);
}

} // namespace

TEST(BitmapFiles, AreUncompressed24BitWithTheSizeTheGameUses)
{
    struct Case {
        QString file;
        int width, height;
    };
    QVector<Case> cases = {{"ekg1.bmp", 60, 50}, {"ekg2.bmp", 60, 50}};
    for (const QString &icon : iconFiles)
        cases.push_back({"Icons/" + icon, 150, 100});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const QByteArray bytes = readFile(dataDir + c.file);
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(le32(bytes, 18), c.width);
        EXPECT_EQ(le32(bytes, 22), c.height); // positive: stored bottom-up
        EXPECT_EQ(le16(bytes, 28), 24);
        EXPECT_EQ(le32(bytes, 30), 0); // no compression
        const int rowBytes = (c.width * 3 + 3) / 4 * 4;
        EXPECT_EQ(bytes.size(), le32(bytes, 10) + rowBytes * c.height);
        const QImage image(dataDir + c.file);
        EXPECT_EQ(image.size(), QSize(c.width, c.height));
    }
}

TEST(ToolIcons, ShareFrameAndLabelBandButShowDifferentItems)
{
    const QImage first(dataDir + "Icons/" + iconFiles[0]);
    QSet<QByteArray> pictures;
    for (const QString &file : iconFiles) {
        SCOPED_TRACE(file.toStdString());
        const QImage icon(dataDir + "Icons/" + file);
        ASSERT_FALSE(icon.isNull());
        for (const QPoint &p : {QPoint(0, 0), QPoint(149, 99), QPoint(4, 80), QPoint(145, 96),
                                QPoint(4, 4), QPoint(145, 4)})
            EXPECT_EQ(icon.pixel(p), first.pixel(p)) << p.x() << "," << p.y();
        QSet<QRgb> colours;
        for (int y = 4; y < 76; ++y)
            for (int x = 4; x < 146; ++x)
                colours.insert(icon.pixel(x, y));
        EXPECT_GT(colours.size(), 100) << "a drawing, not a flat card";
        const QImage art = icon.copy(4, 4, 142, 72);
        pictures.insert(QByteArray(reinterpret_cast<const char *>(art.constBits()),
                                   static_cast<int>(art.sizeInBytes())));
    }
    EXPECT_EQ(pictures.size(), iconFiles.size());
}

TEST(ToolIcons, LabelsStayInsideTheFrame)
{
    for (const QString &file : iconFiles) {
        SCOPED_TRACE(file.toStdString());
        const QImage icon(dataDir + "Icons/" + file);
        int left = 150, right = -1;
        for (int y = 78; y < 98; ++y)
            for (int x = 0; x < 150; ++x)
                if (QColor(icon.pixel(x, y)).lightness() > 200) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        ASSERT_GE(right, 0) << "no label text";
        EXPECT_GE(left, 3);
        EXPECT_LE(right, 146);
        // Centred text: the margins differ by at most a couple of pixels.
        EXPECT_LE(std::abs(left - (149 - right)), 3);
    }
}

TEST(Logo, IsAn800By600PngWithoutTimeOrTextChunks)
{
    const QByteArray bytes = readFile(dataDir + "logo.png");
    ASSERT_GT(bytes.size(), 8);
    EXPECT_EQ(bytes.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    for (int at = 8; at + 8 <= bytes.size();) {
        const QByteArray type = bytes.mid(at + 4, 4);
        for (const char *dated : {"tIME", "tEXt", "zTXt", "iTXt"})
            EXPECT_NE(type, QByteArray(dated));
        const int length = (static_cast<unsigned char>(bytes[at]) << 24) |
                           (static_cast<unsigned char>(bytes[at + 1]) << 16) |
                           (static_cast<unsigned char>(bytes[at + 2]) << 8) |
                           static_cast<unsigned char>(bytes[at + 3]);
        at += 12 + length;
    }
    const QImage logo(dataDir + "logo.png");
    ASSERT_EQ(logo.size(), QSize(800, 600));
    EXPECT_FALSE(logo.hasAlphaChannel());
}

TEST(EcgImages, TraceIsUnbrokenAcrossEveryColumnAndTheWrap)
{
    for (const char *name : {"ekg1.bmp", "ekg2.bmp"}) {
        SCOPED_TRACE(name);
        const QImage image = ecg(name);
        ASSERT_EQ(image.size(), QSize(60, 50));
        EXPECT_LT(QColor(image.pixel(0, 0)).lightness(), 40) << "dark monitor screen";
        for (int x = 0; x < 60; ++x) {
            const auto here = traceBand(image, x);
            const auto next = traceBand(image, (x + 1) % 60);
            ASSERT_TRUE(here && next) << "column " << x;
            // Neighbouring bands overlap or touch: the line has no gap.
            EXPECT_LE(next->first, here->second + 1) << "column " << x;
            EXPECT_LE(here->first, next->second + 1) << "column " << x;
        }
    }
}

TEST(EcgImages, SinusBeatStartsFlatAndWrapsOnItsBaseline)
{
    const QImage image = ecg("ekg1.bmp");
    ASSERT_FALSE(image.isNull());
    // A dead patient's strip repeats these three columns over and over.
    EXPECT_EQ(column(image, 1), column(image, 0));
    EXPECT_EQ(column(image, 2), column(image, 0));
    const auto flat = traceBand(image, 0);
    ASSERT_TRUE(flat);
    EXPECT_LE(flat->second - flat->first, 1) << "one thin line";
    EXPECT_EQ(traceBand(image, 59), flat);
}

TEST(EcgImages, SinusBeatHasPWaveQrsComplexAndTWave)
{
    const QImage image = ecg("ekg1.bmp");
    const int baseline = traceBand(image, 0)->first;
    int rColumn = 0, rTop = 50, sBottom = 0;
    for (int x = 0; x < 60; ++x) {
        const auto band = traceBand(image, x);
        ASSERT_TRUE(band);
        if (band->first < rTop) {
            rTop = band->first;
            rColumn = x;
        }
        sBottom = std::max(sBottom, band->second);
    }
    EXPECT_LE(rTop, baseline - 20) << "a tall R wave";
    EXPECT_GE(sBottom, baseline + 4) << "an S wave below the baseline";
    auto highestIn = [&](int from, int to) {
        int top = 50;
        for (int x = from; x <= to; ++x)
            top = std::min(top, traceBand(image, x)->first);
        return baseline - top;
    };
    EXPECT_GE(highestIn(rColumn - 14, rColumn - 5), 2) << "P wave before the QRS";
    EXPECT_GE(highestIn(rColumn + 6, rColumn + 22), 4) << "T wave after it";
    EXPECT_LT(highestIn(rColumn - 14, rColumn - 5), highestIn(rColumn + 6, rColumn + 22));
}

TEST(EcgImages, FibrillationHasNoFlatStretch)
{
    const QImage sinus = ecg("ekg1.bmp");
    const QImage fibrillation = ecg("ekg2.bmp");
    EXPECT_NE(sinus, fibrillation);
    int longestFlat = 0, run = 0;
    for (int x = 1; x < 60; ++x) {
        run = traceBand(fibrillation, x) == traceBand(fibrillation, x - 1) ? run + 1 : 0;
        longestFlat = std::max(longestFlat, run);
    }
    EXPECT_LT(longestFlat, 4);
}
