#pragma once

#include <QString>
#include <functional>

namespace quorbel {

// Hands an address to the desktop's opener (xdg-open through
// QDesktopServices); never builds a shell command line. Tests install a fake.
class UrlOpener
{
public:
    using Opener = std::function<bool(const QString &target)>;

    static bool open(const QString &target);
    static void setOpener(Opener opener);

    // Lets the user pick the program that opens `target`, through the
    // desktop's program chooser (the XDG desktop portal asked to "ask") where
    // the session has one; does nothing elsewhere. Returns whether a chooser
    // was asked for. Tests install a fake.
    using Chooser = std::function<bool(const QString &target)>;

    static bool chooseProgram(const QString &target);
    static void setChooser(Chooser chooser);
};

} // namespace quorbel
