#pragma once

#include "monitor.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A throw-away game tree: build/ beside data/, so that a monitor constructed
// from build/ reads its ECG images from data/, which the test fills itself.
class EkgTree
{
  public:
    EkgTree();

    void writeImage(const QString &name, const QImage &image);
    void writeBytes(const QString &name, const QByteArray &bytes);
    // Copies a file of the repository's data directory; false if it is absent.
    bool copyRepositoryFile(const QString &name);
    // The picture the file holds as the test reads it itself (null if none).
    QImage load(const QString &name) const;
    // Constructs a monitor with build/ as the working directory.
    std::unique_ptr<Monitor> makeMonitor() const;

  private:
    QTemporaryDir root;
};

// An image whose every pixel is distinct in its column and row, so that any
// shift or mix-up of columns shows; base tells two images apart.
QImage patternImage(int width, int height, int base);

// A run of columns of one source image, as it should appear on the strip.
struct Piece {
    const QImage *image;
    int firstColumn;
    int count;
};

// The 150 x 50 strip expected to show the last 150 columns of the pieces laid
// side by side. Columns and rows a source does not hold stay black.
QImage expectedStrip(const std::vector<Piece> &pieces);

// Pixel-exact comparison that names the first differing pixel.
::testing::AssertionResult sameImage(const QImage &actual, const QImage &expected);
