// Starts advertisement downloads against a given server the way the program
// does, then quits its event loop when "quit" arrives on standard input and
// ends like the program: the form first, then the application object, then the
// process, without waiting for the workers.
//
//   ads_quit_helper <server base> <Sup folder> [leak-form]

#include "ads/ADThread.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Headless unless told otherwise (test discovery runs without the test environment).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3)
        return 2;
    const QString base = QString::fromLocal8Bit(argv[1]);
    const QString sup = QString::fromLocal8Bit(argv[2]);
    const bool leakForm = argc > 3 && qstrcmp(argv[3], "leak-form") == 0;

    // The form normally dies before the application object; a leaked one never does.
    std::unique_ptr<QWidget> form(new QWidget());
    QWidget *receiver = form.get();
    if (leakForm)
        (void)form.release();

    quorbel::StartADThread(receiver, QString(), base + QStringLiteral("/AD/AD002.txt"), sup + QStringLiteral("Ad.his"));
    for (int i = 0; i < 3; ++i)
        quorbel::StartGetPicThread(receiver, base + QStringLiteral("/pic/%1.gif").arg(i), sup,
                                   QStringLiteral("%1.gif").arg(i), i);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, [&application] {
        char buffer[64];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0 || QByteArray(buffer, int(n)).contains("quit"))
            application.quit();
    });
    std::puts("started");
    std::fflush(stdout);
    return application.exec();
}
