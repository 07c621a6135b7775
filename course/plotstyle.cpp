#include "plotstyle.h"

namespace
{

const PanelStyle panelStyles[PlotLayout::PanelCount] = {
    {"Vital signs", "beats/min, mmHg", 0, 160, nullptr, 0, 0, 5},
    {"Breathing", "breaths/min", 0, 24, "\u00b0C", 34, 38, 3},
    {"Reserves and health", "reserve, health", 0, 100, nullptr, 0, 0, 5},
    {"Score", "points", 0, 0, nullptr, 0, 0, 3},
};

} // namespace

const PanelStyle &panelStyle(PlotLayout::Panel panel)
{
    return panelStyles[panel];
}

const std::vector<SeriesStyle> &courseSeries()
{
    static const std::vector<SeriesStyle> series = {
        {"heart rate", PlotLayout::VitalSigns, false, QColor(214, 39, 40), 2.4, false,
         [](const CourseStep &s) { return double(s.heartRate); }},
        {"systolic pressure", PlotLayout::VitalSigns, false, QColor(31, 100, 180), 2.4, false,
         [](const CourseStep &s) { return double(s.systolic); }},
        {"diastolic pressure", PlotLayout::VitalSigns, false, QColor(100, 170, 230), 2.4, false,
         [](const CourseStep &s) { return double(s.diastolic); }},
        {"respiratory rate", PlotLayout::Breathing, false, QColor(44, 160, 44), 2.4, false,
         [](const CourseStep &s) { return double(s.respiratoryRate); }},
        {"temperature (right scale)", PlotLayout::Breathing, true, QColor(245, 130, 0), 2.4, false,
         [](const CourseStep &s) { return double(s.temperature); }},
        {"health", PlotLayout::Reserves, false, QColor(50, 50, 50), 3.0, false,
         [](const CourseStep &s) { return double(s.health); }},
        {"circulation reserve", PlotLayout::Reserves, false, QColor(148, 90, 200), 2.4, false,
         [](const CourseStep &s) { return double(s.circulation); }},
        {"respiration reserve", PlotLayout::Reserves, false, QColor(20, 170, 180), 2.4, false,
         [](const CourseStep &s) { return double(s.respiration); }},
        {"score", PlotLayout::Score, false, QColor(10, 60, 120), 2.4, true,
         [](const CourseStep &s) { return double(s.score); }},
    };
    return series;
}

QColor markerColor(EventKind kind)
{
    switch (kind) {
    case EventKind::Treatment: return QColor(120, 120, 120);
    case EventKind::ShockStart: return QColor(200, 20, 150);
    case EventKind::BleedingRise: return QColor(150, 20, 20);
    case EventKind::Death: return QColor(0, 0, 0);
    }
    return Qt::black;
}

QColor scaleColor(PlotLayout::Panel panel, bool rightAxis)
{
    for (const SeriesStyle &series : courseSeries())
        if (series.panel == panel && series.rightAxis == rightAxis)
            return series.color.darker(130);
    return PlotColors::ink();
}

QFont plotFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
