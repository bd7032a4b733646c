#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorbel {

// The saved bet list: every line in code page 936 followed by CR LF, the last
// one included; no lines give no bytes.
QByteArray BetFileBytes(const QStringList &lines);

// Writes the bet list to `path`, creating the file or replacing it. The bytes
// go to a temporary file beside it that takes the file's place only once all
// of them are written, so a failed save leaves an existing file as it was.
// A file that cannot be created raises AppError "Cannot create file "<path>".
// <reason>"; a failed write raises AppError "Stream write error".
void SaveBetFile(const QString &path, const QStringList &lines);

} // namespace quorbel
