#include "platform/UrlOpener.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QUrl>
#include <QVariantMap>

namespace quorbel {

namespace {
UrlOpener::Opener &openerSlot()
{
    static UrlOpener::Opener opener;
    return opener;
}

UrlOpener::Chooser &chooserSlot()
{
    static UrlOpener::Chooser chooser;
    return chooser;
}

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");

bool sessionHasPortal(const QDBusConnection &bus)
{
    if (!bus.isConnected())
        return false;
    const QDBusConnectionInterface *busInterface = bus.interface();
    if (!busInterface)
        return false;
    return busInterface->isServiceRegistered(PortalService).value()
           || busInterface->activatableServiceNames().value().contains(PortalService);
}
} // namespace

bool UrlOpener::open(const QString &target)
{
    if (const Opener &opener = openerSlot())
        return opener(target);
    return QDesktopServices::openUrl(QUrl(target, QUrl::StrictMode));
}

void UrlOpener::setOpener(Opener opener)
{
    openerSlot() = std::move(opener);
}

bool UrlOpener::chooseProgram(const QString &target)
{
    if (const Chooser &chooser = chooserSlot())
        return chooser(target);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!sessionHasPortal(bus))
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(PortalService, QStringLiteral("/org/freedesktop/portal/desktop"),
                                                       QStringLiteral("org.freedesktop.portal.OpenURI"),
                                                       QStringLiteral("OpenURI"));
    call << QString() << target << QVariantMap{{QStringLiteral("ask"), true}};
    // The chooser is the portal's own window: do not wait for it.
    return bus.send(call);
}

void UrlOpener::setChooser(Chooser chooser)
{
    chooserSlot() = std::move(chooser);
}

} // namespace quorbel
