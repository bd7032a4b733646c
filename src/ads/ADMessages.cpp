#include "ads/ADMessages.h"

#include <QCoreApplication>
#include <QObject>

#include <map>

namespace quorbel {

namespace {

// The live ports by receiver. Only the GUI thread looks at it. Never destroyed,
// so that nothing depends on the order of destruction at exit.
std::map<QObject *, std::shared_ptr<ADMessagePort>> &Ports()
{
    static auto *ports = new std::map<QObject *, std::shared_ptr<ADMessagePort>>();
    return *ports;
}

void DetachAllPorts()
{
    for (auto &entry : Ports())
        entry.second->detach();
    Ports().clear();
}

} // namespace

ADMessageEvent::ADMessageEvent(int message, qintptr lParam)
    : QEvent(eventType()), m_message(message), m_lParam(lParam)
{
}

QEvent::Type ADMessageEvent::eventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

ADMessagePort::ADMessagePort(QObject *receiver) : m_receiver(receiver) {}

std::shared_ptr<ADMessagePort> ADMessagePort::of(QObject *receiver)
{
    auto &ports = Ports();
    const auto found = ports.find(receiver);
    if (found != ports.end())
        return found->second;

    static bool detachAtExitRegistered = false;
    if (!detachAtExitRegistered) {
        // Runs in QCoreApplication's destructor: no worker may post to an
        // application object that is going away.
        qAddPostRoutine(&DetachAllPorts);
        detachAtExitRegistered = true;
    }

    auto port = std::make_shared<ADMessagePort>(receiver);
    ports.emplace(receiver, port);
    QObject::connect(receiver, &QObject::destroyed, [receiver] {
        auto &live = Ports();
        const auto it = live.find(receiver);
        if (it == live.end())
            return;
        it->second->detach();
        live.erase(it);
    });
    return port;
}

void ADMessagePort::release(QObject *receiver)
{
    auto &ports = Ports();
    const auto found = ports.find(receiver);
    if (found != ports.end()) {
        found->second->detach();
        ports.erase(found);
    }
    QCoreApplication::removePostedEvents(receiver, ADMessageEvent::eventType());
}

void ADMessagePort::post(int message, qintptr lParam)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (m_receiver)
        QCoreApplication::postEvent(m_receiver, new ADMessageEvent(message, lParam));
}

bool ADMessagePort::whileAttached(const std::function<void()> &work)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (!m_receiver)
        return false;
    work();
    return true;
}

bool ADMessagePort::attached() const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return m_receiver != nullptr;
}

void ADMessagePort::detach()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_receiver = nullptr;
}

} // namespace quorbel
