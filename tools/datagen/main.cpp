// curavant-datagen OUTPUT_DIR: writes the game's pictures and sounds into
// OUTPUT_DIR (normally the repository's data/), the same bytes on every run.

#include "ecgpainter.h"
#include "iconpainter.h"
#include "logopainter.h"
#include "soundsynth.h"
#include "wavwriter.h"

#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

namespace
{

bool save(QImage image, const QString &path, const char *format)
{
    // 100 dots per inch in the files' headers, whatever Qt takes by default.
    image.setDotsPerMeterX(3937);
    image.setDotsPerMeterY(3937);
    if (!image.save(path, format)) {
        std::fprintf(stderr, "curavant-datagen: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool saveSound(const std::vector<double> &samples, const QString &path)
{
    if (!WavWriter(SoundSynth::sampleRate).write(path.toStdString(), samples)) {
        std::fprintf(stderr, "curavant-datagen: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// A stand-in font would change every label; better to stop than to write
// pictures that differ from the committed ones.
bool fontsPresent()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    if (QFontInfo(font).family() != QLatin1String("DejaVu Sans")) {
        std::fprintf(stderr, "curavant-datagen: the font DejaVu Sans is not installed\n");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: curavant-datagen OUTPUT_DIR\n");
        return 2;
    }
    // Drawing needs no screen, and offscreen rendering is the same everywhere.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("Icons")) || !out.mkpath(QStringLiteral("Sound"))) {
        std::fprintf(stderr, "curavant-datagen: cannot create folders in %s\n", argv[1]);
        return 1;
    }
    if (!fontsPresent())
        return 1;

    bool ok = true;
    const IconPainter icons;
    for (const IconPainter::Tool &tool : IconPainter::tools())
        ok &= save(icons.paint(tool), out.filePath(QStringLiteral("Icons/") + tool.file), "BMP");
    ok &= save(LogoPainter().paint(), out.filePath(QStringLiteral("logo.png")), "PNG");
    const EcgPainter ecg;
    ok &= save(ecg.sinusRhythm(), out.filePath(QStringLiteral("ekg1.bmp")), "BMP");
    ok &= save(ecg.ventricularFibrillation(), out.filePath(QStringLiteral("ekg2.bmp")), "BMP");
    const SoundSynth synth;
    ok &= saveSound(synth.beep(), out.filePath(QStringLiteral("Sound/beep.wav")));
    ok &= saveSound(synth.alarm(), out.filePath(QStringLiteral("Sound/alarm.wav")));
    ok &= saveSound(synth.ambience(), out.filePath(QStringLiteral("Sound/atmosphere2.wav")));
    return ok ? 0 : 1;
}
