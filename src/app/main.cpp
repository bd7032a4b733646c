#include "app/UnitSortivo.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    TFrmSortivo form;
    form.show();
    return application.exec();
}
