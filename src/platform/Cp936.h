#pragma once

#include <QByteArray>
#include <QString>

namespace quorbel {

// Text files of the program (formulas, advertisement lists, saved bets) are in
// code page 936 (GBK). Bytes that do not decode become U+FFFD.
QString DecodeCp936(const QByteArray &bytes);
QByteArray EncodeCp936(const QString &text);

} // namespace quorbel
