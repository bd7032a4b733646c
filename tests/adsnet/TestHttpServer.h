#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QThread>

#include <functional>
#include <memory>
#include <mutex>

// What the test server answers for one path.
struct TestAnswer
{
    enum class Mode
    {
        Answer,   // status line, headers and body, then the connection closes
        Hang,     // the request is read and nothing is ever answered
        Truncate, // announces `body.size() + 1000` bytes, sends the body, closes
        Hold,     // like Answer, but only once answerHeld() is called
    };

    int status = 200;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    bool chunked = false;
    Mode mode = Mode::Answer;

    static TestAnswer Ok(const QByteArray &body);
    static TestAnswer Status(int status, const QByteArray &body = "error page");
    static TestAnswer Redirect(const QByteArray &location);
    static TestAnswer Hanging();
    static TestAnswer Held(const QByteArray &body);
};

// A small HTTP/1.1 server on 127.0.0.1 with its own thread, for tests that
// must talk to a real server and to no other. Paths without an answer get 404.
class TestHttpServer
{
public:
    TestHttpServer();
    ~TestHttpServer(); // closes every connection, hanging ones included

    QString base() const; // "http://127.0.0.1:<port>"
    QString url(const QString &path) const;

    void setAnswer(const QString &path, const TestAnswer &answer);
    int requests(const QString &path) const; // requests read for `path`
    int requests() const;                    // all requests read

    // Closes the connections that hang.
    void releaseHanging();
    // Sends the answers that are held back.
    void answerHeld();

    struct State;

private:
    void runOnServerThread(const std::function<void()> &work);

    std::shared_ptr<State> m_state;
    QThread m_thread;
    QObject *m_worker = nullptr; // lives on m_thread
    quint16 m_port = 0;
};
