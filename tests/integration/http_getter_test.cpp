// SPDX-License-Identifier: MIT
// The programs' HTTP getter against a host that answers exactly what each test scripts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

#include "common/qt/qt_http.h"
#include "directory/tracker.h"
#include "tests/integration/tracker_process.h"

namespace testing_support {
namespace {

using testing::HasSubstr;

// Reads each request's head, keeps it, and answers with what the script returns for it (an
// empty answer leaves the connection open and silent).
class ScriptedHost : public QTcpServer {
 public:
  explicit ScriptedHost(std::function<QByteArray(const QByteArray& head)> script)
      : script_(std::move(script)) {
    listen(QHostAddress::LocalHost, 0);
    connect(this, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = nextPendingConnection()) {
        auto* head = new QByteArray;
        connect(socket, &QObject::destroyed, [head] { delete head; });
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head] {
          // One request per connection: whatever follows an answered request is dropped.
          if (head->contains("\r\n\r\n")) {
            socket->readAll();
            return;
          }
          *head += socket->readAll();
          if (!head->contains("\r\n\r\n")) return;
          heads.push_back(*head);
          const QByteArray answer = script_(*head);
          if (answer.isEmpty()) return;
          socket->write(answer);
          socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }

  std::string Url(const std::string& path_and_query) const {
    return "http://127.0.0.1:" + std::to_string(serverPort()) + path_and_query;
  }

  std::vector<QByteArray> heads;

 private:
  std::function<QByteArray(const QByteArray&)> script_;
};

QByteArray Chunked(const QByteArray& body) {
  return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n" +
         QByteArray::number(body.size(), 16) + "\r\n" + body + "\r\n0\r\n\r\n";
}

QByteArray Plain(const QByteArray& body, bool with_length = true) {
  return "HTTP/1.1 200 OK\r\n" +
         (with_length ? "Content-Length: " + QByteArray::number(body.size()) + "\r\n"
                      : QByteArray()) +
         "Connection: close\r\n\r\n" + body;
}

TEST(HttpGetter, SendsTheRequestLinesAndEightBitTextByteForByte) {
  ScriptedHost host([](const QByteArray&) { return Chunked("STATUS=SUBMITOK|EXTRA=\r\n"); });
  const auto result =
      Fetch(host.Url("/misc/scrawlbox/tracker.php?ACTION=ADD&KEY=PC:ANN&SERVERNAME=Caf\xE9%20x"));
  ASSERT_TRUE(result.ok) << result.error_text;
  ASSERT_EQ(host.heads.size(), 1u);
  const std::string head = host.heads[0].toStdString();
  EXPECT_THAT(head, testing::StartsWith("GET /misc/scrawlbox/tracker.php?ACTION=ADD&KEY=PC:ANN"
                                        "&SERVERNAME=Caf%E9%20x HTTP/1.1\r\n"));
  EXPECT_THAT(head, HasSubstr("\r\nHost: 127.0.0.1:"));
  EXPECT_THAT(head, HasSubstr("\r\nAccept: */*\r\n"));
  EXPECT_THAT(head, HasSubstr("\r\nUser-Agent: Scrawlbox Test\r\n"));
  EXPECT_THAT(head, HasSubstr("\r\nConnection: close\r\n"));
}

// The answer is read as HTTP: a chunked reply and a plain one give the same record, and a
// chunked version file gives its number, not its chunk size.
TEST(HttpGetter, ChunkedAndPlainBodiesReadTheSame) {
  const QByteArray record = "STATUS=UPDATEOK\r\n";
  for (const QByteArray& answer :
       {Chunked(record), Plain(record), Plain(record, false), Chunked("STATUS=UPDATEOK")}) {
    SCOPED_TRACE(answer.toStdString());
    ScriptedHost host([&](const QByteArray&) { return answer; });
    const auto result = Fetch(host.Url("/t?ACTION=ADD"));
    ASSERT_TRUE(result.ok) << result.error_text;
    EXPECT_EQ(directory::ReplyRecord(result.body), "STATUS=UPDATEOK");
  }
  ScriptedHost versions([](const QByteArray&) { return Chunked("102031\r\n"); });
  EXPECT_EQ(directory::LatestVersion(Fetch(versions.Url("/version/client.txt")).body), 102031);
}

TEST(HttpGetter, EmptyAndGarbageAnswersAreReadNotTrusted) {
  ScriptedHost empty([](const QByteArray&) { return Plain(""); });
  const auto nothing = Fetch(empty.Url("/t"));
  EXPECT_TRUE(nothing.ok);
  EXPECT_EQ(directory::ReplyRecord(nothing.body), "");

  ScriptedHost garbage(
      [](const QByteArray&) { return QByteArray("\x01\xFFnot http at all\r\n\r\n"); });
  const auto broken = Fetch(garbage.Url("/t"));
  EXPECT_FALSE(broken.ok);
  EXPECT_NE(broken.error, 0);
  EXPECT_FALSE(broken.error_text.empty());

  ScriptedHost missing([](const QByteArray&) {
    return QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
  });
  EXPECT_FALSE(Fetch(missing.Url("/version/client.txt")).ok);
}

TEST(HttpGetter, AHugeAnswerIsCutOffWithAnError) {
  const QByteArray ten_megabytes(10 << 20, 'x');
  ScriptedHost host([&](const QByteArray&) { return Plain(ten_megabytes); });
  const auto result = Fetch(host.Url("/t"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error_text, "The answer was too large");
  EXPECT_TRUE(result.body.empty());
}

TEST(HttpGetter, ARedirectLoopEnds) {
  ScriptedHost host([](const QByteArray&) {
    return QByteArray(
        "HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  });
  const auto result = Fetch(host.Url("/t"));
  EXPECT_FALSE(result.ok) << result.body;
  // Qt resends a request when the host closes the connection as the request goes out, so the
  // bound is on the hops with room for such resends: what matters is that the loop ends.
  EXPECT_LE(host.heads.size(), 2u * (1u + scrawlbox::QtHttpGetter::kMaxRedirects))
      << result.error_text;
}

TEST(HttpGetter, AHostThatNeverAnswersTimesOut) {
  ScriptedHost host([](const QByteArray&) { return QByteArray(); });
  constexpr int kTimeoutMs = 300;
  QElapsedTimer clock;
  clock.start();
  bool sent = false;
  const auto result = Fetch(host.Url("/t"), kTimeoutMs, &sent);
  EXPECT_TRUE(sent);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, QNetworkReply::TimeoutError);
  EXPECT_EQ(result.error_text, "The request timed out");
  EXPECT_EQ(host.heads.size(), 1u);                 // the request went out and was not answered
  EXPECT_GE(clock.elapsed(), kTimeoutMs * 9 / 10);  // a coarse timer may fire 5% early
  EXPECT_LT(clock.elapsed(), kTimeoutMs + 4000);
}

}  // namespace
}  // namespace testing_support
