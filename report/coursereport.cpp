#include "coursereport.h"

#include "gamepage.h"
#include "pdfdatedevice.h"
#include "reportsheet.h"
#include "textlines.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QUuid>
#include <QtGlobal>
#include <algorithm>

CourseReport::CourseReport(std::vector<std::string> folders) : folders(std::move(folders)) {}

std::string CourseReport::read()
{
    std::vector<GameRecord> records;
    const std::string problem = findRecords(folders, records);
    if (!problem.empty())
        return problem;
    if (records.empty())
        return "no recorded game (curavant-*.csv) in " +
               printableName(folders.size() == 1 ? folders[0] : "the folders given");
    for (const GameRecord &record : records) {
        ReportEntry entry{record, std::nullopt, {}, {}, std::nullopt};
        Course course;
        std::vector<Treatment> treatments;
        if (!record.started.isValid())
            entry.problem = "not named as the game names a record (curavant-YYYYMMDD-HHMMSS)";
        else
            entry.problem = loadRecord(record, course, treatments);
        if (entry.problem.empty()) {
            entry.scenario = readRecordScenario(record.table);
            entry.summary.emplace(course, treatments, entry.scenario.bleedingAtStart());
            if (entry.scenario.rubric())
                entry.verdict = judge(*entry.scenario.scenario, course, treatments);
        }
        entries.push_back(std::move(entry));
    }
    return {};
}

QString CourseReport::subheading() const
{
    const auto read = std::count_if(entries.begin(), entries.end(),
                                    [](const ReportEntry &e) { return bool(e.summary); });
    QStringList names;
    for (const std::string &folder : folders)
        names << QString::fromStdString(printableName(folder));
    return QStringLiteral("%1 games recorded in %2")
        .arg(read)
        .arg(names.join(QStringLiteral(", ")));
}

QString CourseReport::write(QSaveFile &file) const
{
    // The newest record's time stands for the report's; a course of records
    // named otherwise gets a fixed one.
    QDateTime newest(QDate(2000, 1, 1), QTime(0, 0));
    for (const ReportEntry &entry : entries)
        if (entry.record.started.isValid())
            newest = std::max(newest, entry.record.started);
    PdfDateDevice device(file, newest);
    QPdfWriter writer(&device);
    writer.setCreator(QStringLiteral("curavant-sim"));
    writer.setTitle(QStringLiteral("Curavant course report"));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    writer.setDocumentId(QUuid::createUuidV5(QUuid(), subheading() + newest.toString(Qt::ISODate)));
#endif
    writer.setResolution(96);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    ReportSheet sheet(writer);
    CoursePages(entries, subheading()).draw(sheet);
    const int count = static_cast<int>(std::count_if(
        entries.begin(), entries.end(), [](const ReportEntry &e) { return bool(e.summary); }));
    int number = 0;
    for (const ReportEntry &entry : entries)
        if (entry.summary)
            GamePage(entry, ++number, count).draw(sheet);
    const bool ended = sheet.end();
    device.close();
    if (!ended)
        return QStringLiteral("the PDF could not be finished");
    return file.commit() ? QString() : file.errorString();
}
