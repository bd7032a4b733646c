// The download time of the cache header, read in the user's locale.
#include "FuzzInput.h"
#include "ads/ADDownloadTime.h"
#include "platform/Cp936.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QLocale locale = fuzz::localeFor(data[0]);
    const QString text = quorbel::DecodeCp936(fuzz::bytes(data + 1, size - 1));
    const QDateTime time = quorbel::ParseDownloadTime(text, locale, 2026);
    if (time.isValid()) {
        // Whatever reads must survive a round trip through the writer.
        const QDateTime again = quorbel::ParseDownloadTime(quorbel::FormatDownloadTime(time, locale), locale, 2026);
        if (!again.isValid())
            fuzz::failed();
    }
    return 0;
}
