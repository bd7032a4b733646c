#include "wheel/BetFile.h"

#include "platform/AppError.h"
#include "platform/Cp936.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace quorbel {

QByteArray BetFileBytes(const QStringList &lines)
{
    // One encoder run over the whole text: code page 936 keeps no state
    // across lines.
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return EncodeCp936(text);
}

void SaveBetFile(const QString &path, const QStringList &lines)
{
    const QByteArray bytes = BetFileBytes(lines);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const QString fullPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        throw AppError(QStringLiteral("Cannot create file \"%1\". %2").arg(fullPath, file.errorString()));
    }
    // The temporary file is dropped when the write or the final rename fails.
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(QStringLiteral("Stream write error"));
}

} // namespace quorbel
