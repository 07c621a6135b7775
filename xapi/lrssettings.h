#pragma once

#include <QString>

class QSettings;

// What an institution sets for its learning records, in the game's settings
// file (~/.config/curavant/curavant.ini, group [xapi]): the LRS the game
// sends to, the credentials file, an extra CA file, the base of the
// activity IRIs and the home page of the learners' accounts. curavant-sim
// reads the same file; its command line names the LRS and the files itself.
struct LrsSettings {
    QString endpoint;        // empty: the game sends nothing
    QString credentialsPath; // KEY:SECRET; CURAVANT_LRS_CREDENTIALS names it too
    QString caFile;          // empty: the system's certificates only
    QString activityBase = QStringLiteral("https://curavant.invalid/xapi/");
    QString homePage = QStringLiteral("https://curavant.invalid/");
    QString learner; // the account's name

    // Called by the game's window as it is built and by curavant-sim before
    // it makes statements: the settings file's values over the defaults, the
    // learner from CURAVANT_LEARNER, else the login name.
    static LrsSettings load();
    static LrsSettings load(QSettings &settings);

    // An empty string, or one line saying which value is wrong.
    QString check() const;
};
