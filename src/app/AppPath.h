#pragma once

#include <QString>

namespace quorbel {

// The program folder, always ending in "/": the base of "GS.spt" and "Sup/".
// Set once at start-up by the main form.
extern QString AppPath;

// The folder part of an executable's full path, up to and including its last
// "/", with "/" appended when it does not already end in one.
QString GetAppPathOf(const QString &executablePath);

// GetAppPathOf for the running executable.
QString GetAppPath();

} // namespace quorbel
