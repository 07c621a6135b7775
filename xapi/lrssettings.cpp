#include "lrssettings.h"

#include <QSettings>
#include <QUrl>
#include <pwd.h>
#include <unistd.h>

namespace
{

QString loginName()
{
    if (const passwd *entry = getpwuid(getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

// An IRI of its own kind: absolute, with a host, without user or password.
bool isWebAddress(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() &&
           (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http")) &&
           !url.host().isEmpty() && url.userInfo().isEmpty();
}

} // namespace

LrsSettings LrsSettings::load()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("curavant"),
                       QStringLiteral("curavant"));
    return load(settings);
}

LrsSettings LrsSettings::load(QSettings &settings)
{
    LrsSettings lrs;
    settings.beginGroup(QStringLiteral("xapi"));
    lrs.endpoint = settings.value(QStringLiteral("endpoint")).toString();
    lrs.credentialsPath = settings.value(QStringLiteral("credentials")).toString();
    lrs.caFile = settings.value(QStringLiteral("caFile")).toString();
    lrs.activityBase = settings.value(QStringLiteral("activityBase"), lrs.activityBase).toString();
    lrs.homePage = settings.value(QStringLiteral("homePage"), lrs.homePage).toString();
    settings.endGroup();
    if (!lrs.activityBase.endsWith(QLatin1Char('/')))
        lrs.activityBase += QLatin1Char('/');
    lrs.learner = qEnvironmentVariable("CURAVANT_LEARNER");
    if (lrs.learner.isEmpty())
        lrs.learner = loginName();
    return lrs;
}

QString LrsSettings::check() const
{
    if (!isWebAddress(activityBase))
        return QStringLiteral("the activity base '%1' is not an http or https address")
            .arg(activityBase);
    if (!isWebAddress(homePage))
        return QStringLiteral("the learners' home page '%1' is not an http or https address")
            .arg(homePage);
    if (learner.isEmpty())
        return QStringLiteral("no learner: set CURAVANT_LEARNER");
    return {};
}
