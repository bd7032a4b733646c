#include "wheel/BetFile.h"

#include "platform/AppError.h"
#include "platform/Cp936.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace quorbel {

QByteArray BetFileBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += EncodeCp936(line);
        bytes += "\r\n";
    }
    return bytes;
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
