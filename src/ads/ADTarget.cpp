#include "ads/ADTarget.h"

#include <QUrl>

namespace quorbel {

QString TrimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

bool IsWebTarget(const QString &target)
{
    const QUrl url(target, QUrl::StrictMode);
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme(); // QUrl gives it in lower case
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return false;
}

QString TargetExtension(const QString &target)
{
    for (qsizetype i = target.size() - 1; i >= 0; --i) {
        const QChar c = target.at(i);
        if (c == QLatin1Char('.'))
            return target.mid(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(':'))
            break;
    }
    return QString();
}

bool WantsHtmProgramChooser(const QString &target)
{
    return TargetExtension(target).toUpper() == QLatin1String(".HTM");
}

} // namespace quorbel
