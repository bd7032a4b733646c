#include "TestHttpServer.h"

#include "platform/HttpGet.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <gtest/gtest.h>

using namespace quorbel;

namespace {

HttpTimeouts ShortTimeouts()
{
    HttpTimeouts timeouts;
    timeouts.connectMs = 2000;
    timeouts.lowSpeedSeconds = 1;
    timeouts.totalSeconds = 30;
    return timeouts;
}

QByteArray Binary(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

bool Get(const TestHttpServer &server, const char *path, std::size_t maxBytes, std::string &body)
{
    return HttpGetBytes(server.url(QString::fromLatin1(path)).toStdString(), maxBytes, ShortTimeouts(), body);
}

} // namespace

TEST(HttpGet, ReturnsTheBodyAsRawBytes)
{
    TestHttpServer server;
    const QByteArray bytes = Binary(100000);
    server.setAnswer(QStringLiteral("/a.bin"), TestAnswer::Ok(bytes));
    TestAnswer chunked = TestAnswer::Ok(bytes);
    chunked.chunked = true;
    server.setAnswer(QStringLiteral("/chunked.bin"), chunked);
    server.setAnswer(QStringLiteral("/empty"), TestAnswer::Status(204, QByteArray()));

    std::string body;
    ASSERT_TRUE(Get(server, "/a.bin", 1 << 20, body));
    EXPECT_EQ(QByteArray::fromStdString(body), bytes);
    ASSERT_TRUE(Get(server, "/chunked.bin", 1 << 20, body));
    EXPECT_EQ(QByteArray::fromStdString(body), bytes);
    ASSERT_TRUE(Get(server, "/empty", 1 << 20, body));
    EXPECT_TRUE(body.empty());
}

struct FailureCase
{
    const char *name;
    TestAnswer answer;
};

void PrintTo(const FailureCase &c, std::ostream *out)
{
    *out << c.name;
}

class HttpGetFailure : public testing::TestWithParam<FailureCase>
{
};

TEST_P(HttpGetFailure, ReportsFailureAndNoBody)
{
    TestHttpServer server;
    server.setAnswer(QStringLiteral("/x"), GetParam().answer);
    server.setAnswer(QStringLiteral("/elsewhere"), TestAnswer::Ok("moved here"));
    std::string body = "untouched";
    EXPECT_FALSE(Get(server, "/x", 1000, body));
    EXPECT_EQ(body, "untouched");
    EXPECT_EQ(server.requests(QStringLiteral("/x")), 1);
    EXPECT_EQ(server.requests(QStringLiteral("/elsewhere")), 0) << "a redirect was followed";
}

namespace {

TestAnswer ChunkedOk(const QByteArray &body)
{
    TestAnswer answer = TestAnswer::Ok(body);
    answer.chunked = true;
    return answer;
}

TestAnswer Truncated()
{
    TestAnswer answer = TestAnswer::Ok("half a picture");
    answer.mode = TestAnswer::Mode::Truncate;
    return answer;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Cases, HttpGetFailure,
    testing::Values(FailureCase{"NotFound", TestAnswer::Status(404)}, FailureCase{"ServerError", TestAnswer::Status(500)},
                    FailureCase{"Redirect", TestAnswer::Redirect("/elsewhere")},
                    FailureCase{"RedirectPermanent",
                                [] {
                                    TestAnswer answer = TestAnswer::Redirect("/elsewhere");
                                    answer.status = 301;
                                    return answer;
                                }()},
                    FailureCase{"OneByteTooLarge", TestAnswer::Ok(QByteArray(1001, 'x'))},
                    FailureCase{"OneByteTooLargeWithoutLength", ChunkedOk(QByteArray(1001, 'x'))},
                    FailureCase{"Truncated", Truncated()}, FailureCase{"SilentServer", TestAnswer::Hanging()}),
    [](const testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

TEST(HttpGet, BodyOfExactlyTheLimitPasses)
{
    TestHttpServer server;
    server.setAnswer(QStringLiteral("/x"), TestAnswer::Ok(QByteArray(1000, 'x')));
    server.setAnswer(QStringLiteral("/y"), ChunkedOk(QByteArray(1000, 'y')));
    std::string body;
    EXPECT_TRUE(Get(server, "/x", 1000, body));
    EXPECT_TRUE(Get(server, "/y", 1000, body));
    EXPECT_EQ(body.size(), 1000u);
}

TEST(HttpGet, SilentServerIsLeftAfterTheLowSpeedTime)
{
    TestHttpServer server;
    server.setAnswer(QStringLiteral("/x"), TestAnswer::Hanging());
    QElapsedTimer timer;
    timer.start();
    std::string body;
    EXPECT_FALSE(Get(server, "/x", 1000, body));
    // One second of silence is allowed; far less than the 30 s total limit.
    EXPECT_LT(timer.elapsed(), 10000);
}

TEST(HttpGet, ConnectionRefusedFails)
{
    // A port that was just free and is closed again.
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    std::string body;
    EXPECT_FALSE(HttpGetBytes("http://127.0.0.1:" + std::to_string(port) + "/x", 1000, ShortTimeouts(), body));
}

TEST(HttpGet, OnlyHttpAndHttpsAreFetched)
{
    std::string body;
    for (const char *url : {"file:///etc/hostname", "ftp://127.0.0.1/x", "dict://127.0.0.1/x", "gopher://127.0.0.1/x",
                            "/etc/hostname", ""}) {
        EXPECT_FALSE(HttpGetBytes(url, 1 << 20, ShortTimeouts(), body)) << url;
        EXPECT_TRUE(body.empty()) << url;
    }
}

TEST(HttpGet, SinkCanAbandonTheDownload)
{
    TestHttpServer server;
    server.setAnswer(QStringLiteral("/x"), TestAnswer::Ok("abc"));
    EXPECT_FALSE(HttpGet(server.url(QStringLiteral("/x")).toStdString(), 1000, ShortTimeouts(),
                         [](const char *, std::size_t) { return false; }));
}
