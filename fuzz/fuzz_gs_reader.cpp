// The formula file comes from disk and may hold anything.
#include "platform/AppError.h"
#include "wheel/SortivoGS.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    quorbel::TGSList list;
    try {
        quorbel::LoadGSFromBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), list);
    } catch (const quorbel::AppError &) {
    }
    for (const quorbel::TSortivo_GS &formula : list) {
        // The invariants every reader of the table relies on.
        for (const QVector<qint32> &row : formula.Rows) {
            if (row.size() != qMax(formula.BetSize, 0))
                __builtin_trap();
        }
    }
    (void)quorbel::FindGS(list, QStringLiteral("选9中7保6"));
    return 0;
}
