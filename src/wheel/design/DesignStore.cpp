#include "wheel/design/DesignStore.h"

#include "platform/AppError.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace quorbel {

DesignStore::DesignStore(QString folder)
    : m_folder(std::move(folder))
{
}

QString DesignStore::fileFor(const FormulaKey &key) const
{
    return QDir(m_folder).filePath(QStringLiteral("n%1t%2.txt").arg(key.selection, 2, 10, QLatin1Char('0')).arg(key.guarantee));
}

bool DesignStore::load(const FormulaKey &key, std::vector<SubsetMask> &rows) const
{
    const QString path = fileFor(key);
    if (!QFile::exists(path))
        return false;
    rows.clear();
    const QStringList lines = LoadTextLines(path);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        std::vector<int> positions;
        for (const QString &field : lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int p = field.toInt(&ok);
            if (!ok || p < 1 || p > key.selection)
                throw AppError(QStringLiteral("%1, line %2: \"%3\" is not a position from 1 to %4")
                                   .arg(path).arg(i + 1).arg(field).arg(key.selection));
            positions.push_back(p);
        }
        const SubsetMask mask = PositionsToMask(positions);
        if (PopCount(mask) != key.drawSize || static_cast<int>(positions.size()) != key.drawSize)
            throw AppError(QStringLiteral("%1, line %2: a row needs %3 distinct positions").arg(path).arg(i + 1).arg(key.drawSize));
        rows.push_back(mask);
    }
    return true;
}

bool DesignStore::keepIfSmaller(const WheelDesign &design) const
{
    std::vector<SubsetMask> stored;
    if (load(design.key, stored) && stored.size() <= design.rows.size())
        return false;
    QDir().mkpath(m_folder);
    QSaveFile file(fileFor(design.key));
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Cannot create file \"%1\". %2").arg(file.fileName(), file.errorString()));
    QByteArray text;
    for (SubsetMask row : SortedRows(design.rows)) {
        QByteArrayList fields;
        for (int p : MaskToPositions(row))
            fields << QByteArray::number(p);
        text += fields.join(' ') + '\n';
    }
    if (file.write(text) != text.size() || !file.commit())
        throw AppError(QStringLiteral("Cannot write file \"%1\". %2").arg(file.fileName(), file.errorString()));
    return true;
}

} // namespace quorbel
