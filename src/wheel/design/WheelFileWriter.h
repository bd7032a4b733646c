#pragma once

#include "wheel/SortivoGS.h"

#include <QByteArray>
#include <QString>

namespace quorbel {

// The formula file as the program reads it: code page 936, CR LF after every line,
// a header "[name/Value1/BetSize/Value3/rows/FullCount]" and one line of
// space-separated positions per row.
QByteArray FormatWheelFile(const TGSList &formulas);

// Writes the file atomically (a reader never sees half a file); AppError on failure.
void WriteWheelFile(const QString &path, const TGSList &formulas);

} // namespace quorbel
