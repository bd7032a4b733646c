#include "platform/Cp936.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quorbel {

QString DecodeCp936(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

QByteArray EncodeCp936(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

} // namespace quorbel
