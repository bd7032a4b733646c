#include "ads/ADServer.h"

#include <QtGlobal>

#ifndef QUORBEL_AD_SERVER_DEFAULT
#define QUORBEL_AD_SERVER_DEFAULT "http://ads.quorbel.example"
#endif

namespace quorbel {

QString ADListURL()
{
    QString base = qEnvironmentVariable("QUORBEL_AD_SERVER");
    if (base.isEmpty())
        base = QStringLiteral(QUORBEL_AD_SERVER_DEFAULT);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + QStringLiteral("/AD/AD002.txt");
}

bool IsHttpURL(const QString &url)
{
    return url.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || url.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

} // namespace quorbel
