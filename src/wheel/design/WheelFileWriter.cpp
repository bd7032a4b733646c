#include "wheel/design/WheelFileWriter.h"

#include "platform/AppError.h"
#include "platform/Cp936.h"

#include <QSaveFile>
#include <QStringList>

namespace quorbel {

QByteArray FormatWheelFile(const TGSList &formulas)
{
    QString text;
    for (const TSortivo_GS &formula : formulas) {
        text += QStringLiteral("[%1/%2/%3/%4/%5/%6]\r\n")
                    .arg(formula.Name)
                    .arg(formula.Value1)
                    .arg(formula.BetSize)
                    .arg(formula.Value3)
                    .arg(formula.Rows.size())
                    .arg(formula.FullCount);
        for (const QVector<qint32> &row : formula.Rows) {
            QStringList fields;
            for (qint32 position : row)
                fields << QString::number(position);
            text += fields.join(QLatin1Char(' ')) + QStringLiteral("\r\n");
        }
    }
    return EncodeCp936(text);
}

void WriteWheelFile(const QString &path, const TGSList &formulas)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    const QByteArray bytes = FormatWheelFile(formulas);
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString()));
}

} // namespace quorbel
