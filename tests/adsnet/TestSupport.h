#pragma once

#include "ads/ADMessages.h"

#include <QByteArray>
#include <QDir>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Runs the event loop until `condition` holds or `msecs` have passed; returns
// whether it holds.
bool WaitUntil(const std::function<bool()> &condition, int msecs = 20000);

// Waits until every advertisement worker has ended, then delivers what they posted.
bool WaitForWorkers(int msecs = 20000);

// Stands in for the main form: records the worker messages it receives.
class MessageLog : public QObject
{
public:
    struct Message
    {
        int message;
        qintptr lParam;
        bool operator==(const Message &other) const
        {
            return message == other.message && lParam == other.lParam;
        }
    };

    QVector<Message> messages;

protected:
    bool event(QEvent *event) override;
};

QByteArray ReadFile(const QString &path);
void WriteFile(const QString &path, const QByteArray &bytes);

// Every entry of `folder`, hidden ones too, sorted; entries of sub-folders as "sub/name".
QStringList TreeOf(const QString &folder);
