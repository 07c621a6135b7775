#include "scenariomenu.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace
{
// How a file is known when comparing: the same file by any path is one.
QString identity(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}
} // namespace

ScenarioMenu::ScenarioMenu(const ScenarioFile &inUse, QWidget *window)
    : QMenu(tr("Szenario"), window), group(new QActionGroup(this))
{
    group->setExclusive(true);
    QList<Entry> entries{{QString(), shownTitle(Scenario().title)}};
    entries += installed();
    const QString given = QFile::decodeName(QByteArray::fromStdString(inUse.path));
    const bool listed =
        given.isEmpty() || std::any_of(entries.begin(), entries.end(), [&](const Entry &entry) {
            return !entry.path.isEmpty() && identity(entry.path) == identity(given);
        });
    if (!listed)
        entries.append({given, shownTitle(inUse.scenario.title)});
    addEntries(entries, given.isEmpty() ? QString() : identity(given));
    connect(group, &QActionGroup::triggered, this, &ScenarioMenu::choose);
}

QStringList ScenarioMenu::folders()
{
    QStringList found;
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::AppDataLocation))
        found << QDir(data).filePath(QStringLiteral("scenarios"));
    found << QDir::cleanPath(QDir::current().absoluteFilePath(QStringLiteral("../data/scenarios")));
    return found;
}

QString ScenarioMenu::shownTitle(const std::string &title)
{
    static const QRegularExpression gap(QStringLiteral("\\s{2,}"));
    return QString::fromStdString(title)
        .trimmed()
        .replace(gap, QStringLiteral(" \u2013 "))
        .simplified();
}

// Each folder's files by name; the first folder with a name wins.
QList<ScenarioMenu::Entry> ScenarioMenu::installed()
{
    QList<Entry> entries;
    QSet<QString> names;
    for (const QString &folder : folders()) {
        const QFileInfoList files = QDir(folder).entryInfoList(
            {QStringLiteral("*.toml")}, QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo &file : files) {
            if (names.contains(file.fileName()))
                continue;
            names.insert(file.fileName());
            ScenarioFile read;
            const bool good =
                loadScenarioFile(QFile::encodeName(file.filePath()).toStdString(), read).empty();
            entries.append({file.filePath(), good ? shownTitle(read.scenario.title) : QString()});
        }
    }
    return entries;
}

// Titles read as the entries; a title shared with another entry, or none,
// is told apart by the file's name, and the built-in fracture says so.
void ScenarioMenu::addEntries(const QList<Entry> &entries, const QString &inUse)
{
    QHash<QString, int> uses;
    for (const Entry &entry : entries)
        ++uses[entry.title];
    for (const Entry &entry : entries) {
        QString text = entry.title;
        if (entry.path.isEmpty())
            text += tr(" (eingebaut)");
        else if (text.isEmpty())
            text = QFileInfo(entry.path).fileName();
        else if (uses[entry.title] > 1)
            text += QStringLiteral(" (%1)").arg(QFileInfo(entry.path).fileName());
        QAction *action = addAction(text);
        action->setCheckable(true);
        action->setData(entry.path);
        group->addAction(action);
        const bool used = entry.path.isEmpty() ? inUse.isEmpty()
                                               : !inUse.isEmpty() && identity(entry.path) == inUse;
        if (used && !inUseAction) {
            inUseAction = action;
            action->setChecked(true);
        }
        if (entry.path.isEmpty())
            addSeparator();
    }
}

// Called when an entry is chosen; the group has already moved the check mark.
// One entry is always the one in use: the built-in fracture or the file the
// game was given.
void ScenarioMenu::choose(QAction *action)
{
    const QString path = action->data().toString();
    ScenarioFile file;
    if (!path.isEmpty()) {
        const std::string problem = loadScenarioFile(QFile::encodeName(path).toStdString(), file);
        if (!problem.empty()) {
            inUseAction->setChecked(true);
            QMessageBox::warning(parentWidget(), tr("Szenario"), QString::fromStdString(problem));
            return;
        }
    }
    inUseAction = action;
    emit chosen(file);
}
