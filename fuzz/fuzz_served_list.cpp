// The list as the server sends it: checked, then turned into the cache form.
// Whatever is accepted must read back from the cache as the same entries.
#include "FuzzInput.h"
#include "ads/ADListFile.h"
#include "platform/Cp936.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QLocale locale = fuzz::localeFor(data[0]);
    const QStringList served = quorbel::SplitTextLines(fuzz::bytes(data + 1, size - 1));
    if (!quorbel::IsValidServedList(served))
        return 0;
    const QString version = quorbel::ServedListVersion(served);
    const QDateTime now(QDate(2026, 12, 11), QTime(9, 30, 15));
    const QStringList cache = quorbel::ServedListToCache(served, now, locale);
    const QStringList reread = quorbel::SplitTextLines(quorbel::EncodeTextLines(cache));
    const quorbel::TADHeader header = quorbel::ParseADHeader(reread.value(0), locale);
    // Bytes that are not code page 936 are stored as the encoder writes them.
    if (header.Version != quorbel::DecodeCp936(quorbel::EncodeCp936(version)))
        fuzz::failed();
    const quorbel::TADList fromCache = quorbel::ParseADEntries(reread);
    const quorbel::TADList fromServed = quorbel::ParseADEntries(served.mid(0, served.size() - 1));
    if (fromCache.size() != fromServed.size())
        fuzz::failed();
    return 0;
}
