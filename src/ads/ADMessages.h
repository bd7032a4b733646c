#pragma once

#include <QEvent>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <mutex>

class QObject;

namespace quorbel {

// A message posted by an advertisement worker (WM_ADLISTREADY, WM_ADPICREADY)
// to the main form, delivered on the GUI thread in posting order.
class ADMessageEvent : public QEvent
{
public:
    ADMessageEvent(int message, qintptr lParam);

    static QEvent::Type eventType();

    int message() const { return m_message; }
    qintptr lParam() const { return m_lParam; }

private:
    int m_message;
    qintptr m_lParam;
};

// What a worker holds instead of the form's window handle. Once the receiver is
// destroyed, or the application object goes, the port is detached: messages are
// dropped and workers no longer touch Qt. Workers share it by shared_ptr, so it
// outlives the form for as long as any of them needs it.
class ADMessagePort
{
public:
    // The port of `receiver`, created on first use. GUI thread only.
    static std::shared_ptr<ADMessagePort> of(QObject *receiver);

    // Detaches the port of `receiver`, if it has one, and drops the messages
    // still queued for it. For a receiver's destructor, so that nothing depends
    // on when its destroyed() signal comes. GUI thread only.
    static void release(QObject *receiver);

    // Posts an ADMessageEvent to the receiver, or drops it when the port is
    // detached. Any thread; may be called from inside whileAttached.
    void post(int message, qintptr lParam);

    // Runs `work` while the receiver, and with it the application object, is
    // guaranteed to live: the receiver's destruction waits until `work` returns.
    // Returns false without running it once the port is detached. Keep `work`
    // short: it may hold up the GUI thread.
    bool whileAttached(const std::function<void()> &work);

    bool attached() const;

    // The port forgets its receiver. Called on the GUI thread as the receiver or
    // the application object is destroyed.
    void detach();

    explicit ADMessagePort(QObject *receiver);

private:
    mutable std::recursive_mutex m_mutex;
    QObject *m_receiver;
};

} // namespace quorbel
