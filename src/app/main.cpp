#include "app/UnitSortivo.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // No organisation: the user's settings live in <config>/Quorbel.
    QCoreApplication::setApplicationName(QStringLiteral("Quorbel"));
    TFrmSortivo form;
    form.show();
    return application.exec();
}
