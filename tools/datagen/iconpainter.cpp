#include "iconpainter.h"

#include "artkit.h"
#include "instrumentart.h"
#include "medicineart.h"

#include <QPainter>

namespace
{

constexpr int bandTop = 76;

} // namespace

const std::vector<IconPainter::Tool> &IconPainter::tools()
{
    static const std::vector<Tool> list = {
        {QStringLiteral("schmerzmittel.bmp"), QStringLiteral("Schmerzmittel"),
         MedicineArt::painkiller},
        {QStringLiteral("antidurchfall.bmp"), QStringLiteral("Antidurchfallmittel"),
         MedicineArt::antidiarrhoeal},
        {QStringLiteral("antibrechmittel.bmp"), QStringLiteral("Antibrechmittel"),
         MedicineArt::antiemetic},
        {QStringLiteral("paracetamol.bmp"), QStringLiteral("Paracetamol"),
         MedicineArt::paracetamol},
        {QStringLiteral("blutdrucksenker.bmp"), QStringLiteral("Blutdrucksenker"),
         MedicineArt::antihypertensive},
        {QStringLiteral("pflaster.bmp"), QStringLiteral("Pflaster"), InstrumentArt::plaster},
        {QStringLiteral("druckverband.bmp"), QStringLiteral("Druckverband"),
         InstrumentArt::pressureBandage},
        {QStringLiteral("naehen.bmp"), QStringLiteral("Nadel"), InstrumentArt::sutureNeedle},
        {QStringLiteral("reinigen.bmp"), QStringLiteral("Reinigen"), InstrumentArt::cleaning},
        {QStringLiteral("o2.bmp"), QStringLiteral("O2"), InstrumentArt::oxygen},
        {QStringLiteral("defi.bmp"), QStringLiteral("Defi"), InstrumentArt::defibrillator},
    };
    return list;
}

QImage IconPainter::paint(const Tool &tool) const
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawCard(painter);
    painter.save();
    painter.translate(4, 4);
    painter.setClipRect(QRectF(0, 0, width - 8, bandTop - 4));
    tool.draw(painter);
    painter.restore();
    drawLabel(painter, tool.label);
    return image;
}

void IconPainter::drawCard(QPainter &painter) const
{
    QLinearGradient background(0, 0, 0, bandTop);
    background.setColorAt(0.0, QColor(255, 255, 255));
    background.setColorAt(1.0, QColor(214, 229, 236));
    painter.fillRect(QRect(0, 0, width, height), background);
}

void IconPainter::drawLabel(QPainter &painter, const QString &label) const
{
    const QRectF band(0, bandTop, width, height - bandTop);
    QLinearGradient shade(0, band.top(), 0, band.bottom());
    shade.setColorAt(0.0, ArtKit::teal.lighter(118));
    shade.setColorAt(1.0, ArtKit::teal.darker(110));
    painter.fillRect(band, shade);
    painter.setPen(ArtKit::white);
    // The longest name, "Antidurchfallmittel", sets the size for all.
    painter.setFont(ArtKit::font(13, true));
    ArtKit::text(painter, band.adjusted(2, 0, -2, 0), Qt::AlignCenter, label);
    // The frame is drawn last so that it also borders the band.
    painter.setPen(QPen(ArtKit::teal.darker(130), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1, 1, width - 2, height - 2));
}
