#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorbel {

// Reads a whole file; a file that cannot be opened or read raises AppError
// "Cannot open file "<path>". <reason>".
QByteArray ReadFileBytes(const QString &path);

// Splits code page 936 text into lines the way the program reads its text
// files: CR LF, a lone LF or a lone CR ends a line, a NUL ends the text, and
// lines are kept untrimmed. A final line end does not add an empty line.
QStringList SplitTextLines(const QByteArray &bytes);

// ReadFileBytes and SplitTextLines together.
QStringList LoadTextLines(const QString &path);

} // namespace quorbel
