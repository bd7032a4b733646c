#include "platform/TextFile.h"

#include "platform/AppError.h"
#include "platform/Cp936.h"

#include <QFile>

namespace quorbel {

QByteArray ReadFileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    return bytes;
}

QStringList SplitTextLines(const QByteArray &bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    const QString text = DecodeCp936(nul < 0 ? bytes : bytes.left(nul));

    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList LoadTextLines(const QString &path)
{
    return SplitTextLines(ReadFileBytes(path));
}

} // namespace quorbel
