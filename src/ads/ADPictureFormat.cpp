#include "ads/ADPictureFormat.h"

namespace quorbel {

QByteArray ADPictureFormat(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    if (dot < 0 || dot < slash)
        return QByteArray();
    const QString extension = fileName.mid(dot + 1).toLower();
    if (extension == QLatin1String("jpg") || extension == QLatin1String("jpeg"))
        return QByteArrayLiteral("jpeg");
    for (const char *format : {"bmp", "ico", "gif", "wmf", "emf"}) {
        if (extension == QLatin1String(format))
            return QByteArray(format);
    }
    return QByteArray();
}

} // namespace quorbel
