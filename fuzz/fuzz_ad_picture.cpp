// The picture entry's rules: which names may touch the disk, which reader a
// name picks, and where the panel goes for any picture size.
#include "FuzzInput.h"
#include "ads/ADPanelLayout.h"
#include "ads/ADPicPath.h"
#include "ads/ADPictureFormat.h"
#include "platform/Cp936.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 8)
        return 0;
    qint32 width, height;
    std::memcpy(&width, data, 4);
    std::memcpy(&height, data + 4, 4);
    const QRect panel = quorbel::ADPanelGeometry(QSize(width, height), 630);
    if (panel.width() > quorbel::ADPanelMaxWidth || panel.height() > quorbel::ADPanelMaxHeight)
        fuzz::failed();

    const QString name = quorbel::DecodeCp936(fuzz::bytes(data + 8, size - 8));
    if (quorbel::IsBarePicFileName(name)) {
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
            name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.contains(QChar(0)))
            fuzz::failed();
    }
    (void)quorbel::ADPictureFormat(name);
    return 0;
}
