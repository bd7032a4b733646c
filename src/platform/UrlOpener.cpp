#include "platform/UrlOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace quorbel {

namespace {
UrlOpener::Opener &openerSlot()
{
    static UrlOpener::Opener opener;
    return opener;
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

} // namespace quorbel
