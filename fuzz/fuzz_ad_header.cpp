// The header line of the cache: version, interval and download time.
#include "FuzzInput.h"
#include "ads/ADFreshness.h"
#include "ads/ADListFile.h"
#include "platform/Cp936.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QString line = quorbel::DecodeCp936(fuzz::bytes(data + 1, size - 1));
    const quorbel::TADHeader header = quorbel::ParseADHeader(line, fuzz::localeFor(data[0]));
    (void)quorbel::IsADListFresh(header, QDateTime(QDate(2026, 12, 11), QTime(12, 0)));
    return 0;
}
