#include "TestSupport.h"

#include "ads/ADThread.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

bool WaitUntil(const std::function<bool()> &condition, int msecs)
{
    const QDeadlineTimer deadline(msecs);
    while (!condition()) {
        if (deadline.hasExpired())
            return condition();
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

bool WaitForWorkers(int msecs)
{
    const bool ended = WaitUntil([] { return quorbel::RunningADWorkers() == 0; }, msecs);
    QCoreApplication::sendPostedEvents();
    return ended;
}

bool MessageLog::event(QEvent *event)
{
    if (event->type() == quorbel::ADMessageEvent::eventType()) {
        const auto *message = static_cast<quorbel::ADMessageEvent *>(event);
        messages.append({message->message(), message->lParam()});
        return true;
    }
    return QObject::event(event);
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QStringList TreeOf(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir base(folder);
    while (it.hasNext())
        entries << base.relativeFilePath(it.next());
    entries.sort();
    return entries;
}
