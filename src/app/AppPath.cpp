#include "app/AppPath.h"

#include <QCoreApplication>

namespace quorbel {

QString AppPath;

QString GetAppPathOf(const QString &executablePath)
{
    QString folder = executablePath.left(executablePath.lastIndexOf(QLatin1Char('/')) + 1);
    if (!folder.endsWith(QLatin1Char('/')))
        folder.append(QLatin1Char('/'));
    return folder;
}

QString GetAppPath()
{
    return GetAppPathOf(QCoreApplication::applicationFilePath());
}

} // namespace quorbel
