// The cached advertisement list ("Sup/Ad.his") is a file anyone can edit.
#include "FuzzInput.h"
#include "ads/ADListFile.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QLocale locale = fuzz::localeFor(data[0]);
    const QStringList lines = quorbel::SplitTextLines(fuzz::bytes(data + 1, size - 1));
    const quorbel::TADHeader header = quorbel::ParseADHeader(lines.value(0), locale);
    if (header.Version.contains(QLatin1Char('|')))
        fuzz::failed();
    const quorbel::TADList entries = quorbel::ParseADEntries(lines);
    if (entries.size() > lines.size())
        fuzz::failed();
    return 0;
}
