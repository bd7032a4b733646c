#include "TestSupport.h"

#include "ads/ADMessages.h"
#include "ads/ADThread.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace quorbel;
using Message = MessageLog::Message;

TEST(ADMessagePort, MessagesArriveOnTheReceiversThreadInPostingOrder)
{
    MessageLog log;
    const std::shared_ptr<ADMessagePort> port = ADMessagePort::of(&log);
    std::thread worker([port] {
        for (int i = 0; i < 200; ++i)
            port->post(i % 2 ? WM_ADPICREADY : WM_ADLISTREADY, i);
    });
    worker.join();
    ASSERT_TRUE(WaitUntil([&log] { return log.messages.size() == 200; }));
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(log.messages[i], (Message{i % 2 ? WM_ADPICREADY : WM_ADLISTREADY, i}));
}

TEST(ADMessagePort, OneReceiverHasOnePort)
{
    MessageLog a;
    MessageLog b;
    EXPECT_EQ(ADMessagePort::of(&a), ADMessagePort::of(&a));
    EXPECT_NE(ADMessagePort::of(&a), ADMessagePort::of(&b));
}

TEST(ADMessagePort, DetachesWhenTheReceiverIsDestroyed)
{
    auto *log = new MessageLog();
    const std::shared_ptr<ADMessagePort> port = ADMessagePort::of(log);
    EXPECT_TRUE(port->attached());
    delete log;
    EXPECT_FALSE(port->attached());
    port->post(WM_ADLISTREADY, 0); // dropped, nothing to crash on
    bool ran = false;
    EXPECT_FALSE(port->whileAttached([&ran] { ran = true; }));
    EXPECT_FALSE(ran);
}

TEST(ADMessagePort, ReleaseDetachesAndDropsQueuedMessages)
{
    MessageLog log;
    const std::shared_ptr<ADMessagePort> port = ADMessagePort::of(&log);
    std::thread([port] { port->post(WM_ADPICREADY, 1); }).join();
    ADMessagePort::release(&log);
    EXPECT_FALSE(port->attached());
    port->post(WM_ADPICREADY, 2);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(log.messages.isEmpty());
    // A later use starts a fresh port.
    EXPECT_NE(ADMessagePort::of(&log), port);
    EXPECT_TRUE(ADMessagePort::of(&log)->attached());
}

TEST(ADMessagePort, PostedButUndeliveredMessagesDieWithTheReceiver)
{
    auto *log = new MessageLog();
    const std::shared_ptr<ADMessagePort> port = ADMessagePort::of(log);
    std::thread([port] { port->post(WM_ADPICREADY, 1); }).join();
    delete log; // the event is still queued
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(port->attached());
}

TEST(ADMessagePort, ReceiverDestructionWaitsForWorkInProgress)
{
    auto *log = new MessageLog();
    const std::shared_ptr<ADMessagePort> port = ADMessagePort::of(log);
    std::atomic<bool> working{false};
    std::atomic<bool> deleting{false};
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        port->whileAttached([&] {
            working = true;
            while (!deleting)
                std::this_thread::yield();
            // Still busy after the receiver's deletion has begun.
            for (int i = 0; i < 20000; ++i)
                std::this_thread::yield();
            finished = true;
        });
    });
    while (!working)
        std::this_thread::yield();
    deleting = true;
    delete log; // returns only once the work above has
    EXPECT_TRUE(finished);
    worker.join();
    EXPECT_FALSE(port->attached());
}

TEST(ADMessageEvent, CarriesMessageAndParameter)
{
    const ADMessageEvent event(WM_ADPICREADY, 42);
    EXPECT_EQ(event.type(), ADMessageEvent::eventType());
    EXPECT_GE(int(event.type()), int(QEvent::User));
    EXPECT_EQ(event.message(), 1028);
    EXPECT_EQ(event.lParam(), 42);
    EXPECT_EQ(WM_ADLISTREADY, 1027);
}
