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
};

} // namespace quorbel
