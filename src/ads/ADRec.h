#pragma once

#include <QString>
#include <QVector>

namespace quorbel {

// One advertisement entry of the list: 1 text link, 2 picture, 3 home-page text.
struct TADRec
{
    qint32 Kind = 0;
    QString Caption;
    QString PicFile;
    QString PicURL;
    QString Hint;
    QString Target;
};

using TADList = QVector<TADRec>;

} // namespace quorbel
