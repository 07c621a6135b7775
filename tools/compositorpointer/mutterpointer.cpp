#include "mutterpointer.h"

#include <QDBusReply>

namespace
{
const char *const service = "org.gnome.Mutter.RemoteDesktop";
} // namespace

MutterPointer::MutterPointer()
{
    QDBusInterface desktop(service, "/org/gnome/Mutter/RemoteDesktop", service);
    const QDBusReply<QDBusObjectPath> path = desktop.call(QStringLiteral("CreateSession"));
    if (!path.isValid())
        return;
    session = std::make_unique<QDBusInterface>(service, path.value().path(),
                                               QStringLiteral("%1.Session").arg(service));
    if (!call("Start"))
        session.reset();
}

MutterPointer::~MutterPointer()
{
    if (session)
        call("Stop");
}

bool MutterPointer::call(const char *method, const QVariantList &arguments)
{
    return session->callWithArgumentList(QDBus::Block, QLatin1String(method), arguments).type() ==
           QDBusMessage::ReplyMessage;
}

bool MutterPointer::move(double dx, double dy)
{
    return call("NotifyPointerMotionRelative", {dx, dy});
}

bool MutterPointer::button(bool pressed)
{
    return call("NotifyPointerButton", {leftButton, pressed});
}
