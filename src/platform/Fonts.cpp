#include "platform/Fonts.h"

#include <QStringList>

namespace quorbel {

namespace {
const QStringList &songFamilies()
{
    static const QStringList families{QStringLiteral("宋体"), QStringLiteral("SimSun"),
                                      QStringLiteral("Noto Serif CJK SC")};
    return families;
}
} // namespace

QFont SongFont(qreal pointSize)
{
    QFont font;
    font.setFamilies(songFamilies());
    font.setPointSizeF(pointSize);
    return font;
}

QFont SongFontPixels(int pixelHeight)
{
    QFont font;
    font.setFamilies(songFamilies());
    font.setPixelSize(pixelHeight);
    return font;
}

QFont PixelFont(const QString &family, int pixelHeight, bool bold)
{
    QFont font;
    QStringList families{family};
    if (family == QLatin1String("Arial"))
        families << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans");
    else if (family == QLatin1String("Tahoma"))
        families << QStringLiteral("DejaVu Sans");
    families << songFamilies();
    font.setFamilies(families);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace quorbel
