#include "app/UnitSortivo.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Wayland lets no program place its own windows, so the window shadow could
    // not follow the main window there: run on X11 (XWayland) when the session
    // offers it, unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication application(argc, argv);
    // No organisation: the user's settings live in <config>/Quorbel.
    QCoreApplication::setApplicationName(QStringLiteral("Quorbel"));
    TFrmSortivo form;
    form.show();
    return application.exec();
}
