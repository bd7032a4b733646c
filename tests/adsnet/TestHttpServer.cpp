#include "TestHttpServer.h"

#include <QMetaObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <condition_variable>

struct TestHttpServer::State
{
    mutable std::mutex mutex;
    QHash<QString, TestAnswer> answers;
    QHash<QString, int> requests;
    int total = 0;
};

TestAnswer TestAnswer::Ok(const QByteArray &body)
{
    TestAnswer answer;
    answer.body = body;
    return answer;
}

TestAnswer TestAnswer::Status(int status, const QByteArray &body)
{
    TestAnswer answer;
    answer.status = status;
    answer.body = body;
    return answer;
}

TestAnswer TestAnswer::Redirect(const QByteArray &location)
{
    TestAnswer answer;
    answer.status = 302;
    answer.headers.append({"Location", location});
    return answer;
}

TestAnswer TestAnswer::Held(const QByteArray &body)
{
    TestAnswer answer = Ok(body);
    answer.mode = Mode::Hold;
    return answer;
}

TestAnswer TestAnswer::Hanging()
{
    TestAnswer answer;
    answer.mode = Mode::Hang;
    return answer;
}

namespace {

QByteArray ReasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

QByteArray Encode(const TestAnswer &answer)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' + ReasonPhrase(answer.status) + "\r\n";
    for (const auto &header : answer.headers)
        head += header.first + ": " + header.second + "\r\n";
    head += "Connection: close\r\n";
    if (answer.chunked) {
        head += "Transfer-Encoding: chunked\r\n\r\n";
        QByteArray body;
        constexpr qsizetype chunk = 64 * 1024;
        for (qsizetype at = 0; at < answer.body.size(); at += chunk) {
            const QByteArray part = answer.body.mid(at, chunk);
            body += QByteArray::number(part.size(), 16) + "\r\n" + part + "\r\n";
        }
        return head + body + "0\r\n\r\n";
    }
    const qsizetype announced = answer.body.size() + (answer.mode == TestAnswer::Mode::Truncate ? 1000 : 0);
    head += "Content-Length: " + QByteArray::number(announced) + "\r\n\r\n";
    return head + answer.body;
}

// Lives on the server thread: accepts, reads one request per connection, answers.
class ServerWorker : public QObject
{
public:
    // The server is a child so that it moves to the server thread with the worker.
    explicit ServerWorker(std::shared_ptr<TestHttpServer::State> state) : m_state(std::move(state)), m_server(this)
    {
        connect(&m_server, &QTcpServer::newConnection, this, &ServerWorker::accept);
    }

    quint16 listen()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        return m_server.serverPort();
    }

    void releaseHanging()
    {
        for (const QPointer<QTcpSocket> &socket : std::as_const(m_hanging)) {
            if (socket)
                socket->abort();
        }
        m_hanging.clear();
    }

    void answerHeld()
    {
        for (auto &held : m_held) {
            if (held.first) {
                held.first->write(Encode(held.second));
                held.first->disconnectFromHost();
            }
        }
        m_held.clear();
    }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void read(QTcpSocket *socket)
    {
        QByteArray &request = m_buffers[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
        m_buffers.remove(socket);
        disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
        const QString path = words.size() >= 2 ? QString::fromLatin1(words[1]) : QString();

        TestAnswer answer = TestAnswer::Status(404);
        {
            std::lock_guard<std::mutex> lock(m_state->mutex);
            ++m_state->requests[path];
            ++m_state->total;
            const auto found = m_state->answers.constFind(path);
            if (found != m_state->answers.constEnd())
                answer = *found;
        }
        if (answer.mode == TestAnswer::Mode::Hang) {
            m_hanging.append(socket);
            return;
        }
        if (answer.mode == TestAnswer::Mode::Hold) {
            m_held.append({socket, answer});
            return;
        }
        socket->write(Encode(answer));
        socket->disconnectFromHost();
    }

    std::shared_ptr<TestHttpServer::State> m_state;
    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<QPointer<QTcpSocket>> m_hanging;
    QList<QPair<QPointer<QTcpSocket>, TestAnswer>> m_held;
};

} // namespace

TestHttpServer::TestHttpServer() : m_state(std::make_shared<State>())
{
    auto *worker = new ServerWorker(m_state);
    worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, worker, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("TestHttpServer"));
    m_thread.start();
    m_worker = worker;
    runOnServerThread([this, worker] { m_port = worker->listen(); });
}

// Runs `work` on the server thread and waits for it. The hand-over goes
// through std::mutex, which thread checkers can see, rather than Qt's
// blocking queued connection.
void TestHttpServer::runOnServerThread(const std::function<void()> &work)
{
    std::mutex mutex;
    std::condition_variable doneChanged;
    bool done = false;
    QMetaObject::invokeMethod(m_worker, [&] {
        work();
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
        doneChanged.notify_one();
    });
    std::unique_lock<std::mutex> lock(mutex);
    doneChanged.wait(lock, [&done] { return done; });
}

TestHttpServer::~TestHttpServer()
{
    releaseHanging();
    answerHeld();
    m_thread.quit();
    m_thread.wait();
}

QString TestHttpServer::base() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

QString TestHttpServer::url(const QString &path) const
{
    return base() + path;
}

void TestHttpServer::setAnswer(const QString &path, const TestAnswer &answer)
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->answers.insert(path, answer);
}

int TestHttpServer::requests(const QString &path) const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->requests.value(path);
}

int TestHttpServer::requests() const
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    return m_state->total;
}

void TestHttpServer::answerHeld()
{
    auto *worker = static_cast<ServerWorker *>(m_worker);
    runOnServerThread([worker] { worker->answerHeld(); });
}

void TestHttpServer::releaseHanging()
{
    auto *worker = static_cast<ServerWorker *>(m_worker);
    runOnServerThread([worker] { worker->releaseHanging(); });
}
