#pragma once

#include <QString>

namespace quorbel {

// The text without the blanks and control characters (code points up to
// U+0020) at both ends.
QString TrimBlanks(const QString &text);

// True for the addresses the advertisement strip may hand to the desktop:
// http and https addresses with a host, and mailto addresses with a
// recipient. The list comes over plain HTTP, so anything else (local files,
// other schemes, program names) is refused.
bool IsWebTarget(const QString &target);

// The extension of a target: from its last "." on, when neither "\" nor ":"
// follows that "."; otherwise empty.
QString TargetExtension(const QString &target);

// True when a target that could not be opened should bring up the program
// chooser for web pages: its extension, upper-cased, is exactly ".HTM".
bool WantsHtmProgramChooser(const QString &target);

} // namespace quorbel
