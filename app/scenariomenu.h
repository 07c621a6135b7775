#pragma once

#include "scenariofile.h"

#include <QMenu>

class QActionGroup;

// The submenu "Szenario" of "Spiel": the built-in fracture and every
// installed scenario file, the one in use checked. Installed are the *.toml
// files in the "scenarios" folders of the user's and the system's
// application data, and in the package's ../data/scenarios/; a file of the
// same name that the user installed hides the others. A file given on the
// command line that is none of these gets an entry of its own. A choice is
// read at once: a good one is passed on, a bad one is shown in a message box
// and the check mark stays where it was.
class ScenarioMenu : public QMenu
{
    Q_OBJECT

  public:
    // `inUse` is the scenario the game started with (an empty path: the
    // built-in fracture). A bad choice is shown over `window`.
    ScenarioMenu(const ScenarioFile &inUse, QWidget *window);

    // The folders searched, in order, the user's first.
    static QStringList folders();
    // A scenario's title as the menu and the game's result show it: a run of
    // spaces, which sets the title's parts apart, becomes a dash.
    static QString shownTitle(const std::string &title);

  signals:
    // A scenario that loaded, or the built-in one (an empty path).
    void chosen(const ScenarioFile &file);

  private slots:
    void choose(QAction *action);

  private:
    struct Entry {
        QString path; // empty for the built-in fracture
        QString title;
    };
    static QList<Entry> installed();
    void addEntries(const QList<Entry> &entries, const QString &inUse);

    QActionGroup *group = nullptr;
    QAction *inUseAction = nullptr;
};
